// The X11 backend against a private Xvfb server: screen pixels equal the buffer,
// repaints reach the screen, injected input (XTEST) reaches the right component in
// both event models, resizes follow each other, and closing works.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"

// Xlib defines macros such as Bool: after every other header.
#include "../support/WindowTest.h"

#include <X11/keysym.h>

using namespace host;
using namespace std::chrono_literals;
using testsupport::eventually;

namespace {

// Records the listener-style mouse and key events it gets, and old-model keys.
class Probe : public Canvas, public MouseListener, public MouseMotionListener {
public:
    explicit Probe(Color bg) { setBackground(bg); }
    void listen() {
        addMouseListener(this);
        addMouseMotionListener(this);
    }
    ~Probe() override {
        removeMouseListener(this);
        removeMouseMotionListener(this);
    }
    void mousePressed(MouseEvent& e) override { log("pressed", e); }
    void mouseReleased(MouseEvent& e) override { log("released", e); }
    void mouseClicked(MouseEvent& e) override { log("clicked", e); }
    void mouseEntered(MouseEvent& e) override { log("entered", e); }
    void mouseExited(MouseEvent& e) override { log("exited", e); }
    void mouseDragged(MouseEvent& e) override { log("dragged", e); }
    bool keyDown(Event& e, int key) override { return add("down " + std::to_string(key) + " id" + std::to_string(e.id)); }
    bool keyUp(Event& e, int key) override { return add("up " + std::to_string(key) + " id" + std::to_string(e.id)); }

    std::vector<std::string> events() {
        std::lock_guard lock(mutex_);
        return events_;
    }
    bool has(const std::string& s) {
        auto ev = events();
        return std::find(ev.begin(), ev.end(), s) != ev.end();
    }
    void clear() {
        std::lock_guard lock(mutex_);
        events_.clear();
    }

private:
    void log(const char* what, MouseEvent& e) {
        add(std::string(what) + " " + std::to_string(e.getX()) + "," + std::to_string(e.getY()) + " n" +
            std::to_string(e.getClickCount()) + " m" + std::to_string(e.getModifiers()));
    }
    bool add(std::string s) {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(s));
        return true;
    }
    std::mutex mutex_;
    std::vector<std::string> events_;
};

struct KeyProbe : Canvas, KeyListener {
    KeyProbe() { addKeyListener(this); }
    ~KeyProbe() override { removeKeyListener(this); }
    void keyPressed(KeyEvent& e) override { add("pressed", e); }
    void keyTyped(KeyEvent& e) override { add("typed", e); }
    void keyReleased(KeyEvent& e) override { add("released", e); }
    void add(const char* what, KeyEvent& e) {
        std::lock_guard lock(mutex);
        events.push_back(std::string(what) + " " + std::to_string(e.getKeyCode()) + " " + std::to_string(e.getKeyChar()));
    }
    std::mutex mutex;
    std::vector<std::string> events;
};

class ClosingFrame : public Frame {
public:
    std::atomic<bool> destroyed{false};
    bool handleEvent(Event& e) override {
        if (e.id == Event::WINDOW_DESTROY) destroyed = true;
        return Frame::handleEvent(e);
    }
};

// One Xvfb for the whole suite; input without pauses (the server keeps its order).
class X11Window : public testsupport::WindowTest<0> {
protected:
    X11Window() { movePause = buttonPause = keyPause = std::chrono::milliseconds(0); }

    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        frame = create<ClosingFrame>();
        frame->setLayout(nullptr);
        frame->reshape(30, 40, 200, 150);
        left = create<Probe>(Color::red);
        right = create<Probe>(Color::blue);
        frame->add(left);
        frame->add(right);
        left->reshape(10, 10, 80, 60);
        right->reshape(110, 10, 80, 60);
        openWindow(frame);
    }

    std::vector<uint32_t> buffer() {
        auto b = frame->getBuffer();
        std::vector<uint32_t> px;
        for (int y = 0; y < b->getHeight(); ++y)
            for (int x = 0; x < b->getWidth(); ++x) px.push_back(b->getPixel(x, y) & 0xFFFFFF);
        return px;
    }
    bool screenMatchesBuffer() {
        auto b = frame->getBuffer();
        return screen(0, 0, b->getWidth(), b->getHeight()) == buffer();
    }
    void click(int b = 1) {
        button(b, true);
        button(b, false);
    }

    std::shared_ptr<ClosingFrame> frame;
    std::shared_ptr<Probe> left, right;
};

}  // namespace

