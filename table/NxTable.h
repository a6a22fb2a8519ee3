// The public table component: the engine plus selection, the policies of selection
// and validation, the list mode, and the editing attributes (editable, maximum length,
// multi-line, string case, traversable, user data).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/ui/RepeatTimer.h"
#include "host/ui/TextComponent.h"
#include "table/model/Table.h"

namespace norvex::table {

class NxTable : public Table {
    HOST_CREATABLE(NxTable, "norvex.table.NxTable", Table)
public:
    explicit NxTable(host::Applet* applet = nullptr, const std::string& name = "");
    // Reads the page parameters once, when the table is made inside a page.
    void initialize() override;
    // Presses, drags, releases and keys go through the action table.
    bool handleEvent(host::Event& e) override;

    int getMode() const { return mode; }
    void setMode(int m);
    int getSelectionPolicy() const { return selection_policy; }
    void setSelectionPolicy(int p);

    // ---- Selection ----
    const std::vector<NxCellRange>& getSelectedCells() const { return selected_cells; }
    void setSelectedCells(std::vector<NxCellRange> ranges);
    void clearSelectedCells();
    bool isSelected(int row, int col) const override;
    // The index-th selected range; false when there is none.
    bool getSelectedRange(int index, NxCellRange* range) const;

    // ---- On screen ----
    // Scrolls so the cell shows (false while the table is not displayed).
    bool makeVisible(int row, int col);
    bool makeRowVisible(int row);
    bool makeColumnVisible(int col);
    bool isVisible(int row, int col) const;
    bool isRowVisible(int row) const;
    bool isColumnVisible(int col) const;
    // The row (column) at a pixel of the component: -1 for the labels, NOVALUE outside.
    int YtoRow(int y) const;
    int XtoColumn(int x) const;
    // The scrollable cells that show now; false when none do.
    bool getVisibleCells(NxCellRange* range) const;

    // ---- Editing attributes ----
    void setEditable(int row, int col, bool b);
    bool getEditable(int row, int col) const { return editable_series.getBooleanValue(row, col); }
    void setMaxLength(int row, int col, int n);
    int getMaxLength(int row, int col) const { return max_length_series.getIntValue(row, col); }
    void setMultiline(int row, int col, bool b);
    bool getMultiline(int row, int col) const { return multiline_series.getBooleanValue(row, col); }
    void setStringCase(int row, int col, int v);
    int getStringCase(int row, int col) const { return string_case_series.getIntValue(row, col); }
    void setTraversable(int row, int col, bool b);
    bool getTraversable(int row, int col) const { return traversable_series.getBooleanValue(row, col); }
    // True while any cell is traversable.
    bool isTraversable() const { return traversable; }
    void setUserdata(int row, int col, const host::Value& v);
    host::Value getUserdata(int row, int col) const { return userdata_series.getValue(row, col); }

    // ---- Component cells ----
    // Shows c live in the cell, row or column (ALL wild cards); the same component set
    // elsewhere moves there. Null on (ALL, ALL) removes every component cell.
    void setComponent(int row, int col, const host::ComponentPtr& c);
    // The component showing in the cell: the one set there, else a clone of the one set
    // for its row or column (made now when create is set). Null when there is none.
    host::ComponentPtr getComponent(int row, int col, bool create = false);
    using Table::getComponent;  // the child at an index
    // ---- Editing ----
    // The open cell editor, or null.
    host::TextComponent* getTextComponent() const { return text.get(); }
    // Stores the editor's text (validated when the policy asks); false when it was
    // rejected: the editor then stays open and flashes. With hide the editor closes.
    bool commitEdit(bool hide);
    void cancelEdit(bool hide);
    // Makes (row, col) the current cell, committing an open editor first; an editable
    // cell gets an editor.
    bool traverse(int row, int col);
    // While a rejected value shows inverted (for 250 ms).
    bool isFlashing() const { return flashing.load(); }

protected:
    void structureChanged(const StructureChange& change) override;
    void rowsReordered(const std::vector<int>& new_rows) override;
    bool drawComponent(host::Graphics& g, Clip& clip, int row, int col, const host::Rectangle& bounds) override;
    void componentsMoved(bool redisplay) override;
    void cellStored(int row, int col) override;
    bool paintEditor(host::Graphics& g, int row, int col, const host::Rectangle& cell) override;

private:
    friend struct Actions;
    friend struct Widget;
    friend class NxTableComponent;
    int64_t last_key_when = -1;  // the last key, to drop one delivered twice
    int last_key = 0;
    int mode = NxTblEnum::MODE_TABLE;
    int selection_policy = NxTblEnum::SELECT_NONE;
    bool traversable = true;
    bool allow_select = true;
    std::vector<NxCellRange> selected_cells;
    int select_start_row = NxTblEnum::NOVALUE, select_last_row = NxTblEnum::NOVALUE;
    int select_start_column = NxTblEnum::NOVALUE, select_last_column = NxTblEnum::NOVALUE;

    // The cell editor and its flash after a rejected value.
    std::shared_ptr<host::TextComponent> text;
    std::atomic<bool> flashing{false};
    std::unique_ptr<host::RepeatTimer> flash_timer;
    bool editor_drag = false;  // a press in the editor: its drag selects text

    Series editable_series{this, host::Value(true)};
    Series max_length_series{this, host::Value(NxTblEnum::MAXINT)};
    Series multiline_series{this, host::Value(false)};
    Series string_case_series{this, host::Value(NxTblEnum::CASE_AS_IS)};
    Series traversable_series{this, host::Value(true)};
    Series userdata_series{this, host::Value()};
    // Component cells: WidgetSeriesValue entries, no default.
    Series component_series{this};
    bool in_setComponent = false;
};

}  // namespace norvex::table
