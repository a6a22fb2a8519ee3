// The widgets in a real window on a private Xvfb server, driven by XTEST input:
// clicking a button, ticking a check box, switching radio boxes, holding a scroll
// bar's arrow (auto-repeat), dragging its thumb; the screen shows the buffer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "host/ui/Toolkit.h"
#include "host/ui/Window.h"
#include "host/x11/X11Backend.h"
#include "ombu/widgets/NxArrowButton.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"
#include "ombu/widgets/NxScrollbar.h"

// Xlib defines macros such as Bool: after every other header.
#include "../support/OnDispatch.h"
#include "../support/WindowTest.h"

using namespace norvex::ombu;
using namespace std::chrono_literals;
using testsupport::eventually;
using testsupport::onDispatch;

namespace {

struct Recorder : NxActionListener, NxAdjustmentListener {
    std::atomic<int> actions{0};
    std::mutex mutex;
    std::vector<int> types;
    void actionPerformed(NxActionEvent&) override { ++actions; }
    void adjustmentValueChanged(NxAdjustmentEvent& e) override {
        std::lock_guard g(mutex);
        types.push_back(e.getAdjustmentType());
    }
    int count(int type) {
        std::lock_guard g(mutex);
        return int(std::count(types.begin(), types.end(), type));
    }
};

class WidgetWindow : public testsupport::WindowTest<17> {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        if (IsSkipped()) return;
        frame = host::create<host::Frame>();
        frame->setLayout(nullptr);
        frame->reshape(30, 40, 300, 200);
        frame->setBackground(host::Color::lightGray);
        pushButton = add(host::create<NxButton>(nullptr, "button"), 10, 10, 80, 30);
        pushButton->setText("Press");
        box = add(host::create<NxCheckbox>(nullptr, "box"), 10, 50, 140, 24);
        box->setText("Tick");
        box->setIndicator(OmbuEnum::INDICATOR_CHECK);
        group = NxCheckbox::makeGroup({"One", "Two"}, {1, 2}, true);
        add(group, 10, 80, 140, 50);
        bar = add(host::create<NxScrollbar>(OmbuEnum::VERTICAL, nullptr, "bar"), 250, 10, 16, 180);
        bar->setValues(0, 100, 0, 1000);
        bar->setUnitIncrement(10);
        pushButton->addActionListener(&recorder);
        bar->addAdjustmentListener(&recorder);
        openWindow(frame);
    }

    void TearDown() override {
        WindowTest::TearDown();
        if (pushButton) pushButton->removeActionListener(&recorder);
        if (bar) bar->removeAdjustmentListener(&recorder);
    }

    template <class T>
    std::shared_ptr<T> add(std::shared_ptr<T> c, int x, int y, int w, int h) {
        frame->add(c);
        c->reshape(x, y, w, h);
        return c;
    }

    std::shared_ptr<host::Frame> frame;
    std::shared_ptr<NxButton> pushButton;
    std::shared_ptr<NxCheckbox> box;
    std::shared_ptr<NxCheckboxGroup> group;
    std::shared_ptr<NxScrollbar> bar;
    Recorder recorder;
};

}  // namespace

TEST_F(WidgetWindow, ButtonsCheckBoxesAndRadioBoxesAnswerClicks) {
    clickAt(40, 25);
    EXPECT_TRUE(eventually([&] { return recorder.actions == 1; }));

    clickAt(20, 62);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return box->getState(); }) == 1; }));
    // The check mark's top-right pixel is black on the screen.
    auto ind = onDispatch([&] { return box->getIndicatorBounds(); });
    int mx = 10 + ind.x + 3 + 6, my = 50 + ind.y + 3;
    EXPECT_TRUE(eventually([&] { return screenPixel(mx, my) == 0x000000u; }));

    auto one = group->getCheckbox(0), two = group->getCheckbox(1);
    int twoY = onDispatch([&] { return two->getY(); });
    clickAt(20, 80 + 5);
    clickAt(20, 80 + twoY + 5);
    EXPECT_TRUE(eventually([&] {
        return onDispatch([&] { return std::make_pair(one->getState(), two->getState()); }) == std::make_pair(0, 1);
    }));
}

TEST_F(WidgetWindow, HoldingAnArrowRepeatsAndDraggingTheThumbScrolls) {
    moveTo(258, 10 + 180 - 8);  // the increment arrow
    button(1, true);
    std::this_thread::sleep_for(700ms);  // 300 ms before the first repeat, then every 50 ms
    button(1, false);
    // The release reaches the window some time after XTEST sends it: wait until the
    // arrow has stopped repeating, then let any click it queued run.
    EXPECT_TRUE(eventually([&] { return !bar->getIncrArrow()->isRepeating(); }));
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle();
    int held = onDispatch([&] { return bar->getValue(); });
    EXPECT_GE(held, 40);  // the press and at least three repeats
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(onDispatch([&] { return bar->getValue(); }), held);  // released: no more repeats
    EXPECT_GE(recorder.count(host::AdjustmentEvent::UNIT_INCREMENT), 4);

    int thumbY = onDispatch([&] { return bar->getThumb()->getY() + bar->getThumb()->getHeight() / 2; });
    moveTo(258, 10 + thumbY);
    button(1, true);
    for (int dy = 5; dy <= 40; dy += 5) moveTo(258, 10 + thumbY + dy);
    button(1, false);
    EXPECT_TRUE(eventually([&] { return onDispatch([&] { return !bar->dragging(); }); }));
    EXPECT_GT(onDispatch([&] { return bar->getValue(); }), held);
    EXPECT_GE(recorder.count(host::AdjustmentEvent::TRACK), 1);

    // The screen shows the moved thumb as the buffer does.
    EXPECT_TRUE(eventually([&] {
        return screenPixel(258, 10 + thumbY + 40) == bufferPixel(258, 10 + thumbY + 40) &&
               screenPixel(258, 10 + thumbY - 20) == bufferPixel(258, 10 + thumbY - 20);
    }));
}
