#include "app/win32/Unit1.h"

#include <algorithm>
#include <string>

#include "app/Globals.h"
#include "platform/System.h"
#include "platform/win32/WinText.h"

namespace orv::app {
namespace {

constexpr COLORREF kBackground = RGB(0xF4, 0xF6, 0xF8);
constexpr COLORREF kFrame = RGB(0xA8, 0xB2, 0xBC);
constexpr COLORREF kTitle = RGB(0x2E, 0x3A, 0x48);

RECT CentredOnWorkArea(int width, int height) {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    return RECT{left, top, left + width, top + height};
}

}  // namespace

TForm_KT7::~TForm_KT7() {
    // While the object is still a TForm_KT7, so WM_DESTROY reaches this class.
    DestroyHandle();
    if (titleFont_ != nullptr) DeleteObject(titleFont_);
}

bool TForm_KT7::Create() {
    const std::wstring className = platform::win32::Wide(kMainWindowClassName);
    if (!RegisterWindowClass(className.c_str(), CS_HREDRAW | CS_VREDRAW, LoadCursorW(nullptr, IDC_ARROW),
                             nullptr)) {
        return false;
    }
    // A popup without owner and with WS_EX_APPWINDOW: no frame, but a taskbar button.
    const RECT r = CentredOnWorkArea(kWidth, kHeight);
    return CreateHandle(className.c_str(), WS_EX_APPWINDOW,
                        WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                        platform::win32::Wide(kProgramTitle).c_str(), r.left, r.top,
                        r.right - r.left, r.bottom - r.top, nullptr);
}

void TForm_KT7::Show() {
    if (Handle() == nullptr) return;
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TForm_KT7::BringToFront() {
    if (Handle() == nullptr) return;
    BringWindowToTop(Handle());
    SetForegroundWindow(Handle());
}

void TForm_KT7::FormCreate() {
    ClosingRequested = false;
    titleFont_ =
        CreateFontW(-30, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
}

void TForm_KT7::FormClose() {
    // Running work sees these flags while it pumps messages and stops.
    platform::DebugOutput(u"KT16: FormCloseQuery");
    ClosingRequested = true;
    ScanAbortRequested = true;
    platform::DebugOutput(u"KT16: FormCloseQuery DONE");
    platform::DebugOutput(u"KT16: FormClose");
    platform::DebugOutput(u"KT16: FormClose DONE");
    DestroyHandle();
}

void TForm_KT7::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    RECT client;
    GetClientRect(Handle(), &client);

    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    HBRUSH frame = CreateSolidBrush(kFrame);
    FrameRect(dc, &client, frame);
    DeleteObject(frame);

    wchar_t title[256];
    const int length = GetWindowTextW(Handle(), title, 256);
    HGDIOBJ oldFont = SelectObject(dc, titleFont_ != nullptr ? static_cast<HGDIOBJ>(titleFont_)
                                                             : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTitle);
    TextOutW(dc, 28, 20, title, length);
    SelectObject(dc, oldFont);

    EndPaint(Handle(), &ps);
}

LRESULT TForm_KT7::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_CLOSE:
            FormClose();
            return 0;
        case WM_DESTROY:
            if (OnDestroyed) OnDestroyed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(titleFont_);
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return TWindowBase::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace orv::app
