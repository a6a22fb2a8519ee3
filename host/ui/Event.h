// The older event model: one Event record per input, passed to handleEvent and
// from there to per-kind handlers (mouseDown, keyDown, gotFocus ...).
#pragma once

#include <cstdint>

#include "host/runtime/Value.h"

namespace host {

class Object;

class Event {
public:
    // Modifier masks
    static constexpr int SHIFT_MASK = 1, CTRL_MASK = 2, META_MASK = 4, ALT_MASK = 8;

    // Ids
    static constexpr int WINDOW_EVENT = 200, WINDOW_DESTROY = 201, WINDOW_EXPOSE = 202, WINDOW_ICONIFY = 203,
                         WINDOW_DEICONIFY = 204, WINDOW_MOVED = 205;
    static constexpr int KEY_PRESS = 401, KEY_RELEASE = 402, KEY_ACTION = 403, KEY_ACTION_RELEASE = 404;
    static constexpr int MOUSE_DOWN = 501, MOUSE_UP = 502, MOUSE_MOVE = 503, MOUSE_ENTER = 504, MOUSE_EXIT = 505,
                         MOUSE_DRAG = 506;
    static constexpr int SCROLL_LINE_UP = 601, SCROLL_LINE_DOWN = 602, SCROLL_PAGE_UP = 603,
                         SCROLL_PAGE_DOWN = 604, SCROLL_ABSOLUTE = 605, SCROLL_BEGIN = 606, SCROLL_END = 607;
    static constexpr int LIST_SELECT = 701, LIST_DESELECT = 702;
    static constexpr int ACTION_EVENT = 1001, LOAD_FILE = 1002, SAVE_FILE = 1003, GOT_FOCUS = 1004,
                         LOST_FOCUS = 1005;

    // Action keys
    static constexpr int HOME = 1000, END = 1001, PGUP = 1002, PGDN = 1003, UP = 1004, DOWN = 1005, LEFT = 1006,
                         RIGHT = 1007, F1 = 1008, F2 = 1009, F3 = 1010, F4 = 1011, F5 = 1012, F6 = 1013, F7 = 1014,
                         F8 = 1015, F9 = 1016, F10 = 1017, F11 = 1018, F12 = 1019, PRINT_SCREEN = 1020,
                         SCROLL_LOCK = 1021, CAPS_LOCK = 1022, NUM_LOCK = 1023, PAUSE = 1024, INSERT = 1025;
    // Plain keys
    static constexpr int ENTER = '\n', BACK_SPACE = '\b', TAB = '\t', ESCAPE = 27, DELETE = 127;

    Event() = default;
    Event(Object* target, int64_t when, int id, int x, int y, int key, int modifiers, Value arg = {})
        : target(target), when(when), id(id), x(x), y(y), key(key), modifiers(modifiers), arg(std::move(arg)) {}
    Event(Object* target, int id, Value arg) : target(target), id(id), arg(std::move(arg)) {}

    bool shiftDown() const { return (modifiers & SHIFT_MASK) != 0; }
    bool controlDown() const { return (modifiers & CTRL_MASK) != 0; }
    bool metaDown() const { return (modifiers & META_MASK) != 0; }
    void translate(int dx, int dy) { x += dx; y += dy; }

    Object* target = nullptr;  // non-owning
    int64_t when = 0;
    int id = 0;
    int x = 0, y = 0;
    int key = 0;
    int modifiers = 0;
    int clickCount = 0;
    Value arg;
};

}  // namespace host
