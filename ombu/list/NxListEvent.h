// The list's item event and listener: the row, the kind of gesture (INITIAL,
// MODIFICATION with Shift, ADDITION with Control), the input event that caused it,
// and a flag a begin-stage listener clears to refuse the selection.
#pragma once

#include "host/ui/Event.h"
#include "ombu/NxItemEvent.h"

namespace norvex::ombu {

class NxListEvent : public NxItemEvent {
    HOST_OBJECT(NxListEvent, "norvex.ombu.NxListEvent", NxItemEvent)
public:
    static constexpr int INITIAL = 0, MODIFICATION = 1, ADDITION = 2;

    NxListEvent(host::Object* source, host::Event* sourceEvent, host::Value item, int row, int type, int stateChange)
        : NxItemEvent(source, ITEM_STATE_CHANGED, std::move(item), stateChange),
          source_event(sourceEvent),
          row(row),
          type(type) {}

    int getRow() const { return row; }
    int getType() const { return type; }
    // The mouse or key event of the gesture; null for programmatic selection.
    host::Event* getSourceEvent() const { return source_event; }
    bool getAllowSelection() const { return allow; }
    void setAllowSelection(bool b) { allow = b; }

private:
    host::Event* source_event;
    int row, type;
    bool allow = true;
};

// An item listener that also hears the two stages of a list selection.
class NxListListener : public NxItemListener {
public:
    virtual void listItemSelectBegin(NxListEvent& e) = 0;
    virtual void listItemSelectEnd(NxListEvent& e) = 0;
};

}  // namespace norvex::ombu
