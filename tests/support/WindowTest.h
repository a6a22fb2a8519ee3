// The base of the window test suites: one private Xvfb server per suite (the tests
// skip without one), the window under test opened on it per test and closed after,
// XTEST input at window coordinates, and the screen's pixels.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"

// Xlib defines macros such as Bool: after every other header.
#include "XvfbServer.h"

namespace testsupport {

// Salt keeps the display numbers of suites that start at the same time apart.
template <int Salt>
class WindowTest : public ::testing::Test {
protected:
    static inline XvfbServer server;
    static inline bool started = false;

    static void SetUpTestSuite() { started = server.start(Salt); }
    static void TearDownTestSuite() { server.stop(); }

    void SetUp() override {
        if (!started) GTEST_SKIP() << "Xvfb with XTEST is not available (tools/setup.sh installs it)";
    }
    void TearDown() override {
        if (backend) backend->close();
        backend.reset();
        if (window) window->setBackend(nullptr);
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    }

    // Shows the window on the server where its bounds say and waits until it is
    // mapped (a fatal failure otherwise: callers check HasFatalFailure()).
    void openWindow(const std::shared_ptr<host::Window>& w) {
        window = w;
        origin = {w->getX(), w->getY()};
        w->setVisible(true);
        std::string error;
        backend = host::X11Backend::open(w, server.display, &error);
        ASSERT_TRUE(backend) << error;
        ASSERT_TRUE(backend->waitMapped(std::chrono::milliseconds(4000)));
    }

    // Input through XTEST at window coordinates; each action waits its pause, so the
    // window sees the actions one after the other.
    void moveTo(int x, int y) {
        server.xtest.motion(server.dpy, DefaultScreen(server.dpy), origin.x + x, origin.y + y, 0);
        flushAndWait(movePause);
    }
    void button(int b, bool down) {
        server.xtest.button(server.dpy, unsigned(b), down, 0);
        flushAndWait(buttonPause);
    }
    void clickAt(int x, int y, int b = 1) {
        moveTo(x, y);
        button(b, true);
        button(b, false);
    }
    void key(KeySym sym, bool down) {
        server.xtest.key(server.dpy, XKeysymToKeycode(server.dpy, sym), down, 0);
        flushAndWait(keyPause);
    }
    void tap(KeySym sym) {
        key(sym, true);
        key(sym, false);
    }

    // The window's pixels on the screen (RGB, row-major); empty when they cannot be read.
    std::vector<uint32_t> screen(int x, int y, int w, int h) {
        std::vector<uint32_t> out;
        XImage* img = XGetImage(server.dpy, backend->windowId(), x, y, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
        if (!img) return out;
        out.reserve(size_t(w) * size_t(h));
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) out.push_back(uint32_t(XGetPixel(img, i, j)) & 0xFFFFFF);
        XDestroyImage(img);
        return out;
    }
    // One pixel of the screen, or 0xFFFFFFFF when it cannot be read.
    uint32_t screenPixel(int x, int y) {
        auto px = screen(x, y, 1, 1);
        return px.empty() ? 0xFFFFFFFFu : px[0];
    }
    // One pixel of the window's buffer (RGB).
    uint32_t bufferPixel(int x, int y) { return window->getBuffer()->getPixel(x, y) & 0xFFFFFF; }

    std::chrono::milliseconds movePause{20}, buttonPause{30}, keyPause{20};
    std::shared_ptr<host::Window> window;
    std::shared_ptr<host::X11Backend> backend;

private:
    void flushAndWait(std::chrono::milliseconds pause) {
        XFlush(server.dpy);
        if (pause.count() > 0) std::this_thread::sleep_for(pause);
    }
    host::Point origin;
};

}  // namespace testsupport
