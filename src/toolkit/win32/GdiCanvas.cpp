#include "toolkit/win32/GdiCanvas.h"

namespace orv::toolkit::win32 {

TGdiCanvas::TGdiCanvas(HDC dc, HFONT font) : dc_(dc), saved_(SaveDC(dc)) {
    if (font != nullptr) SelectObject(dc_, font);
}

TGdiCanvas::~TGdiCanvas() {
    if (saved_ != 0) RestoreDC(dc_, saved_);
}

void TGdiCanvas::SetTransparentBackground() {
    SetBkMode(dc_, TRANSPARENT);
}

void TGdiCanvas::SetFontColor(TColor color) {
    SetTextColor(dc_, color);
}

void TGdiCanvas::FillRect(const TRect& r, TColor color) {
    if (r.IsEmpty()) return;
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    // The stock DC brush takes any colour without creating a brush per fill.
    const COLORREF old = SetDCBrushColor(dc_, color);
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc_, old);
}

int TGdiCanvas::TextWidth(std::u16string_view text) {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

void TGdiCanvas::DrawTextAt(int x, int y, std::u16string_view text) {
    if (text.empty()) return;
    ExtTextOutW(dc_, x, y, 0, nullptr, reinterpret_cast<const wchar_t*>(text.data()),
                static_cast<UINT>(text.size()), nullptr);
}

void TGdiCanvas::DrawIconAt(int x, int y, platform::IconHandle icon) {
    if (icon == nullptr) return;
    DrawIconEx(dc_, x, y, static_cast<HICON>(icon), 16, 16, 0, nullptr, DI_NORMAL);
}

void TGdiCanvas::PushClip(const TRect& r) {
    clipStates_.push_back(SaveDC(dc_));
    IntersectClipRect(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TGdiCanvas::PopClip() {
    if (clipStates_.empty()) return;
    RestoreDC(dc_, clipStates_.back());
    clipStates_.pop_back();
}

}  // namespace orv::toolkit::win32
