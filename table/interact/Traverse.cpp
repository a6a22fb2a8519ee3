// Moving the current cell by keys and by the pointer.
#include <cstdint>

#include "table/NxTable.h"
#include "table/interact/Actions.h"
#include "table/view/TableView.h"

namespace norvex::table {

using E = NxTblEnum;

bool Actions::isTraversableCell(NxTable& t, int row, int column) {
    return row >= 0 && column >= 0 && row < t.rows && column < t.columns && t.getTraversable(row, column);
}

std::optional<NxCellPosition> Actions::findTraversableCell(NxTable& t, const std::string& direction, int row,
                                                           int column) {
    const int rows = t.rows, cols = t.columns;
    if (rows <= 0 || cols <= 0) return std::nullopt;
    const bool by_row = direction == "RIGHT" || direction == "LEFT";
    const bool forward = direction == "RIGHT" || direction == "DOWN";
    if (!by_row && direction != "UP" && direction != "DOWN") {
        if (isTraversableCell(t, row, column)) return NxCellPosition{row, column};
        return std::nullopt;
    }
    // A start outside the cells: the search begins just before the first cell (or after
    // the last), so the first step lands on it.
    const bool valid = row >= 0 && row < rows && column >= 0 && column < cols;
    const int64_t total = int64_t(rows) * cols;
    // Cells numbered in the order of the walk: row-major for RIGHT/LEFT, column-major else.
    auto index = [&](int r, int c) { return by_row ? int64_t(r) * cols + c : int64_t(c) * rows + r; };
    auto cell = [&](int64_t i) {
        return by_row ? NxCellPosition{int(i / cols), int(i % cols)} : NxCellPosition{int(i % rows), int(i / rows)};
    };
    const int64_t start = valid ? index(row, column) : (forward ? total - 1 : 0);
    NxCellRange span;
    const bool in_span = valid && t.findSpan(row, column, &span, nullptr);
    int64_t i = start;
    for (int64_t step = 0; step < total; ++step) {
        i = forward ? (i + 1) % total : (i + total - 1) % total;
        if (i == start) break;
        const NxCellPosition p = cell(i);
        if (in_span && span.inside(p.row, p.column)) continue;
        if (isTraversableCell(t, p.row, p.column)) return p;
    }
    // Back at the start (an invalid start was itself a candidate of the walk).
    const NxCellPosition s = cell(start);
    if (isTraversableCell(t, s.row, s.column) && (valid || !in_span)) return s;
    return std::nullopt;
}

bool Actions::moveCurrent(NxTable& t, int row, int column, bool select, host::Event* e, const std::string& param) {
    NxCellRange span;
    if (t.findSpan(row, column, &span, nullptr)) row = span.minRow(), column = span.minColumn();
    // An open editor is committed first; a refused value keeps it where it is.
    if (!commit(t, true)) return false;
    NxTraverseCellEvent te(&t, t.edit_row, t.edit_column, row, column, host::Value(param));
    for (auto* l : t.traverse_cell_listeners.snapshot()) l->traverseCell(te);
    row = te.next_row, column = te.next_column;
    if (row < 0 || column < 0 || row >= t.rows || column >= t.columns) return false;
    if (t.findSpan(row, column, &span, nullptr)) row = span.minRow(), column = span.minColumn();
    t.makeVisible(row, column);
    NxEnterCellEvent begin(&t, row, column, host::Value(param));
    for (auto* l : t.enter_cell_listeners.snapshot()) l->enterCellBegin(begin);
    const int old_row = t.edit_row, old_col = t.edit_column;
    t.edit_row = row, t.edit_column = column;
    // Erase the old outline and draw the new one.
    if (old_row >= 0 && old_col >= 0 && old_row < t.rows && old_col < t.columns)
        t.setProperty(old_row, old_col, PropertyEnum::DRAW_CELL);
    // An editable cell gets the editor, which draws itself; others the outline.
    if (!openEditor(t)) t.setProperty(row, column, PropertyEnum::DRAW_CELL);
    NxEnterCellEvent end(&t, row, column, host::Value(param));
    for (auto* l : t.enter_cell_listeners.snapshot()) l->enterCellEnd(end);
    if (select) Actions::select(t, e, "CURRENT");
    return true;
}

bool Actions::traverse(NxTable& t, host::Event* e, const std::string& param) {
    if (!t.isTraversable()) return false;
    std::optional<NxCellPosition> target;
    if (param == "POINTER") {
        if (!e) return false;
        auto p = eventToCell(t, *e);
        if (!p || !isTraversableCell(t, p->row, p->column)) return false;
        target = p;
    } else if (param == "HOME" || param == "END") {
        const int row = t.edit_row >= 0 && t.edit_row < t.rows ? t.edit_row : 0;
        const bool home = param == "HOME";
        for (int k = 0; k < t.columns && !target; ++k) {
            const int c = home ? k : t.columns - 1 - k;
            if (isTraversableCell(t, row, c)) target = NxCellPosition{row, c};
        }
    } else {
        target = findTraversableCell(t, param, t.edit_row, t.edit_column);
    }
    if (!target) return false;
    if (target->row == t.edit_row && target->column == t.edit_column) return false;
    return moveCurrent(t, target->row, target->column, false, e, param);
}

}  // namespace norvex::table
