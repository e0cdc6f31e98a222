#include "toolkit/win32/HostWindow.h"

namespace orv::toolkit::win32 {

THostWindow::~THostWindow() {
    OnClosed = nullptr;
    DestroyHandle();
}

bool THostWindow::Register() {
    return RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

bool THostWindow::CreateTopLevel(const wchar_t* title, int clientWidth, int clientHeight) {
    if (!Register()) return false;
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    return CreateHandle(kClassName, 0, style, title, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                        r.bottom - r.top, nullptr);
}

bool THostWindow::CreateChild(HWND parent, int x, int y, int width, int height) {
    if (!Register()) return false;
    return CreateHandle(kClassName, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"", x, y, width,
                        height, parent);
}

LRESULT THostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && OnResized) OnResized(LOWORD(lParam), HIWORD(lParam));
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

void THostWindow::HandleDestroyed() {
    if (OnClosed) OnClosed();
}

}  // namespace orv::toolkit::win32
