// Runs f on the event dispatch thread, where input changes component state, and
// returns its result: window tests read state there.
#pragma once

#include "host/ui/Toolkit.h"

namespace testsupport {

template <class F>
auto onDispatch(F f) {
    decltype(f()) out{};
    host::Toolkit::getDefaultToolkit().getSystemEventQueue().invokeAndWait([&] { out = f(); });
    return out;
}

}  // namespace testsupport
