#pragma once
// Applying the active skin to windows while they are created: the custom buttons of a panel or
// form, the info bar, the size grip clone and the options navigation tiles. Colours come from
// the skin folder's skin.ini (read anew on every call), pictures from the skin folder.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "skin/MirelMouseImage3State.h"
#include "skin/stripeskins.h"
#include "toolkit/Controls.h"
#include "toolkit/win32/GraphicHostWindow.h"

namespace orv::skin {
class TToolTips;
}

namespace orv::skin::win32 {

// The colour reference a skin colour value stands for: system colours ($FF000000 + index)
// through GetSysColor, anything else without its top byte.
toolkit::TColor ResolveSkinColor(uint32_t value);
// ReadColorFromIni of the active skin.ini, resolved.
toolkit::TColor SkinColor(std::u16string_view section, std::u16string_view key);

// Skins the TPellButton and TPellButton2 controls that are direct children of panel (children
// of children are not visited). A back button ("PellButton_MainMenu" without caption) gets the
// shared back glyph and, when tips is set, its tooltip entry.
void ApplySkinToButtonsOnPanel(toolkit::TComponent& panel, TToolTips* tips);
// The same over a form's direct children, except that a TPellButton2 keeps its font name and
// size, and a TPellButton back button gets its glyph but no tooltip.
void ApplySkinToButtonsOnForm(toolkit::TComponent& form, TToolTips* tips);

// Panel colour := "Infobar" / "Color".
void ApplySkinToInfoBar(toolkit::win32::TGraphicHostWindow& panel);

// A copy of image in the bottom-right corner of panel, 2 pixels from both edges, anchored to
// them, in front of the other controls; owned by the panel. Null when either is missing.
toolkit::TImage* CloneImageToCorner(toolkit::win32::TGraphicHostWindow* panel,
                                    toolkit::TImage* image);

// Renders the three pictures of an options navigation tile: the part of background under the
// tile, the skin's hover and active overlays, stripe cell `cell` at 32 pixels and the caption
// with its shadow. Shows the normal picture.
void BuildNaviTile(const toolkit::TPicture& background, TMirelMouseImage3State& tile,
                   std::u16string_view caption, int cell, const TStripeSkinner& stripe);
// Draws caption into picture with anti-aliased text, 13 pixels high, regular: in shadow at
// (43, 12), then in color at (42, 11), both ARGB. A family that does not exist is replaced by
// one that does, with a debug line.
void DrawNaviCaption(skin::TPngImage& picture, std::u16string_view caption, uint32_t color,
                     uint32_t shadow, std::u16string_view family);
// The overlays are read once per run; tests that change the skin folder forget them.
void ForgetNaviOverlays();

}  // namespace orv::skin::win32
