// Scroll bars (value model, 64-bit geometry at 2,200,000, paging, the press filter,
// keys, thumb drags with the notification filter) and scrolled windows (the five
// display policies and scrolling the child).
#include <gtest/gtest.h>

#include "OmbuTestSupport.h"
#include "host/graphics/Image.h"
#include "host/ui/Toolkit.h"
#include "ombu/widgets/NxArrowButton.h"
#include "ombu/widgets/NxScrollbar.h"
#include "ombu/widgets/NxScrolledWindow.h"

using namespace norvex::ombu;
using host::Dimension;
using host::Event;
using host::Rectangle;
using ombutest::Drawing;
using ombutest::ShownFrame;

namespace {

struct Adjustments : NxAdjustmentListener {
    std::vector<std::pair<int, int>> seen;  // (type, value)
    void adjustmentValueChanged(NxAdjustmentEvent& e) override { seen.emplace_back(e.getAdjustmentType(), e.getValue()); }
};

Event at(int64_t when, int modifiers = 0) {
    Event e;
    e.when = when;
    e.modifiers = modifiers;
    return e;
}

// A vertical bar `length` pixels long in a shown frame.
struct BarFixture {
    ShownFrame f{40, 1200, Drawing::Private};
    std::shared_ptr<NxScrollbar> bar;
    Adjustments adj;
    explicit BarFixture(int length = 1132) {
        bar = f.add(host::create<NxScrollbar>(OmbuEnum::VERTICAL, nullptr, "bar"), 0, 0, 16, length);
        f.show();
        bar->addAdjustmentListener(&adj);
    }
    ~BarFixture() { bar->removeAdjustmentListener(&adj); }
    int thumbTop() const { return bar->getThumb()->getY(); }
    int thumbBottom() const { return bar->getThumb()->getY() + bar->getThumb()->getHeight(); }
};

class Sized : public host::Canvas {
public:
    explicit Sized(Dimension d) : pref(d) {}
    Dimension preferredSize() override { return pref; }
    Dimension pref;
};

}  // namespace

TEST(ScrollbarValueTest, SetValuesClampsVisibleValueAndMaximum) {
    auto bar = host::create<NxScrollbar>(OmbuEnum::HORIZONTAL, nullptr, "b");
    bar->setValues(50, 200, 0, 100);
    EXPECT_EQ(bar->getVisibleAmount(), 100);
    EXPECT_EQ(bar->getValue(), 0);
    bar->setValues(30, -5, 0, 100);  // a negative visible amount would let the value pass max
    EXPECT_EQ(bar->getVisibleAmount(), 0);
    EXPECT_EQ(bar->getValue(), 30);
    bar->setValues(5, 10, 20, 10);  // max below min
    EXPECT_EQ(bar->getMaximum(), 20);
    EXPECT_EQ(bar->getValue(), 20);
    bar->setValues(0, 10, -2147483647 - 1, 2147483647);  // a range wider than 32 bits
    EXPECT_EQ(bar->getValue(), 0);
    bar->setValue(2147483647);
    EXPECT_EQ(bar->getValue(), 2147483647 - 10);
    EXPECT_EQ(bar->getBlockIncrement(), 10);  // the visible amount becomes the block increment
}

TEST(ScrollbarValueTest, AtEndComparesWithTheMinimum) {
    auto bar = host::create<NxScrollbar>(OmbuEnum::VERTICAL, nullptr, "b");
    bar->setValues(50, 10, 50, 100);
    EXPECT_TRUE(bar->atEnd());
    bar->setValue(60);
    EXPECT_FALSE(bar->atEnd());
    bar->setValue(90);
    EXPECT_TRUE(bar->atEnd());
    bar->setValues(0, 10, -100, 100);
    EXPECT_FALSE(bar->atEnd());  // 0 is not an end of -100 ... 90
}

TEST(ScrollbarGeometryTest, MillionsOfValuesMapWithoutOverflowAndTheThumbEndsWithTheValue) {
    BarFixture t;  // 1132 pixels: a trough of 1100
    t.bar->setValues(0, 1100, 0, 2200000);  // 100,000 rows of 22 pixels in an 1100-pixel view
    EXPECT_EQ(t.bar->getTroughSize(), 1100);
    EXPECT_EQ(t.bar->getSliderSize(), 6);
    EXPECT_EQ(t.thumbTop(), 16);
    int span = 2200000 - 1100;
    EXPECT_EQ(t.bar->toPixels(span / 2), 547);  // 1,099,450 * 1094 / 2,198,900
    t.bar->setValue(span - 1);
    EXPECT_LT(t.thumbBottom(), 1116);  // one value short of the end: not yet at the arrow
    t.bar->setValue(span);
    EXPECT_EQ(t.thumbBottom(), 1116);  // touches the increment arrow
    EXPECT_EQ(t.bar->getIncrArrow()->getY(), 1116);
    EXPECT_EQ(t.bar->toValue(1094), span);
    EXPECT_EQ(t.bar->toValue(0), 0);
}

