// A screen backend on X11: shows a host::Window's back buffer in an X window and
// turns X input into host events.
//
// Threads: every Xlib call on the backend's connection happens on its own event
// thread, which waits on the connection with a select() timeout (so it always
// notices a stop request). Input is converted there and handed to the toolkit's
// EventQueue; the component under the pointer, the focus owner and the pointer
// grab are worked out on the dispatch thread, where the tree is changed.
//
// Cursors: the window's cursor (where components put theirs), as it is after each
// pointer input has been handled, is shown with an X font cursor within a tick.
//
// Repaints: damaged() blits at once. Components that paint through getGraphics()
// tell nobody, so the event thread also polls the window (Window::paintSerial and
// Window::isBufferInUse) on every tick and blits the whole buffer when it changed.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "host/ui/Window.h"

namespace host {

class X11Backend : public WindowBackend {
public:
    // Opens an X window of the window's size and position on the display named by
    // DISPLAY, installs the backend on the window and starts its event thread. Returns
    // null with a message in *error when there is no display or it cannot be used.
    static std::shared_ptr<X11Backend> open(std::shared_ptr<Window> window, std::string* error = nullptr);
    // The same on a named display (":5"); an empty name means DISPLAY.
    static std::shared_ptr<X11Backend> open(std::shared_ptr<Window> window, const std::string& display,
                                            std::string* error);

    ~X11Backend() override;
    X11Backend(const X11Backend&) = delete;
    X11Backend& operator=(const X11Backend&) = delete;

    void damaged(const Rectangle& area) override;
    void resized(int w, int h) override;

    // Destroys the X window and stops the event thread; the host window stays as it is.
    // Also what the window manager's close button (WM_DELETE_WINDOW) does.
    void close();
    bool isClosed() const;
    // Waits until the window is closed or the timeout passes; true when closed.
    bool waitClosed(std::chrono::milliseconds timeout) const;

    // The X window's id (0 before it exists), for tools and tests.
    unsigned long windowId() const;
    // The cursor (Cursor::*) shown over the X window now: the window's own as the last
    // pointer input left it.
    int shownCursor() const;
    // True once the X window has been mapped, has focus and got its first blit.
    bool waitMapped(std::chrono::milliseconds timeout) const;

    struct Impl;

private:
    explicit X11Backend(std::shared_ptr<Impl> impl);
    std::shared_ptr<Impl> impl_;
};

// Maps an X keysym to a virtual key code (KeyEvent::VK_*), VK_UNDEFINED when the key
// has none.
int x11KeysymToKeyCode(unsigned long keysym);
// The character a key gives (KeyEvent::CHAR_UNDEFINED for none) from the keysym and the
// text XLookupString produced (Latin-1): Return and Enter give 10.
int x11KeyChar(unsigned long keysym, const std::string& text);

// Counts clicks as the classic toolkit did: a press of the same button, less than 400
// ms after the previous one and within 4 pixels of it, continues the series.
class ClickCounter {
public:
    static constexpr int64_t kIntervalMs = 400;
    static constexpr int kSlop = 4;
    int press(int button, int64_t timeMs, int x, int y);
    void reset() { count_ = 0; }

private:
    int button_ = 0, x_ = 0, y_ = 0, count_ = 0;
    int64_t time_ = 0;
};

}  // namespace host
