// The table's row sort against the order of the original first-element-pivot
// quicksort (kept here as the oracle), over numbers, strings, dates, mixed cells and
// nulls, with heights, labels, attributes and the current cell following the rows.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "host/base/Date.h"
#include "table/NxTable.h"
#include "table/NxTableComponent.h"
#include "util/MergeSort.h"
#include "util/NxVector.h"
#include "util/Nxqsort.h"

using host::Color;
using host::Value;
using namespace norvex::table;
using norvex::util::Nxqsort;

namespace {

// The quicksort as first written: first element as pivot, keys that are not greater
// (ascending) go left, the pivot after them. Quadratic, so only for small inputs.
std::vector<int> quicksortOrder(const std::vector<Value>& keys, bool ascending) {
    std::vector<int> rows(keys.size());
    for (size_t i = 0; i < rows.size(); ++i) rows[i] = int(i);
    std::function<std::vector<int>(const std::vector<int>&)> qs = [&](const std::vector<int>& v) {
        if (v.size() < 2) return v;
        std::vector<int> left, right;
        for (size_t i = 1; i < v.size(); ++i) {
            const Value& k = keys[size_t(v[i])];
            const Value& p = keys[size_t(v[0])];
            (ascending ? Nxqsort::gt(k, p, nullptr) : Nxqsort::lt(k, p, nullptr)) ? right.push_back(v[i])
                                                                                   : left.push_back(v[i]);
        }
        std::vector<int> out = qs(left);
        out.push_back(v[0]);
        for (int r : qs(right)) out.push_back(r);
        return out;
    };
    return qs(rows);
}

// Column 0 holds the keys, column 1 the original row number.
std::shared_ptr<NxTable> tableOf(const std::vector<Value>& keys) {
    auto t = host::create<NxTable>(nullptr, "");
    t->setNumRows(int(keys.size()));
    t->setNumColumns(2);
    for (size_t r = 0; r < keys.size(); ++r) {
        if (!keys[r].isNull()) t->setCell(int(r), 0, keys[r]);
        t->setCell(int(r), 1, Value(int(r)));
    }
    return t;
}

std::vector<int> originalRows(NxTable& t) {
    std::vector<int> out;
    for (int r = 0; r < t.getNumRows(); ++r) out.push_back(t.getCell(r, 1).asInt());
    return out;
}

host::Date day(int d) { return host::Date(int64_t(d) * 86400000); }

}  // namespace

TEST(TableSortOrder, NumbersStringsDatesAndNullsInBothDirections) {
    struct Case {
        const char* name;
        std::vector<Value> keys;
        std::vector<int> ascending, descending;  // original rows in sorted order
    };
    const std::vector<Case> cases = {
        {"numbers compare by value", {Value(10), Value(2), Value(2.5), Value(-1)}, {3, 1, 2, 0}, {0, 2, 1, 3}},
        {"strings by their bytes", {Value("b"), Value("B"), Value("10"), Value("2"), Value("ab")}, {2, 3, 1, 4, 0},
         {0, 4, 1, 3, 2}},
        {"dates by time", {Value(day(3)), Value(day(1)), Value(day(2))}, {1, 2, 0}, {0, 2, 1}},
        {"nulls first both ways", {Value("m"), Value(), Value("a"), Value()}, {3, 1, 2, 0}, {3, 1, 0, 2}},
        // Mixed kinds compare by their string forms: "10" < "9" < "a".
        {"mixed by string forms", {Value("a"), Value(9), Value("10")}, {2, 1, 0}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto t = tableOf(c.keys);
        t->sortByColumn(0, Nxqsort::ASCENDING);
        EXPECT_EQ(originalRows(*t), c.ascending);
        auto d = tableOf(c.keys);
        d->sortByColumn(0, Nxqsort::DESCENDING);
        EXPECT_EQ(originalRows(*d), c.descending);
    }
}

TEST(TableSortOrder, EqualKeysComeOutInReverseInputOrder) {
    auto t = tableOf({Value("x"), Value("y"), Value("x"), Value("x"), Value("y")});
    const std::vector<int> new_rows = t->sortByColumn(0);
    EXPECT_EQ(originalRows(*t), (std::vector<int>{3, 2, 0, 4, 1}));
    EXPECT_EQ(new_rows, (std::vector<int>{2, 4, 1, 0, 3}));
    // Sorting again reverses the ties once more: back to input order within each key.
    t->sortByColumn(0);
    EXPECT_EQ(originalRows(*t), (std::vector<int>{0, 2, 3, 1, 4}));
    // Descending after ascending: the keys reverse, the ties reverse again.
    t->sortByColumn(0, Nxqsort::DESCENDING);
    EXPECT_EQ(originalRows(*t), (std::vector<int>{4, 1, 3, 2, 0}));
}

TEST(TableSortOrder, MatchesTheQuicksortOnRandomColumnsWithManyTies) {
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        const int n = 1 + int(rng() % 300);
        std::vector<Value> keys;
        for (int i = 0; i < n; ++i) {
            switch (rng() % 6) {
                case 0: keys.emplace_back(); break;
                case 1: keys.emplace_back(int(rng() % 5)); break;
                case 2: keys.emplace_back(double(rng() % 5) + 0.5); break;
                // Long strings share their first eight bytes and differ after them.
                case 3: keys.emplace_back("prefix12" + std::string(1, char('a' + rng() % 3))); break;
                default: keys.emplace_back(std::string(1, char('a' + rng() % 4))); break;
            }
        }
        // A column of strings only (the fast path) and the mixed column.
        std::vector<Value> strings;
        for (const Value& k : keys) strings.push_back(k.isNumber() ? Value(k.toString()) : k);
        for (const auto* column : {&keys, &strings}) {
            for (bool ascending : {true, false}) {
                SCOPED_TRACE("round " + std::to_string(round) + (ascending ? " ascending" : " descending"));
                auto t = tableOf(*column);
                t->sortByColumn(0, ascending ? Nxqsort::ASCENDING : Nxqsort::DESCENDING);
                EXPECT_EQ(originalRows(*t), quicksortOrder(*column, ascending));
            }
        }
    }
}

