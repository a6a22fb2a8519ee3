// A restartable one-shot timer: start(delay) arms it, and when the delay passes
// without a restart or cancel the action runs once, on the timer's own worker
// thread. The worker is created by the first start and reused by every later start
// (a restart only moves the deadline), so a stream of restarts, one per pointer
// move, costs no thread creation.
//
// Locks: the worker holds only the timer's own mutex, and never while the action
// runs. start() and cancel() never wait for the worker, so they may be called while
// holding any lock, also from inside the action. The destructor joins the worker
// (never destroy the timer while holding a lock the action takes); an action may
// destroy its own timer, and the worker then ends by itself. An action that has
// already begun when cancel() is called still runs to its end; it should check that
// it is still wanted.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace host {

class OneShotTimer {
public:
    explicit OneShotTimer(std::function<void()> action);
    ~OneShotTimer();
    OneShotTimer(const OneShotTimer&) = delete;
    OneShotTimer& operator=(const OneShotTimer&) = delete;

    // Arms the timer to fire `delay` from now, replacing any earlier deadline.
    void start(std::chrono::milliseconds delay);
    // Disarms the timer; a pending firing does not happen.
    void cancel();
    bool isArmed() const;
    // Times the action ran (tests and diagnostics).
    int getFiredCount() const;
    // Worker threads created so far: 0 before the first start, then 1.
    int getThreadCount() const;

private:
    // Shared with the worker, so a worker whose timer was destroyed by its own action
    // still finds its state when the action returns.
    struct State {
        std::function<void()> action;
        std::mutex mutex;
        std::condition_variable cv;
        std::chrono::steady_clock::time_point deadline;
        uint64_t generation = 0;  // changes with every start and cancel
        bool armed = false;
        bool quit = false;
        int fired = 0;
        int threads = 0;
    };
    static void run(std::shared_ptr<State> st);

    std::shared_ptr<State> st_;
    std::thread worker_;
};

}  // namespace host
