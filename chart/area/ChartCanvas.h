// Base of the chart's regions (chart area, titles, legend): a light component with a
// border, a show/hide switch, a "changed" flag that reaches the chart, and position
// and size values that are either user-set or computed by the chart's layout.
#pragma once

#include <atomic>

#include "chart/base/ChartLinks.h"
#include "chart/base/DerivedInt.h"
#include "ombu/NxComponent.h"

namespace norvex::chart {

// What a region needs from the chart that holds it.
class ChartHost : public DataViewParent {
public:
    // True while the chart recalculates: changes made then are recorded, not propagated.
    virtual bool isInRecalc() const = 0;
    virtual host::Component* asComponent() = 0;
};

class ChartCanvas : public ombu::NxComponent, public Changeable {
    HOST_OBJECT(ChartCanvas, "norvex.chart.ChartCanvas", ombu::NxComponent)
public:
    ChartCanvas();

    ChartHost* getParentChart() const { return chart; }
    void setParentChart(ChartHost* c) { chart = c; }

    bool getIsShowing() const { return isShowing_; }
    virtual void setIsShowing(bool b);
    // NONE..FRAME_OUT; "Invalid BorderType in ChartCanvas" otherwise.
    void setBorderType(int t);
    int getBorderType() const { return shadow_type; }
    // "BorderWidth must be positive" for negative widths.
    void setBorderWidth(int w);
    int getBorderWidth() const { return shadow; }

    int getTop();
    int getLeft();
    int getWidth2();
    int getHeight2();
    void setTop(int v);
    void setLeft(int v);
    void setWidth(int v);
    void setHeight(int v);
    bool getTopIsDefault() const { return top.isDefault; }
    bool getLeftIsDefault() const { return left.isDefault; }
    bool getWidthIsDefault() const { return cc_width.isDefault; }
    bool getHeightIsDefault() const { return cc_height.isDefault; }
    void setTopIsDefault(bool b);
    void setLeftIsDefault(bool b);
    void setWidthIsDefault(bool b);
    void setHeightIsDefault(bool b);

    bool getChanged() const { return changed; }
    bool isChanged() const { return changed; }
    void setChanged(bool b) override;
    void setChanged(bool b, bool updateParent);
    // Invalidates and validates the chart and repaints this region.
    void updateParent();
    virtual void recalc() {}
    bool sizeChanged();
    host::Dimension preferredSize() override;
    // Only the coordinates whose default flag is set follow the layout.
    void reshape(int x, int y, int w, int h) override;

    void setBackground(const host::Color& c) override;
    void setForeground(const host::Color& c) override;
    void setFont(const host::Font& f) override;

    static std::atomic<bool>& inUpdate();

protected:
    bool isShowing_ = true;
    bool showBorder = true;
    bool changed = true;
    bool needsRepaint = true;
    ChartHost* chart = nullptr;  // not owned
    DerivedInt top{0, true}, left{0, true}, cc_width{0, true}, cc_height{0, true};
    host::Dimension prefSize{0, 0};
    bool cached = false;
    int cache_highlight = 0, cache_shadow = 0, cache_shadow_type = 0;
    bool dimIsDefaultChangedToTrue = false;

private:
    void setUser(DerivedInt& d, int v);
    void setDefaultFlag(DerivedInt& d, bool b);
};

}  // namespace norvex::chart
