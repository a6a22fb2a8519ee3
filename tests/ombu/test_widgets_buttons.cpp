// Labels (the nine alignments, empty areas, text lists), buttons (arming, clicks,
// releases outside, keys, the arm label) and arrow buttons (arrow shapes, one click
// per press, auto-repeat through the event queue with a controlled clock).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "OmbuTestSupport.h"
#include "host/ui/Toolkit.h"
#include "ombu/OmbuUtil.h"
#include "ombu/widgets/NxArrowButton.h"
#include "ombu/widgets/NxButton.h"
#include "ombu/widgets/NxLabel.h"
#include "ombu/widgets/NxScrollbar.h"
#include "tests/support/Eventually.h"

using namespace norvex::ombu;
using namespace std::chrono_literals;
using host::Event;
using host::Rectangle;
using ombutest::Drawing;
using ombutest::ShownFrame;
using testsupport::eventually;

namespace {

struct Actions : NxActionListener {
    std::atomic<int> count{0};
    std::string command;
    std::atomic<bool> offDispatchThread{false};
    void actionPerformed(NxActionEvent& e) override {
        command = e.getActionCommand();
        if (!host::Toolkit::getDefaultToolkit().getSystemEventQueue().isDispatchThread()) offDispatchThread = true;
        ++count;
    }
};

// Lets the repeat thread go on one wait at a time, and records the delays asked for.
class StepClock : public host::RepeatTimer::Clock {
public:
    bool wait(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, std::chrono::milliseconds delay,
              const std::function<bool()>& stopped) override {
        {
            std::lock_guard g(mutex);
            delays.push_back(int(delay.count()));
        }
        while (!stopped()) {
            {
                std::lock_guard g(mutex);
                if (permits > 0) {
                    --permits;
                    return true;
                }
            }
            cv.wait_for(lock, 1ms);
        }
        return false;
    }
    void advance() {
        std::lock_guard g(mutex);
        ++permits;
    }
    std::vector<int> asked() {
        std::lock_guard g(mutex);
        return delays;
    }
    std::mutex mutex;
    std::vector<int> delays;
    int permits = 0;
};

void settle() { host::Toolkit::getDefaultToolkit().getSystemEventQueue().waitUntilIdle(); }

Event press(int modifiers = 0) {
    Event e;
    e.id = Event::MOUSE_DOWN;
    e.when = host::Toolkit::currentTimeMillis();  // long after any drop-down list closed
    e.modifiers = modifiers;
    return e;
}

}  // namespace

TEST(LabelTest, NineAlignmentsPlaceTheValueInTheDrawingArea) {
    ShownFrame f(200, 100, Drawing::Private);
    auto l = f.add(host::create<NxLabel>(nullptr, "l"), 0, 0, 100, 40);
    f.show();
    l->setText("ab");
    int w = OmbuUtil::getWidth(host::Value("ab"), l.get()), h = OmbuUtil::getHeight(host::Value("ab"), l.get());
    // Insets 5, 2, 5, 2 and no frame: the area is (2, 5, 96, 30).
    int xs[3] = {2, 2 + (96 - w) / 2, 2 + 96 - w};
    int ys[3] = {5, 5 + (30 - h) / 2, 5 + 30 - h};
    for (int a = 0; a < 9; ++a) {
        l->setAlignment(a);
        EXPECT_EQ(l->getLabelBounds(), (Rectangle{xs[a % 3], ys[a / 3], w, h})) << "alignment " << a;
    }
    EXPECT_THROW(l->setAlignment(9), std::invalid_argument);
    EXPECT_EQ(l->preferredSize(), (host::Dimension{w + 4, h + 10}));
}

TEST(LabelTest, EmptyDrawingAreaDrawsNothingAndLaysOutAgainLater) {
    ShownFrame f(200, 100);
    auto l = f.add(host::create<NxLabel>(nullptr, "l"), 0, 0, 4, 40);  // area width 0
    l->setDoubleBuffer(false);
    l->setText("hello");
    f.show();
    l->repaint();
    EXPECT_EQ(f.count("drawString"), 0);
    l->reshape(0, 0, 100, 40);
    f.log->clear();
    l->repaint();
    EXPECT_EQ(f.count("drawString(\"hello\""), 1);
}

