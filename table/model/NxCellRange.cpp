#include "table/model/NxCellRange.h"

#include <algorithm>

#include "table/model/NxTblEnum.h"

namespace norvex::table {

namespace {
bool isWild(int k) { return k == NxTblEnum::ALL || k == NxTblEnum::ALLCELLS; }
}  // namespace

bool NxCellRange::inRowRange2(int row) const { return isWild(start_row) || inRowRange(row); }
bool NxCellRange::inColumnRange2(int col) const { return isWild(start_column) || inColumnRange(col); }

bool NxCellRange::intersects(const NxCellRange& o) const { return intersection(o).has_value(); }

bool NxCellRange::overlaps(const NxCellRange& o) const {
    bool rows = isWild(start_row) || isWild(o.start_row) ||
                (minRow() <= o.maxRow() && o.minRow() <= maxRow());
    bool cols = isWild(start_column) || isWild(o.start_column) ||
                (minColumn() <= o.maxColumn() && o.minColumn() <= maxColumn());
    return rows && cols;
}

std::optional<NxCellRange> NxCellRange::intersection(const NxCellRange& o) const {
    NxCellRange r(std::max(minRow(), o.minRow()), std::max(minColumn(), o.minColumn()),
                  std::min(maxRow(), o.maxRow()), std::min(maxColumn(), o.maxColumn()));
    if (r.start_row > r.end_row || r.start_column > r.end_column) return std::nullopt;
    return r;
}

std::string NxCellRange::toString() const {
    return "(" + std::to_string(start_row) + "," + std::to_string(start_column) + ")-(" + std::to_string(end_row) +
           "," + std::to_string(end_column) + ")";
}

}  // namespace norvex::table
