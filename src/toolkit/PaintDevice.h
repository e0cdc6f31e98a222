#pragma once
// What controls paint with: a pen, a brush, a selected font and pictures, in the control's own
// coordinates. The Win32 implementation draws with GDI; tests record the calls.
#include <string_view>

#include "toolkit/Canvas.h"
#include "toolkit/Graphics.h"

namespace orv::toolkit {

class TPaintDevice {
  public:
    virtual ~TPaintDevice() = default;
    virtual void SetTransparentBackground() = 0;
    // Selects the font with its colour as the text colour.
    virtual void UseFont(const TFont& font) = 0;
    virtual void SetFontColor(TColor color) = 0;
    virtual TColor FontColor() const = 0;
    // Width of a text in the selected font.
    virtual int TextWidth(std::u16string_view text) = 0;
    // Height of a line of text in the selected font.
    virtual int TextHeight() = 0;
    virtual void WriteText(int x, int y, std::u16string_view text) = 0;
    virtual void SetPenColor(TColor color) = 0;
    virtual void SetBrushColor(TColor color) = 0;
    // Outlined with the one-pixel pen and filled with the brush; right and bottom excluded.
    virtual void RoundRect(int left, int top, int right, int bottom, int rx, int ry) = 0;
    // Fills [left, right) x [top, bottom) with the brush.
    virtual void FillRect(const TRect& r) = 0;
    // A pen line from (x1, y1) to (x2, y2), the end point excluded.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    // Draws a picture at its own size, blended by its alpha.
    virtual void Draw(int x, int y, const TPicture& picture) = 0;
    // Draws a picture stretched to r, blended by its alpha.
    virtual void StretchDraw(const TRect& r, const TPicture& picture) = 0;
};

}  // namespace orv::toolkit
