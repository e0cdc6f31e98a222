// The thread timer with the real hand-over window: tick spacing for short and long handlers,
// and a timer destroyed while its tick waits for the user-interface thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "Surface.h"
#include "skin/PellThreadTimer.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::skin {
namespace {

using Clock = std::chrono::steady_clock;

class ThreadTimerWin32 : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(toolkit::win32::InstallUiThreadCall()); }
    void TearDown() override {
        for (int i = 0; i < 400 && TPellThreadTimer::RunningWorkers() > 0; ++i) test::PumpFor(5);
        EXPECT_EQ(TPellThreadTimer::RunningWorkers(), 0);
    }
};

// The mean gap between tick starts, in ms, for a handler that takes handlerMs.
double MeanSpacing(int interval, int handlerMs, int ticks) {
    TPellThreadTimer timer;
    std::vector<Clock::time_point> starts;
    const DWORD uiThread = GetCurrentThreadId();
    bool onUiThread = true;
    timer.OnTimer = [&](toolkit::TComponent*) {
        starts.push_back(Clock::now());
        onUiThread = onUiThread && GetCurrentThreadId() == uiThread;
        Sleep(static_cast<DWORD>(handlerMs));
    };
    timer.SetInterval(interval);
    timer.SetEnabled(true);
    for (int i = 0; i < 1000 && static_cast<int>(starts.size()) < ticks + 1; ++i) test::PumpFor(10);
    timer.SetEnabled(false);
    EXPECT_TRUE(onUiThread);
    if (starts.size() < 2) return 0;
    const double total =
        std::chrono::duration<double, std::milli>(starts.back() - starts.front()).count();
    return total / static_cast<double>(starts.size() - 1);
}

TEST_F(ThreadTimerWin32, SpacingFollowsTheIntervalOrTheMinimumWait) {
    struct Case {
        int handler;
        double want;  // 200 ms apart, or 195 + 10 once the handler eats the interval
    };
    for (const Case c : {Case{50, 200.0}, Case{195, 205.0}}) {
        SCOPED_TRACE(c.handler);
        const double spacing = MeanSpacing(200, c.handler, 5);
        // Generous: a busy machine and a coarse clock stretch single gaps.
        EXPECT_GT(spacing, c.want - 30);
        EXPECT_LT(spacing, c.want + 60);
    }
}

TEST_F(ThreadTimerWin32, DestroyedWhileItsTickWaitsNeitherCrashesNorHangs) {
    int ticks = 0;
    auto* timer = new TPellThreadTimer();
    timer->OnTimer = [&](toolkit::TComponent*) { ++ticks; };
    timer->SetInterval(10);
    timer->SetEnabled(true);
    test::PumpFor(60);
    ASSERT_GT(ticks, 0);
    // Not pumping: the worker is now blocked in the hand-over.
    Sleep(50);
    const int before = ticks;
    delete timer;
    test::PumpFor(100);
    EXPECT_EQ(ticks, before) << "no tick after the timer went";
    for (int i = 0; i < 200 && TPellThreadTimer::RunningWorkers() > 0; ++i) test::PumpFor(5);
    EXPECT_EQ(TPellThreadTimer::RunningWorkers(), 0) << "the worker ended";
}

TEST_F(ThreadTimerWin32, ManyTimersComeAndGo) {
    // Creation and destruction in quick turns, some while ticking.
    int ticks = 0;
    for (int round = 0; round < 20; ++round) {
        TPellThreadTimer timer;
        timer.OnTimer = [&](toolkit::TComponent*) { ++ticks; };
        timer.SetInterval(round % 3);
        timer.SetEnabled(round % 2 == 0);
        test::PumpFor(round % 4 * 5);
    }
    SUCCEED();
}

}  // namespace
}  // namespace orv::skin
