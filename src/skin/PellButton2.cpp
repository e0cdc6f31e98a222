#include "skin/PellButton2.h"

#include <algorithm>
#include <cstdlib>

namespace orv::skin {

using toolkit::TPaintDevice;

void DrawDropDownArrow(TPaintDevice& C, int a, int b, bool up) {
    for (int row = 0; row < 4; ++row) {
        const int y = up ? b + 4 - row : b + row;
        C.Line(a + 8 + row, y, a + 16 - row, y);
    }
}

const toolkit::TPicture* ListImage(const toolkit::TPngImageList* list, int32_t index) {
    if (list == nullptr || index == -1) return nullptr;
    return list->Item(index);
}

TPellButton2::TPellButton2(toolkit::TComponent* owner)
    : TGraphicControl(owner), FCaption([this] { Invalidate(); }) {
    FFont.SetColor(0);
    FFont.SetName(u"Segeo UI");
    FFont.SetSize(10);
    FFont.OnChange = [this] { Invalidate(); };
    FGlyph.OnChange = [this] { Invalidate(); };
    SetBounds(0, 0, 100, 33);
    SetCursor(toolkit::TCursor::HandPoint);
    SetAlignWithMargins(true);
    Margins() = toolkit::TMargins{4, 12, 4, 12};
}

void TPellButton2::SetCaption(std::u16string_view text) {
    if (text == FCaption.Value()) return;
    FCaption.Set(text);
}

void TPellButton2::SetGlyph(const toolkit::TPicture* picture) {
    if (picture != nullptr) FGlyph.Assign(*picture);
}

void TPellButton2::Paint(TPaintDevice& device) {
    if (Visible() && !Loading()) PaintTo(device, 0, 0);
}

void TPellButton2::PaintTo(TPaintDevice& C, int L, int T) {
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

    TColor brush;
    TColor pen;
    if (!Enabled()) {
        brush = FFaceColor_Disabled;
        pen = FBorderColorDisabled;
    } else if (!FActionButton) {
        pen = FMouseIsInside ? FBorderColor_Hover : FBorderColor;
        brush = FMouseIsInside ? FFaceColor_Normal_Hover : FFaceColor_Normal;
    } else {
        brush = pen = FMouseIsInside ? FFaceColor_ActionButton_Hover : FFaceColor_ActionButton;
    }
    C.SetPenColor(pen);
    C.SetBrushColor(brush);
    C.RoundRect(L, T, L + Width(), T + Height(), FRoundingX, FRoundingY);

    int x = (Width() - cx) / 2;
    if (FDropDownArrow) x -= 8;
    x = hasCaption ? x + glyphW / 2 : (Width() - glyphW) / 2;
    if (hasImage) {
        const int listW = FImageList->Width();
        x = hasCaption ? x + listW / 2 : (Width() - listW) / 2;
    }
    x = std::max(x, 0);

    const int y1 = (Height() - FGlyph.Height()) / 2;
    if (!hasCaption && FDropDownArrow) x -= 8;
    if (!FGlyph.Empty()) C.Draw(L + x, T + y1, FGlyph);

    if (hasImage) {
        const int y2 = (Height() - FImageList->Height()) / 2;
        if (!hasCaption && FDropDownArrow) x -= 8;
        if (const toolkit::TPicture* image = ListImage(FImageList, FImageIndex)) {
            C.Draw(L + x, T + y2, *image);
        }
    }

    if (hasCaption) {
        C.UseFont(FFont);
        if (!Enabled()) {
            C.SetFontColor(FFontColor_NormalDisabled);
        } else {
            C.SetFontColor(FActionButton ? FFontColor_ActionButtonEnabled
                                         : FFontColor_NormalEnabled);
        }
        C.WriteText(L + x, T + y, caption);
    }

    if (FDropDownArrow) {
        C.SetPenColor(C.FontColor());
        int a = hasCaption ? x + cx : -6 + glyphW + 8;
        int b = Height() / 2 - 1;
        a += L;
        b += T;
        DrawDropDownArrow(C, a, b, FDropDownArrowUp);
    }
}

void TPellButton2::MouseEntered() {
    FMouseIsInside = true;
    if (!Enabled()) return;
    if (OnMouseEnter) OnMouseEnter(this);
    Invalidate();
}

void TPellButton2::MouseLeft() {
    FMouseIsInside = false;
    if (!Enabled()) return;
    if (OnMouseLeave) OnMouseLeave(this);
    Invalidate();
}

void TPellButton2::MouseUp(toolkit::TMouseButton button, int x, int y) {
    if (Enabled() && OnMouseUp) OnMouseUp(this, button, x, y);
}

}  // namespace orv::skin
