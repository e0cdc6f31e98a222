#pragma once
// The portable canvas drawn with GDI on a device context. The font, colours and clipping
// the canvas sets are restored when it goes.
#include <windows.h>

#include <vector>

#include "toolkit/Canvas.h"

namespace orv::toolkit::win32 {

class TGdiCanvas : public TCanvas {
  public:
    // font may be null: the device context's font is used.
    TGdiCanvas(HDC dc, HFONT font);
    ~TGdiCanvas() override;
    TGdiCanvas(const TGdiCanvas&) = delete;
    TGdiCanvas& operator=(const TGdiCanvas&) = delete;

    HDC Handle() const { return dc_; }

    void SetTransparentBackground() override;
    void SetFontColor(TColor color) override;
    void FillRect(const TRect& r, TColor color) override;
    int TextWidth(std::u16string_view text) override;
    void DrawTextAt(int x, int y, std::u16string_view text) override;
    void DrawIconAt(int x, int y, platform::IconHandle icon) override;
    void PushClip(const TRect& r) override;
    void PopClip() override;

  private:
    HDC dc_;
    int saved_;
    std::vector<int> clipStates_;
};

}  // namespace orv::toolkit::win32
