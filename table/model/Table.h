// The engine of the grid component: the cell values, the row and column labels, the
// spans, the attribute series, the size chains and the listener lists. Row, column
// and cell operations live in the operation classes (AddRow, DeleteRows, SetValue ...)
// that take the table as their first argument; every property change ends in the one
// dispatcher, Property::set.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/base/Color.h"
#include "host/base/Font.h"
#include "host/base/Geometry.h"
#include "host/runtime/Value.h"
#include "host/ui/Container.h"
#include "ombu/widgets/TreeLock.h"
#include "table/model/CellValue.h"
#include "table/model/Chain.h"
#include "table/model/NxCellRange.h"
#include "table/model/NxTableEvents.h"
#include "table/model/NxTblEnum.h"
#include "table/model/Series.h"
#include "table/model/TableViewHooks.h"

namespace host {
class Applet;
}
namespace norvex::util {
class NxSortInterface;
}

namespace norvex::table {

class Clip;

class Table : public host::Panel {
    HOST_OBJECT(Table, "norvex.table.Table", host::Panel)
public:
    explicit Table(host::Applet* applet = nullptr, const std::string& name = "");
    ~Table() override;

    host::Applet* getApplet() const { return applet; }

    // ---- Series of this table (each Series joins on construction) ----
    void addSeries(Series* s);
    void removeSeries(Series* s);
    const std::vector<Series*>& getSeriesList() const { return series_list; }

    // ---- Dimensions ----
    int getNumRows() const { return rows; }
    int getNumColumns() const { return columns; }
    // Rows past the new count lose their values, labels, attributes and spans.
    void setNumRows(int n);
    void setNumColumns(int n);
    bool isCell(int row, int col) const { return row >= 0 && col >= 0; }
    bool isLabel(int row, int col) const { return (row == NxTblEnum::LABEL) != (col == NxTblEnum::LABEL); }
    bool isColumnLabel(int row, int col) const { return row == NxTblEnum::LABEL && col != NxTblEnum::LABEL; }
    bool isRowLabel(int row, int col) const { return col == NxTblEnum::LABEL && row != NxTblEnum::LABEL; }

    // ---- Values ----
    // Stores value in a cell, a whole row (col ALL), column (row ALL) or every cell;
    // runs validation when the validate policy asks for it.
    void setCell(int row, int col, const host::Value& value);
    // The stored value; a missing one is asked of the cell-value listeners.
    host::Value getCell(int row, int col);
    void setCells(const std::vector<std::vector<host::Value>>& values);
    std::vector<std::vector<host::Value>> getCells();
    void clearCells();
    void setColumnLabel(int col, const host::Value& v);
    void setRowLabel(int row, const host::Value& v);
    host::Value getColumnLabel(int col);
    host::Value getRowLabel(int row);
    void setColumnLabels(const std::vector<host::Value>& labels);
    void setRowLabels(const std::vector<host::Value>& labels);
    std::vector<host::Value> getColumnLabels();
    std::vector<host::Value> getRowLabels();

    // ---- Rows and columns ----
    // position MAXINT appends. Each returns true on success and leaves the table
    // unchanged on failure.
    bool addRow(int position, const host::Value& label, const std::vector<host::Value>& values);
    bool addColumn(int position, const host::Value& label, const std::vector<host::Value>& values);
    bool deleteRows(int position, int num_rows);
    bool deleteColumns(int position, int num_columns);
    // Moves num rows from source to before the row that was at destination.
    bool moveRows(int source, int num_rows, int destination);
    bool moveColumns(int source, int num_columns, int destination);
    // Sorts the rows by column (direction 0 ascending, else descending); for each row
    // before the sort its new position, empty when column is not a column.
    std::vector<int> sortByColumn(int column, int direction = 0, util::NxSortInterface* sort_if = nullptr);

    // Whether a cell shows as selected (the component with a selection overrides it).
    virtual bool isSelected(int /*row*/, int /*col*/) const { return false; }
    // The current cell; NOVALUE when there is none.
    int getEditRow() const { return edit_row; }
    int getEditColumn() const { return edit_column; }
    // The column a label click sorted last (NOVALUE: none) and its direction.
    int getSortColumn() const { return sort_column; }
    int getSortDirection() const { return sort_direction; }
    // The row or column being resized by dragging (NOVALUE: none).
    int getResizeRow() const { return resize_row; }
    int getResizeColumn() const { return resize_column; }

