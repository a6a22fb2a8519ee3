#include "table/view/Size.h"

#include <algorithm>

#include "ombu/OmbuUtil.h"
#include "table/model/Table.h"
#include "table/model/TableOps.h"

namespace norvex::table {

using host::Font;
using host::FontMetrics;
using host::Value;
using E = NxTblEnum;

int Size::textWidthOffset(const Table& t) { return t.margin_width + t.shadow_thickness; }
int Size::textHeightOffset(const Table& t) { return t.margin_height + t.shadow_thickness; }

Font Size::cellFont(const Table& t, int row, int col) {
    if (auto f = t.getFont(row, col)) return *f;
    return t.host::Panel::getFont();
}

int Size::fontHeight(const Table& t, int row) {
    return FontMetrics::get(cellFont(t, row, E::ALLCELLS)).getHeight();
}

int Size::charWidth(const Table& t, int col) {
    // One representative character: the digit zero.
    return FontMetrics::get(cellFont(t, E::ALLCELLS, col)).charWidth(U'0');
}

int Size::contentWidth(const Table&, const Value& v, const Font& f) {
    return v.isNull() ? 0 : ombu::OmbuUtil::getWidth(v, nullptr, f);
}

int Size::contentHeight(const Table&, const Value& v, const Font& f) {
    return v.isNull() ? 0 : ombu::OmbuUtil::getHeight(v, nullptr, f);
}

int Size::rowHeightOf(Table& t, int row) {
    const int p = t.getPixelHeight(row);
    auto chars = [&] { return t.getCharHeight(row) * fontHeight(t, row) + 2 * textHeightOffset(t); };
    if (p == E::NOVALUE) return chars();
    if (p == E::AS_IS) {
        const int now = row >= 0 && row < t.row_heights.size() ? t.row_heights.getValue(row) : -1;
        return now >= 0 ? now : chars();
    }
    if (p == E::VARIABLE) {
        int h = calcLargestHeight(t, row, E::LABEL, t.columns - 1, 0);
        return h > 0 ? h : chars();
    }
    return p;
}

int Size::columnWidthOf(Table& t, int col) {
    const int p = t.getPixelWidth(col);
    auto chars = [&] { return t.getCharWidth(col) * charWidth(t, col) + 2 * textWidthOffset(t); };
    if (p == E::NOVALUE) return chars();
    if (p == E::AS_IS) {
        const int now = col >= 0 && col < t.column_widths.size() ? t.column_widths.getValue(col) : -1;
        return now >= 0 ? now : chars();
    }
    if (p == E::VARIABLE) {
        int w = calcLargestWidth(t, E::LABEL, t.rows - 1, col, 0);
        return w > 0 ? w : chars();
    }
    return p;
}

int64_t Size::getRowHeight(Table& t, int row1, int row2) {
    int64_t sum = 0;
    for (int r = row1; r <= row2; ++r) sum += rowHeightOf(t, r);
    return sum;
}

int64_t Size::getColumnWidth(Table& t, int col1, int col2) {
    int64_t sum = 0;
    for (int c = col1; c <= col2; ++c) sum += columnWidthOf(t, c);
    return sum;
}

int Size::getSingleValue(const Series& s, bool width) {
    auto entries = s.getEntries();
    auto value = [](const SeriesValue& e) { return e.value.isInt() ? e.value.asInt() : NOTFOUND; };
    if (entries.size() == 1 && entries[0].row == E::ALL && entries[0].column == E::ALL) return value(entries[0]);
    if (entries.size() == 2 && entries[0].row == E::ALL && entries[0].column == E::ALL) {
        const SeriesValue& second = entries[1];
        const int key = width ? second.column : second.row;
        const int other = width ? second.row : second.column;
        if (other != E::ALL) return NOTFOUND;
        if (key == E::ALLCELLS || key == E::ALL) return value(second);
        if (key == E::LABEL) return value(entries[0]);
    }
    return NOTFOUND;
}

namespace {

// The chain-filling rules shared by rows and columns. measure gives one entry's size
// (AS_IS keeping the chain's value); keyed lists the indexes that have entries of their own.
struct Filler {
    Table& t;
    Chain& chain;
    int count;
    const Series& pixel;
    const Series& chars;
    bool width;

