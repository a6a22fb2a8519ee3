#include "chart/interact/Timer.h"

#include <algorithm>
#include <chrono>

namespace norvex::chart {

Timer::Timer(int ms) {
    if (ms > 0) setTime(ms);
}

Timer::~Timer() {
    {
        std::lock_guard lock(st->mutex);
        st->quitting = true;
        ++st->generation;
        st->armed = false;
    }
    st->cv.notify_all();
    if (!worker.joinable()) return;
    if (worker.get_id() == std::this_thread::get_id())
        worker.detach();  // destroyed inside its own callback: the worker ends by itself
    else
        worker.join();
}

void Timer::setTime(int ms) {
    std::lock_guard lock(st->mutex);
    ++st->generation;
    st->delay = ms;
    st->armed = ms > 0;
    if (st->armed && !worker.joinable()) worker = std::thread(&Timer::run, st, this);
    st->cv.notify_all();
}

int Timer::getTime() const {
    std::lock_guard lock(st->mutex);
    return st->delay;
}

bool Timer::isRunning() const {
    std::lock_guard lock(st->mutex);
    return st->armed;
}

void Timer::kill() {
    std::lock_guard lock(st->mutex);
    ++st->generation;
    st->armed = false;
    st->cv.notify_all();
}

void Timer::addTimerListener(TimerListener* l) {
    std::lock_guard lock(st->mutex);
    if (l && std::find(st->listeners.begin(), st->listeners.end(), l) == st->listeners.end())
        st->listeners.push_back(l);
}

void Timer::removeTimerListener(TimerListener* l) {
    std::lock_guard lock(st->mutex);
    std::erase(st->listeners, l);
}

int Timer::getExpiryCount() const {
    std::lock_guard lock(st->mutex);
    return st->expiries;
}

void Timer::run(std::shared_ptr<State> st, Timer* self) {
    std::unique_lock lock(st->mutex);
    while (!st->quitting) {
        st->cv.wait(lock, [&] { return st->quitting || st->armed; });
        if (st->quitting) break;
        uint64_t mine = st->generation;
        auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(st->delay);
        // A restart or kill bumps the generation: this wait is then over, unfired.
        if (st->cv.wait_until(lock, until, [&] { return st->quitting || st->generation != mine; })) continue;
        st->armed = false;
        ++st->expiries;
        auto listeners = st->listeners;
        lock.unlock();
        for (auto* l : listeners) {
            l->timerExpired(*self);
            // A timer destroyed inside a callback calls nobody else.
            std::lock_guard check(st->mutex);
            if (st->quitting) break;
        }
        lock.lock();
    }
}

}  // namespace norvex::chart
