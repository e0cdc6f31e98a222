// The popup menus: the help menu as the system menu shows it, pictures with alpha, the
// internet menu rebuilt from the service channel, and an answer that ends the program.
#include <gtest/gtest.h>
#include <windows.h>

#include "MainWindowFixture.h"
#include "toolkit/win32/PopupMenu.h"

namespace orv::app::test {
namespace {

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[128] = {};
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING;
    mi.dwTypeData = text;
    mi.cch = 127;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mi);
    return text;
}

MENUITEMINFOW MenuInfo(HMENU menu, int position) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_BITMAP | MIIM_ID;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &mi);
    return mi;
}

using Menus = MainWindowFixture;

TEST_F(Menus, HelpMenuShowsHelpSeparatorAndAboutWithPictures) {
    HMENU menu = form->AdvPopupMenu_Help->BuildMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 3) << "the beta report item is hidden";
    EXPECT_EQ(MenuText(menu, 0), L"Hilfe");
    EXPECT_TRUE(MenuInfo(menu, 1).fType & MFT_SEPARATOR);
    EXPECT_EQ(MenuText(menu, 2), L"\u00dcber diese Software");
    for (int position : {0, 2}) {
        const MENUITEMINFOW mi = MenuInfo(menu, position);
        ASSERT_NE(mi.hbmpItem, nullptr) << position;
        BITMAP bm{};
        GetObjectW(mi.hbmpItem, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 16);
        EXPECT_EQ(bm.bmHeight, 16);
        EXPECT_EQ(bm.bmBitsPixel, 32);
    }
    form->AdvPopupMenu_Help->DestroyBuiltMenu(menu);
}

TEST(PopupMenuBitmap, AlphaIsPremultipliedInBlueGreenRedOrder) {
    skin::TPngImage image(2, 1);
    image.SetPixel(0, 0, {255, 0, 0, 128});
    image.SetPixel(1, 0, {10, 20, 30, 255});
    toolkit::TPicture picture;
    picture.Assign(image);
    HBITMAP bmp = toolkit::win32::CreateAlphaBitmap(picture);
    ASSERT_NE(bmp, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(bmp, sizeof ds, &ds), static_cast<int>(sizeof ds));
    const auto* px = static_cast<const uint8_t*>(ds.dsBm.bmBits);
    EXPECT_EQ(px[0], 0);
    EXPECT_EQ(px[1], 0);
    EXPECT_EQ(px[2], 128);
    EXPECT_EQ(px[3], 128);
    EXPECT_EQ(px[4], 30);
    EXPECT_EQ(px[5], 20);
    EXPECT_EQ(px[6], 10);
    EXPECT_EQ(px[7], 255);
    DeleteObject(bmp);
    EXPECT_EQ(toolkit::win32::CreateAlphaBitmap(toolkit::TPicture{}), nullptr);
}

TEST_F(Menus, InternetMenuIsRebuiltFromTheChannelEachTimeWithSeparators) {
    int reads = 0;
    form->Services.InternetMenu = [&reads] {
        ++reads;
        return std::vector<TInternetItem>{
            {11, u"News", false, nullptr},
            {0, u"-", true, nullptr},
            {12, u"Shop", false, LoadIconW(nullptr, IDI_INFORMATION)}};
    };
    for (int round = 1; round <= 2; ++round) {
        HMENU menu = form->AdvPopupMenu_IM->BuildMenu();
        ASSERT_EQ(GetMenuItemCount(menu), 3);
        EXPECT_EQ(MenuText(menu, 0), L"News");
        EXPECT_TRUE(MenuInfo(menu, 1).fType & MFT_SEPARATOR);
        EXPECT_EQ(MenuInfo(menu, 0).hbmpItem, nullptr) << "no icon, no picture";
        EXPECT_NE(MenuInfo(menu, 2).hbmpItem, nullptr) << "the icon became the picture";
        form->AdvPopupMenu_IM->DestroyBuiltMenu(menu);
        EXPECT_EQ(reads, round);
        EXPECT_EQ(form->ImageList_IM.Count(), 1) << "images are not piled up";
    }
    EXPECT_EQ(form->AdvPopupMenu_IM->Items()[2]->HelpContext, 12);
}

