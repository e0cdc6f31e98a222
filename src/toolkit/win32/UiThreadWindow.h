#pragma once
// The hand-over to the user-interface thread on Windows: a hidden message-only window made on
// that thread; a worker sends it a message that carries the step and waits until it has run.
// From the user-interface thread itself the step simply runs.
#include <windows.h>

#include "toolkit/UiThread.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TUiThreadWindow : public TUiThreadCall, public TWindowBase {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaUiThreadCall";

    TUiThreadWindow() = default;
    ~TUiThreadWindow() override;
    // Makes the window on the calling thread, which becomes the user-interface thread.
    bool Create();
    bool Call(const std::function<void()>& step) override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static constexpr UINT kRunStep = WM_APP + 0x60;
    DWORD thread_ = 0;
};

// Makes the process's hand-over window on the calling thread and installs it, with the way to
// lower a thread's priority; kept to the end of the process. Calling it again does nothing.
bool InstallUiThreadCall();

}  // namespace orv::toolkit::win32
