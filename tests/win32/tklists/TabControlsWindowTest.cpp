// The tab strip and page control windows under Wine: the strip drawn and clicked, the hovered
// tab followed, and only the active page's window shown.
#include <gtest/gtest.h>
#include <windows.h>

#include "Fixture.h"
#include "skin/SkinTabs.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/TabControlsWindow.h"

namespace orv::tklists {
namespace {

using toolkit::win32::TAdvOfficeTabSetWindow;
using toolkit::win32::THostWindow;
using toolkit::win32::TPageControlWindow;
using toolkit::win32::TTabSheetWindow;

class TabWindowsTest : public ::testing::Test {
  protected:
    // Under Wine showing a window waits for the X server: only tests that need it do.
    void Show() { ShowWindow(host.Handle(), SW_SHOWNOACTIVATE); }
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(L"tabs", 500, 300));
    }
    THostWindow host;
};

TEST_F(TabWindowsTest, TheStripShowsItsActiveTabAndFollowsTheMouse) {
    TAdvOfficeTabSetWindow tabs;
    ASSERT_TRUE(tabs.CreateWindowIn(host.Handle(), 0, 0, 480, 28));
    tabs.Font().SetName(u"Tahoma");
    tabs.AddTab(u"Sprache");
    tabs.AddTab(u"Sonstiges");
    tabs.AddTab(u"Dateiformate");
    int changes = 0;
    tabs.OnChange = [&](toolkit::TComponent*) { ++changes; };

    Pixels s(480, 28);
    tabs.PaintTo(s.Dc());
    s.Save(L"tklists-tabs.bmp");
    const toolkit::TRect first = tabs.TabRect(0);
    const toolkit::TRect second = tabs.TabRect(1);
    ASSERT_FALSE(second.IsEmpty());
    EXPECT_GT(first.Width(), 2 * TAdvOfficeTabSetWindow::kTabPadding + 20) << "measured text";
    EXPECT_EQ(s.At(first.Left + 2, 26), tabs.AccentColor) << "the active tab's accent";
    EXPECT_EQ(s.At(first.Left + 2, 3), tabs.ActiveColor);
    EXPECT_EQ(s.At(second.Left + 2, 26), tabs.Color) << "no accent under the others";
    EXPECT_EQ(s.At(2, 14), tabs.Color) << "the strip left of the tabs";
    EXPECT_GT(s.CountNear(tabs.ActiveCaptionColor, first.Left, 0, first.Right, 25, 60), 15);
    EXPECT_GT(s.CountNear(tabs.CaptionColor, second.Left, 0, second.Right, 25, 30), 15);

    SendMessageW(tabs.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(second.Left + 3, 10));
    EXPECT_EQ(tabs.HotTab(), 1);
    tabs.PaintTo(s.Dc());
    EXPECT_EQ(s.At(second.Left + 2, 3), tabs.HoverColor);
    SendMessageW(tabs.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(second.Left + 3, 10));
    EXPECT_EQ(tabs.ActiveTabIndex(), 1);
    EXPECT_EQ(changes, 1);
    SendMessageW(tabs.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(tabs.HotTab(), -1);
    tabs.PaintTo(s.Dc());
    EXPECT_EQ(s.At(second.Left + 2, 26), tabs.AccentColor);
    EXPECT_EQ(s.At(first.Left + 2, 3), tabs.Color);
}

TEST_F(TabWindowsTest, OnlyTheActivePageIsShown) {
    Show();
    TPageControlWindow pages;
    ASSERT_TRUE(pages.CreateWindowIn(host.Handle(), 0, 30, 480, 250));
    TTabSheetWindow lang, other, orv;
    lang.SetName(u"TabSheet_LANG");
    lang.SetCaption(u"Sprache");
    other.SetName(u"TabSheet_OTHER");
    other.SetCaption(u"Sonstiges");
    orv.SetName(u"TabSheet_ORV1");
    orv.SetCaption(u"Dateiformate");
    ASSERT_TRUE(lang.CreateIn(pages));
    ASSERT_TRUE(other.CreateIn(pages));
    ASSERT_TRUE(orv.CreateIn(pages));
    EXPECT_EQ(lang.ClassName(), u"TTabSheet");
    // A windowed control on a page is hidden with it.
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20,
                                      orv.Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(IsWindowVisible(lang.Handle()));
    EXPECT_FALSE(IsWindowVisible(other.Handle()));
    EXPECT_FALSE(IsWindowVisible(edit));
    RECT r{};
    GetClientRect(orv.Handle(), &r);
    EXPECT_EQ(r.right, 480) << "a page fills the page control";
    EXPECT_EQ(r.bottom, 250);

    TAdvOfficeTabSetWindow tabs;
    ASSERT_TRUE(tabs.CreateWindowIn(host.Handle(), 0, 0, 480, 28));
    skin::FillTabsFromPages(tabs, pages, {&orv});
    EXPECT_TRUE(IsWindowVisible(orv.Handle()));
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_FALSE(IsWindowVisible(lang.Handle()));

    // The form's tab change: the page whose position the tab's image index holds.
    skin::FillTabsFromPages(tabs, pages, {&lang, &other});
    tabs.OnChange = [&](toolkit::TComponent*) {
        pages.SetActivePageIndex(tabs.Tab(tabs.ActiveTabIndex()).ImageIndex);
    };
    // The mouse passing over the strip lays it out before it was ever painted.
    SendMessageW(tabs.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    ASSERT_FALSE(tabs.TabRect(1).IsEmpty());
    SendMessageW(tabs.Handle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(tabs.TabRect(1).Left + 2, 10));
    EXPECT_EQ(pages.ActivePage(), &other);
    EXPECT_TRUE(IsWindowVisible(other.Handle()));
    EXPECT_FALSE(IsWindowVisible(lang.Handle()));
    EXPECT_FALSE(IsWindowVisible(orv.Handle()));

    SetWindowPos(pages.Handle(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(lang.Handle(), &r);
    EXPECT_EQ(r.right, 300) << "pages follow the page control's size";
}

}  // namespace
}  // namespace orv::tklists
