// Repeats an action on the event queue's dispatch thread while something is held
// (an arrow button's auto-repeat): one helper thread waits an initial delay, then
// posts the action every interval until stopped. The action itself always runs on
// the dispatch thread, so it needs no lock the helper thread holds.
//
// At most one helper thread runs per timer: start() stops and joins the previous
// one first. stop() joins; the helper thread only takes the timer's own mutex and
// the queue's, so stop() may be called while holding any other lock. At most one
// posted action waits in the queue at a time: a tick that finds the previous one
// still queued is skipped, so a busy queue never piles up repeats.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace host {

class EventQueue;

class RepeatTimer {
public:
    // How the helper thread waits. The system clock waits on the timer's condition
    // for the delay; a test clock may return when the test lets time pass.
    class Clock {
    public:
        virtual ~Clock() = default;
        // Waits until `delay` has passed or `stopped()` holds (re-checked whenever cv is
        // notified); lock is held on entry and exit. Returns !stopped().
        virtual bool wait(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          std::chrono::milliseconds delay, const std::function<bool()>& stopped) = 0;
    };
    static std::shared_ptr<Clock> systemClock();

    explicit RepeatTimer(EventQueue& queue, std::shared_ptr<Clock> clock = systemClock());
    ~RepeatTimer();
    RepeatTimer(const RepeatTimer&) = delete;
    RepeatTimer& operator=(const RepeatTimer&) = delete;

    // Runs `tick` on the dispatch thread after `initial`, then every `interval`.
    void start(std::chrono::milliseconds initial, std::chrono::milliseconds interval, std::function<void()> tick);
    // Stops the helper thread and waits for it. Ticks already queued still run; the
    // action should check that it is still wanted.
    void stop();
    bool isRunning() const;
    // Ticks posted since the last start (for tests and diagnostics).
    int ticksPosted() const { return posted_.load(); }

private:
    void run(std::chrono::milliseconds initial, std::chrono::milliseconds interval, std::function<void()> tick);

    EventQueue& queue_;
    std::shared_ptr<Clock> clock_;
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool stop_ = false;
    std::thread thread_;
    std::mutex joinMutex_;  // serialises start and stop between threads
    std::atomic<int> posted_{0};
    // Whether a posted tick has not run yet; shared with the queued tasks, which may
    // outlive the timer.
    std::shared_ptr<std::atomic<bool>> pending_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace host
