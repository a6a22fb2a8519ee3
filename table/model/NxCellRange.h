// Cell coordinates and rectangular ranges of cells. A range need not be ordered (its
// start may lie after its end); the queries order it first. Keys may be the wild cards
// ALL and ALLCELLS or the label index -1.
#pragma once

#include <optional>
#include <string>

namespace norvex::table {

struct NxCellPosition {
    int row = 0;
    int column = 0;

    bool operator==(const NxCellPosition&) const = default;
};

struct NxCellRange {
    int start_row = 0;
    int start_column = 0;
    int end_row = 0;
    int end_column = 0;

    NxCellRange() = default;
    NxCellRange(int sr, int sc, int er, int ec) : start_row(sr), start_column(sc), end_row(er), end_column(ec) {}

    void reshape(int sr, int sc, int er, int ec) { *this = NxCellRange(sr, sc, er, ec); }
    bool equals(const NxCellRange& o) const { return *this == o; }
    bool operator==(const NxCellRange&) const = default;

    int minRow() const { return start_row < end_row ? start_row : end_row; }
    int maxRow() const { return start_row < end_row ? end_row : start_row; }
    int minColumn() const { return start_column < end_column ? start_column : end_column; }
    int maxColumn() const { return start_column < end_column ? end_column : start_column; }

    // row lies between the range's rows (either order).
    bool inRowRange(int row) const { return row >= minRow() && row <= maxRow(); }
    bool inColumnRange(int col) const { return col >= minColumn() && col <= maxColumn(); }
    // The same, where a range starting at ALL or ALLCELLS covers every row (column).
    bool inRowRange2(int row) const;
    bool inColumnRange2(int col) const;
    bool inside(int row, int col) const { return inRowRange(row) && inColumnRange(col); }
    // The two ranges share at least one cell.
    bool intersects(const NxCellRange& o) const;
    // Like intersects, with wild-card starts covering every row or column.
    bool overlaps(const NxCellRange& o) const;
    // The cells both ranges hold (ordered), or nullopt when they share none.
    std::optional<NxCellRange> intersection(const NxCellRange& o) const;

    // "(start_row,start_column)-(end_row,end_column)".
    std::string toString() const;
};

}  // namespace norvex::table
