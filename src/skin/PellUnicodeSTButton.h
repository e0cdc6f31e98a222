#pragma once
// TPellUnicodeSTButton: a text link with its own font for the hover state, an optional shadow
// and a picture that can sit anywhere on the link.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/Controls.h"

namespace orv::skin {

using toolkit::TColor;

class TPellUnicodeSTButton : public toolkit::TGraphicControl {
  public:
    explicit TPellUnicodeSTButton(toolkit::TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TPellUnicodeSTButton"; }

    void Paint(toolkit::TPaintDevice& device) override;

    toolkit::TPicture& GlyphRightSide() { return FRightSideGlyph; }
    void SetGlyphRightSide(const toolkit::TPicture* picture);
    int32_t GlyphRightSide_OffsetX() const { return FGlyphRightSide_OffsetX; }
    void SetGlyphRightSide_OffsetX(int32_t v) { FGlyphRightSide_OffsetX = v; }
    int32_t GlyphRightSide_OffsetY() const { return FGlyphRightSide_OffsetY; }
    void SetGlyphRightSide_OffsetY(int32_t v) { FGlyphRightSide_OffsetY = v; }
    toolkit::TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(toolkit::TAlignment a);
    bool AutoWidth() const { return FAutoWidth; }
    void SetAutoWidth(bool v) { FAutoWidth = v; }
    const std::u16string& Caption() const { return FCaption.Value(); }
    void SetCaption(std::u16string_view text);
    toolkit::TPicture& Glyph() { return FGlyph; }
    void SetGlyph(const toolkit::TPicture* picture);
    toolkit::TFont& Font() { return FFont; }
    void SetFont(const toolkit::TFont& font) { FFont.Assign(font); }
    toolkit::TFont& FontHOT() { return FFontHOT; }
    void SetFontHOT(const toolkit::TFont& font) { FFontHOT.Assign(font); }
    bool Shadow() const { return FShadow; }
    void SetShadow(bool v);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor c);
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
    toolkit::TPicture FRightSideGlyph;
    int32_t FGlyphRightSide_OffsetX = 0;
    int32_t FGlyphRightSide_OffsetY = 0;
    toolkit::TStringSlot FCaption;
    toolkit::TPicture FGlyph;
    toolkit::TFont FFont;
    toolkit::TFont FFontHOT;
    bool FAutoWidth = true;
    toolkit::TAlignment FAlignment = toolkit::TAlignment::LeftJustify;
    bool FShadow = false;
    TColor FShadowColor = 0;
    int32_t FImageIndex = -1;
    toolkit::TPngImageList* FImageList = nullptr;
    bool FMouseIsInside = false;
};

}  // namespace orv::skin
