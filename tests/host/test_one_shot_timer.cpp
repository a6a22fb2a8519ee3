// The restartable one-shot timer: one firing per arming, restarts move the deadline
// on the same worker, a cancel stops a pending firing, and destruction while armed
// or while the action runs is clean.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "host/ui/OneShotTimer.h"
#include "tests/support/Eventually.h"

using namespace std::chrono_literals;

using testsupport::eventually;

TEST(OneShotTimerTest, FiresOnceAfterTheDelayAndNotAgain) {
    std::atomic<int> runs{0};
    host::OneShotTimer t([&] { ++runs; });
    EXPECT_EQ(t.getThreadCount(), 0);
    auto start = std::chrono::steady_clock::now();
    t.start(40ms);
    EXPECT_TRUE(t.isArmed());
    ASSERT_TRUE(eventually([&] { return runs.load() == 1; }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(t.getFiredCount(), 1);
    EXPECT_FALSE(t.isArmed());
}

TEST(OneShotTimerTest, RestartsMoveTheDeadlineAndReuseTheOneWorker) {
    std::atomic<int> runs{0};
    host::OneShotTimer t([&] { ++runs; });
    for (int i = 0; i < 200; ++i) t.start(1000ms);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(runs.load(), 0);
    t.start(10ms);
    ASSERT_TRUE(eventually([&] { return runs.load() == 1; }));
    EXPECT_EQ(t.getThreadCount(), 1);
    // Armed again after firing: the same worker serves it.
    t.start(10ms);
    ASSERT_TRUE(eventually([&] { return runs.load() == 2; }));
    EXPECT_EQ(t.getThreadCount(), 1);
}

TEST(OneShotTimerTest, ACancelledTimerDoesNotFire) {
    std::atomic<int> runs{0};
    host::OneShotTimer t([&] { ++runs; });
    t.start(60ms);
    t.cancel();
    EXPECT_FALSE(t.isArmed());
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(runs.load(), 0);
}

TEST(OneShotTimerTest, DestroyingAnArmedTimerReturnsAtOnceWithoutFiring) {
    std::atomic<int> runs{0};
    auto start = std::chrono::steady_clock::now();
    {
        host::OneShotTimer t([&] { ++runs; });
        t.start(10s);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(runs.load(), 0);
}

TEST(OneShotTimerTest, DestructionWaitsForAnActionThatIsRunning) {
    std::atomic<bool> inAction{false}, done{false};
    {
        host::OneShotTimer t([&] {
            inAction = true;
            std::this_thread::sleep_for(50ms);
            done = true;
        });
        t.start(1ms);
        ASSERT_TRUE(eventually([&] { return inAction.load(); }));
    }
    EXPECT_TRUE(done.load());
}

TEST(OneShotTimerTest, TheActionMayRestartItsOwnTimer) {
    std::atomic<int> runs{0};
    host::OneShotTimer* self = nullptr;
    host::OneShotTimer t([&] {
        if (++runs < 3) self->start(5ms);
    });
    self = &t;
    t.start(5ms);
    ASSERT_TRUE(eventually([&] { return runs.load() == 3; }));
    EXPECT_EQ(t.getThreadCount(), 1);
}

// An action that destroys its own timer: the worker ends by itself without touching
// the destroyed timer (the address sanitizer checks the memory).
TEST(OneShotTimerTest, TheActionMayDestroyItsOwnTimer) {
    std::atomic<bool> done{false};
    std::unique_ptr<host::OneShotTimer> holder;
    holder = std::make_unique<host::OneShotTimer>([&] {
        holder.reset();
        done = true;
    });
    holder->start(5ms);
    ASSERT_TRUE(eventually([&] { return done.load(); }));
    std::this_thread::sleep_for(20ms);  // the detached worker finishes its loop
}
