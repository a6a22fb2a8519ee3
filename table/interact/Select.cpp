// Selection by the pointer and the keys, in every selection policy.
#include <algorithm>
#include <vector>

#include "table/NxTable.h"
#include "table/interact/Actions.h"

namespace norvex::table {

using E = NxTblEnum;

namespace {

bool isWild(int v) { return v == E::ALL || v == E::ALLCELLS; }

// The range from the anchor to a cell; a whole-row or whole-column end makes that axis whole.
NxCellRange spanning(int r0, int c0, int r1, int c1) {
    const int sr = isWild(r0) || isWild(r1) ? E::ALLCELLS : r0, er = isWild(r0) || isWild(r1) ? E::ALLCELLS : r1;
    const int sc = isWild(c0) || isWild(c1) ? E::ALLCELLS : c0, ec = isWild(c0) || isWild(c1) ? E::ALLCELLS : c1;
    return {sr, sc, er, ec};
}

}  // namespace

void Actions::select(NxTable& t, host::Event* e, const std::string& param) {
    const int policy = t.selection_policy;
    if (!t.getRepaint() || policy == E::SELECT_NONE) return;
    if (!t.allow_select) {
        // A disallowed press: nothing of this drag selects.
        t.allow_select = true;
        t.select_last_row = DISALLOWED;
        return;
    }
    if (t.select_last_row == DISALLOWED && (param == "EXTEND" || param == "END")) {
        if (param == "END") t.select_last_row = E::NOVALUE;
        return;
    }
    if (param == "CANCEL") {
        t.select_start_row = t.select_start_column = t.select_last_row = t.select_last_column = E::NOVALUE;
        if (!t.selected_cells.empty()) t.clearSelectedCells();
        return;
    }
    if (param == "END") {
        if (t.select_last_row == E::NOVALUE) return;
        NxSelectEvent ev(&t, e, t.select_last_row, t.select_last_column, NxSelectEvent::EXTEND,
                         NxSelectEvent::SELECTED, host::Value(param));
        t.select_last_row = t.select_last_column = E::NOVALUE;
        for (auto* l : t.select_listeners.snapshot()) l->selectEnd(ev);
        return;
    }

    // The cell concerned.
    int row = E::NOVALUE, col = E::NOVALUE;
    const bool list = t.mode == E::MODE_LIST;
    const bool keyed = param == "CURRENT" || param == "NEXTROW" || param == "PREVROW";
    if (param == "CURRENT") {
        row = t.edit_row, col = t.edit_column;
    } else if (param == "NEXTROW" || param == "PREVROW") {
        if (!list) return;
        int lo = E::NOVALUE, hi = E::NOVALUE;
        for (const NxCellRange& r : t.selected_cells) {
            if (r.minRow() < 0) continue;
            lo = lo == E::NOVALUE ? r.minRow() : std::min(lo, r.minRow());
            hi = hi == E::NOVALUE ? r.maxRow() : std::max(hi, r.maxRow());
        }
        row = param == "NEXTROW" ? (hi == E::NOVALUE ? 0 : hi + 1) : (lo == E::NOVALUE ? t.rows - 1 : lo - 1);
        col = E::ALLCELLS;
    } else if (e) {
        auto p = eventToCell(t, *e);
        if (!p) return;
        row = p->row, col = p->column;
        if (row == E::LABEL && col == E::LABEL) return;
        // A label stands for its whole row or column.
        if (row == E::LABEL) row = E::ALLCELLS;
        if (col == E::LABEL) col = E::ALLCELLS;
    }
    if (row == E::NOVALUE || col == E::NOVALUE) return;
    if ((row >= 0 && row >= t.rows) || (col >= 0 && col >= t.columns) || (row < 0 && !isWild(row)) ||
        (col < 0 && !isWild(col)))
        return;
    if (list) col = E::ALLCELLS;

    std::string action = param;
    if (keyed) {
        const bool extend = param == "CURRENT" && e && e->shiftDown() && policy != E::SELECT_SINGLE &&
                            t.select_start_row != E::NOVALUE;
        action = extend ? "EXTEND" : "START";
    }
    if (action == "ADD" && policy != E::SELECT_MULTIRANGE) action = "START";
    if (action == "EXTEND" && (policy == E::SELECT_SINGLE || t.select_start_row == E::NOVALUE)) action = "START";

    NxSelectEvent ev(&t, e, row, col, action == "EXTEND" ? NxSelectEvent::EXTEND : NxSelectEvent::INITIAL,
                     NxSelectEvent::SELECTED, host::Value(param));
    for (auto* l : t.select_listeners.snapshot()) {
        l->selectBegin(ev);
        if (!ev.doit) return;
    }
    row = ev.row, col = ev.column;

    std::vector<NxCellRange> ranges = t.selected_cells;
    if (action == "EXTEND") {
        const NxCellRange r = spanning(t.select_start_row, t.select_start_column, row, col);
        if (ranges.empty())
            ranges.push_back(r);
        else
            ranges.back() = r;
    } else {
        t.select_start_row = row, t.select_start_column = col;
        if (action == "START") ranges.clear();
        ranges.emplace_back(row, col, row, col);
    }
    t.select_last_row = row, t.select_last_column = col;
    if (ranges != t.selected_cells) t.setSelectedCells(std::move(ranges));
    // A key selects in one step: the selection ends at once.
    if (keyed) select(t, e, "END");
}

}  // namespace norvex::table
