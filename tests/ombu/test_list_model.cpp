// The list's items, per-row arrays, row geometry, selection (programmatic, mouse,
// keys, type-ahead), the two-stage notification with its veto, batching and the
// list in its scrolled window.
#include <gtest/gtest.h>

#include "OmbuTestSupport.h"
#include "host/ui/Toolkit.h"
#include "ombu/list/NxList.h"
#include "ombu/list/NxListComponent.h"
#include "ombu/widgets/NxScrollbar.h"

using namespace norvex::ombu;
using host::Event;
using host::Value;
using ombutest::Drawing;
using ombutest::ShownFrame;

namespace {

std::vector<Value> words(std::initializer_list<const char*> list) {
    std::vector<Value> out;
    for (auto* s : list) out.emplace_back(std::string(s));
    return out;
}

std::vector<Value> numbered(int n) {
    std::vector<Value> out;
    for (int i = 0; i < n; ++i) out.emplace_back("item " + std::to_string(i));
    return out;
}

struct Recorder : NxListListener {
    std::vector<std::string> seen;
    bool veto = false;
    bool hadSourceEvent = false;
    void itemStateChanged(NxItemEvent& e) override {
        seen.push_back("item " + e.getItem().toString() + (e.getStateChange() == 1 ? " on" : " off"));
    }
    void listItemSelectBegin(NxListEvent& e) override {
        seen.push_back("begin " + std::to_string(e.getRow()) + " type " + std::to_string(e.getType()));
        if (veto) e.setAllowSelection(false);
    }
    void listItemSelectEnd(NxListEvent& e) override {
        hadSourceEvent = e.getSourceEvent() != nullptr;
        seen.push_back("end " + std::to_string(e.getRow()));
    }
};

struct Actions : NxActionListener {
    std::vector<std::string> commands;
    void actionPerformed(NxActionEvent& e) override { commands.push_back(e.getActionCommand()); }
};

// A shown list component at 0,0 (no scrolled window).
struct ListFixture {
    ShownFrame f;
    std::shared_ptr<NxListComponent> list;
    explicit ListFixture(std::vector<Value> items, bool multiple = false, Drawing mode = Drawing::Private)
        : f(200, 200, mode) {
        list = f.add(host::create<NxListComponent>(nullptr, "l"), 0, 0, 200, 200);
        list->setAllowMultipleSelections(multiple);
        list->setItems(std::move(items));
        f.show();
    }
    // The middle of a row in component coordinates.
    Event press(int row, int modifiers = 0, int clicks = 1) {
        host::Rectangle r = list->getBounds(row, true);
        Event e;
        e.when = host::Toolkit::currentTimeMillis();
        e.x = r.x + 3;
        e.y = r.y + r.height / 2;
        e.modifiers = modifiers;
        e.clickCount = clicks;
        return e;
    }
    void click(int row, int modifiers = 0, int clicks = 1) {
        Event e = press(row, modifiers, clicks);
        list->mouseDown(e, e.x, e.y);
        list->mouseUp(e, e.x, e.y);
    }
    bool key(int key, int modifiers = 0) {
        Event e;
        e.id = key >= 1000 ? Event::KEY_ACTION : Event::KEY_PRESS;
        e.key = key;
        e.modifiers = modifiers;
        return list->keyDown(e, key);
    }
    void focus() {
        Event e;
        list->gotFocus(e, Value());
    }
};

}  // namespace

TEST(NxListArraysTest, SelectionAndUserDataFollowItemsWithoutAPeer) {
    auto list = host::create<NxListComponent>(nullptr, "l");
    list->setAllowMultipleSelections(true);
    list->setItems(words({"a", "b", "c", "d"}));
    list->select(1);  // before the list is ever shown
    list->select(3);
    list->setUserDataList({Value(10), Value(11), Value(12), Value(13)});
    list->addItem(Value(std::string("new")), 0);
    EXPECT_EQ(list->getSelectedIndexes(), (std::vector<int>{2, 4}));
    EXPECT_EQ(list->getUserDataList().size(), 5u);
    EXPECT_EQ(list->getUserDataList()[2], Value(11));
    list->deleteItems(0, 2);  // removes "new", "a" and the selected "b"
    EXPECT_EQ(list->getSelectedIndexes(), (std::vector<int>{1}));
    EXPECT_EQ(list->getSelectedItem(), Value(std::string("d")));
    EXPECT_EQ(list->getUserDataList(), (std::vector<Value>{Value(12), Value(13)}));
    list->addItem(Value(std::string("last")));
    EXPECT_FALSE(list->isSelected(2));
    EXPECT_FALSE(list->isSelected(99));
    EXPECT_FALSE(list->isSelected(-1));
}

