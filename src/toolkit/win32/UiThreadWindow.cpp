#include "toolkit/win32/UiThreadWindow.h"

namespace orv::toolkit::win32 {

TUiThreadWindow::~TUiThreadWindow() {
    if (UiThreadCall() == this) SetUiThreadCall(nullptr);
}

bool TUiThreadWindow::Create() {
    if (!RegisterWindowClass(kClassName, 0, nullptr, nullptr)) return false;
    thread_ = GetCurrentThreadId();
    return CreateHandle(kClassName, 0, 0, L"", 0, 0, 0, 0, HWND_MESSAGE);
}

bool TUiThreadWindow::Call(const std::function<void()>& step) {
    if (GetCurrentThreadId() == thread_) {
        step();
        return true;
    }
    const HWND h = Handle();
    if (h == nullptr) return false;
    // A gone window answers at once with 0, so a late worker cannot hang here.
    return SendMessageW(h, kRunStep, 0, reinterpret_cast<LPARAM>(&step)) == 1;
}

LRESULT TUiThreadWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunStep) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 1;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

bool InstallUiThreadCall() {
    static TUiThreadWindow* window = nullptr;
    if (window != nullptr) return true;
    auto* w = new TUiThreadWindow();
    if (!w->Create()) {
        delete w;
        return false;
    }
    // Never freed: workers may still hand over steps while the process ends.
    window = w;
    SetUiThreadCall(w);
    SetLowerThreadPriority([] { SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_LOWEST); });
    return true;
}

}  // namespace orv::toolkit::win32
