// Traversal, selection and label sorting through synthetic mouse and key events sent
// through the clip areas, as the window delivers them.
#include <gtest/gtest.h>

#include "TableViewSupport.h"
#include "table/interact/Actions.h"
#include "table/model/NxTblEnum.h"
#include "table/view/Draw.h"

#include <algorithm>

using host::Event;
using host::Value;
using namespace norvex::table;
using tabletest::ShownTable;

namespace {

using E = NxTblEnum;

struct Recorder : NxEnterCellListener, NxSelectListener, NxSortListener, NxTraverseCellListener {
    int enters = 0, begins = 0, ends = 0, sorts = 0, traverses = 0;
    bool veto = false;
    std::vector<int> last_rows;
    void enterCellBegin(NxEnterCellEvent&) override {}
    void enterCellEnd(NxEnterCellEvent&) override { ++enters; }
    void selectBegin(NxSelectEvent& e) override {
        ++begins;
        if (veto) e.doit = false;
    }
    void selectEnd(NxSelectEvent&) override { ++ends; }
    void sort(NxSortEvent& e) override { ++sorts, last_rows = e.new_rows; }
    void traverseCell(NxTraverseCellEvent&) override { ++traverses; }
};

struct Grid : ShownTable {
    int64_t when = 0;
    Recorder rec;
    Grid(int rows, int cols, bool labels = false) : ShownTable(400, 300) {
        table->setNumRows(rows);
        table->setNumColumns(cols);
        if (labels) {
            std::vector<Value> l;
            for (int c = 0; c < cols; ++c) l.emplace_back("C" + std::to_string(c));
            table->setColumnLabels(l);
        }
        table->addEnterCellListener(&rec);
        table->addSelectListener(&rec);
        table->addSortListener(&rec);
        table->addTraverseCellListener(&rec);
        // Traversal by arrows needs the cells without editors (an editor keeps Left and Right).
        table->setEditable(E::ALL, E::ALL, false);
        show();
    }
    // A mouse event on a cell (or label), posted to the area showing it.
    void mouse(int id, int row, int col, int mods = 0) {
        Clip* c = view().find(row, col);
        ASSERT_NE(c, nullptr);
        // The middle of the cell: a press near a border starts a resize.
        Event e(c, ++when, id, int(c->columnX(col)) + c->columnWidth(col) / 2, int(c->rowY(row)) + c->rowHeight(row) / 2,
                0, mods);
        c->postEvent(e);
    }
    void click(int row, int col, int mods = 0) {
        mouse(Event::MOUSE_DOWN, row, col, mods);
        mouse(Event::MOUSE_UP, row, col, mods);
    }
    void key(int k, int mods = 0) {
        Event e(table.get(), ++when, k >= 1000 ? Event::KEY_ACTION : Event::KEY_PRESS, 0, 0, k, mods);
        table->postEvent(e);
    }
    std::pair<int, int> current() const { return {table->getEditRow(), table->getEditColumn()}; }
    std::vector<NxCellRange> selection() const { return table->getSelectedCells(); }
};

}  // namespace

TEST(TableTraverse, ArrowsTabHomeEndWrapAround) {
    Grid g(3, 4);
    g.click(1, 2);
    EXPECT_EQ(g.current(), std::make_pair(1, 2));
    EXPECT_EQ(g.rec.enters, 1);
    g.key(Event::RIGHT);
    g.key(Event::RIGHT);
    EXPECT_EQ(g.current(), std::make_pair(2, 0));  // past the row's end: the next row
    g.key(Event::TAB, Event::SHIFT_MASK);
    EXPECT_EQ(g.current(), std::make_pair(1, 3));
    g.key(Event::HOME);
    EXPECT_EQ(g.current(), std::make_pair(1, 0));
    g.key(Event::END);
    EXPECT_EQ(g.current(), std::make_pair(1, 3));
    g.click(2, 3);
    g.key(Event::TAB);
    EXPECT_EQ(g.current(), std::make_pair(0, 0));  // after the last cell: row 0
    g.key(Event::LEFT);
    EXPECT_EQ(g.current(), std::make_pair(2, 3));  // before the first: the last
    g.key(Event::DOWN);
    EXPECT_EQ(g.current(), std::make_pair(0, 0));  // down past the last column: column 0
    g.key(Event::UP);
    EXPECT_EQ(g.current(), std::make_pair(2, 3));
    // The same key with the same time stamp arrives twice: one move.
    Event e(g.table.get(), 777, Event::KEY_ACTION, 0, 0, Event::UP, 0);
    g.table->postEvent(e);
    Event again = e;
    g.table->postEvent(again);
    EXPECT_EQ(g.current(), std::make_pair(1, 3));
}