    template <class Measure, class Uniform>
    void fill(int first, int last, Measure measure, Uniform uniformChars) {
        if (count <= 0) return;
        if (first == E::ALL) first = 0, last = count - 1;
        last = std::min(last, count - 1);
        if (first < 0 || first > last) return;
        const int p = Size::getSingleValue(pixel, width);
        int base = Size::NOTFOUND;
        if (p != Size::NOTFOUND && p != E::NOVALUE && p != E::AS_IS && p != E::VARIABLE) {
            base = p;
        } else if (p == E::NOVALUE || p == E::AS_IS) {
            // The unset marker and AS_IS both come to the character size where no size exists.
            const int u = Size::getSingleValue(chars, width);
            if (u != Size::NOTFOUND) base = uniformChars(u);
        }
        if (base >= 0 && base != E::VARIABLE) {
            if (p == E::AS_IS) {
                keepOrSet(first, last, base);
            } else {
                chain.setValue(first, last, base);
            }
            return;
        }
        // Measured entry by entry; equal neighbours are written as one stretch.
        int start = first, current = measure(first);
        for (int i = first + 1; i <= last; ++i) {
            const int v = measure(i);
            if (v == current) continue;
            chain.setValue(start, i - 1, current);
            start = i, current = v;
        }
        chain.setValue(start, last, current);
    }

    // AS_IS over a range: entries with a size keep it, unset ones get base.
    void keepOrSet(int first, int last, int base) {
        if (const ChainUtil* runs = chain.getRunChain()) {
            std::vector<std::pair<int, int>> unset;
            for (const Run& r : runs->getRuns())
                if (r.value < 0 && r.end >= first && r.start <= last)
                    unset.emplace_back(std::max(r.start, first), std::min(r.end, last));
            for (auto [a, b] : unset) chain.setValue(a, b, base);
            if (chain.size() <= last) chain.setValue(chain.size(), last, base);
            return;
        }
        for (int i = first; i <= last; ++i)
            if (i >= chain.size() || chain.getValue(i) < 0) chain.setValue(i, i, base);
    }
};

}  // namespace

void Size::getRowHeights(Table& t, int row1, int row2) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return;
    }
    Filler f{t, t.row_heights, t.rows, t.pixel_height_series, t.char_height_series, false};
    f.fill(row1, row2, [&](int r) { return rowHeightOf(t, r); },
           [&](int u) { return u * fontHeight(t, E::ALL) + 2 * textHeightOffset(t); });
}

void Size::getColumnWidths(Table& t, int col1, int col2) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return;
    }
    Filler f{t, t.column_widths, t.columns, t.pixel_width_series, t.char_width_series, true};
    f.fill(col1, col2, [&](int c) { return columnWidthOf(t, c); },
           [&](int u) { return u * charWidth(t, E::ALL) + 2 * textWidthOffset(t); });
}

int Size::calcLargestHeight(Table& t, int row, int col1, int col2, int h) {
    const int off = row >= 0 ? 2 * textHeightOffset(t) : 0;
    for (int c = col1; c <= col2 && c < t.columns; ++c) {
        if (Span::isSpanned(t, row, c)) continue;
        Value v = row == E::LABEL || c == E::LABEL ? t.getCell(row, c) : GetValue::cell(t, row, c);
        if (v.isNull()) continue;
        h = std::max(h, contentHeight(t, v, cellFont(t, row, c)) + off);
    }
    return h;
}

int Size::calcLargestWidth(Table& t, int row1, int row2, int col, int w) {
    const int off = col >= 0 ? 2 * textWidthOffset(t) : 0;
    for (int r = row1; r <= row2 && r < t.rows; ++r) {
        if (Span::isSpanned(t, r, col)) continue;
        Value v = r == E::LABEL || col == E::LABEL ? t.getCell(r, col) : GetValue::cell(t, r, col);
        if (v.isNull()) continue;
        w = std::max(w, contentWidth(t, v, cellFont(t, r, col)) + off);
    }
    return w;
}

bool Size::hasValue(Table& t, int row, int col) { return !t.getCell(row, col).isNull(); }

namespace {
bool anyLabel(const std::vector<CellValue>& labels) {
    for (const CellValue& v : labels)
        if (!v.isNull()) return true;
    return false;
}
}  // namespace

int Size::getColumnLabelMaxHeight(Table& t) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return 0;
    }
    if (t.columns <= 0) return 0;
    const bool labels = anyLabel(t.column_labels) || !t.label_value_listeners.empty();
    if (!labels) return 0;
    const int p = t.getPixelHeight(E::LABEL);
    if (p == E::AS_IS) return t.column_label_height;
    if (p == E::NOVALUE) return t.getCharHeight(E::LABEL) * fontHeight(t, E::LABEL);
    if (p != E::VARIABLE) return std::max(1, p);
    return calcLargestHeight(t, E::LABEL, 0, t.columns - 1, 0);
}

