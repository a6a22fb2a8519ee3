// What the table does with the mouse and the keyboard: the action table that dispatches
// presses, drags, releases and keys to the traversal, selection and sorting actions.
#pragma once

#include <optional>
#include <string>

#include "host/ui/Event.h"
#include "table/model/NxCellRange.h"

namespace norvex::table {

class NxTable;

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

    // ---- Sorting ----
    // A press on a column label with label sorting on: sorts ascending, or reverses the
    // order when that column was the last sorted. True when it sorted.
    static bool sortAction(NxTable& t, host::Event& e);

    // The cell (or label: -1) under the event's table position, or nullopt outside.
    static std::optional<NxCellPosition> eventToCell(NxTable& t, const host::Event& e);
};

}  // namespace norvex::table
