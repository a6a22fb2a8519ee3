#include "table/view/Draw.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "host/graphics/Graphics.h"
#include "ombu/OmbuUtil.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"
#include "table/view/Clip.h"
#include "table/view/Size.h"
#include "table/view/TableView.h"

namespace norvex::table {

using host::Color;
using host::Graphics;
using host::Rectangle;
using E = NxTblEnum;

const Color NxCell::WHITE_BRIGHTER{200, 200, 200};
const Color NxCell::WHITE_DARKER{140, 140, 140};
const Color NxCell::BLACK_BRIGHTER{125, 125, 125};
const Color NxCell::BLACK_DARKER{75, 75, 75};

void NxCell::setColors(Table& t) {
    const Color fg = t.getForeground(row, column), bg = t.getBackground(row, column);
    if (selected) {
        foreground = t.selected_fg.value_or(bg);
        background = t.selected_bg.value_or(fg);
    } else {
        foreground = fg, background = bg;
    }
    if (border == E::BORDER_PLAIN) {
        top_shadow = bottom_shadow = foreground;
    } else if (background.getRGB() == Color::white.getRGB()) {
        top_shadow = WHITE_BRIGHTER, bottom_shadow = WHITE_DARKER;
    } else if (background.getRGB() == Color::black.getRGB()) {
        top_shadow = BLACK_BRIGHTER, bottom_shadow = BLACK_DARKER;
    } else {
        top_shadow = ombu::OmbuUtil::brighter(background), bottom_shadow = ombu::OmbuUtil::darker(background);
    }
}

void NxCell::setValues(Table& t, const Clip&, int r, int c, const Rectangle& b) {
    table = &t, row = r, column = c, bounds = b;
    shadow_thickness = t.shadow_thickness;
    selected = t.isSelected(r, c);
    value = (r == E::LABEL || c == E::LABEL) ? GetValue::label(t, r, c) : GetValue::cell(t, r, c);
    font = Size::cellFont(t, r, c);
    border = t.getBorderType(r, c);
    alignment = t.getAlignment(r, c);
    sides = border == E::BORDER_NONE ? 0 : t.getBorderSides(r, c);
    setColors(t);
    plain = value.isString() && value.asString().find('\n') == std::string::npos;
    if (plain) {
        // The metrics of the last font, shared by the cells of a paint.
        thread_local host::Font last_font;
        thread_local std::optional<host::FontMetrics> last_fm;
        if (!last_fm || !(last_font == font)) last_font = font, last_fm = host::FontMetrics::get(font);
        width = ombu::OmbuUtil::stringWidth(*last_fm, font, value.asString());
        height = value.asString().empty() ? 0 : last_fm->getHeight();
        ascent = last_fm->getAscent();
        return;
    }
    width = Size::contentWidth(t, value, font);
    height = Size::contentHeight(t, value, font);
}

void NxCell::draw(Graphics& g, const Rectangle& r) const {
    if (value.isNull()) return;
    if (plain) {
        if (!value.asString().empty()) g.drawString(value.asString(), r.x, r.y + ascent);
        return;
    }
    ombu::OmbuUtil::draw(table, g, value, alignment % 3, r);
}

// ---- Border ----

namespace {

// The shared pool of edge rectangles, filled per colour; it is flushed whenever it is
// full, so thick borders of any size draw every line.
struct RectPool {
    std::mutex lock;
    Rectangle rects[Border::POOL_SIZE];
    int count = 0;
    void add(Graphics& g, const Rectangle& r) {
        if (count == Border::POOL_SIZE) flush(g);
        rects[count++] = r;
    }
    void flush(Graphics& g) {
        for (int i = 0; i < count; ++i) g.fillRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
        count = 0;
    }
};

RectPool& pool() {
    static RectPool p;
    return p;
}

}  // namespace

void Border::drawShadow(Graphics& g, int size, int sides, int x, int y, int w, int h, const Color& first,
                        const Color& second) {
    size = std::min({size, w / 2, h / 2});
    if (size < 1 || sides == 0) return;
    RectPool& p = pool();
    std::lock_guard guard(p.lock);
    g.setColor(first);
    for (int i = 0; i < size; ++i) {
        if (sides & E::BORDERSIDE_TOP) p.add(g, {x + i, y + i, w - 2 * i, 1});
        if (sides & E::BORDERSIDE_LEFT) p.add(g, {x + i, y + i, 1, h - 2 * i});
    }
    p.flush(g);
    g.setColor(second);
    for (int i = 0; i < size; ++i) {
        if (sides & E::BORDERSIDE_BOTTOM) p.add(g, {x + i, y + h - 1 - i, w - 2 * i, 1});
        if (sides & E::BORDERSIDE_RIGHT) p.add(g, {x + w - 1 - i, y + i, 1, h - 2 * i});
    }
    p.flush(g);
}

void Border::drawEtchedShadow(Graphics& g, int size, int sides, int x, int y, int w, int h, const Color& first,
                              const Color& second) {
    const int half = std::max(1, size / 2);
    drawShadow(g, half, sides, x, y, w, h, first, second);
    drawShadow(g, half, sides, x + half, y + half, w - 2 * half, h - 2 * half, second, first);
}

void Border::draw(Graphics& g, int type, int size, int sides, int x, int y, int w, int h, const Color& top,
                  const Color& bottom) {
    switch (type) {
        case E::BORDER_ETCHED_IN: drawEtchedShadow(g, size, sides, x, y, w, h, bottom, top); break;
        case E::BORDER_ETCHED_OUT: drawEtchedShadow(g, size, sides, x, y, w, h, top, bottom); break;
        case E::BORDER_IN: drawShadow(g, size, sides, x, y, w, h, bottom, top); break;
        case E::BORDER_OUT:
        case E::BORDER_PLAIN: drawShadow(g, size, sides, x, y, w, h, top, bottom); break;
        case E::BORDER_FRAME_IN:
        case E::BORDER_FRAME_OUT: {
            const bool in = type == E::BORDER_FRAME_IN;
            const int s = std::min({size, w / 2, h / 2});
            drawShadow(g, s, sides, x, y, w, h, in ? bottom : top, in ? top : bottom);
            drawShadow(g, s - 1, sides, x + s, y + s, w - 2 * s, h - 2 * s, in ? top : bottom, in ? bottom : top);
            break;
        }
        default: break;
    }
}

void Border::draw(Graphics& g, const NxCell& c, int x, int y, int w, int h) {
    draw(g, c.border, c.shadow_thickness, c.sides, x, y, w, h, c.top_shadow, c.bottom_shadow);
}

// ---- Draw ----

void Draw::do_background(Graphics& g, const NxCell& c, int x, int y, int w, int h) {
    const int t = c.shadow_thickness;
    const bool edges = w > 0 && h > 0 && c.sides != 0 && t > 0;
    const bool fast = edges && t < 3 && c.sides == E::BORDERSIDE_ALL &&
                      (c.border == E::BORDER_IN || c.border == E::BORDER_OUT) && w >= 2 * t && h >= 2 * t;
    if (!fast) {
        g.setColor(c.background);
        g.fillRect(x, y, w, h);
        if (edges) Border::draw(g, c, x, y, w, h);
        return;
    }
    // The fast edge: per level, the ring in the bottom-right colour, then all of it but
    // its last row and column in the top-left colour; the inside last. Three fills give
    // the pixels of four edge lines and a background.
    const bool in = c.border == E::BORDER_IN;
    const Color& first = in ? c.bottom_shadow : c.top_shadow;
    const Color& second = in ? c.top_shadow : c.bottom_shadow;
    for (int i = 0; i < t; ++i) {
        g.setColor(second);
        g.fillRect(x + i, y + i, w - 2 * i, h - 2 * i);
        g.setColor(first);
        g.fillRect(x + i, y + i, w - 2 * i - 1, h - 2 * i - 1);
    }
    g.setColor(c.background);
    g.fillRect(x + t, y + t, w - 2 * t, h - 2 * t);
}

void Draw::arrow(Graphics& g, int direction, int x, int y, int size) {
    if (direction == ARROW_RIGHT) {
        int xs[3] = {x, x + size, x}, ys[3] = {y - size, y, y + size};
        g.fillPolygon(xs, ys, 3);
    } else if (direction == ARROW_UP) {
        int xs[3] = {x - size, x, x + size}, ys[3] = {y + size, y, y + size};
        g.fillPolygon(xs, ys, 3);
    } else {
        int xs[3] = {x - size, x, x + size}, ys[3] = {y, y + size, y};
        g.fillPolygon(xs, ys, 3);
    }
}

void Draw::sortMark(Graphics& g, const Rectangle& b, const Color& c, bool ascending) {
    g.setColor(c);
    arrow(g, ascending ? ARROW_UP : ARROW_DOWN, b.x + b.width - 6 - ARROW_SIZE, b.y + b.height / 2 - ARROW_SIZE / 2,
          ARROW_SIZE);
}

void Draw::drawRect(Graphics& g, const Rectangle& r, const Color& c) {
    g.setColor(c);
    g.drawRect(r.x + 1, r.y + 1, r.width - 3, r.height - 3);
}

void Draw::cell(Graphics& g, Clip& clip, int row, int col) {
    Table& t = clip.getTable();
    if (clip.rowHeight(row) == 0 || clip.columnWidth(col) == 0) return;
    int64_t x = clip.columnX(col), y = clip.rowY(row);
    int64_t w = clip.columnWidth(col), h = clip.rowHeight(row);
    if (!t.span_list_orig.empty() && row >= 0 && col >= 0) {
        NxCellPosition anchor;
        const int i = Span::find(t, row, col, &anchor);
        if (i != E::NOTFOUND) {
            if (anchor.row != row || anchor.column != col) {
                // A covered cell draws its anchor, unless the anchor is drawn in this pass anyway.
                if (t.draw_range.inside(anchor.row, anchor.column) && clip.getRange().inside(anchor.row, anchor.column))
                    return;
                row = anchor.row, col = anchor.column;
                x = clip.columnX(col), y = clip.rowY(row);
            }
            const host::Dimension d = Span::size(t, t.span_list_orig[size_t(i)]);
            w = d.width, h = d.height;
        }
    }
    // Pixel positions of a million rows exceed what one area shows: keep them near the view.
    const Rectangle b{int(std::clamp<int64_t>(x, -E::MAXDIMENSION, E::MAXDIMENSION)),
                      int(std::clamp<int64_t>(y, -E::MAXDIMENSION, E::MAXDIMENSION)), int(w), int(h)};
    NxCell c;
    c.setValues(t, clip, row, col, b);
    do_background(g, c, b.x, b.y, b.width, b.height);
    if (row >= 0 && col >= 0 && t.drawComponent(g, clip, row, col, b)) return;
    if (row == t.edit_row && col == t.edit_column) {
        drawRect(g, b, c.foreground);
        if (t.paintEditor(g, row, col, b)) return;
    }
    if (row == E::LABEL && col >= 0 && col == t.sort_column) sortMark(g, b, c.foreground, t.sort_direction == 0);
    if (c.value.isNull()) return;

    const int wo = Size::textWidthOffset(t), ho = Size::textHeightOffset(t);
    const Rectangle r{b.x + wo, b.y + ho, std::max(0, b.width - 2 * wo), std::max(0, b.height - 2 * ho)};
    int cx = r.x, cy = r.y;
    if (ombu::OmbuUtil::isRight(c.alignment))
        cx += r.width - c.width;
    else if (ombu::OmbuUtil::isCenter(c.alignment))
        cx += (r.width - c.width) / 2;
    if (ombu::OmbuUtil::isBottom(c.alignment))
        cy += r.height - c.height;
    else if (ombu::OmbuUtil::isMiddle(c.alignment))
        cy += (r.height - c.height) / 2;
    const bool width_clipped = c.width > r.width + wo, height_clipped = c.height > r.height + ho;
    const Rectangle content{cx, cy, c.width, c.height};
    g.setFont(c.font);
    g.setColor(c.foreground);
    if (width_clipped || height_clipped) {
        auto cg = g.create();
        cg->clipRect(b.x, b.y, b.width, b.height);
        c.draw(*cg, content);
        cg->dispose();
    } else {
        c.draw(g, content);
    }
    if (!t.display_clip_arrows) return;
    if (width_clipped) arrow(g, ARROW_RIGHT, b.x + b.width - c.shadow_thickness - 5 - ARROW_SIZE, b.y + b.height / 2, ARROW_SIZE);
    if (height_clipped) arrow(g, ARROW_DOWN, b.x + b.width / 2, b.y + b.height - c.shadow_thickness - 5 - ARROW_SIZE, ARROW_SIZE);
}

// ---- Repainting after changes ----

void DrawRange::draw(Table& t, int row1, int col1, int row2, int col2) {
    auto* view = dynamic_cast<TableView*>(t.getViewHooks());
    if (!view || !t.getRepaint()) return;
    const NxCellRange want(row1, col1, row2, col2);
    for (int type = 0; type < Clip::NUM_TYPE; ++type) {
        Clip* clip = view->clip(type);
        if (!clip || !clip->isShowing()) continue;
        NxCellRange shown;
        if (!clip->visibleRange({0, 0, clip->getWidth(), clip->getHeight()}, &shown)) continue;
        auto both = shown.intersection(want);
        if (!both) continue;
        const int64_t x1 = clip->columnX(both->minColumn()), y1 = clip->rowY(both->minRow());
        const int64_t x2 = clip->columnX(both->maxColumn()) + clip->columnWidth(both->maxColumn());
        const int64_t y2 = clip->rowY(both->maxRow()) + clip->rowHeight(both->maxRow());
        const int ax = int(std::max<int64_t>(0, x1)), ay = int(std::max<int64_t>(0, y1));
        clip->repaintNow({ax, ay, int(std::min<int64_t>(clip->getWidth(), x2) - ax),
                          int(std::min<int64_t>(clip->getHeight(), y2) - ay)});
    }
}

void DrawRow::draw(Table& t, int row) { DrawRange::draw(t, row, E::LABEL, row, t.getNumColumns() - 1); }

void DrawColumn::draw(Table& t, int column) { DrawRange::draw(t, E::LABEL, column, t.getNumRows() - 1, column); }

}  // namespace norvex::table
