#include "host/x11/X11Backend.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "host/ui/Container.h"
#include "host/ui/Event.h"
#include "host/graphics/Image.h"
#include "host/graphics/RasterGraphics.h"
#include "host/ui/Toolkit.h"

// X headers last: they define macros (None, Status, KeyPress ...) that must not
// reach our own headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <cairo.h>
#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

namespace host {

// ---- keys and clicks -----------------------------------------------------------------------

int x11KeysymToKeyCode(unsigned long ks) {
    switch (ks) {
        case XK_Home: case XK_KP_Home: return KeyEvent::VK_HOME;
        case XK_End: case XK_KP_End: return KeyEvent::VK_END;
        case XK_Prior: case XK_KP_Prior: return KeyEvent::VK_PAGE_UP;
        case XK_Next: case XK_KP_Next: return KeyEvent::VK_PAGE_DOWN;
        case XK_Left: case XK_KP_Left: return KeyEvent::VK_LEFT;
        case XK_Up: case XK_KP_Up: return KeyEvent::VK_UP;
        case XK_Right: case XK_KP_Right: return KeyEvent::VK_RIGHT;
        case XK_Down: case XK_KP_Down: return KeyEvent::VK_DOWN;
        case XK_Return: case XK_KP_Enter: return KeyEvent::VK_ENTER;
        case XK_Delete: case XK_KP_Delete: return KeyEvent::VK_DELETE;
        case XK_Insert: case XK_KP_Insert: return KeyEvent::VK_INSERT;
        case XK_BackSpace: return KeyEvent::VK_BACK_SPACE;
        case XK_Tab: case XK_KP_Tab: case XK_ISO_Left_Tab: return KeyEvent::VK_TAB;
        case XK_Escape: return KeyEvent::VK_ESCAPE;
        case XK_space: case XK_KP_Space: return KeyEvent::VK_SPACE;
        case XK_Shift_L: case XK_Shift_R: return KeyEvent::VK_SHIFT;
        case XK_Control_L: case XK_Control_R: return KeyEvent::VK_CONTROL;
        case XK_Alt_L: case XK_Alt_R: return KeyEvent::VK_ALT;
        case XK_Meta_L: case XK_Meta_R: return KeyEvent::VK_META;
        case XK_Caps_Lock: return KeyEvent::VK_CAPS_LOCK;
        case XK_Pause: return KeyEvent::VK_PAUSE;
        default: break;
    }
    if (ks >= XK_F1 && ks <= XK_F12) return KeyEvent::VK_F1 + int(ks - XK_F1);
    // Letters and digits have their upper-case character as code.
    if (ks >= XK_a && ks <= XK_z) return 'A' + int(ks - XK_a);
    if (ks >= XK_A && ks <= XK_Z) return 'A' + int(ks - XK_A);
    if (ks >= XK_0 && ks <= XK_9) return '0' + int(ks - XK_0);
    return KeyEvent::VK_UNDEFINED;
}

int x11KeyChar(unsigned long ks, const std::string& text) {
    switch (ks) {
        case XK_Return: case XK_KP_Enter: return '\n';  // X gives CR
        case XK_BackSpace: return '\b';
        case XK_Tab: case XK_KP_Tab: case XK_ISO_Left_Tab: return '\t';
        case XK_Escape: return 27;
        case XK_Delete: case XK_KP_Delete: return 127;
        default: break;
    }
    if (text.empty()) return KeyEvent::CHAR_UNDEFINED;
    // XLookupString speaks Latin-1, whose bytes are their own code points.
    int c = static_cast<unsigned char>(text[0]);
    return c == '\r' ? '\n' : c;
}

int ClickCounter::press(int button, int64_t timeMs, int x, int y) {
    int64_t dt = timeMs - time_;
    bool continues = count_ > 0 && button == button_ && dt >= 0 && dt < kIntervalMs && std::abs(x - x_) <= kSlop &&
                     std::abs(y - y_) <= kSlop;
    count_ = continues ? count_ + 1 : 1;
    button_ = button;
    time_ = timeMs;
    x_ = x;
    y_ = y;
    return count_;
}

namespace {

constexpr std::chrono::milliseconds kTick{20};

// ---- input on the dispatch thread ----------------------------------------------------------

enum class MouseKind { Press, Release, Motion, Enter, Leave };

struct MouseInput {
    MouseKind kind;
    int x, y;         // window coordinates
    int modifiers;    // InputEvent masks, buttons included
    int keyModifiers; // the same without buttons (their masks overlap ALT and META)
    int button;       // 1-3 for press and release
    int clicks;
    bool buttonsHeld; // some button is still down after this event
    int64_t when;
};

// The pointer's targets. Only touched on the dispatch thread.
struct PointerState {
    std::weak_ptr<Component> grab;   // got the press; gets drags and the release
    std::weak_ptr<Component> hover;  // under the pointer
    int pressX = 0, pressY = 0;
    // The window's cursor after the last input: components set it while they handle
    // the pointer, on this thread; the event thread shows it.
    std::atomic<int> cursor{Cursor::DEFAULT_CURSOR};
};

ComponentPtr strong(Component* c) {
    if (!c) return nullptr;
    return std::static_pointer_cast<Component>(c->weak_from_this().lock());
}

ComponentPtr componentAt(const std::shared_ptr<Window>& w, int x, int y) {
    std::lock_guard tree(Component::getTreeLock());
    return strong(w->findComponentAt(x, y));
}

void sendMouse(const ComponentPtr& c, int id, const MouseInput& in, int clicks, bool popup = false) {
    Point o = c->getLocationInWindow();
    auto e = std::make_shared<MouseEvent>(c.get(), id, in.when, in.modifiers, in.x - o.x, in.y - o.y, clicks, popup);
    c->dispatchEvent(*e);
}

void updateHover(const std::shared_ptr<Window>& w, PointerState& p, const MouseInput& in, bool inside) {
    ComponentPtr now = inside ? componentAt(w, in.x, in.y) : nullptr;
    ComponentPtr old = p.hover.lock();
    if (now == old) return;
    if (old) sendMouse(old, MouseEvent::MOUSE_EXITED, in, 0);
    p.hover = now;
    if (now) sendMouse(now, MouseEvent::MOUSE_ENTERED, in, 0);
}

void handleMouseInput(const std::shared_ptr<Window>& w, PointerState& p, const MouseInput& in);

void handleMouse(const std::shared_ptr<Window>& w, PointerState& p, const MouseInput& in) {
    handleMouseInput(w, p, in);
    p.cursor = w->getCursor();
}

void handleMouseInput(const std::shared_ptr<Window>& w, PointerState& p, const MouseInput& in) {
    ComponentPtr grab = p.grab.lock();
    switch (in.kind) {
        case MouseKind::Press: {
            if (!grab) {
                grab = componentAt(w, in.x, in.y);
                if (!grab) grab = w;
                p.grab = grab;
                p.pressX = in.x;
                p.pressY = in.y;
            }
            sendMouse(grab, MouseEvent::MOUSE_PRESSED, in, in.clicks, in.button == 3);
            break;
        }
        case MouseKind::Release: {
            ComponentPtr target = grab ? grab : componentAt(w, in.x, in.y);
            if (!target) target = w;
            sendMouse(target, MouseEvent::MOUSE_RELEASED, in, in.clicks);
            if (in.buttonsHeld) break;
            // A click: released over the pressed component without moving away.
            Point o = target->getLocationInWindow();
            if (grab && target->contains(in.x - o.x, in.y - o.y) &&
                std::abs(in.x - p.pressX) <= ClickCounter::kSlop && std::abs(in.y - p.pressY) <= ClickCounter::kSlop)
                sendMouse(target, MouseEvent::MOUSE_CLICKED, in, in.clicks);
            p.grab.reset();
            // The buttons are up now.
            MouseInput after = in;
            after.modifiers = in.keyModifiers;
            updateHover(w, p, after, w->contains(in.x, in.y));
            break;
        }
        case MouseKind::Motion:
            if (grab && in.buttonsHeld) {
                sendMouse(grab, MouseEvent::MOUSE_DRAGGED, in, 0);
            } else {
                p.grab.reset();
                updateHover(w, p, in, true);
                if (auto h = p.hover.lock()) sendMouse(h, MouseEvent::MOUSE_MOVED, in, 0);
            }
            break;
        case MouseKind::Enter:
            if (!grab) updateHover(w, p, in, true);
            break;
        case MouseKind::Leave:
            if (!grab) updateHover(w, p, in, false);
            break;
    }
}

struct KeyInput {
    bool press;
    int modifiers, code, ch;
    int64_t when;
};

void handleKey(const std::shared_ptr<Window>& w, const KeyInput& in) {
    ComponentPtr target = strong(w->getFocusOwner());
    if (!target) target = w;
    auto send = [&](int id, int code, int ch) {
        auto e = std::make_shared<KeyEvent>(target.get(), id, in.when, in.modifiers, code, ch);
        target->dispatchEvent(*e);
    };
    if (!in.press) {
        send(KeyEvent::KEY_RELEASED, in.code, in.ch);
        return;
    }
    send(KeyEvent::KEY_PRESSED, in.code, in.ch);
    if (in.ch != KeyEvent::CHAR_UNDEFINED) send(KeyEvent::KEY_TYPED, KeyEvent::VK_UNDEFINED, in.ch);
}

// ---- X helpers -----------------------------------------------------------------------------

int keyModifiers(unsigned state) {
    int m = 0;
    if (state & ShiftMask) m |= InputEvent::SHIFT_MASK;
    if (state & ControlMask) m |= InputEvent::CTRL_MASK;
    if (state & Mod1Mask) m |= InputEvent::ALT_MASK;
    return m;
}

constexpr unsigned kButtonMasks = Button1Mask | Button2Mask | Button3Mask;

unsigned xButtonMask(int button) {
    return button == 1 ? Button1Mask : button == 2 ? Button2Mask : button == 3 ? Button3Mask : 0;
}

int buttonModifiers(unsigned state) {
    int m = 0;
    if (state & Button1Mask) m |= InputEvent::BUTTON1_MASK;
    if (state & Button2Mask) m |= InputEvent::BUTTON2_MASK;
    if (state & Button3Mask) m |= InputEvent::BUTTON3_MASK;
    return m;
}

// Protocol errors (a window gone in between, say) must not end the program, which
// is what Xlib's default handler does.
int onXError(Display* dpy, XErrorEvent* e) {
    char text[256] = {0};
    XGetErrorText(dpy, e->error_code, text, sizeof text - 1);
    std::fprintf(stderr, "X error: %s (request %d)\n", text, int(e->request_code));
    return 0;
}

// A lost connection is reported once; each connection's exit handler then ends its
// event thread instead of the program.
int onXIOError(Display* dpy) {
    std::fprintf(stderr, "X connection to %s lost\n", DisplayString(dpy));
    return 0;
}

void installErrorHandler() {
    static std::once_flag once;
    std::call_once(once, [] {
        XSetErrorHandler(onXError);
        XSetIOErrorHandler(onXIOError);
    });
}

}  // namespace

// ---- the backend ---------------------------------------------------------------------------

struct X11Backend::Impl {
    // Set up by open(); afterwards only the event thread uses the connection.
    Display* dpy = nullptr;
    ::Window win = 0;
    unsigned long xid = 0;  // win as created, for windowId()
    Visual* visual = nullptr;
    Colormap colormap = 0;
    GC gc = nullptr;
    Atom wmProtocols = 0, wmDelete = 0;
    int wake[2] = {-1, -1};
    std::weak_ptr<Window> window;
    std::thread thread;

