#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "table/NxTable.h"
#include "table/model/NxTblEnum.h"
#include "util/NxVector.h"
#include "util/Nxqsort.h"

using host::Color;
using host::Value;
using namespace norvex::table;

namespace {

constexpr int ALL = NxTblEnum::ALL;

std::shared_ptr<NxTable> makeTable(int rows, int cols) {
    auto t = host::create<NxTable>(nullptr, "t");
    t->setNumRows(rows);
    t->setNumColumns(cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) t->setCell(r, c, Value(std::string(1, char('a' + r)) + std::to_string(c)));
    return t;
}

std::string column(NxTable& t, int c) {
    std::string s;
    for (int r = 0; r < t.getNumRows(); ++r) {
        Value v = t.getCell(r, c);
        s += v.isNull() ? "-" : v.asString().substr(0, 1);
    }
    return s;
}

// Captures standard output for the life of the object.
struct CaptureCout {
    std::ostringstream out;
    std::streambuf* old = std::cout.rdbuf(out.rdbuf());
    ~CaptureCout() { std::cout.rdbuf(old); }
};

}  // namespace

TEST(Table, NewTableHasTenRowsFiveColumnsAndNoValues) {
    auto t = host::create<NxTable>(nullptr, "");
    EXPECT_EQ(t->getNumRows(), 10);
    EXPECT_EQ(t->getNumColumns(), 5);
    EXPECT_TRUE(t->getCell(0, 0).isNull());
    EXPECT_TRUE(t->getCell(9, 4).isNull());
    EXPECT_TRUE(t->getCell(10, 0).isNull());
    EXPECT_EQ(t->getRowHeights().size(), 10);
    EXPECT_EQ(t->getAllowCellResize(), NxTblEnum::RESIZE_ALL);
    EXPECT_TRUE(t->instanceOf("Table"));
}

TEST(Table, EngineAndComponentDefaultsDifferWhereTheyShould) {
    auto engine = std::make_shared<Table>();
    auto t = host::create<NxTable>(nullptr, "");
    EXPECT_EQ(engine->getAllowCellResize(), NxTblEnum::RESIZE_NONE);
    EXPECT_FALSE(engine->getTrackCursor());
    EXPECT_TRUE(t->getTrackCursor());
    EXPECT_EQ(t->getVertSBOffset(), 6);
    EXPECT_EQ(t->getMarginWidth(), 5);
    EXPECT_EQ(t->getAlignment(3, 3), NxTblEnum::TOPLEFT);
    EXPECT_EQ(t->getBorderSides(-1, 2), NxTblEnum::BORDERSIDE_ALL);
    EXPECT_EQ(t->getCharWidth(4), 10);
    EXPECT_EQ(t->getPixelHeight(0), NxTblEnum::NOVALUE);
    EXPECT_TRUE(t->getEditable(0, 0));
    EXPECT_EQ(t->getMaxLength(0, 0), NxTblEnum::MAXINT);
    try {
        t->setHorizSBDisplay(3);
        ADD_FAILURE();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "Invalid HorizSBDisplay value in NxTable");
    }
    EXPECT_THROW(t->setAlignment(0, 0, 9), std::invalid_argument);
    EXPECT_EQ(t->getHorizSBDisplay(), NxTblEnum::SBDISPLAY_AS_NEEDED);
    t->setTraversable(ALL, ALL, false);
    EXPECT_FALSE(t->isTraversable());
    t->setTraversable(2, 2, true);
    EXPECT_TRUE(t->isTraversable());
}