TEST(X11Keys, KeysymsMapToKeyCodesAndCharacters) {
    EXPECT_EQ(x11KeysymToKeyCode(XK_Home), KeyEvent::VK_HOME);
    EXPECT_EQ(x11KeysymToKeyCode(XK_KP_Home), KeyEvent::VK_HOME);
    EXPECT_EQ(x11KeysymToKeyCode(XK_Page_Up), KeyEvent::VK_PAGE_UP);
    EXPECT_EQ(x11KeysymToKeyCode(XK_KP_Next), KeyEvent::VK_PAGE_DOWN);
    EXPECT_EQ(x11KeysymToKeyCode(XK_KP_Left), KeyEvent::VK_LEFT);
    EXPECT_EQ(x11KeysymToKeyCode(XK_KP_Enter), KeyEvent::VK_ENTER);
    EXPECT_EQ(x11KeysymToKeyCode(XK_KP_Delete), KeyEvent::VK_DELETE);
    EXPECT_EQ(x11KeysymToKeyCode(XK_F12), KeyEvent::VK_F12);
    EXPECT_EQ(x11KeysymToKeyCode(XK_Control_R), KeyEvent::VK_CONTROL);
    EXPECT_EQ(x11KeysymToKeyCode(XK_Alt_L), KeyEvent::VK_ALT);
    EXPECT_EQ(x11KeysymToKeyCode(XK_b), 'B');
    EXPECT_EQ(x11KeysymToKeyCode(XK_dead_acute), KeyEvent::VK_UNDEFINED);
    // Return gives CR on X; the toolkit's Enter character is 10.
    EXPECT_EQ(x11KeyChar(XK_Return, "\r"), 10);
    EXPECT_EQ(x11KeyChar(XK_KP_Enter, "\r"), 10);
    EXPECT_EQ(x11KeyChar(XK_c, "\x03"), 3);
    EXPECT_EQ(x11KeyChar(XK_eacute, "\xe9"), 0xe9);
    EXPECT_EQ(x11KeyChar(XK_Home, ""), KeyEvent::CHAR_UNDEFINED);
}

TEST(X11Clicks, SeriesNeedTheSameButtonSoonAndNearby) {
    ClickCounter c;
    EXPECT_EQ(c.press(1, 1000, 10, 10), 1);
    EXPECT_EQ(c.press(1, 1200, 13, 6), 2);
    EXPECT_EQ(c.press(1, 1500, 13, 6), 3);
    EXPECT_EQ(c.press(1, 1900, 13, 6), 1);  // 400 ms later: a new series
    EXPECT_EQ(c.press(3, 1950, 13, 6), 1);  // another button
    EXPECT_EQ(c.press(3, 2000, 18, 6), 1);  // 5 px away
    EXPECT_EQ(c.press(3, 1990, 18, 6), 1);  // time going backwards never continues
}

TEST(X11Open, WithoutADisplayFailsWithAClearMessage) {
    auto frame = create<Frame>();
    frame->reshape(0, 0, 50, 50);
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    unsetenv("DISPLAY");
    std::string error;
    EXPECT_EQ(X11Backend::open(frame, &error), nullptr);
    EXPECT_EQ(error, "cannot open a window: no display (DISPLAY is not set)");
    if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_EQ(X11Backend::open(frame, ":6543", &error), nullptr);
    EXPECT_EQ(error, "cannot open a window: cannot connect to display :6543");
    EXPECT_EQ(X11Backend::open(nullptr, ":6543", &error), nullptr);
}

TEST_F(X11Window, ScreenShowsTheBufferAndRepaintsReachIt) {
    EXPECT_TRUE(eventually([&] { return screenMatchesBuffer(); }));
    EXPECT_EQ(screenPixel(20, 20), 0xFF0000u);

    // A repaint asked for by a component is painted on the event thread without telling
    // the window; it must reach the screen all the same.
    right->setBackground(Color::green);
    right->repaint();
    EXPECT_TRUE(eventually([&] { return screenPixel(150, 40) == 0x00FF00u; }));

    // So must drawing through a context the program holds on to.
    auto g = left->getGraphics();
    ASSERT_TRUE(g);
    g->setColor(Color::yellow);
    g->fillRect(0, 0, 20, 20);
    EXPECT_TRUE(eventually([&] { return screenPixel(15, 15) == 0xFFFF00u; }));
    g.reset();
    EXPECT_TRUE(eventually([&] { return screenMatchesBuffer(); }));
}

TEST_F(X11Window, ClicksGoToTheChildUnderThePointerWithCounts) {
    left->listen();
    right->listen();
    moveTo(135, 25);
    click();
    const int b1 = InputEvent::BUTTON1_MASK;
    EXPECT_TRUE(eventually([&] { return right->has("clicked 25,15 n1 m" + std::to_string(b1)); }));
    EXPECT_TRUE(right->has("pressed 25,15 n1 m" + std::to_string(b1)));
    EXPECT_TRUE(right->has("released 25,15 n1 m" + std::to_string(b1)));
    EXPECT_TRUE(left->events().empty());

    moveTo(40, 50);
    click();
    click();
    EXPECT_TRUE(eventually([&] { return left->has("pressed 30,40 n2 m" + std::to_string(b1)); }));
    EXPECT_TRUE(left->has("pressed 30,40 n1 m" + std::to_string(b1)));
    EXPECT_TRUE(right->has("exited -70,40 n0 m0"));
    EXPECT_TRUE(left->has("entered 30,40 n0 m0"));

    // Button 3 carries its own mask (the old model's META).
    moveTo(120, 20);
    right->clear();
    click(3);
    EXPECT_TRUE(eventually([&] { return right->has("released 10,10 n1 m" + std::to_string(InputEvent::BUTTON3_MASK)); }));
}

