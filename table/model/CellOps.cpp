// Storing and reading cell and label values (SetValue, GetValue).
#include "table/model/Table.h"
#include "table/model/TableOps.h"

namespace norvex::table {

using host::Value;

namespace {

// Sets a flag for the life of a call-back and clears it afterwards.
struct Guard {
    bool& flag;
    explicit Guard(bool& f) : flag(f) { flag = true; }
    ~Guard() { flag = false; }
};

void growTo(std::vector<CellValue>& v, size_t n) {
    if (v.size() < n) v.resize(n);
}

}  // namespace

// Writes a cell of the storage; a row that receives its first value is sized to the
// column count at once, so it never grows again cell by cell.
static void storeCell(std::vector<std::vector<CellValue>>& cells, int columns, int row, int col, CellValue v) {
    if (size_t(row) >= cells.size()) {
        if (v.isNull()) return;
        cells.resize(size_t(row) + 1);
    }
    auto& r = cells[size_t(row)];
    if (r.empty()) {
        if (v.isNull()) return;
        r.resize(size_t(columns));
    }
    growTo(r, size_t(col) + 1);
    r[size_t(col)] = std::move(v);
}

bool SetValue::validate(Table& t, int row, int col, Value& value) {
    if (t.validate_policy != NxTblEnum::VALIDATE_SET && t.validate_policy != NxTblEnum::VALIDATE_ALWAYS) return true;
    if (t.validate_listeners.empty()) return true;
    Value old = GetValue::cell(t, row, col);
    NxValidateCellEvent e(&t, row, col, !old.equals(value), t.getDatatype(row, col), value);
    for (auto* l : t.validate_listeners.snapshot()) {
        l->validateCellBegin(e);
        if (!e.doit) return false;
    }
    value = e.value;
    for (auto* l : t.validate_listeners.snapshot()) l->validateCellEnd(e);
    return true;
}

bool SetValue::cell(Table& t, int row, int col, const Value& value, bool validate) {
    if (row == NxTblEnum::ALLCELLS) row = NxTblEnum::ALL;
    if (col == NxTblEnum::ALLCELLS) col = NxTblEnum::ALL;
    if ((row < 0 && row != NxTblEnum::ALL) || (col < 0 && col != NxTblEnum::ALL)) return false;
    if (row >= t.rows || col >= t.columns) return false;
    const int r0 = row == NxTblEnum::ALL ? 0 : row, r1 = row == NxTblEnum::ALL ? t.rows - 1 : row;
    const int c0 = col == NxTblEnum::ALL ? 0 : col, c1 = col == NxTblEnum::ALL ? t.columns - 1 : col;
    const CellValue stored(value);
    if (t.view_hooks && r0 == r1 && c0 == c1) t.view_hooks->valueChanging(r0, c0);
    bool any = false;
    for (int r = r0; r <= r1; ++r) {
        for (int c = c0; c <= c1; ++c) {
            if (validate && !t.validate_listeners.empty()) {
                Value v = value;
                if (!SetValue::validate(t, r, c, v)) continue;
                storeCell(t.cells, t.columns, r, c, CellValue(v));
            } else {
                storeCell(t.cells, t.columns, r, c, stored);
            }
            any = true;
        }
    }
    if (any) {
        if (t.edit_row >= r0 && t.edit_row <= r1 && t.edit_column >= c0 && t.edit_column <= c1)
            t.cellStored(t.edit_row, t.edit_column);
        if (t.repaint_on)
            t.setProperty(row, col, PropertyEnum::DRAW_CELL);
        else
            t.needs_repaint = true;
    }
    return any;
}

void SetValue::label(Table& t, int row, int col, const Value& value) {
    if (t.view_hooks) t.view_hooks->valueChanging(row, col);
    if (t.isColumnLabel(row, col)) {
        if (col < 0 || col >= t.columns) return;
        growTo(t.column_labels, size_t(col) + 1);
        t.column_labels[size_t(col)] = CellValue(value);
    } else if (t.isRowLabel(row, col)) {
        if (row < 0 || row >= t.rows) return;
        growTo(t.row_labels, size_t(row) + 1);
        t.row_labels[size_t(row)] = CellValue(value);
    } else {
        return;
    }
    if (t.repaint_on)
        t.setProperty(row, col, PropertyEnum::DRAW_CELL);
    else
        t.needs_repaint = true;
}

Value GetValue::cell(Table& t, int row, int col) {
    if (row < 0 || col < 0 || row >= t.rows || col >= t.columns) return Value();
    if (size_t(row) < t.cells.size()) {
        const auto& r = t.cells[size_t(row)];
        if (size_t(col) < r.size() && !r[size_t(col)].isNull()) return r[size_t(col)].get();
    }
    if (t.cell_value_listeners.empty() || t.in_cell_value_cb) return Value();
    NxValueEvent e(&t, row, col);
    {
        Guard g(t.in_cell_value_cb);
        for (auto* l : t.cell_value_listeners.snapshot()) l->cellValue(e);
    }
    if (e.store && !e.value.isNull()) storeCell(t.cells, t.columns, row, col, CellValue(e.value));
    return e.value;
}

Value GetValue::label(Table& t, int row, int col) {
    const bool column = t.isColumnLabel(row, col);
    if (!column && !t.isRowLabel(row, col)) return Value();
    const int index = column ? col : row;
    if (index < 0 || index >= (column ? t.columns : t.rows)) return Value();
    const auto& labels = column ? t.column_labels : t.row_labels;
    if (size_t(index) < labels.size() && !labels[size_t(index)].isNull()) return labels[size_t(index)].get();
    if (t.label_value_listeners.empty() || t.in_label_value_cb) return Value();
    NxValueEvent e(&t, row, col);
    {
        Guard g(t.in_label_value_cb);
        for (auto* l : t.label_value_listeners.snapshot()) {
            if (column)
                l->columnLabelValue(e);
            else
                l->rowLabelValue(e);
        }
    }
    if (e.store && !e.value.isNull()) {
        auto& store = column ? t.column_labels : t.row_labels;
        growTo(store, size_t(index) + 1);
        store[size_t(index)] = CellValue(e.value);
    }
    return e.value;
}

}  // namespace norvex::table
