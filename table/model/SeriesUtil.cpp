#include "table/model/SeriesUtil.h"

#include <algorithm>

#include "table/model/BlockMove.h"
#include "table/model/NxTblEnum.h"
#include "table/model/Table.h"

namespace norvex::table {

using host::Value;

namespace {

// Normalises one axis of a range: (start, end) against count.
void normaliseAxis(int& start, int& end, int count) {
    if (start == NxTblEnum::ALL || start == NxTblEnum::ALLCELLS) {
        end = start;
    } else if (start == NxTblEnum::LABEL) {
        start = end = NxTblEnum::LABEL;
    } else if (start == 0 && end == NxTblEnum::MAXINT) {
        start = end = NxTblEnum::ALL;
    } else {
        if (end < start) std::swap(start, end);
        end = std::min(end, count - 1);
        // Every cell row (column): one wild-card key instead of one entry per index.
        if (start == 0 && end == count - 1 && count > 1) start = end = NxTblEnum::ALLCELLS;
    }
}

using KeyMap = std::optional<std::pair<int, int>>;

}  // namespace

NxCellRange SeriesUtil::cvtRangeContextToRange(const Table& table, const NxCellRange& src) {
    NxCellRange r = src;
    normaliseAxis(r.start_row, r.end_row, table.getNumRows());
    normaliseAxis(r.start_column, r.end_column, table.getNumColumns());
    return r;
}

bool SeriesUtil::setValue(const Table& table, Series& series, const NxCellRange& range, const Value& value) {
    if (range.start_row == NxTblEnum::ALL && range.start_column == NxTblEnum::ALL) {
        Value before = series.getDefault();
        series.setDefault(value);
        return !before.equals(value);
    }
    const NxCellRange r = cvtRangeContextToRange(table, range);
    // Keys below LABEL other than the wild cards name nothing.
    auto valid = [](int k) { return k >= NxTblEnum::LABEL || k == NxTblEnum::ALL || k == NxTblEnum::ALLCELLS; };
    if (!valid(r.start_row) || !valid(r.start_column) || r.end_row < r.start_row || r.end_column < r.start_column)
        return false;
    bool changed = false;
    for (int row = r.start_row; row <= r.end_row; ++row)
        for (int col = r.start_column; col <= r.end_column; ++col) changed |= series.setValue(row, col, value);
    return changed;
}

static KeyMap shifted(int k, int other, bool rowKey, int pos, int amount, int direction) {
    auto pack = [&](int nk) -> KeyMap { return rowKey ? std::pair(nk, other) : std::pair(other, nk); };
    if (k < 0 || k < pos) return pack(k);  // wild cards and labels never move
    if (direction > 0) return pack(k + amount);
    if (k < pos + amount) return std::nullopt;
    return pack(k - amount);
}

void SeriesUtil::shiftRow(Series& series, int pos, int amount, int direction) {
    if (amount <= 0) return;
    series.remapKeys([&](int r, int c) { return shifted(r, c, true, pos, amount, direction); });
}

void SeriesUtil::shiftColumn(Series& series, int pos, int amount, int direction) {
    if (amount <= 0) return;
    series.remapKeys([&](int r, int c) { return shifted(c, r, false, pos, amount, direction); });
}

void SeriesUtil::moveRows(Series& series, int source, int num, int destination) {
    if (!isBlockMove(source, num, destination, NxTblEnum::MAXINT)) return;
    series.remapKeys([&](int r, int c) -> KeyMap {
        return std::pair(r < 0 ? r : blockMoveIndex(r, source, num, destination), c);
    });
}

void SeriesUtil::moveColumns(Series& series, int source, int num, int destination) {
    if (!isBlockMove(source, num, destination, NxTblEnum::MAXINT)) return;
    series.remapKeys([&](int r, int c) -> KeyMap {
        return std::pair(r, c < 0 ? c : blockMoveIndex(c, source, num, destination));
    });
}

void SeriesUtil::reorderRows(Series& series, const std::vector<int>& new_pos) {
    series.remapKeys([&](int r, int c) -> KeyMap {
        if (r >= 0 && r < int(new_pos.size())) return std::pair(new_pos[size_t(r)], c);
        return std::pair(r, c);
    });
}

}  // namespace norvex::table
