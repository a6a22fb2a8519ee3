// A rectangle of a chart region that is not a component of its own (an axis, a
// piece of text): position and size that the layout computes unless the user set
// them, font, colours and name (unset ones are inherited from the showing canvas).
#pragma once

#include <optional>
#include <string>

#include "chart/base/DerivedInt.h"
#include "chart/base/TrackChange.h"
#include "host/base/Color.h"
#include "host/base/Font.h"

namespace host {
class Graphics;
}

namespace norvex::chart {

class ChartRegion : public TrackChange {
    HOST_OBJECT(ChartRegion, "norvex.chart.ChartRegion", TrackChange)
public:
    // The canvas that shows the region; not owned.
    void setParent(Changeable* p) { parent = p; }
    Changeable* getParent() const { return parent; }

    const std::optional<host::Font>& getFont() const { return font; }
    void setFont(std::optional<host::Font> f);
    const std::string& getName() const { return name; }
    void setName(const std::string& n);
    const host::OptColor& getForeground() const { return foreground; }
    void setForeground(host::OptColor c);
    const host::OptColor& getBackground() const { return background; }
    void setBackground(host::OptColor c);
    bool getIsShowing() const { return isShowing; }
    virtual void setIsShowing(bool b);
    bool getUpdateParent() const { return updateParent; }
    void setUpdateParent(bool b) { updateParent = b; }

    // The layout's placement: only coordinates whose default flag is set move.
    void reshape(int x, int y, int w, int h);
    void move(int x, int y) { reshape(x, y, width.value, height.value); }
    void resize(int w, int h) { reshape(left.value, top.value, w, h); }

    int getLeft() const { return left.value; }
    int getTop() const { return top.value; }
    int getWidth() const { return width.value; }
    int getHeight() const { return height.value; }
    void setLeft(int v);
    void setTop(int v);
    void setWidth(int v);
    void setHeight(int v);
    bool getLeftIsDefault() const { return left.isDefault; }
    bool getTopIsDefault() const { return top.isDefault; }
    bool getWidthIsDefault() const { return width.isDefault; }
    bool getHeightIsDefault() const { return height.isDefault; }
    void setLeftIsDefault(bool b);
    void setTopIsDefault(bool b);
    void setWidthIsDefault(bool b);
    void setHeightIsDefault(bool b);

    // Fills the region with its background when one is set.
    virtual void draw(host::Graphics& g);
    // Marks the parent canvas changed too while updateParent is true.
    void setChanged(bool b) override;
    virtual void recalc() {}

protected:
    DerivedInt left{0, true}, top{0, true}, width{0, true}, height{0, true};
    std::optional<host::Font> font;
    std::string name;
    host::OptColor foreground, background;
    Changeable* parent = nullptr;
    bool isShowing = true;
    bool updateParent = true;

private:
    void setDerived(DerivedInt& d, int v);
    void setDefault(DerivedInt& d, bool b);
};

}  // namespace norvex::chart
