#include "chart/area/ChartCanvas.h"

#include <stdexcept>

#include "chart/base/ChartDiagnostics.h"
#include "host/ui/Container.h"

namespace norvex::chart {

std::atomic<bool>& ChartCanvas::inUpdate() {
    static std::atomic<bool> flag{false};
    return flag;
}

ChartCanvas::ChartCanvas() {
    shadow_type = 0;
    shadow = 2;
    highlight = 0;
    insets_ = host::Insets{2, 2, 2, 2};
    traversable = false;
    // The chart lays its regions out and repaints them afterwards.
    do_repaint = false;
    enableEvents(host::AWTEvent::MOUSE_EVENT_MASK | host::AWTEvent::MOUSE_MOTION_EVENT_MASK);
}

void ChartCanvas::setIsShowing(bool b) {
    {
        host::Lock lock(mutex());
        if (b == isShowing_) return;
        isShowing_ = b;
        if (!b && !showBorder) {
            cache_shadow_type = shadow_type;
            cache_shadow = shadow;
            cache_highlight = highlight;
            shadow_type = shadow = highlight = 0;
            cached = true;
        } else if (b && cached) {
            shadow_type = cache_shadow_type;
            shadow = cache_shadow;
            highlight = cache_highlight;
            cached = false;
        }
    }
    setChanged(true);
}

void ChartCanvas::setBorderType(int t) {
    if (t < 0 || t > 7) throw std::invalid_argument("Invalid BorderType in ChartCanvas");
    {
        host::Lock lock(mutex());
        if (t == shadow_type) return;
        shadow_type = t;
    }
    setChanged(true);
}

void ChartCanvas::setBorderWidth(int w) {
    if (w < 0) throw std::invalid_argument("BorderWidth must be positive");
    {
        host::Lock lock(mutex());
        if (w == shadow) return;
        shadow = w;
    }
    setChanged(true);
}

int ChartCanvas::getTop() {
    if (top.isDefault) top.value = getY();
    return top.value;
}
int ChartCanvas::getLeft() {
    if (left.isDefault) left.value = getX();
    return left.value;
}
int ChartCanvas::getWidth2() {
    if (cc_width.isDefault) cc_width.value = getWidth();
    return cc_width.value;
}
int ChartCanvas::getHeight2() {
    if (cc_height.isDefault) cc_height.value = getHeight();
    return cc_height.value;
}

void ChartCanvas::setUser(DerivedInt& d, int v) {
    {
        host::Lock lock(mutex());
        if (!d.isDefault && d.value == v) return;
        d.set(v);
    }
    setChanged(true);
}

void ChartCanvas::setDefaultFlag(DerivedInt& d, bool b) {
    {
        host::Lock lock(mutex());
        if (d.isDefault == b) return;
        d.isDefault = b;
        if (&d == &top) dimIsDefaultChangedToTrue = true;
    }
    setChanged(true);
}

void ChartCanvas::setTop(int v) { setUser(top, v); }
void ChartCanvas::setLeft(int v) { setUser(left, v); }
void ChartCanvas::setWidth(int v) { setUser(cc_width, v); }
void ChartCanvas::setHeight(int v) { setUser(cc_height, v); }
void ChartCanvas::setTopIsDefault(bool b) { setDefaultFlag(top, b); }
void ChartCanvas::setLeftIsDefault(bool b) { setDefaultFlag(left, b); }
void ChartCanvas::setWidthIsDefault(bool b) { setDefaultFlag(cc_width, b); }
void ChartCanvas::setHeightIsDefault(bool b) { setDefaultFlag(cc_height, b); }

void ChartCanvas::setChanged(bool b) {
    if (b == changed) return;
    changed = b;
    // During the chart's recalculation a change is only recorded: a recalculation
    // never starts another one.
    if (!b || !chart || chart->isInRecalc()) return;
    host::Container* p = getParent();
    if (!p || !p->hasPeer()) return;
    if (chart->getIsBatched())
        invalidate();
    else
        updateParent();
}

void ChartCanvas::setChanged(bool b, bool update) {
    if (update) return setChanged(b);
    changed = b;
}

void ChartCanvas::updateParent() {
    auto& flag = inUpdate();
    if (flag.exchange(true)) ChartDiagnostics::print("Warning - re-entrance!");
    host::Container* p = getParent();
    if (p && p->hasPeer()) {
        invalidate();
        p->invalidate();
        p->validate();
        if (p->hasPeer()) repaint();
    }
    flag = false;
}

bool ChartCanvas::sizeChanged() {
    if (dimIsDefaultChangedToTrue) {
        dimIsDefaultChangedToTrue = false;
        return true;
    }
    return getX() != left.value || getY() != top.value || getWidth() != cc_width.value ||
           getHeight() != cc_height.value;
}

host::Dimension ChartCanvas::preferredSize() {
    if (!isShowing_) return {0, 0};
    host::Dimension d = NxComponent::preferredSize();
    if (!cc_width.isDefault) d.width = cc_width.value;
    if (!cc_height.isDefault) d.height = cc_height.value;
    return d;
}

void ChartCanvas::reshape(int x, int y, int w, int h) {
    if (!left.isDefault) x = left.value;
    if (!top.isDefault) y = top.value;
    if (!cc_width.isDefault) w = cc_width.value;
    if (!cc_height.isDefault) h = cc_height.value;
    NxComponent::reshape(x, y, std::max(0, w), std::max(0, h));
}

void ChartCanvas::setBackground(const host::Color& c) {
    host::Canvas::setBackground(c);
    setChanged(true);
}

void ChartCanvas::setForeground(const host::Color& c) {
    host::Canvas::setForeground(c);
    setChanged(true);
}

void ChartCanvas::setFont(const host::Font& f) {
    host::Canvas::setFont(f);
    setChanged(true);
}

}  // namespace norvex::chart
