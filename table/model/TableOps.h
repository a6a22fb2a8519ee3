// The table's operation classes: stateless, each taking the table as its first argument.
#pragma once

#include <vector>

#include "host/base/Geometry.h"
#include "host/runtime/Value.h"
#include "table/model/NxCellRange.h"

namespace norvex::util {
class NxSortInterface;
}

namespace norvex::table {

class Table;

struct SetValue {
    // Stores value in (row, col); row or col ALL (or ALLCELLS) covers the whole column
    // (row), both every cell. Validation runs when asked and the policy is VALIDATE_SET
    // or VALIDATE_ALWAYS. Returns true when a value was stored.
    static bool cell(Table& table, int row, int col, const host::Value& value, bool validate);
    static void label(Table& table, int row, int col, const host::Value& value);
    // The value a validate-cell event leaves, or nothing when a listener rejected it.
    static bool validate(Table& table, int row, int col, host::Value& value);
};

struct GetValue {
    // The stored value, else the one the cell-value listeners supply (stored when they ask).
    static host::Value cell(Table& table, int row, int col);
    static host::Value label(Table& table, int row, int col);
};

struct AddRow {
    static bool add(Table& table, int position, const host::Value& label, const std::vector<host::Value>& values);
};

struct AddColumn {
    static bool add(Table& table, int position, const host::Value& label, const std::vector<host::Value>& values);
};

struct DeleteRows {
    static bool remove(Table& table, int position, int num_rows);
};

struct DeleteColumns {
    static bool remove(Table& table, int position, int num_columns);
};

// Keeps series, labels, sizes and spans aligned with the rows and columns.
struct Shift {
    // direction > 0: amount rows were inserted at pos; otherwise rows pos..pos+amount-1 go.
    static void rows(Table& table, int pos, int amount, int direction);
    static void columns(Table& table, int pos, int amount, int direction);
    static bool moveRows(Table& table, int source, int num, int destination);
    static bool moveColumns(Table& table, int source, int num, int destination);
    // One axis (rows or columns) of a range after an insertion or deletion; false when
    // none of its cells is left. Wild-card and label keys never move.
    static bool range(NxCellRange& r, bool rows, int pos, int amount, int direction);
    // The same after a block move; false when the move splits the range.
    static bool moveRange(NxCellRange& r, bool rows, int source, int num, int destination);
};

struct Span {
    // Index of the span holding (row, col), its anchor in pos; NOTFOUND when none.
    static int find(const Table& table, int row, int col, NxCellPosition* pos);
    // (row, col) lies in a span without being its anchor.
    static bool isSpanned(const Table& table, int row, int col);
    // Re-derives the clipped spans from the spans as set; reports spans not starting at a cell.
    static void copy(Table& table);
    // Pixel size of range from the size chains.
    static host::Dimension size(const Table& table, const NxCellRange& range);
};

// Sorting rows by a column.
struct Sort {
    // Sorts the rows by their values in column (ascending when direction is 0) with
    // sort_if or the default comparisons; rows, labels, heights, series, selection and
    // the current cell follow, and the sort listeners hear of it. Returns for each row index before the
    // sort its new position (empty when column is not a column of the table). Equal keys
    // come out in reverse order of their rows and nulls first, as the quicksort of the
    // toolkit's lists orders them, in O(n log n) for any input order.
    static std::vector<int> sortByColumn(Table& table, int column, util::NxSortInterface* sort_if, int direction);
    // Moves row k to new_rows[k] (a permutation of 0..rows-1).
    static void reorderRows(Table& table, const std::vector<int>& new_rows);
};

// The change dispatcher every property setter ends in.
struct Property {
    static void set(Table& table, int flags, int row, int column);
    static void set(Table& table, int flags);
    // Stores a cell or label value and sends the flags it needs.
    static void setCellValue(Table& table, int row, int column, const host::Value& value);
    // Frozen counts, top row and left column fitted to the table.
    static void validateRes(Table& table);
};

}  // namespace norvex::table
