#pragma once
// TPellThreadTimer: a timer whose ticks are timed by a worker thread instead of the window
// system's timer messages. Each tick runs OnTimer on the user-interface thread through the
// blocking hand-over, so handlers touch the interface freely and never overlap.
//
// The worker shares a small state block with the timer instead of pointing at it, so a timer
// destroyed at any moment (also while a tick waits for the user-interface thread) leaves the
// worker nothing freed to read; destruction does not wait, so it cannot deadlock either.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"

namespace orv::skin {

enum class TThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

class TPellThreadTimer : public toolkit::TComponent {
  public:
    explicit TPellThreadTimer(toolkit::TComponent* AOwner = nullptr);
    // Tells the worker to stop and returns at once.
    ~TPellThreadTimer() override;
    std::u16string_view ClassName() const override { return u"TPellThreadTimer"; }

    bool Enabled() const;
    // Stored only; the worker reads it at its next cycle.
    void SetEnabled(bool Value);
    int32_t Interval() const;
    void SetInterval(int32_t ms);
    // Stored only: the worker's priority was set once, when it was created.
    TThreadPriority ThreadPriority() const { return FPriority; }
    void SetThreadPriority(TThreadPriority p) { FPriority = p; }

    // Called on the user-interface thread with the timer as sender.
    toolkit::TNotifyEvent OnTimer;

    // Workers that have not ended yet, of all timers (tests watch their end).
    static int RunningWorkers();

    // The wait after a tick that started at t0 and returned at t1: the rest of the interval,
    // at least 10 ms. The clock may wrap.
    static uint32_t WaitAfterTick(int32_t interval, uint32_t t0, uint32_t t1);

  private:
    struct TShared;
    static void Execute(std::shared_ptr<TShared> tt);

    std::shared_ptr<TShared> FThread;
    TThreadPriority FPriority = TThreadPriority::Normal;
};

}  // namespace orv::skin
