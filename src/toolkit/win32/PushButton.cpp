#include "toolkit/win32/PushButton.h"

#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {
namespace {
constexpr wchar_t kOwnerProperty[] = L"OrvellaButtonControl";

const wchar_t* Wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}
}  // namespace

TButtonControl::TButtonControl(TComponent* owner, DWORD style)
    : TComponent(owner), style_(style), caption_([this] {
          if (hwnd_ != nullptr) SetWindowTextW(hwnd_, Wide(caption_.Value()));
      }) {
    font_.OnChange = [this] { ApplyFont(); };
}

TButtonControl::~TButtonControl() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        RemovePropW(hwnd_, kOwnerProperty);
        DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void TButtonControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_ != nullptr)
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TButtonControl::SetVisible(bool v) {
    visible_ = v;
    if (hwnd_ != nullptr) ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
}

void TButtonControl::SetEnabled(bool v) {
    enabled_ = v;
    if (hwnd_ != nullptr) EnableWindow(hwnd_, v ? TRUE : FALSE);
}

bool TButtonControl::CreateHandle(HWND parent) {
    if (hwnd_ != nullptr) return true;
    DWORD style = WS_CHILD | WS_TABSTOP | style_;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    hwnd_ = CreateWindowExW(0, L"BUTTON", Wide(caption_.Value()), style, left_, top_, width_,
                            height_, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) return false;
    SetPropW(hwnd_, kOwnerProperty, this);
    ApplyFont();
    HandleCreated();
    return true;
}

void TButtonControl::ApplyFont() {
    if (hwnd_ == nullptr) return;
    gdiFont_.Reset(CreateGdiFont(font_));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), TRUE);
}

void TButtonControl::SetFocus() {
    if (hwnd_ != nullptr && visible_ && enabled_) ::SetFocus(hwnd_);
}

bool TButtonControl::Focused() const {
    return hwnd_ != nullptr && GetFocus() == hwnd_;
}

void TButtonControl::Click() {
    Clicked();
    if (OnClick) OnClick(this);
}

TButtonControl* TButtonControl::FromHandle(HWND window) {
    if (window == nullptr) return nullptr;
    return static_cast<TButtonControl*>(GetPropW(window, kOwnerProperty));
}

bool TButtonControl::DispatchButtonCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) return false;
    TButtonControl* control = FromHandle(reinterpret_cast<HWND>(lParam));
    if (control == nullptr) return false;
    control->Click();
    return true;
}

TPushButton::TPushButton(TComponent* owner) : TButtonControl(owner, BS_PUSHBUTTON) {}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner, BS_AUTOCHECKBOX) {}

bool TCheckBox::Checked() const {
    if (Handle() != nullptr) return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    return checked_;
}

void TCheckBox::SetChecked(bool v) {
    checked_ = v;
    if (Handle() != nullptr)
        SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::HandleCreated() {
    SetChecked(checked_);
}

void TCheckBox::Clicked() {
    // The box toggled itself already when a window exists.
    if (Handle() == nullptr)
        checked_ = !checked_;
    else
        checked_ = SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace orv::toolkit::win32
