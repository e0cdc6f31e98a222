#include "toolkit/win32/ProgressBarWindow.h"

#include <algorithm>

#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TProgressBarWindow::TProgressBarWindow(TComponent* owner) : TProgressBar(owner) {
    SetView(this);
}

TProgressBarWindow::~TProgressBarWindow() {
    DestroyHandle();
    SetView(nullptr);
}

bool TProgressBarWindow::CreateWindowIn(HWND parent, int x, int y, int width, int height) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (Visible() ? WS_VISIBLE : 0);
    if (!CreateHandle(kClassName, 0, style, L"", x, y, width, height, parent)) return false;
    RECT client{};
    GetClientRect(Handle(), &client);
    SetClientSize(client.right, client.bottom);
    return true;
}

void TProgressBarWindow::ModelChanged(unsigned what) {
    if (Handle() == nullptr) return;
    if (what & kVisibility) {
        ShowWindow(Handle(), Visible() ? SW_SHOWNA : SW_HIDE);
    }
    if (what & kRepaint) {
        const int now = FilledWidth();
        if (paintedFill_ >= 0 && now != paintedFill_) {
            // Only the strip between the edges changes colour.
            const RECT strip{1 + std::min(now, paintedFill_), 1, 1 + std::max(now, paintedFill_),
                             std::max(ClientHeight() - 1, 1)};
            InvalidateRect(Handle(), &strip, FALSE);
        } else {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
    }
}

void TProgressBarWindow::PaintTo(HDC dc) {
    TGdiPaintDevice device(dc);
    Paint(device);
    paintedFill_ = FilledWidth();
}

LRESULT TProgressBarWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintScope paint(Handle());
            PaintTo(paint.Get());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            paintedFill_ = -1;
            SetClientSize(LOWORD(lParam), HIWORD(lParam));
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
