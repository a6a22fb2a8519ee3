#include "table/view/TableView.h"

#include <algorithm>

#include "host/graphics/Graphics.h"
#include "ombu/widgets/TreeLock.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"
#include "table/view/Draw.h"
#include "table/view/Size.h"

namespace norvex::table {

using host::Rectangle;
using E = NxTblEnum;
using P = PropertyEnum;

TableView::TableView(Table& table) : t(table) {}

TableView::~TableView() = default;

TableView* TableView::of(const Table& table) { return dynamic_cast<TableView*>(table.getViewHooks()); }

void TableView::valueChanging(int row, int column) {
    if (t.hasPeer() && t.repaint_on) VarSize::before(t, row, column);
}

namespace {
constexpr int MEASURE_ALL = P::RESET | P::FONT | P::MARGINS | P::SHADOW_THICKNESS;
constexpr int RELAYOUT = P::RESET | P::RELAYOUT | P::RESIZE | P::ROWS | P::COLUMNS | P::FROZEN_ROWS |
                         P::FROZEN_COLUMNS | P::TOP_ROW | P::LEFT_COLUMN | P::ROW_HEIGHTS | P::COLUMN_WIDTHS |
                         P::CELL_HEIGHT | P::CELL_WIDTH | P::FONT | P::MARGINS | P::SHADOW_THICKNESS |
                         P::VISIBLE_ROWS | P::VISIBLE_COLUMNS | P::COLUMN_LABEL_HEIGHT | P::ROW_LABEL_WIDTH;

bool single(int k) { return k >= E::LABEL; }
}  // namespace

void TableView::changed(int flags, int row, int col) {
    if (in_layout || !t.repaint_on) return;
    // Component cells show the new contents, and those whose cells left the view hide.
    if (flags & (P::REDISPLAY | P::RELAYOUT | P::ROWS | P::COLUMNS | P::RESET)) t.componentsMoved(true);
    struct HideLeftComponents {
        Table& t;
        ~HideLeftComponents() { t.componentsMoved(false); }
    } hide_left{t};
    int f = flags;
    const bool one_cell = single(row) && single(col);
    if ((f & P::DRAW_CELL) && one_cell) f |= VarSize::calc(t, row, col);

    const int old_rlw = t.row_label_width, old_clh = t.column_label_height;
    if (f & MEASURE_ALL) {
        Size::resetAll(t);
    } else {
        if (f & P::ROWS) {
            // Rows inserted at row: only the new ones are measured.
            if (row >= 0 && t.rows > t.old_rows) Size::getRowHeights(t, row, row + t.rows - t.old_rows - 1);
            else if (row < 0) Size::getRowHeights(t, E::ALL, E::ALL);
        }
        if (f & P::COLUMNS) {
            if (col >= 0 && t.columns > t.old_columns) Size::getColumnWidths(t, col, col + t.columns - t.old_columns - 1);
            else if (col < 0) Size::getColumnWidths(t, E::ALL, E::ALL);
        }
        if (f & P::ROW_HEIGHTS) Size::getRowHeights(t, row >= 0 ? row : E::ALL, row >= 0 ? row : E::ALL);
        if (f & P::COLUMN_WIDTHS) Size::getColumnWidths(t, col >= 0 ? col : E::ALL, col >= 0 ? col : E::ALL);
        if (f & (P::ROWS | P::COLUMNS | P::ROW_HEIGHTS | P::COLUMN_WIDTHS | P::CELL_HEIGHT | P::CELL_WIDTH |
                 P::RELAYOUT | P::DRAW_CELL)) {
            if (Size::adjustHeight(t)) f |= P::CELL_HEIGHT;
            if (Size::adjustWidth(t)) f |= P::CELL_WIDTH;
        }
        const bool label_change = (f & P::DRAW_CELL) && (row == E::LABEL || col == E::LABEL);
        if (f & (P::ROWS | P::COLUMNS | P::ROW_HEIGHTS | P::COLUMN_WIDTHS | P::CELL_HEIGHT | P::CELL_WIDTH) ||
            label_change || (f & P::RELAYOUT)) {
            t.column_label_height = Size::getColumnLabelMaxHeight(t);
            t.row_label_width = Size::getRowLabelMaxWidth(t);
        }
        Size::computeTotals(t);
    }
    const bool labels_changed = old_rlw != t.row_label_width || old_clh != t.column_label_height;
    if (f & (P::RESIZE | P::VISIBLE_ROWS | P::VISIBLE_COLUMNS | P::RESET) || labels_changed) {
        Size::compute(t, true, true);
        t.invalidate();
    }
    if ((f & RELAYOUT) || labels_changed) {
        const auto before = cells_rect;
        const int64_t v = vert_origin, h = horiz_origin;
        const bool bars = hasVertSB() || hasHorizSB();
        Layout::doLayout(t, *this);
        const bool same = before == cells_rect && v == vert_origin && h == horiz_origin &&
                          bars == (hasVertSB() || hasHorizSB()) && !labels_changed;
        if (same && (f & P::ROWS) && row >= 0 && !(f & (P::REDISPLAY | P::RESET))) {
            // A row added or deleted: only the rows from it on can change, and only
            // when they show.
            DrawRange::draw(t, row, E::LABEL, std::max(t.rows, t.old_rows) - 1, t.columns - 1);
            for (auto* sb : {hsb.get(), vsb.get()})
                if (sb && sb->isShowing())
                    if (auto g = sb->getGraphics()) sb->paint(*g);
            return;
        }
        if (same && (f & P::COLUMNS) && col >= 0 && !(f & (P::REDISPLAY | P::RESET))) {
            DrawRange::draw(t, E::LABEL, col, t.rows - 1, std::max(t.columns, t.old_columns) - 1);
            return;
        }
        repaintAll();
        return;
    }
    if (f & P::REDISPLAY) {
        repaintAll();
    } else if (f & P::DRAW_CELL) {
        const int r1 = single(row) ? row : E::LABEL, r2 = single(row) ? row : t.rows - 1;
        const int c1 = single(col) ? col : E::LABEL, c2 = single(col) ? col : t.columns - 1;
        DrawRange::draw(t, r1, c1, r2, c2);
    }
}

void TableView::layout() {
    if (t.hasPeer() && t.repaint_on) Layout::doLayout(t, *this);
}

host::Dimension TableView::preferredSize() {
    if (t.hasPeer() && t.repaint_on && t.desired_width == 0 && t.desired_height == 0) {
        Size::resetAll(t);
        Size::compute(t, true, true);
    }
    return {t.desired_width, t.desired_height};
}

void TableView::repaintAll() {
    if (!t.isShowing()) return;
    if (auto g = t.getGraphics()) {
        g->setColor(t.host::Panel::getBackground().value_or(host::Color::white));
        g->fillRect(0, 0, t.getWidth(), t.getHeight());
        paint(*g);
    }
    for (auto& c : clips)
        if (c) c->repaintNow();
    for (auto* sb : {hsb.get(), vsb.get()})
        if (sb && sb->isShowing())
            if (auto g = sb->getGraphics()) sb->paint(*g);
}

void TableView::paint(host::Graphics& g) { drawFrames(g); }

void TableView::drawFrames(host::Graphics& g) {
    const int fs = t.frame_shadow;
    if (fs <= 0) return;
    const host::Color bg = t.host::Panel::getBackground().value_or(host::Color::white);
    NxCell c;
    c.background = bg;
    c.foreground = t.host::Panel::getForeground().value_or(host::Color::black);
    c.border = t.frame_bordertype;
    c.setColors(t);
    for (const Rectangle& r : {cells_rect, row_label_rect, column_label_rect}) {
        if (r.width <= 0 || r.height <= 0) continue;
        Border::draw(g, t.frame_bordertype, fs, E::BORDERSIDE_ALL, r.x - fs, r.y - fs, r.width + 2 * fs,
                     r.height + 2 * fs, c.top_shadow, c.bottom_shadow);
    }
}

Clip* TableView::find(int row, int col) const {
    for (auto& c : clips)
        if (c && c->getRange().inside(row, col)) return c.get();
    return nullptr;
}

void TableView::ensureClips() {
    for (int type = 0; type < Clip::NUM_TYPE; ++type) {
        NxCellRange r;
        auto& c = clips[size_t(type)];
        if (Clip::get_range(t, type, &r)) {
            if (!c) {
                c = host::create<Clip>(t, type);
                t.add(c);
            }
            c->setRange(r);
        } else if (c) {
            t.remove(c.get());
            c.reset();
        }
    }
    if (!hsb) {
        hsb = host::create<TblScrollbar>(t, TblScrollbar::HORIZONTAL);
        vsb = host::create<TblScrollbar>(t, TblScrollbar::VERTICAL);
        hsb->setOnScroll([this](int64_t v, int kind) { scrollHorizontal(v, kind); });
        vsb->setOnScroll([this](int64_t v, int kind) { scrollVertical(v, kind); });
        t.add(hsb);
        t.add(vsb);
    }
}

void TableView::applyOffsets() {
    for (auto& c : clips)
        if (c) c->setOffsets(horiz_origin, vert_origin);
}

// ---- Scrolling ----

int64_t TableView::snap(int64_t value, bool vertical, int kind) const {
    const Chain& chain = vertical ? t.row_heights : t.column_widths;
    const int frozen = vertical ? t.frozen_rows : t.frozen_columns;
    const int count = vertical ? t.rows : t.columns;
    const int64_t base = chain.getPosition(frozen);
    const int64_t total = vertical ? t.cell_total_height : t.cell_total_width;
    const int64_t view = vertical ? t.cell_height : t.cell_width;
    const int64_t origin = vertical ? vert_origin : horiz_origin;
    const int64_t end = std::max<int64_t>(0, total - view);
    if (kind == TblScrollbar::ABSOLUTE || count <= frozen) return value;
    auto start = [&](int i) { return chain.getPosition(std::clamp(i, frozen, count - 1)) - base; };
    auto at = [&](int64_t offset) {
        const int i = chain.indexAt(base + std::clamp<int64_t>(offset, 0, std::max<int64_t>(0, total - 1)));
        return i < 0 ? count - 1 : i;
    };
    const int first = at(origin);
    switch (kind) {
        case TblScrollbar::LINE_FORWARD:
            // With the last row showing, the move shows it fully.
            return first + 1 >= count || start(first + 1) >= end ? end : start(first + 1);
        case TblScrollbar::LINE_BACK: return start(start(first) < origin ? first : first - 1);
        case TblScrollbar::PAGE_FORWARD: {
            int next = at(origin + view - 1);
            if (next <= first) next = first + 1;
            return next >= count ? end : std::min(end, start(next));
        }
        case TblScrollbar::PAGE_BACK: {
            // The row above the top becomes the bottom one.
            int prev = at(origin - view + 1);
            if (start(prev) < origin - view) ++prev;
            if (prev >= first) prev = first - 1;
            return start(prev);
        }
        default: break;
    }
    if (value >= end) return end;  // the end of the bar passes unchanged
    const int idx = at(value);
    const int64_t a = start(idx), b = start(idx) + chain.getValue(idx);
    return value - a <= b - value ? a : b;
}

void TableView::scroll(int64_t value, bool vertical, int kind) {
    const int64_t total = vertical ? t.cell_total_height : t.cell_total_width;
    const int64_t view = vertical ? t.cell_height : t.cell_width;
    value = std::clamp<int64_t>(value, 0, std::max<int64_t>(0, total - view));
    TblScrollbar* sb = vertical ? vsb.get() : hsb.get();
    // The event carries a 32-bit value: a listener's change is taken, but an offset past
    // 2^31 pixels that nobody changed keeps its 64 bits.
    const int sent = int(std::min<int64_t>(value, E::MAXINT));
    NxScrollEvent e(&t, sb, sent, nullptr, vertical ? 1 : 0);
    for (auto* l : t.scroll_listeners.snapshot()) l->scrollBegin(e);
    if (e.value != sent) value = e.value;
    if (t.jump & (vertical ? E::JUMP_VERTICAL : E::JUMP_HORIZONTAL)) value = snap(value, vertical, kind);
    value = std::clamp<int64_t>(value, 0, std::max<int64_t>(0, total - view));
    int64_t& origin = vertical ? vert_origin : horiz_origin;
    if (value != origin && !t.repaint_on) {
        // Painting is off: the offset is kept and the picture made when it comes back on.
        origin = value;
        applyOffsets();
        if (sb) sb->setValue(value);
        t.needs_repaint = true;
    } else if (value != origin) {
        origin = value;
        for (auto& c : clips)
            if (c) c->scroll(value, !vertical);
        t.componentsMoved(false);
        if (sb) {
            sb->setValue(value);
            if (sb->isShowing())
                if (auto g = sb->getGraphics()) sb->paint(*g);
        }
        const Chain& chain = vertical ? t.row_heights : t.column_widths;
        const int frozen = vertical ? t.frozen_rows : t.frozen_columns;
        const int first = chain.indexAt(chain.getPosition(frozen) + value);
        if (first >= 0) (vertical ? t.top_row : t.left_column) = first;
    }
    for (auto* l : t.scroll_listeners.snapshot()) l->scrollEnd(e);
}

void TableView::scrollVertical(int64_t value, int kind) {
    ombu::TreeLock guard(t);  // painting may place component cells
    scroll(value, true, kind);
}

void TableView::scrollHorizontal(int64_t value, int kind) {
    ombu::TreeLock guard(t);  // painting may place component cells
    scroll(value, false, kind);
}

bool TableView::scrollAction(const std::string& param) {
    ombu::TreeLock guard(t);
    if (!t.repaint_on) return false;
    const bool horizontal = param == "PAGELEFT" || param == "PAGERIGHT";
    TblScrollbar* sb = horizontal ? hsb.get() : vsb.get();
    if (!sb || !sb->isVisible()) return false;
    const bool back = param == "PAGEUP" || param == "PAGELEFT";
    const int64_t value = sb->getValue() + (back ? -sb->getPageIncrement() : sb->getPageIncrement());
    scroll(value, !horizontal);
    return true;
}

int TableView::YtoRow(int y) const {
    for (auto& c : clips) {
        if (!c || y < c->getY() || y >= c->getY() + c->getHeight()) continue;
        if (c->getRange().minRow() == E::LABEL) return E::LABEL;
        return c->rowAt(y - c->getY());
    }
    return E::NOVALUE;
}

int TableView::XtoColumn(int x) const {
    for (auto& c : clips) {
        if (!c || x < c->getX() || x >= c->getX() + c->getWidth()) continue;
        if (c->getRange().minColumn() == E::LABEL) return E::LABEL;
        return c->columnAt(x - c->getX());
    }
    return E::NOVALUE;
}

namespace {
// The new offset that shows the stretch [p, p + size) of a view of extent pixels at
// offset, leaving at most hidden pixels out of sight.
int64_t reveal(int64_t p, int64_t size, int64_t offset, int64_t extent, int64_t hidden) {
    if (p < offset) return std::min(p + hidden, offset);
    if (p + size > offset + extent) {
        if (size > extent) return p;  // taller than the view: its top
        return p + size - hidden - extent;
    }
    return offset;
}
}  // namespace

bool TableView::makeRowVisible(int row) {
    ombu::TreeLock guard(t);
    if (!t.isShowing()) return false;
    if (t.rows == 0) return false;
    if (row >= 0 && row < t.frozen_rows) return true;
    if (t.min_cell_visibility == 0) return true;
    row = std::clamp(row, 0, t.rows - 1);
    Clip* cells = clip(Clip::CELL);
    if (!cells || !cells->IN_ROWRANGE(row)) return false;
    const int64_t h = t.row_heights.getValue(row);
    const int64_t hidden = (100 - t.min_cell_visibility) * h / 100;
    const int64_t p = t.row_heights.getPosition(row) - t.row_heights.getPosition(t.frozen_rows);
    const int64_t next = reveal(p, h, vert_origin, t.cell_height, hidden);
    if (next != vert_origin && next >= 0 && next <= t.cell_total_height) scroll(next, true);
    return true;
}

bool TableView::makeColumnVisible(int col) {
    ombu::TreeLock guard(t);
    if (!t.isShowing()) return false;
    if (t.columns == 0) return false;
    if (col >= 0 && col < t.frozen_columns) return true;
    if (t.min_cell_visibility == 0) return true;
    col = std::clamp(col, 0, t.columns - 1);
    Clip* cells = clip(Clip::CELL);
    if (!cells || !cells->IN_COLUMNRANGE(col)) return false;
    const int64_t w = t.column_widths.getValue(col);
    const int64_t hidden = (100 - t.min_cell_visibility) * w / 100;
    const int64_t p = t.column_widths.getPosition(col) - t.column_widths.getPosition(t.frozen_columns);
    const int64_t next = reveal(p, w, horiz_origin, t.cell_width, hidden);
    if (next != horiz_origin && next >= 0 && next <= t.cell_total_width) scroll(next, false);
    return true;
}

bool TableView::makeVisible(int row, int col) {
    const bool r = makeRowVisible(row);
    const bool c = makeColumnVisible(col);
    return r && c;
}

bool TableView::isRowVisible(int row) const {
    if (row < 0 || row >= t.rows) return false;
    if (row < t.frozen_rows) return true;
    const int64_t p = t.row_heights.getPosition(row) - t.row_heights.getPosition(t.frozen_rows) - vert_origin;
    return p + t.row_heights.getValue(row) > 0 && p < t.cell_height;
}

bool TableView::isColumnVisible(int col) const {
    if (col < 0 || col >= t.columns) return false;
    if (col < t.frozen_columns) return true;
    const int64_t p = t.column_widths.getPosition(col) - t.column_widths.getPosition(t.frozen_columns) - horiz_origin;
    return p + t.column_widths.getValue(col) > 0 && p < t.cell_width;
}

// ---- Layout ----

void Layout::doLayout(Table& t, TableView& v) {
    v.in_layout = true;
    v.ensureClips();
    const int fs = t.frame_shadow;
    const int W = t.getWidth() > 0 ? t.getWidth() : t.desired_width;
    const int H = t.getHeight() > 0 ? t.getHeight() : t.desired_height;
    const int rlw = Size::rowLabelWidth(t), clh = Size::columnLabelHeight(t);
    const int64_t fcw = Size::frozenColumnWidth(t), frh = Size::frozenRowHeight(t);
    const int64_t fixed_w = rlw + Size::rowLabelExtraWidth(t) + 2 * fs + fcw;
    const int64_t fixed_h = clh + Size::colLabelExtraHeight(t) + 2 * fs + frh;
    const int64_t full_w = fixed_w + t.cell_total_width, full_h = fixed_h + t.cell_total_height;
    const int vdisp = t.rows == 0 ? E::SBDISPLAY_NEVER : t.vertsb_display;
    const int hdisp = t.columns == 0 ? E::SBDISPLAY_NEVER : t.horizsb_display;
    bool need_h = hdisp == E::SBDISPLAY_ALWAYS || (hdisp == E::SBDISPLAY_AS_NEEDED && full_w > W);
    bool need_v = vdisp == E::SBDISPLAY_ALWAYS || (vdisp == E::SBDISPLAY_AS_NEEDED && full_h > H);
    if (need_h && !need_v && vdisp == E::SBDISPLAY_AS_NEEDED) need_v = full_h > H - Size::horizSBheight(t);
    if (need_v && !need_h && hdisp == E::SBDISPLAY_AS_NEEDED) need_h = full_w > W - Size::vertSBwidth(t);
    const int64_t avail_w = W - (need_v ? Size::vertSBwidth(t) : 0);
    const int64_t avail_h = H - (need_h ? Size::horizSBheight(t) : 0);
    t.cell_width = int(std::clamp<int64_t>(avail_w - fixed_w, 0, t.cell_total_width));
    t.cell_height = int(std::clamp<int64_t>(avail_h - fixed_h, 0, t.cell_total_height));

    // A top row or left column set by the program becomes the offset. Until the table
    // has a size (a table built in code is laid out before it is placed) the request
    // stays pending, and the clamp below cannot undo it.
    const bool sized = t.getWidth() > 0 && t.getHeight() > 0;
    if (t.set_top_row) {
        v.vert_origin = t.top_row >= t.frozen_rows ? t.row_heights.getPosition(t.top_row) - frh : 0;
        t.set_top_row = !sized;
    }
    if (t.set_left_column) {
        v.horiz_origin = t.left_column >= t.frozen_columns ? t.column_widths.getPosition(t.left_column) - fcw : 0;
        t.set_left_column = !sized;
    }
    v.vert_origin = std::clamp<int64_t>(v.vert_origin, 0, std::max<int64_t>(0, t.cell_total_height - t.cell_height));
    v.horiz_origin = std::clamp<int64_t>(v.horiz_origin, 0, std::max<int64_t>(0, t.cell_total_width - t.cell_width));
    v.applyOffsets();

    const int fcwi = int(std::min<int64_t>(fcw, E::MAXDIMENSION)), frhi = int(std::min<int64_t>(frh, E::MAXDIMENSION));
    const int cells_frame_x = rlw > 0 ? rlw + Size::rowLabelExtraWidth(t) : 0;
    const int cells_frame_y = clh > 0 ? clh + Size::colLabelExtraHeight(t) : 0;
    const int cx = cells_frame_x + fs, cy = cells_frame_y + fs;
    const int cw = t.cell_width, ch = t.cell_height;
    auto place = [&](int type, int x, int y, int w, int h) {
        if (Clip* c = v.clip(type)) c->setBounds(x, y, w, h);
    };
    place(Clip::CELL, cx + fcwi, cy + frhi, cw, ch);
    place(Clip::FIXEDCELL, cx, cy, fcwi, frhi);
    place(Clip::FROZENCOLUMN, cx, cy + frhi, fcwi, ch);
    place(Clip::FROZENROW, cx + fcwi, cy, cw, frhi);
    place(Clip::ROWLABEL, fs, cy + frhi, rlw, ch);
    place(Clip::FROZENROWLABEL, fs, cy, rlw, frhi);
    place(Clip::COLUMNLABEL, cx + fcwi, fs, cw, clh);
    place(Clip::FROZENCOLUMNLABEL, cx, fs, fcwi, clh);
    v.cells_rect = {cx, cy, fcwi + cw, frhi + ch};
    v.row_label_rect = rlw > 0 ? Rectangle{fs, cy, rlw, frhi + ch} : Rectangle{};
    v.column_label_rect = clh > 0 ? Rectangle{cx, fs, fcwi + cw, clh} : Rectangle{};

    // Scroll bars: beside the cells, or at the component's edge.
    const int sb = E::SB_SIZE;
    const int cells_right = cx + fcwi + cw + fs, cells_bottom = cy + frhi + ch + fs;
    if (need_v) {
        const int x = t.vertsb_position == E::SBPOSITION_SIDE || full_w > avail_w ? W - sb : cells_right + t.vertsb_offset;
        const bool side = t.vertsb_attach == E::ATTACH_SIDE;
        const int y = side ? 0 : cells_frame_y;
        const int h = side ? H - (need_h ? Size::horizSBheight(t) : 0) : cells_bottom - cells_frame_y;
        v.vsb->setBounds(x, y, sb, std::max(0, h));
        v.vsb->setValues(v.vert_origin, ch, 0, t.cell_total_height);
        const int line = t.rows > t.frozen_rows ? t.row_heights.getValue(t.frozen_rows) : 1;
        v.vsb->setIncrements(std::max(1, line), std::max(1, ch));
    }
    if (need_h) {
        const int y = t.horizsb_position == E::SBPOSITION_SIDE || full_h > avail_h ? H - sb : cells_bottom + t.horizsb_offset;
        const bool side = t.horizsb_attach == E::ATTACH_SIDE;
        const int x = side ? 0 : cells_frame_x;
        const int w = side ? W - (need_v ? Size::vertSBwidth(t) : 0) : cells_right - cells_frame_x;
        v.hsb->setBounds(x, y, std::max(0, w), sb);
        v.hsb->setValues(v.horiz_origin, cw, 0, t.cell_total_width);
        const int line = t.columns > t.frozen_columns ? t.column_widths.getValue(t.frozen_columns) : 1;
        v.hsb->setIncrements(std::max(1, line), std::max(1, cw));
    }
    v.vsb->setVisible(need_v);
    v.hsb->setVisible(need_h);
    const int64_t top = t.row_heights.indexAt(t.row_heights.getPosition(t.frozen_rows) + v.vert_origin);
    if (top >= 0 && !t.set_top_row) t.top_row = int(top);
    const int64_t left = t.column_widths.indexAt(t.column_widths.getPosition(t.frozen_columns) + v.horiz_origin);
    if (left >= 0 && !t.set_left_column) t.left_column = int(left);
    v.in_layout = false;
}

}  // namespace norvex::table
