// The change dispatcher (Property): turns change flags into the deferred or immediate
// work of a property change.
#include <algorithm>
#include <iostream>

#include "table/model/Table.h"
#include "table/model/TableOps.h"

namespace norvex::table {

using P = PropertyEnum;

void Property::validateRes(Table& t) {
    if (t.frozen_rows > 0 && t.frozen_rows >= t.rows) {
        std::cout << "Too many frozen rows: " << t.frozen_rows << std::endl;
        t.frozen_rows = std::max(0, t.rows - 1);
    }
    if (t.frozen_columns > 0 && t.frozen_columns >= t.columns) {
        std::cout << "Too many frozen columns: " << t.frozen_columns << std::endl;
        t.frozen_columns = std::max(0, t.columns - 1);
    }
    t.top_row = std::clamp(t.top_row, 0, std::max(0, t.rows - 1));
    t.left_column = std::clamp(t.left_column, 0, std::max(0, t.columns - 1));
}

void Property::set(Table& t, int flags) { set(t, flags, NxTblEnum::NOVALUE, NxTblEnum::NOVALUE); }

void Property::set(Table& t, int flags, int row, int column) {
    // Nothing is measured before the table is displayed; the first display does it all.
    if (!t.hasPeer()) return;
    if ((flags & P::RESET) && t.repaint_on) {
        if (t.needs_repaint) flags |= P::REDISPLAY;
        if (t.needs_recalc) flags |= P::RELAYOUT;
        t.needs_repaint = t.needs_recalc = false;
    }
    validateRes(t);
    if (flags & P::DRAW_CELL) {
        if (!t.repaint_on) t.needs_repaint = true;
        if (flags == P::DRAW_CELL) {
            if (t.repaint_on && t.view_hooks) t.view_hooks->changed(flags, row, column);
            return;
        }
    }
    if (!t.span_list.empty()) Span::copy(t);
    if (!t.repaint_on) {
        constexpr int measuring = P::RESIZE | P::VISIBLE_ROWS | P::VISIBLE_COLUMNS | P::ROWS | P::COLUMNS |
                                  P::ROW_HEIGHTS | P::COLUMN_WIDTHS | P::FONT | P::MARGINS | P::CELL_HEIGHT |
                                  P::CELL_WIDTH | P::RELAYOUT;
        if (flags & measuring) t.needs_recalc = true;
        if (flags & (P::REDISPLAY | measuring)) t.needs_repaint = true;
        return;
    }
    if (t.view_hooks) t.view_hooks->changed(flags, row, column);
}

void Property::setCellValue(Table& t, int row, int column, const host::Value& value) {
    if (t.isCell(row, column))
        SetValue::cell(t, row, column, value, false);
    else if (t.isLabel(row, column))
        SetValue::label(t, row, column, value);
}

}  // namespace norvex::table