TEST(LabelTest, TextListsJoinAndTrimLines) {
    auto l = host::create<NxLabel>(nullptr, "");
    EXPECT_EQ(l->getName().rfind("label", 0), 0u);
    l->setTextList({" one ", "two"});
    EXPECT_EQ(l->getText(), " one \ntwo");
    EXPECT_EQ(l->getTextList(), (std::vector<std::string>{"one", "two"}));
}

TEST(ButtonTest, ReleaseInsideClicksAndReleaseOutsideOnlyDisarms) {
    ShownFrame f(200, 100, Drawing::Private);
    auto b = f.add(host::create<NxButton>(nullptr, "b"), 0, 0, 80, 30);
    f.show();
    Actions actions;
    b->addActionListener(&actions);
    b->setActionCommand("go");
    Event e = press();
    EXPECT_TRUE(b->mouseDown(e, 10, 10));
    EXPECT_TRUE(b->isArmed());
    EXPECT_FALSE(b->mouseDown(e, 10, 10));  // already armed
    b->mouseUp(e, 10, 10);
    EXPECT_FALSE(b->isArmed());
    EXPECT_EQ(actions.count, 1);
    EXPECT_EQ(actions.command, "go");
    b->mouseDown(e, 10, 10);
    b->mouseUp(e, 200, 10);  // outside
    EXPECT_FALSE(b->isArmed());
    EXPECT_EQ(actions.count, 1);
    Event meta = press(Event::META_MASK);
    EXPECT_FALSE(b->mouseDown(meta, 10, 10));  // third button
    Event key;
    b->keyDown(key, ' ');
    b->keyDown(key, 10);
    EXPECT_EQ(actions.count, 3);
    b->removeActionListener(&actions);
}

TEST(ButtonTest, ArmedButtonShowsTheArmLabelShiftedAndSunken) {
    ShownFrame f(200, 100);
    auto b = f.add(host::create<NxButton>(nullptr, "b"), 0, 0, 80, 30);
    b->setDoubleBuffer(false);
    b->setText("Go");
    b->setArmLabel(host::Value("Gone"));
    b->setTraversable(false);  // no focus events: the event thread would log into the same log
    f.show();
    b->repaint();
    EXPECT_EQ(f.count("drawString(\"Go\""), 1);
    Event e = press();
    f.log->clear();
    b->mouseDown(e, 5, 5);
    EXPECT_EQ(f.count("drawString(\"Gone\""), 1);
    EXPECT_EQ(f.count("drawString(\"Go\""), 0);
    b->mouseUp(e, 5, 5);
    EXPECT_GE(b->preferredWidth(), 20);
}

TEST(ArrowButtonTest, ArrowsPointTheirWay) {
    ShownFrame f(200, 100);
    auto a = f.add(host::create<NxArrowButton>(nullptr, "a"), 0, 0, 15, 15);  // area (3, 3, 9, 9)
    f.show();
    const std::pair<int, const char*> shapes[] = {
        {OmbuEnum::UP, "fillPolygon([3,11,7],[9,9,5])"},
        {OmbuEnum::DOWN, "fillPolygon([3,11,7],[5,5,9])"},
        {OmbuEnum::LEFT, "fillPolygon([9,9,5],[3,11,7])"},
        {OmbuEnum::RIGHT, "fillPolygon([5,5,9],[3,11,7])"},
    };
    for (auto [o, line] : shapes) {
        f.log->clear();
        a->setOrientation(o);
        if (o == OmbuEnum::DOWN) a->repaint();  // already DOWN: no change, so paint by hand
        EXPECT_TRUE(f.logged(line)) << line;
    }
    EXPECT_THROW(a->setOrientation(7), std::invalid_argument);
    EXPECT_NE(OmbuEnum::UP, OmbuEnum::DOWN);
    EXPECT_NE(OmbuEnum::UP, OmbuEnum::LEFT);
    EXPECT_NE(OmbuEnum::UP, OmbuEnum::RIGHT);
}

TEST(ArrowButtonTest, DefaultDelayClicksOncePerPress) {
    ShownFrame f(200, 100, Drawing::Private);
    auto a = f.add(host::create<NxArrowButton>(nullptr, "a"), 0, 0, 16, 16);
    f.show();
    Actions actions;
    a->addActionListener(&actions);
    Event e = press();
    a->mouseDown(e, 5, 5);
    EXPECT_EQ(actions.count, 1);
    EXPECT_FALSE(a->isRepeating());
    std::this_thread::sleep_for(80ms);
    a->mouseUp(e, 5, 5);
    settle();
    EXPECT_EQ(actions.count, 1);  // the release does not click again
    a->removeActionListener(&actions);
}