TEST(NxListArraysTest, FindsRemovesAndReportsAbsentItems) {
    auto list = host::create<NxListComponent>(nullptr, "l");
    list->setItems(words({"apple", "Banana", "cherry"}));
    EXPECT_EQ(list->findItem('b'), 1);  // compared upper-cased
    EXPECT_EQ(list->findItem('z'), NxListComponent::NOT_FOUND);
    EXPECT_EQ(list->find(Value(std::string("cherry"))), 2);
    try {
        list->remove("kiwi");
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "item kiwi not found in NxList");
    }
    list->remove("apple");
    EXPECT_EQ(list->getItemsStrings(), (std::vector<std::string>{"Banana", "cherry"}));
}

TEST(NxListGeometryTest, RowHeightSettingsAndPreferredHeights) {
    ListFixture fx(words({"a", "b", "c"}));
    auto& list = fx.list;
    int font = list->getFontMetrics(list->getFont()).getHeight();
    int rh = font + 2 * list->getHighlightThickness();
    EXPECT_EQ(list->getRowHeight(1), rh);
    list->setVisibleRows(5);  // 3 rows plus 2 of the average height
    EXPECT_EQ(list->preferredHeight(), 5 * rh);
    list->setVisibleRows(2);
    EXPECT_EQ(list->preferredHeight(), 2 * rh);
    list->setVisibleRows(0);
    EXPECT_EQ(list->preferredHeight(), 4 * rh);
    list->clear();  // an empty list still prefers rows of one row's height
    list->setVisibleRows(3);
    EXPECT_EQ(list->preferredHeight(), 3 * rh);
    try {
        list->setRowHeight(-5);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "invalid row height: -5");
    }
}

TEST(NxListGeometryTest, ZeroRowHeightFindsNoRowAndVariableHeightsUsePrefixSums) {
    ListFixture fx(words({"a", "b", "c"}));
    auto& list = fx.list;
    list->setRowHeight(0);
    Event e = fx.press(0);
    EXPECT_EQ(list->eventToRow(e, false), NxListComponent::NOT_FOUND);
    fx.click(0);
    EXPECT_EQ(list->getSelectedIndex(), NxListComponent::NOT_FOUND);

    list->setItems(words({"one", "two\nlines", "three"}));
    list->setRowHeight(NxListComponent::VARIABLE);
    int h0 = list->getRowHeight(0), h1 = list->getRowHeight(1);
    EXPECT_GT(h1, h0);
    EXPECT_EQ(list->getRowPosition(2), h0 + h1);
    EXPECT_EQ(list->rowAt(h0 - 1), 0);
    EXPECT_EQ(list->rowAt(h0), 1);  // exactly at a row's top
    EXPECT_EQ(list->rowAt(h0 + h1), 2);
    EXPECT_EQ(list->rowAt(int(list->totalHeight())), NxListComponent::NOT_FOUND);
    EXPECT_EQ(list->getRowHeight(3), 0);  // past the end
    list->addItem(Value(std::string("four")));
    EXPECT_EQ(list->getRowPosition(3), int(list->totalHeight()) - list->getRowHeight(3));
}

TEST(NxListSelectTest, SingleModeClicksAndProgrammaticSelection) {
    ListFixture fx(words({"a", "b", "c"}));
    Recorder rec;
    fx.list->addItemListener(&rec);
    fx.click(1);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1}));
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"begin 1 type 0", "item b on", "end 1"}));
    EXPECT_EQ(fx.list->getFocus(), 1);
    rec.seen.clear();
    fx.click(1);  // the selected row again: nothing stays selected
    EXPECT_EQ(fx.list->getSelectedIndex(), NxListComponent::NOT_FOUND);
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"begin 1 type 0", "item b off", "item b off", "end 1"}));
    rec.seen.clear();
    fx.list->select(2, true);  // no source event
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"item c on", "end 2"}));
    EXPECT_FALSE(rec.hadSourceEvent);
    fx.list->select(0);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{0}));
    rec.seen.clear();
    fx.list->deselect(0);  // reports the row it cleared
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"item a off"}));
    fx.list->removeItemListener(&rec);
}

