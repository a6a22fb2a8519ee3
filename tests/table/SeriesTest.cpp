#include <gtest/gtest.h>

#include "host/base/Color.h"
#include "table/model/NxTblEnum.h"
#include "table/model/Series.h"
#include "table/model/SeriesUtil.h"
#include "table/model/Table.h"

using host::Color;
using host::Value;
using norvex::table::NxCellRange;
using norvex::table::NxTblEnum;
using norvex::table::Series;
using norvex::table::SeriesUtil;
using norvex::table::Table;

namespace {
constexpr int ALL = NxTblEnum::ALL;
constexpr int ALLCELLS = NxTblEnum::ALLCELLS;
const Value red = Value(Color::red), blue = Value(Color::blue), green = Value(Color::green);
}  // namespace

TEST(Series, DefaultEntryAloneAnswersEveryCellAndLabel) {
    Series s(nullptr, Value(7));
    EXPECT_EQ(s.getIntValue(0, 0), 7);
    EXPECT_EQ(s.getIntValue(-1, 3), 7);
    EXPECT_EQ(s.getIntValue(3, -1), 7);
    EXPECT_EQ(s.getIntValue(999'999, 19), 7);
    Series empty;
    EXPECT_TRUE(empty.getValue(0, 0).isNull());
    EXPECT_FALSE(empty.find(0, 0).has_value());
}

TEST(Series, MostRecentMatchingEntryWins) {
    Series s(nullptr, Value());
    s.setValue(ALL, 2, red);
    s.setValue(1, 2, blue);
    EXPECT_EQ(s.getValue(1, 2), blue);
    EXPECT_EQ(s.getValue(0, 2), red);
    EXPECT_EQ(s.getValue(5, 2), red);
    EXPECT_TRUE(s.getValue(1, 3).isNull());
    // An exact look-up in between must not leave a stale answer behind.
    EXPECT_EQ(s.findExact(1, 2)->value, blue);
    s.setValue(ALL, 2, green);
    EXPECT_EQ(s.findExact(1, 2)->value, blue);
    EXPECT_EQ(s.getValue(1, 2), green);
    EXPECT_EQ(s.find(1, 2)->row, ALL);
}

TEST(Series, AllMatchesLabelsAndAllCellsDoesNot) {
    Series s(nullptr, Value(0));
    s.setValue(ALLCELLS, ALLCELLS, Value(1));
    EXPECT_EQ(s.getIntValue(0, 0), 1);
    EXPECT_EQ(s.getIntValue(-1, 0), 0);  // column label
    EXPECT_EQ(s.getIntValue(4, -1), 0);  // row label
    s.setValue(ALL, ALL, Value(2));
    EXPECT_EQ(s.getIntValue(-1, 0), 2);
    EXPECT_EQ(s.getIntValue(4, 4), 2);
}

TEST(Series, SetDefaultOnlyChangesTheFallback) {
    Series s(nullptr, Value(0));
    s.setValue(3, 3, Value(5));
    s.setDefault(Value(9));
    EXPECT_EQ(s.getIntValue(3, 3), 5);
    EXPECT_EQ(s.getIntValue(0, 0), 9);
    // Through setValue the (ALL, ALL) entry rises above everything set before.
    s.setValue(ALL, ALL, Value(4));
    EXPECT_EQ(s.getIntValue(3, 3), 4);
    // setDefault afterwards keeps that precedence and changes the value.
    s.setValue(3, 3, Value(5));
    s.setDefault(Value(8));
    EXPECT_EQ(s.getIntValue(3, 3), 5);
    EXPECT_EQ(s.getIntValue(1, 1), 8);
}

TEST(Series, ResettingTheLastEntryWithAnEqualValueChangesNothing) {
    Series s(nullptr, Value(0));
    EXPECT_TRUE(s.setValue(1, 1, Value(3)));
    EXPECT_FALSE(s.setValue(1, 1, Value(3)));
    EXPECT_TRUE(s.setValue(ALL, 1, Value(4)));
    // Not the last entry any more: re-setting raises it even with the same value.
    EXPECT_TRUE(s.setValue(1, 1, Value(3)));
    EXPECT_EQ(s.getIntValue(1, 1), 3);
    EXPECT_EQ(s.size(), 3);
    EXPECT_TRUE(s.remove(1, 1));
    EXPECT_FALSE(s.remove(1, 1));
    EXPECT_EQ(s.getIntValue(1, 1), 4);
}

TEST(Series, SingleAndContainedValues) {
    Series s(nullptr, Value(1));
    s.setValue(2, 2, Value(1));
    EXPECT_EQ(s.getSingleValue(), Value(1));
    s.setValue(3, 3, Value(2));
    EXPECT_TRUE(s.getSingleValue().isNull());
    EXPECT_TRUE(s.containsValue(Value(2)));
    EXPECT_FALSE(s.containsValue(Value(5)));
    auto entries = s.getEntries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].row, ALL);
    EXPECT_EQ(entries[2].row, 3);
    EXPECT_EQ(s.getValueAt(1), Value(1));
    EXPECT_TRUE(s.getValueAt(3).isNull());
    EXPECT_TRUE(s.removeAt(0));
    EXPECT_FALSE(s.removeAt(2));
    EXPECT_TRUE(s.getDefault().isNull());
}

