#pragma once
// The paint device of controls drawn with GDI on a device context. Pictures are blended by
// their alpha through 32-bit premultiplied bitmaps and AlphaBlend. What the device selects
// into the context is restored when it goes.
#include <windows.h>

#include "toolkit/PaintDevice.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {

// A GDI font for a toolkit font; null when it cannot be made.
HFONT CreateGdiFont(const TFont& font);

// A top-down 32-bit DIB section holding the picture premultiplied by its alpha, as AlphaBlend
// wants it; bits receives the pixels. Null for an empty picture.
HBITMAP CreatePremultipliedBitmap(const skin::TPngImage& image, void** bits = nullptr);

// Blends a picture into dc, stretched to the rectangle.
void BlendPicture(HDC dc, const TRect& r, const TPicture& picture);

class TGdiPaintDevice : public TPaintDevice {
  public:
    explicit TGdiPaintDevice(HDC dc);
    ~TGdiPaintDevice() override;
    TGdiPaintDevice(const TGdiPaintDevice&) = delete;
    TGdiPaintDevice& operator=(const TGdiPaintDevice&) = delete;

    void SetTransparentBackground() override;
    void UseFont(const TFont& font) override;
    void SetFontColor(TColor color) override;
    TColor FontColor() const override;
    int TextWidth(std::u16string_view text) override;
    int TextHeight() override;
    void WriteText(int x, int y, std::u16string_view text) override;
    void SetPenColor(TColor color) override;
    void SetBrushColor(TColor color) override;
    void RoundRect(int left, int top, int right, int bottom, int rx, int ry) override;
    void FillRect(const TRect& r) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Draw(int x, int y, const TPicture& picture) override;
    void StretchDraw(const TRect& r, const TPicture& picture) override;

  private:
    HDC dc_;
    int saved_;
    UniqueFont font_;
    TFont selectedFont_;
    bool haveFont_ = false;
};

}  // namespace orv::toolkit::win32
