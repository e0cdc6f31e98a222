// The thread timer against a stand-in user-interface thread: what a tick waits for, what
// cancels it, and that a timer can go at any moment.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeUiThread.h"
#include "skin/PellThreadTimer.h"

namespace orv::skin {
namespace {

// Waits until every worker has ended; false when one is still running after ms.
bool WorkersEnd(int ms) {
    for (int i = 0; i < ms / 5; ++i) {
        if (TPellThreadTimer::RunningWorkers() == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return TPellThreadTimer::RunningWorkers() == 0;
}

TEST(ThreadTimerWait, RestOfTheIntervalAtLeastTen) {
    struct Case {
        int32_t interval;
        uint32_t t0, t1;
        uint32_t want;
    };
    const Case cases[] = {
        {200, 1000, 1050, 150},  // 50 ms handler
        {200, 1000, 1195, 10},   // 195 ms handler: the minimum
        {200, 1000, 1190, 10},   // exactly 10 left
        {200, 1000, 1189, 11},
        {200, 1000, 1400, 10},                 // longer than the interval
        {0, 5, 5, 10},                         // interval 0
        {400, 0xFFFFFFF0u, 0x00000010u, 368},  // the clock wrapped during the tick
        {-5, 0, 0, 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TPellThreadTimer::WaitAfterTick(c.interval, c.t0, c.t1), c.want)
            << c.interval << " " << c.t0 << " " << c.t1;
    }
}

TEST(ThreadTimer, DefaultsAndSetters) {
    test::FakeUiThread ui;
    {
        toolkit::TComponent owner;
        auto* t = new TPellThreadTimer(&owner);
        EXPECT_FALSE(t->Enabled());
        EXPECT_EQ(t->Interval(), 0);
        EXPECT_EQ(t->ThreadPriority(), TThreadPriority::Normal);
        t->SetInterval(400);
        t->SetThreadPriority(TThreadPriority::Lowest);
        EXPECT_EQ(t->Interval(), 400);
        EXPECT_EQ(t->ThreadPriority(), TThreadPriority::Lowest);
        EXPECT_EQ(owner.ComponentCount(), 1u);
    }  // the owner destroys it
    EXPECT_TRUE(WorkersEnd(2000));
}

TEST(ThreadTimer, TicksOnTheUiThreadWithTheTimerAsSender) {
    test::FakeUiThread ui;
    auto timer = std::make_unique<TPellThreadTimer>();
    int ticks = 0;
    const auto uiThread = std::this_thread::get_id();
    timer->OnTimer = [&](toolkit::TComponent* sender) {
        EXPECT_EQ(sender, timer.get());
        EXPECT_EQ(std::this_thread::get_id(), uiThread);
        ++ticks;
    };
    timer->SetInterval(20);
    EXPECT_EQ(ui.Pump(100), 0) << "a disabled timer does not tick";
    timer->SetEnabled(true);
    for (int i = 0; i < 100 && ticks < 3; ++i) ui.Pump(20);
    EXPECT_GE(ticks, 3);
    timer.reset();
    ui.Pump(50);  // a tick that was already waiting runs nothing
    const int after = ticks;
    EXPECT_EQ(ui.Pump(100), 0);
    EXPECT_EQ(ticks, after);
    EXPECT_TRUE(WorkersEnd(2000));
}

TEST(ThreadTimer, DisablingDoesNotCancelAWaitingTickButDestroyingDoes) {
    test::FakeUiThread ui;
    int ticks = 0;
    {
        TPellThreadTimer timer;
        timer.OnTimer = [&](toolkit::TComponent*) { ++ticks; };
        timer.SetInterval(10);
        timer.SetEnabled(true);
        ASSERT_TRUE(ui.WaitForPending(2000));
        timer.SetEnabled(false);
        ui.Pump(0);
        EXPECT_EQ(ticks, 1) << "the waiting step looks only at the stop flag";
        // Let the worker come round once more: it sees Enabled false now.
        EXPECT_EQ(ui.Pump(60), 0);

        timer.SetEnabled(true);
        ASSERT_TRUE(ui.WaitForPending(2000));
    }  // destroyed while its tick waits for the user-interface thread
    ui.Pump(0);
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(WorkersEnd(2000)) << "the worker ends after the step it waited for";
}

TEST(ThreadTimer, DestroyedWhileSleepingEndsAtOnce) {
    test::FakeUiThread ui;
    {
        TPellThreadTimer timer;
        timer.SetInterval(100000);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // A worker that slept out its interval would still be running for 100 s.
    EXPECT_TRUE(WorkersEnd(2000));
}

}  // namespace
}  // namespace orv::skin