    // ---- Spans ----
    void setSpans(const std::vector<NxCellRange>& spans);
    const std::vector<NxCellRange>& getSpans() const { return span_list; }
    // The span holding (row, col): its range and pixel size. False when there is none.
    bool findSpan(int row, int col, NxCellRange* range, host::Dimension* size);

    // ---- Cell attributes ----
    // The component's own colours stay reachable beside the per-cell ones.
    using host::Panel::getBackground;
    using host::Panel::getForeground;
    using host::Panel::setBackground;
    using host::Panel::setForeground;
    void setAlignment(int row, int col, int v);
    int getAlignment(int row, int col) const { return alignment_series.getIntValue(row, col); }
    void setBackground(int row, int col, const host::Color& c);
    void setBackground(int row, int col, int marker);  // REPEAT_ROW or REPEAT_COLUMN
    // The resolved colour: the series' colour, a repeat-list colour, or the table's own.
    host::Color getBackground(int row, int col) const;
    void setForeground(int row, int col, const host::Color& c);
    void setForeground(int row, int col, int marker);
    host::Color getForeground(int row, int col) const;
    void setBorderSides(int row, int col, int v);
    int getBorderSides(int row, int col) const { return border_sides_series.getIntValue(row, col); }
    void setBorderType(int row, int col, int v);
    int getBorderType(int row, int col) const { return border_type_series.getIntValue(row, col); }
    void setCharHeight(int row, int v);
    int getCharHeight(int row) const { return char_height_series.getIntValue(row, NxTblEnum::ALL); }
    void setCharWidth(int col, int v);
    int getCharWidth(int col) const { return char_width_series.getIntValue(NxTblEnum::ALL, col); }
    void setDatatype(int row, int col, int v);
    int getDatatype(int row, int col) const { return datatype_series.getIntValue(row, col); }
    // The component's own font stays reachable beside the per-cell one.
    using host::Panel::getFont;
    using host::Panel::setFont;
    void setFont(int row, int col, const std::optional<host::Font>& f);
    // The cell's font, or nullopt for the component's font.
    std::optional<host::Font> getFont(int row, int col) const;
    void setPixelHeight(int row, int v);
    int getPixelHeight(int row) const { return pixel_height_series.getIntValue(row, NxTblEnum::ALL); }
    void setPixelWidth(int col, int v);
    int getPixelWidth(int col) const { return pixel_width_series.getIntValue(NxTblEnum::ALL, col); }

    // ---- Scalar properties ----
    int getFrozenRows() const { return frozen_rows; }
    void setFrozenRows(int n);
    int getFrozenColumns() const { return frozen_columns; }
    void setFrozenColumns(int n);
    int getTopRow() const { return top_row; }
    void setTopRow(int row);
    int getLeftColumn() const { return left_column; }
    void setLeftColumn(int col);
    int getMarginWidth() const { return margin_width; }
    void setMarginWidth(int v);
    int getMarginHeight() const { return margin_height; }
    void setMarginHeight(int v);
    int getShadowThickness() const { return shadow_thickness; }
    void setShadowThickness(int v);
    int getVisibleRows() const { return visible_rows; }
    void setVisibleRows(int v);
    int getVisibleColumns() const { return visible_columns; }
    void setVisibleColumns(int v);
    bool getRepaint() const { return repaint_on; }
    // Turning painting on with deferred work pending does that work in one pass.
    void setRepaint(bool on);
    const std::vector<host::Color>& getRepeatBackgroundColors() const { return repeat_bg_colors; }
    void setRepeatBackgroundColors(std::vector<host::Color> colors);
    const std::vector<host::Color>& getRepeatForegroundColors() const { return repeat_fg_colors; }
    void setRepeatForegroundColors(std::vector<host::Color> colors);
    int getValidatePolicy() const { return validate_policy; }
    void setValidatePolicy(int v);

