// Base of the table component's events.
#pragma once

#include "host/ui/AWTEvent.h"

namespace norvex::ombu {

class NxAWTEvent : public host::AWTEvent {
    HOST_OBJECT(NxAWTEvent, "norvex.ombu.NxAWTEvent", host::AWTEvent)
public:
    NxAWTEvent(host::Object* source, int id) : host::AWTEvent(source, id) {}
};

}  // namespace norvex::ombu
