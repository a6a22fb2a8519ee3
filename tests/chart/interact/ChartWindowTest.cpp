// Charts in a real window on a private Xvfb server, driven by XTEST input: a drag
// zooms (the axis numbers on screen change) and the reset key brings the first picture
// back; shift-drags translate, control-drags turn a 3-D bar chart, middle-button drags
// edit a point; a link in the header shows the hand cursor while the pointer is on it;
// the axis key opens the axis selector in its own window.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "chart/AxisSelectorWindow.h"
#include "chart/NxChart.h"
#include "host/page/Applet.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"
#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"

// Xlib defines macros such as Bool: after every other header.
#include <X11/keysym.h>

#include "tests/support/OnDispatch.h"
#include "tests/support/WindowTest.h"

using namespace norvex::chart;
using namespace std::chrono_literals;
using testsupport::eventually;
using testsupport::onDispatch;

namespace {

constexpr int kLeft = 20, kTop = 30, kWidth = 420, kHeight = 320;

class ChartWindow : public testsupport::WindowTest<23> {
protected:
    // A chart from page parameters in a shown frame, as the renderer's window mode does.
    void open(std::vector<std::pair<std::string, std::string>> params) {
        applet = host::create<host::Applet>();
        params.insert(params.begin(), {"data", "ARRAY 2 5 1 2 3 4 5 'a' 1 4 2 5 3 'b' 5 3 4 1 2"});
        applet->setParameters(std::move(params));
        context = std::make_shared<host::PageContext>();
        applet->setAppletContext(context);
        chart = host::create<NxChart>(applet.get(), "chart");
        frame = host::create<host::Frame>();
        frame->setLayout(nullptr);
        frame->reshape(kLeft, kTop, kWidth, kHeight);
        frame->add(chart);
        chart->reshape(0, 0, kWidth, kHeight);
        openWindow(frame);
        if (HasFatalFailure()) return;
        settle();
    }

    void TearDown() override {
        WindowTest::TearDown();
        if (frame) frame->dispose();
    }

    // Input handled and the screen caught up with the buffer.
    void settle() {
        host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
        eventually([&] { return screen() == buffer(); }, 2000ms);
    }
    std::vector<uint32_t> screen() { return WindowTest::screen(0, 0, kWidth, kHeight); }
    std::vector<uint32_t> buffer() {
        std::vector<uint32_t> out;
        auto b = frame->getBuffer();
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) out.push_back(b->getPixel(x, y) & 0xFFFFFF);
        return out;
    }
    // The strip under the plot where the X axis numbers are.
    std::vector<uint32_t> axisStrip(const std::vector<uint32_t>& picture) {
        host::Rectangle p = plotInWindow();
        std::vector<uint32_t> out;
        for (int y = p.y + p.height + 2; y < std::min(kHeight, p.y + p.height + 20); ++y)
            for (int x = p.x; x < p.x + p.width; ++x) out.push_back(picture[size_t(y * kWidth + x)]);
        return out;
    }
    host::Rectangle plotInWindow() {
        return onDispatch([&] {
            auto& a = chart->getChartAreaRegion();
            host::Rectangle r = a.getPlotRect();
            host::Point o = a.getDrawingOrigin();
            return host::Rectangle{a.getX() + o.x + r.x, a.getY() + o.y + r.y, r.width, r.height};
        });
    }

    void drag(host::Point from, host::Point to, int b = 1, int steps = 8) {
        moveTo(from.x, from.y);
        button(b, true);
        for (int i = 1; i <= steps; ++i)
            moveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        button(b, false);
        settle();
    }

    std::shared_ptr<host::Applet> applet;
    std::shared_ptr<host::PageContext> context;
    std::shared_ptr<NxChart> chart;
    std::shared_ptr<host::Frame> frame;
};

}  // namespace

