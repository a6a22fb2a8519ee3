#include "host/ui/OneShotTimer.h"

namespace host {

OneShotTimer::OneShotTimer(std::function<void()> action) : st_(std::make_shared<State>()) {
    st_->action = std::move(action);
}

OneShotTimer::~OneShotTimer() {
    {
        std::lock_guard lock(st_->mutex);
        st_->quit = true;
        st_->armed = false;
    }
    st_->cv.notify_all();
    if (!worker_.joinable()) return;
    // An action that destroys its own timer cannot wait for itself.
    if (worker_.get_id() == std::this_thread::get_id())
        worker_.detach();
    else
        worker_.join();
}

void OneShotTimer::start(std::chrono::milliseconds delay) {
    {
        std::lock_guard lock(st_->mutex);
        if (st_->quit) return;
        st_->deadline = std::chrono::steady_clock::now() + delay;
        ++st_->generation;
        st_->armed = true;
        if (!worker_.joinable()) {
            ++st_->threads;
            worker_ = std::thread(&OneShotTimer::run, st_);
        }
        // Notified under the lock: once it is released this thread touches the timer no
        // more, so an action may destroy its timer while a start is returning.
        st_->cv.notify_all();
    }
}

void OneShotTimer::cancel() {
    {
        std::lock_guard lock(st_->mutex);
        if (!st_->armed) return;
        st_->armed = false;
        ++st_->generation;
        st_->cv.notify_all();
    }
}

bool OneShotTimer::isArmed() const {
    std::lock_guard lock(st_->mutex);
    return st_->armed;
}

int OneShotTimer::getFiredCount() const {
    std::lock_guard lock(st_->mutex);
    return st_->fired;
}

int OneShotTimer::getThreadCount() const {
    std::lock_guard lock(st_->mutex);
    return st_->threads;
}

void OneShotTimer::run(std::shared_ptr<State> st) {
    std::unique_lock lock(st->mutex);
    while (!st->quit) {
        if (!st->armed) {
            st->cv.wait(lock, [&] { return st->quit || st->armed; });
            continue;
        }
        const uint64_t gen = st->generation;
        // A restart or cancel changes the generation and wakes the worker, which then
        // waits again for the new deadline (or for the next start).
        if (st->cv.wait_until(lock, st->deadline, [&] { return st->quit || st->generation != gen; })) continue;
        st->armed = false;
        ++st->fired;
        lock.unlock();
        st->action();
        lock.lock();
    }
}

}  // namespace host