TEST(NxListSelectTest, BeginStageVetoKeepsTheSelection) {
    ListFixture fx(words({"a", "b", "c"}));
    fx.list->select(0);
    Recorder rec;
    rec.veto = true;
    fx.list->addItemListener(&rec);
    fx.click(2);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{0}));
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"begin 2 type 0"}));
    fx.list->removeItemListener(&rec);
}

TEST(NxListSelectTest, MultipleModeExtendsTogglesAndRestoresRanges) {
    ListFixture fx(numbered(8), true);
    fx.click(2);
    fx.click(5, Event::SHIFT_MASK);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{2, 3, 4, 5}));
    fx.click(3, Event::SHIFT_MASK);  // the range shrinks back towards the anchor
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{2, 3}));
    fx.click(7, Event::CTRL_MASK);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{2, 3, 7}));
    fx.click(2, Event::CTRL_MASK);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{3, 7}));
    fx.click(0);  // a plain click replaces the selection
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{0}));
    // Dragging from the press extends over the rows passed, then back.
    Event e = fx.press(4);
    fx.list->mouseDown(e, e.x, e.y);
    Event d = fx.press(6);
    fx.list->mouseDrag(d, d.x, d.y);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{4, 5, 6}));
    Event back = fx.press(5);
    fx.list->mouseDrag(back, back.x, back.y);
    fx.list->mouseUp(back, back.x, back.y);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{4, 5}));
}

TEST(NxListSelectTest, ProgrammaticMultipleSelectionKeepsOthersAndTracksTheBlock) {
    auto list = host::create<NxListComponent>(nullptr, "l");
    list->setAllowMultipleSelections(true);
    list->setItems(numbered(2000));
    for (int r = 0; r < 2000; ++r) list->select(r);
    EXPECT_EQ(list->countSelected(), 2000);
    EXPECT_EQ(list->getFocus(), 1999);
    EXPECT_EQ(list->getSelectedIndex(), 0);
    list->deselect(1000);
    EXPECT_EQ(list->countSelected(), 1999);
    list->deselectAll();
    EXPECT_EQ(list->getSelectedIndexes(), std::vector<int>{});
    list->setAllowMultipleSelections(false);
    list->select(5);
    list->select(7);  // single mode: the earlier row is cleared
    EXPECT_EQ(list->getSelectedIndexes(), (std::vector<int>{7}));
}

TEST(NxListSelectTest, DoubleClickFiresOnceInBothModes) {
    for (bool multiple : {false, true}) {
        ListFixture fx(words({"a", "b", "c"}), multiple);
        Actions actions;
        fx.list->addActionListener(&actions);
        fx.click(1);
        fx.click(1, 0, 2);
        EXPECT_EQ(actions.commands, (std::vector<std::string>{"b"})) << "multiple " << multiple;
        EXPECT_TRUE(fx.list->isSelected(1));
        fx.list->removeActionListener(&actions);
    }
}

TEST(NxListKeysTest, TypeAheadTakesPrintableKeysOnly) {
    ListFixture fx(words({"apple", "Banana", "cherry"}));
    fx.focus();
    EXPECT_FALSE(fx.key(Event::HOME));
    EXPECT_FALSE(fx.key(Event::LEFT));
    EXPECT_EQ(fx.list->getSelectedIndex(), NxListComponent::NOT_FOUND);
    EXPECT_TRUE(fx.key('b'));
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1}));
    EXPECT_FALSE(fx.key('z'));
    EXPECT_FALSE(fx.key(27));  // Escape is not a letter to look for
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1}));
}