TEST(Table, CellValuesKeepTheirKinds) {
    auto t = host::create<NxTable>(nullptr, "");
    t->setCell(0, 0, Value("short"));
    t->setCell(0, 1, Value(std::string("a string longer than fourteen bytes")));
    t->setCell(0, 2, Value(42));
    t->setCell(0, 3, Value(2.5));
    t->setCell(0, 4, Value(Color::red));
    t->setCell(1, 0, Value(true));
    t->setCell(1, 1, Value(int64_t(1) << 40));
    EXPECT_EQ(t->getCell(0, 0), Value("short"));
    EXPECT_EQ(t->getCell(0, 1), Value("a string longer than fourteen bytes"));
    EXPECT_EQ(t->getCell(0, 2), Value(42));
    EXPECT_EQ(t->getCell(0, 3), Value(2.5));
    EXPECT_EQ(t->getCell(0, 4), Value(Color::red));
    EXPECT_EQ(t->getCell(1, 0), Value(true));
    EXPECT_EQ(t->getCell(1, 1), Value(int64_t(1) << 40));
    t->setCell(0, 1, Value());
    EXPECT_TRUE(t->getCell(0, 1).isNull());
    // A whole column at once; out-of-range cells do nothing.
    t->setCell(ALL, 3, Value("x"));
    EXPECT_EQ(t->getCell(9, 3), Value("x"));
    t->setCell(10, 0, Value("no"));
    t->setCell(-5, 0, Value("no"));
    EXPECT_TRUE(t->getCell(2, 0).isNull());
}

TEST(Table, AddRowAppendsAtMaxIntAndFailsPastTheEnd) {
    auto t = makeTable(3, 2);
    EXPECT_TRUE(t->addRow(NxTblEnum::MAXINT, Value("L"), {Value("z0"), Value("z1")}));
    EXPECT_EQ(t->getNumRows(), 4);
    EXPECT_EQ(t->getCell(3, 1), Value("z1"));
    EXPECT_EQ(t->getRowLabel(3), Value("L"));
    EXPECT_FALSE(t->addRow(t->getNumRows() + 1, Value(), {}));
    EXPECT_FALSE(t->addRow(-1, Value(), {}));
    EXPECT_EQ(t->getNumRows(), 4);
    EXPECT_EQ(t->getRowHeights().size(), 4);
}

TEST(Table, RowInsertKeepsValuesLabelsSpansAndAttributesAligned) {
    auto t = makeTable(5, 3);
    t->setRowLabel(2, Value("row c"));
    t->setBackground(2, 1, Color::red);
    t->setBackground(ALL, 2, Color::blue);
    t->setSpans({NxCellRange(2, 0, 3, 1)});
    t->setSelectedCells({NxCellRange(4, 0, 4, 2)});
    ASSERT_TRUE(t->addRow(1, Value("new"), {Value("n0")}));
    EXPECT_EQ(column(*t, 0), "anbcde");
    EXPECT_EQ(t->getRowLabel(3), Value("row c"));
    EXPECT_EQ(t->getRowLabel(1), Value("new"));
    EXPECT_EQ(t->getBackground(3, 1), Color::red);
    EXPECT_EQ(t->getBackground(2, 2), Color::blue);  // the column entry stays a column entry
    EXPECT_EQ(t->getSpans()[0], NxCellRange(3, 0, 4, 1));
    EXPECT_EQ(t->getSelectedCells()[0], NxCellRange(5, 0, 5, 2));
    NxCellRange span;
    EXPECT_TRUE(t->findSpan(4, 1, &span, nullptr));
    EXPECT_EQ(span.start_row, 3);
    // A span reaching the last row grows with a row inserted inside it.
    t->setSpans({NxCellRange(4, 0, 5, 0)});
    ASSERT_TRUE(t->addRow(5, Value(), {}));
    EXPECT_TRUE(t->findSpan(6, 0, &span, nullptr));
    EXPECT_EQ(span, NxCellRange(4, 0, 6, 0));
}