TEST(TableSortOrder, AnInconsistentComparisonStillGivesAPermutation) {
    // "a after b" whenever they differ: no order exists, but nothing may be lost.
    std::vector<int> v;
    for (int i = 0; i < 1000; ++i) v.push_back(i % 7);
    norvex::util::sortReversingTies(v, [](int a, int b) { return a != b; });
    std::vector<int> counts(7);
    for (int x : v) ++counts[size_t(x)];
    for (int c = 0; c < 7; ++c) EXPECT_EQ(counts[size_t(c)], c < 6 ? 143 : 142);
}

TEST(TableSortOrder, LabelsAttributesAndTheCurrentCellFollowTheRows) {
    auto t = host::create<NxTableComponent>(nullptr, "");
    t->setNumRows(3);
    t->setNumColumns(2);
    const char* keys[] = {"c", "a", "b"};
    for (int r = 0; r < 3; ++r) t->setCell(r, 0, Value(keys[r]));
    t->setPixelHeight(0, 40);
    t->setRowLabel(0, Value("first"));
    t->setBackground(0, 1, Color::red);
    t->setEditable(2, 0, false);
    ASSERT_TRUE(t->findString("b"));  // the current cell is now (2, 0)
    t->sortByColumn(0);
    // "c" (row 0) is now last, "b" (row 2) in the middle.
    EXPECT_EQ(t->getPixelHeight(2), 40);
    EXPECT_EQ(t->getPixelHeight(0), NxTblEnum::NOVALUE);
    EXPECT_EQ(t->getRowLabel(2), Value("first"));
    EXPECT_EQ(t->getBackground(2, 1), Color::red);
    EXPECT_FALSE(t->getEditable(1, 0));
    EXPECT_TRUE(t->getEditable(2, 0));
    EXPECT_EQ(t->getEditRow(), 1);
    EXPECT_EQ(t->getEditColumn(), 0);
}

TEST(TableSortOrder, TwentyThousandSortedRowsSortInOrder) {
    // Already sorted and all-equal columns: the quicksort's worst cases.
    constexpr int N = 20000;
    std::vector<Value> sorted, equal;
    for (int i = 0; i < N; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%06d", i);
        sorted.emplace_back(std::string(key));
        equal.emplace_back("same");
    }
    auto t = tableOf(sorted);
    t->sortByColumn(0);
    EXPECT_EQ(t->getCell(0, 1).asInt(), 0);
    EXPECT_EQ(t->getCell(N - 1, 1).asInt(), N - 1);
    auto e = tableOf(equal);
    e->sortByColumn(0);
    EXPECT_EQ(e->getCell(0, 1).asInt(), N - 1);  // ties reversed
    EXPECT_EQ(e->getCell(N - 1, 1).asInt(), 0);
}