TEST(NxListKeysTest, ArrowsMoveTheFocusSpaceSelectsShiftExtends) {
    ListFixture fx(numbered(5), true);
    fx.focus();
    EXPECT_TRUE(fx.key(Event::DOWN));
    EXPECT_EQ(fx.list->getFocus(), 0);
    fx.key(Event::DOWN);
    EXPECT_EQ(fx.list->getFocus(), 1);
    EXPECT_EQ(fx.list->getSelectedIndex(), NxListComponent::NOT_FOUND);  // plain moves only move
    fx.key(' ');
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1}));
    fx.key(Event::DOWN, Event::SHIFT_MASK);
    fx.key(Event::DOWN, Event::SHIFT_MASK);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1, 2, 3}));
    fx.key(Event::UP, Event::SHIFT_MASK);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1, 2}));
    for (int i = 0; i < 9; ++i) fx.key(Event::UP);
    EXPECT_EQ(fx.list->getFocus(), 0);  // stays inside the list
    Actions actions;
    fx.list->addActionListener(&actions);
    fx.key(Event::ENTER);
    EXPECT_EQ(actions.commands, (std::vector<std::string>{"item 0"}));
    fx.list->removeActionListener(&actions);
    fx.list->setAutoSelect(true);
    fx.list->setAllowMultipleSelections(false);
    fx.key(Event::DOWN);
    EXPECT_EQ(fx.list->getSelectedIndexes(), (std::vector<int>{1}));
}

TEST(NxListPaintTest, BatchingRepaintsOnceWhenTurnedOff) {
    ListFixture fx(words({"a"}));
    fx.list->setBatched(true);
    int before = fx.list->repaintCount();
    for (int i = 0; i < 10; ++i) fx.list->addItem(Value("n" + std::to_string(i)));
    EXPECT_EQ(fx.list->repaintCount(), before);
    fx.list->setBatched(false);
    EXPECT_EQ(fx.list->repaintCount(), before + 1);
    EXPECT_EQ(fx.list->countItems(), 11);
}

TEST(NxListScrolledTest, BarsFollowTheTotalHeightAndMakeVisibleScrolls) {
    ShownFrame f(200, 120, Drawing::Private);
    auto list = f.add(host::create<NxList>(nullptr, "l"), 0, 0, 200, 120);
    list->setItems(numbered(30));
    f.show();
    auto& comp = list->getList();
    EXPECT_TRUE(list->getVertScrollbar()->isVisible());
    int rh = comp->getRowHeight(0);
    int frame = comp->getHeight() - comp->getDrawingAreaHeight();
    EXPECT_EQ(list->getVertScrollbar()->getMaximum(), 30 * rh + frame);
    list->makeVisible(29);
    EXPECT_EQ(comp->getVertOrigin(), 30 * rh - comp->getDrawingAreaHeight());
    EXPECT_EQ(list->getVertScrollbar()->getValue(), comp->getVertOrigin());
    list->makeVisible(0);
    EXPECT_EQ(comp->getVertOrigin(), 0);
    EXPECT_EQ(comp->getTopRow(), 0);
}

TEST(NxListPaintTest, ExactDrawingOfASmallList) {
    ListFixture fx(words({"ab", "cd"}), false, Drawing::Recording);
    fx.list->setDoubleBuffer(false);
    fx.list->setSelectedBackground(host::Color::blue);
    fx.list->select(1);
    fx.f.log->clear();
    fx.list->repaint();
    // The frame comes first; the rows follow the content clip: 18-pixel rows (a
    // 14-pixel font and the highlight twice) from the drawing area's top at 9.
    auto lines = fx.f.lines();
    auto from = std::find(lines.begin(), lines.end(), "clipRect(9,9,182,182)");
    ASSERT_NE(from, lines.end());
    std::vector<std::string> rows(from + 1, lines.end());
    EXPECT_EQ(rows, (std::vector<std::string>{"setColor(0,0,0)", "setColor(255,255,255)", "fillRect(9,9,182,18)",
                                              "setColor(0,0,0)", "setFont(Dialog,0,12)", "drawString(\"ab\",11,22)",
                                              "setColor(0,0,255)", "fillRect(9,27,182,18)", "setColor(255,255,255)",
                                              "setFont(Dialog,0,12)", "drawString(\"cd\",11,40)", "dispose()"}));
}