    // Properties read by layout, scrolling and painting; each setter sends the flags the
    // change needs. Enumerated values outside their range are rejected.
    int getAllowCellResize() const { return allow_cell_resize; }
    void setAllowCellResize(int v);
    bool getTrackCursor() const { return track_cursor; }
    void setTrackCursor(bool b) { store(track_cursor, b, 0); }
    bool getDoubleBuffer() const { return double_buffer; }
    void setDoubleBuffer(bool b) { store(double_buffer, b, 0); }
    int getJumpScroll() const { return jump; }
    void setJumpScroll(int v) { setEnum(jump, v, NxTblEnum::JUMP_NONE, NxTblEnum::JUMP_ALL, "JumpScroll", 0); }
    int getMinCellVisibility() const { return min_cell_visibility; }
    void setMinCellVisibility(int v) { setEnum(min_cell_visibility, v, 0, 100, "MinCellVisibility", 0); }
    bool getColumnLabelSort() const { return column_label_sort; }
    void setColumnLabelSort(bool b) { store(column_label_sort, b, 0); }
    bool getDisplayClipArrows() const { return display_clip_arrows; }
    void setDisplayClipArrows(bool b) { store(display_clip_arrows, b, PropertyEnum::REDISPLAY); }
    std::optional<host::Color> getSelectedBackground() const { return selected_bg; }
    void setSelectedBackground(std::optional<host::Color> c) { store(selected_bg, c, PropertyEnum::REDISPLAY); }
    std::optional<host::Color> getSelectedForeground() const { return selected_fg; }
    void setSelectedForeground(std::optional<host::Color> c) { store(selected_fg, c, PropertyEnum::REDISPLAY); }
    int getFrameBorderType() const { return frame_bordertype; }
    void setFrameBorderType(int v) {
        setEnum(frame_bordertype, v, NxTblEnum::BORDER_NONE, NxTblEnum::BORDER_FRAME_OUT, "FrameBorderType", RELAYOUT);
    }
    int getFrozenColumnPlacement() const { return frozen_column_placement; }
    void setFrozenColumnPlacement(int v) { setEnum(frozen_column_placement, v, 0, 1, "FrozenColumnPlacement", RELAYOUT); }
    int getFrozenRowPlacement() const { return frozen_row_placement; }
    void setFrozenRowPlacement(int v) { setEnum(frozen_row_placement, v, 0, 1, "FrozenRowPlacement", RELAYOUT); }
    int getColumnLabelPlacement() const { return column_label_placement; }
    void setColumnLabelPlacement(int v) { setEnum(column_label_placement, v, 0, 1, "ColumnLabelPlacement", RELAYOUT); }
    int getRowLabelPlacement() const { return row_label_placement; }
    void setRowLabelPlacement(int v) { setEnum(row_label_placement, v, 0, 1, "RowLabelPlacement", RELAYOUT); }
    int getHorizSBAttachment() const { return horizsb_attach; }
    void setHorizSBAttachment(int v) { setEnum(horizsb_attach, v, 0, 1, "HorizSBAttachment", RELAYOUT); }
    int getVertSBAttachment() const { return vertsb_attach; }
    void setVertSBAttachment(int v) { setEnum(vertsb_attach, v, 0, 1, "VertSBAttachment", RELAYOUT); }
    int getHorizSBPosition() const { return horizsb_position; }
    void setHorizSBPosition(int v) { setEnum(horizsb_position, v, 0, 1, "HorizSBPosition", RELAYOUT); }
    int getVertSBPosition() const { return vertsb_position; }
    void setVertSBPosition(int v) { setEnum(vertsb_position, v, 0, 1, "VertSBPosition", RELAYOUT); }
    int getColumnLabelOffset() const { return column_label_offset; }
    void setColumnLabelOffset(int v) { setEnum(column_label_offset, v, 0, NxTblEnum::MAXINT, "ColumnLabelOffset", RELAYOUT); }
    int getRowLabelOffset() const { return row_label_offset; }
    void setRowLabelOffset(int v) { setEnum(row_label_offset, v, 0, NxTblEnum::MAXINT, "RowLabelOffset", RELAYOUT); }
    int getFrameShadowThickness() const { return frame_shadow; }
    void setFrameShadowThickness(int v) { setEnum(frame_shadow, v, 0, NxTblEnum::MAXINT, "FrameShadowThickness", RELAYOUT_RESIZE); }
    int getHorizSBOffset() const { return horizsb_offset; }
    void setHorizSBOffset(int v) { setEnum(horizsb_offset, v, 0, NxTblEnum::MAXINT, "HorizSBOffset", RELAYOUT_RESIZE); }
    int getVertSBOffset() const { return vertsb_offset; }
    void setVertSBOffset(int v) { setEnum(vertsb_offset, v, 0, NxTblEnum::MAXINT, "VertSBOffset", RELAYOUT_RESIZE); }
    int getHorizSBDisplay() const { return horizsb_display; }
    void setHorizSBDisplay(int v) { setEnum(horizsb_display, v, 0, 2, "HorizSBDisplay", RELAYOUT_RESIZE); }
    int getVertSBDisplay() const { return vertsb_display; }
    void setVertSBDisplay(int v) { setEnum(vertsb_display, v, 0, 2, "VertSBDisplay", RELAYOUT_RESIZE); }

