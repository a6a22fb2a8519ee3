// Check boxes (state cycles, item events, releases outside, keys, validation, the
// indicators in each state) and groups (radio exclusivity, no change for the box
// that is on, group listeners, two threads choosing boxes at once).
#include <gtest/gtest.h>

#include <thread>

#include "OmbuTestSupport.h"
#include "host/ui/Toolkit.h"
#include "host/graphics/Image.h"
#include "ombu/widgets/CheckboxIndicators.h"
#include "ombu/widgets/NxCheckbox.h"
#include "ombu/widgets/NxCheckboxGroup.h"

using namespace norvex::ombu;
using host::Color;
using host::Event;
using ombutest::Drawing;
using ombutest::ShownFrame;

namespace {

struct Items : NxItemListener {
    std::vector<std::pair<std::string, int>> seen;  // (item, state change)
    void itemStateChanged(NxItemEvent& e) override { seen.emplace_back(e.getItem().toString(), e.getStateChange()); }
};

Event press() {
    Event e;
    e.id = Event::MOUSE_DOWN;
    e.when = host::Toolkit::currentTimeMillis();  // long after any drop-down list closed
    return e;
}

void click(NxCheckbox& b) {
    if (b.getWidth() == 0) b.reshape(0, 0, 100, 20);  // boxes of a group made by makeGroup
    Event e = press();
    b.mouseDown(e, 2, 2);
    b.mouseUp(e, 2, 2);
}

struct BoxFixture {
    ShownFrame f{300, 200, Drawing::Private};
    std::shared_ptr<NxCheckbox> box;
    Items items;
    BoxFixture() {
        box = f.add(host::create<NxCheckbox>(nullptr, "box"), 0, 0, 120, 24);
        box->setText("Bold");
        f.show();
        box->addItemListener(&items);
    }
    ~BoxFixture() { box->removeItemListener(&items); }
};

// Counts pixels of a colour in a 13 x 13 area of an image.
int countPixels(host::Image& im, int x0, int y0, uint32_t rgb) {
    int n = 0;
    for (int y = y0; y < y0 + 13; ++y)
        for (int x = x0; x < x0 + 13; ++x)
            if ((im.getPixel(x, y) & 0xFFFFFF) == rgb) ++n;
    return n;
}

}  // namespace

TEST(CheckboxTest, TwoAndThreeStatesCycleAndTellListeners) {
    BoxFixture t;
    click(*t.box);
    EXPECT_EQ(t.box->getState(), 1);
    click(*t.box);
    EXPECT_EQ(t.box->getState(), 0);
    t.box->setNumStates(3);
    std::vector<int> states;
    for (int i = 0; i < 3; ++i) {
        click(*t.box);
        states.push_back(t.box->getState());
    }
    EXPECT_EQ(states, (std::vector<int>{1, 2, 0}));
    std::vector<std::pair<std::string, int>> expected{{"Bold", 1}, {"Bold", 2}, {"Bold", 1}, {"Bold", 1}, {"Bold", 2}};
    EXPECT_EQ(t.items.seen, expected);
}

TEST(CheckboxTest, ReleaseOutsideRestoresTheStateWithoutAnEvent) {
    BoxFixture t;
    Event e = press();
    t.box->mouseDown(e, 2, 2);
    EXPECT_EQ(t.box->getState(), 1);  // shown at once
    t.box->mouseUp(e, 500, 2);
    EXPECT_EQ(t.box->getState(), 0);
    EXPECT_TRUE(t.items.seen.empty());
    Event key;
    t.box->keyDown(key, ' ');
    EXPECT_EQ(t.box->getState(), 1);
    EXPECT_EQ(t.items.seen.size(), 1u);
}

TEST(CheckboxTest, InvalidCountsKindsAndStatesAreRefused) {
    auto b = host::create<NxCheckbox>(nullptr, "");
    EXPECT_EQ(b->getName().rfind("checkbox", 0), 0u);
    EXPECT_THROW(b->setNumStates(0), std::invalid_argument);
    EXPECT_THROW(b->setNumStates(-3), std::invalid_argument);
    EXPECT_EQ(b->getNumStates(), 2);
    EXPECT_THROW(b->setIndicator(6), std::invalid_argument);
    EXPECT_THROW(b->setState(2), std::invalid_argument);
    b->setNumStates(3);
    b->setState(2);
    b->setNumStates(2);  // the state past the new count goes off
    EXPECT_EQ(b->getState(), 0);
    b->setNumStates(1);  // one state: a press changes nothing
    b->setState(0, true);
    EXPECT_EQ(b->getState(), 0);
}

TEST(CheckboxTest, SetStateWithNotifyGoesThroughTheListeners) {
    BoxFixture t;
    t.box->setState(1);
    EXPECT_TRUE(t.items.seen.empty());
    t.box->setState(0, true);
    ASSERT_EQ(t.items.seen.size(), 1u);
    EXPECT_EQ(t.items.seen[0].second, 2);
    EXPECT_EQ(t.box->getSelectedObjects().size(), 0u);
    t.box->setState(1);
    EXPECT_EQ(t.box->getSelectedIndexes(), (std::vector<int>{0}));
}

