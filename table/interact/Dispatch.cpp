// The action table: which action a press, drag, release or key starts; and sorting by a
// click on a column label.
#include "table/NxTable.h"
#include "table/interact/Actions.h"
#include "table/view/TableView.h"
#include "util/Nxqsort.h"

namespace norvex::table {

using E = NxTblEnum;
using host::Event;

std::optional<NxCellPosition> Actions::eventToCell(NxTable& t, const Event& e) {
    const int row = t.YtoRow(e.y), col = t.XtoColumn(e.x);
    if (row == E::NOVALUE || col == E::NOVALUE) return std::nullopt;
    return NxCellPosition{row, col};
}

bool Actions::sortAction(NxTable& t, Event& e) {
    if (!t.getColumnLabelSort()) return false;
    auto p = eventToCell(t, e);
    if (!p || p->row != E::LABEL || p->column < 0 || p->column >= t.columns) return false;
    const int dir = p->column == t.sort_column && t.sort_direction == util::Nxqsort::ASCENDING
                        ? util::Nxqsort::DESCENDING
                        : util::Nxqsort::ASCENDING;
    const int old = t.sort_column;
    // The label shows the direction from the repaint the sort does.
    t.sort_column = p->column, t.sort_direction = dir;
    if (old >= 0 && old < t.columns && old != p->column) t.setProperty(E::LABEL, old, PropertyEnum::DRAW_CELL);
    t.sortByColumn(p->column, dir);
    return true;
}

namespace {

bool handleKey(NxTable& t, Event& e) {
    const bool has_current = t.getEditRow() != E::NOVALUE;
    const bool list = t.getMode() == E::MODE_LIST;
    std::string move;
    switch (e.key) {
    case Event::PGDN:
        return TableView::of(t) && TableView::of(t)->scrollAction("PAGEDOWN");
    case Event::PGUP:
        return TableView::of(t) && TableView::of(t)->scrollAction("PAGEUP");
    case Event::ESCAPE:
        Actions::select(t, &e, "CANCEL");
        return true;
    case Event::TAB:
        if (!has_current) return false;
        move = e.shiftDown() ? "LEFT" : "RIGHT";
        break;
    case Event::LEFT: move = "LEFT"; break;
    case Event::RIGHT: move = "RIGHT"; break;
    case Event::HOME: move = "HOME"; break;
    case Event::END: move = "END"; break;
    case Event::UP:
    case Event::DOWN:
        if (!has_current && list) {
            Actions::select(t, &e, e.key == Event::DOWN ? "NEXTROW" : "PREVROW");
            return true;
        }
        move = e.key == Event::DOWN ? "DOWN" : "UP";
        break;
    default: return false;
    }
    const bool moved = Actions::traverse(t, &e, move);
    if (moved && t.getSelectionPolicy() != E::SELECT_NONE) Actions::select(t, &e, "CURRENT");
    return moved || has_current;
}

}  // namespace

bool Actions::handle(NxTable& t, Event& e) {
    if (!t.getRepaint()) return false;
    const int policy = t.selection_policy;
    const bool ranges = policy == E::SELECT_RANGE || policy == E::SELECT_MULTIRANGE;
    switch (e.id) {
    case Event::MOUSE_DOWN: {
        if (e.shiftDown()) {
            if (ranges) select(t, &e, "EXTEND");
            return true;
        }
        if (e.controlDown()) {
            if (policy == E::SELECT_MULTIRANGE) select(t, &e, "ADD");
            return true;
        }
        const bool sorted = sortAction(t, e);
        if (!sorted) {
            traverse(t, &e, "POINTER");
            if (policy != E::SELECT_NONE) select(t, &e, "START");
        }
        return true;
    }
    case Event::MOUSE_DRAG:
        if (ranges) select(t, &e, "EXTEND");
        return true;
    case Event::MOUSE_UP:
        if (policy != E::SELECT_NONE) select(t, &e, "END");
        return true;
    case Event::KEY_PRESS:
    case Event::KEY_ACTION: {
        // The host may deliver one key twice.
        if (e.when != 0 && e.when == t.last_key_when && e.key == t.last_key) return true;
        t.last_key_when = e.when, t.last_key = e.key;
        return handleKey(t, e);
    }
    default: return false;
    }
}

}  // namespace norvex::table