TEST(Table, DeleteRowsRenumbersEverythingAfterThem) {
    auto t = makeTable(8, 2);
    t->setRowLabel(7, Value("last"));
    t->setBackground(7, 0, Color::green);
    t->setBackground(3, 0, Color::red);
    t->setSpans({NxCellRange(6, 0, 7, 1), NxCellRange(3, 0, 4, 0)});
    ASSERT_TRUE(t->deleteRows(3, 2));
    EXPECT_EQ(column(*t, 0), "abcfgh");
    EXPECT_EQ(t->getRowLabel(5), Value("last"));
    EXPECT_EQ(t->getBackground(5, 0), Color::green);
    EXPECT_NE(t->getBackground(3, 0), Color::red);
    ASSERT_EQ(t->getSpans().size(), 1u);  // the span of the deleted rows is gone
    EXPECT_EQ(t->getSpans()[0], NxCellRange(4, 0, 5, 1));
    EXPECT_EQ(t->getRowHeights().size(), 6);
    EXPECT_FALSE(t->deleteRows(5, 2));
    EXPECT_FALSE(t->deleteRows(0, 0));
}

TEST(Table, DeleteAllRowsFailsWhenARowIsFrozen) {
    auto t = makeTable(4, 1);
    t->setFrozenRows(1);
    EXPECT_FALSE(t->deleteRows(0, 4));
    EXPECT_TRUE(t->deleteRows(1, 3));
    t->setFrozenRows(0);
    EXPECT_TRUE(t->deleteRows(0, 1));
    EXPECT_EQ(t->getNumRows(), 0);
}

TEST(Table, MoveRowsMovesValuesLabelsSizesAndAttributes) {
    auto t = makeTable(7, 1);
    for (int r = 0; r < 7; ++r) t->setRowLabel(r, Value(r));
    t->setBackground(0, 0, Color::red);
    ASSERT_TRUE(t->moveRows(0, 2, 5));
    EXPECT_EQ(column(*t, 0), "cdeabfg");
    EXPECT_EQ(t->getRowLabel(3), Value(0));
    EXPECT_EQ(t->getBackground(3, 0), Color::red);
    ASSERT_TRUE(t->moveRows(5, 2, 0));
    EXPECT_EQ(column(*t, 0), "fgcdeab");
    // Inside the block: nothing happens.
    EXPECT_FALSE(t->moveRows(0, 3, 1));
    EXPECT_FALSE(t->moveRows(5, 3, 0));
    EXPECT_EQ(column(*t, 0), "fgcdeab");
}

TEST(Table, ColumnsAddDeleteAndMoveKeepCellsAndLabelsAligned) {
    auto t = makeTable(2, 4);
    t->setColumnLabels({Value("A"), Value("B"), Value("C"), Value("D")});
    t->setForeground(ALL, 3, Color::red);
    ASSERT_TRUE(t->addColumn(1, Value("N"), {Value("n"), Value("m")}));
    EXPECT_EQ(t->getCell(0, 2), Value("a1"));
    EXPECT_EQ(t->getCell(1, 1), Value("m"));
    EXPECT_EQ(t->getColumnLabel(1), Value("N"));
    EXPECT_EQ(t->getForeground(0, 4), Color::red);
    ASSERT_TRUE(t->deleteColumns(0, 2));
    EXPECT_EQ(t->getCell(0, 0), Value("a1"));
    EXPECT_EQ(t->getColumnLabel(2), Value("D"));
    EXPECT_EQ(t->getForeground(1, 2), Color::red);
    ASSERT_TRUE(t->moveColumns(2, 1, 0));
    EXPECT_EQ(t->getCell(0, 0), Value("a3"));
    EXPECT_EQ(t->getColumnLabel(0), Value("D"));
    EXPECT_EQ(t->getForeground(1, 0), Color::red);
    EXPECT_EQ(t->getColumnWidths().size(), 3);
}

