// The page-switch thread: deferred requests reach the window only on the user-interface
// thread, merge within one poll, wait while the thread has no window, and a destroyed thread
// object leaves the worker nothing to reach.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "../buttons/FakeUiThread.h"
#include "app/ModuleHost.h"

namespace orv::app {
namespace {

struct Recorder : TModuleSwitchTarget {
    std::vector<std::pair<const void*, bool>> switches;
    int startPages = 0;
    std::thread::id thread;
    void SwitchToStartPage() override {
        ++startPages;
        thread = std::this_thread::get_id();
    }
    void SwitchModule(const void* cls, bool isStart) override {
        switches.emplace_back(cls, isStart);
        thread = std::this_thread::get_id();
    }
};

const int kClassA = 1;
const int kClassB = 2;

void WaitForWorkersToEnd() {
    for (int i = 0; i < 100 && TMainMenuSwitcherThread::RunningWorkers() > 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TEST(SwitcherThread, PollHandsEachPendingRequestOverOnceAndClearsIt) {
    test::FakeUiThread ui;
    Recorder r;
    TMainMenuSwitcherThread t;
    t.SetMainForm(&r);
    t.RequestShowMainMenu();
    t.RequestChangeModule(&kClassA, true);
    // RequestChangeModule resumed the worker; it polls within 50 ms.
    EXPECT_FALSE(t.Suspended());
    ui.Pump(200);
    EXPECT_EQ(r.startPages, 1);
    ASSERT_EQ(r.switches.size(), 1u);
    EXPECT_EQ(r.switches[0].first, &kClassA);
    EXPECT_TRUE(r.switches[0].second);
    EXPECT_EQ(r.thread, std::this_thread::get_id()) << "switches run on the user-interface thread";
    EXPECT_FALSE(t.ShowMainMenuPending());
    EXPECT_FALSE(t.ChangeModulePending());
    ui.Pump(120);
    EXPECT_EQ(r.startPages, 1) << "a request is handed over once";
    EXPECT_EQ(r.switches.size(), 1u);
}

TEST(SwitcherThread, TwoRequestsBeforeOnePollMergeAndTheLastClassWins) {
    test::FakeUiThread ui;
    Recorder r;
    {
        TMainMenuSwitcherThread t;
        t.SetMainForm(&r);
        t.Start();
        t.RequestChangeModule(&kClassA, false);
        t.RequestChangeModule(&kClassB, true);
        t.RequestShowMainMenu();
        t.RequestShowMainMenu();
        ui.Pump(250);
        ASSERT_EQ(r.switches.size(), 1u);
        EXPECT_EQ(r.switches[0].first, &kClassB);
        EXPECT_TRUE(r.switches[0].second);
        EXPECT_EQ(r.startPages, 1);
    }
    WaitForWorkersToEnd();
    EXPECT_EQ(TMainMenuSwitcherThread::RunningWorkers(), 0);
}

TEST(SwitcherThread, RequestsWaitWhileThereIsNoWindowAndNotBeforeTheStart) {
    test::FakeUiThread ui;
    Recorder r;
    TMainMenuSwitcherThread t;
    EXPECT_TRUE(t.Suspended()) << "created suspended";
    t.RequestShowMainMenu();
    t.Start();
    EXPECT_FALSE(ui.WaitForPending(150)) << "no window: nothing is handed over";
    EXPECT_TRUE(t.ShowMainMenuPending());
    t.SetMainForm(&r);
    ui.Pump(150);
    EXPECT_EQ(r.startPages, 1);
}

TEST(SwitcherThread, ADestroyedThreadObjectReachesNoWindowEvenWithAHandOverWaiting) {
    test::FakeUiThread ui;
    Recorder r;
    auto t = std::make_unique<TMainMenuSwitcherThread>();
    t->SetMainForm(&r);
    t->Start();
    t->RequestShowMainMenu();
    // The worker's hand-over is waiting for this thread when the object goes.
    ASSERT_TRUE(ui.WaitForPending(300));
    t.reset();
    ui.Pump(100);
    EXPECT_EQ(r.startPages, 0);
    WaitForWorkersToEnd();
    EXPECT_EQ(TMainMenuSwitcherThread::RunningWorkers(), 0);
}

}  // namespace
}  // namespace orv::app
