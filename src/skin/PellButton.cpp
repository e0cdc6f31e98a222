#include "skin/PellButton.h"

#include <algorithm>
#include <cstdlib>

#include "skin/PellButton2.h"

namespace orv::skin {

using toolkit::TPaintDevice;
using toolkit::TRect;

namespace {

// A one-pixel frame around [left, right) x [top, bottom) in the brush colour.
void Frame(TPaintDevice& C, int left, int top, int right, int bottom) {
    C.FillRect(TRect{left, top, right, top + 1});
    C.FillRect(TRect{left, bottom - 1, right, bottom});
    C.FillRect(TRect{left, top, left + 1, bottom});
    C.FillRect(TRect{right - 1, top, right, bottom});
}

}  // namespace

TPellButton::TPellButton(toolkit::TComponent* owner)
    : TGraphicControl(owner), FCaption([this] { Invalidate(); }) {
    FFont.SetColor(0);
    FFont.OnChange = [this] { Invalidate(); };
    FGlyph.OnChange = [this] { Invalidate(); };
    SetBounds(0, 0, 100, 33);
    SetCursor(toolkit::TCursor::HandPoint);
    SetAlignWithMargins(true);
    Margins() = toolkit::TMargins{4, 12, 4, 12};
}

void TPellButton::SetCaption(std::u16string_view text) {
    if (text == FCaption.Value()) return;
    FCaption.Set(text);
}

void TPellButton::SetGlyph(const toolkit::TPicture* picture) {
    if (picture != nullptr) FGlyph.Assign(*picture);
}

void TPellButton::Paint(TPaintDevice& C) {
    if (!Visible() || Loading()) return;
    const std::u16string& caption = FCaption.Value();
    const bool hasCaption = !caption.empty();
    const int glyphW = FGlyph.Width();
    const bool hasImage = FImageList != nullptr && FImageIndex != -1;

    C.SetTransparentBackground();
    const int y = (Height() - std::abs(FFont.Height())) / 2 - 2;
    C.UseFont(FFont);
    const int cx = C.TextWidth(caption);
    if (FAutoWidth) {
        int w = cx + glyphW + 4 + 16;
        if (FDropDownArrow) w += 16;
        SetWidth(std::max(w, FAutoWidthMin));
    }
    const int w = Width();
    const int h = Height();

    if (Enabled() && FActionButton) {
        C.SetBrushColor(FMouseIsInside ? FBorderColorHover : FBorderColor);
        C.FillRect(TRect{0, 0, w - 1, h - 1});
    }

    int x = (w - cx) / 2;
    if (FDropDownArrow) x -= 8;
    x = hasCaption ? x + glyphW / 2 : (w - glyphW) / 2;
    if (hasImage) {
        const int listW = FImageList->Width();
        x = hasCaption ? x + listW / 2 : (w - listW) / 2;
    }
    x = std::max(x, 0);

    if (!FGlyph.Empty()) C.Draw(x, (h - FGlyph.Height()) / 2, FGlyph);
    if (const toolkit::TPicture* image = ListImage(FImageList, FImageIndex)) {
        C.Draw(x, (h - FImageList->Height()) / 2, *image);
    }

    if (hasCaption) {
        if (!Enabled()) {
            C.SetFontColor(0x808080);
        } else if (FActionButton) {
            C.SetFontColor(FActionButtonFontColor);
        } else {
            C.SetFontColor(FFont.Color());
        }
        C.WriteText(x, y, caption);
    }

    if (FDropDownArrow) {
        C.SetPenColor(C.FontColor());
        const int a = hasCaption ? x + cx : -6;
        DrawDropDownArrow(C, a, h / 2 - 1, FDropDownArrowUp);
    }

    if (Enabled() && FActionButton) return;
    const TColor border = !Enabled()       ? FBorderColorDisabled
                          : FMouseIsInside ? FBorderColorHover
                                           : FBorderColor;
    C.SetBrushColor(border);
    if (FDropDownArrow && !hasCaption) {
        C.FillRect(TRect{0, 0, w, 2});
        C.FillRect(TRect{0, h - 2, w, h});
        C.FillRect(TRect{w - 2, 0, w, h});
    } else {
        Frame(C, 0, 0, w, h);
        Frame(C, 1, 1, w - 1, h - 1);
    }
}

void TPellButton::MouseEntered() {
    FMouseIsInside = true;
    if (!Enabled()) return;
    if (OnMouseEnter) OnMouseEnter(this);
    Invalidate();
}

void TPellButton::MouseLeft() {
    FMouseIsInside = false;
    if (!Enabled()) return;
    if (OnMouseLeave) OnMouseLeave(this);
    Invalidate();
}

void TPellButton::MouseUp(toolkit::TMouseButton button, int x, int y) {
    if (Enabled() && OnMouseUp) OnMouseUp(this, button, x, y);
}

}  // namespace orv::skin
