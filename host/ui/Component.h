// The component tree: Component is the base of everything on screen. It holds
// bounds, colours, font, visibility and enabled state, the peer flag set by
// addNotify, the old-model handlers (mouseDown, keyDown ...) and the
// listener-style dispatch (processEvent and friends).
//
// Ownership: a Container owns its children (shared_ptr); the parent link is a
// plain pointer that the container clears when it removes the child.
// Painting: each component with a peer paints into its window's back buffer
// through getGraphics(); the window shows the buffer (on screen or as a file).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/ui/AWTEvent.h"
#include "host/base/Color.h"
#include "host/ui/Event.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/graphics/Graphics.h"
#include "host/runtime/Object.h"

namespace host {

class Container;
class Window;
class Image;
class Toolkit;

// Predefined cursors.
struct Cursor {
    static constexpr int DEFAULT_CURSOR = 0, CROSSHAIR_CURSOR = 1, TEXT_CURSOR = 2, WAIT_CURSOR = 3,
                         SW_RESIZE_CURSOR = 4, SE_RESIZE_CURSOR = 5, NW_RESIZE_CURSOR = 6, NE_RESIZE_CURSOR = 7,
                         N_RESIZE_CURSOR = 8, S_RESIZE_CURSOR = 9, W_RESIZE_CURSOR = 10, E_RESIZE_CURSOR = 11,
                         HAND_CURSOR = 12, MOVE_CURSOR = 13;
};

class Component : public Object {
    HOST_OBJECT(Component, "host.Component", Object)
public:
    Component();
    ~Component() override;

    const std::string& getName() const { return name_; }
    void setName(const std::string& n) { name_ = n; }
    Container* getParent() const { return parent_; }
    // The nearest window holding this component (itself if it is a window), or null.
    Window* getWindow() const;
    Toolkit& getToolkit() const;

    // The tree lock: held while the tree's structure or layout changes.
    static std::recursive_mutex& getTreeLock();

    // Peers. A component has a peer between addNotify and removeNotify.
    virtual void addNotify();
    virtual void removeNotify();
    bool hasPeer() const { return peer_; }

    // Visibility and enabling.
    bool isVisible() const { return visible_; }
    virtual void setVisible(bool b);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    // Visible, with a peer, inside a visible window.
    virtual bool isShowing() const;
    bool isEnabled() const { return enabled_; }
    void setEnabled(bool b);
    virtual void enable();
    virtual void disable();

    // Geometry (relative to the parent).
    int getX() const { return bounds_.x; }
    int getY() const { return bounds_.y; }
    int getWidth() const { return bounds_.width; }
    int getHeight() const { return bounds_.height; }
    Rectangle getBounds() const { return bounds_; }
    Rectangle bounds() const { return bounds_; }
    Dimension getSize() const { return {bounds_.width, bounds_.height}; }
    Dimension size() const { return getSize(); }
    Point getLocation() const { return {bounds_.x, bounds_.y}; }
    Point location() const { return getLocation(); }
    // Position of the top-left corner in the window's coordinates.
    Point getLocationInWindow() const;
    virtual void reshape(int x, int y, int w, int h);
    void setBounds(int x, int y, int w, int h) { reshape(x, y, w, h); }
    void setBounds(const Rectangle& r) { reshape(r.x, r.y, r.width, r.height); }
    void resize(int w, int h) { reshape(bounds_.x, bounds_.y, w, h); }
    void setSize(int w, int h) { resize(w, h); }
    void move(int x, int y) { reshape(x, y, bounds_.width, bounds_.height); }
    void setLocation(int x, int y) { move(x, y); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < bounds_.width && y < bounds_.height; }

    // Size hints.
    virtual Dimension preferredSize();
    virtual Dimension minimumSize();
    Dimension getPreferredSize() { return preferredSize(); }
    Dimension getMinimumSize() { return minimumSize(); }

    // Colours and font; unset values are inherited from the parent.
    virtual OptColor getBackground() const;
    virtual OptColor getForeground() const;
    virtual Font getFont() const;
    bool hasOwnFont() const { return font_.has_value(); }
    virtual void setBackground(const Color& c);
    virtual void setForeground(const Color& c);
    virtual void setFont(const Font& f);
    FontMetrics getFontMetrics(const Font& f) const { return FontMetrics::get(f); }

    void setCursor(int cursor) { cursor_ = cursor; }
    int getCursor() const { return cursor_; }

