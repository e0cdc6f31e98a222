// The list box window under Wine: the skin list from a skins folder drawn and probed pixel by
// pixel, and mouse, keyboard and wheel input sent as messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "Fixture.h"
#include "app/Globals.h"
#include "skin/SkinList.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/ListBoxWindow.h"

namespace orv::tklists {
namespace {

using toolkit::TListBox;
using toolkit::win32::THostWindow;
using toolkit::win32::TListBoxWindow;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPreview = RGB(220, 40, 40);
const COLORREF kSelected = TListBox::kSelectedColor;

class ListBoxWindowTest : public ::testing::Test {
  protected:
    // Under Wine showing a window waits for the X server: only tests that need it do.
    void Show() { ShowWindow(host.Handle(), SW_SHOWNOACTIVATE); }
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(L"lists", 460, 240));
        ASSERT_TRUE(list.CreateWindowIn(host.Handle(), 0, 0, 420, 200, false));
    }
    void Send(UINT message, WPARAM w, LPARAM l) { SendMessageW(list.Handle(), message, w, l); }
    THostWindow host;
    TListBoxWindow list;
};

TEST_F(ListBoxWindowTest, SkinRowsShowPreviewTitleAndSelection) {
    const std::wstring root = MakeSkinsFolder(L"tklists-skins");
    const std::u16string saved = ProgramFolder;
    ProgramFolder.assign(root.begin(), root.end());
    skin::SkinFolderPath = ProgramFolder + u"\\skins\\Alpha";
    skin::SetUpSkinListBox(list);
    list.Font().SetName(u"Tahoma");
    list.Font().SetHeight(-13);
    skin::TListBoxSkinList adapter(list);
    skin::FillSkinList(adapter);
    ASSERT_EQ(list.Count(), 2);
    const int alpha = list.Item(0) == u"alpha" ? 0 : 1;
    const int beta = 1 - alpha;
    ASSERT_EQ(list.Item(beta), u"beta");
    EXPECT_EQ(list.ItemIndex(), alpha) << "the active skin is selected";

    Pixels s(420, 200);
    list.PaintTo(s.Dc());
    s.Save(L"tklists-skinlist.bmp");
    const int a = alpha * 92;
    const int b = beta * 92;
    // The selected row: its colour, the unscaled preview at (4, 4) and white texts.
    EXPECT_EQ(s.At(2, a + 2), kSelected) << "left of the preview";
    EXPECT_EQ(s.At(4, a + 4), kPreview) << "preview's first pixel";
    EXPECT_EQ(s.At(4 + 127, a + 4 + 83), kPreview) << "preview's last pixel";
    EXPECT_EQ(s.At(4 + 128, a + 4 + 40), kSelected) << "right of the preview: not stretched";
    EXPECT_EQ(s.At(60, a + 4 + 84), kSelected) << "below the preview";
    EXPECT_GT(s.CountNear(kWhite, 140, a + 20, 420, a + 36), 30) << "title";
    EXPECT_GT(s.CountNear(kWhite, 140, a + 36, 420, a + 52), 30) << "first line";
    EXPECT_GT(s.CountNear(kWhite, 140, a + 52, 420, a + 68), 30) << "second line";
    EXPECT_EQ(s.CountNear(kWhite, 140, a + 70, 420, a + 92, 10), 0) << "nothing below";
    EXPECT_EQ(s.CountNear(kWhite, 0, a + 4, 139, a + 92, 10), 0) << "no text left of 140";
    // The other row: no preview, the folder name as title and no description.
    EXPECT_EQ(s.CountNear(kPreview, 0, b, 420, b + 92, 10), 0);
    EXPECT_EQ(s.At(10, b + 10), kWhite);
    EXPECT_GT(s.CountNear(kBlack, 140, b + 20, 200, b + 36), 10) << "the name beta";
    EXPECT_EQ(s.CountNear(kBlack, 200, b + 20, 420, b + 36, 60), 0) << "a short title";
    EXPECT_EQ(s.CountNear(kBlack, 0, b + 36, 420, b + 92, 60), 0) << "two empty lines";
    ProgramFolder = saved;
}

TEST_F(ListBoxWindowTest, MouseKeysAndWheelDriveSelectionAndScrolling) {
    list.SetItemHeight(40);  // five rows fit in 200 pixels
    for (int i = 0; i < 12; ++i) list.Add(u"row " + std::u16string(1, char16_t(u'a' + i)));
    int clicks = 0;
    list.OnClick = [&](toolkit::TComponent*) { ++clicks; };
    Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 85));
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
    Send(WM_KEYDOWN, VK_DOWN, 0);
    Send(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.ItemIndex(), 4);
    Send(WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list.TopIndex(), 1) << "moving past the last row scrolls";
    Send(WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(list.ItemIndex(), 11);
    EXPECT_EQ(list.TopIndex(), 7);
    EXPECT_EQ(clicks, 5);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0);
    EXPECT_EQ(list.TopIndex(), 5) << "a row per notch";
    Send(WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(list.TopIndex(), 0);
    Send(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(list.TopIndex(), 5);
    EXPECT_EQ(list.ItemIndex(), 11) << "scrolling leaves the selection alone";

    // The scroll bar follows the model once the window has painted.
    Show();
    Send(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.TopIndex(), 7);
    UpdateWindow(list.Handle());
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list.Handle(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 11);
    EXPECT_EQ(si.nPage, 5u);
    EXPECT_EQ(si.nPos, 7);
    Pixels s(420, 200);
    list.PaintTo(s.Dc());
    EXPECT_EQ(s.At(5, (11 - 7) * 40 + 2), kSelected) << "row 11 shown selected at its place";
    EXPECT_EQ(s.At(5, 2), list.Color());
}

TEST_F(ListBoxWindowTest, AHandlerDrawsOnlyWithinItsRow) {
    list.SetItemHeight(50);
    list.Add(u"one");
    list.Add(u"two");
    list.OnDrawItem = [](TListBox&, toolkit::TPaintDevice& device, int index,
                         const toolkit::TRect& r, bool) {
        device.SetBrushColor(index == 0 ? RGB(0, 200, 0) : RGB(0, 0, 200));
        device.FillRect(toolkit::TRect{r.Left, r.Top - 30, r.Right, r.Bottom + 30});
    };
    Pixels s(420, 200);
    list.PaintTo(s.Dc());
    EXPECT_EQ(s.At(10, 49), RGB(0, 200, 0));
    EXPECT_EQ(s.At(10, 50), RGB(0, 0, 200)) << "row two's fill did not reach up into row one";
    EXPECT_EQ(s.At(10, 100), kWhite) << "nor below itself";
}

}  // namespace
}  // namespace orv::tklists
