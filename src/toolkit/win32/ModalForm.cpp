#include "toolkit/win32/ModalForm.h"

#include <algorithm>

namespace orv::toolkit::win32 {
namespace {

bool IsKeyMessage(UINT m) {
    return m == WM_KEYDOWN || m == WM_SYSKEYDOWN || m == WM_CHAR || m == WM_SYSCHAR;
}

struct Disabler {
    HWND self;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOne(HWND window, LPARAM data) {
    auto* d = reinterpret_cast<Disabler*>(data);
    if (window != d->self && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        d->disabled.push_back(window);
    }
    return TRUE;
}

}  // namespace

TModalForm::TModalForm(TComponent* owner, std::u16string_view className)
    : TGraphicHostWindow(owner, className) {}

TModalForm::~TModalForm() {
    // The child windows go with the form's window; the button objects stay with their owner.
    DestroyHandle();
}

bool TModalForm::CreateForm(std::u16string_view caption, int clientWidth, int clientHeight,
                            TModalFormStyle style) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) return false;
    DWORD ws = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
    if (style.SystemMenu) ws |= WS_SYSMENU;
    DWORD ex = 0;
    if (style.DialogFrame) ex |= WS_EX_DLGMODALFRAME;
    if (style.StayOnTop) ex |= WS_EX_TOPMOST;
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, ws, FALSE, ex);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    const int x = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
    const int y = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - h) / 2);
    const std::u16string title(caption);
    if (!CreateHandle(kClassName, ex, ws, reinterpret_cast<const wchar_t*>(title.c_str()), x, y, w,
                      h, GetActiveWindow()))
        return false;
    for (TButtonControl* b : buttons_) b->CreateHandle(Handle());
    return true;
}

void TModalForm::CenterOver(HWND over) {
    if (!HandleAllocated()) return;
    const bool onWindow = over != nullptr && IsWindow(over) && IsWindowVisible(over);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(onWindow ? over : Handle(), MONITOR_DEFAULTTONEAREST),
                         &monitor))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    const RECT work = monitor.rcWork;
    RECT outer = work;
    if (onWindow) GetWindowRect(over, &outer);
    RECT own{};
    GetWindowRect(Handle(), &own);
    const int w = own.right - own.left;
    const int h = own.bottom - own.top;
    int x = outer.left + (outer.right - outer.left - w) / 2;
    int y = outer.top + (outer.bottom - outer.top - h) / 2;
    // A main window partly off the screen must not take the dialog's caption with it.
    x = std::max<int>(work.left, std::min<int>(x, work.right - w));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
    SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TModalForm::SetCaption(std::u16string_view caption) {
    const std::u16string title(caption);
    if (HandleAllocated())
        SetWindowTextW(Handle(), reinterpret_cast<const wchar_t*>(title.c_str()));
}

std::u16string TModalForm::Caption() const {
    if (!HandleAllocated()) return {};
    const int n = GetWindowTextLengthW(Handle());
    std::u16string text(static_cast<size_t>(n) + 1, u'\0');
    const int got = GetWindowTextW(Handle(), reinterpret_cast<wchar_t*>(text.data()), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

bool TModalForm::Belongs(HWND window) const {
    return window != nullptr && HandleAllocated() &&
           (window == Handle() || IsChild(Handle(), window));
}

void TModalForm::SetActiveControl(TButtonControl* control) {
    activeControl_ = control;
    // The focused push button shows the thick frame of the button Enter presses.
    for (TButtonControl* b : buttons_) {
        if (b->Handle() == nullptr || b->ClassName() != u"TButton") continue;
        SendMessageW(b->Handle(), BM_SETSTYLE, b == control ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
    }
    if (control != nullptr && Showing()) control->SetFocus();
}

TButtonControl* TModalForm::ActiveControl() const {
    return activeControl_;
}

std::vector<HWND> TModalForm::DisableThreadWindows() {
    Disabler d{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&d));
    return d.disabled;
}

int TModalForm::ShowModal() {
    if (!HandleAllocated() || inModalLoop_) return kMrCancel;
    modalResult_ = kMrNone;
    NoteModalLoop();
    const std::vector<HWND> disabled = DisableThreadWindows();
    inModalLoop_ = true;
    if (activeControl_ == nullptr) {
        for (TButtonControl* b : buttons_) {
            if (b->Visible() && b->Enabled()) {
                activeControl_ = b;
                break;
            }
        }
    }
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetActiveControl(activeControl_);

    MSG msg{};
    while (modalResult_ == kMrNone && HandleAllocated()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The outer loop must still see the quit.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (IsKeyMessage(msg.message) && Belongs(msg.hwnd) && PreviewKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // Enable the others before hiding, so that Windows activates the owner again.
    for (HWND w : disabled) {
        if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    inModalLoop_ = false;
    if (modalResult_ == kMrNone) modalResult_ = kMrCancel;
    return modalResult_;
}

bool TModalForm::Close() {
    if (!CloseQuery()) return false;
    if (modalResult_ == kMrNone) modalResult_ = kMrCancel;
    if (!inModalLoop_ && HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    return true;
}

LRESULT TModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            // Never destroyed by the close request: ShowModal's caller reads the form first.
            Close();
            return 0;
        case WM_COMMAND:
            if (TButtonControl::DispatchButtonCommand(wParam, lParam)) return 0;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR: {
            // Keys sent straight to the form, past the loop.
            const MSG msg{Handle(), message, wParam, lParam, 0, {}};
            if (PreviewKey(msg)) return 0;
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (TButtonControl* b = TButtonControl::FromHandle(GetFocus());
                    b != nullptr &&
                    std::find(buttons_.begin(), buttons_.end(), b) != buttons_.end())
                    activeControl_ = b;
            } else if (activeControl_ != nullptr) {
                activeControl_->SetFocus();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Check boxes and buttons sit on the form's colour.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, Color());
            SetDCBrushColor(dc, Color());
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        default:
            break;
    }
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
