#pragma once
// THTMLabel: a label that shows a small mark-up language, the subset the program's texts use:
// <b>, <br>, <FONT color=...>, <IND x=...>, <P align=...> and <a href=...>, whose click is an
// event. Tags and attribute names ignore case; unknown tags are skipped, never shown.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Controls.h"

namespace orv::toolkit {

// A piece of text placed by the layout, in the label's coordinates (before vertical centring).
struct TMarkupRun {
    std::u16string Text;
    int X = 0;
    int Y = 0;
    int Width = 0;
    bool Bold = false;
    bool HasColor = false;  // otherwise the label's font colour
    TColor Color = 0;
    std::u16string Href;  // empty outside a link
};

struct TMarkupLayout {
    std::vector<TMarkupRun> Runs;
    int Height = 0;  // of all lines, spacing between them included
};

// Measures a text in the label's font, bold or not.
using TMarkupMeasure = std::function<int(std::u16string_view text, bool bold)>;

// Places the mark-up's words in lines no wider than width (a single word wider than that keeps
// its own line); lines are lineHeight high with lineSpacing pixels between them.
TMarkupLayout LayoutMarkup(std::u16string_view markup, int width, int lineHeight, int lineSpacing,
                           const TMarkupMeasure& measure);

// "#RRGGBB", "$BBGGRR" or a colour name ("white", "clWhite"); false when not understood.
bool ParseMarkupColor(std::u16string_view text, TColor& color);

enum class TVerticalAlignment { Top, Center, Bottom };

class THTMLabel : public TGraphicControl {
  public:
    explicit THTMLabel(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"THTMLabel"; }

    const std::u16string& HTMLText() const { return text_.Value(); }
    void SetHTMLText(std::u16string_view text) { text_.Set(text); }
    TFont& Font() { return font_; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { color_ = c; }
    int LineSpacing() const { return lineSpacing_; }
    void SetLineSpacing(int v) { lineSpacing_ = v; }
    TVerticalAlignment VAlignment() const { return vAlign_; }
    void SetVAlignment(TVerticalAlignment v) { vAlign_ = v; }
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor c) { urlColor_ = c; }

    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::MarkupText ? &text_ : nullptr;
    }
    void Paint(TPaintDevice& device) override;
    void MouseUp(TMouseButton button, int x, int y) override;
    // The link at a point of the last painted layout; empty over none.
    std::u16string AnchorAt(int x, int y) const;

    // A click on a link, with its href.
    std::function<void(TComponent* sender, const std::u16string& href)> OnAnchorClick;

  private:
    TStringSlot text_;
    TFont font_;
    bool transparent_ = false;
    TColor color_ = 0xFFFFFF;
    int lineSpacing_ = 0;
    TVerticalAlignment vAlign_ = TVerticalAlignment::Top;
    TColor urlColor_ = MakeColor(0, 0, 255);
    TMarkupLayout layout_;
    int offsetY_ = 0;
    int lineHeight_ = 0;
};

}  // namespace orv::toolkit
