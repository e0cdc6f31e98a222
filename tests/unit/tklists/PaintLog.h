#pragma once
// A paint device that writes down what is drawn with which brush, font and colour.
#include <string>
#include <vector>

#include "toolkit/PaintDevice.h"

namespace orv::tklists {

using toolkit::TColor;
using toolkit::TRect;

struct Fill {
    TRect r;
    TColor brush;
};
struct Text {
    int x, y;
    std::u16string text;
    TColor color;
    std::u16string font;
};
struct Picture {
    int x, y, w, h;
};

class PaintLog : public toolkit::TPaintDevice {
  public:
    std::vector<Fill> fills;
    std::vector<Text> texts;
    std::vector<Picture> pictures;
    TColor brush = 0xDEAD;

    void SetTransparentBackground() override {}
    void UseFont(const toolkit::TFont& f) override {
        font_ = f.Name();
        color_ = f.Color();
    }
    void SetFontColor(TColor c) override { color_ = c; }
    TColor FontColor() const override { return color_; }
    // Every character is 7 pixels wide.
    int TextWidth(std::u16string_view t) override { return 7 * static_cast<int>(t.size()); }
    int TextHeight() override { return 14; }
    void WriteText(int x, int y, std::u16string_view t) override {
        texts.push_back({x, y, std::u16string(t), color_, font_});
    }
    void SetPenColor(TColor) override {}
    void SetBrushColor(TColor c) override { brush = c; }
    void RoundRect(int, int, int, int, int, int) override {}
    void FillRect(const TRect& r) override { fills.push_back({r, brush}); }
    void Line(int, int, int, int) override {}
    void Draw(int x, int y, const toolkit::TPicture& p) override {
        pictures.push_back({x, y, p.Width(), p.Height()});
    }
    void StretchDraw(const TRect& r, const toolkit::TPicture&) override {
        pictures.push_back({r.Left, r.Top, r.Width(), r.Height()});
    }

  private:
    std::u16string font_;
    TColor color_ = 0;
};

}  // namespace orv::tklists
