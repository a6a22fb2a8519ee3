// The item event of lists, check boxes and outliners, its listener, and the
// interface of widgets that hold selectable items. The host's event needs an
// ItemSelectable; one shared do-nothing ItemSelectableObject stands in for it and
// the real source object becomes the event's source.
#pragma once

#include <vector>

#include "host/ui/AWTEvent.h"
#include "host/runtime/Value.h"
#include "ombu/NxEventListener.h"

namespace norvex::ombu {

class ItemSelectableObject : public host::ItemSelectable {
public:
    static ItemSelectableObject& shared();
    std::vector<host::Value> getSelectedObjects() override { return {}; }
};

// getItem() gives the item, getStateChange() SELECTED or DESELECTED.
class NxItemEvent : public host::ItemEvent {
    HOST_OBJECT(NxItemEvent, "norvex.ombu.NxItemEvent", host::ItemEvent)
public:
    NxItemEvent(host::Object* source, int id, host::Value item, int stateChange);
};

class NxItemListener : public NxEventListener {
public:
    virtual void itemStateChanged(NxItemEvent& e) = 0;
};

// Listener lists never own their listeners: a listener removes itself before it dies.
class NxItemSelectable {
public:
    virtual ~NxItemSelectable() = default;
    virtual std::vector<host::Value> getSelectedObjects() = 0;
    virtual void addItemListener(NxItemListener* l) = 0;
    virtual void removeItemListener(NxItemListener* l) = 0;
};

}  // namespace norvex::ombu
