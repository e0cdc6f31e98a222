// The tooltip manager with the real tooltip window: the delay, an early leave and the place
// above a control near the bottom of the main window.
#include <gtest/gtest.h>
#include <windows.h>

#include "Surface.h"
#include "skin/PellButton2.h"
#include "skin/win32/Form_ToolTips.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::skin {
namespace {

using toolkit::win32::TGraphicHostWindow;

class ToolTipWindowTest : public ::testing::Test {
  protected:
    ToolTipWindowTest() : main(nullptr, u"TForm_ORV") {}
    void SetUp() override {
        ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
        ASSERT_TRUE(main.CreateTopLevel(L"main", 100, 100, 600, 400));
        ShowWindow(main.Handle(), SW_SHOWNOACTIVATE);
        win32::ConnectToolTips(tips, main, u"Z:\\nonexistent-skin", u"Z:\\nonexistent", nullptr);
        top.SetName(u"PellButton_Top");
        top.SetCaption(u"Top");
        top.SetParent(&main);
        top.SetBounds(20, 20, 100, 33);
        bottom.SetName(u"PellButton_MainMenu");
        bottom.SetCaption(u"Bottom");
        bottom.SetParent(&main);
        bottom.SetBounds(20, 340, 100, 33);
        tips.AddToList(&top, u"Optionen", u"Hier <b>einstellen</b>");
        tips.AddToList(&bottom, u"Zurück", u"Zum Hauptmenü");
    }
    void TearDown() override {
        for (int i = 0; i < 400 && TToolTipThread::Running() > 0; ++i) test::PumpFor(5);
        EXPECT_EQ(TToolTipThread::Running(), 0) << "delay threads end";
    }
    // Puts the real cursor there too, or the window's leave tracking would end the hover.
    void Move(int x, int y) {
        POINT p{x, y};
        ClientToScreen(main.Handle(), &p);
        SetCursorPos(p.x, p.y);
        SendMessageW(main.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    void Leave() { SendMessageW(main.Handle(), WM_MOUSELEAVE, 0, 0); }
    HWND TipWindow() const {
        auto* form = dynamic_cast<win32::TFormToolTips*>(tips.Window());
        return form != nullptr ? form->Handle() : nullptr;
    }
    bool Visible() const { return TipWindow() != nullptr && IsWindowVisible(TipWindow()); }

    TGraphicHostWindow main;
    TPellButton2 top;
    TPellButton2 bottom;
    TToolTips tips;
};

TEST_F(ToolTipWindowTest, ShownAfterTheDelayBelowTheControl) {
    Move(30, 30);
    ASSERT_NE(TipWindow(), nullptr);
    test::PumpFor(400);
    EXPECT_FALSE(Visible()) << "not before the delay";
    for (int i = 0; i < 200 && !Visible(); ++i) test::PumpFor(10);
    EXPECT_TRUE(Visible());
    RECT tip{};
    GetWindowRect(TipWindow(), &tip);
    POINT below{20, 20 + 33};
    ClientToScreen(main.Handle(), &below);
    EXPECT_EQ(tip.top, below.y + 4);
    EXPECT_EQ(tip.left, below.x + 50 - 180);
    EXPECT_EQ(tip.right - tip.left, 360);
    EXPECT_EQ(tip.bottom - tip.top, 130);
    Leave();
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTipWindowTest, LeavingAfter300MsShowsNothing) {
    Move(30, 30);
    test::PumpFor(300);
    Leave();
    test::PumpFor(800);
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTipWindowTest, NearTheBottomItGoesAbove) {
    Move(30, 350);
    for (int i = 0; i < 200 && !Visible(); ++i) test::PumpFor(10);
    ASSERT_TRUE(Visible());
    RECT tip{};
    GetWindowRect(TipWindow(), &tip);
    POINT controlTop{20, 340};
    ClientToScreen(main.Handle(), &controlTop);
    EXPECT_EQ(tip.bottom, controlTop.y - 4) << "4 pixels above the control";
    Leave();
}

}  // namespace
}  // namespace orv::skin
