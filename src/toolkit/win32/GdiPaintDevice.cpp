#include "toolkit/win32/GdiPaintDevice.h"

#include <cstring>
#include <vector>

namespace orv::toolkit::win32 {

HFONT CreateGdiFont(const TFont& font) {
    LOGFONTW lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = (font.Style() & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) != 0;
    lf.lfUnderline = (font.Style() & fsUnderline) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::u16string& name = font.Name();
    const size_t n = name.size() < LF_FACESIZE - 1 ? name.size() : LF_FACESIZE - 1;
    std::memcpy(lf.lfFaceName, name.data(), n * sizeof(wchar_t));
    return CreateFontIndirectW(&lf);
}

HBITMAP CreatePremultipliedBitmap(const skin::TPngImage& image, void** bitsOut) {
    if (image.Empty()) return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = image.Width();
    bi.bmiHeader.biHeight = -image.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    auto* out = static_cast<uint32_t*>(bits);
    const uint8_t* in = image.Bytes().data();
    const size_t count = static_cast<size_t>(image.Width()) * static_cast<size_t>(image.Height());
    for (size_t i = 0; i < count; ++i, in += 4) {
        const uint32_t a = in[3];
        // Rounded a * c / 255.
        const auto mul = [a](uint32_t c) { return (c * a + 127) / 255; };
        out[i] = (a << 24) | (mul(in[0]) << 16) | (mul(in[1]) << 8) | mul(in[2]);
    }
    if (bitsOut != nullptr) *bitsOut = bits;
    return bitmap;
}

void BlendPicture(HDC dc, const TRect& r, const TPicture& picture) {
    if (picture.Empty() || r.IsEmpty()) return;
    UniqueBitmap bitmap(CreatePremultipliedBitmap(picture.Image()));
    if (!bitmap) return;
    MemoryDC source(dc);
    SelectScope select(source.Get(), bitmap.Get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // Smooth stretching; AlphaBlend follows the destination's stretch mode.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    AlphaBlend(dc, r.Left, r.Top, r.Width(), r.Height(), source.Get(), 0, 0, picture.Width(),
               picture.Height(), blend);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

TGdiPaintDevice::TGdiPaintDevice(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {
    SelectObject(dc_, GetStockObject(DC_PEN));
    SelectObject(dc_, GetStockObject(DC_BRUSH));
}

TGdiPaintDevice::~TGdiPaintDevice() {
    // Restoring deselects our font before it is deleted.
    if (saved_ != 0) RestoreDC(dc_, saved_);
}

void TGdiPaintDevice::SetTransparentBackground() {
    SetBkMode(dc_, TRANSPARENT);
}

void TGdiPaintDevice::UseFont(const TFont& font) {
    if (!haveFont_ || !(font == selectedFont_)) {
        UniqueFont made(CreateGdiFont(font));
        if (made) {
            SelectObject(dc_, made.Get());
            font_ = std::move(made);
            selectedFont_.Assign(font);
            haveFont_ = true;
        }
    }
    SetTextColor(dc_, font.Color());
}

void TGdiPaintDevice::SetFontColor(TColor color) {
    SetTextColor(dc_, color);
}

TColor TGdiPaintDevice::FontColor() const {
    return GetTextColor(dc_);
}

int TGdiPaintDevice::TextWidth(std::u16string_view text) {
    if (text.empty()) return 0;
    SIZE size{};
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return size.cx;
}

int TGdiPaintDevice::TextHeight() {
    TEXTMETRICW tm{};
    GetTextMetricsW(dc_, &tm);
    return tm.tmHeight;
}

void TGdiPaintDevice::WriteText(int x, int y, std::u16string_view text) {
    if (text.empty()) return;
    const auto* chars = reinterpret_cast<const wchar_t*>(text.data());
    const int count = static_cast<int>(text.size());
    // Glyphs go at the advances TextWidth measures. Left to itself a renderer may place them
    // at others (Wine draws small fonts from bitmap strikes narrower than it reports), and
    // text laid out piece by piece would then show uneven gaps between the pieces.
    std::vector<INT> advances(static_cast<size_t>(count));
    SIZE size{};
    if (!GetTextExtentExPointW(dc_, chars, count, 0, nullptr, advances.data(), &size)) {
        ExtTextOutW(dc_, x, y, 0, nullptr, chars, static_cast<UINT>(count), nullptr);
        return;
    }
    // Partial extents to advances.
    for (size_t i = advances.size() - 1; i > 0; --i) advances[i] -= advances[i - 1];
    ExtTextOutW(dc_, x, y, 0, nullptr, chars, static_cast<UINT>(count), advances.data());
}

void TGdiPaintDevice::SetPenColor(TColor color) {
    SetDCPenColor(dc_, color);
}

void TGdiPaintDevice::SetBrushColor(TColor color) {
    SetDCBrushColor(dc_, color);
}

void TGdiPaintDevice::RoundRect(int left, int top, int right, int bottom, int rx, int ry) {
    ::RoundRect(dc_, left, top, right, bottom, rx, ry);
}

void TGdiPaintDevice::FillRect(const TRect& r) {
    if (r.IsEmpty()) return;
    const RECT rc{r.Left, r.Top, r.Right, r.Bottom};
    ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TGdiPaintDevice::Line(int x1, int y1, int x2, int y2) {
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void TGdiPaintDevice::Draw(int x, int y, const TPicture& picture) {
    BlendPicture(dc_, TRect{x, y, x + picture.Width(), y + picture.Height()}, picture);
}

void TGdiPaintDevice::StretchDraw(const TRect& r, const TPicture& picture) {
    BlendPicture(dc_, r, picture);
}

}  // namespace orv::toolkit::win32
