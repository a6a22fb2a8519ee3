#include "chart/base/ChartRegion.h"

#include "host/graphics/Graphics.h"

namespace norvex::chart {

void ChartRegion::setFont(std::optional<host::Font> f) {
    host::Lock lock(mutex());
    if (f == font) return;
    font = std::move(f);
    setChanged(true);
}

void ChartRegion::setName(const std::string& n) {
    host::Lock lock(mutex());
    if (n == name) return;
    name = n;
    setChanged(true);
}

void ChartRegion::setForeground(host::OptColor c) {
    host::Lock lock(mutex());
    if (c == foreground) return;
    foreground = c;
    setChanged(true);
}

void ChartRegion::setBackground(host::OptColor c) {
    host::Lock lock(mutex());
    if (c == background) return;
    background = c;
    setChanged(true);
}

void ChartRegion::setIsShowing(bool b) {
    host::Lock lock(mutex());
    if (b == isShowing) return;
    isShowing = b;
    setChanged(true);
}

void ChartRegion::reshape(int x, int y, int w, int h) {
    if (left.isDefault) left.value = x;
    if (top.isDefault) top.value = y;
    if (width.isDefault) width.value = w;
    if (height.isDefault) height.value = h;
}

void ChartRegion::setDerived(DerivedInt& d, int v) {
    host::Lock lock(mutex());
    if (!d.isDefault && d.value == v) return;
    d.set(v);
    setChanged(true);
}

void ChartRegion::setDefault(DerivedInt& d, bool b) {
    host::Lock lock(mutex());
    if (d.isDefault == b) return;
    d.isDefault = b;
    setChanged(true);
}

void ChartRegion::setLeft(int v) { setDerived(left, v); }
void ChartRegion::setTop(int v) { setDerived(top, v); }
void ChartRegion::setWidth(int v) { setDerived(width, v); }
void ChartRegion::setHeight(int v) { setDerived(height, v); }
void ChartRegion::setLeftIsDefault(bool b) { setDefault(left, b); }
void ChartRegion::setTopIsDefault(bool b) { setDefault(top, b); }
void ChartRegion::setWidthIsDefault(bool b) { setDefault(width, b); }
void ChartRegion::setHeightIsDefault(bool b) { setDefault(height, b); }

void ChartRegion::draw(host::Graphics& g) {
    if (!isShowing) return;
    if (background) {
        g.setColor(*background);
        g.fillRect(left.value, top.value, width.value, height.value);
    }
}

void ChartRegion::setChanged(bool b) {
    if (b == changed) return;
    changed = b;
    if (b && parent && updateParent) parent->setChanged(true);
}

}  // namespace norvex::chart