TEST_F(X11Window, DragAndReleaseStayWithThePressedComponent) {
    left->listen();
    right->listen();
    moveTo(20, 20);
    button(1, true);
    moveTo(150, 30);
    button(1, false);
    const std::string m = " m" + std::to_string(InputEvent::BUTTON1_MASK);
    // Coordinates stay the pressed component's, past its edge.
    EXPECT_TRUE(eventually([&] { return left->has("released 140,20 n1" + m); }));
    EXPECT_TRUE(left->has("dragged 140,20 n0" + m)) << testing::PrintToString(left->events()) << testing::PrintToString(right->events());
    EXPECT_FALSE(left->has("clicked 140,20 n1" + m));
    EXPECT_FALSE(right->has("pressed 40,20 n1" + m));
    EXPECT_FALSE(right->has("released 40,20 n1" + m));
    // After the release the pointer is over the right child.
    EXPECT_TRUE(eventually([&] { return right->has("entered 40,20 n0 m0"); }));
}

TEST_F(X11Window, KeysGoToTheFocusOwnerInBothModels) {
    // Old model: no key listener, so the key reaches keyDown through the bridge.
    frame->setFocusOwner(left.get());
    key(XK_Home, true);
    key(XK_Home, false);
    EXPECT_TRUE(eventually([&] { return left->has("up 1000 id" + std::to_string(Event::KEY_ACTION_RELEASE)); }));
    EXPECT_TRUE(left->has("down 1000 id" + std::to_string(Event::KEY_ACTION)));

    auto keys = create<KeyProbe>();
    frame->add(keys);
    keys->reshape(0, 100, 50, 40);
    frame->setFocusOwner(keys.get());
    key(XK_Home, true);
    key(XK_Home, false);
    key(XK_Return, true);
    key(XK_Return, false);
    key(XK_a, true);
    key(XK_a, false);
    auto snapshot = [&] {
        std::lock_guard lock(keys->mutex);
        return keys->events;
    };
    EXPECT_TRUE(eventually([&] { return snapshot().size() >= 8; }));
    const std::string undef = std::to_string(KeyEvent::CHAR_UNDEFINED);
    EXPECT_EQ(snapshot(), (std::vector<std::string>{"pressed 36 " + undef, "released 36 " + undef, "pressed 10 10",
                                                    "typed 0 10", "released 10 10", "pressed 65 97", "typed 0 97",
                                                    "released 65 97"}));
    frame->setFocusOwner(nullptr);
}

TEST_F(X11Window, ResizesFollowEachOther) {
    // The screen resizes the window (as a window manager would).
    XResizeWindow(server.dpy, backend->windowId(), 260, 180);
    XFlush(server.dpy);
    // The window's bounds change on the event thread: read them there.
    EXPECT_TRUE(eventually([&] {
        bool sized = false;
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().invokeAndWait(
            [&] { sized = frame->getWidth() == 260 && frame->getHeight() == 180; });
        return sized;
    }));
    EXPECT_TRUE(eventually([&] {
        auto b = frame->getBuffer();
        return b && b->getWidth() == 260 && screenMatchesBuffer();
    }));

    // The program resizes the window.
    frame->setSize(150, 120);
    EXPECT_TRUE(eventually([&] {
        XWindowAttributes a;
        return XGetWindowAttributes(server.dpy, backend->windowId(), &a) && a.width == 150 && a.height == 120;
    }));
    EXPECT_TRUE(eventually([&] { return screenMatchesBuffer(); }));
}

TEST_F(X11Window, CloseRequestEndsTheWindow) {
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = backend->windowId();
    ev.xclient.message_type = XInternAtom(server.dpy, "WM_PROTOCOLS", False);
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = long(XInternAtom(server.dpy, "WM_DELETE_WINDOW", False));
    XSendEvent(server.dpy, backend->windowId(), False, NoEventMask, &ev);
    XFlush(server.dpy);
    EXPECT_TRUE(backend->waitClosed(4000ms));
    EXPECT_EQ(backend->windowId(), 0u);
    EXPECT_TRUE(eventually([&] { return frame->destroyed.load(); }));
    // Repaints after closing go nowhere and harm nothing.
    frame->paintTree();
    backend->close();
}