TEST_F(Menus, AnAnswerOf1Or7ClosesTheProgramOthersKeepItRunning) {
    int32_t answer = 0;
    HWND askedFor = nullptr;
    form->Services.InternetMenu = [] {
        return std::vector<TInternetItem>{{42, u"Update", false, nullptr}};
    };
    form->Services.ProcessInternetItem = [&](HWND w, int32_t id) {
        askedFor = w;
        EXPECT_EQ(id, 42);
        return answer;
    };
    form->INIT_INTERNETMENU();
    toolkit::win32::TMenuItem* item = form->AdvPopupMenu_IM->Items()[0];
    answer = 0;
    item->OnClick(item);
    Pump(30);
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_EQ(askedFor, form->Handle());
    EXPECT_GE(lines.Find(u"tinet_ProcessMenuItem RETURNED = 0"), 0);
    // The click rebuilt the menu; take the new item.
    item = form->AdvPopupMenu_IM->Items()[0];
    answer = 7;
    item->OnClick(item);
    Pump(80);
    EXPECT_FALSE(form->HandleAllocated()) << "closed through the close path";
    EXPECT_GE(lines.Find(u"KT16: FormCloseQuery"), 0);
}

TEST_F(Menus, OptionsCommandRunsTheProtocolAndThePagesHandler) {
    struct Dialog : TOptionsDialogLink {
        int shown = 0;
        int recreateUntil = 0;
        toolkit::TComponent* sender = nullptr;
        toolkit::TComponent* senderWhileShown = nullptr;
        void SetCurrent_Sender(toolkit::TComponent* s) override { sender = s; }
        void ShowModal() override {
            ++shown;
            senderWhileShown = sender;
        }
        bool SIGNAL_RECREATE_FORM() const override { return shown <= recreateUntil; }
    } dialog;
    std::vector<std::u16string> infos;
    std::vector<std::u16string> features;
    int recreated = 0;
    int handlerRuns = 0;
    std::u16string storedSkin;
    form->Services.OptionsDialog = [&dialog]() -> TOptionsDialogLink* { return &dialog; };
    form->Services.RecreateOptionsDialog = [&recreated] { ++recreated; };
    form->Services.Show_Info = [&infos](std::u16string_view t) { infos.emplace_back(t); };
    form->Services.AddFeature = [&features](std::u16string_view f) { features.emplace_back(f); };
    form->Services.ReadUseSkin = [&storedSkin] { return storedSkin; };
    form->Services.ReadForceLanguage = [] { return std::u16string(); };
    form->Services.CurrentLanguageCode = [] { return std::u16string(u"de-de"); };
    form->CurrentModuleForm_OnOptionsChanged = [&handlerRuns] { ++handlerRuns; };

    // The running skin is the last part of the skin folder: "default".
    storedSkin = u"default";
    form->MirelMouseImage3State_options->Click();
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_EQ(dialog.senderWhileShown, form->MirelMouseImage3State_options);
    EXPECT_EQ(dialog.sender, nullptr) << "cleared after the dialog";
    EXPECT_TRUE(infos.empty());
    EXPECT_EQ(handlerRuns, 1);
    EXPECT_EQ(features, std::vector<std::u16string>{u"KT12.OTHER.OPTIONS"});

    // A dialog that asks to be recreated is shown again at once, without the notice; then a
    // changed skin gives the notice.
    storedSkin = u"dark";
    dialog.shown = 0;
    dialog.recreateUntil = 1;
    form->MenuItem_Options->OnClick(form->MenuItem_Options);
    EXPECT_EQ(dialog.shown, 2);
    EXPECT_EQ(recreated, 1);
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(handlerRuns, 2);
}

}  // namespace
}  // namespace orv::app::test
