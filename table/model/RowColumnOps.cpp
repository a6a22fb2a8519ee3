// Adding, deleting and moving rows and columns (AddRow, AddColumn, DeleteRows,
// DeleteColumns, Shift): cells, labels, size chains, series and spans move together.
#include <algorithm>

#include "table/model/BlockMove.h"
#include "table/model/SeriesUtil.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"

namespace norvex::table {

using host::Value;

namespace {

// Inserts amount null slots at pos of a label array that reaches that far.
void insertSlots(std::vector<CellValue>& v, int pos, int amount) {
    if (size_t(pos) < v.size()) v.insert(v.begin() + pos, size_t(amount), CellValue());
}

void eraseSlots(std::vector<CellValue>& v, int pos, int amount) {
    if (size_t(pos) >= v.size()) return;
    v.erase(v.begin() + pos, v.begin() + std::min<size_t>(v.size(), size_t(pos) + size_t(amount)));
}

// Moves a block of a sparse array, growing it to count first when the move reaches it.
template <class T>
void moveSlots(std::vector<T>& v, int source, int num, int destination, int count) {
    if (v.empty()) return;
    if (v.size() < size_t(count)) v.resize(size_t(count));
    auto first = v.begin();
    if (destination < source)
        std::rotate(first + destination, first + source, first + source + num);
    else
        std::rotate(first + source, first + source + num, first + destination);
}

// One axis of a range after an insertion or deletion; false when nothing is left.
bool shiftAxis(int& start, int& end, int pos, int amount, int direction) {
    if (start < 0 || end < 0) return true;  // wild cards and labels stay
    if (end < start) std::swap(start, end);
    if (direction > 0) {
        if (start >= pos) start += amount;
        if (end >= pos) end += amount;
        return true;
    }
    auto after = [&](int k, bool isEnd) {
        if (k < pos) return k;
        if (k >= pos + amount) return k - amount;
        return isEnd ? pos - 1 : pos;
    };
    start = after(start, false);
    end = after(end, true);
    return start <= end;
}

// One axis of a range after a block move; false when the move splits it.
bool moveAxis(int& start, int& end, int source, int num, int destination) {
    if (start < 0 || end < 0) return true;
    if (end < start) std::swap(start, end);
    const int lo = std::min(source, destination), hi = std::max(source + num, destination);
    const bool insideBlock = start >= source && end < source + num;
    const bool outside = end < lo || start >= hi;
    const bool coversAll = start <= lo && end >= hi - 1;
    if (insideBlock) {
        start = blockMoveIndex(start, source, num, destination);
        end = blockMoveIndex(end, source, num, destination);
        return true;
    }
    return outside || coversAll;
}

}  // namespace

bool Shift::range(NxCellRange& r, bool rows, int pos, int amount, int direction) {
    return rows ? shiftAxis(r.start_row, r.end_row, pos, amount, direction)
                : shiftAxis(r.start_column, r.end_column, pos, amount, direction);
}

bool Shift::moveRange(NxCellRange& r, bool rows, int source, int num, int destination) {
    return rows ? moveAxis(r.start_row, r.end_row, source, num, destination)
                : moveAxis(r.start_column, r.end_column, source, num, destination);
}

void Shift::rows(Table& t, int pos, int amount, int direction) {
    if (amount <= 0) return;
    for (Series* s : t.series_list) SeriesUtil::shiftRow(*s, pos, amount, direction);
    if (direction > 0) {
        insertSlots(t.row_labels, pos, amount);
        t.row_heights.insert(Chain::filled(amount, NxTblEnum::NOVALUE), pos);
    } else {
        eraseSlots(t.row_labels, pos, amount);
        t.row_heights.remove(pos, pos + amount - 1);
    }
    std::vector<NxCellRange> kept;
    for (NxCellRange r : t.span_list)
        if (range(r, true, pos, amount, direction)) kept.push_back(r);
    t.span_list = std::move(kept);
    t.structureChanged({true, pos, amount, direction, NxTblEnum::NOVALUE});
    Span::copy(t);
}

void Shift::columns(Table& t, int pos, int amount, int direction) {
    if (amount <= 0) return;
    for (Series* s : t.series_list) SeriesUtil::shiftColumn(*s, pos, amount, direction);
    if (direction > 0) {
        insertSlots(t.column_labels, pos, amount);
        t.column_widths.insert(Chain::filled(amount, NxTblEnum::NOVALUE), pos);
    } else {
        eraseSlots(t.column_labels, pos, amount);
        t.column_widths.remove(pos, pos + amount - 1);
    }
    std::vector<NxCellRange> kept;
    for (NxCellRange r : t.span_list)
        if (range(r, false, pos, amount, direction)) kept.push_back(r);
    t.span_list = std::move(kept);
    t.structureChanged({false, pos, amount, direction, NxTblEnum::NOVALUE});
    Span::copy(t);
}

bool Shift::moveRows(Table& t, int source, int num, int destination) {
    if (num < 1 || source < 0 || source > t.rows - num || destination < 0 || destination > t.rows) return false;
    if (num >= t.rows - t.frozen_rows) return false;
    if (destination > source && destination < source + num) return false;  // inside the block
    if (!isBlockMove(source, num, destination, t.rows)) return true;        // already in place
    moveSlots(t.cells, source, num, destination, t.rows);
    moveSlots(t.row_labels, source, num, destination, t.rows);
    t.row_heights.move(source, num, destination);
    for (Series* s : t.series_list) SeriesUtil::moveRows(*s, source, num, destination);
    std::vector<NxCellRange> kept;
    for (NxCellRange r : t.span_list)
        if (moveRange(r, true, source, num, destination)) kept.push_back(r);
    t.span_list = std::move(kept);
    t.structureChanged({true, source, num, 0, destination});
    Span::copy(t);
    t.setProperty(PropertyEnum::ROW_HEIGHTS | PropertyEnum::REDISPLAY);
    return true;
}

bool Shift::moveColumns(Table& t, int source, int num, int destination) {
    if (num < 1 || source < 0 || source > t.columns - num || destination < 0 || destination > t.columns) return false;
    if (num >= t.columns - t.frozen_columns) return false;
    if (destination > source && destination < source + num) return false;
    if (!isBlockMove(source, num, destination, t.columns)) return true;
    for (auto& row : t.cells) moveSlots(row, source, num, destination, t.columns);
    moveSlots(t.column_labels, source, num, destination, t.columns);
    t.column_widths.move(source, num, destination);
    for (Series* s : t.series_list) SeriesUtil::moveColumns(*s, source, num, destination);
    std::vector<NxCellRange> kept;
    for (NxCellRange r : t.span_list)
        if (moveRange(r, false, source, num, destination)) kept.push_back(r);
    t.span_list = std::move(kept);
    t.structureChanged({false, source, num, 0, destination});
    Span::copy(t);
    t.setProperty(PropertyEnum::COLUMN_WIDTHS | PropertyEnum::REDISPLAY);
    return true;
}

// After rows or columns were added or deleted: re-measure when displayed, or remember
// to do so once painting is back on.
// row or column names the first entry that changed, so the view measures and repaints
// from there on only.
static void afterStructureChange(Table& t, int flags, int row, int column) {
    if (!t.hasPeer()) return;
    if (t.getRepaint())
        t.setProperty(row, column, flags | PropertyEnum::RESIZE | PropertyEnum::RELAYOUT);
    else
        t.setProperty(PropertyEnum::RESIZE);
}

bool AddRow::add(Table& t, int position, const Value& label, const std::vector<Value>& values) {
    if (position == NxTblEnum::MAXINT) position = t.rows;
    if (position < 0 || position > t.rows) return false;
    t.old_rows = t.rows;
    ++t.rows;  // first, so the spans are clipped to the grown table
    Shift::rows(t, position, 1, +1);
    if (size_t(position) < t.cells.size()) t.cells.insert(t.cells.begin() + position, std::vector<CellValue>());
    const bool repaint = t.repaint_on, pending = t.needs_repaint;
    t.repaint_on = false;  // one change for the whole row, not one per value
    for (int c = 0; c < std::min<int>(int(values.size()), t.columns); ++c)
        if (!values[size_t(c)].isNull()) SetValue::cell(t, position, c, values[size_t(c)], true);
    if (!label.isNull()) SetValue::label(t, position, NxTblEnum::LABEL, label);
    t.repaint_on = repaint;
    t.needs_repaint = pending;
    afterStructureChange(t, PropertyEnum::ROWS, position, NxTblEnum::NOVALUE);
    return true;
}

bool AddColumn::add(Table& t, int position, const Value& label, const std::vector<Value>& values) {
    if (position == NxTblEnum::MAXINT) position = t.columns;
    if (position < 0 || position > t.columns) return false;
    t.old_columns = t.columns;
    ++t.columns;
    Shift::columns(t, position, 1, +1);
    for (auto& row : t.cells)
        if (size_t(position) <= row.size() && !row.empty()) row.insert(row.begin() + position, CellValue());
    const bool repaint = t.repaint_on, pending = t.needs_repaint;
    t.repaint_on = false;
    for (int r = 0; r < std::min<int>(int(values.size()), t.rows); ++r)
        if (!values[size_t(r)].isNull()) SetValue::cell(t, r, position, values[size_t(r)], true);
    if (!label.isNull()) SetValue::label(t, NxTblEnum::LABEL, position, label);
    t.repaint_on = repaint;
    t.needs_repaint = pending;
    afterStructureChange(t, PropertyEnum::COLUMNS, NxTblEnum::NOVALUE, position);
    return true;
}

bool DeleteRows::remove(Table& t, int position, int num) {
    if (num < 1 || position < 0 || num > t.rows - position || num > t.rows - t.frozen_rows) return false;
    if (size_t(position) < t.cells.size())
        t.cells.erase(t.cells.begin() + position,
                      t.cells.begin() + std::min<size_t>(t.cells.size(), size_t(position) + size_t(num)));
    t.old_rows = t.rows;
    t.rows -= num;
    Shift::rows(t, position, num, -1);
    if (t.visible_rows != NxTblEnum::NOVALUE) t.visible_rows = std::min(t.visible_rows, t.rows - t.frozen_rows);
    if (t.top_row >= t.rows) t.top_row = 0;
    afterStructureChange(t, PropertyEnum::ROWS, position, NxTblEnum::NOVALUE);
    return true;
}

bool DeleteColumns::remove(Table& t, int position, int num) {
    if (num < 1 || position < 0 || num > t.columns - position || num > t.columns - t.frozen_columns) return false;
    for (auto& row : t.cells) eraseSlots(row, position, num);
    t.old_columns = t.columns;
    t.columns -= num;
    Shift::columns(t, position, num, -1);
    if (t.visible_columns != NxTblEnum::NOVALUE)
        t.visible_columns = std::min(t.visible_columns, t.columns - t.frozen_columns);
    if (t.left_column >= t.columns) t.left_column = 0;
    afterStructureChange(t, PropertyEnum::COLUMNS, NxTblEnum::NOVALUE, position);
    return true;
}

}  // namespace norvex::table
