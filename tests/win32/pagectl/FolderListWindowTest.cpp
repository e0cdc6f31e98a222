// The folder list window under Wine on the test's drive P: (folders Eins\Tief and Zwei): real
// sub-folders, a double click and Enter opening entries, the change event and the drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Pixels.h"
#include "toolkit/win32/FolderListWindow.h"
#include "toolkit/win32/HostWindow.h"

namespace orv::pagectl {
namespace {

using toolkit::win32::TDirectoryListBoxWindow;
using toolkit::win32::THostWindow;

class FolderListWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(L"folders", 260, 300));
        ASSERT_TRUE(list.CreateWindowIn(host.Handle(), 0, 0, 210, 280, false));
        list.Folders().OnChange = [this](toolkit::TComponent*) {
            changes.push_back(list.Directory());
        };
    }
    std::vector<std::u16string> Items() const {
        std::vector<std::u16string> out;
        for (int i = 0; i < list.Count(); ++i) out.push_back(list.Item(i));
        return out;
    }
    LPARAM Row(int index) const { return MAKELPARAM(60, index * list.ItemHeight() + 5); }
    THostWindow host;
    TDirectoryListBoxWindow list;
    std::vector<std::u16string> changes;
};

TEST_F(FolderListWindowTest, DoubleClickAndEnterOpenFolders) {
    ASSERT_TRUE(list.SetDirectory(u"p:\\")) << "make_drive.sh gives the prefix P:";
    EXPECT_EQ(Items(), (std::vector<std::u16string>{u"P:\\", u"Eins", u"Zwei"}));
    EXPECT_EQ(list.ItemIndex(), 0) << "the current folder is the selected row";

    SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Row(1));
    EXPECT_EQ(list.Directory(), u"P:\\") << "a click only selects";
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Row(1));
    EXPECT_EQ(list.Directory(), u"P:\\Eins");
    EXPECT_EQ(Items(), (std::vector<std::u16string>{u"P:\\", u"Eins", u"Tief"}));
    EXPECT_EQ(list.ItemIndex(), 1);

    SendMessageW(list.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(list.Directory(), u"P:\\Eins\\Tief");
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Row(0));
    EXPECT_EQ(list.Directory(), u"P:\\");
    SendMessageW(list.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Row(9));
    EXPECT_EQ(list.Directory(), u"P:\\") << "below the last row";
    EXPECT_EQ(changes,
              (std::vector<std::u16string>{u"P:\\", u"P:\\Eins", u"P:\\Eins\\Tief", u"P:\\"}));
    EXPECT_FALSE(list.SetDirectory(u"P:\\.windows-label")) << "a file is no folder";
    EXPECT_FALSE(list.SetDirectory(u"P:\\Drei"));
    EXPECT_EQ(list.Directory(), u"P:\\");
}

TEST_F(FolderListWindowTest, EntriesAreIndentedBehindAFolder) {
    ASSERT_TRUE(list.SetDirectory(u"P:\\Eins"));
    Pixels s(210, 280);
    list.PaintTo(s.Dc());
    const COLORREF folder = TDirectoryListBoxWindow::kFolderColor;
    const COLORREF selected = toolkit::TListBox::kSelectedColor;
    const int h = list.ItemHeight();
    // Glyph bodies at x = 2 + 12 * level, 3 pixels inside.
    EXPECT_EQ(s.At(2 + 1, 0 * h + 3 + 5), folder) << "root";
    EXPECT_EQ(s.At(14 + 1, 1 * h + 3 + 5), folder) << "current, level 1";
    EXPECT_EQ(s.At(26 + 1, 2 * h + 3 + 5), folder) << "sub-folder, level 2";
    EXPECT_EQ(s.At(2 + 1, 2 * h + 3 + 5), RGB(255, 255, 255)) << "nothing at level 0 there";
    EXPECT_EQ(s.At(200, 1 * h + 2), selected) << "the current folder's row";
    EXPECT_GT(s.CountOther(selected, 32, 1 * h, 100, 2 * h), 10) << "its name";
    EXPECT_GT(s.CountOther(RGB(255, 255, 255), 44, 2 * h, 100, 3 * h), 10) << "Tief";
}

}  // namespace
}  // namespace orv::pagectl
