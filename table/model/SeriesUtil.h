// Operations on the series of a table: setting a range, and keeping keys aligned when
// rows or columns are inserted, deleted, moved or reordered.
#pragma once

#include <vector>

#include "host/runtime/Value.h"
#include "table/model/NxCellRange.h"
#include "table/model/Series.h"

namespace norvex::table {

class Table;

struct SeriesUtil {
    // Stores value over range. A range starting at (ALL, ALL) sets the series' default;
    // a range covering whole rows or columns is one wild-card entry. True if anything changed.
    static bool setValue(const Table& table, Series& series, const NxCellRange& range, const host::Value& value);
    // range_source normalised to the table: wild cards and labels as single keys, a full
    // span of rows (columns) as ALL (0..MAXINT) or ALLCELLS (0..count-1), ends clipped.
    static NxCellRange cvtRangeContextToRange(const Table& table, const NxCellRange& range_source);

    // direction > 0 inserts amount rows at pos (later keys grow); otherwise rows
    // pos..pos+amount-1 are deleted (their entries vanish, later keys shrink).
    static void shiftRow(Series& series, int pos, int amount, int direction);
    static void shiftColumn(Series& series, int pos, int amount, int direction);
    static void moveRows(Series& series, int source, int num_rows, int destination);
    static void moveColumns(Series& series, int source, int num_columns, int destination);
    // Row k becomes row new_pos[k] (after sorting).
    static void reorderRows(Series& series, const std::vector<int>& new_pos);
};

}  // namespace norvex::table
