#include "ombu/NxContainer.h"

#include <algorithm>
#include <climits>
#include <mutex>

#include "host/page/Applet.h"
#include "host/ui/Window.h"
#include "ombu/ComponentConverter.h"
#include "ombu/NxComponent.h"
#include "ombu/OmbuUtil.h"

namespace norvex::ombu {

using host::Color;
using host::Graphics;
using host::Lock;
using host::Rectangle;

namespace {

std::mutex& convMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<util::NxConverter>& convSlot() {
    static std::shared_ptr<util::NxConverter> conv = std::make_shared<util::NxConverter>();
    return conv;
}


}  // namespace

NxContainer::NxContainer() : NxContainer(nullptr, "") {}

NxContainer::NxContainer(host::Applet* applet, const std::string& name) : applet(applet) {
    setName(name);
    if (NxComponent::getUseSystemColors()) {
        Panel::setBackground(host::SystemColor::control);
        Panel::setForeground(host::SystemColor::controlText);
    }
}

NxContainer::~NxContainer() = default;

void NxContainer::initialize() { getParameters(applet); }

void NxContainer::setConverter(std::shared_ptr<util::NxConverter> c) {
    std::lock_guard lock(convMutex());
    convSlot() = c ? std::move(c) : std::make_shared<util::NxConverter>();
}

std::shared_ptr<util::NxConverter> NxContainer::getConverter() {
    std::lock_guard lock(convMutex());
    return convSlot();
}

void NxContainer::useSystemColors(bool on) { NxComponent::useSystemColors(on); }

OptString NxContainer::getParam(const std::string& param) {
    const std::string& name = getName();
    return getConverter()->getParam(applet, this, name.empty() ? OptString() : OptString(name), param);
}

void NxContainer::getParameters() { ComponentConverter::getParameters(*this); }

void NxContainer::getParameters(host::Applet* a) { getParameters(a, std::nullopt); }

void NxContainer::getParameters(host::Applet* a, const OptString& file) {
    ComponentConverter::readParameters(*this, a, file);
}

host::AppletContext* NxContainer::getAppletContext() const { return OmbuUtil::getAppletContext(applet); }

host::Insets NxContainer::insets() { return insets_ ? *insets_ : Panel::insets(); }

void NxContainer::setPreferredSize(int w, int h) {
    pref_width = w;
    pref_height = h;
}

host::Dimension NxContainer::preferredSize() {
    // A layout manager that asks back while we measure gets the Panel's own answer.
    if (in_pref_size) return Panel::preferredSize();
    in_pref_size = true;
    host::Insets in = insets();
    int64_t w = pref_width == -999 ? preferredWidth() : pref_width;
    int64_t h = pref_height == -999 ? preferredHeight() : pref_height;
    // 64 bits: sizes and insets from page parameters may reach the int limit.
    w = w < 0 ? std::max(20, Panel::preferredSize().width) : w + in.left + in.right;
    h = h < 0 ? std::max(20, Panel::preferredSize().height) : h + in.top + in.bottom;
    in_pref_size = false;
    return {int(std::clamp<int64_t>(w, INT_MIN, INT_MAX)), int(std::clamp<int64_t>(h, INT_MIN, INT_MAX))};
}

void NxContainer::reshape(int x, int y, int w, int h) {
    Lock guard(mutex());
    if (w < 0 || h < 0) return;
    if (x == getX() && y == getY() && w == getWidth() && h == getHeight()) return;
    Panel::reshape(x, y, w, h);
    invalidate();
    validate();
}

void NxContainer::validate() {
    std::lock_guard tree(getTreeLock());
    Panel::validate();
}

void NxContainer::updateParent() {
    host::Container* p = getParent();
    if (!p) return;
    invalidate();
    p->invalidate();
    p->validate();
}

void NxContainer::setCursor(int cursor) { OmbuUtil::setCursor(this, cursor); }

void NxContainer::enable() {
    Lock guard(mutex());
    Panel::enable();
    for (auto& c : getComponents()) c->enable();
}

void NxContainer::disable() {
    Lock guard(mutex());
    Panel::disable();
    for (auto& c : getComponents()) c->disable();
}

void NxContainer::repaint() {
    Lock guard(mutex());
    if (!hasPeer() || !isShowing()) return;
    if (auto g = getGraphics()) {
        paint(*g);
        g->dispose();
    }
    repaintChildren(std::nullopt);
}

void NxContainer::repaint(int x, int y, int w, int h) {
    Lock guard(mutex());
    if (!hasPeer() || !isShowing() || w < 1 || h < 1) return;
    int W = getWidth(), H = getHeight();
    if (x >= W || y >= H || int64_t(x) + w < 0 || int64_t(y) + h < 0) return;
    int w2 = int64_t(x) + w > W ? W - x : w;
    int h2 = int64_t(y) + h > H ? H - y : h;
    if (auto g = getGraphics()) {
        g->clipRect(x, y, w2, h2);
        paint(*g);
        g->dispose();
    }
    repaintChildren(Rectangle{x, y, w2, h2});
}

void NxContainer::repaintChildren(const std::optional<Rectangle>& area) {
    // All components of a window share its buffer, so painting the container covered
    // its children: they paint again, each over the part of the area it occupies.
    host::Window* window = getWindow();
    for (auto& c : getComponents()) {
        if (!c->isVisible()) continue;
        Rectangle b = c->getBounds();
        Rectangle part = area ? area->intersection(b) : b;
        if (part.isEmpty()) continue;
        part.translate(-b.x, -b.y);
        if (auto* nc = dynamic_cast<NxComponent*>(c.get()))
            nc->repaint(part.x, part.y, part.width, part.height);
        else if (auto* ct = dynamic_cast<NxContainer*>(c.get()))
            ct->repaint(part.x, part.y, part.width, part.height);
        else if (window && c->isShowing())
            window->paintComponentTree(*c);
    }
}

host::GraphicsPtr NxContainer::getDoubleBufferGraphics() {
    Lock guard(mutex());
    dblbuffer_image = OmbuUtil::createImage(this, getWidth(), getHeight());
    return dblbuffer_image ? dblbuffer_image->getGraphics() : nullptr;
}

void NxContainer::paint(Graphics& gc) {
    // Holds the lock (as repaint does) so that two threads never share paint_rect.
    Lock guard(mutex());
    auto bg = getBackground();
    if (!bg || !getParent()) return;
    paint_rect = gc.getClipBounds().value_or(Rectangle{0, 0, getWidth(), getHeight()});
    if (paint_rect->isEmpty()) {
        paint_rect.reset();
        return;
    }
    Graphics* g = &gc;
    host::GraphicsPtr offscreen;
    // A document page gets the shapes themselves, not a picture of them.
    if (double_buffer && !gc.isVector()) {
        offscreen = getDoubleBufferGraphics();
        if (!offscreen) {
            double_buffer = false;
        } else {
            g = offscreen.get();
            g->clipRect(paint_rect->x, paint_rect->y, paint_rect->width, paint_rect->height);
        }
    }
    g->setColor(*bg);
    fillBackground(*g);
    if (g->getColor() != *bg) g->setColor(*bg);
    paintInterior(*g);
    if (offscreen) {
        offscreen->dispose();
        gc.drawImage(dblbuffer_image.get(), 0, 0);
    }
    Panel::paint(gc);
    paint_rect.reset();
}

void NxContainer::fillBackground(Graphics& g) { g.fillRect(0, 0, getWidth(), getHeight()); }

void NxContainer::printAll(Graphics& g) {
    Lock guard(mutex());
    bool saved = double_buffer;
    double_buffer = false;
    Panel::printAll(g);
    double_buffer = saved;
}

void NxContainer::addNotify() {
    if (!hasPeer()) Panel::addNotify();
    if (!applet) applet = OmbuUtil::getApplet(this);
    enable11Events(host::AWTEvent::MOUSE_EVENT_MASK);
    if (!isEnabled())
        for (auto& c : getComponents()) c->disable();
}

void NxContainer::processMouseEvent(host::MouseEvent& e) {
    int id = 0;
    switch (e.getID()) {
        case host::MouseEvent::MOUSE_PRESSED: id = host::Event::MOUSE_DOWN; break;
        case host::MouseEvent::MOUSE_RELEASED: id = host::Event::MOUSE_UP; break;
        case host::MouseEvent::MOUSE_ENTERED: id = host::Event::MOUSE_ENTER; break;
        case host::MouseEvent::MOUSE_EXITED: id = host::Event::MOUSE_EXIT; break;
        default: break;
    }
    if (id) {
        auto ev = OmbuUtil::toOldEvent(this, e, id);
        switch (id) {
            case host::Event::MOUSE_DOWN: mouseDown(ev, ev.x, ev.y); break;
            case host::Event::MOUSE_UP: mouseUp(ev, ev.x, ev.y); break;
            case host::Event::MOUSE_ENTER: mouseEnter(ev, ev.x, ev.y); break;
            default: mouseExit(ev, ev.x, ev.y); break;
        }
    }
    Panel::processMouseEvent(e);
}

void NxContainer::processMouseMotionEvent(host::MouseEvent& e) {
    OmbuUtil::deliverOldMotion(*this, e);
    Panel::processMouseMotionEvent(e);
}

void NxContainer::addImpl(const host::ComponentPtr& c, const host::Value& constraints, int index) {
    if (c && c->getParent() == this) return;
    Panel::addImpl(c, constraints, index);
}

int NxContainer::getComponent(const host::Component* c) const {
    auto children = getComponents();
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i].get() == c) return int(i);
    return -999;
}

}  // namespace norvex::ombu