TEST_F(ChartWindow, ADragZoomsAndTheResetKeyBringsTheFirstPictureBack) {
    open({{"zoomTrigger", "NONE"}});
    auto first = screen();
    ASSERT_EQ(first, buffer());
    double min0 = onDispatch([&] { return chart->getChartAreaRegion().getXAxis()->getMin(); });
    host::Rectangle p = plotInWindow();
    drag({p.x + p.width / 4, p.y + p.height / 4}, {p.x + p.width / 2, p.y + p.height / 2});
    EXPECT_TRUE(eventually(
        [&] { return onDispatch([&] { return chart->getChartAreaRegion().getXAxis()->getMin(); }) > min0; }));
    settle();
    auto zoomed = screen();
    EXPECT_NE(axisStrip(zoomed), axisStrip(first));  // other numbers under the plot

    moveTo(p.x + 10, p.y + 10);
    tap(XK_r);
    settle();
    EXPECT_TRUE(eventually([&] { return screen() == first; }));
}

TEST_F(ChartWindow, AShiftDragTranslatesTheAxes) {
    open({{"zoomTrigger", "NONE"}, {"translateTrigger", "SHIFT"}, {"xaxis.min", "0"}, {"xaxis.max", "10"}});
    auto first = screen();
    host::Rectangle p = plotInWindow();
    key(XK_Shift_L, true);
    drag({p.x + p.width / 2, p.y + p.height / 2}, {p.x + p.width / 2 - p.width / 5, p.y + p.height / 2});
    key(XK_Shift_L, false);
    // A fifth of the plot to the left: 2 of 10 to the right.
    auto min = [&] { return onDispatch([&] { return chart->getChartAreaRegion().getXAxis()->getMin(); }); };
    EXPECT_TRUE(eventually([&] { return std::abs(min() - 2.0) < 0.05; })) << min();
    settle();
    EXPECT_NE(axisStrip(screen()), axisStrip(first));
}

TEST_F(ChartWindow, AControlDragTurnsA3DBarChart) {
    open({{"data.chartType", "BAR"}, {"rotateTrigger", "CTRL"}, {"chartArea.depth", "20"}});
    auto first = screen();
    host::Rectangle p = plotInWindow();
    key(XK_Control_L, true);
    drag({p.x + p.width / 2, p.y + p.height / 2}, {p.x + p.width / 2 + p.width / 4, p.y + p.height / 2 + 40});
    key(XK_Control_L, false);
    EXPECT_TRUE(eventually([&] {
        return onDispatch([&] {
            auto& a = chart->getChartAreaRegion();
            return a.getRotation() < 0 && a.getElevation() > 0;
        });
    }));
    settle();
    EXPECT_NE(screen(), first);
}

TEST_F(ChartWindow, AMiddleButtonDragEditsAPoint) {
    open({{"editTrigger", "ALT"}, {"yaxis.min", "0"}, {"yaxis.max", "10"}});
    auto at = onDispatch([&] { return chart->unpick(chart->getDataView(0), 0, 2); });
    ASSERT_TRUE(at);
    int target = onDispatch([&] {
        auto& a = chart->getChartAreaRegion();
        return a.getY() + a.getDrawingOrigin().y + a.getYAxis()->toPixel(8.0);
    });
    drag(*at, {at->x, target}, 2);
    EXPECT_TRUE(eventually([&] {
        return onDispatch([&] { return chart->getDataView(0)->getSeries(0)->getY(2); }) > 7.5;
    }));
}

TEST_F(ChartWindow, ALinkInTheHeaderShowsTheHandAndOnlyAClickOpensIt) {
    open({{"zoomTrigger", "NONE"}, {"header.text", "[HREF=http://example.invalid/more.html]More[/HREF]"},
          {"header.isShowing", "true"}});
    host::Rectangle h = onDispatch([&] { return chart->getHeader().getBounds(); });
    host::Point link{h.x + h.width / 2, h.y + h.height / 2};
    moveTo(link.x, link.y);
    EXPECT_TRUE(eventually([&] { return backend->shownCursor() == host::Cursor::HAND_CURSOR; }));
    moveTo(link.x, h.y + h.height + 60);  // into the chart area
    EXPECT_TRUE(eventually([&] { return backend->shownCursor() == host::Cursor::DEFAULT_CURSOR; }));
    // A zoom drag in the area that ends on the link opens nothing.
    host::Rectangle p = plotInWindow();
    drag({p.x + 30, p.y + 40}, link);
    EXPECT_TRUE(context->shownDocuments().empty());
    moveTo(link.x + 1, link.y);
    button(1, true);
    button(1, false);
    ASSERT_TRUE(eventually([&] { return context->shownDocuments().size() == 1u; }));
    EXPECT_EQ(context->shownDocuments()[0].first, "http://example.invalid/more.html");
}

