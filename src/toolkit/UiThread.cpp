#include "toolkit/UiThread.h"

#include <atomic>

namespace orv::toolkit {
namespace {
std::atomic<TUiThreadCall*> g_call{nullptr};
std::atomic<void (*)()> g_lower{nullptr};
}  // namespace

TUiThreadCall* UiThreadCall() {
    return g_call.load();
}

void SetUiThreadCall(TUiThreadCall* call) {
    g_call.store(call);
}

void LowerCurrentThreadPriority() {
    if (void (*lower)() = g_lower.load()) lower();
}

void SetLowerThreadPriority(void (*lower)()) {
    g_lower.store(lower);
}

}  // namespace orv::toolkit
