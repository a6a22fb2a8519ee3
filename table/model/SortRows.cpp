// Sorting rows by a column (Sort).
#include <algorithm>
#include <numeric>

#include "table/model/SeriesUtil.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"
#include "util/NxSortInterface.h"
#include "util/Nxqsort.h"

namespace norvex::table {

using host::Value;
using util::Nxqsort;

std::vector<int> Sort::sortByColumn(Table& t, int column, util::NxSortInterface* sort_if, int direction) {
    if (column < 0 || column >= t.columns) return {};
    struct Key {
        Value value;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(size_t(t.rows));
    for (int r = 0; r < t.rows; ++r) keys.push_back({GetValue::cell(t, r, column), r});
    const bool ascending = direction == Nxqsort::ASCENDING;
    // "a belongs after b" exactly as the quicksort decides it; ties reversed, which is
    // where its first-element pivot leaves equal keys.
    auto after = [&](const Key& a, const Key& b) {
        return ascending ? Nxqsort::gt(a.value, b.value, sort_if) : Nxqsort::lt(a.value, b.value, sort_if);
    };
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (after(b, a)) return true;
        if (after(a, b)) return false;
        return a.row > b.row;
    });
    std::vector<int> new_rows(size_t(t.rows));
    for (size_t i = 0; i < keys.size(); ++i) new_rows[size_t(keys[i].row)] = int(i);
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
