#pragma once
// A canvas that records what is drawn on it; text widths are a fixed number of pixels per
// code unit unless a test gives its own measure.
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Canvas.h"

namespace orv::testing {

struct DrawnText {
    int x, y;
    std::u16string text;
};
struct DrawnIcon {
    int x, y;
    platform::IconHandle icon;
};
struct FilledRect {
    toolkit::TRect rect;
    toolkit::TColor color;
};

class FakeCanvas : public toolkit::TCanvas {
  public:
    explicit FakeCanvas(int pixelsPerUnit = 6) : perUnit_(pixelsPerUnit) {}

    std::function<int(std::u16string_view)> measure;  // replaces the fixed width when set
    int measured = 0;                                 // calls of TextWidth
    bool transparent = false;
    std::vector<DrawnText> texts;
    std::vector<DrawnIcon> icons;
    std::vector<FilledRect> fills;
    std::vector<toolkit::TRect> clips;  // the clip stack
    int maxClipDepth = 0;
    // Every call in order, for checks of what comes first.
    std::vector<std::string> calls;

    void SetTransparentBackground() override {
        transparent = true;
        calls.push_back("transparent");
    }
    void SetFontColor(toolkit::TColor) override {}
    void FillRect(const toolkit::TRect& r, toolkit::TColor color) override {
        fills.push_back({r, color});
        calls.push_back("fill");
    }
    int TextWidth(std::u16string_view text) override {
        ++measured;
        return measure ? measure(text) : static_cast<int>(text.size()) * perUnit_;
    }
    void DrawTextAt(int x, int y, std::u16string_view text) override {
        texts.push_back({x, y, std::u16string(text)});
        calls.push_back("text");
    }
    void DrawIconAt(int x, int y, platform::IconHandle icon) override {
        icons.push_back({x, y, icon});
        calls.push_back("icon");
    }
    void PushClip(const toolkit::TRect& r) override {
        clips.push_back(r);
        if (static_cast<int>(clips.size()) > maxClipDepth)
            maxClipDepth = static_cast<int>(clips.size());
    }
    void PopClip() override { clips.pop_back(); }

  private:
    int perUnit_;
};

}  // namespace orv::testing
