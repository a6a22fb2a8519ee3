// Spans (Span): ranges drawn as one cell, anchored at their top-left cell.
#include <algorithm>
#include <iostream>

#include "table/model/Table.h"
#include "table/model/TableOps.h"

namespace norvex::table {

int Span::find(const Table& t, int row, int col, NxCellPosition* pos) {
    for (size_t i = 0; i < t.span_list_orig.size(); ++i) {
        const NxCellRange& r = t.span_list_orig[i];
        if (r.inside(row, col)) {
            if (pos) *pos = NxCellPosition{r.start_row, r.start_column};
            return int(i);
        }
    }
    return NxTblEnum::NOTFOUND;
}

bool Span::isSpanned(const Table& t, int row, int col) {
    NxCellPosition anchor;
    return find(t, row, col, &anchor) != NxTblEnum::NOTFOUND && !(anchor.row == row && anchor.column == col);
}

void Span::copy(Table& t) {
    t.span_list_orig.clear();
    for (const NxCellRange& s : t.span_list) {
        NxCellRange r(s.minRow(), s.minColumn(), s.maxRow(), s.maxColumn());
        if (r.start_row < 0 || r.start_column < 0) {
            std::cerr << "spanlist.invalidValue: Invalid Range " << s.toString() << "\n";
            continue;
        }
        if (r.start_row >= t.rows || r.start_column >= t.columns) continue;
        r.end_row = std::min(r.end_row, t.rows - 1);
        r.end_column = std::min(r.end_column, t.columns - 1);
        t.span_list_orig.push_back(r);
    }
}

host::Dimension Span::size(const Table& t, const NxCellRange& r) {
    auto extent = [](const Chain& c, int a, int b) {
        return int(std::clamp<int64_t>(c.getPosition(b + 1) - c.getPosition(a), 0, NxTblEnum::MAXINT));
    };
    return host::Dimension{extent(t.column_widths, r.minColumn(), r.maxColumn()),
                           extent(t.row_heights, r.minRow(), r.maxRow())};
}

}  // namespace norvex::table
