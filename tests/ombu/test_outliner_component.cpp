// The outliner component: drawn rows by folder state, state lists and cycling with
// vetoable notification, selection (single, sibling ranges, toggles), focus and keys,
// type-ahead, hit tests on the painted rows, scrolling, drag and drop, and exact
// drawing of a small tree.
#include <gtest/gtest.h>

#include "OmbuTestSupport.h"
#include "host/ui/Toolkit.h"
#include "ombu/outliner/NxOutliner.h"
#include "ombu/outliner/NxOutlinerComponent.h"
#include "ombu/widgets/NxScrollbar.h"

using namespace norvex::ombu;
using host::Event;
using host::Value;
using ombutest::Drawing;
using ombutest::ShownFrame;

namespace {

std::vector<std::string> labels(const std::vector<NxOutlinerNode*>& rows) {
    std::vector<std::string> out;
    for (auto* n : rows) out.push_back(n->getLabelString());
    return out;
}

NxOutlinerNode* byLabel(NxOutlinerComponent& o, const std::string& s) {
    for (auto* n : o.getNodeList())
        if (n->getLabelString() == s) return n;
    return nullptr;
}

NxOutlinerNodePtr ptr(NxOutlinerNode* n) { return std::static_pointer_cast<NxOutlinerNode>(n->shared_from_this()); }

struct Recorder : NxOutlinerAdapter {
    std::vector<std::string> seen;
    bool vetoState = false;
    int replaceState = 0;
    void outlinerNodeSelectEnd(NxOutlinerEvent& e) override {
        seen.push_back("select " + e.getNode()->getLabelString() + (e.getState() == 1 ? " on" : " off"));
    }
    void outlinerFolderStateChangeBegin(NxOutlinerEvent& e) override {
        seen.push_back("begin " + std::to_string(e.getNewState()));
        if (vetoState) e.setAllowChange(false);
        if (replaceState) e.setNewState(replaceState);
    }
    void outlinerFolderStateChangeEnd(NxOutlinerEvent& e) override {
        seen.push_back("end " + std::to_string(e.getNewState()));
    }
};

struct Actions : NxActionListener {
    int count = 0;
    int id = 0;
    void actionPerformed(NxActionEvent& e) override {
        ++count;
        id = e.getID();
    }
};

const std::vector<std::string> kTree{"Root", "  F1", "    a", "    Sub", "      s1", "    b", "  F2", "    c", "  item"};

struct Fixture {
    ShownFrame f;
    std::shared_ptr<NxOutlinerComponent> o;
    explicit Fixture(Drawing mode = Drawing::Private, int h = 300) : f(200, h, mode) {
        o = f.add(host::create<NxOutlinerComponent>(nullptr, "o"), 0, 0, 200, h);
        o->setTree(kTree);
        f.show();
    }
    Event at(NxOutlinerNode* n, int clicks = 1, int modifiers = 0) {
        host::Rectangle r = o->getBounds(n);
        Event e;
        e.when = host::Toolkit::currentTimeMillis();
        e.x = r.x + 2;
        e.y = r.y + r.height / 2;
        e.clickCount = clicks;
        e.modifiers = modifiers;
        return e;
    }
    void click(NxOutlinerNode* n, int clicks = 1, int modifiers = 0) {
        Event e = at(n, clicks, modifiers);
        o->mouseDown(e, e.x, e.y);
        o->mouseUp(e, e.x, e.y);
    }
    bool key(int k, int modifiers = 0) {
        Event e;
        e.id = k >= 1000 ? Event::KEY_ACTION : Event::KEY_PRESS;
        e.key = k;
        e.modifiers = modifiers;
        return o->keyDown(e, k);
    }
    NxOutlinerNode* node(const std::string& s) { return byLabel(*o, s); }
};

}  // namespace

