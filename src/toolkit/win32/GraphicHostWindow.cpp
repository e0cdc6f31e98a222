#include "toolkit/win32/GraphicHostWindow.h"

#include <windowsx.h>

#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TGraphicHostWindow::TGraphicHostWindow(TComponent* owner, std::u16string_view className)
    : TComponent(owner), className_(className) {}

TGraphicHostWindow::~TGraphicHostWindow() {
    DestroyHandle();
    // The controls still parented here must not reach back into a half-gone host.
    while (ChildCount() > 0) Child(ChildCount() - 1)->SetParent(nullptr);
}

bool TGraphicHostWindow::Register() {
    return RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr);
}

bool TGraphicHostWindow::CreateTopLevel(const wchar_t* title, int x, int y, int clientWidth,
                                        int clientHeight) {
    if (!Register()) return false;
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    return CreateHandle(kClassName, 0, style, title, x, y, r.right - r.left, r.bottom - r.top,
                        nullptr);
}

bool TGraphicHostWindow::CreateChild(HWND parent, int x, int y, int width, int height) {
    if (!Register()) return false;
    return CreateHandle(kClassName, 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"", x, y, width,
                        height, parent);
}

bool TGraphicHostWindow::CreateBorderless(HWND owner, const wchar_t* title, int x, int y, int width,
                                          int height) {
    if (!Register()) return false;
    return CreateHandle(kClassName, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, WS_POPUP,
                        title, x, y, width, height, owner);
}

void TGraphicHostWindow::SetColor(TColor c) {
    color_ = c;
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

int TGraphicHostWindow::ClientWidth() const {
    RECT r{};
    if (HandleAllocated()) GetClientRect(Handle(), &r);
    return r.right;
}

int TGraphicHostWindow::ClientHeight() const {
    RECT r{};
    if (HandleAllocated()) GetClientRect(Handle(), &r);
    return r.bottom;
}

void TGraphicHostWindow::InvalidateArea(const TRect& r) {
    if (!HandleAllocated() || r.IsEmpty()) return;
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    InvalidateRect(Handle(), &rc, FALSE);
}

void TGraphicHostWindow::HostToScreen(int& x, int& y) const {
    POINT p{x, y};
    if (HandleAllocated()) ::ClientToScreen(Handle(), &p);
    x = p.x;
    y = p.y;
}

void TGraphicHostWindow::PaintTo(HDC dc, int width, int height) {
    {
        const RECT all{0, 0, width, height};
        const COLORREF old = SetDCBrushColor(dc, color_);
        ::FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        SetDCBrushColor(dc, old);
    }
    PaintChildren([dc](TControl& c) {
        // Each control paints in its own coordinates, clipped to its bounds.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height());
        SetViewportOrgEx(dc, c.Left(), c.Top(), nullptr);
        {
            TGdiPaintDevice device(dc);
            c.Paint(device);
        }
        RestoreDC(dc, saved);
    });
}

void TGraphicHostWindow::OnPaint() {
    PaintBuffered(Handle(), [this](HDC dc, int width, int height) { PaintTo(dc, width, height); });
}

void TGraphicHostWindow::TrackLeave() {
    if (tracking_) return;
    TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, Handle(), 0};
    tracking_ = TrackMouseEvent(&t) != FALSE;
}

namespace {
unsigned g_modalLoops = 0;
}  // namespace

void TGraphicHostWindow::NoteModalLoop() { ++g_modalLoops; }

namespace {
TMouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return TMouseButton::Right;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            return TMouseButton::Middle;
        default:
            return TMouseButton::Left;
    }
}
}  // namespace

LRESULT TGraphicHostWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            TrackLeave();
            HostMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            // While a press holds the capture, the leave comes with the release.
            if (GetCapture() != Handle()) HostMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetCapture(Handle());
            HostMouseDown(ButtonOf(message), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            if (GetCapture() == Handle()) ReleaseCapture();
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam);
            const unsigned loopsBefore = g_modalLoops;
            HostMouseUp(ButtonOf(message), x, y);
            if (loopsBefore == g_modalLoops) {
                if (HandleAllocated()) HostMouseMove(x, y);
                return 0;
            }
            // The click ran a modal dialog, and the mouse may be elsewhere now: hover follows
            // where it is, not where it was released.
            POINT at{x, y};
            RECT client{};
            if (HandleAllocated() && GetCursorPos(&at) && ScreenToClient(Handle(), &at) &&
                GetClientRect(Handle(), &client)) {
                if (PtInRect(&client, at)) {
                    HostMouseMove(at.x, at.y);
                } else {
                    HostMouseLeave();
                }
            }
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && Hovered() != nullptr &&
                Hovered()->Cursor() == TCursor::HandPoint) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            if (LOWORD(lParam) == HTCLIENT && Hovered() != nullptr &&
                Hovered()->Cursor() == TCursor::SizeNWSE) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZENWSE));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