    mutable std::mutex mutex;
    mutable std::condition_variable cv;
    bool stop = false;
    bool closed = false;
    bool mapped = false;
    bool dead = false;  // the connection failed
    std::optional<Rectangle> damage;
    std::optional<Dimension> requestedSize;

    // Event thread only.
    int width = 1, height = 1;
    uint64_t lastSerial = 0;
    bool wasInUse = false;
    std::chrono::steady_clock::time_point lastPoll;
    std::optional<Rectangle> exposed;
    ClickCounter clicks;
    int lastClicks = 1;
    std::shared_ptr<PointerState> pointer = std::make_shared<PointerState>();
    // The pointer shape shown over the window, and the X font cursors made so far.
    int shownCursor = host::Cursor::DEFAULT_CURSOR;
    std::atomic<int> appliedCursor{host::Cursor::DEFAULT_CURSOR};
    std::map<int, ::Cursor> fontCursors;
    void applyCursor(int cursor);

    ~Impl() {
        for (int fd : wake)
            if (fd >= 0) ::close(fd);
    }

    void wakeUp() {
        char c = 1;
        if (wake[1] >= 0) (void)!::write(wake[1], &c, 1);
    }

    bool stopping() {
        std::lock_guard lock(mutex);
        return stop || dead;
    }

