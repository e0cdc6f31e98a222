// The tooltip manager with a recording window and a stand-in user-interface thread.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "FakeUiThread.h"
#include "RecordingDevice.h"
#include "skin/Form_ToolTips.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton2.h"
#include "skin/PellUnicodeSTButton.h"

namespace orv::skin {
namespace {

using test::RecordingHost;

class FakeToolTipWindow : public TToolTipWindow {
  public:
    int Width() const override { return 360; }
    int Height() const override { return 130; }
    void MoveTo(int left, int top) override {
        this->left = left;
        this->top = top;
    }
    void SetTexts(std::u16string_view c, std::u16string_view t) override {
        caption = c;
        text = t;
    }
    bool Showing() const override { return showing; }
    void ShowToolTipWindow() override {
        showing = true;
        ++shows;
    }
    void HideToolTipWindow() override { showing = false; }

    int left = 0, top = 0, shows = 0;
    bool showing = false;
    std::u16string caption, text;
};

bool DelayThreadsEnd(int ms) {
    for (int i = 0; i < ms / 5; ++i) {
        if (TToolTipThread::Running() == 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return TToolTipThread::Running() == 0;
}

class ToolTipsTest : public ::testing::Test {
  protected:
    ToolTipsTest() {
        tips.MakeWindow = [this] {
            ++windowsMade;
            auto w = std::make_unique<FakeToolTipWindow>();
            window = w.get();
            return w;
        };
        tips.MainWindowBottom = [this] { return mainBottom; };
        host.originX = 1000;
        host.originY = 500;
        button.SetName(u"PellButton_MainMenu");
        button.SetParent(&host);
        button.SetBounds(20, 30, 40, 33);
    }
    ~ToolTipsTest() override { EXPECT_TRUE(DelayThreadsEnd(3000)); }

    test::FakeUiThread ui;
    RecordingHost host;
    TPellButton2 button;
    TToolTips tips;
    FakeToolTipWindow* window = nullptr;
    int windowsMade = 0;
    int mainBottom = 2000;
};

TEST(ToolTipPlacement, BelowOrAbove) {
    struct Case {
        const char* what;
        int bottom, x, y, w, h;
        TToolTipPlace want;
    };
    const Case cases[] = {
        {"room below", 1000, 100, 200, 40, 33, {100 + 20 - 180, 204}},
        {"exactly enough room", 338, 100, 200, 40, 33, {-60, 204}},
        {"one pixel short: above", 337, 100, 200, 40, 33, {-60, 204 - (130 + 33 + 8)}},
        {"odd widths truncate", 1000, 0, 0, 41, 10, {20 - 180, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PlaceToolTip(c.bottom, c.x, c.y, c.w, c.h, 360, 130), c.want);
    }
}

TEST_F(ToolTipsTest, RegistrationFollowsTheOptionsCheckBox) {
    struct Case {
        const char* what;
        std::function<std::optional<bool>()> check;
        bool registers;
    };
    const Case cases[] = {
        {"no options dialog hook", {}, true},
        {"no options dialog yet", [] { return std::optional<bool>(); }, true},
        {"dialog with the box ticked", [] { return std::optional<bool>(true); }, true},
        {"dialog with the box clear", [] { return std::optional<bool>(false); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TToolTips t;
        t.OptionsTooltipsTicked = c.check;
        TPellButton2 b;
        b.SetName(u"B");
        b.SetParent(&host);
        t.AddToList(&b, u"Title", u"Body");
        EXPECT_EQ(t.List().size(), c.registers ? 1u : 0u);
        EXPECT_EQ(static_cast<bool>(b.OnMouseEnter), c.registers);
    }
}

TEST_F(ToolTipsTest, FirstRegistrationKeepsItsTextsAndLookUpIsExact) {
    tips.AddToList(&button, u"First", u"one");
    tips.AddToList(&button, u"Second", u"two");
    ASSERT_EQ(tips.List().size(), 1u);
    EXPECT_EQ(tips.List()[0].Caption, u"First");
    EXPECT_EQ(tips.List()[0].ParentClassName, u"TForm_Test");
    EXPECT_NE(tips.FindToolTip(u"PellButton_MainMenu", u"TForm_Test"), nullptr);
    EXPECT_EQ(tips.FindToolTip(u"pellbutton_mainmenu", u"TForm_Test"), nullptr);
    EXPECT_EQ(tips.FindToolTip(u"PellButton_MainMenu", u"TForm_Other"), nullptr);
}

TEST_F(ToolTipsTest, HooksByKind) {
    TMirelMouseImage3State image;
    image.SetName(u"MirelMouseImage3State_options");
    image.SetParent(&host);
    TPellUnicodeSTButton link;
    link.SetName(u"Link");
    link.SetParent(&host);
    tips.AddToList(&image, u"Options", u"text");
    tips.AddToList(&link, u"Link", u"text");
    EXPECT_TRUE(image.OnMouseEnter);
    EXPECT_TRUE(image.toolkit::TControl::OnMouseEnter);
    EXPECT_TRUE(image.OnMouseLeave);
    EXPECT_FALSE(link.OnMouseEnter) << "listed but not hooked";
    EXPECT_EQ(tips.List().size(), 2u);
}

TEST_F(ToolTipsTest, ShownAfterTheDelayBelowTheControl) {
    tips.AddToList(&button, u"Back", u"<b>Main</b> menu");
    const auto start = std::chrono::steady_clock::now();
    host.HostMouseMove(25, 35);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->caption, u"Back");
    EXPECT_EQ(window->text, u"<b>Main</b> menu");
    // The control's bottom-left is at screen (1020, 563).
    EXPECT_EQ(window->left, 1020 + 20 - 180);
    EXPECT_EQ(window->top, 567);
    EXPECT_FALSE(window->showing) << "moved there, still hidden";
    ASSERT_TRUE(ui.WaitForPending(3000));
    // Sleeping in 15 steps of 40 ms cannot take less than 600 ms.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(600));
    ui.Pump(0);
    EXPECT_TRUE(window->showing);
    host.HostMouseLeave();
    EXPECT_FALSE(window->showing);

    // A second hover reuses the window.
    host.HostMouseMove(25, 35);
    ASSERT_TRUE(ui.WaitForPending(3000));
    ui.Pump(0);
    EXPECT_EQ(window->shows, 2);
    EXPECT_EQ(windowsMade, 1);
    host.HostMouseLeave();
}

TEST_F(ToolTipsTest, NearTheBottomGoesAbove) {
    mainBottom = 600;
    tips.AddToList(&button, u"Back", u"x");
    host.HostMouseMove(25, 35);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->top, 567 - (130 + 33 + 8));
    EXPECT_EQ(window->top + 130 + 4, 530) << "4 pixels above the control's top";
    host.HostMouseLeave();
}

TEST_F(ToolTipsTest, LeavingEarlyShowsNothing) {
    tips.AddToList(&button, u"Back", u"x");
    host.HostMouseMove(25, 35);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    host.HostMouseLeave();
    EXPECT_EQ(ui.Pump(700), 0);
    EXPECT_EQ(window->shows, 0);
}

TEST_F(ToolTipsTest, LeaveWhileTheShowWaitsForTheUiThreadWins) {
    tips.AddToList(&button, u"Back", u"x");
    host.HostMouseMove(25, 35);
    ASSERT_TRUE(ui.WaitForPending(3000));
    host.HostMouseLeave();  // runs on the user-interface thread before the waiting show
    ui.Pump(0);
    EXPECT_EQ(window->shows, 0);
}

TEST_F(ToolTipsTest, UnlistedOrUnnamedControlsShowNothing) {
    tips.AddToList(&button, u"Back", u"x");
    TPellButton2 other;
    other.SetParent(&host);
    tips.OnCustomOnMouseEnter(&other);
    tips.OnCustomOnMouseEnter(nullptr);
    EXPECT_EQ(window, nullptr);
    tips.OnCustomOnMouseLeave(&other);  // before any window: nothing to do
}

}  // namespace
}  // namespace orv::skin
