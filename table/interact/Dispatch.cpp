// The action table: which action a press, drag, release or key starts; and sorting by a
// click on a column label.
#include "host/graphics/FontEngine.h"
#include "table/NxTable.h"
#include "table/interact/Actions.h"
#include "table/view/TableView.h"
#include "util/Nxqsort.h"

namespace norvex::table {

using E = NxTblEnum;
using host::Event;

std::optional<NxCellPosition> Actions::eventToCell(Table& t, const Event& e) {
    TableView* view = TableView::of(t);
    if (!view) return std::nullopt;
    const int row = view->YtoRow(e.y), col = view->XtoColumn(e.x);
    if (row == E::NOVALUE || col == E::NOVALUE) return std::nullopt;
    return NxCellPosition{row, col};
}

bool Actions::sortAction(Table& t, Event& e) {
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

void redrawEditor(NxTable& t) { t.setProperty(t.getEditRow(), t.getEditColumn(), PropertyEnum::DRAW_CELL); }

// The top-left of the open editor in table pixels, or nullopt when its cell is not shown.
std::optional<host::Point> editorOrigin(NxTable& t) {
    const int row = t.getEditRow(), col = t.getEditColumn();
    Clip* c = TableView::of(t)->find(row, col);
    if (!c) return std::nullopt;
    return host::Point{c->getX() + int(c->columnX(col)) + 2, c->getY() + int(c->rowY(row)) + 2};
}

// A press, drag or release for the editor, in its own pixels; false when it is elsewhere.
bool toEditor(NxTable& t, Event& e, bool must_hit) {
    host::TextComponent* ed = t.getTextComponent();
    auto o = ed ? editorOrigin(t) : std::nullopt;
    if (!o) return false;
    Event local = e;
    local.translate(-o->x, -o->y);
    if (must_hit && !ed->contains(local.x, local.y)) return false;
    ed->handleEvent(local);
    redrawEditor(t);
    return true;
}

bool isTyping(const Event& e) {
    if (e.id != Event::KEY_PRESS || e.controlDown() || e.key == Event::ESCAPE) return false;
    return e.key >= 32 || e.key == Event::BACK_SPACE;  // printable, Delete (127) or Backspace
}

bool handleKey(NxTable& t, Event& e) {
    const bool has_current = t.getEditRow() != E::NOVALUE;
    const bool list = t.getMode() == E::MODE_LIST;
    host::TextComponent* ed = t.getTextComponent();
    const bool action = e.id == Event::KEY_ACTION;
    if (!action && e.key == Event::ESCAPE) {
        Actions::resize(t, &e, "CANCEL");
        Actions::select(t, &e, "CANCEL");
        if (ed) Actions::cancel(t, false);
        return true;
    }
    if (ed && !(!action && e.key == Event::TAB) && !(action && (e.key == Event::PGUP || e.key == Event::PGDN))) {
        if (ed->handleEvent(e)) {
            redrawEditor(t);
            return true;
        }
        if (!action && e.key == Event::ENTER) {
            Actions::commit(t, true);
            return true;
        }
        // Only Up and Down leave a single-line editor.
        const bool single = dynamic_cast<host::TextField*>(ed) != nullptr;
        if (!(action && single && (e.key == Event::UP || e.key == Event::DOWN))) return true;
    } else if (!ed && has_current && isTyping(e)) {
        // The first key opens the editor: a character replaces the text, Delete and
        // Backspace clear it.
        std::string first;
        if (e.key >= 32 && e.key != Event::DELETE) host::appendUtf8(first, char32_t(e.key));
        if (Actions::openEditor(t, first)) return true;
    }
    std::string move;
    if (action) {
        switch (e.key) {
        case Event::PGDN:
            return TableView::of(t) && TableView::of(t)->scrollAction("PAGEDOWN");
        case Event::PGUP:
            return TableView::of(t) && TableView::of(t)->scrollAction("PAGEUP");
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
    } else if (e.key == Event::TAB) {
        if (!has_current) return false;
        move = e.shiftDown() ? "LEFT" : "RIGHT";
    } else {
        return false;
    }
    const bool moved = Actions::traverse(t, &e, move);
    if (moved && t.getSelectionPolicy() != E::SELECT_NONE) Actions::select(t, &e, "CURRENT");
    return moved || has_current;
}

}  // namespace

bool Actions::handle(NxTable& t, Event& e) {
    // Focus and other events pass untouched (they read no state of the table).
    if (e.id != Event::MOUSE_DOWN && e.id != Event::MOUSE_DRAG && e.id != Event::MOUSE_UP &&
        e.id != Event::MOUSE_MOVE && e.id != Event::KEY_PRESS && e.id != Event::KEY_ACTION)
        return false;
    if (!t.getRepaint()) return false;
    const int policy = t.selection_policy;
    const bool ranges = policy == E::SELECT_RANGE || policy == E::SELECT_MULTIRANGE;
    const bool resizing = t.resize_row != E::NOVALUE || t.resize_column != E::NOVALUE;
    switch (e.id) {
    case Event::MOUSE_DOWN: {
        if (!t.isFocusOwner() && t.isShowing()) t.requestFocus();
        if (e.shiftDown()) {
            if (ranges) select(t, &e, "EXTEND");
            return true;
        }
        if (e.controlDown()) {
            if (policy == E::SELECT_MULTIRANGE) select(t, &e, "ADD");
            return true;
        }
        if (t.allow_cell_resize != E::RESIZE_NONE && resize(t, &e, "START")) return true;
        // A press in the open editor places its caret.
        t.editor_drag = toEditor(t, e, true);
        if (t.editor_drag) return true;
        const bool sorted = sortAction(t, e);
        if (!sorted) {
            const bool moved = traverse(t, &e, "POINTER");
            auto p = eventToCell(t, e);
            // A press on the current cell with its editor closed opens it.
            if (!moved && !t.getTextComponent() && p && p->row == t.edit_row && p->column == t.edit_column)
                openEditor(t);
            if (policy != E::SELECT_NONE) select(t, &e, "START");
        }
        return true;
    }
    case Event::MOUSE_DRAG:
        if (resizing) return resize(t, &e, "MOVE");
        if (t.editor_drag) return toEditor(t, e, false) || true;
        if (ranges) select(t, &e, "EXTEND");
        return true;
    case Event::MOUSE_UP:
        if (t.editor_drag) {
            t.editor_drag = false;
            return true;
        }
        if (policy != E::SELECT_NONE) select(t, &e, "END");
        if (resizing) resize(t, &e, "END");
        return true;
    case Event::MOUSE_MOVE:
        if (t.getTrackCursor()) trackCursor(t, e);
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

// The plain table's input is defined here, with the action table, so the model
// folder needs nothing of the interaction folder.
bool Table::handleEvent(Event& e) { return Actions::handleReduced(*this, e) || host::Panel::handleEvent(e); }

bool Actions::handleReduced(Table& t, Event& e) {
    // Without a view the table shows nothing to press on.
    if (!t.getRepaint() || !TableView::of(t)) return false;
    const bool resizing = t.resize_row != E::NOVALUE || t.resize_column != E::NOVALUE;
    switch (e.id) {
    case Event::MOUSE_DOWN:
        if (t.allow_cell_resize != E::RESIZE_NONE && resize(t, &e, "START")) return true;
        return sortAction(t, e);
    case Event::MOUSE_DRAG: return resizing && resize(t, &e, "MOVE");
    case Event::MOUSE_UP: return resizing && resize(t, &e, "END");
    case Event::MOUSE_MOVE:
        if (t.getTrackCursor()) trackCursor(t, e);
        return true;
    case Event::KEY_PRESS:
        if (e.key != Event::ESCAPE || !resizing) return false;
        return resize(t, &e, "CANCEL");
    case Event::KEY_ACTION:
        if (e.key != Event::PGDN && e.key != Event::PGUP) return false;
        return TableView::of(t) && TableView::of(t)->scrollAction(e.key == Event::PGDN ? "PAGEDOWN" : "PAGEUP");
    default: return false;
    }
}

}  // namespace norvex::table
