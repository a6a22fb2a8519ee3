#include "host/ui/OneShotTimer.h"

namespace host {

OneShotTimer::OneShotTimer(std::function<void()> action) : action_(std::move(action)) {}

OneShotTimer::~OneShotTimer() {
    std::thread worker;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        armed_ = false;
        worker = std::move(worker_);
    }
    cv_.notify_all();
    if (!worker.joinable()) return;
    // An action that destroys its own timer cannot wait for itself.
    if (worker.get_id() == std::this_thread::get_id())
        worker.detach();
    else
        worker.join();
}

void OneShotTimer::start(std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(mutex_);
        if (quit_) return;
        deadline_ = std::chrono::steady_clock::now() + delay;
        ++generation_;
        armed_ = true;
        if (!worker_.joinable()) {
            ++threads_;
            worker_ = std::thread([this] { run(); });
        }
    }
    cv_.notify_all();
}

void OneShotTimer::cancel() {
    {
        std::lock_guard lock(mutex_);
        if (!armed_) return;
        armed_ = false;
        ++generation_;
    }
    cv_.notify_all();
}

bool OneShotTimer::isArmed() const {
    std::lock_guard lock(mutex_);
    return armed_;
}

int OneShotTimer::getFiredCount() const {
    std::lock_guard lock(mutex_);
    return fired_;
}

int OneShotTimer::getThreadCount() const {
    std::lock_guard lock(mutex_);
    return threads_;
}

void OneShotTimer::run() {
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (!armed_) {
            cv_.wait(lock, [this] { return quit_ || armed_; });
            continue;
        }
        uint64_t gen = generation_;
        // A restart or cancel changes the generation and wakes the worker, which then
        // waits again for the new deadline (or for the next start).
        if (cv_.wait_until(lock, deadline_, [this, gen] { return quit_ || generation_ != gen; })) continue;
        armed_ = false;
        ++fired_;
        lock.unlock();
        action_();
        lock.lock();
    }
}

}  // namespace host
