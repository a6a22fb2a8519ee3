// Listener-style events: the event classes the toolkit delivers to
// processEvent and to registered listeners.
#pragma once

#include <cstdint>
#include <string>

#include "host/runtime/Object.h"
#include "host/runtime/Value.h"

namespace host {

class Component;

class AWTEvent : public Object {
    HOST_OBJECT(AWTEvent, "host.AWTEvent", Object)
public:
    // Masks of event kinds a component can enable.
    static constexpr int64_t COMPONENT_EVENT_MASK = 1, CONTAINER_EVENT_MASK = 2, FOCUS_EVENT_MASK = 4,
                             KEY_EVENT_MASK = 8, MOUSE_EVENT_MASK = 16, MOUSE_MOTION_EVENT_MASK = 32,
                             WINDOW_EVENT_MASK = 64, ACTION_EVENT_MASK = 128, ADJUSTMENT_EVENT_MASK = 256,
                             ITEM_EVENT_MASK = 512, TEXT_EVENT_MASK = 1024;

    AWTEvent(Object* source, int id) : source_(source), id_(id) {}

    Object* getSource() const { return source_; }
    void setSource(Object* s) { source_ = s; }
    int getID() const { return id_; }
    bool isConsumed() const { return consumed_; }
    void consume() { consumed_ = true; }
    std::string paramString() const;
    std::string toString() const override;

protected:
    Object* source_;  // non-owning: events live shorter than their sources
    int id_;
    bool consumed_ = false;
};

class InputEvent : public AWTEvent {
    HOST_OBJECT(InputEvent, "host.InputEvent", AWTEvent)
public:
    static constexpr int SHIFT_MASK = 1, CTRL_MASK = 2, META_MASK = 4, ALT_MASK = 8, BUTTON1_MASK = 16,
                         BUTTON2_MASK = 8, BUTTON3_MASK = 4;

    InputEvent(Component* source, int id, int64_t when, int modifiers);
    int64_t getWhen() const { return when_; }
    int getModifiers() const { return modifiers_; }
    bool isShiftDown() const { return modifiers_ & SHIFT_MASK; }
    bool isControlDown() const { return modifiers_ & CTRL_MASK; }
    bool isMetaDown() const { return modifiers_ & META_MASK; }
    bool isAltDown() const { return modifiers_ & ALT_MASK; }
    Component* getComponent() const;

protected:
    int64_t when_;
    int modifiers_;
};

class FocusEvent : public AWTEvent {
    HOST_OBJECT(FocusEvent, "host.FocusEvent", AWTEvent)
public:
    static constexpr int FOCUS_GAINED = 1004, FOCUS_LOST = 1005;
    FocusEvent(Component* source, int id, bool temporary = false);
    bool isTemporary() const { return temporary_; }

private:
    bool temporary_;
};

class KeyEvent : public InputEvent {
    HOST_OBJECT(KeyEvent, "host.KeyEvent", InputEvent)
public:
    static constexpr int KEY_TYPED = 400, KEY_PRESSED = 401, KEY_RELEASED = 402;
    static constexpr int CHAR_UNDEFINED = 0xFFFF, VK_UNDEFINED = 0;
    // Virtual key codes
    static constexpr int VK_ENTER = 10, VK_BACK_SPACE = 8, VK_TAB = 9, VK_CANCEL = 3, VK_CLEAR = 12,
                         VK_SHIFT = 16, VK_CONTROL = 17, VK_ALT = 18, VK_PAUSE = 19, VK_CAPS_LOCK = 20,
                         VK_ESCAPE = 27, VK_SPACE = 32, VK_PAGE_UP = 33, VK_PAGE_DOWN = 34, VK_END = 35,
                         VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_DELETE = 127,
                         VK_F1 = 112, VK_F12 = 123, VK_INSERT = 155, VK_META = 157;

    KeyEvent(Component* source, int id, int64_t when, int modifiers, int keyCode, int keyChar);
    int getKeyCode() const { return keyCode_; }
    int getKeyChar() const { return keyChar_; }
    void setKeyCode(int c) { keyCode_ = c; }
    void setKeyChar(int c) { keyChar_ = c; }
    // Keys that produce no character: function keys, arrows, Home/End, paging ...
    bool isActionKey() const;

private:
    int keyCode_;
    int keyChar_;
};

class MouseEvent : public InputEvent {
    HOST_OBJECT(MouseEvent, "host.MouseEvent", InputEvent)
public:
    static constexpr int MOUSE_CLICKED = 500, MOUSE_PRESSED = 501, MOUSE_RELEASED = 502, MOUSE_MOVED = 503,
                         MOUSE_ENTERED = 504, MOUSE_EXITED = 505, MOUSE_DRAGGED = 506;

