#include "host/ui/RepeatTimer.h"

#include "host/ui/Toolkit.h"

namespace host {

namespace {

class SystemClock : public RepeatTimer::Clock {
public:
    bool wait(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, std::chrono::milliseconds delay,
              const std::function<bool()>& stopped) override {
        return !cv.wait_for(lock, delay, stopped);
    }
};

}  // namespace

std::shared_ptr<RepeatTimer::Clock> RepeatTimer::systemClock() {
    static auto clock = std::make_shared<SystemClock>();
    return clock;
}

RepeatTimer::RepeatTimer(EventQueue& queue, std::shared_ptr<Clock> clock)
    : queue_(queue), clock_(clock ? std::move(clock) : systemClock()) {}

RepeatTimer::~RepeatTimer() { stop(); }

void RepeatTimer::start(std::chrono::milliseconds initial, std::chrono::milliseconds interval,
                        std::function<void()> tick) {
    std::lock_guard join(joinMutex_);
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable()) thread_.join();
    {
        std::lock_guard lock(mutex_);
        stop_ = false;
    }
    posted_ = 0;
    pending_->store(false);
    thread_ = std::thread([this, initial, interval, tick = std::move(tick)] { run(initial, interval, tick); });
}

void RepeatTimer::stop() {
    std::lock_guard join(joinMutex_);
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool RepeatTimer::isRunning() const {
    std::lock_guard lock(mutex_);
    return !stop_;
}

void RepeatTimer::run(std::chrono::milliseconds initial, std::chrono::milliseconds interval,
                      std::function<void()> tick) {
    auto delay = initial;
    std::unique_lock lock(mutex_);
    auto stopped = [this] { return stop_; };
    while (clock_->wait(lock, cv_, delay, stopped)) {
        delay = interval;
        // Skip this tick while the previous one still waits in the queue.
        if (pending_->exchange(true)) continue;
        ++posted_;
        auto pending = pending_;
        lock.unlock();
        queue_.invokeLater([pending, tick] {
            pending->store(false);
            tick();
        });
        lock.lock();
    }
}

}  // namespace host