    void run();
    void applyRequests();
    void pollPainting();
    void blit(Rectangle r);
    void handle(XEvent& ev);
    void postMouse(const MouseInput& in);
    void postKey(const KeyInput& in);
    void postToWindow(std::function<void(const std::shared_ptr<Window>&)> f);
    void teardown();
};

namespace {
Rectangle unite(const std::optional<Rectangle>& a, const Rectangle& b) {
    if (!a) return b;
    int x0 = std::min(a->x, b.x), y0 = std::min(a->y, b.y);
    int x1 = std::max(a->x + a->width, b.x + b.width), y1 = std::max(a->y + a->height, b.y + b.height);
    return {x0, y0, x1 - x0, y1 - y0};
}
}  // namespace

void X11Backend::Impl::postToWindow(std::function<void(const std::shared_ptr<Window>&)> f) {
    std::weak_ptr<Window> weak = window;
    Toolkit::getDefaultToolkit().getSystemEventQueue().invokeLater([weak, f = std::move(f)] {
        if (auto w = weak.lock()) f(w);
    });
}

void X11Backend::Impl::postMouse(const MouseInput& in) {
    auto p = pointer;
    postToWindow([p, in](const std::shared_ptr<Window>& w) { handleMouse(w, *p, in); });
}

void X11Backend::Impl::postKey(const KeyInput& in) {
    postToWindow([in](const std::shared_ptr<Window>& w) { handleKey(w, in); });
}

void X11Backend::Impl::blit(Rectangle r) {
    std::shared_ptr<Image> buffer;
    if (auto w = window.lock()) buffer = w->getBuffer();
    if (!buffer || !buffer->isComplete()) return;
    cairo_surface_t* s = buffer->surface();
    // Whole drawing operations only: painting threads hold this lock per operation.
    std::recursive_mutex* lock = RasterGraphics::surfaceLock(s);
    std::unique_lock<std::recursive_mutex> hold;
    if (lock) hold = std::unique_lock<std::recursive_mutex>(*lock);
    cairo_surface_flush(s);
    int bw = cairo_image_surface_get_width(s), bh = cairo_image_surface_get_height(s);
    int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    if (!data) return;
    int x0 = std::max(0, r.x), y0 = std::max(0, r.y);
    int x1 = std::min({r.x + r.width, bw, width}), y1 = std::min({r.y + r.height, bh, height});
    if (x1 <= x0 || y1 <= y0) return;
    // The buffer's 32-bit pixels are 0xAARRGGBB in native order; the visual ignores alpha.
    XImage* img = XCreateImage(dpy, visual, 24, ZPixmap, 0, reinterpret_cast<char*>(data), unsigned(bw), unsigned(bh),
                               32, stride);
    if (!img) return;
    img->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(dpy, win, gc, img, x0, y0, x0, y0, unsigned(x1 - x0), unsigned(y1 - y0));
    img->data = nullptr;  // the pixels belong to the buffer
    XDestroyImage(img);
}

void X11Backend::Impl::pollPainting() {
    // At most once a tick, however often damaged() wakes the thread.
    auto now = std::chrono::steady_clock::now();
    if (now - lastPoll < kTick) return;
    lastPoll = now;
    auto w = window.lock();
    if (!w) return;
    // The serial first, then the use: a paint whose context was counted is seen in use
    // until it ends, so one more blit follows its last drawing.
    if (int c = pointer->cursor.load(); c != shownCursor) applyCursor(c);
    uint64_t serial = w->paintSerial();
    bool inUse = w->isBufferInUse();
    if (serial != lastSerial || inUse || wasInUse) blit({0, 0, width, height});
    lastSerial = serial;
    wasInUse = inUse;
}

namespace {
// The X font cursor of a host cursor (0: the parent's, i.e. the default arrow).
unsigned fontCursorShape(int cursor) {
    switch (cursor) {
        case host::Cursor::CROSSHAIR_CURSOR: return XC_crosshair;
        case host::Cursor::TEXT_CURSOR: return XC_xterm;
        case host::Cursor::WAIT_CURSOR: return XC_watch;
        case host::Cursor::SW_RESIZE_CURSOR: return XC_bottom_left_corner;
        case host::Cursor::SE_RESIZE_CURSOR: return XC_bottom_right_corner;
        case host::Cursor::NW_RESIZE_CURSOR: return XC_top_left_corner;
        case host::Cursor::NE_RESIZE_CURSOR: return XC_top_right_corner;
        case host::Cursor::N_RESIZE_CURSOR: return XC_top_side;
        case host::Cursor::S_RESIZE_CURSOR: return XC_bottom_side;
        case host::Cursor::W_RESIZE_CURSOR: return XC_left_side;
        case host::Cursor::E_RESIZE_CURSOR: return XC_right_side;
        case host::Cursor::HAND_CURSOR: return XC_hand2;
        case host::Cursor::MOVE_CURSOR: return XC_fleur;
        default: return 0;
    }
}
}  // namespace

void X11Backend::Impl::applyCursor(int cursor) {
    shownCursor = cursor;
    unsigned shape = fontCursorShape(cursor);
    if (shape == 0) {
        XUndefineCursor(dpy, win);
    } else {
        auto it = fontCursors.find(cursor);
        if (it == fontCursors.end()) it = fontCursors.emplace(cursor, XCreateFontCursor(dpy, shape)).first;
        XDefineCursor(dpy, win, it->second);
    }
    appliedCursor = shape == 0 ? host::Cursor::DEFAULT_CURSOR : cursor;
}

void X11Backend::Impl::applyRequests() {
    std::optional<Rectangle> area;
    std::optional<Dimension> size;
    {
        std::lock_guard lock(mutex);
        area.swap(damage);
        size.swap(requestedSize);
    }
    if (size && (size->width != width || size->height != height))
        XResizeWindow(dpy, win, unsigned(std::max(1, size->width)), unsigned(std::max(1, size->height)));
    if (area) blit(*area);
    pollPainting();
}

void X11Backend::Impl::handle(XEvent& ev) {
    if (ev.xany.window != win) return;
    int64_t now = Toolkit::currentTimeMillis();
    switch (ev.type) {
        case Expose:
            exposed = unite(exposed, {ev.xexpose.x, ev.xexpose.y, ev.xexpose.width, ev.xexpose.height});
            if (ev.xexpose.count == 0) {
                blit(*exposed);
                exposed.reset();
            }
            break;
        case MapNotify: {
            // No window manager gives focus under a bare server: take it.
            XSetInputFocus(dpy, win, RevertToParent, CurrentTime);
            blit({0, 0, width, height});
            XSync(dpy, False);
            std::lock_guard lock(mutex);
            mapped = true;
            cv.notify_all();
            break;
        }
        case ConfigureNotify: {
            int w = std::max(1, ev.xconfigure.width), h = std::max(1, ev.xconfigure.height);
            if (w == width && h == height) break;
            width = w;
            height = h;
            // Follow the screen: a new size reshapes the window (which makes a new buffer),
            // lays it out and paints it; a size the program set itself only repaints.
            postToWindow([w, h](const std::shared_ptr<Window>& win) {
                if (win->getWidth() != w || win->getHeight() != h) win->reshape(win->getX(), win->getY(), w, h);
                win->validate();
                win->paintTree();
            });
            break;
        }
        case ButtonPress:
        case ButtonRelease: {
            const XButtonEvent& b = ev.xbutton;
            int button = int(b.button);
            if (button < 1 || button > 3) break;  // wheel and extra buttons have no classic event
            MouseInput in{};
            in.x = b.x;
            in.y = b.y;
            in.button = button;
            in.when = now;
            if (ev.type == ButtonPress) {
                in.kind = MouseKind::Press;
                // The state of a press does not include its own button.
                in.modifiers = keyModifiers(b.state) | buttonModifiers(b.state | xButtonMask(button));
                in.keyModifiers = keyModifiers(b.state);
                in.clicks = lastClicks = clicks.press(button, int64_t(b.time), b.x, b.y);
                in.buttonsHeld = true;
            } else {
                in.kind = MouseKind::Release;
                in.modifiers = keyModifiers(b.state) | buttonModifiers(b.state | xButtonMask(button));
                in.keyModifiers = keyModifiers(b.state);
                in.clicks = lastClicks;
                in.buttonsHeld = (b.state & kButtonMasks & ~xButtonMask(button)) != 0;
            }
            postMouse(in);
            break;
        }
        case MotionNotify: {
            // Only the latest position of a burst matters; stop at any other event, so
            // that a motion never overtakes a press or release.
            while (XEventsQueued(dpy, QueuedAfterReading) > 0) {
                XEvent next;
                XPeekEvent(dpy, &next);
                if (next.type != MotionNotify || next.xany.window != win) break;
                XNextEvent(dpy, &ev);
            }
            const XMotionEvent& m = ev.xmotion;
            MouseInput in{};
            in.kind = MouseKind::Motion;
            in.x = m.x;
            in.y = m.y;
            in.modifiers = keyModifiers(m.state) | buttonModifiers(m.state);
            in.keyModifiers = keyModifiers(m.state);
            in.buttonsHeld = (m.state & kButtonMasks) != 0;
            in.when = now;
            postMouse(in);
            break;
        }
        case EnterNotify:
        case LeaveNotify: {
            const XCrossingEvent& c = ev.xcrossing;
            MouseInput in{};
            in.kind = ev.type == EnterNotify ? MouseKind::Enter : MouseKind::Leave;
            in.x = c.x;
            in.y = c.y;
            in.modifiers = keyModifiers(c.state) | buttonModifiers(c.state);
            in.keyModifiers = keyModifiers(c.state);
            in.buttonsHeld = (c.state & kButtonMasks) != 0;
            in.when = now;
            postMouse(in);
            break;
        }
        case KeyPress:
        case KeyRelease: {
            char buf[32];
            KeySym ks = NoSymbol;
            int n = XLookupString(&ev.xkey, buf, int(sizeof buf), &ks, nullptr);
            std::string text(buf, size_t(std::clamp(n, 0, int(sizeof buf))));
            KeyInput in{};
            in.press = ev.type == KeyPress;
            in.modifiers = keyModifiers(ev.xkey.state);
            in.code = x11KeysymToKeyCode(ks);
            in.ch = x11KeyChar(ks, text);
            in.when = now;
            postKey(in);
            break;
        }
        case ClientMessage:
            if (ev.xclient.message_type == wmProtocols && Atom(ev.xclient.data.l[0]) == wmDelete) {
                // The old model learns of it as WINDOW_DESTROY; the screen window goes.
                postToWindow([now](const std::shared_ptr<Window>& w) {
                    Event e(w.get(), now, Event::WINDOW_DESTROY, 0, 0, 0, 0);
                    w->postEvent(e);
                });
                std::lock_guard lock(mutex);
                stop = true;
            }
            break;
        case DestroyNotify: {
            win = 0;
            std::lock_guard lock(mutex);
            stop = true;
            break;
        }
        default: break;
    }
}

void X11Backend::Impl::run() {
    const int fd = ConnectionNumber(dpy);
    while (!stopping()) {
        applyRequests();
        XFlush(dpy);
        while (!stopping() && XPending(dpy) > 0) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            handle(ev);
        }
        if (stopping()) break;
        XFlush(dpy);
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(fd, &fds);
        FD_SET(wake[0], &fds);
        // The timeout is also the tick that polls for painting nobody announced.
        timeval tv{0, long(std::chrono::microseconds(kTick).count())};
        if (select(std::max(fd, wake[0]) + 1, &fds, nullptr, nullptr, &tv) > 0 && FD_ISSET(wake[0], &fds)) {
            char drain[64];
            while (::read(wake[0], drain, sizeof drain) > 0) {
            }
        }
    }
    teardown();
}

