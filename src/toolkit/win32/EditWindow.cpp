#include "toolkit/win32/EditWindow.h"

#include <algorithm>

#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TEdit::TEdit(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] { ApplyFont(); };
}

TEdit::~TEdit() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void TEdit::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_ != nullptr)
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string TEdit::Text() const {
    if (hwnd_ == nullptr || !IsWindow(hwnd_)) return text_;
    const int n = GetWindowTextLengthW(hwnd_);
    std::u16string text(static_cast<size_t>(n) + 1, u'\0');
    const int got = GetWindowTextW(hwnd_, reinterpret_cast<wchar_t*>(text.data()), n + 1);
    text.resize(static_cast<size_t>(std::max(got, 0)));
    return text;
}

void TEdit::SetText(std::u16string_view text) {
    text_.assign(text);
    if (hwnd_ != nullptr) SetWindowTextW(hwnd_, reinterpret_cast<const wchar_t*>(text_.c_str()));
}

void TEdit::SetEnabled(bool v) {
    enabled_ = v;
    if (hwnd_ != nullptr) EnableWindow(hwnd_, v ? TRUE : FALSE);
}

bool TEdit::CreateHandle(HWND parent) {
    if (hwnd_ != nullptr) return true;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
    if (charCase_ == TEditCharCase::UpperCase) style |= ES_UPPERCASE;
    if (!enabled_) style |= WS_DISABLED;
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT",
                            reinterpret_cast<const wchar_t*>(text_.c_str()), style, left_, top_,
                            width_, height_, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) return false;
    ApplyFont();
    return true;
}

void TEdit::ApplyFont() {
    if (hwnd_ == nullptr) return;
    gdiFont_.Reset(CreateGdiFont(font_));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), TRUE);
}

}  // namespace orv::toolkit::win32
