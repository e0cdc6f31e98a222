#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

TWindowBase::~TWindowBase() {
    if (hwnd_ != nullptr) {
        // The derived part is gone: the last messages must not reach it.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        const HWND h = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

void TWindowBase::DestroyHandle() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

TWindowBase* TWindowBase::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) != &WindowProc) {
        return nullptr;
    }
    return reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool TWindowBase::RegisterWindowClass(const wchar_t* className, UINT classStyle, HCURSOR cursor,
                                      HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (RegisterClassExW(&wc) != 0) return true;
    return GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool TWindowBase::CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style,
                               const wchar_t* title, int x, int y, int width, int height,
                               HWND parent, HMENU menuOrId) {
    if (hwnd_ != nullptr) return false;
    const HWND h = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                                   menuOrId, GetModuleHandleW(nullptr), this);
    return h != nullptr && h == hwnd_;
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK TWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindowBase* self;
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        self = static_cast<TWindowBase*>(cs->lpCreateParams);
        if (self != nullptr) {
            self->hwnd_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    // Messages before WM_NCCREATE (WM_GETMINMAXINFO) and after the object let go.
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT r = self->HandleMessage(message, wParam, lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->HandleDestroyed();
        return r;
    }
    return self->HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
