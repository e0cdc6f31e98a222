// The drive combo box under Wine: the prefix's drives with the label of the test's drive P:
// and shell icons, the system combo box kept in step with the model both ways, and an entry
// drawn with its icon and text.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Pixels.h"
#include "platform/System.h"
#include "toolkit/win32/DriveListWindow.h"
#include "toolkit/win32/HostWindow.h"

namespace orv::pagectl {
namespace {

using toolkit::win32::TDriveComboBoxWindow;
using toolkit::win32::THostWindow;

std::wstring ComboText(HWND combo, int index) {
    const auto n = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0) return L"<none>";
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
}

TEST(DriveListPlatform, ReportsTheTestDriveAndItsLabel) {
    const uint32_t mask = platform::Sys().LogicalDrives();
    ASSERT_TRUE(mask & (1u << (u'P' - u'A'))) << "make_drive.sh gives the prefix P:";
    EXPECT_TRUE(mask & (1u << (u'C' - u'A')));
    std::u16string label;
    EXPECT_TRUE(platform::Sys().VolumeLabel(u"P:\\", label));
    EXPECT_EQ(label, u"Testlabel");
    EXPECT_FALSE(platform::Sys().VolumeLabel(u"?:\\", label));
    EXPECT_EQ(label, u"");
}

class DriveComboTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(L"drives", 300, 200));
        combo.Refresh();
        ASSERT_TRUE(combo.CreateWindowIn(host.Handle(), 10, 10, 240));
    }
    THostWindow host;
    TDriveComboBoxWindow combo;
};

TEST_F(DriveComboTest, EntriesMatchTheModelAndTheUserChoiceComesBack) {
    const int p = combo.IndexOfDrive(u'P');
    ASSERT_GE(p, 0);
    EXPECT_EQ(combo.Text(p), u"P: [Testlabel]");
    EXPECT_TRUE(combo.Entry(p).Icon) << "the shell's drive icon";
    const HWND box = combo.ComboHandle();
    ASSERT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), combo.Count());
    EXPECT_EQ(ComboText(box, p), L"P: [Testlabel]");
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), combo.ItemIndex());

    int changes = 0;
    combo.OnChange = [&](toolkit::TComponent*) { ++changes; };
    ASSERT_TRUE(combo.SetDrive(u'p'));
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), p) << "model to window";
    EXPECT_EQ(changes, 1);

    // The user picks C: in the box: the box tells its parent, our window.
    const int c = combo.IndexOfDrive(u'C');
    ASSERT_GE(c, 0);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(c), 0);
    SendMessageW(combo.Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(combo.Drive(), u'C') << "window to model";
    EXPECT_EQ(changes, 2);

    combo.Delete(c);
    EXPECT_EQ(SendMessageW(box, CB_GETCOUNT, 0, 0), combo.Count());
    EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), -1) << "the current drive went";
}

TEST_F(DriveComboTest, AnEntryShowsItsIconAndText) {
    const int p = combo.IndexOfDrive(u'P');
    ASSERT_GE(p, 0);
    Pixels s(240, 18);
    const RECT r{0, 0, 240, 18};
    combo.DrawEntry(s.Dc(), p, r, false);
    const COLORREF back = GetSysColor(COLOR_WINDOW);
    EXPECT_GT(s.CountOther(back, 2, 1, 18, 17), 20) << "icon";
    EXPECT_GT(s.CountOther(back, 22, 2, 120, 16), 20) << "text";
    EXPECT_EQ(s.CountOther(back, 160, 0, 240, 18), 0) << "nothing after the short text";
    combo.DrawEntry(s.Dc(), p, r, true);
    EXPECT_EQ(s.At(239, 0), GetSysColor(COLOR_HIGHLIGHT)) << "a selected entry";
}

}  // namespace
}  // namespace orv::pagectl
