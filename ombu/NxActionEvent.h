// The action event of buttons and other widgets, and its listener.
#pragma once

#include <string>

#include "host/ui/AWTEvent.h"
#include "ombu/NxEventListener.h"

namespace norvex::ombu {

class NxActionEvent : public host::ActionEvent {
    HOST_OBJECT(NxActionEvent, "norvex.ombu.NxActionEvent", host::ActionEvent)
public:
    NxActionEvent(host::Object* source, int id, std::string command, int modifiers = 0)
        : host::ActionEvent(source, id, std::move(command), modifiers) {}
};

class NxActionListener : public NxEventListener {
public:
    virtual void actionPerformed(NxActionEvent& e) = 0;
};

}  // namespace norvex::ombu