void X11Backend::Impl::teardown() {
    bool lost;
    {
        std::lock_guard lock(mutex);
        lost = dead;
    }
    if (!lost) {
        if (gc) XFreeGC(dpy, gc);
        if (win) XDestroyWindow(dpy, win);
        for (auto& [shape, xc] : fontCursors) XFreeCursor(dpy, xc);
        if (colormap) XFreeColormap(dpy, colormap);
        XSync(dpy, False);
    }
    XCloseDisplay(dpy);
    dpy = nullptr;
    std::lock_guard lock(mutex);
    closed = true;
    cv.notify_all();
}

X11Backend::X11Backend(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

X11Backend::~X11Backend() { close(); }

std::shared_ptr<X11Backend> X11Backend::open(std::shared_ptr<Window> window, std::string* error) {
    return open(std::move(window), std::string(), error);
}

std::shared_ptr<X11Backend> X11Backend::open(std::shared_ptr<Window> window, const std::string& display,
                                             std::string* error) {
    auto fail = [&](const std::string& msg) -> std::shared_ptr<X11Backend> {
        if (error) *error = "cannot open a window: " + msg;
        return nullptr;
    };
    if (!window) return fail("no window given");
    std::string name = display;
    if (name.empty()) {
        const char* env = std::getenv("DISPLAY");
        if (!env || !*env) return fail("no display (DISPLAY is not set)");
        name = env;
    }
    installErrorHandler();
    Display* dpy = XOpenDisplay(name.c_str());
    if (!dpy) return fail("cannot connect to display " + name);

    int screen = DefaultScreen(dpy);
    XVisualInfo vi;
    if (!XMatchVisualInfo(dpy, screen, 24, TrueColor, &vi) || vi.red_mask != 0xff0000 || vi.green_mask != 0xff00 ||
        vi.blue_mask != 0xff) {
        XCloseDisplay(dpy);
        return fail("display " + name + " has no 24-bit TrueColor visual");
    }

    auto impl = std::make_shared<Impl>();
    impl->dpy = dpy;
    impl->visual = vi.visual;
    impl->window = window;
    impl->width = std::max(1, window->getWidth());
    impl->height = std::max(1, window->getHeight());
    // The connection failing ends the event thread instead of the program.
    XSetIOErrorExitHandler(
        dpy,
        [](Display*, void* data) {
            auto* self = static_cast<Impl*>(data);
            std::lock_guard lock(self->mutex);
            self->dead = true;
        },
        impl.get());

    ::Window root = RootWindow(dpy, screen);
    impl->colormap = XCreateColormap(dpy, root, vi.visual, AllocNone);
    XSetWindowAttributes attrs{};
    attrs.background_pixmap = None;  // we paint every pixel: no clear before each Expose
    attrs.border_pixel = 0;
    attrs.colormap = impl->colormap;
    attrs.bit_gravity = NorthWestGravity;
    attrs.event_mask = ExposureMask | StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                       ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    impl->win = XCreateWindow(dpy, root, window->getX(), window->getY(), unsigned(impl->width),
                              unsigned(impl->height), 0, 24, InputOutput, vi.visual,
                              CWBackPixmap | CWBorderPixel | CWColormap | CWBitGravity | CWEventMask, &attrs);
    impl->xid = impl->win;
    impl->gc = XCreateGC(dpy, impl->win, 0, nullptr);
    std::string title;
    if (auto* f = dynamic_cast<Frame*>(window.get())) title = f->getTitle();
    if (auto* d = dynamic_cast<Dialog*>(window.get())) title = d->getTitle();
    if (!title.empty()) XStoreName(dpy, impl->win, title.c_str());
    impl->wmProtocols = XInternAtom(dpy, "WM_PROTOCOLS", False);
    impl->wmDelete = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(dpy, impl->win, &impl->wmDelete, 1);
    XMapWindow(dpy, impl->win);
    XFlush(dpy);

    if (pipe2(impl->wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        XDestroyWindow(dpy, impl->win);
        XCloseDisplay(dpy);
        return fail("cannot create the event thread's wake-up pipe");
    }
    // The thread keeps the state alive, so the backend may go away on any thread.
    impl->thread = std::thread([impl] { impl->run(); });
    auto backend = std::shared_ptr<X11Backend>(new X11Backend(impl));
    window->setBackend(backend);
    return backend;
}

void X11Backend::damaged(const Rectangle& area) {
    if (area.width <= 0 || area.height <= 0) return;
    {
        std::lock_guard lock(impl_->mutex);
        if (impl_->stop) return;
        impl_->damage = unite(impl_->damage, area);
    }
    impl_->wakeUp();
}

void X11Backend::resized(int w, int h) {
    {
        std::lock_guard lock(impl_->mutex);
        if (impl_->stop) return;
        impl_->requestedSize = Dimension{w, h};
    }
    impl_->wakeUp();
}

void X11Backend::close() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stop = true;
    }
    impl_->wakeUp();
    if (!impl_->thread.joinable()) return;
    // The last owner may drop the backend on the event thread itself; the thread then
    // finishes on its own, holding the state.
    if (impl_->thread.get_id() == std::this_thread::get_id())
        impl_->thread.detach();
    else
        impl_->thread.join();
}

bool X11Backend::isClosed() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->closed;
}

bool X11Backend::waitClosed(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->cv.wait_for(lock, timeout, [&] { return impl_->closed; });
}

bool X11Backend::waitMapped(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->cv.wait_for(lock, timeout, [&] { return impl_->mapped || impl_->closed; }) && impl_->mapped;
}

int X11Backend::shownCursor() const { return impl_->appliedCursor.load(); }

unsigned long X11Backend::windowId() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->closed ? 0 : impl_->xid;
}

}  // namespace host