TEST(Table, RepeatColoursByRowAndColumn) {
    auto t = makeTable(5, 5);
    t->setRepeatBackgroundColors({Color::red, Color::green, Color::blue});
    t->setBackground(ALL, ALL, NxTblEnum::REPEAT_ROW);
    EXPECT_EQ(t->getBackground(0, 0), Color::red);
    EXPECT_EQ(t->getBackground(2, 0), Color::blue);
    EXPECT_EQ(t->getBackground(3, 0), Color::red);
    EXPECT_EQ(t->getBackground(-1, 0), Color::blue);  // the column-label row
    t->setBackground(ALL, ALL, NxTblEnum::REPEAT_COLUMN);
    EXPECT_EQ(t->getBackground(0, 4), Color::green);
    // An empty list is no list: the component's own colour.
    t->setRepeatBackgroundColors({});
    t->setBackground(Color::yellow);
    EXPECT_EQ(t->getBackground(1, 1), Color::yellow);
}

TEST(Table, FrozenAndTopRowLimits) {
    auto t = host::create<NxTable>(nullptr, "");
    t->addNotify();
    {
        CaptureCout capture;
        t->setFrozenRows(10);
        EXPECT_EQ(capture.out.str(), "Too many frozen rows: 10\n");
    }
    EXPECT_EQ(t->getFrozenRows(), 9);
    t->setTopRow(50);
    EXPECT_EQ(t->getTopRow(), 9);
    // An empty table never gets negative limits.
    t->setFrozenRows(0);
    t->setNumRows(0);
    t->setTopRow(5);
    EXPECT_EQ(t->getTopRow(), 0);
    {
        CaptureCout capture;
        t->setFrozenRows(3);
    }
    EXPECT_EQ(t->getFrozenRows(), 0);
    EXPECT_THROW(t->setFrozenRows(-1), std::invalid_argument);
}

TEST(Table, SetNumRowsResizesStorageAndSizes) {
    auto t = makeTable(5, 2);
    t->setNumRows(2);
    t->setNumRows(5);
    EXPECT_TRUE(t->getCell(3, 0).isNull());  // no stale values come back
    EXPECT_EQ(t->getRowHeights().size(), 5);
    t->setNumRows(1'000'000);
    ASSERT_TRUE(t->getRowHeights().isRunForm());
    EXPECT_EQ(t->getRowHeights().size(), 1'000'000);
    EXPECT_EQ(t->getRowHeights().getRunChain()->numRuns(), 1);
    auto other = host::create<NxTable>(nullptr, "");
    EXPECT_EQ(other->getRowHeights().size(), 10);  // sizes belong to each table
}

namespace {

struct Supplier : NxCellValueListener {
    bool store = false;
    std::vector<std::pair<int, int>> asked;
    void cellValue(NxValueEvent& e) override {
        asked.push_back({e.row, e.column});
        e.value = Value("from listener " + std::to_string(e.row));
        e.store = store;
    }
};

struct Validator : NxValidateCellAdapter {
    std::vector<std::pair<int, int>> cells;
    void validateCellBegin(NxValidateCellEvent& e) override {
        cells.push_back({e.row, e.column});
        if (e.value == Value("bad")) e.doit = false;
        if (e.value == Value("lower")) e.value = Value("LOWER");
    }
};

}  // namespace

TEST(Table, CellValueListenerSuppliesMissingValues) {
    auto t = host::create<NxTable>(nullptr, "");
    Supplier s;
    t->addCellValueListener(&s);
    EXPECT_EQ(t->getCell(2, 3), Value("from listener 2"));
    ASSERT_EQ(s.asked.size(), 1u);
    EXPECT_EQ(s.asked[0], std::make_pair(2, 3));
    EXPECT_EQ(t->getCell(2, 3), Value("from listener 2"));
    EXPECT_EQ(s.asked.size(), 2u);  // not stored: asked again
    s.store = true;
    t->getCell(4, 0);
    t->getCell(4, 0);
    EXPECT_EQ(s.asked.size(), 3u);  // stored on the first ask
    // A value set in listener mode (such as a committed edit) is kept.
    t->setCell(1, 1, Value("edited"));
    EXPECT_EQ(t->getCell(1, 1), Value("edited"));
    t->removeCellValueListener(&s);
    EXPECT_TRUE(t->getCell(2, 3).isNull());
}

