// The Windows locale and shell services behind the grid, against Wine's real ones.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "analysis/SizeText.h"
#include "platform/Locale.h"
#include "platform/Shell.h"

namespace orv::platform {
namespace {

TEST(Win32LocaleTest, SeparatorsAreTheUsersOnes) {
    wchar_t dec[8] = {}, thou[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, dec, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thou, 8);
    EXPECT_EQ(Loc().DecimalSeparator(), std::u16string(dec, dec + wcslen(dec)));
    EXPECT_EQ(Loc().ThousandSeparator(), std::u16string(thou, thou + wcslen(thou)));
    // The texts follow them: under LANG=de_DE.UTF-8 this is "1.024,0 KB".
    const std::u16string expected =
        u"1" + Loc().ThousandSeparator() + u"024" + Loc().DecimalSeparator() + u"0 KB";
    EXPECT_EQ(analysis::CellSizeText(1048575), expected);
}

TEST(Win32LocaleTest, UpperCaseKeepsTheLength) {
    EXPECT_EQ(Loc().UpperCase(u"straße äöü abc"), u"STRAßE ÄÖÜ ABC");
    EXPECT_EQ(Loc().UpperCase(u""), u"");
    EXPECT_EQ(Loc().UpperCase(u"привет"), u"ПРИВЕТ");
}

TEST(Win32ShellTest, SmallIconsOfFilesFoldersAndTypes) {
    for (const char16_t* path :
         {u"C:\\windows\\system32\\notepad.exe", u"C:\\windows", u"C:\\windows\\win.ini"}) {
        const IconHandle icon = Shl().AssociatedSmallIcon(path);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP bm{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, 16);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        Shl().ReleaseIcon(icon);
    }
    const IconHandle text = Shl().FileTypeSmallIcon(u"TXT");
    EXPECT_NE(text, nullptr);
    Shl().ReleaseIcon(text);
    Shl().ReleaseIcon(nullptr);
}

TEST(Win32ShellTest, PathsLongerThanTheClassicLimitAreSafe) {
    std::u16string path = u"C:\\";
    while (path.size() < 400) path += u"a very long folder name\\";
    path += u"file.txt";
    const IconHandle icon = Shl().AssociatedSmallIcon(path);
    Shl().ReleaseIcon(icon);
    SUCCEED();
}

}  // namespace
}  // namespace orv::platform
