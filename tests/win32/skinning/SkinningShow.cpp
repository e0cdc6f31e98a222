// Not a test: skins a panel and the two options navigation tiles with a real skin folder and
// writes the results as PNG files for a person to look at:
//   skinning_show <program folder> <skin name> <output folder>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "../buttons/Surface.h"
#include "SkinFixture.h"
#include "lang/MessageCatalogue.h"
#include "skin/Form_ToolTips.h"
#include "skin/PellButton2.h"
#include "skin/win32/Skinning.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/PictureFile.h"

using namespace orv;
using skin::TPngImage;

namespace {

TPngImage FromSurface(const orv::test::Surface& s) {
    TPngImage shot(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.At(x, y);
            shot.SetPixel(x, y, {GetRValue(c), GetGValue(c), GetBValue(c), 255});
        }
    }
    return shot;
}

std::u16string Arg(wchar_t** argv, int i) {
    return std::u16string(argv[i], argv[i] + wcslen(argv[i]));
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 4) return 2;
    ProgramFolder = Arg(argv, 1);
    skin::SkinFolderPath = ProgramFolder + u"\\skins\\" + Arg(argv, 2);
    const std::u16string out = Arg(argv, 3);
    lang::ResetMessageCatalogue();

    toolkit::win32::TGraphicHostWindow panel(nullptr, u"TPanel");
    skin::win32::ApplySkinToInfoBar(panel);
    const char16_t* captions[] = {u"Neue Analyse", u"Dateien", u"", u"Abbrechen"};
    const char16_t* names[] = {u"PellButton_Analyse", u"PellButton_Files", u"PellButton_MainMenu",
                               u"PellButton_Abort"};
    int x = 8;
    skin::TPellButton2* buttons[4];
    for (int i = 0; i < 4; ++i) {
        auto* b = new skin::TPellButton2(&panel);
        b->SetName(names[i]);
        b->SetParent(&panel);
        b->SetCaption(captions[i]);
        b->SetBounds(x, 10, 110, 33);
        buttons[i] = b;
        x += 122;
    }
    buttons[0]->SetActionButton(true);
    buttons[3]->SetEnabled(false);
    skin::TToolTips tips;
    skin::win32::ApplySkinToButtonsOnPanel(panel, &tips);
    if (buttons[2]->Width() < 40) buttons[2]->SetWidth(40);
    orv::test::Surface s(500, 54, RGB(255, 0, 255));
    panel.PaintTo(s.Dc(), s.Width(), s.Height());
    skin::test::WritePng(out + u"\\show-panel.png", FromSurface(s));

    skin::TStripeSkinner stripe;
    stripe.LoadFromStripeFile(skin::SkinFolderPath + u"\\stripe.png");
    if (stripe.Images() == 0) stripe.LoadFromStripeFile(ProgramFolder + u"\\skins\\stripe.png");
    toolkit::TPicture background;
    toolkit::win32::LoadPictureFile(background, skin::SkinFolderPath + u"\\navi_options.bmp");
    skin::TMirelMouseImage3State tile1, tile8;
    tile1.SetBounds(0, 60, 181, 40);
    tile8.SetBounds(0, 100, 181, 40);
    skin::win32::BuildNaviTile(background, tile1, lang::Msg(u"MESSAGE_OPTIONS_NAVI1"), 127, stripe);
    skin::win32::BuildNaviTile(background, tile8, lang::Msg(u"MESSAGE_MODULNAME_ORV"), 101, stripe);
    const std::pair<const char16_t*, const toolkit::TPicture*> pictures[] = {
        {u"\\show-tile1-normal.png", &tile1.Picture_Normal()},
        {u"\\show-tile1-hover.png", &tile1.Picture_Highlight()},
        {u"\\show-tile1-pressed.png", &tile1.Picture_Pressed()},
        {u"\\show-tile8-normal.png", &tile8.Picture_Normal()},
        {u"\\show-tile8-hover.png", &tile8.Picture_Highlight()},
        {u"\\show-tile8-pressed.png", &tile8.Picture_Pressed()},
    };
    for (const auto& [name, picture] : pictures) {
        skin::test::WritePng(out + name, picture->Image());
    }
    return 0;
}