TEST(TableTraverse, SkipsNonTraversableCellsAndSpans) {
    Grid g(2, 4);
    g.table->setTraversable(0, 1, false);
    g.click(0, 1);  // a non-traversable cell is never current
    EXPECT_EQ(g.current(), std::make_pair(E::NOVALUE, E::NOVALUE));
    g.click(0, 0);
    g.key(Event::RIGHT);
    EXPECT_EQ(g.current(), std::make_pair(0, 2));
    // Moving right from a span's anchor leaves the span.
    g.table->setSpans({NxCellRange(1, 0, 1, 2)});
    g.click(1, 1);  // inside the span: its anchor
    EXPECT_EQ(g.current(), std::make_pair(1, 0));
    g.key(Event::RIGHT);
    EXPECT_EQ(g.current(), std::make_pair(1, 3));
    g.key(Event::LEFT);
    EXPECT_EQ(g.current(), std::make_pair(1, 0));
}

TEST(TableTraverse, NothingElseTraversableStaysAndInvalidStartsEnd) {
    Grid g(3, 3);
    g.table->setTraversable(E::ALL, E::ALL, false);
    g.table->setTraversable(1, 1, true);
    g.click(1, 1);
    const int enters = g.rec.enters;
    g.key(Event::RIGHT);
    g.key(Event::UP);
    EXPECT_EQ(g.current(), std::make_pair(1, 1));
    EXPECT_EQ(g.rec.enters, enters);
    // An invalid start finds the one traversable cell; with none there is none.
    auto p = Actions::findTraversableCell(*g.table, "RIGHT", E::NOVALUE, E::NOVALUE);
    ASSERT_TRUE(p);
    EXPECT_EQ(*p, (NxCellPosition{1, 1}));
    g.table->setTraversable(1, 1, false);
    EXPECT_FALSE(Actions::findTraversableCell(*g.table, "LEFT", 1, 1));
    EXPECT_FALSE(Actions::findTraversableCell(*g.table, "DOWN", E::NOVALUE, 5));
    EXPECT_FALSE(Actions::findTraversableCell(*g.table, "RIGHT", 0, 0));
}

TEST(TableTraverse, MovingScrollsTheCurrentCellIntoView) {
    Grid g(1000, 3);
    g.click(0, 0);
    g.key(Event::UP);  // back past row 0: the last row of the last column
    EXPECT_EQ(g.current(), std::make_pair(999, 2));
    EXPECT_TRUE(g.table->isVisible(999, 2));
    EXPECT_FALSE(g.table->isRowVisible(0));
}

TEST(TableSelect, SingleRangeAndMultiRangeByMouse) {
    Grid g(5, 5);
    g.click(1, 1);
    EXPECT_TRUE(g.selection().empty());  // SELECT_NONE
    g.table->setSelectionPolicy(E::SELECT_SINGLE);
    g.click(1, 1);
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(1, 1, 1, 1)});
    g.click(3, 2, Event::SHIFT_MASK);  // no ranges in single mode
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(1, 1, 1, 1)});
    EXPECT_EQ(g.rec.ends, 1);

    g.table->setSelectionPolicy(E::SELECT_RANGE);
    g.mouse(Event::MOUSE_DOWN, 1, 1);
    g.mouse(Event::MOUSE_DRAG, 2, 2);
    g.mouse(Event::MOUSE_DRAG, 3, 4);
    g.mouse(Event::MOUSE_UP, 3, 4);
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(1, 1, 3, 4)});
    EXPECT_TRUE(g.table->isSelected(2, 3));
    EXPECT_FALSE(g.table->isSelected(0, 1));
    g.click(0, 0, Event::SHIFT_MASK);  // extends from the anchor
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(1, 1, 0, 0)});
    g.click(4, 4, Event::CTRL_MASK);  // adding needs multiple ranges
    EXPECT_EQ(g.selection().size(), 1u);

    g.table->setSelectionPolicy(E::SELECT_MULTIRANGE);
    g.click(0, 0);
    g.click(4, 4, Event::CTRL_MASK);
    g.click(4, 2, Event::SHIFT_MASK);
    EXPECT_EQ(g.selection(), (std::vector<NxCellRange>{NxCellRange(0, 0, 0, 0), NxCellRange(4, 4, 4, 2)}));
    g.key(Event::ESCAPE);
    EXPECT_TRUE(g.selection().empty());
    // A listener's veto keeps the selection as it is.
    g.rec.veto = true;
    g.click(2, 2);
    EXPECT_TRUE(g.selection().empty());
}

