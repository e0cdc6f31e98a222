#pragma once
// TFormToolTips, the tooltip window: a borderless 360 x 130 form with the skin's background, a
// header icon, the title and the mark-up body. It never takes the focus.
#include <windows.h>

#include <string_view>

#include "skin/Form_ToolTips.h"
#include "skin/stripeskins.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/GraphicHostWindow.h"

namespace orv::skin::win32 {

class TFormToolTips : public toolkit::win32::TGraphicHostWindow, public TToolTipWindow {
  public:
    static constexpr int kClientWidth = 360;
    static constexpr int kClientHeight = 130;

    TFormToolTips();
    // Creates the hidden window, owned by ownerWindow.
    bool Create(HWND ownerWindow);

    int Width() const override { return kClientWidth; }
    int Height() const override { return kClientHeight; }
    void MoveTo(int left, int top) override;
    void SetTexts(std::u16string_view caption, std::u16string_view text) override;
    bool Showing() const override;
    void ShowToolTipWindow() override;
    void HideToolTipWindow() override;

    // The background from the skin folder's "\ToolTips.bmp", else the program folder's
    // "\skins\ToolTips.bmp"; the icons from the stripe (cells 25 and 13 at 24 pixels).
    void LoadPictures(std::u16string_view skinFolder, std::u16string_view programFolder,
                      const TStripeSkinner* stripe);

    toolkit::TImage* Image_Background;
    toolkit::TLabel* Label_InfoHover_Fixed1;
    toolkit::THTMLabel* HTMLabel1;
    toolkit::TImage* Image_Header;
    toolkit::TImage* Image_Down;
};

// Lets the manager make this window at the first hover, owned by the main window, and place it
// against the main window's bottom.
void ConnectToolTips(TToolTips& tips, toolkit::win32::TGraphicHostWindow& mainWindow,
                     std::u16string skinFolder, std::u16string programFolder,
                     const TStripeSkinner* stripe);

}  // namespace orv::skin::win32
