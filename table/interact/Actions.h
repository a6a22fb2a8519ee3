// What the table does with the mouse and the keyboard: the action table that dispatches
// presses, drags, releases and keys to the traversal, selection, editing, resizing and
// sorting actions.
#pragma once

#include <optional>
#include <string>

#include "host/runtime/Value.h"
#include "host/ui/Event.h"
#include "table/model/NxCellRange.h"

namespace norvex::table {

class NxTable;
class Table;

struct Actions {
    // Selection words of the range being dragged.
    static constexpr int DISALLOWED = -1000;

    // The action table: true when the event was used.
    static bool handle(NxTable& t, host::Event& e);

    // ---- Traversal ----
    // Moves the current cell: "POINTER" (the cell under the event), "RIGHT", "LEFT", "DOWN",
    // "UP", "HOME", "END" (first or last traversable cell of the row); false when it stays.
    static bool traverse(NxTable& t, host::Event* e, const std::string& param);
    // The next traversable cell from (row, column) in a direction, or nullopt. Visits each
    // cell at most once and skips the rest of the span the start lies in.
    static std::optional<NxCellPosition> findTraversableCell(NxTable& t, const std::string& direction, int row,
                                                             int column);
    // Makes (row, column) the current cell (a span's anchor for a cell inside it), with the
    // traverse and enter-cell events; with select the selection follows.
    static bool moveCurrent(NxTable& t, int row, int column, bool select, host::Event* e, const std::string& param);
    static bool isTraversableCell(NxTable& t, int row, int column);

    // ---- Selection ----
    // "START", "ADD", "EXTEND", "END", "CANCEL", "CURRENT", "NEXTROW", "PREVROW".
    static void select(NxTable& t, host::Event* e, const std::string& param);

    // ---- Editing ----
    // Opens the editor on the current cell when it is editable: a text field, or a text
    // area for a multi-line cell, holding the cell's text (or `initial` when given),
    // with the cell's length limit and letter case. False when no editor opened.
    static bool openEditor(NxTable& t, const std::optional<std::string>& initial = std::nullopt);
    // Stores the editor's text after validation; a rejected value keeps the editor open
    // and makes it flash, and gives false. With hide the editor closes on success.
    static bool commit(NxTable& t, bool hide);
    // Drops the editor's text: the cell shows its value again; with hide the editor closes.
    static void cancel(NxTable& t, bool hide);
    // Whether text is acceptable for a data type: booleans "true"/"false" in any case or
    // exactly "t"/"f"; numbers and dates as the table's text conversion reads them.
    static bool checkValue(const std::string& text, int datatype);
    static bool checkBoolean(const std::string& text);
    // The typed value of accepted text.
    static host::Value convertValue(const std::string& text, int datatype);

    // ---- Resizing ----
    static constexpr int DELTA = 4;    // pixels either side of a border that start a resize
    static constexpr int MINSIZE = 5;  // the smallest row height or column width by dragging
    // "START", "MOVE", "END", "CANCEL"; true when the event took part in a resize.
    static bool resize(Table& t, host::Event* e, const std::string& param);
    // The row (vertical false: column) whose bottom (right) border lies within DELTA of
    // the table pixel (x, y), or NOVALUE; borders inside a span do not count.
    static int resizeTarget(Table& t, int x, int y, bool vertical);
    // Pointer shapes over the table.
    static constexpr int NONTRAV_CURSOR = 1, TRAV_CURSOR = 2, CORNER_CURSOR = 5, VERT_CURSOR = 9,
                         HORIZ_CURSOR = 11;
    static void trackCursor(Table& t, const host::Event& e);

    // ---- Sorting ----
    // A press on a column label with label sorting on: sorts ascending, or reverses the
    // order when that column was the last sorted. True when it sorted.
    static bool sortAction(Table& t, host::Event& e);

    // The cell (or label: -1) under the event's table position, or nullopt outside.
    static std::optional<NxCellPosition> eventToCell(Table& t, const host::Event& e);

    // The plain table's reduced action table: Page Down and Up scroll, Escape cancels a
    // resize, a press starts a resize or sorts by a label, the pointer shape follows.
    static bool handleReduced(Table& t, host::Event& e);
};

}  // namespace norvex::table