    // ---- Sizes ----
    const Chain& getRowHeights() const { return row_heights; }
    const Chain& getColumnWidths() const { return column_widths; }

    // ---- Property changes ----
    void setProperty(int flags) { setProperty(NxTblEnum::NOVALUE, NxTblEnum::NOVALUE, flags); }
    void setProperty(int row, int col, int flags);
    // Row and column counts before the last change of the dimensions (for the storage).
    int getOldRows() const { return old_rows; }
    int getOldColumns() const { return old_columns; }
    bool needsRepaint() const { return needs_repaint; }
    bool needsRecalc() const { return needs_recalc; }

    // ---- Listeners ----
    void addCellValueListener(NxCellValueListener* l) { cell_value_listeners.add(l); }
    void removeCellValueListener(NxCellValueListener* l) { cell_value_listeners.remove(l); }
    void addLabelValueListener(NxLabelValueListener* l) { label_value_listeners.add(l); }
    void removeLabelValueListener(NxLabelValueListener* l) { label_value_listeners.remove(l); }
    void addValidateCellListener(NxValidateCellListener* l) { validate_listeners.add(l); }
    void removeValidateCellListener(NxValidateCellListener* l) { validate_listeners.remove(l); }
    void addCreateComponentListener(NxCreateComponentListener* l) { create_component_listeners.add(l); }
    void removeCreateComponentListener(NxCreateComponentListener* l) { create_component_listeners.remove(l); }
    void addDisplayComponentListener(NxDisplayComponentListener* l) { display_component_listeners.add(l); }
    void removeDisplayComponentListener(NxDisplayComponentListener* l) { display_component_listeners.remove(l); }
    void addEnterCellListener(NxEnterCellListener* l) { enter_cell_listeners.add(l); }
    void removeEnterCellListener(NxEnterCellListener* l) { enter_cell_listeners.remove(l); }
    void addResizeCellListener(NxResizeCellListener* l) { resize_cell_listeners.add(l); }
    void removeResizeCellListener(NxResizeCellListener* l) { resize_cell_listeners.remove(l); }
    void addTraverseCellListener(NxTraverseCellListener* l) { traverse_cell_listeners.add(l); }
    void removeTraverseCellListener(NxTraverseCellListener* l) { traverse_cell_listeners.remove(l); }
    void addPaintListener(NxPaintListener* l) { paint_listeners.add(l); }
    void removePaintListener(NxPaintListener* l) { paint_listeners.remove(l); }
    void addScrollListener(NxScrollListener* l) { scroll_listeners.add(l); }
    void removeScrollListener(NxScrollListener* l) { scroll_listeners.remove(l); }
    void addSelectListener(NxSelectListener* l) { select_listeners.add(l); }
    void removeSelectListener(NxSelectListener* l) { select_listeners.remove(l); }
    void addSortListener(NxSortListener* l) { sort_listeners.add(l); }
    void removeSortListener(NxSortListener* l) { sort_listeners.remove(l); }

    void addNotify() override;
    // The plain table's input: scrolling keys, resizing by a border, sorting by a label.
    bool handleEvent(host::Event& e) override;
    void layout() override;
    host::Dimension preferredSize() override;
    void paint(host::Graphics& g) override;

