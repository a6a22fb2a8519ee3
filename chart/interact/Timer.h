// A one-shot delay: after setTime(ms) (or construction with ms > 0) the timer's own
// worker thread waits the delay and then calls timerExpired on every listener in
// registration order, unless the timer was restarted or killed meanwhile.
//
// One worker per timer, made on first start and reused by every restart. The worker
// calls listeners without holding the timer's lock, so a listener may take its own
// locks (the chart's) and may restart or kill the timer. kill() never joins, so it may
// be called while holding any lock; the destructor joins the worker, and waits for a
// running callback to return, so no callback outlives the timer. An owner whose
// listener is itself must destroy the timer before the rest of its state (and not
// while holding a lock its callback takes).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

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
    // Shared with the worker, so a worker that outlives its timer (the timer was
    // destroyed inside its own callback) still finds it.
    struct State {
        std::mutex mutex;
        std::condition_variable cv;
        std::vector<TimerListener*> listeners;
        int delay = 0;
        uint64_t generation = 0;  // bumped by every start and kill
        bool armed = false;
        bool quitting = false;
        int expiries = 0;
    };
    static void run(std::shared_ptr<State> st, Timer* self);

    std::shared_ptr<State> st = std::make_shared<State>();
    std::thread worker;
};

}  // namespace norvex::chart
