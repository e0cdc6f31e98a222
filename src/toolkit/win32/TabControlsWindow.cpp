#include "toolkit/win32/TabControlsWindow.h"

#include <windowsx.h>

#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TAdvOfficeTabSetWindow::TAdvOfficeTabSetWindow(TComponent* owner) : TAdvOfficeTabSet(owner) {
    SetView(this);
}

TAdvOfficeTabSetWindow::~TAdvOfficeTabSetWindow() {
    DestroyHandle();
    SetView(nullptr);
}

bool TAdvOfficeTabSetWindow::CreateWindowIn(HWND parent, int x, int y, int width, int height) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    if (!CreateHandle(kClassName, 0, WS_CHILD | WS_VISIBLE, L"", x, y, width, height, parent)) {
        return false;
    }
    RECT client{};
    GetClientRect(Handle(), &client);
    SetClientSize(client.right, client.bottom);
    return true;
}

void TAdvOfficeTabSetWindow::ModelChanged(unsigned) {
    if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, FALSE);
}

void TAdvOfficeTabSetWindow::EnsureLayout() {
    if (!LayoutPending() || Handle() == nullptr) return;
    ClientDC dc(Handle());
    TGdiPaintDevice device(dc.Get());
    Layout(device);
}

void TAdvOfficeTabSetWindow::PaintTo(HDC dc) {
    TGdiPaintDevice device(dc);
    Paint(device);
}

void TAdvOfficeTabSetWindow::OnPaint() {
    PaintBuffered(Handle(), [this](HDC dc, int, int) { PaintTo(dc); });
}

LRESULT TAdvOfficeTabSetWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            SetClientSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (!tracking_) {
                TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Handle(), 0};
                tracking_ = TrackMouseEvent(&t) != FALSE;
            }
            EnsureLayout();
            SetHotTab(TabAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            SetHotTab(-1);
            return 0;
        case WM_LBUTTONDOWN:
            EnsureLayout();
            MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && HotTab() >= 0) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

TTabSheetWindow::TTabSheetWindow(TComponent* owner) : TGraphicHostWindow(owner, u"TTabSheet") {}

bool TTabSheetWindow::CreateIn(TPageControlWindow& pageControl) {
    if (!pageControl.HandleAllocated()) return false;
    if (PageControl() != &pageControl) SetPageControl(&pageControl);
    RECT client{};
    GetClientRect(pageControl.Handle(), &client);
    if (!CreateChild(pageControl.Handle(), 0, 0, client.right, client.bottom)) return false;
    if (!IsActive()) ShowWindow(Handle(), SW_HIDE);
    return true;
}

void TTabSheetWindow::ActiveChanged(bool active) {
    if (HandleAllocated()) ShowWindow(Handle(), active ? SW_SHOW : SW_HIDE);
}

TPageControlWindow::~TPageControlWindow() {
    DestroyHandle();
}

bool TPageControlWindow::CreateWindowIn(HWND parent, int x, int y, int width, int height) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW),
                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1))) {
        return false;
    }
    return CreateHandle(kClassName, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        L"", x, y, width, height, parent);
}

void TPageControlWindow::LayoutPages() {
    RECT client{};
    GetClientRect(Handle(), &client);
    for (int i = 0; i < PageCount(); ++i) {
        auto* sheet = dynamic_cast<TTabSheetWindow*>(Page(i));
        if (sheet != nullptr && sheet->HandleAllocated()) {
            SetWindowPos(sheet->Handle(), nullptr, 0, 0, client.right, client.bottom,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

LRESULT TPageControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) LayoutPages();
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