TEST(ArrowButtonTest, HeldButtonRepeatsOnTheDispatchThreadUntilReleased) {
    ShownFrame f(200, 100, Drawing::Private);
    auto a = f.add(host::create<NxArrowButton>(nullptr, "a"), 0, 0, 16, 16);
    f.show();
    auto clock = std::make_shared<StepClock>();
    a->setRepeatClock(clock);
    a->setInitialRepeatDelay(250);
    Actions actions;
    a->addActionListener(&actions);
    Event e = press();
    a->mouseDown(e, 5, 5);
    EXPECT_EQ(actions.count, 1);
    EXPECT_TRUE(a->isRepeating());
    for (int n = 2; n <= 4; ++n) {
        clock->advance();
        EXPECT_TRUE(eventually([&] { return actions.count == n; })) << n;
    }
    a->mouseUp(e, 5, 5);  // stops and joins the repeat thread
    EXPECT_FALSE(a->isRepeating());
    clock->advance();
    settle();
    EXPECT_EQ(actions.count, 4);
    auto asked = clock->asked();
    ASSERT_GE(asked.size(), 4u);
    EXPECT_EQ(asked[0], 250);
    EXPECT_EQ(asked[1], NxArrowButton::REPEAT_INTERVAL);
    EXPECT_EQ(asked[3], NxArrowButton::REPEAT_INTERVAL);
    a->removeActionListener(&actions);
}

TEST(ArrowButtonTest, ScrollBarArrowsRepeatThroughTheEventQueue) {
    ShownFrame f(200, 300, Drawing::Private);
    auto bar = f.add(host::create<NxScrollbar>(OmbuEnum::VERTICAL, nullptr, "bar"), 0, 0, 16, 232);
    f.show();
    bar->setValues(0, 10, 0, 100);
    bar->setUnitIncrement(5);
    auto arrow = bar->getIncrArrow();
    auto clock = std::make_shared<StepClock>();
    arrow->setRepeatClock(clock);
    Event e = press();
    // Pressing twice without a release still leaves one repeat thread.
    arrow->armAction(&e);
    arrow->mouseDown(e, 5, 5);
    EXPECT_EQ(bar->getValue(), 0);  // already armed: the second press is ignored
    arrow->disarmAction(&e);
    arrow->mouseDown(e, 5, 5);
    EXPECT_EQ(bar->getValue(), 5);
    clock->advance();
    EXPECT_TRUE(eventually([&] { return bar->getValue() == 10; }));
    clock->advance();
    EXPECT_TRUE(eventually([&] { return bar->getValue() == 15; }));
    EXPECT_FALSE(arrow->mouseUp(e, 5, 5));  // a scroll bar also sees the release
    settle();
    EXPECT_EQ(bar->getValue(), 15);
}

TEST(ButtonTest, DisabledButtonDrawsItsValueEmbossed) {
    ShownFrame f(200, 100);
    auto b = f.add(host::create<NxButton>(nullptr, "b"), 0, 0, 80, 30);
    b->setDoubleBuffer(false);
    b->setBackground(host::Color::lightGray);
    b->setText("Off");
    f.show();
    b->disable();
    auto lines = f.lines();
    auto first = std::find_if(lines.begin(), lines.end(), [](auto& l) { return l.rfind("drawString(\"Off\"", 0) == 0; });
    ASSERT_NE(first, lines.end());
    auto second = std::find_if(first + 1, lines.end(), [](auto& l) { return l.rfind("drawString(\"Off\"", 0) == 0; });
    ASSERT_NE(second, lines.end());
    EXPECT_EQ(*(first - 1), "setColor(255,255,255)");  // the white copy, one pixel down and right
    host::Color dark = OmbuUtil::darker(host::Color::lightGray);
    EXPECT_EQ(*(second - 1), "setColor(" + std::to_string(dark.getRed()) + "," + std::to_string(dark.getGreen()) + "," +
                                 std::to_string(dark.getBlue()) + ")");
}
