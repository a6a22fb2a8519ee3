#include "chart/interact/Timer.h"

#include <algorithm>
#include <chrono>

namespace norvex::chart {

Timer::Timer(int ms) : timer(std::make_unique<host::OneShotTimer>([st = st, this] { expire(st, this); })) {
    if (ms > 0) setTime(ms);
}

Timer::~Timer() {
    {
        std::lock_guard lock(st->mutex);
        st->quitting = true;
    }
    timer.reset();  // joins the worker, or lets it end by itself when called from a listener
}

void Timer::setTime(int ms) {
    {
        std::lock_guard lock(st->mutex);
        st->delay = ms;
    }
    if (ms > 0)
        timer->start(std::chrono::milliseconds(ms));
    else
        timer->cancel();
}

int Timer::getTime() const {
    std::lock_guard lock(st->mutex);
    return st->delay;
}

bool Timer::isRunning() const { return timer->isArmed(); }

void Timer::kill() { timer->cancel(); }

void Timer::addTimerListener(TimerListener* l) {
    std::lock_guard lock(st->mutex);
    if (l && std::find(st->list.begin(), st->list.end(), l) == st->list.end()) st->list.push_back(l);
}

void Timer::removeTimerListener(TimerListener* l) {
    std::lock_guard lock(st->mutex);
    std::erase(st->list, l);
}

int Timer::getExpiryCount() const { return timer->getFiredCount(); }

void Timer::expire(const std::shared_ptr<Listeners>& st, Timer* self) {
    std::vector<TimerListener*> listeners;
    {
        std::lock_guard lock(st->mutex);
        if (st->quitting) return;
        listeners = st->list;
    }
    for (auto* l : listeners) {
        l->timerExpired(*self);
        // A timer destroyed inside a callback calls nobody else.
        std::lock_guard check(st->mutex);
        if (st->quitting) break;
    }
}

}  // namespace norvex::chart
