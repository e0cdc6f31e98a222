// Skinning the custom buttons of a panel or form, the info bar and the size-grip clone, with a
// skin.ini of the test's making; colours checked on the controls and in painted pixels.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "../buttons/Surface.h"
#include "SkinFixture.h"
#include "lang/MessageCatalogue.h"
#include "skin/Form_ToolTips.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/win32/Skinning.h"
#include "toolkit/win32/GraphicHostWindow.h"

namespace orv::skin::test {
namespace {

using orv::test::Surface;
using toolkit::TColor;
using toolkit::win32::TGraphicHostWindow;
using win32::ApplySkinToButtonsOnForm;
using win32::ApplySkinToButtonsOnPanel;

constexpr const char* kSkinIni =
    "[PellButtons]\r\n"
    "FontColor=$112233\r\n"
    "BorderColor_Normal=$445566\r\n"
    "BorderColor_Hover=clRed\r\n"
    "BorderColor_Disabled=65280\r\n"
    "[pellbuttons2]\r\n"
    "BorderColor=$102030\r\n"
    "BorderColor_Hover=$203040\r\n"
    "BorderColor_Disabled=$304050\r\n"
    "FontColor_NormalEnabled=clWhite\r\n"
    "FontColor_NormalDisabled=$405060\r\n"
    "FontColor_ActionButton=$506070\r\n"
    "FaceColor_Normal=$20A040\r\n"
    "FaceColor_Normal_Hover=$607080\r\n"
    "FaceColor_Disabled=$708090\r\n"
    "FaceColor_ActionButton=clBtnFace\r\n"
    "FaceColor_ActionButton_Hover=not a colour\r\n"
    "[Infobar]\r\n"
    "Color=$E0F0C0\r\n";

template <typename T>
T* Place(toolkit::TComponent& parent, std::u16string_view name, std::u16string_view caption, int x,
         int y) {
    auto* c = new T(&parent);
    c->SetName(name);
    c->SetParent(&parent);
    c->SetCaption(caption);
    c->SetLeft(x);
    c->SetTop(y);
    return c;
}

TEST(SkinButtons, PanelButtonsTakeTheSkinColours) {
    SkinProgram program(kSkinIni);
    DebugLines debug;
    TGraphicHostWindow panel(nullptr, u"TPanel");
    panel.SetColor(RGB(255, 0, 255));
    auto* plain = Place<TPellButton2>(panel, u"PellButton_Analyse", u"Analyse", 4, 4);
    auto* action = Place<TPellButton2>(panel, u"PellButton_Go", u"Go", 4, 44);
    action->SetActionButton(true);
    auto* old = Place<TPellButton>(panel, u"PellButton_Old", u"Old", 140, 4);
    // A button inside a child control is not the panel's.
    auto* inner = new toolkit::TControl(&panel);
    inner->SetParent(&panel);
    auto* deep = Place<TPellButton2>(*inner, u"PellButton_Deep", u"Deep", 0, 0);
    const TColor deepFace = deep->FaceColor_Normal();

    ApplySkinToButtonsOnPanel(panel, nullptr);

    EXPECT_EQ(plain->BorderColor(), RGB(0x10, 0x20, 0x30));
    EXPECT_EQ(plain->BorderColor_Hover(), RGB(0x20, 0x30, 0x40));
    EXPECT_EQ(plain->BorderColorDisabled(), RGB(0x30, 0x40, 0x50));
    EXPECT_EQ(plain->FontColor_NormalEnabled(), RGB(255, 255, 255));
    EXPECT_EQ(plain->FontColor_NormalDisabled(), RGB(0x40, 0x50, 0x60));
    EXPECT_EQ(plain->FontColor_ActionButtonEnabled(), RGB(0x50, 0x60, 0x70));
    EXPECT_EQ(plain->FaceColor_Normal(), RGB(0x20, 0xA0, 0x40));
    EXPECT_EQ(plain->FaceColor_Normal_Hover(), RGB(0x60, 0x70, 0x80));
    EXPECT_EQ(plain->FaceColor_Disabled(), RGB(0x70, 0x80, 0x90));
    // A system colour resolves to what this system shows for it.
    EXPECT_EQ(plain->FaceColor_ActionButton(), GetSysColor(COLOR_BTNFACE));
    // An invalid colour text reads as black, with a debug line naming it.
    EXPECT_EQ(plain->FaceColor_ActionButton_Hover(), 0u);
    EXPECT_TRUE(debug.Any(u"not a colour"));
    EXPECT_EQ(plain->Font().Name(), u"Segoe UI");
    EXPECT_EQ(plain->Font().Size(), 10);

    EXPECT_EQ(old->Font().Color(), RGB(0x11, 0x22, 0x33));
    EXPECT_EQ(old->BorderColor(), RGB(0x44, 0x55, 0x66));
    EXPECT_EQ(old->BorderColorHover(), RGB(255, 0, 0));
    EXPECT_EQ(old->BorderColorDisabled(), RGB(0, 255, 0));

    EXPECT_EQ(deep->FaceColor_Normal(), deepFace);
    EXPECT_NE(deep->Font().Name(), u"Segoe UI");

    // The painted panel shows them.
    Surface s(260, 84, RGB(255, 0, 255));
    panel.PaintTo(s.Dc(), s.Width(), s.Height());
    const int w = plain->Width();
    EXPECT_EQ(s.At(4 + w / 2, 4), RGB(0x10, 0x20, 0x30)) << "top border";
    EXPECT_EQ(s.At(4 + 4, 4 + 16), RGB(0x20, 0xA0, 0x40)) << "face";
    EXPECT_GT(s.CountNear(RGB(255, 255, 255), 14, 12, 4 + w - 10, 4 + 26, 60), 10) << "caption";
    EXPECT_EQ(s.At(4 + 4, 44 + 16), GetSysColor(COLOR_BTNFACE)) << "action face";
    TPngImage shot(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.At(x, y);
            shot.SetPixel(x, y, {GetRValue(c), GetGValue(c), GetBValue(c), 255});
        }
    }
    KeepPicture("skinned-panel.png", shot);
}

TEST(SkinButtons, FormButtonsKeepTheirFont) {
    SkinProgram program(kSkinIni);
    TGraphicHostWindow form(nullptr, u"TForm_UNDELETE_Drive");
    auto* b = Place<TPellButton2>(form, u"PellButton_Ok", u"Ok", 0, 0);
    b->Font().SetName(u"Tahoma");
    b->Font().SetSize(8);
    ApplySkinToButtonsOnForm(form, nullptr);
    EXPECT_EQ(b->FaceColor_Normal(), RGB(0x20, 0xA0, 0x40));
    EXPECT_EQ(b->Font().Name(), u"Tahoma");
    EXPECT_EQ(b->Font().Size(), 8);
}

TEST(SkinButtons, MissingSkinIniGivesBlackEverywhere) {
    SkinProgram program(kSkinIni);
    SkinFolderPath = program.Root() + u"\\skins\\Missing";
    TGraphicHostWindow panel(nullptr, u"TPanel");
    auto* b = Place<TPellButton2>(panel, u"PellButton_A", u"A", 0, 0);
    ApplySkinToButtonsOnPanel(panel, nullptr);
    EXPECT_EQ(b->FaceColor_Normal(), 0u);
    EXPECT_EQ(b->BorderColor(), 0u);
}

TEST(SkinButtons, BackButtonGetsGlyphAndToolTipOnlyWithoutCaption) {
    lang::ResetMessageCatalogue();
    const struct {
        const char* what;
        bool onForm;
        bool oldKind;  // TPellButton instead of TPellButton2
        std::u16string_view name, caption;
        bool glyph, tooltip;
    } cases[] = {
        {"panel, no caption", false, false, u"PellButton_MainMenu", u"", true, true},
        {"panel, name in other letters", false, false, u"PELLBUTTON_mainmenu", u"", true, true},
        {"panel, with caption", false, false, u"PellButton_MainMenu", u"Hauptmen\u00fc", false,
         false},
        {"panel, another name", false, false, u"PellButton_Other", u"", false, false},
        {"panel, old kind", false, true, u"PellButton_MainMenu", u"", true, true},
        {"form", true, false, u"PellButton_MainMenu", u"", true, true},
        {"form, old kind", true, true, u"PellButton_MainMenu", u"", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SkinProgram program(kSkinIni);
        ASSERT_TRUE(
            WritePng(program.Root() + u"\\skins\\back.png", Solid(16, 16, {10, 20, 30, 255})));
        TGraphicHostWindow panel(nullptr, u"TPanel");
        toolkit::TPicture* glyph = nullptr;
        if (c.oldKind) {
            glyph = &Place<TPellButton>(panel, c.name, c.caption, 0, 0)->Glyph();
        } else {
            glyph = &Place<TPellButton2>(panel, c.name, c.caption, 0, 0)->Glyph();
        }
        TToolTips tips;
        if (c.onForm) {
            ApplySkinToButtonsOnForm(panel, &tips);
        } else {
            ApplySkinToButtonsOnPanel(panel, &tips);
        }
        EXPECT_EQ(!glyph->Empty(), c.glyph);
        if (c.glyph) {
            EXPECT_EQ(glyph->Width(), 16);
            EXPECT_EQ(glyph->Image().Pixel(3, 3), (Rgba{10, 20, 30, 255}));
        }
        const TToolTip* tip = tips.FindToolTip(c.name, u"TPanel");
        ASSERT_EQ(tip != nullptr, c.tooltip);
        if (tip != nullptr) {
            EXPECT_EQ(tip->Caption, lang::Msg(u"MESSAGE_BACKTOMAINMENU"));
            EXPECT_EQ(tip->Text, lang::Msg(u"MESSAGEHTML_TOOLTIPS_BACK"));
            EXPECT_FALSE(tip->Caption.empty());
        }
        EXPECT_EQ(tips.List().size(), c.tooltip ? 1u : 0u);
    }
}

TEST(SkinButtons, MissingBackGlyphLeavesTheButtonEmptyWithADebugLine) {
    SkinProgram program(kSkinIni);
    DebugLines debug;
    TGraphicHostWindow panel(nullptr, u"TPanel");
    auto* b = Place<TPellButton2>(panel, u"PellButton_MainMenu", u"", 0, 0);
    TToolTips tips;
    ApplySkinToButtonsOnPanel(panel, &tips);
    EXPECT_TRUE(b->Glyph().Empty());
    EXPECT_TRUE(debug.Any(u"back.png"));
}

TEST(SkinInfoBar, PanelColourFromTheSkin) {
    const struct {
        const char* ini;
        COLORREF color;
    } cases[] = {
        {"[Infobar]\r\nColor=$E0F0C0\r\n", RGB(0xE0, 0xF0, 0xC0)},
        {"[INFOBAR]\r\ncolor=clInfoBk\r\n", GetSysColor(COLOR_INFOBK)},
        {"[Infobar]\r\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        SkinProgram program(c.ini);
        TGraphicHostWindow panel(nullptr, u"TAdvSmoothPanel");
        panel.SetColor(RGB(1, 2, 3));
        win32::ApplySkinToInfoBar(panel);
        EXPECT_EQ(panel.Color(), c.color);
    }
}

TEST(CloneImageToCorner, CopyInTheBottomRightCorner) {
    TGraphicHostWindow frame(nullptr, u"TForm");
    ASSERT_TRUE(frame.CreateTopLevel(L"clone", 0, 0, 400, 300));
    TGraphicHostWindow panel(nullptr, u"TPanel");
    ASSERT_TRUE(panel.CreateChild(frame.Handle(), 0, 0, 300, 100));
    auto* other = new toolkit::TLabel(&panel);
    other->SetParent(&panel);

    toolkit::TImage grip;
    grip.SetBounds(0, 0, 12, 14);
    grip.Picture().Assign(Solid(12, 14, {1, 2, 3, 200}));
    grip.SetCursor(toolkit::TCursor::SizeNWSE);
    int downs = 0;
    grip.OnMouseDown = [&](toolkit::TComponent*, toolkit::TMouseButton, int, int) { ++downs; };

    toolkit::TImage* clone = win32::CloneImageToCorner(&panel, &grip);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Owner(), &panel);
    EXPECT_EQ(clone->Parent(), &panel);
    EXPECT_EQ(panel.Child(panel.ChildCount() - 1), clone) << "in front";
    EXPECT_EQ(clone->BoundsRect(), (toolkit::TRect{300 - 12 - 2, 100 - 14 - 2, 300 - 2, 100 - 2}));
    EXPECT_EQ(clone->Anchors(), toolkit::akRight | toolkit::akBottom);
    EXPECT_EQ(clone->Cursor(), toolkit::TCursor::SizeNWSE);
    EXPECT_TRUE(clone->Visible());
    EXPECT_EQ(clone->Picture().Image().Pixel(5, 5), (Rgba{1, 2, 3, 200}));
    ASSERT_TRUE(clone->OnMouseDown);
    clone->OnMouseDown(clone, toolkit::TMouseButton::Left, 1, 1);
    EXPECT_EQ(downs, 1);

    EXPECT_EQ(win32::CloneImageToCorner(nullptr, &grip), nullptr);
    EXPECT_EQ(win32::CloneImageToCorner(&panel, nullptr), nullptr);
}

}  // namespace
}  // namespace orv::skin::test