TEST(ScrollbarGeometryTest, DegenerateBarsHideTheThumbAndDisable) {
    BarFixture t(200);
    t.bar->setValues(0, 0, 10, 10);  // min == max
    EXPECT_EQ(t.bar->getSliderSize(), t.bar->getTroughSize());
    EXPECT_FALSE(t.bar->getThumb()->isVisible());
    EXPECT_FALSE(t.bar->isEnabled());
    t.bar->setValues(0, 1, 0, 1000000);  // a tiny visible amount still gives 6 pixels
    EXPECT_EQ(t.bar->getSliderSize(), 6);
    EXPECT_TRUE(t.bar->isEnabled());
    t.bar->reshape(0, 0, 16, 20);  // trough 20 - 2 x 16 = -12
    EXPECT_EQ(t.bar->getTroughSize(), -12);
    EXPECT_EQ(t.bar->getSliderSize(), -12);
    EXPECT_FALSE(t.bar->getThumb()->isVisible());
    EXPECT_FALSE(t.bar->isEnabled());
}

TEST(ScrollbarInputTest, TroughPagesAtBothEndsAndIgnoresAPressWithin20ms) {
    BarFixture t(232);  // trough 200
    t.bar->setValues(0, 10, 0, 100);
    int below = t.thumbBottom() + 20;
    Event first = at(1000), second = at(1010);
    EXPECT_TRUE(t.bar->mouseDown(first, 5, below));
    EXPECT_TRUE(t.bar->mouseDown(second, 5, below));  // 10 ms later: ignored
    EXPECT_EQ(t.bar->getValue(), 10);
    Event ctrl = at(2000, Event::CTRL_MASK);
    t.bar->mouseDown(ctrl, 5, t.thumbBottom() + 5);
    EXPECT_EQ(t.bar->getValue(), 90);
    Event down = at(3000);
    t.bar->mouseDown(down, 5, 215);  // past the end: stays
    EXPECT_EQ(t.bar->getValue(), 90);
    Event up = at(4000);
    t.bar->mouseDown(up, 5, 17);
    EXPECT_EQ(t.bar->getValue(), 80);
    std::vector<std::pair<int, int>> expected{{4, 10}, {5, 90}, {3, 80}};
    EXPECT_EQ(t.adj.seen, expected);  // no event for the press that changed nothing
}

TEST(ScrollbarInputTest, KeysMoveByLinePageAndToTheEnds) {
    BarFixture t(232);
    t.bar->setValues(50, 20, 0, 100);
    t.bar->setUnitIncrement(3);
    Event e;
    t.bar->keyDown(e, Event::UP);
    t.bar->keyDown(e, Event::RIGHT);
    t.bar->keyDown(e, Event::PGDN);
    t.bar->keyDown(e, Event::HOME);
    t.bar->keyDown(e, Event::PGUP);  // at the start: no change, no event
    t.bar->keyDown(e, Event::END);
    std::vector<std::pair<int, int>> expected{{2, 47}, {1, 50}, {4, 70}, {5, 0}, {5, 80}};
    EXPECT_EQ(t.adj.seen, expected);
    EXPECT_EQ(t.thumbBottom(), t.bar->getIncrArrow()->getY());  // End leaves the thumb at the arrow
    EXPECT_FALSE(t.bar->keyDown(e, 'x'));
}

TEST(ScrollbarInputTest, ArrowClicksStepByTheUnitIncrement) {
    BarFixture t(232);
    t.bar->setValues(50, 20, 0, 100);
    t.bar->getIncrArrow()->clickAction(nullptr);
    t.bar->getDecrArrow()->clickAction(nullptr);
    t.bar->getDecrArrow()->clickAction(nullptr);
    std::vector<std::pair<int, int>> expected{{1, 60}, {2, 50}, {2, 40}};
    EXPECT_EQ(t.adj.seen, expected);
}

