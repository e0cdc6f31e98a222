#pragma once
// A paint device that records what a control draws, measuring texts from a table.
#include <map>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/PaintDevice.h"

namespace orv::test {

using toolkit::TColor;
using toolkit::TRect;

struct RoundRectCall {
    TRect r;
    int rx, ry;
    TColor pen, brush;
};
struct TextCall {
    int x, y;
    std::u16string text;
    TColor color;
    int fontHeight;
    std::u16string fontName;
};
struct DrawCall {
    int x, y, w, h;
};
struct LineCall {
    int x1, y1, x2, y2;
    TColor pen;
};
struct FillCall {
    TRect r;
    TColor brush;
};

class RecordingDevice : public toolkit::TPaintDevice {
  public:
    // Widths of texts; any other text measures 7 pixels per character.
    std::map<std::u16string, int> widths;

    std::vector<RoundRectCall> roundRects;
    std::vector<TextCall> texts;
    std::vector<DrawCall> draws;
    std::vector<LineCall> lines;
    std::vector<FillCall> fills;
    bool transparent = false;

    void SetTransparentBackground() override { transparent = true; }
    void UseFont(const toolkit::TFont& f) override {
        font_ = f.Height();
        fontName_ = f.Name();
        color_ = f.Color();
    }
    void SetFontColor(TColor c) override { color_ = c; }
    TColor FontColor() const override { return color_; }
    int TextWidth(std::u16string_view t) override {
        const auto it = widths.find(std::u16string(t));
        return it != widths.end() ? it->second : static_cast<int>(t.size()) * 7;
    }
    int TextHeight() override { return font_ < 0 ? -font_ + 3 : font_; }
    void WriteText(int x, int y, std::u16string_view t) override {
        texts.push_back({x, y, std::u16string(t), color_, font_, fontName_});
    }
    void SetPenColor(TColor c) override { pen_ = c; }
    void SetBrushColor(TColor c) override { brush_ = c; }
    void RoundRect(int l, int t, int r, int b, int rx, int ry) override {
        roundRects.push_back({{l, t, r, b}, rx, ry, pen_, brush_});
    }
    void FillRect(const TRect& r) override { fills.push_back({r, brush_}); }
    void Line(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2, pen_}); }
    void Draw(int x, int y, const toolkit::TPicture& p) override {
        draws.push_back({x, y, p.Width(), p.Height()});
    }
    void StretchDraw(const TRect& r, const toolkit::TPicture&) override {
        draws.push_back({r.Left, r.Top, r.Width(), r.Height()});
    }

  private:
    int font_ = 0;
    std::u16string fontName_;
    TColor color_ = 0;
    TColor pen_ = 0;
    TColor brush_ = 0;
};

// A host for graphic controls that records repaint requests; screen = host + origin.
class RecordingHost : public toolkit::TComponent, public toolkit::TGraphicHost {
  public:
    int originX = 0;
    int originY = 0;
    int invalidations = 0;
    std::u16string_view ClassName() const override { return u"TForm_Test"; }
    toolkit::TComponent& HostComponent() override { return *this; }
    void InvalidateArea(const TRect&) override { ++invalidations; }
    void HostToScreen(int& x, int& y) const override {
        x += originX;
        y += originY;
    }
};

inline toolkit::TPicture PictureOf(int w, int h) {
    toolkit::TPicture p;
    p.Assign(skin::TPngImage(w, h));
    return p;
}

}  // namespace orv::test