namespace orv::skin::test {
namespace {

TEST(SkinCatalogueOnWindows, SkinListThroughTheWindowsFileLayer) {
    SkinProgram program(kSkinIni);
    const std::wstring skins = W(program.Root()) + L"\\skins";
    for (const wchar_t* folder : {L"\\Dark", L"\\NoIni", L"\\.hidden"}) {
        CreateDirectoryW((skins + folder).c_str(), nullptr);
    }
    ASSERT_TRUE(WriteFile(program.Root() + u"\\skins\\Dark\\skin.ini", "[SkinInfo]\r\n"));
    ASSERT_TRUE(WriteFile(program.Root() + u"\\skins\\.hidden\\skin.ini", "[SkinInfo]\r\n"));
    ASSERT_TRUE(WriteFile(program.Root() + u"\\skins\\stripe.png", "x"));

    std::vector<std::u16string> folders;
    ListSubfolders(SkinsFolder(), folders);
    std::sort(folders.begin(), folders.end());
    EXPECT_EQ(folders, (std::vector<std::u16string>{u"Dark", u"NoIni", u"Test"}));

    SkinFolderPath = program.Root() + u"\\skins\\DARK";
    TSkinStringList list;
    FillSkinList(list);
    std::vector<std::u16string> items = list.items;
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<std::u16string>{u"Dark", u"Test"}));
    EXPECT_EQ(list.Item(list.ItemIndex()), u"Dark");

    DeleteFileW((skins + L"\\Dark\\skin.ini").c_str());
    DeleteFileW((skins + L"\\.hidden\\skin.ini").c_str());
    DeleteFileW((skins + L"\\stripe.png").c_str());
    for (const wchar_t* folder : {L"\\Dark", L"\\NoIni", L"\\.hidden"}) {
        RemoveDirectoryW((skins + folder).c_str());
    }
}

}  // namespace
}  // namespace orv::skin::test
