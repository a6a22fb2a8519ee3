// A one-shot delay: after setTime(ms) (or construction with ms > 0) the timer waits
// the delay on its worker thread and then calls timerExpired on every listener in
// registration order, unless the timer was restarted or killed meanwhile.
//
// Built on host::OneShotTimer: one worker per timer, made on first start and reused by
// every restart. Listeners are called without the timer's lock, so a listener may take
// its own locks (the chart's) and may restart, kill or destroy the timer. kill() never
// joins, so it may be called while holding any lock; the destructor waits for a
// running callback to return, so no callback outlives the timer. An owner whose
// listener is itself must destroy the timer before the rest of its state (and not
// while holding a lock its callback takes).
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "host/ui/OneShotTimer.h"

namespace norvex::chart {

class Timer;

class TimerListener {
public:
    virtual ~TimerListener() = default;
    virtual void timerExpired(Timer& timer) = 0;
};

class Timer {
public:
    // Starts at once when ms > 0.
    explicit Timer(int ms = 0);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Stops a pending wait and waits ms anew (0 or less: only stops).
    void setTime(int ms);
    int getTime() const;
    bool isRunning() const;
    // Stops a pending wait; the listeners are not called for it.
    void kill();
    void addTimerListener(TimerListener* l);
    void removeTimerListener(TimerListener* l);
    // How many times the listeners were called (tests and diagnostics).
    int getExpiryCount() const;

private:
    // Shared with the worker's callback, which may outlive the timer when a listener
    // destroys it.
    struct Listeners {
        std::mutex mutex;
        std::vector<TimerListener*> list;
        int delay = 0;
        bool quitting = false;
    };
    static void expire(const std::shared_ptr<Listeners>& st, Timer* self);

    std::shared_ptr<Listeners> st = std::make_shared<Listeners>();
    std::unique_ptr<host::OneShotTimer> timer;
};

}  // namespace norvex::chart