TEST(SeriesUtil, DeletingRowsRemovesTheirEntriesAndRenumbersLaterOnes) {
    Series s(nullptr, Value(0));
    s.setValue(3, 0, Value(3));
    s.setValue(4, ALL, Value(4));
    s.setValue(7, 1, Value(7));
    s.setValue(ALL, 1, Value(9));
    SeriesUtil::shiftRow(s, 3, 2, -1);
    EXPECT_FALSE(s.findExact(3, 0).has_value());
    EXPECT_FALSE(s.findExact(4, ALL).has_value());
    EXPECT_EQ(s.findExact(5, 1)->value, Value(7));
    EXPECT_TRUE(s.findExact(ALL, 1).has_value());
    // Precedence survives: the column entry set last still wins at the moved cell.
    EXPECT_EQ(s.getIntValue(5, 1), 9);

    SeriesUtil::shiftRow(s, 0, 2, +1);
    EXPECT_EQ(s.findExact(7, 1)->value, Value(7));
    SeriesUtil::shiftColumn(s, 1, 1, +1);
    EXPECT_EQ(s.findExact(7, 2)->value, Value(7));
    EXPECT_TRUE(s.findExact(ALL, 2).has_value());
}

TEST(SeriesUtil, MovingRowsFollowsTheChainMapping) {
    Series s;
    for (int r = 0; r < 7; ++r) s.setValue(r, ALL, Value(r));
    SeriesUtil::moveRows(s, 0, 2, 5);  // a b c d e f g -> c d e a b f g
    std::vector<int> order;
    for (int r = 0; r < 7; ++r) order.push_back(s.getIntValue(r, 0));
    EXPECT_EQ(order, (std::vector<int>{2, 3, 4, 0, 1, 5, 6}));

    Series t;
    for (int r = 0; r < 7; ++r) t.setValue(r, ALL, Value(r));
    SeriesUtil::moveRows(t, 5, 2, 0);  // -> f g a b c d e
    order.clear();
    for (int r = 0; r < 7; ++r) order.push_back(t.getIntValue(r, 0));
    EXPECT_EQ(order, (std::vector<int>{5, 6, 0, 1, 2, 3, 4}));

    // A destination inside the moved block leaves every key alone (row 0 never
    // becomes the label row).
    SeriesUtil::moveRows(t, 0, 3, 1);
    EXPECT_EQ(t.getIntValue(0, 0), 5);
    EXPECT_FALSE(t.findExact(-1, ALL).has_value());

    SeriesUtil::reorderRows(t, {1, 0});
    EXPECT_EQ(t.getIntValue(0, 0), 6);
    EXPECT_EQ(t.getIntValue(1, 0), 5);
}

TEST(SeriesUtil, WholeColumnRangesAreOneWildCardEntry) {
    auto table = std::make_shared<Table>();
    table->setNumRows(1'000'000);
    Series s(nullptr, Value());
    EXPECT_TRUE(SeriesUtil::setValue(*table, s, NxCellRange(0, 3, 999'999, 3), red));
    EXPECT_EQ(s.size(), 2);
    EXPECT_EQ(s.getValue(123'456, 3), red);
    EXPECT_TRUE(s.getValue(-1, 3).isNull());  // the label is not part of the rows
    EXPECT_TRUE(SeriesUtil::setValue(*table, s, NxCellRange(0, 4, NxTblEnum::MAXINT, 4), blue));
    EXPECT_EQ(s.getValue(-1, 4), blue);
    EXPECT_EQ(s.size(), 3);
    // A range starting at (ALL, ALL) only changes the fallback.
    s.setValue(2, 2, green);
    SeriesUtil::setValue(*table, s, NxCellRange(ALL, ALL, ALL, ALL), red);
    EXPECT_EQ(s.getValue(2, 2), green);
    EXPECT_EQ(s.getValue(2, 0), red);
    // A partial range is one entry per cell, clipped to the table.
    table->setNumRows(10);
    Series p;
    SeriesUtil::setValue(*table, p, NxCellRange(8, 0, 20, 1), red);
    EXPECT_EQ(p.size(), 4);
}