    // The drawing side; a table without one keeps only its model.
    void setViewHooks(std::unique_ptr<TableViewHooks> hooks);
    TableViewHooks* getViewHooks() const { return view_hooks.get(); }

protected:
    // Row or column structure changed: derived tables keep their own per-cell state
    // (selection ...) aligned. axis_rows tells rows from columns; for a move, amount is
    // the block length and destination is set; otherwise direction > 0 inserts amount
    // entries at pos and direction <= 0 deletes them.
    struct StructureChange {
        bool axis_rows;
        int pos;
        int amount;
        int direction;
        int destination;  // NOVALUE unless a move
    };
    virtual void structureChanged(const StructureChange&) {}
    // Rows were reordered: row k is now row new_rows[k].
    virtual void rowsReordered(const std::vector<int>& /*new_rows*/) {}
    // Component cells: a cell that shows a live component places it and paints it into g
    // (clip pixels, the cell at bounds) and returns true. componentsMoved runs after the
    // view scrolled or changed (redisplay: the cells' contents may have changed too).
    virtual bool drawComponent(host::Graphics& /*g*/, Clip& /*clip*/, int /*row*/, int /*col*/,
                               const host::Rectangle& /*bounds*/) {
        return false;
    }
    virtual void componentsMoved(bool /*redisplay*/) {}
    // A value was stored in the cell (row, col) (an open editor there shows it).
    virtual void cellStored(int /*row*/, int /*col*/) {}
    // Paints an open cell editor over (row, col) whose rectangle in g is cell; false when
    // the cell has none (the current-cell outline is drawn instead).
    virtual bool paintEditor(host::Graphics& /*g*/, int /*row*/, int /*col*/, const host::Rectangle& /*cell*/) {
        return false;
    }

private:
    friend struct AddRow;
    friend struct AddColumn;
    friend struct DeleteRows;
    friend struct DeleteColumns;
    friend struct SetValue;
    friend struct GetValue;
    friend struct Shift;
    friend struct Span;
    friend struct Actions;
    friend struct Sort;
    friend struct Property;
    friend struct Size;
    friend struct VarSize;
    friend struct Layout;
    friend struct Draw;
    friend struct NxCell;
    friend class Clip;
    friend class TableView;
    friend class TblScrollbar;
    friend struct Create;
    friend class NxTblConverter;

    static constexpr int RELAYOUT = PropertyEnum::RELAYOUT;
    static constexpr int RELAYOUT_RESIZE = PropertyEnum::RELAYOUT | PropertyEnum::RESIZE;
    // Stores a property under the tree lock and its own (the flags may repaint, which
    // places component cells) and sends flags when it changed.
    template <class T>
    void store(T& field, T v, int flags) {
        ombu::TreeLock guard(*this);
        if (field == v) return;
        field = std::move(v);
        if (flags) setProperty(flags);
    }
    void setEnum(int& field, int v, int lo, int hi, const char* property, int flags);

    host::Color resolveColor(const Series& series, const std::vector<host::Color>& repeat, int row, int col,
                             bool background) const;
    void setAttribute(Series& series, int row, int col, host::Value v, int flags);

    host::Applet* applet;

protected:
    // Declared first: the series below join it while the table is built.
    std::vector<Series*> series_list;

    int rows = 10;
    int columns = 5;
    int old_rows = 10;
    int old_columns = 5;
    // Rows of cells; a missing row, or a row shorter than a column, holds nulls. A row
    // that holds any value is sized to the column count at once.
    std::vector<std::vector<CellValue>> cells;
    std::vector<CellValue> column_labels;
    std::vector<CellValue> row_labels;

