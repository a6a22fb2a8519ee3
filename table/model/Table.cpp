#include "table/model/Table.h"
#include "ombu/widgets/TreeLock.h"  // setters lay out, so they take the tree lock before the table's

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "table/model/TableOps.h"

namespace norvex::table {

using host::Color;
using host::Value;
using P = PropertyEnum;

namespace {

void invalid(const char* property) {
    throw std::invalid_argument(std::string("Invalid ") + property + " value in NxTable");
}

void checkRange(int v, int lo, int hi, const char* property) {
    if (v < lo || v > hi) invalid(property);
}

}  // namespace

Table::Table(host::Applet* a, const std::string& name) : applet(a) {
    static std::atomic<int> counter{0};
    setName(name.empty() ? "table" + std::to_string(counter++) : name);
    row_heights = Chain::filled(rows, NxTblEnum::NOVALUE);
    column_widths = Chain::filled(columns, NxTblEnum::NOVALUE);
}

Table::~Table() = default;

void Table::addSeries(Series* s) { series_list.push_back(s); }

void Table::removeSeries(Series* s) { series_list.erase(std::remove(series_list.begin(), series_list.end(), s), series_list.end()); }

void Table::addNotify() {
    host::Panel::addNotify();
    ombu::TreeLock guard(*this);
    needs_recalc = true;
    setProperty(P::RESET);
}

void Table::layout() {
    if (view_hooks) view_hooks->layout();
}

host::Dimension Table::preferredSize() {
    if (view_hooks) return view_hooks->preferredSize();
    return host::Panel::preferredSize();
}

void Table::paint(host::Graphics& g) {
    if (view_hooks) view_hooks->paint(g);
}

void Table::setViewHooks(std::unique_ptr<TableViewHooks> hooks) {
    ombu::TreeLock guard(*this);
    view_hooks = std::move(hooks);
}

void Table::setProperty(int row, int col, int flags) { Property::set(*this, flags, row, col); }

// ---- Dimensions ----

void Table::setNumRows(int n) {
    if (n < 0) invalid("NumRows");
    ombu::TreeLock guard(*this);
    if (n == rows) return;
    old_rows = rows;
    if (n < rows) {
        if (cells.size() > size_t(n)) cells.resize(size_t(n));
        if (row_labels.size() > size_t(n)) row_labels.resize(size_t(n));
        row_heights.remove(n, rows - 1);
    } else {
        row_heights.insert(Chain::filled(n - rows, NxTblEnum::NOVALUE), rows);
    }
    rows = n;
    if (edit_row >= rows) edit_row = edit_column = NxTblEnum::NOVALUE;
    Span::copy(*this);
    setProperty(P::ROWS | P::TOP_ROW | P::RESIZE);
}

void Table::setNumColumns(int n) {
    if (n < 0) invalid("NumColumns");
    ombu::TreeLock guard(*this);
    if (n == columns) return;
    old_columns = columns;
    if (n < columns) {
        for (auto& row : cells)
            if (row.size() > size_t(n)) row.resize(size_t(n));
        if (column_labels.size() > size_t(n)) column_labels.resize(size_t(n));
        column_widths.remove(n, columns - 1);
    } else {
        column_widths.insert(Chain::filled(n - columns, NxTblEnum::NOVALUE), columns);
    }
    columns = n;
    if (edit_column >= columns) edit_row = edit_column = NxTblEnum::NOVALUE;
    Span::copy(*this);
    setProperty(P::COLUMNS | P::LEFT_COLUMN | P::RESIZE);
}

// ---- Values ----

void Table::setCell(int row, int col, const Value& value) {
    ombu::TreeLock guard(*this);
    if (isLabel(row, col))
        SetValue::label(*this, row, col, value);
    else
        SetValue::cell(*this, row, col, value, true);
}

Value Table::getCell(int row, int col) {
    host::Lock guard(mutex());
    if (isLabel(row, col)) return GetValue::label(*this, row, col);
    return GetValue::cell(*this, row, col);
}

void Table::setCells(const std::vector<std::vector<Value>>& values) {
    ombu::TreeLock guard(*this);
    const bool repaint = repaint_on, pending = needs_repaint;
    repaint_on = false;
    const bool validating = (validate_policy == NxTblEnum::VALIDATE_SET || validate_policy == NxTblEnum::VALIDATE_ALWAYS) &&
                            !validate_listeners.empty();
    if (validating) {
        // Each new value is checked against the cell's old one, row by row; a refused
        // value keeps the old one. Cells the new array does not reach are emptied.
        for (size_t r = 0; r < cells.size(); ++r)
            for (size_t c = 0; c < cells[r].size(); ++c)
                if (r >= values.size() || c >= values[r].size()) cells[r][c] = CellValue();
    } else {
        cells.clear();
    }
    for (int r = 0; r < std::min<int>(int(values.size()), rows); ++r)
        for (int c = 0; c < std::min<int>(int(values[size_t(r)].size()), columns); ++c)
            SetValue::cell(*this, r, c, values[size_t(r)][size_t(c)], true);
    repaint_on = repaint;
    needs_repaint = pending;
    setProperty(P::REDISPLAY);
}

std::vector<std::vector<Value>> Table::getCells() {
    host::Lock guard(mutex());
    std::vector<std::vector<Value>> out(static_cast<size_t>(rows), std::vector<Value>(static_cast<size_t>(columns)));
    for (size_t r = 0; r < std::min(cells.size(), size_t(rows)); ++r)
        for (size_t c = 0; c < std::min(cells[r].size(), size_t(columns)); ++c) out[r][c] = cells[r][c].get();
    return out;
}

void Table::clearCells() {
    ombu::TreeLock guard(*this);
    cells.clear();
    setProperty(P::REDISPLAY);
}

void Table::setColumnLabel(int col, const Value& v) {
    ombu::TreeLock guard(*this);
    SetValue::label(*this, NxTblEnum::LABEL, col, v);
}

void Table::setRowLabel(int row, const Value& v) {
    ombu::TreeLock guard(*this);
    SetValue::label(*this, row, NxTblEnum::LABEL, v);
}

Value Table::getColumnLabel(int col) {
    host::Lock guard(mutex());
    return GetValue::label(*this, NxTblEnum::LABEL, col);
}

Value Table::getRowLabel(int row) {
    host::Lock guard(mutex());
    return GetValue::label(*this, row, NxTblEnum::LABEL);
}

void Table::setColumnLabels(const std::vector<Value>& labels) {
    ombu::TreeLock guard(*this);
    column_labels.clear();
    for (int c = 0; c < std::min<int>(int(labels.size()), columns); ++c)
        SetValue::label(*this, NxTblEnum::LABEL, c, labels[size_t(c)]);
}

void Table::setRowLabels(const std::vector<Value>& labels) {
    ombu::TreeLock guard(*this);
    row_labels.clear();
    for (int r = 0; r < std::min<int>(int(labels.size()), rows); ++r)
        SetValue::label(*this, r, NxTblEnum::LABEL, labels[size_t(r)]);
}

std::vector<Value> Table::getColumnLabels() {
    host::Lock guard(mutex());
    std::vector<Value> out;
    for (int c = 0; c < columns; ++c) out.push_back(GetValue::label(*this, NxTblEnum::LABEL, c));
    return out;
}

std::vector<Value> Table::getRowLabels() {
    host::Lock guard(mutex());
    std::vector<Value> out;
    for (int r = 0; r < rows; ++r) out.push_back(GetValue::label(*this, r, NxTblEnum::LABEL));
    return out;
}

// ---- Rows and columns ----

bool Table::addRow(int position, const Value& label, const std::vector<Value>& values) {
    ombu::TreeLock guard(*this);
    return AddRow::add(*this, position, label, values);
}

bool Table::addColumn(int position, const Value& label, const std::vector<Value>& values) {
    ombu::TreeLock guard(*this);
    return AddColumn::add(*this, position, label, values);
}

bool Table::deleteRows(int position, int num_rows) {
    ombu::TreeLock guard(*this);
    return DeleteRows::remove(*this, position, num_rows);
}

bool Table::deleteColumns(int position, int num_columns) {
    ombu::TreeLock guard(*this);
    return DeleteColumns::remove(*this, position, num_columns);
}

bool Table::moveRows(int source, int num_rows, int destination) {
    ombu::TreeLock guard(*this);
    return Shift::moveRows(*this, source, num_rows, destination);
}

bool Table::moveColumns(int source, int num_columns, int destination) {
    ombu::TreeLock guard(*this);
    return Shift::moveColumns(*this, source, num_columns, destination);
}

std::vector<int> Table::sortByColumn(int column, int direction, util::NxSortInterface* sort_if) {
    ombu::TreeLock guard(*this);
    return Sort::sortByColumn(*this, column, sort_if, direction);
}

// ---- Spans ----

void Table::setSpans(const std::vector<NxCellRange>& spans) {
    ombu::TreeLock guard(*this);
    span_list = spans;
    Span::copy(*this);
    setProperty(P::RELAYOUT | P::REDISPLAY);
}

bool Table::findSpan(int row, int col, NxCellRange* range, host::Dimension* size) {
    host::Lock guard(mutex());
    int i = Span::find(*this, row, col, nullptr);
    if (i == NxTblEnum::NOTFOUND) return false;
    const NxCellRange& r = span_list_orig[size_t(i)];
    if (range) *range = r;
    if (size) *size = Span::size(*this, r);
    return true;
}

// ---- Cell attributes ----

void Table::setAttribute(Series& series, int row, int col, Value v, int flags) {
    ombu::TreeLock guard(*this);
    if (series.setValue(row, col, std::move(v))) setProperty(row, col, flags);
}

void Table::setAlignment(int row, int col, int v) {
    checkRange(v, NxTblEnum::TOPLEFT, NxTblEnum::BOTTOMRIGHT, "Alignment");
    setAttribute(alignment_series, row, col, v, P::DRAW_CELL);
}

void Table::setBackground(int row, int col, const Color& c) { setAttribute(bg_series, row, col, c, P::DRAW_CELL); }

void Table::setBackground(int row, int col, int marker) {
    if (marker != NxTblEnum::REPEAT_ROW && marker != NxTblEnum::REPEAT_COLUMN) invalid("Background");
    setAttribute(bg_series, row, col, marker, P::DRAW_CELL);
}

void Table::setForeground(int row, int col, const Color& c) { setAttribute(fg_series, row, col, c, P::DRAW_CELL); }

void Table::setForeground(int row, int col, int marker) {
    if (marker != NxTblEnum::REPEAT_ROW && marker != NxTblEnum::REPEAT_COLUMN) invalid("Foreground");
    setAttribute(fg_series, row, col, marker, P::DRAW_CELL);
}

Color Table::resolveColor(const Series& series, const std::vector<Color>& repeat, int row, int col,
                          bool background) const {
    Value v = series.getValue(row, col);
    if (v.isColor()) return v.asColor();
    if (!repeat.empty() && v.isInt() &&
        (v.asInt() == NxTblEnum::REPEAT_ROW || v.asInt() == NxTblEnum::REPEAT_COLUMN)) {
        const int64_t n = int64_t(repeat.size());
        const int64_t index = v.asInt() == NxTblEnum::REPEAT_ROW ? row : col;
        return repeat[size_t(((index % n) + n) % n)];
    }
    if (background) return host::Panel::getBackground().value_or(Color::white);
    return host::Panel::getForeground().value_or(Color::black);
}

Color Table::getBackground(int row, int col) const {
    host::Lock guard(mutex());
    return resolveColor(bg_series, repeat_bg_colors, row, col, true);
}

Color Table::getForeground(int row, int col) const {
    host::Lock guard(mutex());
    return resolveColor(fg_series, repeat_fg_colors, row, col, false);
}

void Table::setBorderSides(int row, int col, int v) {
    checkRange(v, NxTblEnum::BORDERSIDE_NONE, NxTblEnum::BORDERSIDE_ALL, "BorderSides");
    setAttribute(border_sides_series, row, col, v, P::DRAW_CELL);
}

void Table::setBorderType(int row, int col, int v) {
    checkRange(v, NxTblEnum::BORDER_NONE, NxTblEnum::BORDER_FRAME_OUT, "BorderType");
    setAttribute(border_type_series, row, col, v, P::DRAW_CELL);
}

void Table::setCharHeight(int row, int v) {
    if (v < 0) invalid("CharHeight");
    setAttribute(char_height_series, row, NxTblEnum::ALL, v, P::ROW_HEIGHTS | P::RELAYOUT);
}

void Table::setCharWidth(int col, int v) {
    if (v < 0) invalid("CharWidth");
    setAttribute(char_width_series, NxTblEnum::ALL, col, v, P::COLUMN_WIDTHS | P::RELAYOUT);
}

void Table::setDatatype(int row, int col, int v) {
    checkRange(v, NxTblEnum::TYPE_BOOLEAN, NxTblEnum::TYPE_STRING, "Datatype");
    setAttribute(datatype_series, row, col, v, 0);
}

void Table::setFont(int row, int col, const std::optional<host::Font>& f) {
    setAttribute(font_series, row, col, f ? Value(*f) : Value(), P::FONT);
}

std::optional<host::Font> Table::getFont(int row, int col) const {
    Value v = font_series.getValue(row, col);
    if (v.isFont()) return v.asFont();
    return std::nullopt;
}

void Table::setPixelHeight(int row, int v) {
    if (v < 0 && v != NxTblEnum::NOVALUE) invalid("PixelHeight");
    setAttribute(pixel_height_series, row, NxTblEnum::ALL, v, P::ROW_HEIGHTS | P::RELAYOUT);
}

void Table::setPixelWidth(int col, int v) {
    if (v < 0 && v != NxTblEnum::NOVALUE) invalid("PixelWidth");
    setAttribute(pixel_width_series, NxTblEnum::ALL, col, v, P::COLUMN_WIDTHS | P::RELAYOUT);
}

// ---- Scalar properties ----

void Table::setFrozenRows(int n) {
    if (n < 0) invalid("FrozenRows");
    ombu::TreeLock guard(*this);
    frozen_rows = n;
    setProperty(P::FROZEN_ROWS | P::TOP_ROW);
}

void Table::setFrozenColumns(int n) {
    if (n < 0) invalid("FrozenColumns");
    ombu::TreeLock guard(*this);
    frozen_columns = n;
    setProperty(P::FROZEN_COLUMNS | P::LEFT_COLUMN);
}

void Table::setTopRow(int row) {
    ombu::TreeLock guard(*this);
    top_row = std::max(0, std::min(row, rows - 1));
    set_top_row = true;
    setProperty(P::TOP_ROW | P::REDISPLAY | P::RELAYOUT);
}

void Table::setLeftColumn(int col) {
    ombu::TreeLock guard(*this);
    left_column = std::max(0, std::min(col, columns - 1));
    set_left_column = true;
    setProperty(P::LEFT_COLUMN | P::REDISPLAY | P::RELAYOUT);
}

void Table::setMarginWidth(int v) {
    if (v < 0) invalid("MarginWidth");
    ombu::TreeLock guard(*this);
    margin_width = v;
    setProperty(P::MARGINS | P::REDISPLAY | P::RELAYOUT);
}

void Table::setMarginHeight(int v) {
    if (v < 0) invalid("MarginHeight");
    ombu::TreeLock guard(*this);
    margin_height = v;
    setProperty(P::MARGINS | P::REDISPLAY | P::RELAYOUT);
}

void Table::setShadowThickness(int v) {
    if (v < 0) invalid("ShadowThickness");
    ombu::TreeLock guard(*this);
    shadow_thickness = v;
    setProperty(P::SHADOW_THICKNESS);
}

void Table::setVisibleRows(int v) {
    ombu::TreeLock guard(*this);
    visible_rows = v;
    setProperty(P::TOP_ROW | P::RESIZE);
}

void Table::setVisibleColumns(int v) {
    ombu::TreeLock guard(*this);
    visible_columns = v;
    setProperty(P::LEFT_COLUMN | P::RESIZE);
}

void Table::setEnum(int& field, int v, int lo, int hi, const char* property, int flags) {
    checkRange(v, lo, hi, property);
    store(field, v, flags);
}

void Table::setValidatePolicy(int v) {
    setEnum(validate_policy, v, NxTblEnum::VALIDATE_NEVER, NxTblEnum::VALIDATE_ALWAYS, "ValidatePolicy", 0);
}

void Table::setAllowCellResize(int v) {
    setEnum(allow_cell_resize, v, NxTblEnum::RESIZE_NONE,
            NxTblEnum::RESIZE_ALL | NxTblEnum::RESIZE_COLUMN | NxTblEnum::RESIZE_ROW, "AllowCellResize", 0);
}

void Table::setRepaint(bool on) {
    ombu::TreeLock guard(*this);
    if (on == repaint_on) return;
    repaint_on = on;
    if (on && (needs_repaint || needs_recalc)) setProperty(P::RESET);
}

void Table::setRepeatBackgroundColors(std::vector<Color> colors) {
    ombu::TreeLock guard(*this);
    repeat_bg_colors = std::move(colors);
    setProperty(P::REDISPLAY);
}

void Table::setRepeatForegroundColors(std::vector<Color> colors) {
    ombu::TreeLock guard(*this);
    repeat_fg_colors = std::move(colors);
    setProperty(P::REDISPLAY);
}

}  // namespace norvex::table