TEST(TableSelect, KeysListModeAndLabels) {
    Grid g(4, 3, true);
    g.table->setSelectionPolicy(E::SELECT_RANGE);
    g.click(0, 0);
    g.key(Event::RIGHT);
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(0, 1, 0, 1)});  // follows the current cell
    g.key(Event::DOWN, Event::SHIFT_MASK);
    g.key(Event::RIGHT, Event::SHIFT_MASK);
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(0, 1, 1, 2)});
    g.click(E::LABEL, 2);  // a column label: the whole column
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(E::ALLCELLS, 2, E::ALLCELLS, 2)});
    EXPECT_TRUE(g.table->isSelected(3, 2));

    Grid l(4, 3);
    l.table->setMode(E::MODE_LIST);
    l.table->setSelectionPolicy(E::SELECT_SINGLE);
    l.key(Event::DOWN);  // no current cell: the next row
    EXPECT_EQ(l.selection(), std::vector<NxCellRange>{NxCellRange(0, E::ALLCELLS, 0, E::ALLCELLS)});
    l.key(Event::DOWN);
    l.key(Event::DOWN);
    l.key(Event::UP);
    EXPECT_EQ(l.selection(), std::vector<NxCellRange>{NxCellRange(1, E::ALLCELLS, 1, E::ALLCELLS)});
    l.click(3, 1);
    EXPECT_EQ(l.selection(), std::vector<NxCellRange>{NxCellRange(3, E::ALLCELLS, 3, E::ALLCELLS)});
    EXPECT_TRUE(l.table->isSelected(3, 0));
}

TEST(TableSort, LabelClickSortsAndASecondClickReverses) {
    Grid g(5, 2, true);
    g.table->setColumnLabelSort(true);
    g.table->setSelectionPolicy(E::SELECT_SINGLE);
    const std::vector<Value> keys{Value(3), Value(1), Value(), Value(3), Value(2)};
    for (int r = 0; r < 5; ++r) {
        g.table->setCell(r, 0, keys[size_t(r)]);
        g.table->setCell(r, 1, Value(r));  // the original row
    }
    g.click(3, 1);  // current cell on original row 3
    g.click(E::LABEL, 0);
    auto order = [&] {
        std::vector<int> v;
        for (int r = 0; r < 5; ++r) v.push_back(g.table->getCell(r, 1).asInt());
        return v;
    };
    // Nulls first, equal keys in reverse input order.
    EXPECT_EQ(order(), (std::vector<int>{2, 1, 4, 3, 0}));
    EXPECT_EQ(g.table->getSortColumn(), 0);
    EXPECT_EQ(g.table->getSortDirection(), 0);
    EXPECT_EQ(g.rec.sorts, 1);
    EXPECT_EQ(g.current(), std::make_pair(3, 1));  // the current cell followed its row
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(3, 1, 3, 1)});  // the press did not select
    g.click(E::LABEL, 0);
    EXPECT_EQ(g.table->getSortDirection(), 1);
    EXPECT_EQ(order(), (std::vector<int>{2, 0, 3, 4, 1}));  // nulls stay first
    g.click(E::LABEL, 1);  // another column starts ascending again
    EXPECT_EQ(g.table->getSortColumn(), 1);
    EXPECT_EQ(g.table->getSortDirection(), 0);
    EXPECT_EQ(order(), (std::vector<int>{0, 1, 2, 3, 4}));
    // Without label sorting a label press selects instead.
    g.table->setColumnLabelSort(false);
    g.click(E::LABEL, 0);
    EXPECT_EQ(g.rec.sorts, 3);
    EXPECT_EQ(g.selection(), std::vector<NxCellRange>{NxCellRange(E::ALLCELLS, 0, E::ALLCELLS, 0)});
}

TEST(TableSort, TheSortedLabelShowsItsDirection) {
    Grid g(3, 2, true);
    g.table->setColumnLabelSort(true);
    g.click(E::LABEL, 1);
    auto log = std::make_shared<host::RecordingGraphics::Log>();
    host::RecordingGraphics rg(log);
    Draw::cell(rg, *g.clip(Clip::COLUMNLABEL), E::LABEL, 1);
    Draw::cell(rg, *g.clip(Clip::COLUMNLABEL), E::LABEL, 0);
    auto polys = std::count_if(log->begin(), log->end(), [](auto& l) { return l.rfind("fillPolygon", 0) == 0; });
    EXPECT_EQ(polys, 1);  // only the sorted label
}