TEST(Table, ValidationRejectsOrReplacesValuesOfTheRightCells) {
    auto t = host::create<NxTable>(nullptr, "");
    Validator v;
    t->addValidateCellListener(&v);
    t->setCell(0, 0, Value("bad"));
    EXPECT_TRUE(v.cells.empty());  // the default policy never validates
    t->setValidatePolicy(NxTblEnum::VALIDATE_SET);
    t->setCell(1, 2, Value("good"));
    t->setCell(1, 2, Value("bad"));
    t->setCell(3, 4, Value("lower"));
    EXPECT_EQ(t->getCell(1, 2), Value("good"));
    EXPECT_EQ(t->getCell(3, 4), Value("LOWER"));
    EXPECT_EQ(v.cells, (std::vector<std::pair<int, int>>{{1, 2}, {1, 2}, {3, 4}}));
    t->removeValidateCellListener(&v);
}

// A whole new array is validated cell by cell against the old values: a refused value
// keeps the cell's old one (it used to leave the cell empty), a replaced one is stored
// as replaced, and cells the array does not reach are emptied.
TEST(Table, SetCellsKeepsTheOldValueWhereANewOneIsRefused) {
    auto t = host::create<NxTable>(nullptr, "");
    t->setNumRows(3);
    t->setNumColumns(3);
    t->setCells({{Value("a"), Value("b"), Value("c")}, {Value("d"), Value("e"), Value("f")}, {Value("g")}});
    Validator v;
    t->addValidateCellListener(&v);
    t->setValidatePolicy(NxTblEnum::VALIDATE_SET);
    t->setCells({{Value("bad"), Value("lower")}, {Value("x")}});
    EXPECT_EQ(t->getCell(0, 0), Value("a"));      // refused: the old value stays
    EXPECT_EQ(t->getCell(0, 1), Value("LOWER"));  // replaced by the listener
    EXPECT_EQ(t->getCell(1, 0), Value("x"));
    EXPECT_TRUE(t->getCell(0, 2).isNull());  // not in the new array
    EXPECT_TRUE(t->getCell(1, 1).isNull());
    EXPECT_TRUE(t->getCell(2, 0).isNull());
    EXPECT_EQ(v.cells, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}}));
    t->removeValidateCellListener(&v);
}

TEST(Table, RepaintOffDefersWorkUntilTurnedBackOn) {
    auto t = host::create<NxTable>(nullptr, "");
    t->addNotify();
    t->setRepaint(false);
    t->setCell(0, 0, Value("x"));
    EXPECT_TRUE(t->needsRepaint());
    t->setNumRows(20);
    EXPECT_TRUE(t->needsRecalc());
    t->setRepaint(true);
    EXPECT_FALSE(t->needsRepaint());
    EXPECT_FALSE(t->needsRecalc());
}

TEST(Table, SpansStartingOutsideTheCellsAreReported) {
    auto t = host::create<NxTable>(nullptr, "");
    std::ostringstream err;
    auto* old = std::cerr.rdbuf(err.rdbuf());
    t->setSpans({NxCellRange(-1, 0, 2, 2), NxCellRange(1, 1, 40, 2)});
    std::cerr.rdbuf(old);
    EXPECT_EQ(err.str(), "spanlist.invalidValue: Invalid Range (-1,0)-(2,2)\n");
    NxCellRange r;
    host::Dimension size;
    EXPECT_TRUE(t->findSpan(9, 2, &r, &size));
    EXPECT_EQ(r, NxCellRange(1, 1, 9, 2));  // clipped to the table
    EXPECT_FALSE(t->findSpan(0, 0, &r, &size));
}