TEST(OutlinerStatesTest, EachStateShowsItsChildren) {
    Fixture fx;
    auto& o = *fx.o;
    EXPECT_EQ(labels(o.getRows()), (std::vector<std::string>{"Root", "F1", "a", "Sub", "s1", "b", "F2", "c", "item"}));
    auto f1 = ptr(fx.node("F1"));
    o.setStateList({1, 2, 3, 4, 5});
    o.setNodeState(f1, OmbuEnum::FOLDER_OPEN_FOLDERS, false);
    EXPECT_EQ(labels(o.getRows()), (std::vector<std::string>{"Root", "F1", "Sub", "s1", "F2", "c", "item"}));
    o.setNodeState(f1, OmbuEnum::FOLDER_OPEN_ITEMS, false);
    EXPECT_EQ(labels(o.getRows()), (std::vector<std::string>{"Root", "F1", "a", "b", "F2", "c", "item"}));
    o.setNodeState(f1, OmbuEnum::FOLDER_OPEN_NONE, false);
    EXPECT_EQ(o.getNumNodes(), 5);
    o.setNodeState(f1, OmbuEnum::FOLDER_CLOSED, false);
    EXPECT_EQ(o.getNumNodes(), 5);
    EXPECT_EQ(o.getIcon(f1.get()), o.getDefaultNodeStyle()->getFolderClosedIcon());
    EXPECT_THROW(o.setNodeState(f1, 6, false), std::invalid_argument);
    o.setRootVisible(false);
    EXPECT_EQ(labels(o.getRows()), (std::vector<std::string>{"F1", "F2", "c", "item"}));
    EXPECT_EQ(fx.node("F1")->indent, 0);
}

TEST(OutlinerStatesTest, StateListMapsToTheNearestAndRefusesEmptyOrInvalidLists) {
    Fixture fx;
    auto& o = *fx.o;
    o.setStateList({1, 3});  // 5 maps to 3: items disappear
    EXPECT_EQ(fx.node("F1")->getState(), 3);
    EXPECT_EQ(labels(o.getRows()), (std::vector<std::string>{"Root", "F1", "Sub", "F2"}));
    EXPECT_THROW(o.setStateList({}), std::invalid_argument);
    EXPECT_THROW(o.setStateList({1, 9}), std::invalid_argument);
    EXPECT_EQ(o.getStateList(), (std::vector<int>{1, 3}));
    EXPECT_EQ(o.getNextState(fx.node("F1")), 1);
    EXPECT_EQ(o.getNextState(fx.node("F2")), 1);
    EXPECT_EQ(o.getNextState(fx.node("a")), NxOutlinerNode::NO_STATE);
}

TEST(OutlinerStatesTest, DoubleClickAndEnterCycleFoldersAndFireActionsOnItems) {
    Fixture fx;
    auto& o = *fx.o;
    // No listeners: the toggle keeps the new state.
    auto* f2 = fx.node("F2");
    fx.click(f2);
    fx.click(f2, 2);
    EXPECT_EQ(f2->getState(), OmbuEnum::FOLDER_CLOSED);
    EXPECT_EQ(labels(o.getRows()).size(), 8u);
    fx.key(Event::ENTER);  // the focus is on F2
    EXPECT_EQ(f2->getState(), OmbuEnum::FOLDER_OPEN_ALL);
    Actions actions;
    o.addActionListener(&actions);
    auto* item = fx.node("item");
    fx.click(item);
    fx.click(item, 2);
    fx.key(Event::ENTER);
    EXPECT_EQ(actions.count, 2);
    EXPECT_EQ(actions.id, 1001);
    o.removeActionListener(&actions);
}

TEST(OutlinerStatesTest, ListenersVetoOrReplaceTheNewState) {
    Fixture fx;
    auto& o = *fx.o;
    Recorder rec;
    o.addItemListener(&rec);
    auto f1 = ptr(fx.node("F1"));
    rec.vetoState = true;
    EXPECT_FALSE(o.setNodeState(f1, 1, true));
    EXPECT_EQ(f1->getState(), 5);
    rec.vetoState = false;
    o.setStateList({1, 2, 5});
    rec.replaceState = 2;
    EXPECT_TRUE(o.setNodeState(f1, 1, true));
    EXPECT_EQ(f1->getState(), 2);
    EXPECT_EQ(rec.seen, (std::vector<std::string>{"begin 1", "begin 1", "end 2"}));
    o.removeItemListener(&rec);
}

