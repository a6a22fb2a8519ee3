// Polling for a condition that another thread makes true (timers, the event thread,
// a window server): tests wait for the state, never for a fixed time.
#pragma once

#include <chrono>
#include <thread>

namespace testsupport {

// Polls until f() holds, for at most `limit`.
template <class F>
bool eventually(F f, std::chrono::milliseconds limit = std::chrono::milliseconds(4000)) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (f()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return f();
}

}  // namespace testsupport