    MouseEvent(Component* source, int id, int64_t when, int modifiers, int x, int y, int clickCount,
               bool popupTrigger = false);
    int getX() const { return x_; }
    int getY() const { return y_; }
    int getClickCount() const { return clickCount_; }
    bool isPopupTrigger() const { return popupTrigger_; }
    void translatePoint(int dx, int dy) { x_ += dx; y_ += dy; }

private:
    int x_, y_, clickCount_;
    bool popupTrigger_;
};

class ActionEvent : public AWTEvent {
    HOST_OBJECT(ActionEvent, "host.ActionEvent", AWTEvent)
public:
    static constexpr int ACTION_PERFORMED = 1001;
    static constexpr int SHIFT_MASK = 1, CTRL_MASK = 2, META_MASK = 4, ALT_MASK = 8;
    ActionEvent(Object* source, int id, std::string command, int modifiers = 0)
        : AWTEvent(source, id), command_(std::move(command)), modifiers_(modifiers) {}
    const std::string& getActionCommand() const { return command_; }
    int getModifiers() const { return modifiers_; }

private:
    std::string command_;
    int modifiers_;
};

// Something with a bounded value that can be adjusted (a scroll bar).
class Adjustable {
public:
    static constexpr int HORIZONTAL = 0, VERTICAL = 1;
    virtual ~Adjustable() = default;
    virtual int getOrientation() = 0;
    virtual void setMinimum(int) = 0;
    virtual int getMinimum() = 0;
    virtual void setMaximum(int) = 0;
    virtual int getMaximum() = 0;
    virtual void setUnitIncrement(int) = 0;
    virtual int getUnitIncrement() = 0;
    virtual void setBlockIncrement(int) = 0;
    virtual int getBlockIncrement() = 0;
    virtual void setVisibleAmount(int) = 0;
    virtual int getVisibleAmount() = 0;
    virtual void setValue(int) = 0;
    virtual int getValue() = 0;
};

class AdjustmentEvent : public AWTEvent {
    HOST_OBJECT(AdjustmentEvent, "host.AdjustmentEvent", AWTEvent)
public:
    static constexpr int ADJUSTMENT_VALUE_CHANGED = 601;
    static constexpr int UNIT_INCREMENT = 1, UNIT_DECREMENT = 2, BLOCK_DECREMENT = 3, BLOCK_INCREMENT = 4,
                         TRACK = 5;
    AdjustmentEvent(Adjustable* source, int id, int type, int value)
        : AWTEvent(nullptr, id), adjustable_(source), type_(type), value_(value) {}
    Adjustable* getAdjustable() const { return adjustable_; }
    int getAdjustmentType() const { return type_; }
    int getValue() const { return value_; }

private:
    Adjustable* adjustable_;
    int type_, value_;
};

// Something holding items that can be selected (lists, check boxes).
class ItemSelectable {
public:
    virtual ~ItemSelectable() = default;
    virtual std::vector<Value> getSelectedObjects() = 0;
};

class ItemEvent : public AWTEvent {
    HOST_OBJECT(ItemEvent, "host.ItemEvent", AWTEvent)
public:
    static constexpr int ITEM_STATE_CHANGED = 701;
    static constexpr int SELECTED = 1, DESELECTED = 2;
    ItemEvent(ItemSelectable* source, int id, Value item, int stateChange)
        : AWTEvent(nullptr, id), selectable_(source), item_(std::move(item)), stateChange_(stateChange) {}
    ItemSelectable* getItemSelectable() const { return selectable_; }
    const Value& getItem() const { return item_; }
    int getStateChange() const { return stateChange_; }

private:
    ItemSelectable* selectable_;
    Value item_;
    int stateChange_;
};

// Listener interfaces of the component tree. Listener lists never own listeners:
// a listener must remove itself before it is destroyed.
class FocusListener {
public:
    virtual ~FocusListener() = default;
    virtual void focusGained(FocusEvent&) {}
    virtual void focusLost(FocusEvent&) {}
};

class KeyListener {
public:
    virtual ~KeyListener() = default;
    virtual void keyTyped(KeyEvent&) {}
    virtual void keyPressed(KeyEvent&) {}
    virtual void keyReleased(KeyEvent&) {}
};

class MouseListener {
public:
    virtual ~MouseListener() = default;
    virtual void mouseClicked(MouseEvent&) {}
    virtual void mousePressed(MouseEvent&) {}
    virtual void mouseReleased(MouseEvent&) {}
    virtual void mouseEntered(MouseEvent&) {}
    virtual void mouseExited(MouseEvent&) {}
};

class MouseMotionListener {
public:
    virtual ~MouseMotionListener() = default;
    virtual void mouseDragged(MouseEvent&) {}
    virtual void mouseMoved(MouseEvent&) {}
};

}  // namespace host
