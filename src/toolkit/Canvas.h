#pragma once
// The drawing surface that portable painting code draws on: cells of the tree grid, custom
// buttons. The Win32 implementation draws with GDI on a device context; tests record calls.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Shell.h"

namespace orv::toolkit {

// A colour laid out like a Windows COLORREF: red in the low byte.
using TColor = uint32_t;
constexpr TColor MakeColor(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TRect&) const = default;
};

inline TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.IsEmpty()) return TRect{};
    return r;
}

class TCanvas {
  public:
    virtual ~TCanvas() = default;
    // Text is drawn without filling its background.
    virtual void SetTransparentBackground() = 0;
    virtual void SetFontColor(TColor color) = 0;
    // Fills [Left, Right) x [Top, Bottom).
    virtual void FillRect(const TRect& r, TColor color) = 0;
    // Width in pixels of a text in the current font.
    virtual int TextWidth(std::u16string_view text) = 0;
    // Draws a text with its top-left corner at (x, y).
    virtual void DrawTextAt(int x, int y, std::u16string_view text) = 0;
    // Draws a 16 x 16 icon with its top-left corner at (x, y); a null icon draws nothing.
    virtual void DrawIconAt(int x, int y, platform::IconHandle icon) = 0;
    // Restricts drawing to r (within the current restriction) until the matching PopClip.
    virtual void PushClip(const TRect& r) = 0;
    virtual void PopClip() = 0;
};

// Pictures drawn by index, such as an image list.
class TImageSource {
  public:
    virtual ~TImageSource() = default;
    virtual int Count() const = 0;
    virtual void Draw(TCanvas& canvas, int index, int x, int y) = 0;
};

// The longest start of text that, followed by "...", fits in room pixels, with the "...";
// text itself when it fits; empty when not even "..." fits.
std::u16string ShortenToFit(TCanvas& canvas, std::u16string_view text, int room);

}  // namespace orv::toolkit
