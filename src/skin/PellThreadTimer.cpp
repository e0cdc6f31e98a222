#include "skin/PellThreadTimer.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/System.h"
#include "toolkit/UiThread.h"

namespace orv::skin {
namespace {
std::atomic<int> g_running{0};
}

// What the worker reads: single values written by the user-interface thread. timer is only
// touched on the user-interface thread and only while bStop is false.
struct TPellThreadTimer::TShared {
    std::atomic<bool> bStop{false};
    std::atomic<bool> FEnabled{false};
    std::atomic<int32_t> FInterval{0};
    TPellThreadTimer* timer = nullptr;
    // Wakes a sleeping worker at once when the timer goes.
    std::mutex sleepLock;
    std::condition_variable wake;
};

TPellThreadTimer::TPellThreadTimer(toolkit::TComponent* AOwner)
    : TComponent(AOwner), FThread(std::make_shared<TShared>()) {
    FThread->timer = this;
    ++g_running;
    std::thread(&TPellThreadTimer::Execute, FThread).detach();
}

TPellThreadTimer::~TPellThreadTimer() {
    {
        std::lock_guard lock(FThread->sleepLock);
        FThread->bStop = true;
        FThread->timer = nullptr;
    }
    FThread->wake.notify_all();
}

bool TPellThreadTimer::Enabled() const {
    return FThread->FEnabled;
}

void TPellThreadTimer::SetEnabled(bool Value) {
    FThread->FEnabled = Value;
}

int32_t TPellThreadTimer::Interval() const {
    return FThread->FInterval;
}

void TPellThreadTimer::SetInterval(int32_t ms) {
    FThread->FInterval = ms;
}

int TPellThreadTimer::RunningWorkers() {
    return g_running;
}

uint32_t TPellThreadTimer::WaitAfterTick(int32_t interval, uint32_t t0, uint32_t t1) {
    const int64_t wait = static_cast<int64_t>(interval) - static_cast<int64_t>(t1 - t0);
    return wait < 10 ? 10u : static_cast<uint32_t>(wait);
}

void TPellThreadTimer::Execute(std::shared_ptr<TShared> tt) {
    while (!tt->bStop) {
        const uint32_t t0 = platform::Sys().TickCount();
        if (tt->FEnabled) {
            if (toolkit::TUiThreadCall* call = toolkit::UiThreadCall()) {
                // The tick step: only bStop can cancel it, not Enabled.
                call->Call([&tt] {
                    TPellThreadTimer* timer = tt->timer;
                    if (!tt->bStop && timer != nullptr && timer->OnTimer) timer->OnTimer(timer);
                });
            }
        }
        const uint32_t t1 = platform::Sys().TickCount();
        const uint32_t wait = WaitAfterTick(tt->FInterval, t0, t1);
        std::unique_lock lock(tt->sleepLock);
        tt->wake.wait_for(lock, std::chrono::milliseconds(wait),
                          [&tt] { return tt->bStop.load(); });
    }
    --g_running;
}

}  // namespace orv::skin