namespace {
struct SortSpy : NxSortListener {
    int column = -2;
    std::vector<int> new_rows;
    void sort(NxSortEvent& e) override {
        column = e.column;
        new_rows = e.new_rows;
    }
};
}  // namespace

TEST(Table, SortByColumnReordersRowsAndTellsTheListeners) {
    auto t = host::create<NxTable>(nullptr, "");
    t->setNumRows(5);
    t->setNumColumns(2);
    const char* keys[] = {"b", "a", nullptr, "b", "c"};
    for (int r = 0; r < 5; ++r) {
        if (keys[r]) t->setCell(r, 0, Value(keys[r]));
        t->setCell(r, 1, Value(r));
        t->setRowLabel(r, Value(r));
    }
    t->setBackground(4, NxTblEnum::ALL, Color::red);
    t->setSelectedCells({NxCellRange(1, 0, 1, 1)});
    SortSpy spy;
    t->addSortListener(&spy);
    std::vector<int> new_rows = t->sortByColumn(0);
    // null first; the two "b" rows change places, as the list quicksort leaves them.
    EXPECT_EQ(new_rows, (std::vector<int>{3, 1, 0, 2, 4}));
    EXPECT_EQ(spy.column, 0);
    EXPECT_EQ(spy.new_rows, new_rows);
    std::vector<int> order;
    for (int r = 0; r < 5; ++r) order.push_back(t->getCell(r, 1).asInt());
    EXPECT_EQ(order, (std::vector<int>{2, 1, 3, 0, 4}));
    EXPECT_EQ(t->getRowLabel(3), Value(0));
    EXPECT_EQ(t->getBackground(4, 1), Color::red);
    EXPECT_EQ(t->getSelectedCells()[0], NxCellRange(1, 0, 1, 1));

    // Descending: nulls still first, numbers compare as numbers.
    t->sortByColumn(1, 1);
    order.clear();
    for (int r = 0; r < 5; ++r) order.push_back(t->getCell(r, 1).asInt());
    EXPECT_EQ(order, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_TRUE(t->sortByColumn(7).empty());
    t->removeSortListener(&spy);
}

TEST(Table, PresortedRowsStayInPlace) {
    auto t = host::create<NxTable>(nullptr, "");
    t->setNumColumns(1);
    t->setNumRows(200'000);
    for (int r = 0; r < 200'000; ++r) t->setCell(r, 0, Value(r));
    std::vector<int> new_rows = t->sortByColumn(0);
    EXPECT_EQ(new_rows[123'456], 123'456);
    EXPECT_EQ(t->getRowHeights().size(), 200'000);
}

TEST(Table, SortOrderMatchesTheListQuicksortIncludingTies) {
    // Keys with many ties and nulls, in both directions.
    for (int dir : {0, 1}) {
        auto t = host::create<NxTable>(nullptr, "");
        t->setNumColumns(1);
        t->setNumRows(60);
        auto rows = host::create<norvex::util::NxVector>();
        for (int r = 0; r < 60; ++r) {
            Value key = (r % 7 == 3) ? Value() : Value((r * 37) % 5);
            t->setCell(r, 0, key);
            auto row = host::create<norvex::util::NxVector>();
            row->addElement(key);
            rows->addElement(row);
        }
        norvex::util::Nxqsort q(rows, nullptr);
        auto expected = q.sort(0, dir);
        ASSERT_TRUE(expected);
        EXPECT_EQ(t->sortByColumn(0, dir), *expected) << "direction " << dir;
    }
}

TEST(Table, TheLibraryRegistersItsClassesAndPagesCanCreateTheTable) {
    const auto* info = host::ClassRegistry::instance().find("norvex.table.NxTable");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isA("Table"));
    auto obj = host::ClassRegistry::instance().createObject("norvex.table.NxTable", nullptr, "grid");
    auto table = host::cast<NxTable>(obj);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->getName(), "grid");
    EXPECT_NE(host::ClassRegistry::instance().find("norvex.table.NxValueEvent"), nullptr);
}
