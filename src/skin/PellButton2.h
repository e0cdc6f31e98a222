#pragma once
// TPellButton2: the program's rounded, flat command button. A graphic control: it paints itself
// on its parent's surface in one of five looks chosen from Enabled, ActionButton and whether
// the mouse is inside, so that a skin can colour every one of them.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Controls.h"

namespace orv::skin {

using toolkit::TColor;

class TPellButton2 : public toolkit::TGraphicControl {
  public:
    explicit TPellButton2(toolkit::TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TPellButton2"; }

    // Draws the button with its top-left corner at (DrawLeft, DrawTop) of any device.
    void PaintTo(toolkit::TPaintDevice& DrawCanvas, int DrawLeft, int DrawTop);
    void Paint(toolkit::TPaintDevice& device) override;

    bool AutoWidth() const { return FAutoWidth; }
    void SetAutoWidth(bool v) { FAutoWidth = v; }
    int32_t AutoWidthMin() const { return FAutoWidthMin; }
    void SetAutoWidthMin(int32_t v) { FAutoWidthMin = v; }
    const std::u16string& Caption() const { return FCaption.Value(); }
    void SetCaption(std::u16string_view text);
    toolkit::TPicture& Glyph() { return FGlyph; }
    // Copies the picture; null leaves the glyph as it is.
    void SetGlyph(const toolkit::TPicture* picture);
    toolkit::TFont& Font() { return FFont; }
    void SetFont(const toolkit::TFont& font) { FFont.Assign(font); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor c) { FBorderColor = c; }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor c) { FBorderColorDisabled = c; }
    TColor BorderColor_Hover() const { return FBorderColor_Hover; }
    void SetBorderColor_Hover(TColor c) { FBorderColor_Hover = c; }
    bool ActionButton() const { return FActionButton; }
    void SetActionButton(bool v) { SetAndRepaint(FActionButton, v); }
    TColor FontColor_ActionButtonEnabled() const { return FFontColor_ActionButtonEnabled; }
    void SetFontColor_ActionButtonEnabled(TColor c) {
        SetAndRepaint(FFontColor_ActionButtonEnabled, c);
    }
    TColor FontColor_NormalEnabled() const { return FFontColor_NormalEnabled; }
    void SetFontColor_NormalEnabled(TColor c) { SetAndRepaint(FFontColor_NormalEnabled, c); }
    TColor FontColor_NormalDisabled() const { return FFontColor_NormalDisabled; }
    void SetFontColor_NormalDisabled(TColor c) { SetAndRepaint(FFontColor_NormalDisabled, c); }
    TColor FaceColor_Normal() const { return FFaceColor_Normal; }
    void SetFaceColor_Normal(TColor c) { SetAndRepaint(FFaceColor_Normal, c); }
    TColor FaceColor_Normal_Hover() const { return FFaceColor_Normal_Hover; }
    void SetFaceColor_Normal_Hover(TColor c) { FFaceColor_Normal_Hover = c; }
    TColor FaceColor_Disabled() const { return FFaceColor_Disabled; }
    void SetFaceColor_Disabled(TColor c) { SetAndRepaint(FFaceColor_Disabled, c); }
    TColor FaceColor_ActionButton() const { return FFaceColor_ActionButton; }
    void SetFaceColor_ActionButton(TColor c) { SetAndRepaint(FFaceColor_ActionButton, c); }
    TColor FaceColor_ActionButton_Hover() const { return FFaceColor_ActionButton_Hover; }
    void SetFaceColor_ActionButton_Hover(TColor c) { FFaceColor_ActionButton_Hover = c; }
    bool DropDownArrow() const { return FDropDownArrow; }
    void SetDropDownArrow(bool v) { SetAndRepaint(FDropDownArrow, v); }
    bool DropDownArrowUp() const { return FDropDownArrowUp; }
    void SetDropDownArrowUp(bool v) { SetAndRepaint(FDropDownArrowUp, v); }
    int32_t RoundingX() const { return FRoundingX; }
    void SetRoundingX(int32_t v) { SetAndRepaint(FRoundingX, v); }
    int32_t RoundingY() const { return FRoundingY; }
    void SetRoundingY(int32_t v) { SetAndRepaint(FRoundingY, v); }
    toolkit::TPngImageList* ImageList() const { return FImageList; }
    void SetImageList(toolkit::TPngImageList* list) { FImageList = list; }
    int32_t ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int32_t v) { FImageIndex = v; }
    bool MouseIsInside() const { return FMouseIsInside; }

    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        return kind == toolkit::TTextSlotKind::Caption ? &FCaption : nullptr;
    }

    void MouseEntered() override;
    void MouseLeft() override;
    void MouseUp(toolkit::TMouseButton button, int x, int y) override;

    // The button's own events; the tooltip manager takes over the first two.
    toolkit::TNotifyEvent OnMouseEnter;
    toolkit::TNotifyEvent OnMouseLeave;
    toolkit::TMouseEvent OnMouseUp;

  private:
    template <typename T>
    void SetAndRepaint(T& field, T value) {
        if (field == value) return;
        field = value;
        Invalidate();
    }

    toolkit::TStringSlot FCaption;
    toolkit::TPicture FGlyph;
    toolkit::TFont FFont;
    bool FAutoWidth = true;
    int32_t FAutoWidthMin = 80;
    bool FDropDownArrow = false;
    bool FDropDownArrowUp = false;
    int32_t FImageIndex = -1;
    toolkit::TPngImageList* FImageList = nullptr;
    TColor FBorderColor = 13421772;
    TColor FBorderColorDisabled = 13421772;
    TColor FBorderColor_Hover = 13421772;
    bool FActionButton = false;
    TColor FFontColor_ActionButtonEnabled = 16777215;
    TColor FFontColor_NormalEnabled = 0;
    TColor FFontColor_NormalDisabled = 12632256;
    TColor FFaceColor_Normal = 16777215;
    TColor FFaceColor_Normal_Hover = 15263976;
    TColor FFaceColor_Disabled = 16250871;
    TColor FFaceColor_ActionButton = 12609280;
    TColor FFaceColor_ActionButton_Hover = 10509086;
    int32_t FRoundingX = 10;
    int32_t FRoundingY = 10;
    bool FMouseIsInside = false;
};

// Draws the drop-down arrow whose rows start at (a, b): 8, 6, 4 and 2 pixels wide, downward
// with the widest row on top, upward with it at the bottom.
void DrawDropDownArrow(toolkit::TPaintDevice& C, int a, int b, bool up);
// The image of an image list at index, or null when there is none to draw.
const toolkit::TPicture* ListImage(const toolkit::TPngImageList* list, int32_t index);

}  // namespace orv::skin
