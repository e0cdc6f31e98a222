#include "toolkit/win32/ListBoxWindow.h"

#include <windowsx.h>

#include <algorithm>

#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TListBoxWindow::TListBoxWindow(TComponent* owner) : TListBox(owner) {
    SetView(this);
}

TListBoxWindow::~TListBoxWindow() {
    // While this object is whole, so that the last messages still find it.
    DestroyHandle();
    SetView(nullptr);
}

bool TListBoxWindow::CreateWindowIn(HWND parent, int x, int y, int width, int height, bool border) {
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    if (!CreateHandle(kClassName, border ? WS_EX_CLIENTEDGE : 0,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, L"", x, y, width, height,
                      parent)) {
        return false;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    SetClientSize(client.right, client.bottom);
    UpdateScrollBar();
    return true;
}

void TListBoxWindow::ModelChanged(unsigned what) {
    if (Handle() == nullptr) return;
    if (what & kScroll) scrollPending_ = true;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TListBoxWindow::UpdateScrollBar() {
    // Showing or hiding the bar resizes the client area, which comes back here through WM_SIZE.
    if (inScrollUpdate_) return;
    inScrollUpdate_ = true;
    scrollPending_ = false;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(Count() - 1, 0);
    si.nPage = static_cast<UINT>(Count() > VisibleRows() ? VisibleRows() : Count() + 1);
    si.nPos = TopIndex();
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    RECT client{};
    GetClientRect(Handle(), &client);
    SetClientSize(client.right, client.bottom);
    scrollPending_ = false;
    inScrollUpdate_ = false;
}

void TListBoxWindow::PaintTo(HDC dc) {
    const int w = ClientWidth();
    const int h = ClientHeight();
    {
        const RECT all{0, 0, w, h};
        const COLORREF old = SetDCBrushColor(dc, Color());
        ::FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
    }
    for (int i = TopIndex(); i < Count(); ++i) {
        const TRect r = ItemRect(i);
        if (r.Top >= h) break;
        // A handler may draw anywhere; it only shows within its row.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
        {
            TGdiPaintDevice device(dc);
            DrawItem(device, i, r);
        }
        RestoreDC(dc, saved);
    }
}

void TListBoxWindow::OnPaint() {
    if (scrollPending_) UpdateScrollBar();
    PaintBuffered(Handle(), [this](HDC dc, int, int) { PaintTo(dc); });
}

void TListBoxWindow::OnScroll(int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    GetScrollInfo(Handle(), SB_VERT, &si);
    switch (code) {
        case SB_LINEUP:
            ScrollBy(-1);
            break;
        case SB_LINEDOWN:
            ScrollBy(1);
            break;
        case SB_PAGEUP:
            ScrollBy(-VisibleRows());
            break;
        case SB_PAGEDOWN:
            ScrollBy(VisibleRows());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            SetTopIndex(si.nTrackPos);
            break;
        case SB_TOP:
            SetTopIndex(0);
            break;
        case SB_BOTTOM:
            SetTopIndex(MaxTopIndex());
            break;
        default:
            break;
    }
}

bool TListBoxWindow::OnKey(WPARAM key) {
    switch (key) {
        case VK_UP:
            return KeyDown(TListKey::Up);
        case VK_DOWN:
            return KeyDown(TListKey::Down);
        case VK_PRIOR:
            return KeyDown(TListKey::PageUp);
        case VK_NEXT:
            return KeyDown(TListKey::PageDown);
        case VK_HOME:
            return KeyDown(TListKey::Home);
        case VK_END:
            return KeyDown(TListKey::End);
        default:
            return false;
    }
}

LRESULT TListBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            SetClientSize(LOWORD(lParam), HIWORD(lParam));
            UpdateScrollBar();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetFocus(Handle());
            MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_VSCROLL:
            OnScroll(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            // One row per notch: skin rows are tall.
            wheelRest_ += GET_WHEEL_DELTA_WPARAM(wParam);
            const int rows = wheelRest_ / WHEEL_DELTA;
            wheelRest_ -= rows * WHEEL_DELTA;
            ScrollBy(-rows);
            return 0;
        }
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