TEST(ScrollbarDragTest, ContinuousDragNotifiesEveryFilterIntervalAndOnceOnRelease) {
    BarFixture t(232);
    t.bar->setValues(0, 10, 0, 1000);
    t.bar->setFilterTime(100);
    int y = t.thumbTop() + 2;
    Event press = at(1000);
    t.bar->mouseDown(press, 5, y);
    ASSERT_TRUE(t.bar->dragging());
    int64_t times[] = {1010, 1050, 1110, 1150, 1215};
    for (int i = 0; i < 5; ++i) {
        Event drag = at(times[i]);
        t.bar->mouseDrag(drag, 5, y + 10 * (i + 1));
        EXPECT_EQ(t.thumbTop(), 16 + 10 * (i + 1));  // the thumb follows every move
    }
    ASSERT_EQ(t.adj.seen.size(), 3u);  // 1010, 1110 (100 after), 1215 (105 after)
    Event release = at(1300);
    t.bar->mouseUp(release, 5, y + 50);
    EXPECT_FALSE(t.bar->dragging());
    ASSERT_EQ(t.adj.seen.size(), 4u);
    EXPECT_EQ(t.adj.seen.back(), std::make_pair(5, t.bar->getValue()));
}

TEST(ScrollbarDragTest, DraggingToEitherEndReachesTheEndValues) {
    BarFixture t(232);  // trough 200
    t.bar->setValues(333, 10, 0, 1000);
    int y = t.thumbTop() + 1;
    Event press = at(1000);
    t.bar->mouseDown(press, 5, y);
    Event d1 = at(2000);
    t.bar->mouseDrag(d1, 5, y + 1000);
    EXPECT_EQ(t.bar->getValue(), 990);
    Event d2 = at(3000);
    t.bar->mouseDrag(d2, 5, y - 1000);
    EXPECT_EQ(t.bar->getValue(), 0);
    Event d3 = at(4000);
    t.bar->mouseDrag(d3, 5, y);  // back where it started
    EXPECT_EQ(t.bar->getValue(), 333);
}

struct PolicyCase {
    int policy;
    Dimension child;
    bool vert, horiz;
    Rectangle view;
};

class ScrolledWindowPolicyTest : public ::testing::TestWithParam<PolicyCase> {};

