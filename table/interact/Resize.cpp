// Resizing rows and columns by dragging a border, with a guide line that follows the
// pointer, and the pointer shapes over borders and cells.
#include <algorithm>
#include <cstdlib>

#include "table/NxTable.h"
#include "table/interact/Actions.h"
#include "table/view/TableView.h"

namespace norvex::table {

using E = NxTblEnum;

namespace {

struct Border {
    int index = E::NOVALUE;  // the row or column left of / above the border
    int origin = 0;          // its top or left edge in table pixels
    int size = 0;            // its present height or width
};

// The area under a table pixel, or null.
Clip* clipAt(Table& t, int x, int y) {
    TableView* view = TableView::of(t);
    for (int type = 0; type < Clip::NUM_TYPE; ++type) {
        Clip* c = view->clip(type);
        if (c && c->isVisible() && c->getBounds().contains(x, y)) return c;
    }
    return nullptr;
}

Border findBorder(Table& t, int x, int y, bool vertical) {
    Clip* c = clipAt(t, x, y);
    if (!c) return {};
    const int lx = x - c->getX(), ly = y - c->getY();
    const int along = vertical ? ly : lx;
    const int k = vertical ? c->rowAt(ly) : c->columnAt(lx);
    auto start = [&](int i) { return vertical ? c->rowY(i) : c->columnX(i); };
    auto size = [&](int i) { return vertical ? c->rowHeight(i) : c->columnWidth(i); };
    auto inRange = [&](int i) { return vertical ? c->IN_ROWRANGE(i) : c->IN_COLUMNRANGE(i); };
    int found = E::NOVALUE;
    if (k >= 0 && std::abs(along - (start(k) + size(k))) <= Actions::DELTA)
        found = k;
    else if (k > 0 && inRange(k - 1) && std::abs(along - start(k)) <= Actions::DELTA)
        found = k - 1;
    if (found == E::NOVALUE) return {};
    // A border inside a span is no border.
    const int other = vertical ? c->columnAt(lx) : c->rowAt(ly);
    NxCellRange span;
    if (other >= 0 &&
        (vertical ? t.findSpan(found, other, &span, nullptr) && span.inside(found + 1, other)
                  : t.findSpan(other, found, &span, nullptr) && span.inside(other, found + 1)))
        return {};
    const int base = vertical ? c->getY() : c->getX();
    return {found, int(std::clamp<int64_t>(base + start(found), -E::MAXDIMENSION, E::MAXDIMENSION)), size(found)};
}

bool allows(const Table& t, bool vertical) {
    const int a = t.getAllowCellResize();
    return a == E::RESIZE_ALL || (a & (vertical ? E::RESIZE_ROW : E::RESIZE_COLUMN)) != 0;
}

// The guide line, drawn by inversion so that drawing it again erases it.
void guide(Table& t, int pos, bool vertical) {
    if (pos < 0) return;
    auto g = t.getGraphics();
    if (!g) return;
    g->setColor(host::Color::black);
    g->setXORMode(host::Color::white);
    if (vertical)
        g->drawLine(0, pos, t.getWidth() - 1, pos);
    else
        g->drawLine(pos, 0, pos, t.getHeight() - 1);
    g->setPaintMode();
}

}  // namespace

int Actions::resizeTarget(Table& t, int x, int y, bool vertical) { return findBorder(t, x, y, vertical).index; }

bool Actions::resize(Table& t, host::Event* e, const std::string& param) {
    const bool active = t.resize_row != E::NOVALUE || t.resize_column != E::NOVALUE;
    const bool vertical = t.resize_row != E::NOVALUE;
    if (param == "START") {
        if (active || !e) return false;
        Border b;
        bool rows = false;
        if (allows(t, false)) b = findBorder(t, e->x, e->y, false);
        if (b.index == E::NOVALUE && allows(t, true)) b = findBorder(t, e->x, e->y, true), rows = true;
        if (b.index == E::NOVALUE) return false;
        const int row = rows ? b.index : E::NOVALUE, col = rows ? E::NOVALUE : b.index;
        NxResizeCellEvent ev(&t, row, col, host::Value(param), rows ? b.size : 0, rows ? 0 : b.size);
        for (auto* l : t.resize_cell_listeners.snapshot()) {
            l->resizeCellBegin(ev);
            if (!ev.doit) return false;
        }
        t.resize_row = row, t.resize_column = col, t.resize_origin = b.origin;
        t.resize_line = std::max(b.origin + MINSIZE, rows ? e->y : e->x);
        t.setCursor(rows ? VERT_CURSOR : HORIZ_CURSOR);
        guide(t, t.resize_line, rows);
        return true;
    }
    if (!active) return false;
    if (param == "MOVE") {
        if (!e) return true;
        const int pos = std::max(t.resize_origin + MINSIZE, vertical ? e->y : e->x);
        if (pos != t.resize_line) {
            guide(t, t.resize_line, vertical);
            t.resize_line = pos;
            guide(t, pos, vertical);
        }
        return true;
    }
    guide(t, t.resize_line, vertical);
    const int row = t.resize_row, col = t.resize_column;
    const int pointer = e ? (vertical ? e->y : e->x) : t.resize_line;
    t.resize_row = t.resize_column = E::NOVALUE, t.resize_line = -1;
    t.setCursor(host::Cursor::DEFAULT_CURSOR);
    if (param != "END") return true;  // "CANCEL": nothing changes
    const int size = std::max(MINSIZE, pointer - t.resize_origin);
    NxResizeCellEvent ev(&t, row, col, host::Value(param), vertical ? t.getRowHeights().getValue(row) : 0,
                         vertical ? 0 : t.getColumnWidths().getValue(col));
    if (vertical)
        ev.new_row_height = size;
    else
        ev.new_column_width = size;
    for (auto* l : t.resize_cell_listeners.snapshot()) {
        l->resizeCellEnd(ev);
        if (!ev.doit) return true;
    }
    if (vertical)
        t.setPixelHeight(row, std::max(0, ev.new_row_height));
    else
        t.setPixelWidth(col, std::max(0, ev.new_column_width));
    return true;
}

void Actions::trackCursor(Table& t, const host::Event& e) {
    if (e.x == t.cursor_x && e.y == t.cursor_y) return;
    t.cursor_x = e.x, t.cursor_y = e.y;
    if (t.resize_row != E::NOVALUE || t.resize_column != E::NOVALUE) return;
    const bool col = allows(t, false) && findBorder(t, e.x, e.y, false).index != E::NOVALUE;
    const bool row = allows(t, true) && findBorder(t, e.x, e.y, true).index != E::NOVALUE;
    int shape;
    if (col && row)
        shape = CORNER_CURSOR;
    else if (col)
        shape = HORIZ_CURSOR;
    else if (row)
        shape = VERT_CURSOR;
    else {
        // Only the full table traverses cells.
        auto p = eventToCell(t, e);
        auto* nx = dynamic_cast<NxTable*>(&t);
        shape = p && nx && isTraversableCell(*nx, p->row, p->column) ? TRAV_CURSOR : NONTRAV_CURSOR;
    }
    t.setCursor(shape);
}

}  // namespace norvex::table