TEST(OutlinerSelectTest, SingleMultipleSiblingRangesAndClearing) {
    Fixture fx;
    auto& o = *fx.o;
    Recorder rec;
    o.addItemListener(&rec);
    fx.click(fx.node("a"));
    EXPECT_EQ(o.getSelectedObjects(), (std::vector<Value>{Value(std::string("a"))}));
    EXPECT_EQ(o.getSelectedIndex(), 2);
    o.setAllowMultipleSelections(true);
    fx.click(fx.node("b"), 1, Event::SHIFT_MASK);  // the run of siblings a, Sub, b
    EXPECT_EQ(o.getSelectedIndexes(), (std::vector<int>{2, 3, 5}));
    fx.click(fx.node("Sub"), 1, Event::CTRL_MASK);
    EXPECT_EQ(o.getSelectedIndexes(), (std::vector<int>{2, 5}));
    fx.click(fx.node("c"), 1, Event::SHIFT_MASK);  // another parent: replaces the selection
    EXPECT_EQ(o.getSelectedIndexes(), (std::vector<int>{7}));
    EXPECT_FALSE(fx.node("a")->selected);
    o.clearSelection();
    EXPECT_FALSE(fx.node("c")->selected);
    EXPECT_EQ(o.getSelectedNode(), nullptr);
    o.removeItemListener(&rec);
}

TEST(OutlinerKeysTest, FocusMovesTypeAheadAndEmptyTrees) {
    Fixture fx;
    auto& o = *fx.o;
    EXPECT_EQ(o.getFocusNode(), fx.node("Root"));  // the first drawn node, not selected
    EXPECT_FALSE(fx.node("Root")->selected);
    fx.key(Event::DOWN);
    EXPECT_EQ(o.getFocusNode(), fx.node("F1"));
    fx.key(Event::DOWN);
    EXPECT_EQ(o.getFocusNode(), fx.node("a"));
    EXPECT_TRUE(fx.node("a")->selected);  // auto-select
    fx.key(Event::END);
    EXPECT_EQ(o.getFocusNode(), fx.node("item"));
    fx.key(Event::DOWN);
    EXPECT_EQ(o.getFocusNode(), fx.node("item"));
    EXPECT_TRUE(fx.key('s'));
    EXPECT_EQ(o.getFocusNode(), fx.node("Sub"));
    EXPECT_TRUE(fx.key('S'));  // the search starts at the root again
    EXPECT_EQ(o.getFocusNode(), fx.node("Sub"));
    EXPECT_FALSE(fx.key(Event::LEFT));
    o.setTree({});
    EXPECT_EQ(o.getFocusNode(), nullptr);
    fx.key(Event::DOWN);
    fx.key(Event::ENTER);
    fx.key('a');
    EXPECT_EQ(o.getFocusNode(), nullptr);
}

TEST(OutlinerScrollTest, MakeNodeVisibleBeforePaintAndHitTestsUseThePaintedRows) {
    auto o = host::create<NxOutlinerComponent>(nullptr, "o");
    std::vector<std::string> lines{"Root"};
    for (int i = 0; i < 200; ++i) lines.push_back("  n" + std::to_string(i));
    o->setTree(lines);
    // Never shown, never painted: the rows are built on demand.
    EXPECT_TRUE(o->makeNodeVisible(byLabel(*o, "n150")));
    EXPECT_EQ(byLabel(*o, "n150")->row, 151);

    ShownFrame f(200, 100, Drawing::Private);
    auto w = f.add(host::create<NxOutliner>(), 0, 0, 200, 100);
    w->setTree(lines);
    f.show();
    auto& c = *w->getOutliner();
    EXPECT_TRUE(w->getVertScrollbar()->isVisible());
    auto* target = byLabel(c, "n120");
    EXPECT_TRUE(c.makeNodeVisible(target));
    int full = c.getFullNodeHeight();
    EXPECT_EQ(c.getVertOrigin(), 122 * full - c.getDrawingAreaHeight());
    host::Rectangle r = c.getBounds(target);
    Event e;
    e.x = r.x + 1;
    e.y = r.y + 1;
    EXPECT_EQ(c.eventToNode(e, true), target);
    e.y = r.y + r.height;  // the next row's first pixel
    EXPECT_EQ(c.eventToNode(e), byLabel(c, "n121"));
}

