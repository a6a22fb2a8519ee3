#include "host/ui/Component.h"

#include <algorithm>

#include "host/ui/Container.h"
#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"

namespace host {

Component::Component() = default;
Component::~Component() = default;

std::recursive_mutex& Component::getTreeLock() {
    static std::recursive_mutex treeLock;
    return treeLock;
}

Window* Component::getWindow() const {
    for (const Component* c = this; c; c = c->parent_)
        if (auto* w = dynamic_cast<const Window*>(c)) return const_cast<Window*>(w);
    return nullptr;
}

Toolkit& Component::getToolkit() const { return Toolkit::getDefaultToolkit(); }

void Component::addNotify() {
    peer_ = true;
    invalidate();
}

void Component::removeNotify() {
    if (Window* w = getWindow(); w && w->getFocusOwner() == this) w->setFocusOwner(nullptr);
    peer_ = false;
}

void Component::setVisible(bool b) {
    if (visible_ == b) return;
    visible_ = b;
    if (parent_) parent_->invalidate();
}

bool Component::isShowing() const {
    if (!visible_ || !peer_) return false;
    return parent_ ? parent_->isShowing() : false;
}

void Component::setEnabled(bool b) {
    if (b)
        enable();
    else
        disable();
}

void Component::enable() { enabled_ = true; }
void Component::disable() { enabled_ = false; }

Point Component::getLocationInWindow() const {
    Point p{0, 0};
    for (const Component* c = this; c && !dynamic_cast<const Window*>(c); c = c->parent_) {
        p.x += c->bounds_.x;
        p.y += c->bounds_.y;
    }
    return p;
}

void Component::reshape(int x, int y, int w, int h) {
    bool resized = w != bounds_.width || h != bounds_.height;
    bounds_ = {x, y, w, h};
    if (resized) invalidate();
}

Dimension Component::preferredSize() { return minimumSize(); }
Dimension Component::minimumSize() { return getSize(); }

OptColor Component::getBackground() const {
    if (background_) return background_;
    return parent_ ? parent_->getBackground() : std::nullopt;
}

OptColor Component::getForeground() const {
    if (foreground_) return foreground_;
    return parent_ ? parent_->getForeground() : std::nullopt;
}

Font Component::getFont() const {
    if (font_) return *font_;
    return parent_ ? parent_->getFont() : Font();
}

void Component::setBackground(const Color& c) { background_ = c; }
void Component::setForeground(const Color& c) { foreground_ = c; }
void Component::setFont(const Font& f) {
    font_ = f;
    invalidate();
}

void Component::invalidate() {
    valid_ = false;
    if (parent_ && parent_->isValid()) parent_->invalidate();
}

void Component::validate() { valid_ = true; }

void Component::update(Graphics& g) {
    if (auto bg = getBackground()) {
        Color old = g.getColor();
        g.setColor(*bg);
        g.fillRect(0, 0, getWidth(), getHeight());
        g.setColor(old);
    }
    paint(g);
}

void Component::repaint() { repaint(0, 0, getWidth(), getHeight()); }

void Component::repaint(int x, int y, int w, int h) {
    if (!isShowing() || w <= 0 || h <= 0) return;
    std::weak_ptr<Component> self = std::static_pointer_cast<Component>(shared_from_this());
    getToolkit().getSystemEventQueue().invokeLater([self, x, y, w, h] {
        auto c = self.lock();
        if (!c || !c->isShowing()) return;
        if (auto g = c->getGraphics()) {
            g->clipRect(x, y, w, h);
            c->update(*g);
        }
    });
}

GraphicsPtr Component::getGraphics() {
    if (!isShowing()) return nullptr;
    Window* w = getWindow();
    if (!w) return nullptr;
    return w->graphicsFor(*this);
}

std::shared_ptr<Image> Component::createImage(int w, int h) { return Image::createOffscreen(w, h); }

bool Component::handleEvent(Event& e) {
    switch (e.id) {
        case Event::MOUSE_ENTER: return mouseEnter(e, e.x, e.y);
        case Event::MOUSE_EXIT: return mouseExit(e, e.x, e.y);
        case Event::MOUSE_MOVE: return mouseMove(e, e.x, e.y);
        case Event::MOUSE_DOWN: return mouseDown(e, e.x, e.y);
        case Event::MOUSE_DRAG: return mouseDrag(e, e.x, e.y);
        case Event::MOUSE_UP: return mouseUp(e, e.x, e.y);
        case Event::KEY_PRESS:
        case Event::KEY_ACTION: return keyDown(e, e.key);
        case Event::KEY_RELEASE:
        case Event::KEY_ACTION_RELEASE: return keyUp(e, e.key);
        case Event::ACTION_EVENT: return action(e, e.arg);
        case Event::GOT_FOCUS: return gotFocus(e, e.arg);
        case Event::LOST_FOCUS: return lostFocus(e, e.arg);
        default: return false;
    }
}

bool Component::postEvent(Event& e) {
    if (handleEvent(e)) return true;
    if (parent_) {
        // The parent sees the position in its own coordinates.
        e.translate(bounds_.x, bounds_.y);
        return parent_->postEvent(e);
    }
    return false;
}

namespace {
template <class L>
void addUnique(std::vector<L*>& v, L* l) {
    if (l && std::find(v.begin(), v.end(), l) == v.end()) v.push_back(l);
}
template <class L>
void removeOne(std::vector<L*>& v, L* l) {
    v.erase(std::remove(v.begin(), v.end(), l), v.end());
}
}  // namespace

void Component::addFocusListener(FocusListener* l) { std::lock_guard g(listenersMutex_); addUnique(focusListeners_, l); }
void Component::removeFocusListener(FocusListener* l) { std::lock_guard g(listenersMutex_); removeOne(focusListeners_, l); }
void Component::addKeyListener(KeyListener* l) { std::lock_guard g(listenersMutex_); addUnique(keyListeners_, l); }
void Component::removeKeyListener(KeyListener* l) { std::lock_guard g(listenersMutex_); removeOne(keyListeners_, l); }
void Component::addMouseListener(MouseListener* l) { std::lock_guard g(listenersMutex_); addUnique(mouseListeners_, l); }
void Component::removeMouseListener(MouseListener* l) { std::lock_guard g(listenersMutex_); removeOne(mouseListeners_, l); }
void Component::addMouseMotionListener(MouseMotionListener* l) {
    std::lock_guard g(listenersMutex_);
    addUnique(motionListeners_, l);
}
void Component::removeMouseMotionListener(MouseMotionListener* l) {
    std::lock_guard g(listenersMutex_);
    removeOne(motionListeners_, l);
}

bool Component::wantsNewEvent(const AWTEvent& e) const {
    std::lock_guard g(listenersMutex_);
    int64_t mask = eventMask_;
    switch (e.getID()) {
        case FocusEvent::FOCUS_GAINED:
        case FocusEvent::FOCUS_LOST:
            return (mask & AWTEvent::FOCUS_EVENT_MASK) || !focusListeners_.empty();
        case KeyEvent::KEY_TYPED:
        case KeyEvent::KEY_PRESSED:
        case KeyEvent::KEY_RELEASED:
            return (mask & AWTEvent::KEY_EVENT_MASK) || !keyListeners_.empty();
        case MouseEvent::MOUSE_MOVED:
        case MouseEvent::MOUSE_DRAGGED:
            return (mask & AWTEvent::MOUSE_MOTION_EVENT_MASK) || !motionListeners_.empty();
        case MouseEvent::MOUSE_CLICKED:
        case MouseEvent::MOUSE_PRESSED:
        case MouseEvent::MOUSE_RELEASED:
        case MouseEvent::MOUSE_ENTERED:
        case MouseEvent::MOUSE_EXITED:
            return (mask & AWTEvent::MOUSE_EVENT_MASK) || !mouseListeners_.empty();
        default: return false;
    }
}

bool Component::toOldEvent(AWTEvent& e, Event& out) {
    out = Event();
    out.target = e.getSource();
    if (auto* m = dynamic_cast<MouseEvent*>(&e)) {
        out.when = m->getWhen();
        out.x = m->getX();
        out.y = m->getY();
        out.modifiers = m->getModifiers() & 15;
        out.clickCount = m->getClickCount();
        switch (m->getID()) {
            case MouseEvent::MOUSE_PRESSED: out.id = Event::MOUSE_DOWN; break;
            case MouseEvent::MOUSE_RELEASED: out.id = Event::MOUSE_UP; break;
            case MouseEvent::MOUSE_MOVED: out.id = Event::MOUSE_MOVE; break;
            case MouseEvent::MOUSE_DRAGGED: out.id = Event::MOUSE_DRAG; break;
            case MouseEvent::MOUSE_ENTERED: out.id = Event::MOUSE_ENTER; break;
            case MouseEvent::MOUSE_EXITED: out.id = Event::MOUSE_EXIT; break;
            default: return false;  // clicks have no old-model counterpart
        }
        return true;
    }
    if (auto* k = dynamic_cast<KeyEvent*>(&e)) {
        out.when = k->getWhen();
        out.modifiers = k->getModifiers() & 15;
        out.key = k->getKeyChar() == KeyEvent::CHAR_UNDEFINED ? 0 : k->getKeyChar();
        static const std::pair<int, int> actionKeys[] = {
            {KeyEvent::VK_HOME, Event::HOME},   {KeyEvent::VK_END, Event::END},
            {KeyEvent::VK_PAGE_UP, Event::PGUP}, {KeyEvent::VK_PAGE_DOWN, Event::PGDN},
            {KeyEvent::VK_UP, Event::UP},       {KeyEvent::VK_DOWN, Event::DOWN},
            {KeyEvent::VK_LEFT, Event::LEFT},   {KeyEvent::VK_RIGHT, Event::RIGHT},
            {KeyEvent::VK_INSERT, Event::INSERT}};
        bool actionKey = false;
        for (auto [vk, key] : actionKeys)
            if (k->getKeyCode() == vk) {
                out.key = key;
                actionKey = true;
            }
        if (k->getKeyCode() >= KeyEvent::VK_F1 && k->getKeyCode() <= KeyEvent::VK_F12) {
            out.key = Event::F1 + (k->getKeyCode() - KeyEvent::VK_F1);
            actionKey = true;
        }
        if (k->getID() == KeyEvent::KEY_PRESSED)
            out.id = actionKey ? Event::KEY_ACTION : Event::KEY_PRESS;
        else if (k->getID() == KeyEvent::KEY_RELEASED)
            out.id = actionKey ? Event::KEY_ACTION_RELEASE : Event::KEY_RELEASE;
        else
            return false;
        return out.key != 0;
    }
    if (auto* f = dynamic_cast<FocusEvent*>(&e)) {
        out.id = f->getID() == FocusEvent::FOCUS_GAINED ? Event::GOT_FOCUS : Event::LOST_FOCUS;
        return true;
    }
    return false;
}

void Component::dispatchEvent(AWTEvent& e) {
    if (auto* f = dynamic_cast<FocusEvent*>(&e)) {
        if (Window* w = getWindow()) {
            if (f->getID() == FocusEvent::FOCUS_GAINED)
                w->setFocusOwner(this);
            else if (w->getFocusOwner() == this)
                w->setFocusOwner(nullptr);
        }
    }
    if (wantsNewEvent(e)) {
        processEvent(e);
        return;
    }
    Event old;
    if (toOldEvent(e, old)) postEvent(old);
}

void Component::processEvent(AWTEvent& e) {
    if (auto* f = dynamic_cast<FocusEvent*>(&e))
        processFocusEvent(*f);
    else if (auto* k = dynamic_cast<KeyEvent*>(&e))
        processKeyEvent(*k);
    else if (auto* m = dynamic_cast<MouseEvent*>(&e)) {
        if (m->getID() == MouseEvent::MOUSE_MOVED || m->getID() == MouseEvent::MOUSE_DRAGGED)
            processMouseMotionEvent(*m);
        else
            processMouseEvent(*m);
    }
}

void Component::processFocusEvent(FocusEvent& e) {
    std::vector<FocusListener*> ls;
    {
        std::lock_guard g(listenersMutex_);
        ls = focusListeners_;
    }
    for (auto* l : ls) {
        if (e.getID() == FocusEvent::FOCUS_GAINED)
            l->focusGained(e);
        else
            l->focusLost(e);
    }
}

void Component::processKeyEvent(KeyEvent& e) {
    std::vector<KeyListener*> ls;
    {
        std::lock_guard g(listenersMutex_);
        ls = keyListeners_;
    }
    for (auto* l : ls) {
        switch (e.getID()) {
            case KeyEvent::KEY_TYPED: l->keyTyped(e); break;
            case KeyEvent::KEY_PRESSED: l->keyPressed(e); break;
            default: l->keyReleased(e); break;
        }
    }
}

void Component::processMouseEvent(MouseEvent& e) {
    std::vector<MouseListener*> ls;
    {
        std::lock_guard g(listenersMutex_);
        ls = mouseListeners_;
    }
    for (auto* l : ls) {
        switch (e.getID()) {
            case MouseEvent::MOUSE_CLICKED: l->mouseClicked(e); break;
            case MouseEvent::MOUSE_PRESSED: l->mousePressed(e); break;
            case MouseEvent::MOUSE_RELEASED: l->mouseReleased(e); break;
            case MouseEvent::MOUSE_ENTERED: l->mouseEntered(e); break;
            default: l->mouseExited(e); break;
        }
    }
}

void Component::processMouseMotionEvent(MouseEvent& e) {
    std::vector<MouseMotionListener*> ls;
    {
        std::lock_guard g(listenersMutex_);
        ls = motionListeners_;
    }
    for (auto* l : ls) {
        if (e.getID() == MouseEvent::MOUSE_DRAGGED)
            l->mouseDragged(e);
        else
            l->mouseMoved(e);
    }
}

bool Component::isFocusTraversable() const { return false; }

void Component::requestFocus() {
    Window* w = getWindow();
    if (!w || !isShowing()) return;
    Component* old = w->getFocusOwner();
    if (old == this) return;
    auto& q = getToolkit().getSystemEventQueue();
    if (old) {
        auto oldPtr = std::static_pointer_cast<Component>(old->shared_from_this());
        q.postEvent(oldPtr, std::make_shared<FocusEvent>(old, FocusEvent::FOCUS_LOST));
    }
    auto self = std::static_pointer_cast<Component>(shared_from_this());
    w->setFocusOwner(this);
    q.postEvent(self, std::make_shared<FocusEvent>(this, FocusEvent::FOCUS_GAINED));
}

void Component::transferFocus() {
    // Moves the focus to the next focus-traversable component of the window, in tree order.
    Window* w = getWindow();
    if (!w) return;
    std::vector<Component*> order;
    std::function<void(Component*)> walk = [&](Component* c) {
        if (!c->isVisible() || !c->isEnabled()) return;
        if (c->isFocusTraversable()) order.push_back(c);
        if (auto* ct = dynamic_cast<Container*>(c))
            for (auto& ch : ct->getComponents()) walk(ch.get());
    };
    walk(w);
    if (order.empty()) return;
    auto it = std::find(order.begin(), order.end(), this);
    Component* next = (it == order.end() || it + 1 == order.end()) ? order.front() : *(it + 1);
    next->requestFocus();
}

bool Component::isFocusOwner() const {
    Window* w = getWindow();
    return w && w->getFocusOwner() == this;
}

std::string Component::toString() const {
    return getClassName() + "[" + name_ + "," + std::to_string(bounds_.x) + "," + std::to_string(bounds_.y) + "," +
           std::to_string(bounds_.width) + "x" + std::to_string(bounds_.height) + "]";
}

void Canvas::paint(Graphics& g) {
    // A blank canvas shows its background.
    if (auto bg = getBackground()) {
        g.setColor(*bg);
        g.fillRect(0, 0, getWidth(), getHeight());
    }
}

}  // namespace host
