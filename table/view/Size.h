// Row heights and column widths in pixels from the size attributes: pixel sizes, the
// "not set" marker and AS_IS (character sizes), VARIABLE (the largest content); the
// label sizes, the totals and the preferred size. Stateless: everything is the table's.
#pragma once

#include <cstdint>

#include "host/base/Font.h"
#include "host/runtime/Value.h"

namespace norvex::table {

class Table;
class Series;
class Chain;

struct Size {
    static constexpr int DELETECOLUMNS = 1, DELETEROWS = 2, INSERTCOLUMNS = 3, INSERTROWS = 4, MOVECOLUMNS = 5,
                         MOVEROWS = 6, RESET = 7;
    static constexpr int NOTFOUND = -900;  // no uniform size

    static int textWidthOffset(const Table& t);
    static int textHeightOffset(const Table& t);
    // Line height of the font of (row, ALLCELLS) (else the table's font); character
    // width of the font of (ALLCELLS, col).
    static int fontHeight(const Table& t, int row);
    static int charWidth(const Table& t, int col);
    // The font a cell is drawn with.
    static host::Font cellFont(const Table& t, int row, int col);

    // Height of one row (step of the measuring rules); the sum over row1..row2.
    static int rowHeightOf(Table& t, int row);
    static int columnWidthOf(Table& t, int col);
    static int64_t getRowHeight(Table& t, int row1, int row2);
    static int64_t getColumnWidth(Table& t, int col1, int col2);
    // Fills the table's chain for row1..row2 (row1 ALL: every row).
    static void getRowHeights(Table& t, int row1, int row2);
    static void getColumnWidths(Table& t, int col1, int col2);
    // The one integer the series yields for every cell row (width false) or column, or NOTFOUND.
    static int getSingleValue(const Series& s, bool width);
    // Largest content of a row over columns col1..col2 (or of a column over rows), at least h.
    static int calcLargestHeight(Table& t, int row, int col1, int col2, int h);
    static int calcLargestWidth(Table& t, int row1, int row2, int col, int w);
    // Content size of a value drawn with font.
    static int contentWidth(const Table& t, const host::Value& v, const host::Font& f);
    static int contentHeight(const Table& t, const host::Value& v, const host::Font& f);
    static bool hasValue(Table& t, int row, int col);
    static int getColumnLabelMaxHeight(Table& t);
    static int getRowLabelMaxWidth(Table& t);
    static void computeTotals(Table& t);
    // A span whose content needs more room than its rows (columns) give enlarges its last
    // row (column) when that one fits its content (VARIABLE).
    static bool adjustHeight(Table& t);
    static bool adjustWidth(Table& t);
    // Everything measured again; false while painting is off (then pending).
    static bool resetAll(Table& t);
    // Preferred size into desired_width / desired_height; false while painting is off.
    static bool compute(Table& t, bool compute_width, bool compute_height);

    // Accessors of the layout (offsets included).
    static int rowLabelWidth(const Table& t);
    static int columnLabelHeight(const Table& t);
    static int rowLabelExtraWidth(const Table& t);
    static int colLabelExtraHeight(const Table& t);
    static int64_t frozenRowHeight(const Table& t);
    static int64_t frozenColumnWidth(const Table& t);
    static int vertSBwidth(const Table& t);
    static int horizSBheight(const Table& t);
};

// Variable sizes after a value change: only the cell's row and column are measured.
struct VarSize {
    // Called before the value is replaced: notes whether the old content defined its sizes.
    static void before(Table& t, int row, int col);
    // After the value is stored: widens at once, or remeasures the one row or column the
    // old value defined. Returns the change flags (CELL_WIDTH, COLUMN_WIDTHS, ...).
    static int calc(Table& t, int row, int col);
};

}  // namespace norvex::table
