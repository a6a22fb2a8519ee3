#include "table/view/Clip.h"

#include <algorithm>

#include "host/graphics/Graphics.h"
#include "ombu/OmbuUtil.h"
#include "ombu/widgets/TreeLock.h"
#include "table/model/Table.h"
#include "table/view/Draw.h"
#include "table/view/Size.h"

namespace norvex::table {

using host::Rectangle;
using E = NxTblEnum;

Clip::Clip(Table& t, int ty) : table(&t), type(ty), orientation(orientationOf(ty)) {
    setName("clip" + std::to_string(ty));
}

int Clip::orientationOf(int type) {
    switch (type) {
        case CELL: return HORIZONTAL | VERTICAL;
        case FROZENCOLUMN:
        case ROWLABEL: return VERTICAL;
        case FROZENROW:
        case COLUMNLABEL: return HORIZONTAL;
        default: return NONE;
    }
}

bool Clip::get_range(const Table& t, int type, NxCellRange* out) {
    const int R = t.rows, C = t.columns, FR = t.frozen_rows, FC = t.frozen_columns;
    const bool row_labels = Size::rowLabelWidth(t) > 0, column_labels = Size::columnLabelHeight(t) > 0;
    NxCellRange r;
    switch (type) {
        case CELL: r = {FR, FC, R - 1, C - 1}; break;
        case FIXEDCELL: r = {0, 0, FR - 1, FC - 1}; break;
        case FROZENCOLUMN: r = {FR, 0, R - 1, FC - 1}; break;
        case FROZENROW: r = {0, FC, FR - 1, C - 1}; break;
        case ROWLABEL: r = {FR, E::LABEL, R - 1, E::LABEL}; break;
        case COLUMNLABEL: r = {E::LABEL, FC, E::LABEL, C - 1}; break;
        case FROZENROWLABEL: r = {0, E::LABEL, FR - 1, E::LABEL}; break;
        case FROZENCOLUMNLABEL: r = {E::LABEL, 0, E::LABEL, FC - 1}; break;
        default: return false;
    }
    if (r.end_row < r.start_row || r.end_column < r.start_column) return false;
    if (r.start_column == E::LABEL && !row_labels) return false;
    if (r.start_row == E::LABEL && !column_labels) return false;
    if (out) *out = r;
    return true;
}

int64_t Clip::xOffset() const {
    host::Lock guard(mutex());
    return horiz_origin;
}

int64_t Clip::yOffset() const {
    host::Lock guard(mutex());
    return vert_origin;
}

void Clip::setOffsets(int64_t x, int64_t y) {
    host::Lock guard(mutex());
    horiz_origin = isHorizontal() ? x : 0;
    vert_origin = isVertical() ? y : 0;
}

int64_t Clip::rowY(int row) const {
    if (row == E::LABEL) return 0;
    const Chain& c = table->row_heights;
    return c.getPosition(row) - c.getPosition(range.minRow()) - vert_origin;
}

int64_t Clip::columnX(int col) const {
    if (col == E::LABEL) return 0;
    const Chain& c = table->column_widths;
    return c.getPosition(col) - c.getPosition(range.minColumn()) - horiz_origin;
}

int Clip::rowHeight(int row) const {
    return row == E::LABEL ? Size::columnLabelHeight(*table) : std::max(0, table->row_heights.getValue(row));
}

int Clip::columnWidth(int col) const {
    return col == E::LABEL ? Size::rowLabelWidth(*table) : std::max(0, table->column_widths.getValue(col));
}

int Clip::rowAt(int y) const {
    if (range.minRow() == E::LABEL) return E::LABEL;
    const Chain& c = table->row_heights;
    const int64_t pixel = c.getPosition(range.minRow()) + vert_origin + std::max(0, y);
    int idx = c.indexAt(pixel);
    if (idx < 0) idx = pixel < 0 ? range.minRow() : range.maxRow();
    return std::clamp(idx, range.minRow(), range.maxRow());
}

int Clip::columnAt(int x) const {
    if (range.minColumn() == E::LABEL) return E::LABEL;
    const Chain& c = table->column_widths;
    const int64_t pixel = c.getPosition(range.minColumn()) + horiz_origin + std::max(0, x);
    int idx = c.indexAt(pixel);
    if (idx < 0) idx = pixel < 0 ? range.minColumn() : range.maxColumn();
    return std::clamp(idx, range.minColumn(), range.maxColumn());
}

bool Clip::visibleRange(const Rectangle& r, NxCellRange* out) const {
    if (r.width <= 0 || r.height <= 0) return false;
    *out = NxCellRange(rowAt(r.y), columnAt(r.x), rowAt(r.y + r.height - 1), columnAt(r.x + r.width - 1));
    return true;
}

void Clip::scroll(int64_t value, bool horizontal) {
    // The tree, the table, then the area: painting may place component cells.
    ombu::TreeLock table_guard(*table);
    host::Lock guard(mutex());
    if (!hasOrientation(horizontal ? HORIZONTAL : VERTICAL)) return;
    int64_t& origin = horizontal ? horiz_origin : vert_origin;
    if (origin == value) return;
    const int64_t delta = value - origin;
    origin = value;
    const int w = getWidth(), h = getHeight();
    const int extent = horizontal ? w : h;
    if (!isShowing() || w <= 0 || h <= 0) return;
    if (delta >= extent || -delta >= extent) {
        repaintNow();
        return;
    }
    const int d = int(delta);
    auto g = getGraphics();
    if (!g) return;
    if (horizontal) {
        if (d > 0) {
            g->copyArea(d, 0, w - d, h, -d, 0);
            repaintNow({w - d, 0, d, h});
        } else {
            g->copyArea(0, 0, w + d, h, -d, 0);
            repaintNow({0, 0, -d, h});
        }
    } else {
        if (d > 0) {
            g->copyArea(0, d, w, h - d, 0, -d);
            repaintNow({0, h - d, w, d});
        } else {
            g->copyArea(0, 0, w, h + d, 0, -d);
            repaintNow({0, 0, w, -d});
        }
    }
}

void Clip::repaintNow(const Rectangle& r) {
    if (!isShowing() || r.width <= 0 || r.height <= 0) return;
    auto g = getGraphics();
    if (!g) return;
    g->clipRect(r.x, r.y, r.width, r.height);
    paint(*g);
}

void Clip::paint(host::Graphics& g) {
    ombu::TreeLock table_guard(*table);
    host::Lock guard(mutex());
    const int w = getWidth(), h = getHeight();
    if (w <= 0 || h <= 0) return;
    Rectangle expose{0, 0, w, h};
    if (auto c = g.getClipBounds()) {
        const int x1 = std::max(0, c->x), y1 = std::max(0, c->y);
        const int x2 = std::min(w, c->x + c->width), y2 = std::min(h, c->y + c->height);
        if (x2 <= x1 || y2 <= y1) return;
        expose = {x1, y1, x2 - x1, y2 - y1};
    }
    if (!table->double_buffer) {
        paintRange(g, expose);
        return;
    }
    dbl_image = ombu::OmbuUtil::createImage(this, dbl_image, w, h);
    auto ig = dbl_image ? dbl_image->getGraphics() : nullptr;
    if (!ig) {
        paintRange(g, expose);
        return;
    }
    ig->setClip(expose.x, expose.y, expose.width, expose.height);
    ig->setFont(g.getFont());
    paintRange(*ig, expose);
    ig->dispose();
    g.drawImage(dbl_image.get(), expose.x, expose.y, expose.x + expose.width, expose.y + expose.height, expose.x,
                expose.y, expose.x + expose.width, expose.y + expose.height);
}

void Clip::paintRange(host::Graphics& g, const Rectangle& expose) {
    NxCellRange cells;
    if (!visibleRange(expose, &cells)) return;
    // The cells fill their own rectangles: only the part right of the last column and
    // below the last row gets the table's background.
    g.setColor(table->host::Panel::getBackground().value_or(host::Color::white));
    const int64_t right = columnX(cells.end_column) + columnWidth(cells.end_column);
    const int64_t bottom = rowY(cells.end_row) + rowHeight(cells.end_row);
    const int ex2 = expose.x + expose.width, ey2 = expose.y + expose.height;
    if (right < ex2) {
        const int x = int(std::max<int64_t>(expose.x, right));
        g.fillRect(x, expose.y, ex2 - x, expose.height);
    }
    if (bottom < ey2) {
        const int y = int(std::max<int64_t>(expose.y, bottom));
        g.fillRect(expose.x, y, expose.width, ey2 - y);
    }
    table->draw_range = cells;
    const bool listeners = !table->paint_listeners.empty();
    NxPaintEvent e(table, expose, cells.start_row, cells.end_row, cells.start_column, cells.end_column);
    if (listeners)
        for (auto* l : table->paint_listeners.snapshot()) l->paintBegin(e);
    for (int r = cells.start_row; r <= cells.end_row; ++r)
        for (int c = cells.start_column; c <= cells.end_column; ++c) Draw::cell(g, *this, r, c);
    if (listeners)
        for (auto* l : table->paint_listeners.snapshot()) l->paintEnd(e);
}

}  // namespace norvex::table