TEST_P(ScrolledWindowPolicyTest, BarsAndViewportFollowThePolicy) {
    const PolicyCase& c = GetParam();
    ShownFrame f(400, 400, Drawing::Private);
    auto sw = f.add(host::create<NxScrolledWindow>(nullptr, "sw"), 0, 0, 200, 100);
    sw->setChild(host::create<Sized>(c.child));
    sw->setScrollbarDisplay(c.policy);
    f.show();
    sw->layout();
    EXPECT_EQ(sw->getVertScrollbar()->isVisible(), c.vert);
    EXPECT_EQ(sw->getHorizScrollbar()->isVisible(), c.horiz);
    EXPECT_EQ(sw->getViewport()->getBounds(), c.view);
    if (c.vert) {
        EXPECT_EQ(sw->getVertScrollbar()->getBounds(), (Rectangle{c.view.width, 0, 16, c.view.height}));
    }
    if (c.horiz) {
        EXPECT_EQ(sw->getHorizScrollbar()->getBounds(), (Rectangle{0, c.view.height, c.view.width, 16}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Policies, ScrolledWindowPolicyTest,
    ::testing::Values(PolicyCase{OmbuEnum::DISPLAY_AS_NEEDED, {200, 100}, false, false, {0, 0, 200, 100}},
                      PolicyCase{OmbuEnum::DISPLAY_AS_NEEDED, {300, 80}, false, true, {0, 0, 200, 84}},
                      // the horizontal bar takes height, so the vertical one is needed after all
                      PolicyCase{OmbuEnum::DISPLAY_AS_NEEDED, {300, 90}, true, true, {0, 0, 184, 84}},
                      PolicyCase{OmbuEnum::DISPLAY_AS_NEEDED, {150, 300}, true, false, {0, 0, 184, 100}},
                      PolicyCase{OmbuEnum::DISPLAY_AS_NEEDED, {190, 300}, true, true, {0, 0, 184, 84}},
                      PolicyCase{OmbuEnum::DISPLAY_ALWAYS, {10, 10}, true, true, {0, 0, 184, 84}},
                      PolicyCase{OmbuEnum::DISPLAY_NONE, {900, 900}, false, false, {0, 0, 200, 100}},
                      PolicyCase{OmbuEnum::DISPLAY_VERTICAL_ONLY, {10, 10}, true, false, {0, 0, 184, 100}},
                      PolicyCase{OmbuEnum::DISPLAY_VERTICAL_ONLY, {900, 900}, true, false, {0, 0, 184, 100}},
                      PolicyCase{OmbuEnum::DISPLAY_HORIZONTAL_ONLY, {10, 10}, false, true, {0, 0, 200, 84}},
                      PolicyCase{OmbuEnum::DISPLAY_HORIZONTAL_ONLY, {900, 900}, false, true, {0, 0, 200, 84}}));

TEST(ScrolledWindowTest, BarsMoveTheChildAndValuesStayInRange) {
    ShownFrame f(400, 400, Drawing::Private);
    auto sw = f.add(host::create<NxScrolledWindow>(nullptr, "sw"), 0, 0, 200, 100);
    auto child = host::create<Sized>(Dimension{400, 300});
    sw->add(child);  // adding makes it the child
    EXPECT_EQ(sw->getChild(), child);
    sw->setScrollbarDisplay(OmbuEnum::DISPLAY_ALWAYS);
    f.show();
    sw->layout();
    auto vert = sw->getVertScrollbar(), horiz = sw->getHorizScrollbar();
    EXPECT_EQ(vert->getMaximum(), 300);
    EXPECT_EQ(vert->getVisibleAmount(), 84);
    vert->setValue(50, true);
    EXPECT_EQ(child->getY(), -50);
    horiz->setValue(1000, true);
    EXPECT_EQ(horiz->getValue(), 400 - 184);
    EXPECT_EQ(child->getX(), -216);
    EXPECT_EQ(child->getSize(), (Dimension{400, 300}));
    sw->reshape(0, 0, 300, 200);  // a larger window keeps the values within range
    EXPECT_EQ(horiz->getValue(), 400 - 284);
    EXPECT_EQ(child->getX(), -116);
    EXPECT_THROW(sw->setScrollbarDisplay(5), std::invalid_argument);
}

namespace {
// Fills its whole drawing area, so every pixel it covers shows whether it painted.
class Filled : public NxComponent {
public:
    using NxComponent::NxComponent;
    host::Dimension preferredSize() override { return {2000, 1500}; }
    void paintComponent(host::Graphics& g) override {
        g.setColor(host::Color::red);
        g.fillRect(rect.x, rect.y, rect.width, rect.height);
    }
};
}  // namespace

TEST(ScrolledWindowTest, DoubleBufferedChildLargerThanTheScreenPaintsCompletely) {
    auto screen = host::Toolkit::getDefaultToolkit().getScreenSize();
    ASSERT_LT(screen.width, 2000);
    ShownFrame f(300, 300, Drawing::Raster);
    auto sw = f.add(host::create<NxScrolledWindow>(nullptr, "sw"), 0, 0, 200, 200);
    auto child = host::create<Filled>(nullptr, "big");
    child->setShadowThickness(0);
    child->setHighlightThickness(0);
    sw->setChild(child);
    f.show();
    sw->layout();
    // Scrolled near the far corner: that part of the child lies past the screen's size.
    sw->getHorizScrollbar()->setValue(2000, true);
    sw->getVertScrollbar()->setValue(1500, true);
    ASSERT_EQ(child->getX(), -(2000 - 184));
    {
        auto g = f.frame->getGraphics();  // forget what the first paint left
        g->setColor(host::Color::white);
        g->fillRect(0, 0, 300, 300);
    }
    child->repaint();
    auto buffer = f.frame->getBuffer();
    EXPECT_EQ(buffer->getPixel(100, 100) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(buffer->getPixel(180, 180) & 0xFFFFFF, 0xFF0000u);
}

TEST(ScrollbarInputTest, KeyEventsReachKeyDownThroughTheInputBridge) {
    BarFixture t(232);
    t.bar->setValues(50, 20, 0, 100);
    EXPECT_TRUE(t.bar->isFocusTraversable());
    host::KeyEvent end(t.bar.get(), host::KeyEvent::KEY_PRESSED, 0, 0, host::KeyEvent::VK_END,
                       host::KeyEvent::CHAR_UNDEFINED);
    t.bar->dispatchEvent(end);
    EXPECT_EQ(t.bar->getValue(), 80);
    host::KeyEvent shift(t.bar.get(), host::KeyEvent::KEY_PRESSED, 0, 0, host::KeyEvent::VK_SHIFT,
                         host::KeyEvent::CHAR_UNDEFINED);
    t.bar->dispatchEvent(shift);  // a modifier alone is no key
    host::KeyEvent home(t.bar.get(), host::KeyEvent::KEY_PRESSED, 0, 0, host::KeyEvent::VK_HOME,
                        host::KeyEvent::CHAR_UNDEFINED);
    t.bar->dispatchEvent(home);
    EXPECT_EQ(t.bar->getValue(), 0);
    std::vector<std::pair<int, int>> expected{{5, 80}, {5, 0}};
    EXPECT_EQ(t.adj.seen, expected);
}