// The axis selector on the screen: with a second Y axis, the "a" key opens the dialog in
// its own window, a click on the "Rate" box makes that axis the one drags move, and OK
// closes the dialog.
TEST_F(ChartWindow, TheAxisKeyOpensTheSelectorAndAClickChoosesTheAxis) {
    open({});
    auto second = onDispatch([&] {
        auto& a = chart->getChartAreaRegion();
        auto axis = std::make_shared<NxAxis>(&a, true, NxAxis::VALUE);
        axis->setName("Rate");
        a.setYAxis(1, axis);
        return axis;
    });
    std::mutex mutex;
    std::shared_ptr<host::X11Backend> dialogScreen;
    auto openDialog = [&](const std::shared_ptr<host::Dialog>& d) {
        std::string error;
        auto b = host::X11Backend::open(d, server.display, &error);
        std::lock_guard lock(mutex);
        if (!dialogScreen) dialogScreen = b;
    };
    AxisSelectorWindow::install(openDialog);
    host::Rectangle p = plotInWindow();
    clickAt(p.x + 10, p.y + 10);  // the chart takes the focus; no trigger is set
    tap(XK_a);
    ASSERT_TRUE(eventually([&] {
        auto d = AxisSelectorWindow::dialog();
        return d && onDispatch([&] { return d->isVisible(); });
    }));
    auto d = AxisSelectorWindow::dialog();
    {
        std::lock_guard lock(mutex);
        if (!dialogScreen) openDialog(d);  // the dialog was made earlier in this process
    }
    std::shared_ptr<host::X11Backend> screen;
    {
        std::lock_guard lock(mutex);
        screen = dialogScreen;
    }
    ASSERT_TRUE(screen);
    ASSERT_TRUE(screen->waitMapped(4000ms));

    // The middle of a component of the dialog, on the screen.
    auto onScreen = [&](host::Component* c) {
        return onDispatch([&] {
            host::Point at{c->getWidth() / 2, c->getHeight() / 2};
            for (host::Component* k = c; k && k != d.get(); k = k->getParent()) at.x += k->getX(), at.y += k->getY();
            return host::Point{d->getX() + at.x, d->getY() + at.y};
        });
    };
    auto clickScreen = [&](host::Point at) {
        server.xtest.motion(server.dpy, DefaultScreen(server.dpy), at.x, at.y, 0);
        XFlush(server.dpy);
        std::this_thread::sleep_for(20ms);
        button(1, true);
        button(1, false);
    };
    auto rate = AxisSelectorWindow::group(true)->getCheckbox(1);
    ASSERT_EQ(rate->getText(), "Rate");
    clickScreen(onScreen(rate.get()));
    EXPECT_TRUE(eventually([&] {
        return onDispatch([&] { return chart->getChartAreaRegion().getVertActionAxis(); }) == second;
    }));
    // OK hides the dialog.
    host::Component* ok = nullptr;
    onDispatch([&] {
        std::function<host::Component*(host::Component*)> find = [&](host::Component* c) -> host::Component* {
            if (c->getName() == "ok") return c;
            if (auto* ct = dynamic_cast<host::Container*>(c))
                for (auto& k : ct->getComponents())
                    if (auto* f = find(k.get())) return f;
            return nullptr;
        };
        ok = find(d.get());
        return 0;
    });
    ASSERT_TRUE(ok);
    clickScreen(onScreen(ok));
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return !d->isVisible(); }); }));

    AxisSelectorWindow::uninstall();
    screen->close();
    d->setBackend(nullptr);
}
