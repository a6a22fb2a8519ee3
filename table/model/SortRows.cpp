// Sorting rows by a column (Sort).
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "table/model/SeriesUtil.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"
#include "util/MergeSort.h"
#include "util/NxSortInterface.h"
#include "util/Nxqsort.h"

namespace norvex::table {

using host::Value;
using util::Nxqsort;

namespace {

// One row's key as the merge sort moves it: strings carry their first eight bytes as a
// big-endian number, so most comparisons of stored strings are one integer compare.
struct SortKey {
    uint64_t prefix;
    std::string_view text;  // the stored text (kind TEXT)
    int32_t row;
    uint8_t kind;
};
constexpr uint8_t KEY_NULL = 0, KEY_TEXT = 1, KEY_OTHER = 2;

uint64_t prefixOf(std::string_view s) {
    uint64_t p = 0;
    for (size_t i = 0; i < 8; ++i) p = (p << 8) | (i < s.size() ? uint8_t(s[i]) : 0);
    return p;
}

}  // namespace

std::vector<int> Sort::sortByColumn(Table& t, int column, util::NxSortInterface* sort_if, int direction) {
    if (column < 0 || column >= t.columns) return {};
    // Values that are not stored strings (and those the cell-value listeners supply) are
    // kept here, by row.
    std::vector<Value> others;
    std::vector<int32_t> other_of;
    std::vector<SortKey> keys(size_t(t.rows));
    for (int r = 0; r < t.rows; ++r) {
        SortKey& k = keys[size_t(r)];
        k = {0, {}, r, KEY_NULL};
        const CellValue* cell = nullptr;
        if (size_t(r) < t.cells.size() && size_t(column) < t.cells[size_t(r)].size())
            cell = &t.cells[size_t(r)][size_t(column)];
        if (!sort_if && cell && cell->text(&k.text)) {
            k.kind = KEY_TEXT;
            k.prefix = prefixOf(k.text);
            continue;
        }
        Value v = cell && !cell->isNull() ? cell->get() : GetValue::cell(t, r, column);
        if (v.isNull()) continue;
        if (other_of.empty()) other_of.assign(size_t(t.rows), -1);
        other_of[size_t(r)] = int32_t(others.size());
        others.push_back(std::move(v));
        k.kind = KEY_OTHER;
    }
    // The listeners may have stored values: the texts are read again where they now live.
    if (!others.empty() && !sort_if)
        for (SortKey& k : keys)
            if (k.kind == KEY_TEXT) t.cells[size_t(k.row)][size_t(column)].text(&k.text);
    auto value = [&](const SortKey& k) {
        return k.kind == KEY_TEXT ? Value(k.text) : others[size_t(other_of[size_t(k.row)])];
    };
    const bool ascending = direction == Nxqsort::ASCENDING;
    // "a belongs after b" as the quicksort of lists decides it: nulls first in both
    // directions, then strings by their bytes, numbers, dates, rich text, string forms.
    util::sortReversingTies(keys, [&](const SortKey& a, const SortKey& b) {
        if (a.kind == KEY_NULL) return false;
        if (b.kind == KEY_NULL) return true;
        if (a.kind == KEY_TEXT && b.kind == KEY_TEXT) {
            if (a.prefix != b.prefix) return ascending ? a.prefix > b.prefix : a.prefix < b.prefix;
            const int c = a.text.compare(b.text);
            return ascending ? c > 0 : c < 0;
        }
        return ascending ? Nxqsort::gt(value(a), value(b), sort_if) : Nxqsort::lt(value(a), value(b), sort_if);
    });
    std::vector<int> new_rows(size_t(t.rows));
    for (size_t i = 0; i < keys.size(); ++i) new_rows[size_t(keys[i].row)] = int(i);
    keys = {};
    others = {};
    reorderRows(t, new_rows);
    NxSortEvent e(&t, column, new_rows);
    for (auto* l : t.sort_listeners.snapshot()) l->sort(e);
    return new_rows;
}

void Sort::reorderRows(Table& t, const std::vector<int>& new_rows) {
    if (int(new_rows.size()) != t.rows) return;
    auto permute = [&](auto& v) {
        if (v.empty()) return;
        v.resize(size_t(t.rows));
        std::remove_reference_t<decltype(v)> out(v.size());
        for (size_t k = 0; k < new_rows.size(); ++k) out[size_t(new_rows[k])] = std::move(v[k]);
        v = std::move(out);
    };
    permute(t.cells);
    permute(t.row_labels);
    std::vector<int> heights = t.row_heights.getArray();
    permute(heights);
    t.row_heights = Chain::fromValues(heights);
    for (Series* s : t.series_list) SeriesUtil::reorderRows(*s, new_rows);
    t.rowsReordered(new_rows);
    t.setProperty(PropertyEnum::REDISPLAY);
}

}  // namespace norvex::table
