#include "app/win32/WindowBase.h"

namespace orv::app {

TWindowBase::~TWindowBase() {
    DestroyHandle();
}

void TWindowBase::DestroyHandle() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

bool TWindowBase::RegisterWindowClass(const wchar_t* className, HCURSOR cursor) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &TWindowBase::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool TWindowBase::CreateHandle(const wchar_t* className, const wchar_t* title, DWORD style,
                               DWORD exStyle, const RECT& bounds, HWND parent) {
    if (hwnd_ != nullptr) return false;
    CreateWindowExW(exStyle, className, title, style, bounds.left, bounds.top,
                    bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                    GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) have no object yet.
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace orv::app
