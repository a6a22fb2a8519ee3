#include "table/NxTable.h"

#include <algorithm>
#include <stdexcept>

#include "host/page/Applet.h"
#include "ombu/widgets/TreeLock.h"
#include "table/Create.h"
#include "table/cells/Widget.h"
#include "table/interact/Actions.h"
#include "table/model/BlockMove.h"
#include "table/model/TableOps.h"
#include "table/view/TableView.h"

namespace norvex::table {

using host::Value;

namespace {
void invalid(const char* property) {
    throw std::invalid_argument(std::string("Invalid ") + property + " value in NxTable");
}

// Whether an attribute set for (row, col) reaches the cell (edit_row, edit_col).
bool covers(int row, int col, int edit_row, int edit_col) {
    auto hit = [](int k, int e) { return k == e || k == NxTblEnum::ALL || k == NxTblEnum::ALLCELLS; };
    return edit_row >= 0 && hit(row, edit_row) && hit(col, edit_col);
}
}  // namespace

NxTable::NxTable(host::Applet* applet, const std::string& name) : Table(applet, name) {
    allow_cell_resize = NxTblEnum::RESIZE_ALL;
    track_cursor = true;
    setViewHooks(std::make_unique<TableView>(*this));
}

void NxTable::initialize() {
    Table::initialize();
    host::Applet* applet = getApplet();
    if (!applet) return;
    // Rich-text values find their images through the applet above them: the table sits
    // in its applet while its parameters are read (the page adds it for good afterwards).
    const bool lend = getParent() == nullptr;
    auto self = std::static_pointer_cast<host::Component>(shared_from_this());
    if (lend) applet->add(self);
    CreateNxTable::create(applet, *this);
    if (lend && getParent() == applet) applet->remove(this);
}

bool NxTable::makeVisible(int row, int col) { return TableView::of(*this)->makeVisible(row, col); }
bool NxTable::makeRowVisible(int row) { return TableView::of(*this)->makeRowVisible(row); }
bool NxTable::makeColumnVisible(int col) { return TableView::of(*this)->makeColumnVisible(col); }
bool NxTable::isVisible(int row, int col) const { return TableView::of(*this)->isVisible(row, col); }
bool NxTable::isRowVisible(int row) const { return TableView::of(*this)->isRowVisible(row); }
bool NxTable::isColumnVisible(int col) const { return TableView::of(*this)->isColumnVisible(col); }
int NxTable::YtoRow(int y) const { return TableView::of(*this)->YtoRow(y); }
int NxTable::XtoColumn(int x) const { return TableView::of(*this)->XtoColumn(x); }

bool NxTable::getVisibleCells(NxCellRange* range) const {
    host::Lock guard(mutex());
    const Clip* cells = TableView::of(*this)->clip(Clip::CELL);
    return cells && cells->visibleRange({0, 0, cells->getWidth(), cells->getHeight()}, range);
}

void NxTable::setMode(int m) {
    if (m != NxTblEnum::MODE_TABLE && m != NxTblEnum::MODE_LIST) invalid("Mode");
    ombu::TreeLock guard(*this);
    mode = m;
}

void NxTable::setSelectionPolicy(int p) {
    if (p < NxTblEnum::SELECT_NONE || p > NxTblEnum::SELECT_MULTIRANGE) invalid("SelectionPolicy");
    ombu::TreeLock guard(*this);
    selection_policy = p;
}

void NxTable::setSelectedCells(std::vector<NxCellRange> ranges) {
    ombu::TreeLock guard(*this);
    selected_cells = std::move(ranges);
    setProperty(PropertyEnum::REDISPLAY);
}

void NxTable::clearSelectedCells() { setSelectedCells({}); }

bool NxTable::isSelected(int row, int col) const {
    host::Lock guard(mutex());
    for (const NxCellRange& r : selected_cells)
        if (r.inRowRange2(row) && r.inColumnRange2(col)) return true;
    return false;
}

bool NxTable::getSelectedRange(int index, NxCellRange* range) const {
    host::Lock guard(mutex());
    if (index < 0 || index >= int(selected_cells.size())) return false;
    if (range) *range = selected_cells[size_t(index)];
    return true;
}

void NxTable::setEditable(int row, int col, bool b) {
    ombu::TreeLock guard(*this);
    editable_series.setValue(row, col, b);
    // The open editor follows: a cell made read-only loses it unstored.
    if (text && covers(row, col, edit_row, edit_column) && !getEditable(edit_row, edit_column)) Actions::cancel(*this, true);
}

void NxTable::setMaxLength(int row, int col, int n) {
    if (n < 0) invalid("MaxLength");
    ombu::TreeLock guard(*this);
    max_length_series.setValue(row, col, n);
    if (text && covers(row, col, edit_row, edit_column)) text->setMaxLength(n);
}

void NxTable::setMultiline(int row, int col, bool b) {
    ombu::TreeLock guard(*this);
    multiline_series.setValue(row, col, b);
    // The open editor becomes a field or an area, keeping its text.
    if (text && covers(row, col, edit_row, edit_column)) Actions::openEditor(*this, text->getText());
}

void NxTable::setStringCase(int row, int col, int v) {
    if (v < NxTblEnum::CASE_AS_IS || v > NxTblEnum::CASE_UPPER) invalid("StringCase");
    ombu::TreeLock guard(*this);
    string_case_series.setValue(row, col, v);
    if (text && covers(row, col, edit_row, edit_column)) text->setStringCase(v);
}

void NxTable::setTraversable(int row, int col, bool b) {
    ombu::TreeLock guard(*this);
    traversable_series.setValue(row, col, b);
    // Any entry holding true can make some cell traversable.
    traversable = traversable_series.containsValue(Value(true));
}

void NxTable::setUserdata(int row, int col, const Value& v) {
    ombu::TreeLock guard(*this);
    userdata_series.setValue(row, col, v);
}

void NxTable::structureChanged(const StructureChange& c) {
    std::vector<NxCellRange> kept;
    for (NxCellRange r : selected_cells) {
        bool keep = c.destination == NxTblEnum::NOVALUE ? Shift::range(r, c.axis_rows, c.pos, c.amount, c.direction)
                                                        : Shift::moveRange(r, c.axis_rows, c.pos, c.amount, c.destination);
        if (keep) kept.push_back(r);
    }
    selected_cells = std::move(kept);
    // The current cell follows its row or column; a deleted one is gone. An insertion
    // at or before the editor's row, or any deletion, closes the editor unstored.
    int& k = c.axis_rows ? edit_row : edit_column;
    if (k < 0) return;
    if (c.destination != NxTblEnum::NOVALUE) {
        if (isBlockMove(c.pos, c.amount, c.destination, (c.axis_rows ? rows : columns)))
            k = blockMoveIndex(k, c.pos, c.amount, c.destination);
        return;
    }
    if (c.direction <= 0 || k >= c.pos) text.reset();
    if (c.direction > 0) {
        if (k >= c.pos) k += c.amount;
    } else if (k >= c.pos + c.amount) {
        k -= c.amount;
    } else if (k >= c.pos) {
        edit_row = edit_column = NxTblEnum::NOVALUE;
    }
}

bool NxTable::handleEvent(host::Event& e) {
    // Events a component cell left unhandled are not presses on the cell under it.
    if (Widget::checkChild(*this, e)) return false;
    return Actions::handle(*this, e) || host::Panel::handleEvent(e);
}

}  // namespace norvex::table

namespace norvex::table {

// Each selected range follows its rows: the rows' new positions, merged back into
// ranges of consecutive rows.
void NxTable::rowsReordered(const std::vector<int>& new_rows) {
    std::vector<NxCellRange> kept;
    for (const NxCellRange& r : selected_cells) {
        if (r.minRow() < 0) {
            kept.push_back(r);  // whole columns and labels stay
            continue;
        }
        std::vector<int> moved;
        for (int row = r.minRow(); row <= std::min(r.maxRow(), int(new_rows.size()) - 1); ++row)
            moved.push_back(new_rows[size_t(row)]);
        std::sort(moved.begin(), moved.end());
        for (size_t i = 0; i < moved.size();) {
            size_t j = i;
            while (j + 1 < moved.size() && moved[j + 1] == moved[j] + 1) ++j;
            kept.emplace_back(moved[i], r.minColumn(), moved[j], r.maxColumn());
            i = j + 1;
        }
    }
    selected_cells = std::move(kept);
    // The current cell follows its row.
    if (edit_row >= 0 && edit_row < int(new_rows.size())) edit_row = new_rows[size_t(edit_row)];
}

}  // namespace norvex::table
