// The combo boxes under Wine: the list-only box with pictures drawn before the texts and the
// user's pick coming back, the editable box with its typed text and Enter reaching OnKeyPress
// as 13 without reaching the edit.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Pixels.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/ImageComboWindow.h"

namespace orv::pagectl {
namespace {

using toolkit::TComboStyle;
using toolkit::win32::THostWindow;
using toolkit::win32::TImageComboBoxWindow;

skin::TPngImage Solid(uint8_t r, uint8_t g, uint8_t b) {
    skin::TPngImage img(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) img.SetPixel(x, y, skin::Rgba{r, g, b, 255});
    }
    return img;
}

std::wstring EditText(HWND edit) {
    wchar_t buf[256] = {};
    GetWindowTextW(edit, buf, 256);
    return buf;
}

TEST(ImageComboWindow, ListOnlyBoxDrawsPicturesAndTakesThePick) {
    THostWindow host;
    ASSERT_TRUE(host.CreateTopLevel(L"combo", 300, 200));
    toolkit::TPngImageList images;
    images.Add(Solid(200, 30, 30));
    images.Add(Solid(30, 30, 200));
    TImageComboBoxWindow box;
    box.SetImages(&images);
    box.Add(u"Keine", 1);
    box.Add(u"Absolut", 0);
    box.Add(u"Ohne Bild", 7);
    box.SetItemIndex(0);
    ASSERT_TRUE(box.CreateWindowIn(host.Handle(), 10, 10, 200));
    const HWND combo = box.ComboHandle();
    EXPECT_EQ(box.EditHandle(), nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);

    Pixels s(200, 18);
    const RECT r{0, 0, 200, 18};
    box.DrawItem(s.Dc(), 1, r, false);
    EXPECT_EQ(s.At(2, 1), RGB(200, 30, 30)) << "item 1 has picture 0";
    EXPECT_EQ(s.At(17, 16), RGB(200, 30, 30));
    EXPECT_EQ(s.At(18, 9), GetSysColor(COLOR_WINDOW)) << "right of the picture";
    EXPECT_GT(s.CountOther(GetSysColor(COLOR_WINDOW), 22, 2, 100, 16), 20) << "text";
    box.DrawItem(s.Dc(), 2, r, true);
    EXPECT_EQ(s.At(9, 9), GetSysColor(COLOR_HIGHLIGHT)) << "an image index outside the list";

    int changes = 0;
    box.OnChange = [&](toolkit::TComponent*) { ++changes; };
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(box.ItemIndex(), 1);
    EXPECT_EQ(box.Text(), u"Absolut");
    EXPECT_EQ(changes, 1);
    box.SetItemIndex(2);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2) << "the program's choice shows";
    EXPECT_EQ(changes, 1);
}

TEST(ImageComboWindow, EditableBoxTypesAndHandsEnterToTheHandler) {
    THostWindow host;
    ASSERT_TRUE(host.CreateTopLevel(L"combo", 300, 200));
    TImageComboBoxWindow box(nullptr, TComboStyle::DropDown);
    box.Add(u"Alle Dateien");
    box.Add(u"Audio");
    box.SetItemIndex(0);
    ASSERT_TRUE(box.CreateWindowIn(host.Handle(), 10, 10, 200));
    const HWND edit = box.EditHandle();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(EditText(edit), L"Alle Dateien");

    std::vector<char16_t> keys;
    std::vector<std::u16string> texts;
    box.OnKeyPress = [&](toolkit::TComponent*, char16_t& key) { keys.push_back(key); };
    box.OnChange = [&](toolkit::TComponent*) { texts.push_back(box.Text()); };
    SetWindowTextW(edit, L"");
    for (wchar_t c : std::wstring(L"*.mp3")) SendMessageW(edit, WM_CHAR, c, 0);
    EXPECT_EQ(EditText(edit), L"*.mp3");
    // The edit tells the combo box, which tells our window.
    SendMessageW(box.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(box.ComboHandle()));
    EXPECT_EQ(box.Text(), u"*.mp3");
    EXPECT_EQ(box.ItemIndex(), -1);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back(), u"*.mp3");

    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.back(), 13);
    EXPECT_EQ(EditText(edit), L"*.mp3") << "Enter typed nothing";

    box.OnKeyPress = [](toolkit::TComponent*, char16_t& key) {
        if (key == u'x') key = 0;
    };
    SendMessageW(edit, WM_CHAR, L'x', 0);
    EXPECT_EQ(EditText(edit), L"*.mp3") << "a swallowed key";

    box.SetText(u"Audio");
    EXPECT_EQ(EditText(edit), L"Audio");
    EXPECT_EQ(box.ItemIndex(), 1);
}

}  // namespace
}  // namespace orv::pagectl

namespace orv::pagectl {
namespace {

TEST(ImageComboWindow, ABoxWhoseParentWentForgetsItsWindows) {
    auto* host = new toolkit::win32::THostWindow;
    ASSERT_TRUE(host->CreateTopLevel(L"combo", 300, 200));
    toolkit::win32::TImageComboBoxWindow box(nullptr, toolkit::TComboStyle::DropDown);
    ASSERT_TRUE(box.CreateWindowIn(host->Handle(), 10, 10, 200));
    delete host;
    EXPECT_EQ(box.Handle(), nullptr);
    EXPECT_EQ(box.ComboHandle(), nullptr);
    EXPECT_EQ(box.EditHandle(), nullptr);
    box.Add(u"after");  // must not reach a window that is gone
    box.SetText(u"after");
    EXPECT_EQ(box.Text(), u"after");
}

}  // namespace
}  // namespace orv::pagectl