TEST(OutlinerDropTest, DropTargetsAndMoves) {
    Fixture fx;
    auto& o = *fx.o;
    auto* f1 = fx.node("F1");
    auto* sub = fx.node("Sub");
    EXPECT_FALSE(NxOutlinerComponent::isDropTarget(f1, f1));
    EXPECT_FALSE(NxOutlinerComponent::isDropTarget(sub, f1));  // into its own descendant
    EXPECT_FALSE(NxOutlinerComponent::isDropTarget(nullptr, f1));
    EXPECT_TRUE(NxOutlinerComponent::isDropTarget(fx.node("F2"), f1));
    EXPECT_FALSE(o.drop(fx.node("a"), fx.node("F2")));  // DRAGDROP_NONE
    o.setDragAndDropPolicy(NxOutlinerComponent::DRAGDROP_ALL);
    EXPECT_TRUE(o.drop(fx.node("a"), fx.node("F2")));
    EXPECT_EQ(fx.node("a")->getParent(), fx.node("F2"));
    EXPECT_TRUE(fx.node("a")->selected);
    EXPECT_FALSE(o.drop(f1, sub));
    EXPECT_EQ(o.getTree(), (std::vector<std::string>{"Root", " F1", "  Sub", "   s1", "  b", " F2", "  c", "  a",
                                                     " item"}));
}

TEST(OutlinerPaintTest, PreferredHeightAndExactDrawingOfASmallTree) {
    Fixture fx(Drawing::Recording, 120);
    auto& o = *fx.o;
    o.setVisibleRows(5);
    int full = o.getNodeHeight() + 2 * o.getHighlightThickness();
    EXPECT_EQ(o.preferredHeight(), 5 * full + 2 * (o.getShadowThickness() + o.getHighlightThickness()) + 10);
    o.setTree({"R", "  x", "  y"});
    o.setDoubleBuffer(false);
    fx.f.log->clear();
    o.repaint();
    auto lines = fx.f.lines();
    auto from = std::find(lines.begin(), lines.end(), "clipRect(9,9,182,102)");
    ASSERT_NE(from, lines.end());
    // 20-pixel rows (the 16-pixel icons and the highlight twice); connectors from the
    // middle of the root's indent: x is not the last child (down to the row's bottom),
    // y is (down to its middle).
    std::vector<std::string> rows(from + 1, lines.end());
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "drawImage(16x16,16,11)", "setColor(0,0,0)", "setFont(Dialog,0,12)", "drawString(\"R\",37,23)",
                        "setColor(0,0,0)", "drawLine(21,39,27,39)", "drawLine(21,29,21,48)", "drawImage(16x16,31,31)",
                        "setColor(0,0,0)", "setFont(Dialog,0,12)", "drawString(\"x\",52,43)", "setColor(0,0,0)",
                        "drawLine(21,59,27,59)", "drawLine(21,49,21,59)", "drawImage(16x16,31,51)", "setColor(0,0,0)",
                        "setFont(Dialog,0,12)", "drawString(\"y\",52,63)", "dispose()"}));
}

TEST(OutlinerStatesTest, PlusBoxOpensAClosedFolderWithoutMovingFocusOrSelection) {
    Fixture fx;
    auto& o = *fx.o;
    o.getDefaultNodeStyle()->setShortcut(true);
    auto* f2 = static_cast<NxOutlinerFolderNode*>(fx.node("F2"));
    o.setNodeState(ptr(f2), OmbuEnum::FOLDER_CLOSED, false);
    fx.click(fx.node("a"));
    o.repaint();  // the boxes' centres are known after a paint
    ASSERT_NE(f2->shortcut_x, -999);
    Event e;
    e.when = host::Toolkit::currentTimeMillis();
    e.x = f2->shortcut_x + 1;
    e.y = f2->shortcut_y - 1;
    e.clickCount = 1;
    o.mouseDown(e, e.x, e.y);
    o.mouseUp(e, e.x, e.y);
    EXPECT_EQ(f2->getState(), OmbuEnum::FOLDER_OPEN_ALL);
    EXPECT_EQ(o.getFocusNode(), fx.node("a"));
    EXPECT_EQ(o.getSelectedNode(), fx.node("a"));
}