TEST(CheckboxGroupTest, RadioGroupKeepsOneBoxOnAndTheCurrentBoxSendsNoChange) {
    auto g = NxCheckbox::makeGroup({"a", "b", "c"}, {10, 20}, true);
    ASSERT_EQ(g->numCheckboxes(), 2);  // the shorter list decides
    EXPECT_EQ(g->getCheckbox(2), nullptr);
    auto a = g->getCheckbox(0), b = g->getCheckbox(1);
    Items boxItems, groupItems;
    b->addItemListener(&boxItems);
    g->addItemListener(&groupItems);
    click(*a);
    click(*b);
    EXPECT_EQ(a->getState(), 0);
    EXPECT_EQ(b->getState(), 1);
    EXPECT_EQ(g->getCurrent(), b.get());
    EXPECT_EQ(g->getValue(), host::Value(20));
    click(*b);  // the box that is on stays on, and nothing changed
    EXPECT_EQ(b->getState(), 1);
    EXPECT_EQ(boxItems.seen.size(), 1u);
    EXPECT_EQ(groupItems.seen.size(), 2u);
    b->setState(0);  // the current box cannot be turned off
    EXPECT_EQ(b->getState(), 1);
    g->setValue(10);
    EXPECT_EQ(a->getState(), 1);
    EXPECT_EQ(b->getState(), 0);
    EXPECT_EQ(g->getSelectedIndexes(), (std::vector<int>{0}));
    EXPECT_THROW(g->setOrientation(7), std::invalid_argument);
    try {
        g->setOrientation(7);
    } catch (const std::invalid_argument& e) {
        EXPECT_EQ(std::string(e.what()), "invalid orientation: 7");
    }
    b->removeItemListener(&boxItems);
    g->removeItemListener(&groupItems);
}

TEST(CheckboxGroupTest, WithoutRadioBehaviourBoxesAreIndependent) {
    auto g = NxCheckbox::makeGroup({"a", "b"}, {1, 2}, false);
    auto a = g->getCheckbox(0), b = g->getCheckbox(1);
    click(*a);
    click(*b);
    EXPECT_EQ(g->getSelectedIndexes(), (std::vector<int>{0, 1}));
    click(*b);
    EXPECT_EQ(b->getState(), 0);
    g->setRadioBehavior(true);  // only the current box stays on
    EXPECT_EQ(g->getSelectedIndexes().size(), 1u);
}

TEST(CheckboxGroupTest, TwoThreadsChoosingBoxesNeverDeadlockAndLeaveOneOn) {
    auto g = NxCheckbox::makeGroup({"a", "b", "c"}, {1, 2, 3}, true);
    auto run = [&](int first, int second) {
        for (int i = 0; i < 2000; ++i) {
            g->getCheckbox(i % 2 ? first : second)->setState(1);
            g->getCheckbox(first)->setState(1, true);
        }
    };
    std::thread t1(run, 0, 1), t2(run, 1, 2);
    t1.join();
    t2.join();
    EXPECT_EQ(g->getSelectedIndexes().size(), 1u);
}

TEST(CheckboxIndicatorTest, EachIndicatorDrawsItsStates) {
    auto im = host::Image::createOffscreen(100, 20);
    auto g = im->getGraphics();
    const uint32_t black = 0x000000, red = 0xFF0000, white = 0xFFFFFF;
    CheckboxIndicators::drawBox(*g, 0, 0, Color::white);
    int empty = countPixels(*im, 0, 0, black);
    CheckboxIndicators::drawCheck(*g, 0, 0, false);
    int checked = countPixels(*im, 0, 0, black) - empty;
    EXPECT_EQ(checked, 21);  // the check's black pixels inside the box
    CheckboxIndicators::drawBox(*g, 20, 0, Color::white);
    CheckboxIndicators::drawCross(*g, 20, 0, true);
    int mixed = countPixels(*im, 20, 0, black) - empty;
    EXPECT_GT(mixed, 0);
    EXPECT_LT(mixed, 33);  // stippled: fewer than the 33 of the whole cross
    CheckboxIndicators::drawCircle(*g, 40, 0, Color::white, true, false, Color::red);
    EXPECT_EQ(im->getPixel(46, 6) & 0xFFFFFF, red);   // the dot
    EXPECT_EQ(im->getPixel(43, 6) & 0xFFFFFF, white);  // the empty ring inside
    CheckboxIndicators::drawDiamond(*g, 60, 0, Color::black, Color::red, Color::white);
    EXPECT_EQ(im->getPixel(66, 0) & 0xFFFFFF, black);   // top
    EXPECT_EQ(im->getPixel(66, 6) & 0xFFFFFF, red);     // inside
    EXPECT_EQ(im->getPixel(66, 12) & 0xFFFFFF, white);  // bottom
    int before = CheckboxIndicators::cachedImages();
    CheckboxIndicators::drawDiamond(*g, 80, 0, Color::black, Color::red, Color::white);
    EXPECT_EQ(CheckboxIndicators::cachedImages(), before);  // shared, not made again
}

TEST(CheckboxIndicatorTest, FillIndicatorUsesTheStateColourAndShadow) {
    ShownFrame f(300, 100);
    auto b = f.add(host::create<NxCheckbox>(nullptr, "b"), 0, 0, 120, 30);
    b->setDoubleBuffer(false);
    b->setIndicator(OmbuEnum::INDICATOR_FILL);
    b->setSelectColor(Color::blue);
    b->setText("x");
    f.show();
    b->setState(1);
    auto r = b->getIndicatorBounds();
    EXPECT_EQ(r.width, 13);
    EXPECT_TRUE(f.logged("setColor(0,0,255)"));
    EXPECT_TRUE(f.logged("fillRect(" + std::to_string(r.x) + "," + std::to_string(r.y) + ",13,13)"));
    f.log->clear();
    b->setState(0);
    EXPECT_TRUE(f.logged("setColor(255,255,255)"));  // the unselect colour
    EXPECT_EQ(b->getLabelBounds().x, r.x + 13 + 5);   // the text follows the indicator and the gap
}
