#include "toolkit/win32/SplitterWindow.h"

#include <windowsx.h>

#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {
namespace {

RECT RectInParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TSplitterWindow::~TSplitterWindow() {
    DestroyHandle();
}

bool TSplitterWindow::CreateWindowIn(HWND parent, HWND controlBefore) {
    if (controlBefore == nullptr || GetParent(controlBefore) != parent) return false;
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_SIZEWE), nullptr)) {
        return false;
    }
    before_ = controlBefore;
    const RECT r = RectInParent(before_);
    if (!CreateHandle(kClassName, 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", r.right, r.top,
                      TSplitter::Width(), r.bottom - r.top, parent)) {
        return false;
    }
    Realign();
    return true;
}

void TSplitterWindow::Realign() {
    if (Handle() == nullptr || before_ == nullptr) return;
    const RECT r = RectInParent(before_);
    RECT parent{};
    GetClientRect(GetParent(Handle()), &parent);
    SetParentWidth(parent.right);
    SetControlBefore(r.left, r.right - r.left);
    SetWindowPos(Handle(), nullptr, r.right, r.top, TSplitter::Width(), r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TSplitterWindow::ResizeControl(int width) {
    const RECT r = RectInParent(before_);
    SetWindowPos(before_, nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), nullptr, r.left + width, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    TSplitter::ResizeControl(width);
}

int TSplitterWindow::ParentX(LPARAM lParam) const {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    MapWindowPoints(Handle(), GetParent(Handle()), &p, 1);
    return p.x;
}

LRESULT TSplitterWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintScope paint(Handle());
            RECT client{};
            GetClientRect(Handle(), &client);
            const COLORREF old = SetDCBrushColor(paint.Get(), Color);
            ::FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            SetDCBrushColor(paint.Get(), old);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
            if (before_ == nullptr) break;
            Realign();
            BeginDrag(ParentX(lParam));
            SetCapture(Handle());
            return 0;
        case WM_MOUSEMOVE:
            if (Dragging()) DragTo(ParentX(lParam));
            return 0;
        case WM_LBUTTONUP:
            // Releasing sends WM_CAPTURECHANGED, which ends the drag.
            if (GetCapture() == Handle()) ReleaseCapture();
            EndDrag();
            return 0;
        case WM_CAPTURECHANGED:
            EndDrag();
            return 0;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
