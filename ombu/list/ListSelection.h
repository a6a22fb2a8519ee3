// The selection behaviour of NxListComponent as static operations: the mouse
// gestures (select, extend with Shift, toggle with Control, drag), keyboard focus
// moves, programmatic selection and the two-stage notification.
//
// Listeners are called with no lock of the list held.
#pragma once

#include "host/ui/Event.h"

namespace norvex::ombu {

class NxListComponent;

class ListSelection {
public:
    ListSelection() = delete;
    static constexpr int BEGIN = 0, END = 1;

    // Tells the listeners; at the begin stage false means a listener refused.
    static bool postEvent(NxListComponent& list, int row, host::Event* ev, int stage);
    // A press on row (appending: add to the selection instead of replacing it).
    static void beginSelect(NxListComponent& list, host::Event* ev, int row, bool appending);
    static void beginExtend(NxListComponent& list, host::Event* ev, int row);
    static void beginToggle(NxListComponent& list, host::Event* ev, int row);
    // Drag to row: the range from the anchor follows the pointer.
    static void extendTo(NxListComponent& list, int row);
    static void endSelect(NxListComponent& list, host::Event* ev, int row);
    // Programmatic selection of one row.
    static void select(NxListComponent& list, int row, bool notify);
    // Focus moves by delta rows: Shift extends (multiple mode), Control only moves.
    static bool moveFocus(NxListComponent& list, host::Event& ev, int delta);
    // Space on the focus row.
    static void kbdSelect(NxListComponent& list, host::Event& ev);

private:
    // Range [from, to] (either order) gets state; rows of the old range outside it get
    // their saved state back.
    static void arrangeRange(NxListComponent& list, int anchor, int oldEnd, int newEnd);
    static void saveSelection(NxListComponent& list);
    static void deselectOthers(NxListComponent& list, int keep);
};

}  // namespace norvex::ombu