int Size::getRowLabelMaxWidth(Table& t) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return 0;
    }
    if (t.rows <= 0) return 0;
    const bool labels = anyLabel(t.row_labels) || !t.label_value_listeners.empty();
    if (!labels) return 0;
    const int p = t.getPixelWidth(E::LABEL);
    if (p == E::AS_IS) return t.row_label_width;
    if (p == E::NOVALUE) return t.getCharWidth(E::LABEL) * charWidth(t, E::LABEL);
    if (p != E::VARIABLE) return std::max(1, p);
    // Labels from a listener: only the stored ones and the last row's are measured, so a
    // million generated labels are never asked for.
    int w = 0;
    const Font f = cellFont(t, 0, E::LABEL);
    for (size_t r = 0; r < t.row_labels.size(); ++r)
        if (!t.row_labels[r].isNull()) w = std::max(w, contentWidth(t, t.row_labels[r].get(), f));
    if (!t.label_value_listeners.empty()) w = std::max(w, contentWidth(t, t.getCell(t.rows - 1, E::LABEL), f));
    return w;
}

int64_t Size::frozenRowHeight(const Table& t) { return t.rows > 0 ? t.row_heights.getPosition(t.frozen_rows) : 0; }
int64_t Size::frozenColumnWidth(const Table& t) {
    return t.columns > 0 ? t.column_widths.getPosition(t.frozen_columns) : 0;
}

void Size::computeTotals(Table& t) {
    t.cell_total_width = t.columns > 0 ? t.column_widths.getPosition(t.columns) - frozenColumnWidth(t) : 0;
    t.cell_total_height = t.rows > 0 ? t.row_heights.getPosition(t.rows) - frozenRowHeight(t) : 0;
}

bool Size::adjustHeight(Table& t) {
    bool changed = false;
    for (const NxCellRange& r : t.span_list_orig) {
        const int last = r.maxRow();
        if (last >= t.rows || t.getPixelHeight(last) != E::VARIABLE) continue;
        const int row = r.minRow(), col = r.minColumn();
        const int need = contentHeight(t, GetValue::cell(t, row, col), cellFont(t, row, col)) + 2 * textHeightOffset(t);
        const int64_t have = Span::size(t, r).height;
        if (need > have) {
            t.row_heights.setValue(last, last, t.row_heights.getValue(last) + int(need - have));
            changed = true;
        }
    }
    return changed;
}

bool Size::adjustWidth(Table& t) {
    bool changed = false;
    for (const NxCellRange& r : t.span_list_orig) {
        const int last = r.maxColumn();
        if (last >= t.columns || t.getPixelWidth(last) != E::VARIABLE) continue;
        const int row = r.minRow(), col = r.minColumn();
        const int need = contentWidth(t, GetValue::cell(t, row, col), cellFont(t, row, col)) + 2 * textWidthOffset(t);
        const int64_t have = Span::size(t, r).width;
        if (need > have) {
            t.column_widths.setValue(last, last, t.column_widths.getValue(last) + int(need - have));
            changed = true;
        }
    }
    return changed;
}

bool Size::resetAll(Table& t) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return false;
    }
    getRowHeights(t, E::ALL, E::ALL);
    getColumnWidths(t, E::ALL, E::ALL);
    adjustHeight(t);
    adjustWidth(t);
    t.column_label_height = getColumnLabelMaxHeight(t);
    t.row_label_width = getRowLabelMaxWidth(t);
    computeTotals(t);
    return true;
}

int Size::rowLabelWidth(const Table& t) {
    if (t.rows <= 0 || t.row_label_width < 1) return 0;
    return t.row_label_width + 2 * textWidthOffset(t);
}

int Size::columnLabelHeight(const Table& t) {
    if (t.columns <= 0 || t.column_label_height < 1) return 0;
    return t.column_label_height + 2 * textHeightOffset(t);
}

int Size::rowLabelExtraWidth(const Table& t) {
    return rowLabelWidth(t) == 0 ? 0 : t.row_label_offset + 2 * t.frame_shadow;
}

int Size::colLabelExtraHeight(const Table& t) {
    return columnLabelHeight(t) == 0 ? 0 : t.column_label_offset + 2 * t.frame_shadow;
}

int Size::vertSBwidth(const Table& t) { return t.vertsb_offset + E::SB_SIZE; }
int Size::horizSBheight(const Table& t) { return t.horizsb_offset + E::SB_SIZE; }

namespace {
int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, 0, E::MAXDIMENSION)); }
}  // namespace

