#pragma once
// TPellButton: the older rectangular command button with a two-pixel frame. The skinning and
// the tooltips know it; no window of the program places one.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Controls.h"

namespace orv::skin {

using toolkit::TColor;

class TPellButton : public toolkit::TGraphicControl {
  public:
    explicit TPellButton(toolkit::TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TPellButton"; }

    void Paint(toolkit::TPaintDevice& device) override;

    bool AutoWidth() const { return FAutoWidth; }
    void SetAutoWidth(bool v) { FAutoWidth = v; }
    int32_t AutoWidthMin() const { return FAutoWidthMin; }
    void SetAutoWidthMin(int32_t v) { FAutoWidthMin = v; }
    const std::u16string& Caption() const { return FCaption.Value(); }
    void SetCaption(std::u16string_view text);
    toolkit::TPicture& Glyph() { return FGlyph; }
    void SetGlyph(const toolkit::TPicture* picture);
    toolkit::TFont& Font() { return FFont; }
    void SetFont(const toolkit::TFont& font) { FFont.Assign(font); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor c) { SetAndRepaint(FBorderColor, c); }
    TColor BorderColorHover() const { return FBorderColorHover; }
    void SetBorderColorHover(TColor c) { SetAndRepaint(FBorderColorHover, c); }
    TColor BorderColorDisabled() const { return FBorderColorDisabled; }
    void SetBorderColorDisabled(TColor c) { SetAndRepaint(FBorderColorDisabled, c); }
    bool ActionButton() const { return FActionButton; }
    void SetActionButton(bool v) { SetAndRepaint(FActionButton, v); }
    TColor ActionButtonFontColor() const { return FActionButtonFontColor; }
    void SetActionButtonFontColor(TColor c) { SetAndRepaint(FActionButtonFontColor, c); }
    bool DropDownArrow() const { return FDropDownArrow; }
    void SetDropDownArrow(bool v) { SetAndRepaint(FDropDownArrow, v); }
    bool DropDownArrowUp() const { return FDropDownArrowUp; }
    void SetDropDownArrowUp(bool v) { SetAndRepaint(FDropDownArrowUp, v); }
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
    TColor FBorderColor = 763127;
    TColor FBorderColorHover = 769527;
    TColor FBorderColorDisabled = 11578024;
    bool FActionButton = false;
    TColor FActionButtonFontColor = 16777215;
    bool FMouseIsInside = false;
};

}  // namespace orv::skin
