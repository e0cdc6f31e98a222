#include "skin/PellUnicodeSTButton.h"

#include <algorithm>
#include <cstdlib>

#include "skin/PellButton2.h"

namespace orv::skin {

using toolkit::TAlignment;
using toolkit::TPaintDevice;

TPellUnicodeSTButton::TPellUnicodeSTButton(toolkit::TComponent* owner)
    : TGraphicControl(owner), FCaption([this] { Invalidate(); }) {
    FCaption.Set(u"xxxxxx");
    const auto repaint = [this] { Invalidate(); };
    FFont.OnChange = repaint;
    FFontHOT.OnChange = repaint;
    FGlyph.OnChange = repaint;
    FRightSideGlyph.OnChange = repaint;
    SetBounds(0, 0, 88, 25);
    SetCursor(toolkit::TCursor::HandPoint);
}

void TPellUnicodeSTButton::SetGlyphRightSide(const toolkit::TPicture* picture) {
    if (picture != nullptr) FRightSideGlyph.Assign(*picture);
}

void TPellUnicodeSTButton::SetGlyph(const toolkit::TPicture* picture) {
    if (picture != nullptr) FGlyph.Assign(*picture);
}

void TPellUnicodeSTButton::SetCaption(std::u16string_view text) {
    if (text == FCaption.Value()) return;
    FCaption.Set(text);
}

void TPellUnicodeSTButton::SetAlignment(TAlignment a) {
    FAlignment = a;
    Invalidate();
}

void TPellUnicodeSTButton::SetShadow(bool v) {
    FShadow = v;
    Invalidate();
}

void TPellUnicodeSTButton::SetShadowColor(TColor c) {
    FShadowColor = c;
    Invalidate();
}

void TPellUnicodeSTButton::Paint(TPaintDevice& C) {
    if (!Visible() || Loading()) return;
    const std::u16string& caption = FCaption.Value();
    const toolkit::TFont& font = FMouseIsInside ? FFontHOT : FFont;
    const int glyphW = FGlyph.Width();
    const bool hasImage = FImageList != nullptr && FImageIndex != -1;
    const int listW = hasImage ? FImageList->Width() : 0;

    C.SetTransparentBackground();
    const int y = (Height() - std::abs(FFont.Height())) / 2 - 2;
    C.UseFont(font);
    int cx = C.TextWidth(caption);
    if (FShadow) cx += 1;
    if (FAutoWidth) SetWidth(cx + glyphW + 4);

    int x = 0;
    switch (FAlignment) {
        case TAlignment::LeftJustify:
            x = glyphW + 4;
            if (hasImage) x += listW + 4;
            break;
        case TAlignment::RightJustify:
            x = Width() - cx;
            break;
        case TAlignment::Center:
            x = (Width() - cx) / 2 + glyphW / 2;
            if (hasImage) x += listW / 2;
            x = std::max(x, 0);
            break;
    }

    if (!FGlyph.Empty()) C.Draw(x - glyphW - 4, (Height() - FGlyph.Height()) / 2, FGlyph);
    if (const toolkit::TPicture* image = ListImage(FImageList, FImageIndex)) {
        C.Draw(x - listW - 4, (Height() - FImageList->Height()) / 2, *image);
    }
    if (!FRightSideGlyph.Empty()) {
        C.Draw(FGlyphRightSide_OffsetX, FGlyphRightSide_OffsetY, FRightSideGlyph);
    }

    if (caption.empty()) return;
    C.UseFont(font);
    if (FShadow) {
        C.SetFontColor(FShadowColor);
        C.WriteText(x + 1, y + 1, caption);
        C.SetFontColor(font.Color());
    }
    C.WriteText(x, y, caption);
}

void TPellUnicodeSTButton::MouseEntered() {
    FMouseIsInside = true;
    if (!Enabled()) return;
    if (OnMouseEnter) OnMouseEnter(this);
    Invalidate();
}

void TPellUnicodeSTButton::MouseLeft() {
    FMouseIsInside = false;
    if (!Enabled()) return;
    if (OnMouseLeave) OnMouseLeave(this);
    Invalidate();
}

void TPellUnicodeSTButton::MouseUp(toolkit::TMouseButton button, int x, int y) {
    if (Enabled() && OnMouseUp) OnMouseUp(this, button, x, y);
}

}  // namespace orv::skin
