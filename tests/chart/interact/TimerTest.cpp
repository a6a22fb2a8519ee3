// The one-shot timer: fires once after its delay, a restart replaces the pending wait,
// a kill stops it, and a timer destroyed while waiting or inside its callback is safe.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "chart/interact/Timer.h"
#include "tests/support/Eventually.h"

using namespace norvex::chart;
using namespace std::chrono_literals;
using testsupport::eventually;
namespace {

struct Counter : TimerListener {
    std::atomic<int> n{0};
    std::chrono::steady_clock::time_point at;
    std::mutex m;
    void timerExpired(Timer&) override {
        std::lock_guard g(m);
        at = std::chrono::steady_clock::now();
        ++n;
    }
};
}  // namespace

TEST(TimerTest, FiresOnceAfterTheDelayAndNotBefore) {
    Counter c;
    Timer t;
    t.addTimerListener(&c);
    t.addTimerListener(&c);  // once only
    EXPECT_FALSE(t.isRunning());
    auto start = std::chrono::steady_clock::now();
    t.setTime(60);
    EXPECT_TRUE(t.isRunning());
    EXPECT_TRUE(eventually([&] { return c.n == 1; }));
    {
        std::lock_guard g(c.m);
        EXPECT_GE(c.at - start, 60ms);
    }
    std::this_thread::sleep_for(120ms);
    EXPECT_EQ(c.n, 1);
    EXPECT_FALSE(t.isRunning());
    EXPECT_EQ(t.getExpiryCount(), 1);
    t.setTime(10);  // the same worker serves a second round
    EXPECT_TRUE(eventually([&] { return c.n == 2; }));
}

TEST(TimerTest, ARestartReplacesThePendingWaitAndKillStopsIt) {
    Counter c;
    Timer t;
    t.addTimerListener(&c);
    // Wide margins: a loaded machine may oversleep by tens of milliseconds.
    t.setTime(400);
    std::this_thread::sleep_for(100ms);
    t.setTime(1200);  // the pointer moved: wait anew
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(c.n, 0);  // past the first deadline, well before the new one
    EXPECT_TRUE(eventually([&] { return c.n == 1; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(c.n, 1);

    t.setTime(40);
    t.kill();
    EXPECT_FALSE(t.isRunning());
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(c.n, 1);
    t.setTime(0);  // 0 only stops
    EXPECT_FALSE(t.isRunning());
}

TEST(TimerTest, ATimerDestroyedWhileWaitingOrInItsCallbackEndsCleanly) {
    Counter c;
    {
        Timer t(1000);
        t.addTimerListener(&c);
        EXPECT_TRUE(t.isRunning());
    }  // joins at once, without firing
    EXPECT_EQ(c.n, 0);

    struct SelfDestruct : TimerListener {
        std::unique_ptr<Timer> timer;
        std::atomic<bool> done{false};
        void timerExpired(Timer&) override {
            timer.reset();
            done = true;
        }
    };
    auto s = std::make_shared<SelfDestruct>();
    s->timer = std::make_unique<Timer>();
    s->timer->addTimerListener(s.get());
    s->timer->setTime(5);
    EXPECT_TRUE(eventually([&] { return s->done.load(); }));
    std::this_thread::sleep_for(20ms);
}
