// The edges of the plot rectangle inside the chart area; a default edge is
// recomputed by every layout, an explicit one stays. Also the plot's colours.
#pragma once

#include "chart/base/Changeable.h"
#include "chart/base/DerivedInt.h"
#include "host/base/Color.h"
#include "host/runtime/Object.h"

namespace norvex::chart {

class PlotArea : public host::Object {
    HOST_OBJECT(PlotArea, "norvex.chart.PlotArea", host::Object)
public:
    explicit PlotArea(Changeable* owner = nullptr) : parent(owner) {}

    int getTop() const { return top.value; }
    int getLeft() const { return left.value; }
    int getBottom() const { return bottom.value; }
    int getRight() const { return right.value; }
    void setTop(int v) { set(top, v); }
    void setLeft(int v) { set(left, v); }
    void setBottom(int v) { set(bottom, v); }
    void setRight(int v) { set(right, v); }
    bool getTopIsDefault() const { return top.isDefault; }
    bool getLeftIsDefault() const { return left.isDefault; }
    bool getBottomIsDefault() const { return bottom.isDefault; }
    bool getRightIsDefault() const { return right.isDefault; }
    void setTopIsDefault(bool b) { setDefault(top, b); }
    void setLeftIsDefault(bool b) { setDefault(left, b); }
    void setBottomIsDefault(bool b) { setDefault(bottom, b); }
    void setRightIsDefault(bool b) { setDefault(right, b); }

    const host::OptColor& getForeground() const { return foreground; }
    void setForeground(const host::OptColor& c) {
        if (c == foreground) return;
        foreground = c;
        changed();
    }
    const host::OptColor& getBackground() const { return background; }
    void setBackground(const host::OptColor& c) {
        if (c == background) return;
        background = c;
        changed();
    }

    // The layout's values for default edges.
    DerivedInt top{0, true}, left{0, true}, bottom{0, true}, right{0, true};

private:
    void set(DerivedInt& d, int v) {
        host::Lock lock(mutex());
        if (!d.isDefault && d.value == v) return;
        d.set(v);
        changed();
    }
    void setDefault(DerivedInt& d, bool b) {
        host::Lock lock(mutex());
        if (d.isDefault == b) return;
        d.isDefault = b;
        changed();
    }
    void changed() {
        if (parent) parent->setChanged(true);
    }
    host::OptColor foreground, background;
    Changeable* parent;  // not owned
};

}  // namespace norvex::chart