    int frozen_rows = 0;
    int frozen_columns = 0;
    int top_row = 0;
    int left_column = 0;
    bool set_top_row = false;
    bool set_left_column = false;
    int margin_width = 5;
    int margin_height = 2;
    int shadow_thickness = 1;
    int visible_rows = NxTblEnum::NOVALUE;
    int visible_columns = NxTblEnum::NOVALUE;
    bool repaint_on = true;
    bool needs_repaint = false;
    bool needs_recalc = false;
    int validate_policy = NxTblEnum::VALIDATE_NEVER;
    int allow_cell_resize = NxTblEnum::RESIZE_NONE;
    bool track_cursor = false;
    bool double_buffer = true;
    int jump = NxTblEnum::JUMP_NONE;
    int min_cell_visibility = 100;
    bool column_label_sort = false;
    bool display_clip_arrows = true;
    std::optional<host::Color> selected_bg;  // unset: the default selection colours
    std::optional<host::Color> selected_fg;
    int frame_bordertype = NxTblEnum::BORDER_IN;
    int frame_shadow = 0;
    int frozen_column_placement = NxTblEnum::PLACE_LEFT;
    int frozen_row_placement = NxTblEnum::PLACE_TOP;
    int column_label_placement = NxTblEnum::PLACE_TOP;
    int row_label_placement = NxTblEnum::PLACE_LEFT;
    int horizsb_attach = NxTblEnum::ATTACH_CELLS, vertsb_attach = NxTblEnum::ATTACH_CELLS;
    int horizsb_position = NxTblEnum::SBPOSITION_CELLS, vertsb_position = NxTblEnum::SBPOSITION_CELLS;
    int column_label_offset = 0, row_label_offset = 0;
    int horizsb_offset = 6, vertsb_offset = 6;
    int horizsb_display = NxTblEnum::SBDISPLAY_AS_NEEDED, vertsb_display = NxTblEnum::SBDISPLAY_AS_NEEDED;
    std::vector<host::Color> repeat_bg_colors;  // empty: none
    std::vector<host::Color> repeat_fg_colors;
    std::vector<NxCellRange> span_list;       // the spans as set
    std::vector<NxCellRange> span_list_orig;  // the spans clipped to the current table
    int edit_row = NxTblEnum::NOVALUE;
    int edit_column = NxTblEnum::NOVALUE;
    // The column last sorted by a label click and its direction, shown on that label.
    int sort_column = NxTblEnum::NOVALUE;
    int sort_direction = 0;
    // An interactive resize: the row or column, the direction, the cell's edge and the
    // guide line (table pixels; -1 while none is drawn).
    int resize_row = NxTblEnum::NOVALUE, resize_column = NxTblEnum::NOVALUE;
    int resize_origin = 0, resize_line = -1;
    int cursor_x = NxTblEnum::NOVALUE, cursor_y = NxTblEnum::NOVALUE;  // last tracked pointer

    // Guards of the value call-backs.
    bool in_cell_value_cb = false;
    bool in_label_value_cb = false;

    Chain row_heights;
    Chain column_widths;

    // Measured sizes (content sizes of the labels, without offsets) and the layout.
    int row_label_width = 0;
    int column_label_height = 0;
    int64_t cell_total_width = 0;   // width of the scrollable columns
    int64_t cell_total_height = 0;  // height of the scrollable rows
    int cell_width = 0;             // visible scrollable area
    int cell_height = 0;
    int desired_width = 0;
    int desired_height = 0;
    // The current cell range being painted.
    NxCellRange draw_range;
    std::unique_ptr<TableViewHooks> view_hooks;

    Series alignment_series{this, host::Value(NxTblEnum::TOPLEFT)};
    Series bg_series{this, host::Value()};
    Series border_sides_series{this, host::Value(NxTblEnum::BORDERSIDE_ALL)};
    Series border_type_series{this, host::Value(NxTblEnum::BORDER_IN)};
    Series char_height_series{this, host::Value(1)};
    Series char_width_series{this, host::Value(10)};
    Series datatype_series{this, host::Value(NxTblEnum::TYPE_STRING)};
    Series font_series{this, host::Value()};
    Series fg_series{this, host::Value()};
    Series pixel_height_series{this, host::Value(NxTblEnum::NOVALUE)};
    Series pixel_width_series{this, host::Value(NxTblEnum::NOVALUE)};

    ListenerList<NxCellValueListener> cell_value_listeners;
    ListenerList<NxLabelValueListener> label_value_listeners;
    ListenerList<NxValidateCellListener> validate_listeners;
    ListenerList<NxCreateComponentListener> create_component_listeners;
    ListenerList<NxDisplayComponentListener> display_component_listeners;
    ListenerList<NxEnterCellListener> enter_cell_listeners;
    ListenerList<NxResizeCellListener> resize_cell_listeners;
    ListenerList<NxTraverseCellListener> traverse_cell_listeners;
    ListenerList<NxPaintListener> paint_listeners;
    ListenerList<NxScrollListener> scroll_listeners;
    ListenerList<NxSelectListener> select_listeners;
    ListenerList<NxSortListener> sort_listeners;
};

}  // namespace norvex::table