bool Size::compute(Table& t, bool compute_width, bool compute_height) {
    if (!t.repaint_on) {
        t.needs_recalc = true;
        return false;
    }
    const int vdisplay = t.rows == 0 ? E::SBDISPLAY_NEVER : t.vertsb_display;
    const int hdisplay = t.columns == 0 ? E::SBDISPLAY_NEVER : t.horizsb_display;
    const int vbar = vdisplay == E::SBDISPLAY_ALWAYS ? vertSBwidth(t) : 0;
    const int hbar = hdisplay == E::SBDISPLAY_ALWAYS ? horizSBheight(t) : 0;

    const int64_t extra_w = rowLabelWidth(t) + rowLabelExtraWidth(t) + 2 * t.frame_shadow + vbar;
    if (t.visible_columns < 1) {
        if (compute_width)
            t.desired_width = clampInt(t.cell_total_width + frozenColumnWidth(t) + extra_w);
        else if (t.getWidth() > 0)
            t.desired_width = t.getWidth();
    } else {
        const int n = t.frozen_columns + t.visible_columns;
        int64_t w = t.column_widths.getPosition(std::min(n, t.columns));
        for (int c = t.columns; c < n; ++c) w += t.getCharWidth(E::NOVALUE) * charWidth(t, E::ALL) + 2 * textWidthOffset(t);
        t.desired_width = clampInt(w + extra_w);
    }
    const int64_t extra_h = columnLabelHeight(t) + colLabelExtraHeight(t) + 2 * t.frame_shadow + hbar;
    if (t.visible_rows < 1) {
        if (compute_height)
            t.desired_height = clampInt(t.cell_total_height + frozenRowHeight(t) + extra_h);
        else if (t.getHeight() > 0)
            t.desired_height = t.getHeight();
    } else {
        const int n = t.frozen_rows + t.visible_rows;
        int64_t h = t.row_heights.getPosition(std::min(n, t.rows));
        for (int r = t.rows; r < n; ++r) h += t.getCharHeight(E::NOVALUE) * fontHeight(t, E::ALL) + 2 * textHeightOffset(t);
        t.desired_height = clampInt(h + extra_h);
    }
    return true;
}

// ---- Variable sizes ----

namespace {
struct Before {
    int row = E::NOVALUE, col = E::NOVALUE;
    bool defined_width = false, defined_height = false;
};
thread_local Before before_state;
}  // namespace

void VarSize::before(Table& t, int row, int col) {
    Before b;
    b.row = row, b.col = col;
    const bool vw = t.getPixelWidth(col) == E::VARIABLE, vh = t.getPixelHeight(row) == E::VARIABLE;
    if (vw || vh) {
        Value old = t.getCell(row, col);
        const Font f = Size::cellFont(t, row, col);
        if (vw && col >= 0 && col < t.columns) {
            const int off = row >= 0 ? 2 * Size::textWidthOffset(t) : 0;
            b.defined_width = !old.isNull() && Size::contentWidth(t, old, f) + off == t.column_widths.getValue(col);
        }
        if (vh && row >= 0 && row < t.rows) {
            const int off = col >= 0 ? 2 * Size::textHeightOffset(t) : 0;
            b.defined_height = !old.isNull() && Size::contentHeight(t, old, f) + off == t.row_heights.getValue(row);
        }
    }
    before_state = b;
}

int VarSize::calc(Table& t, int row, int col) {
    int flags = 0;
    const Before b = before_state.row == row && before_state.col == col ? before_state : Before{};
    before_state = Before{};
    const Value v = t.getCell(row, col);
    const Font f = Size::cellFont(t, row, col);
    if (col >= 0 && col < t.columns && t.getPixelWidth(col) == E::VARIABLE) {
        const int w = Size::contentWidth(t, v, f) + (row >= 0 ? 2 * Size::textWidthOffset(t) : 0);
        if (w > t.column_widths.getValue(col)) {
            t.column_widths.setValue(col, col, w);
            flags |= PropertyEnum::CELL_WIDTH;
        } else if (b.defined_width && w < t.column_widths.getValue(col)) {
            t.column_widths.setValue(col, col, Size::columnWidthOf(t, col));
            flags |= PropertyEnum::COLUMN_WIDTHS;
        }
    }
    if (row >= 0 && row < t.rows && t.getPixelHeight(row) == E::VARIABLE) {
        const int h = Size::contentHeight(t, v, f) + (col >= 0 ? 2 * Size::textHeightOffset(t) : 0);
        if (h > t.row_heights.getValue(row)) {
            t.row_heights.setValue(row, row, h);
            flags |= PropertyEnum::CELL_HEIGHT;
        } else if (b.defined_height && h < t.row_heights.getValue(row)) {
            t.row_heights.setValue(row, row, Size::rowHeightOf(t, row));
            flags |= PropertyEnum::ROW_HEIGHTS;
        }
    }
    return flags;
}

}  // namespace norvex::table
