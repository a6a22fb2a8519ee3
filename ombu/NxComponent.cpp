#include "ombu/NxComponent.h"

#include <algorithm>
#include <climits>
#include <mutex>

#include "host/page/Applet.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "ombu/ComponentConverter.h"
#include "ombu/OmbuUtil.h"
#include "ombu/Shadow.h"
#include "util/NxEnvironment.h"

namespace norvex::ombu {

using host::Color;
using host::Graphics;
using host::Lock;
using host::Rectangle;

std::atomic<int64_t> NxComponent::popdown_time{0};

namespace {

host::Event focusEvent(host::Component* source, int id) {
    host::Event ev;
    ev.target = source;
    ev.when = host::Toolkit::currentTimeMillis();
    ev.id = id;
    return ev;
}

// Frame arithmetic runs in 64 bits: thicknesses come from page parameters and may be
// anything up to the int limit.
int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

std::atomic<bool> g_useSystemColors{false};
std::atomic<int> g_osKind{-1};  // -1: ask NxEnvironment

std::mutex& convMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<util::NxConverter>& convSlot() {
    static std::shared_ptr<util::NxConverter> conv = std::make_shared<util::NxConverter>();
    return conv;
}

}  // namespace

host::Object& NxComponent::LOCK() {
    static host::Object lock;
    return lock;
}

NxComponent::NxComponent() : NxComponent(nullptr, "") {}

NxComponent::NxComponent(host::Applet* applet, const std::string& name) : applet(applet) {
    setName(name);
    if (g_useSystemColors) {
        Canvas::setBackground(host::SystemColor::control);
        Canvas::setForeground(host::SystemColor::controlText);
    }
}

NxComponent::~NxComponent() = default;

void NxComponent::initialize() { getParameters(applet); }

void NxComponent::useSystemColors(bool on) { g_useSystemColors = on; }
bool NxComponent::getUseSystemColors() { return g_useSystemColors; }

void NxComponent::setConverter(std::shared_ptr<util::NxConverter> c) {
    std::lock_guard lock(convMutex());
    convSlot() = c ? std::move(c) : std::make_shared<util::NxConverter>();
}

std::shared_ptr<util::NxConverter> NxComponent::getConverter() {
    std::lock_guard lock(convMutex());
    return convSlot();
}

void NxComponent::setOSKind(std::optional<int> os) { g_osKind = os ? *os : -1; }

int NxComponent::getOSKind() {
    int os = g_osKind;
    return os >= 0 ? os : util::NxEnvironment::getOS();
}

OptString NxComponent::getParam(const std::string& param) {
    const std::string& name = getName();
    return getConverter()->getParam(applet, this, name.empty() ? OptString() : OptString(name), param);
}

void NxComponent::getParameters() { ComponentConverter::getParameters(*this); }

void NxComponent::getParameters(host::Applet* a) { getParameters(a, std::nullopt); }

void NxComponent::getParameters(host::Applet* a, const OptString& file) {
    ComponentConverter::readParameters(*this, a, file);
}

void NxComponent::setFont(const host::Font& f) {
    Lock guard(mutex());
    Canvas::setFont(f);
    repaint();
}

void NxComponent::setBackground(const Color& c) {
    Lock guard(mutex());
    Canvas::setBackground(c);
    repaint();
}

void NxComponent::setForeground(const Color& c) {
    Lock guard(mutex());
    Canvas::setForeground(c);
    repaint();
}

void NxComponent::setShadowThickness(int v) {
    Lock guard(mutex());
    shadow = v;
    layout();
    repaint();
}

void NxComponent::setHighlightThickness(int v) {
    Lock guard(mutex());
    highlight = v;
    layout();
    repaint();
}

Color NxComponent::getHighlightColor() const { return highlight_color.value_or(Color::black); }

void NxComponent::setHighlightColor(const host::OptColor& c) {
    Lock guard(mutex());
    highlight_color = c;
    repaint();
}

void NxComponent::setInsets(const host::Insets& i) {
    Lock guard(mutex());
    insets_ = i;
    layout();
    repaint();
}

int NxComponent::getUserDataInt() const { return userdata.isInt() ? userdata.asInt() : 0; }

void NxComponent::setPreferredSize(int w, int h) {
    pref_width = w;
    pref_height = h;
}

host::Frame* NxComponent::getFrame() { return OmbuUtil::getFrame(this); }

void NxComponent::setCursor(int cursor) { OmbuUtil::setCursor(this, cursor); }

host::AppletContext* NxComponent::getAppletContext() const { return OmbuUtil::getAppletContext(applet); }

// Geometry

Rectangle NxComponent::getDrawingArea() const {
    Rectangle r;
    return getDrawingArea(r);
}

Rectangle& NxComponent::getDrawingArea(Rectangle& r) const {
    int64_t k = int64_t(highlight) + shadow;
    r.x = clampInt(k + insets_.left);
    r.y = clampInt(k + insets_.top);
    r.width = clampInt(std::max<int64_t>(0, getWidth() - 2 * k - insets_.left - insets_.right));
    r.height = clampInt(std::max<int64_t>(0, getHeight() - 2 * k - insets_.top - insets_.bottom));
    return r;
}

int NxComponent::getDrawingAreaWidth() const { return getDrawingArea().width; }
int NxComponent::getDrawingAreaHeight() const { return getDrawingArea().height; }

host::Dimension NxComponent::preferredSize() {
    int64_t frame = 2 * int64_t(shadow) + 2 * int64_t(highlight);
    int64_t w = pref_width;
    if (w == -999) w = hasPeer() ? preferredWidth() : 0;
    w = w < 0 ? 50 : w + frame + insets_.left + insets_.right;
    int64_t h = pref_height;
    if (h == -999) h = hasPeer() ? preferredHeight() : 0;
    h = h < 0 ? 50 : h + frame + insets_.top + insets_.bottom;
    return {clampInt(w), clampInt(h)};
}

bool NxComponent::layoutAfterReshape() {
    return util::NxEnvironment::getRuntimeVersion() == 110 || util::NxEnvironment::isEmbeddedOS();
}

void NxComponent::reshape(int x, int y, int w, int h) {
    Lock guard(mutex());
    if (x == getX() && y == getY() && w == getWidth() && h == getHeight()) return;
    Canvas::reshape(x, y, w, h);
    if (layoutAfterReshape()) layout();
    if (do_repaint) repaint();
}

void NxComponent::layout() {
    Lock guard(mutex());
    needs_layout = false;
}

void NxComponent::validate() {
    if (isValid() || !hasPeer()) return;
    Canvas::validate();
    if (layoutAfterReshape()) layout();
}

void NxComponent::updateParent() {
    host::Container* p = getParent();
    if (!p) return;
    invalidate();
    p->invalidate();
    p->validate();
}

// Painting

void NxComponent::paint(Graphics& gc) {
    Lock guard(mutex());
    auto bg = getBackground();
    if (!bg) return;
    draw_gc = &gc;
    paint_rect = gc.getClipBounds();
    Graphics* g = &gc;
    // A document page gets the shapes themselves, not a picture of them.
    const bool buffered = double_buffer && !gc.isVector();
    if (buffered) {
        g = getDoubleBufferGraphics();
        if (!g) g = draw_gc;
        if (paint_rect) g->setClip(*paint_rect);
        // The off-screen copy draws the way the screen context does.
        g->setAntialias(gc.getAntialias());
    }
    int W = getWidth(), H = getHeight();
    if (!paint_rect) {
        paint_rect = Rectangle{0, 0, W, H};
        g->setClip(*paint_rect);
    }
    rect = {0, 0, W, H};
    g->setColor(*bg);
    fillBackground(*g);
    drawHighlightAndShadow(*g);
    g->setFont(getFont());
    g->setColor(getForeground().value_or(Color::black));
    getDrawingArea(rect);
    g->clipRect(rect.x, rect.y, rect.width, rect.height);
    auto remembered = dblbuffer_image;
    paintComponent(*g);
    if (buffered && dblbuffer_image) {
        draw_gc->drawImage(dblbuffer_image.get(), 0, 0);
        // Content painting took a new image: the frame drawn into the old one is lost.
        if (dblbuffer_image != remembered) drawHighlightAndShadow(*draw_gc);
    }
    dblbuffer_image = remembered;
    draw_gc = nullptr;
    paint_rect.reset();
}

void NxComponent::fillBackground(Graphics& g) { g.fillRect(0, 0, getWidth(), getHeight()); }

void NxComponent::drawHighlight(bool on) {
    Lock guard(mutex());
    if (!isShowing()) return;
    if (auto g = getGraphics()) {
        drawHighlight(*g, on);
        g->dispose();
    }
}

void NxComponent::drawHighlight(Graphics& g, bool on) {
    if (highlight == 0 || !intersects(paint_rect, highlight)) return;
    host::OptColor c;
    if (on) {
        c = highlight_color;
    } else if (host::Container* p = getParent()) {
        // Off, the band takes the colour around the component so that it disappears.
        c = OmbuUtil::instanceOf(p, "NxSpinBox") ? getBackground() : p->getBackground();
    }
    g.setColor(c.value_or(Color::black));
    int W = getWidth(), H = getHeight();
    // Rectangles past the middle have a negative size and draw nothing, so a band
    // thicker than the component stops there.
    int64_t fits = std::min<int64_t>(highlight, (std::min(W, H) + 1) / 2);
    for (int i = 0; i < fits; ++i) g.drawRect(i, i, W - 1 - 2 * i, H - 1 - 2 * i);
}

void NxComponent::drawShadow(Graphics& g) {
    if (!intersects(paint_rect, clampInt(int64_t(highlight) + shadow))) return;
    Shadow::draw(g, shadow_type, shadow, highlight, highlight, clampInt(getWidth() - 2 * int64_t(highlight)),
                 clampInt(getHeight() - 2 * int64_t(highlight)), getBackground().value_or(Color::lightGray),
                 getForeground().value_or(Color::black));
}

void NxComponent::drawHighlightAndShadow(Graphics& g) {
    drawHighlight(g, has_focus);
    if (shadow >= 1 && shadow_type != OmbuEnum::SHADOW_NONE) drawShadow(g);
}

bool NxComponent::intersects(const std::optional<Rectangle>& r, int v) const {
    if (!r) return true;
    int64_t W = getWidth(), H = getHeight();
    int64_t x0 = r->x, x1 = int64_t(r->x) + r->width;
    if ((x0 <= v && v <= x1) || (x0 <= W - v && W - v <= x1)) return true;
    int64_t y0 = r->y, y1 = int64_t(r->y) + r->height;
    return (y0 <= v && v <= y1) || (y0 <= H - v && H - v <= y1);
}

Graphics* NxComponent::getDoubleBufferGraphics() {
    Lock guard(mutex());
    auto previous = dblbuffer_image;
    dblbuffer_image = OmbuUtil::createImage(this, getWidth(), getHeight());
    if (!dblbuffer_image)
        dblbuffer_image_gc.reset();
    else if (dblbuffer_image != previous || !dblbuffer_image_gc)
        dblbuffer_image_gc = dblbuffer_image->getGraphics();
    return dblbuffer_image_gc.get();
}

void NxComponent::printAll(Graphics& g) {
    Lock guard(mutex());
    bool saved = double_buffer;
    double_buffer = false;
    Canvas::printAll(g);
    double_buffer = saved;
}

std::shared_ptr<host::Image> NxComponent::createImage(int w, int h) {
    host::Dimension screen = getToolkit().getScreenSize();
    w = std::clamp(w, 1, std::max(1, screen.width));
    h = std::clamp(h, 1, std::max(1, screen.height));
    return Canvas::createImage(w, h);
}

// Repainting

void NxComponent::repaint() {
    Lock guard(mutex());
    repaint(0, 0, getWidth(), getHeight());
}

void NxComponent::repaint(int x, int y, int w, int h) {
    // Under the lock, so that a repaint from another thread waits for the paint in
    // progress instead of being taken for a nested one and dropped.
    Lock guard(mutex());
    if (!hasPeer() || !isShowing() || w < 1 || h < 1 || in_repaint) return;
    int W = getWidth(), H = getHeight();
    if (x >= W || y >= H || int64_t(x) + w < 0 || int64_t(y) + h < 0) return;
    int w2 = int64_t(x) + w > W ? W - x : w;
    int h2 = int64_t(y) + h > H ? H - y : h;
    if (auto g = getGraphics()) {
        repaint(g.get(), x, y, w2, h2);
        g->dispose();
    }
}

void NxComponent::repaint(Graphics* g, int x, int y, int w, int h) {
    if (!g) return;
    Lock guard(mutex());
    in_repaint = true;
    g->setClip(x, y, w, h);
    paint(*g);
    in_repaint = false;
}

// Enabling and focus

void NxComponent::enable() {
    Lock guard(mutex());
    if (isEnabled()) return;
    Canvas::enable();
    repaint();
}

void NxComponent::disable() {
    Lock guard(mutex());
    if (!isEnabled()) return;
    drawHighlight(false);
    Canvas::disable();
    repaint();
}

bool NxComponent::isFocusTraversable() const { return traversable && isEnabled() && isShowing(); }

void NxComponent::requestFocus() {
    Canvas::requestFocus();
    if (isFocusTraversable()) {
        // Shows the highlight at once instead of when the queued focus event arrives.
        host::Event ev = focusEvent(this, host::Event::GOT_FOCUS);
        handleEvent(ev);
    }
}

bool NxComponent::gotFocus(host::Event& e, const host::Value& arg) {
    if (!isEnabled()) {
        drawHighlight(false);
        return true;
    }
    Canvas::gotFocus(e, arg);
    has_focus = true;
    if (isShowing()) drawHighlight(true);
    return true;
}

bool NxComponent::lostFocus(host::Event& e, const host::Value& arg) {
    Canvas::lostFocus(e, arg);
    has_focus = false;
    if (isShowing()) drawHighlight(false);
    return true;
}

// Input bridge

void NxComponent::addNotify() {
    if (!hasPeer()) Canvas::addNotify();
    if (!applet) applet = OmbuUtil::getApplet(this);
    applet_context = getAppletContext();
    enable11Events(host::AWTEvent::FOCUS_EVENT_MASK | host::AWTEvent::KEY_EVENT_MASK |
                   host::AWTEvent::MOUSE_EVENT_MASK);
}

bool NxComponent::tooSoonAfterPopdown(int64_t when, bool inclusive) {
    if (getOSKind() == 1) return false;
    int64_t since = when - popdown_time.load();
    return since >= 0 && (inclusive ? since <= 50 : since < 50);
}


void NxComponent::processFocusEvent(host::FocusEvent& e) {
    host::Event ev = focusEvent(this, e.getID());
    if (e.getID() == host::FocusEvent::FOCUS_GAINED)
        gotFocus(ev, ev.arg);
    else if (e.getID() == host::FocusEvent::FOCUS_LOST)
        lostFocus(ev, ev.arg);
    Canvas::processFocusEvent(e);
}

void NxComponent::processKeyEvent(host::KeyEvent& e) {
    if (e.getID() == host::KeyEvent::KEY_PRESSED) {
        int code = e.getKeyCode();
        // Modifier keys alone are not keys to a widget.
        if (code == host::KeyEvent::VK_SHIFT || code == host::KeyEvent::VK_CONTROL || code == host::KeyEvent::VK_ALT)
            return;
        host::Event ev = convertEvent(this, e);
        keyDown(ev, ev.key);
    }
    Canvas::processKeyEvent(e);
}

host::Event NxComponent::convertEvent(host::Component* source, const host::KeyEvent& ev) {
    int key = ev.getKeyChar();
    for (auto [code, value] : keyCodes)
        if (ev.getKeyCode() == code) key = value;
    host::Event out;
    out.target = source;
    out.when = ev.getWhen();
    out.id = ev.isActionKey() ? host::Event::KEY_ACTION : host::Event::KEY_PRESS;
    out.key = key;
    out.modifiers = ev.getModifiers() & 15;
    return out;
}

void NxComponent::processMouseEvent(host::MouseEvent& e) {
    switch (e.getID()) {
        case host::MouseEvent::MOUSE_PRESSED: {
            // The click that closed a drop-down list must not also act on the widget beneath.
            if (tooSoonAfterPopdown(e.getWhen(), true)) return;
            auto ev = OmbuUtil::toOldEvent(this, e, host::Event::MOUSE_DOWN);
            mouseDown(ev, ev.x, ev.y);
            break;
        }
        case host::MouseEvent::MOUSE_RELEASED: {
            auto ev = OmbuUtil::toOldEvent(this, e, host::Event::MOUSE_UP);
            mouseUp(ev, ev.x, ev.y);
            break;
        }
        case host::MouseEvent::MOUSE_ENTERED: {
            auto ev = OmbuUtil::toOldEvent(this, e, host::Event::MOUSE_ENTER);
            mouseEnter(ev, ev.x, ev.y);
            break;
        }
        case host::MouseEvent::MOUSE_EXITED: {
            auto ev = OmbuUtil::toOldEvent(this, e, host::Event::MOUSE_EXIT);
            mouseExit(ev, ev.x, ev.y);
            break;
        }
        default: break;
    }
    Canvas::processMouseEvent(e);
}

void NxComponent::processMouseMotionEvent(host::MouseEvent& e) {
    OmbuUtil::deliverOldMotion(*this, e);
    Canvas::processMouseMotionEvent(e);
}

bool NxComponent::mouseDown(host::Event& e, int, int) {
    if (tooSoonAfterPopdown(e.when, false)) return true;
    if (OmbuUtil::getMouseButton(e) == 1 && isFocusTraversable()) requestFocus();
    return false;
}

}  // namespace norvex::ombu