    // Layout.
    bool isValid() const { return valid_; }
    virtual void invalidate();
    virtual void validate();
    virtual void layout() {}
    void doLayout() { layout(); }

    // Painting.
    virtual void paint(Graphics&) {}
    // Clears with the background, then paints.
    virtual void update(Graphics& g);
    virtual void paintAll(Graphics& g) { paint(g); }
    virtual void print(Graphics& g) { paint(g); }
    virtual void printAll(Graphics& g) { print(g); }
    // Asks for a paint of the whole component later, on the event thread.
    virtual void repaint();
    virtual void repaint(int x, int y, int w, int h);
    // A drawing context on the window's buffer, translated to this component and
    // clipped to it and its ancestors; null when the component is not showing.
    virtual GraphicsPtr getGraphics();
    // An off-screen image (at least 1 x 1).
    std::shared_ptr<Image> createImage(int w, int h);

    // Old event model: handleEvent dispatches to the per-kind handlers; postEvent
    // offers the event to the parent when it is not handled.
    virtual bool handleEvent(Event& e);
    bool postEvent(Event& e);
    void deliverEvent(Event& e) { postEvent(e); }
    virtual bool mouseDown(Event&, int, int) { return false; }
    virtual bool mouseUp(Event&, int, int) { return false; }
    virtual bool mouseMove(Event&, int, int) { return false; }
    virtual bool mouseDrag(Event&, int, int) { return false; }
    virtual bool mouseEnter(Event&, int, int) { return false; }
    virtual bool mouseExit(Event&, int, int) { return false; }
    virtual bool keyDown(Event&, int) { return false; }
    virtual bool keyUp(Event&, int) { return false; }
    virtual bool action(Event&, const Value&) { return false; }
    virtual bool gotFocus(Event&, const Value&) { return false; }
    virtual bool lostFocus(Event&, const Value&) { return false; }

    // Listener-style events.
    void enableEvents(int64_t mask) { eventMask_ |= mask; }
    void disableEvents(int64_t mask) { eventMask_ &= ~mask; }
    int64_t getEventMask() const { return eventMask_; }
    void addFocusListener(FocusListener* l);
    void removeFocusListener(FocusListener* l);
    void addKeyListener(KeyListener* l);
    void removeKeyListener(KeyListener* l);
    void addMouseListener(MouseListener* l);
    void removeMouseListener(MouseListener* l);
    void addMouseMotionListener(MouseMotionListener* l);
    void removeMouseMotionListener(MouseMotionListener* l);
    // Entry point of input from the toolkit: a component that enabled the event's
    // kind (or has listeners for it) gets processEvent; otherwise the event is turned
    // into an old-model Event and posted.
    void dispatchEvent(AWTEvent& e);
    virtual void processEvent(AWTEvent& e);
    virtual void processFocusEvent(FocusEvent& e);
    virtual void processKeyEvent(KeyEvent& e);
    virtual void processMouseEvent(MouseEvent& e);
    virtual void processMouseMotionEvent(MouseEvent& e);

    // Focus.
    virtual bool isFocusTraversable() const;
    virtual void requestFocus();
    void transferFocus();
    // Whether the toolkit's focus owner is this component.
    bool isFocusOwner() const;

    std::string toString() const override;

protected:
    friend class Container;
    friend class Window;
    // The old-model Event for a listener-style event (id, position, key, modifiers, clicks).
    static bool toOldEvent(AWTEvent& e, Event& out);

private:
    bool wantsNewEvent(const AWTEvent& e) const;

    std::string name_;
    Container* parent_ = nullptr;  // non-owning; cleared by the parent on removal
    std::atomic<bool> peer_{false};
    bool visible_ = true;
    bool enabled_ = true;
    bool valid_ = false;
    Rectangle bounds_;
    OptColor background_, foreground_;
    std::optional<Font> font_;
    int cursor_ = Cursor::DEFAULT_CURSOR;
    std::atomic<int64_t> eventMask_{0};
    std::vector<FocusListener*> focusListeners_;
    std::vector<KeyListener*> keyListeners_;
    std::vector<MouseListener*> mouseListeners_;
    std::vector<MouseMotionListener*> motionListeners_;
    mutable std::mutex listenersMutex_;
};

using ComponentPtr = std::shared_ptr<Component>;

// A blank component that applications paint themselves.
class Canvas : public Component {
    HOST_OBJECT(Canvas, "host.Canvas", Component)
public:
    Canvas() = default;
    void paint(Graphics& g) override;
};

}  // namespace host
