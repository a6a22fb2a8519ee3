#include "ombu/widgets/NxScrollbar.h"

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuUtil.h"
#include "ombu/widgets/NxArrowButton.h"
#include "ombu/widgets/NxLabel.h"
#include "ombu/widgets/TreeLock.h"
#include "util/NxImageCreator.h"

namespace norvex::ombu {

using host::Color;
using host::Lock;

namespace {
int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The adjustment type of a scroll request.
int adjustmentType(int request) {
    switch (request) {
        case host::Event::SCROLL_LINE_UP: return host::AdjustmentEvent::UNIT_DECREMENT;
        case host::Event::SCROLL_LINE_DOWN: return host::AdjustmentEvent::UNIT_INCREMENT;
        case host::Event::SCROLL_PAGE_UP: return host::AdjustmentEvent::BLOCK_DECREMENT;
        case host::Event::SCROLL_PAGE_DOWN: return host::AdjustmentEvent::BLOCK_INCREMENT;
        default: return host::AdjustmentEvent::TRACK;
    }
}
}  // namespace

// ScrollbarThumb

ScrollbarThumb::ScrollbarThumb(host::Applet* applet, const std::string& name) : NxComponent(applet, name) {
    highlight = 0;
    shadow = 2;
    shadow_type = OmbuEnum::SHADOW_OUT;
    double_buffer = false;
    traversable = false;
}

void ScrollbarThumb::addNotify() {
    NxComponent::addNotify();
    enable11Events(host::AWTEvent::MOUSE_MOTION_EVENT_MASK);
}

NxScrollbar* ScrollbarThumb::bar() const { return dynamic_cast<NxScrollbar*>(getParent()); }

bool ScrollbarThumb::mouseDown(host::Event& e, int x, int y) {
    NxScrollbar* b = bar();
    return b ? b->mouseDown(e, x + getX(), y + getY()) : false;
}

bool ScrollbarThumb::mouseDrag(host::Event& e, int x, int y) {
    NxScrollbar* b = bar();
    return b ? b->mouseDrag(e, x + getX(), y + getY()) : false;
}

bool ScrollbarThumb::mouseUp(host::Event& e, int x, int y) {
    NxScrollbar* b = bar();
    return b ? b->mouseUp(e, x + getX(), y + getY()) : false;
}

// NxScrollbar

NxScrollbar::NxScrollbar() : NxScrollbar(OmbuEnum::VERTICAL, nullptr, "") {}

NxScrollbar::NxScrollbar(host::Applet* applet, const std::string& name)
    : NxScrollbar(OmbuEnum::VERTICAL, applet, name) {}

NxScrollbar::NxScrollbar(int o, host::Applet* applet, const std::string& name) : NxContainer(applet, name) {
    init(o);
}

NxScrollbar::NxScrollbar(int o, int v, int vis, int mn, int mx) : NxContainer(nullptr, "") {
    init(o);
    setValues(v, vis, mn, mx);
}

NxScrollbar::~NxScrollbar() {
    if (incr_arrow) incr_arrow->removeActionListener(this);
    if (decr_arrow) decr_arrow->removeActionListener(this);
}

void NxScrollbar::init(int o) {
    if (!applet && getName().empty()) {
        static std::atomic<int> counter{0};
        setName("scrollbar" + std::to_string(counter++));
    }
    if (o != OmbuEnum::HORIZONTAL && o != OmbuEnum::VERTICAL)
        throw std::invalid_argument("Invalid Orientation value in NxScrollbar");
    orientation = o;
    setLayout(nullptr);
    decr_arrow = host::create<NxArrowButton>(nullptr, "");
    incr_arrow = host::create<NxArrowButton>(nullptr, "");
    thumb = host::create<ScrollbarThumb>(nullptr, getName() + ".thumb");
    for (auto& a : {decr_arrow, incr_arrow}) {
        a->setInitialRepeatDelay(ARROW_REPEAT_DELAY);
        a->addActionListener(this);
        NxContainer::add(a);
    }
    NxContainer::add(thumb);
    setArrowOrientations();
}

void NxScrollbar::getParameters() {
    NxContainer::getParameters();
    auto conv = getConverter();
    int o = conv->toEnum(getParam("orientation"), "orientation", {"HORIZONTAL", "VERTICAL"},
                         {OmbuEnum::HORIZONTAL, OmbuEnum::VERTICAL}, orientation);
    setOrientation(o);
    int mn = conv->toInt(getParam("Minimum"), min);
    int mx = conv->toInt(getParam("Maximum"), max);
    int vis = conv->toInt(getParam("VisibleAmount"), visible);
    setValues(value, vis, mn, mx);
    setBlockIncrement(conv->toInt(getParam("BlockIncrement"), page_incr));
    setUnitIncrement(conv->toInt(getParam("UnitIncrement"), line_incr));
    setFilterTime(conv->toInt(getParam("FilterTime"), int(std::clamp<int64_t>(filter_time, 0, INT_MAX))));
}

void NxScrollbar::setArrowOrientations() {
    bool vertical = orientation == OmbuEnum::VERTICAL;
    decr_arrow->setOrientation(vertical ? OmbuEnum::UP : OmbuEnum::LEFT);
    incr_arrow->setOrientation(vertical ? OmbuEnum::DOWN : OmbuEnum::RIGHT);
}

void NxScrollbar::setOrientation(int o) {
    if (o != OmbuEnum::HORIZONTAL && o != OmbuEnum::VERTICAL)
        throw std::invalid_argument("Invalid Orientation value in NxScrollbar");
    TreeLock guard(*this);
    if (o == orientation) return;
    orientation = o;
    setArrowOrientations();
    major = orientation == OmbuEnum::VERTICAL ? getHeight() : getWidth();
    minor = orientation == OmbuEnum::VERTICAL ? getWidth() : getHeight();
    layout();
    repaint();
}

int64_t NxScrollbar::check(int64_t v) const { return std::min<int64_t>(int64_t(max) - visible, std::max<int64_t>(v, min)); }

int NxScrollbar::getValue() const {
    Lock guard(mutex());
    return value;
}

void NxScrollbar::setValue(int v) { changeValue(v, host::Event::SCROLL_ABSOLUTE, false, false); }
void NxScrollbar::setValue(int v, bool notify) { changeValue(v, host::Event::SCROLL_ABSOLUTE, notify, false); }
void NxScrollbar::setValue(int v, int type, bool notify) { changeValue(v, type, notify, false); }

void NxScrollbar::changeValue(int64_t v, int type, bool notify, bool force) {
    int now;
    {
        TreeLock guard(*this);
        int nv = int(check(v));
        bool changed = nv != value;
        if (changed) {
            value = nv;
            moveThumb();
        }
        if (!notify || !(changed || force)) return;
        now = value;
    }
    notifyListeners(type, now);
}

void NxScrollbar::notifyListeners(int type, int v) {
    std::vector<NxAdjustmentListener*> listeners;
    {
        std::lock_guard lock(listenersMutex);
        listeners = adjustmentListeners;
    }
    if (listeners.empty()) return;
    NxAdjustmentEvent event(this, host::AdjustmentEvent::ADJUSTMENT_VALUE_CHANGED, adjustmentType(type), v);
    for (auto* l : listeners) l->adjustmentValueChanged(event);
}

void NxScrollbar::setMinimum(int m) { setValues(value, visible, m, max); }
void NxScrollbar::setMaximum(int m) { setValues(value, visible, min, m); }
void NxScrollbar::setVisibleAmount(int v) { setValues(value, v, min, max); }

void NxScrollbar::setUnitIncrement(int v) {
    Lock guard(mutex());
    line_incr = v;
}

void NxScrollbar::setBlockIncrement(int v) {
    Lock guard(mutex());
    page_incr = v;
}

void NxScrollbar::setFilterTime(int64_t ms) {
    Lock guard(mutex());
    filter_time = std::max<int64_t>(0, ms);
}

void NxScrollbar::setValues(int v, int vis, int mn, int mx) {
    {
        Lock guard(mutex());
        if (mx < mn) mx = mn;
        int64_t range = int64_t(mx) - mn;
        // A negative visible amount would push the value past the maximum.
        int64_t nvis = std::clamp<int64_t>(vis, 0, range);
        int64_t nv = std::min<int64_t>(mx - nvis, std::max<int64_t>(v, mn));
        if (nv == value && nvis == visible && mn == min && mx == max) return;
        value = int(nv);
        visible = int(nvis);
        min = mn;
        max = mx;
        if (visible > 0) page_incr = visible;
    }
    layout();
    repaint();
}

bool NxScrollbar::atEnd() const { return value == min || int64_t(value) >= int64_t(max) - visible; }

void NxScrollbar::addAdjustmentListener(NxAdjustmentListener* l) {
    std::lock_guard lock(listenersMutex);
    if (l && std::find(adjustmentListeners.begin(), adjustmentListeners.end(), l) == adjustmentListeners.end())
        adjustmentListeners.push_back(l);
}

void NxScrollbar::removeAdjustmentListener(NxAdjustmentListener* l) {
    std::lock_guard lock(listenersMutex);
    adjustmentListeners.erase(std::remove(adjustmentListeners.begin(), adjustmentListeners.end(), l),
                              adjustmentListeners.end());
}

// Geometry

int NxScrollbar::arrowLength() const { return std::max(OmbuEnum::SB_SIZE, minor); }

int NxScrollbar::cvtThumbSizeToPixels(int64_t v) const {
    if (min >= max) return trough_size;
    int64_t e = std::max<int64_t>(0, v * trough_size / (int64_t(max) - min));
    return clampInt(std::min<int64_t>(std::max<int64_t>(MIN_SLIDERSIZE, e), trough_size));
}

int NxScrollbar::toPixels(int64_t v) const {
    int64_t span = int64_t(max) - min - visible;  // values the thumb travels over
    int64_t room = int64_t(trough_size) - slider_size;  // pixels it travels over
    if (int64_t(max) == min || room <= 0) return 0;
    if (v >= span) return clampInt(room);
    return clampInt(std::max<int64_t>(0, v * room / span));
}

int NxScrollbar::toValue(int64_t pixels) const {
    int64_t span = int64_t(max) - min - visible;
    int64_t room = int64_t(trough_size) - slider_size;
    if (trough_size == 0 || room <= 0) return 0;
    // The smallest value whose thumb sits at `pixels` (rounded up), so the thumb follows
    // the pointer exactly when the value comes back through toPixels.
    int64_t scaled = pixels * span;
    int64_t v = scaled / room;
    if (scaled % room > 0) ++v;
    return clampInt(v);
}

int NxScrollbar::getThumbPosition() const {
    int64_t room = int64_t(trough_size) - slider_size;
    int64_t p = std::max<int64_t>(std::min<int64_t>(room, toPixels(int64_t(value) - min)), 0);
    return clampInt(p + arrowLength());
}

void NxScrollbar::moveThumb() {
    TreeLock guard(*this);
    if (!thumb) return;
    int pos = getThumbPosition();
    if (orientation == OmbuEnum::VERTICAL)
        thumb->reshape(0, pos, minor, slider_size);
    else
        thumb->reshape(pos, 0, slider_size, minor);
    repaint();
}

void NxScrollbar::reshape(int x, int y, int w, int h) {
    TreeLock guard(*this);
    major = orientation == OmbuEnum::VERTICAL ? h : w;
    minor = orientation == OmbuEnum::VERTICAL ? w : h;
    NxContainer::reshape(x, y, w, h);
    layout();
}

void NxScrollbar::layout() {
    TreeLock guard(*this);
    major = orientation == OmbuEnum::VERTICAL ? getHeight() : getWidth();
    minor = orientation == OmbuEnum::VERTICAL ? getWidth() : getHeight();
    int a = arrowLength();
    trough_size = clampInt(int64_t(std::max(major, 8)) - 2 * int64_t(a));
    slider_size = cvtThumbSizeToPixels(visible);
    int end = clampInt(int64_t(major) - a);
    if (orientation == OmbuEnum::VERTICAL) {
        decr_arrow->reshape(0, 0, minor, a);
        incr_arrow->reshape(0, end, minor, a);
    } else {
        decr_arrow->reshape(0, 0, a, minor);
        incr_arrow->reshape(end, 0, a, minor);
    }
    bool usable = slider_size != trough_size;
    thumb->setVisible(usable);
    if (usable && !isEnabled())
        enable();
    else if (!usable && isEnabled())
        disable();
    moveThumb();
}

int NxScrollbar::preferredWidth() { return orientation == OmbuEnum::VERTICAL ? OmbuEnum::SB_SIZE : 100; }
int NxScrollbar::preferredHeight() { return orientation == OmbuEnum::VERTICAL ? 100 : OmbuEnum::SB_SIZE; }

// Painting

void NxScrollbar::paintInterior(host::Graphics& g) {
    Color bg = getBackground().value_or(Color::lightGray);
    if (isEnabled()) {
        g.setColor(OmbuUtil::brighter(bg));
        g.fillRect(0, 0, getWidth(), getHeight());
        return;
    }
    if (!disabled_image) {
        util::NxImageCreator creator(this, 16, 10);
        creator.setColor('b', bg == Color::white ? Color::lightGray : bg);
        creator.setColor('w', Color::white);
        std::vector<std::string> rows;
        for (int i = 0; i < 10; ++i) rows.push_back(i % 2 ? "bwbwbwbwbwbwbwbw" : "wbwbwbwbwbwbwbwb");
        disabled_image = creator.create(rows);
    }
    if (!disabled_image) return;
    for (int x = 0; x < getWidth(); x += 16)
        for (int y = 0; y < getHeight(); y += 10) g.drawImage(disabled_image.get(), x, y);
}

void NxScrollbar::setBackground(const Color& c) {
    TreeLock guard(*this);
    if (getBackground() != c) disabled_image.reset();
    NxContainer::setBackground(c);
    if (thumb) thumb->setBackground(c);
    repaint();
}

void NxScrollbar::setForeground(const Color& c) {
    TreeLock guard(*this);
    NxContainer::setForeground(c);
    if (incr_arrow) incr_arrow->setForeground(c);
    if (decr_arrow) decr_arrow->setForeground(c);
}

bool NxScrollbar::isFocusTraversable() const { return isEnabled() && isShowing(); }

// Input

void NxScrollbar::addNotify() {
    NxContainer::addNotify();
    enable11Events(host::AWTEvent::KEY_EVENT_MASK | host::AWTEvent::FOCUS_EVENT_MASK);
}

void NxScrollbar::processKeyEvent(host::KeyEvent& e) {
    int code = e.getKeyCode();
    if (e.getID() == host::KeyEvent::KEY_PRESSED && code != host::KeyEvent::VK_SHIFT &&
        code != host::KeyEvent::VK_CONTROL && code != host::KeyEvent::VK_ALT) {
        host::Event ev = NxComponent::convertEvent(this, e);
        keyDown(ev, ev.key);
    }
    NxContainer::processKeyEvent(e);
}

void NxScrollbar::processFocusEvent(host::FocusEvent& e) { NxContainer::processFocusEvent(e); }

bool NxScrollbar::mouseDown(host::Event& e, int x, int y) {
    if (OmbuUtil::getMouseButton(e) != 1) return false;
    {
        Lock guard(mutex());
        // A second press within 20 ms is the same click delivered twice.
        if (e.when - last_press < 20) return true;
        last_press = e.when;
    }
    if (isFocusTraversable()) requestFocus();
    int p = along(x, y);
    int start = getThumbPosition();
    bool ctrl = e.controlDown();
    if (thumb->isVisible() && p >= start && p < int64_t(start) + slider_size) {
        Lock guard(mutex());
        dragStart = p;
        dragValueStart = value;
        last_time = 0;
        return true;
    }
    if (!isEnabled()) return true;
    if (p < start)
        changeValue(ctrl ? int64_t(min) : int64_t(value) - page_incr,
                    ctrl ? host::Event::SCROLL_ABSOLUTE : host::Event::SCROLL_PAGE_UP, true, false);
    else
        changeValue(ctrl ? int64_t(max) - visible : int64_t(value) + page_incr,
                    ctrl ? host::Event::SCROLL_ABSOLUTE : host::Event::SCROLL_PAGE_DOWN, true, false);
    return true;
}

bool NxScrollbar::mouseDrag(host::Event& e, int x, int y) {
    int64_t target;
    bool notify;
    {
        Lock guard(mutex());
        if (dragStart == -999) return false;
        int64_t delta = int64_t(along(x, y)) - dragStart;
        int64_t room = int64_t(trough_size) - slider_size;
        int64_t startPos = toPixels(int64_t(dragValueStart) - min);
        // The thumb pushed to either end means the value's end, whatever the rounding.
        if (startPos + delta <= 0)
            target = min;
        else if (startPos + delta >= room)
            target = int64_t(max) - visible;
        else if (delta == 0)
            target = dragValueStart;
        else
            target = int64_t(min) + toValue(startPos + delta);
        // Notify once per filter interval, counted from the last notification.
        notify = e.when - last_time >= filter_time;
    }
    int before = value;
    changeValue(target, host::Event::SCROLL_ABSOLUTE, notify, false);
    if (notify && value != before) {
        Lock guard(mutex());
        last_time = e.when;
    }
    return true;
}

bool NxScrollbar::mouseUp(host::Event&, int, int) {
    {
        Lock guard(mutex());
        if (dragStart == -999) return false;
        dragStart = dragValueStart = -999;
    }
    changeValue(value, host::Event::SCROLL_ABSOLUTE, true, true);
    return true;
}

bool NxScrollbar::keyDown(host::Event& e, int key) {
    int64_t v = value;
    switch (key) {
        case host::Event::HOME: changeValue(min, host::Event::SCROLL_ABSOLUTE, true, false); return true;
        case host::Event::END:
            changeValue(int64_t(max) - visible, host::Event::SCROLL_ABSOLUTE, true, false);
            return true;
        case host::Event::PGUP: changeValue(v - page_incr, host::Event::SCROLL_PAGE_UP, true, false); return true;
        case host::Event::PGDN: changeValue(v + page_incr, host::Event::SCROLL_PAGE_DOWN, true, false); return true;
        case host::Event::UP:
        case host::Event::LEFT: changeValue(v - line_incr, host::Event::SCROLL_LINE_UP, true, false); return true;
        case host::Event::DOWN:
        case host::Event::RIGHT: changeValue(v + line_incr, host::Event::SCROLL_LINE_DOWN, true, false); return true;
        default: return NxContainer::keyDown(e, key);
    }
}

void NxScrollbar::actionPerformed(NxActionEvent& e) {
    int64_t v = value;
    if (e.getSource() == decr_arrow.get())
        changeValue(v - line_incr, host::Event::SCROLL_LINE_UP, true, false);
    else if (e.getSource() == incr_arrow.get())
        changeValue(v + line_incr, host::Event::SCROLL_LINE_DOWN, true, false);
}

void NxScrollbar::repaint() {
    TreeLock guard(*this);
    NxContainer::repaint();
}

void NxScrollbar::repaint(int x, int y, int w, int h) {
    TreeLock guard(*this);
    NxContainer::repaint(x, y, w, h);
}

void NxScrollbar::enable() {
    TreeLock guard(*this);
    NxContainer::enable();
}

void NxScrollbar::disable() {
    TreeLock guard(*this);
    NxContainer::disable();
}

}  // namespace norvex::ombu
