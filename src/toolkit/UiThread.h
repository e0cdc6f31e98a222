#pragma once
// The one way worker threads reach the user-interface thread: a blocking call that runs a step
// there and returns when it has run. On Windows a message sent to a hidden window; tests
// install their own.
#include <functional>

namespace orv::toolkit {

class TUiThreadCall {
  public:
    virtual ~TUiThreadCall() = default;
    // Runs step on the user-interface thread and waits for it; false when it could not run.
    virtual bool Call(const std::function<void()>& step) = 0;
};

// The installed hand-over; null until the program or a test installs one.
TUiThreadCall* UiThreadCall();
// Installs a hand-over (null removes it). It must outlive every thread that uses it.
void SetUiThreadCall(TUiThreadCall* call);

// Puts the calling thread at the lowest priority where the platform has installed a way to.
void LowerCurrentThreadPriority();
void SetLowerThreadPriority(void (*lower)());

}  // namespace orv::toolkit
