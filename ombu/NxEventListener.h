// The marker interface of every listener the widgets call.
#pragma once

namespace norvex::ombu {

class NxEventListener {
public:
    virtual ~NxEventListener() = default;
};

}  // namespace norvex::ombu
