// The question and message dialog and the about box, created for real under Wine: keys
// posted into their message loop, close requests refused, the window's look read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogFakes.h"
#include "DialogSteps.h"
#include "app/Globals.h"
#include "app/win32/FormAbout.h"
#include "app/win32/FormYesNo.h"
#include "lang/LanguageChoice.h"
#include "platform/MemoryRegistryBackend.h"
#include "platform/win32/Win32System.h"
#include "settings/pell_REG.h"

namespace orv::app {
namespace {

using testing::DialogSteps;
using testing::PostKey;
using Step = DialogSteps::Step;

class CapturingSystem : public platform::win32::Win32System {
  public:
    std::vector<std::u16string> lines;
    void DebugOutput(std::u16string_view line) override {
        lines.emplace_back(line);
        Win32System::DebugOutput(line);
    }
};

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::u16string WindowText(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return std::u16string(buffer, buffer + wcslen(buffer));
}

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetSystem(&sys_);
        // No skin beside the test: the dialogs must cope without their background.
        SetDialogSkinFolder(u"Z:\\nonexistent\\skin");
    }
    void TearDown() override { platform::SetSystem(nullptr); }
    CapturingSystem sys_;
};

// Runs first: the background is loaded once per process.
TEST_F(Dialogs, MissingBackgroundLeavesAPlainDialogWithOneDebugLine) {
    EXPECT_EQ(SharedDialogBackground(), nullptr) << "not loaded before the first use";
    DialogSteps steps({[](TForm_YesNo& d) { PostKey(d.Handle(), VK_RETURN); }});
    Show_Info(u"Kein Hintergrund");
    EXPECT_TRUE(DialogSteps::Done());
    ASSERT_NE(SharedDialogBackground(), nullptr);
    EXPECT_TRUE(SharedDialogBackground()->Empty());
    int mentions = 0;
    for (const auto& l : sys_.lines) mentions += l.find(u"Background_Asker.bmp") != l.npos;
    EXPECT_GE(mentions, 1);
    // Loaded (tried) once for the life of the process.
    sys_.lines.clear();
    DialogSteps again({[](TForm_YesNo& d) { PostKey(d.Handle(), VK_RETURN); }});
    Show_Warning(u"Noch einmal");
    for (const auto& l : sys_.lines) EXPECT_EQ(l.find(u"Background_Asker.bmp"), l.npos);
}

TEST_F(Dialogs, EnterAnswersTheDefaultButton) {
    const struct {
        uint16_t defaultButton;
        uint32_t answer;
    } cases[] = {{7, 7}, {6, 6}, {0, 6}, {99, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.defaultButton);
        DialogSteps steps({[](TForm_YesNo& d) { PostKey(d.Handle(), VK_RETURN); }});
        EXPECT_EQ(AskYesOrNo(u"Wirklich?", c.defaultButton), c.answer);
        EXPECT_TRUE(DialogSteps::Done());
        EXPECT_EQ(CurrentYesNoDialog(), nullptr) << "the reference goes with the dialog";
    }
}

TEST_F(Dialogs, CloseRequestsWithoutAButtonAreRefused) {
    bool stillOpen = false;
    DialogSteps steps({
        [](TForm_YesNo& d) {
            PostMessageW(d.Handle(), WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));  // Alt+F4
            PostMessageW(d.Handle(), WM_CLOSE, 0, 0);
            SendMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            PostKey(d.Handle(), VK_ESCAPE);
        },
        [&stillOpen](TForm_YesNo& d) {
            stillOpen = IsWindowVisible(d.Handle()) && d.RESULT == 0;
            PostKey(d.Handle(), VK_RETURN);
        },
    });
    EXPECT_EQ(AskYesOrNo(u"Zur\u00FCcksetzen?", 7), 7u);
    EXPECT_TRUE(DialogSteps::Done());
    EXPECT_TRUE(stillOpen);
}

TEST_F(Dialogs, TabMovesTheFocusAndClicksAnswerToo) {
    DialogSteps tab({[](TForm_YesNo& d) {
        PostKey(d.Handle(), VK_TAB);
        PostKey(d.Handle(), VK_RETURN);
    }});
    EXPECT_EQ(AskYesOrNo(u"Tab", 6), 7u);

    DialogSteps click(
        {[](TForm_YesNo& d) { PostMessageW(d.Button_Ja->Handle(), BM_CLICK, 0, 0); }});
    EXPECT_EQ(AskYesOrNo(u"Klick", 7), 6u);

    // A key sent straight to the window, past the loop, is handled the same way.
    DialogSteps sent({[](TForm_YesNo& d) { SendMessageW(d.Handle(), WM_KEYDOWN, VK_RETURN, 1); }});
    EXPECT_EQ(AskYesOrNo(u"Gesendet", 7), 7u);
}

TEST_F(Dialogs, QuestionWindowAndControls) {
    const std::u16string text = u"Alle Einstellungen <b>zur\u00FCcksetzen</b>?<br>Zweite Zeile";
    DialogSteps steps({[&text](TForm_YesNo& d) {
        const HWND w = d.Handle();
        EXPECT_EQ(WindowText(w), ProgramTitle);
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        EXPECT_FALSE(style & WS_SYSMENU) << "no close box";
        EXPECT_FALSE(style & WS_THICKFRAME) << "fixed size";
        EXPECT_TRUE(style & WS_CAPTION);
        EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT client{};
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, 460);
        EXPECT_EQ(client.bottom, 180);

        EXPECT_EQ(d.HTMLabel1->HTMLText(), text);
        EXPECT_EQ(d.HTMLabel1->Height(), 113);
        EXPECT_FALSE(IsWindowVisible(d.Button_Ok->Handle()));
        EXPECT_FALSE(IsWindowVisible(d.CheckBox_Remember->Handle()));
        ASSERT_TRUE(IsWindowVisible(d.Button_Ja->Handle()));
        ASSERT_TRUE(IsWindowVisible(d.Button_Nein->Handle()));
        const RECT yes = ChildRect(d.Button_Ja->Handle());
        const RECT no = ChildRect(d.Button_Nein->Handle());
        EXPECT_EQ(yes.top, 140);
        EXPECT_EQ(no.top, yes.top);
        EXPECT_EQ(yes.left, 133);
        EXPECT_EQ(no.left, 237);
        EXPECT_EQ(WindowText(d.Button_Ja->Handle()), u"Ja");
        EXPECT_EQ(WindowText(d.Button_Nein->Handle()), u"Nein");
        EXPECT_EQ(GetFocus(), d.Button_Nein->Handle());
        // The main window's icon 2 is absent without a stripe: the dialog shows none.
        EXPECT_TRUE(d.Image1->Picture().Empty());
        PostKey(w, VK_RETURN);
    }});
    EXPECT_EQ(AskYesOrNo(text, 7), 7u);
    EXPECT_TRUE(DialogSteps::Done());
}

TEST_F(Dialogs, NoticeShowsOnlyOkOnTheButtonLine) {
    DialogSteps steps({[](TForm_YesNo& d) {
        EXPECT_TRUE(IsWindowVisible(d.Button_Ok->Handle()));
        EXPECT_FALSE(IsWindowVisible(d.Button_Ja->Handle()));
        EXPECT_FALSE(IsWindowVisible(d.Button_Nein->Handle()));
        const RECT ok = ChildRect(d.Button_Ok->Handle());
        EXPECT_EQ(ok.top, 140);
        EXPECT_EQ(ok.left, 185);
        EXPECT_EQ(GetFocus(), d.Button_Ok->Handle());
        EXPECT_EQ(WindowText(d.Button_Ok->Handle()), u"Ok");
        PostKey(d.Handle(), VK_RETURN);
    }});
    Show_Warning(u"Kein Medium im Laufwerk");
    EXPECT_TRUE(DialogSteps::Done());
}

TEST_F(Dialogs, RememberBoxComesBackWhenShown) {
    bool remember = false;
    DialogSteps steps({[](TForm_YesNo& d) {
                           EXPECT_TRUE(IsWindowVisible(d.CheckBox_Remember->Handle()));
                           EXPECT_EQ(WindowText(d.CheckBox_Remember->Handle()), u"Merken");
                           EXPECT_EQ(d.HTMLabel1->Height(), 92);
                           SendMessageW(d.CheckBox_Remember->Handle(), BM_CLICK, 0, 0);
                           // Enter on the box answers nothing; the box keeps the focus.
                           PostKey(d.Handle(), VK_RETURN);
                       },
                       [](TForm_YesNo& d) {
                           EXPECT_EQ(d.RESULT, 0u);
                           PostMessageW(d.Button_Ja->Handle(), BM_CLICK, 0, 0);
                       }});
    EXPECT_EQ(ShowQuestionDialog(nullptr, u"?", u"Titel", 6, remember, true, u"Merken"), 6u);
    EXPECT_TRUE(remember);
}

TEST_F(Dialogs, OtherWindowsAreDisabledOnlyWhileTheDialogIsOpen) {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    bool disabledMeanwhile = false;
    DialogSteps steps({[&](TForm_YesNo& d) {
        disabledMeanwhile = !IsWindowEnabled(other);
        PostKey(d.Handle(), VK_RETURN);
    }});
    Show_Info(u"Modal");
    EXPECT_TRUE(disabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

TEST_F(Dialogs, ANoticeOpenedFromAQuestionHandsTheReferenceBack) {
    bool outerAgain = false;
    DialogSteps steps({
        [&outerAgain](TForm_YesNo& outer) {
            Show_Info(u"Innen");
            outerAgain = CurrentYesNoDialog() == &outer;
            PostKey(outer.Handle(), VK_RETURN);
        },
        [](TForm_YesNo& inner) { PostKey(inner.Handle(), VK_RETURN); },
    });
    EXPECT_EQ(AskYesOrNo(u"Aussen", 7), 7u);
    EXPECT_TRUE(outerAgain);
    EXPECT_EQ(CurrentYesNoDialog(), nullptr);
}

class AboutBox : public ::testing::Test {
  protected:
    void SetUp() override {
        locale_.Add(1031, u"de", u"DE");
        locale_.userLcid = 1031;
        platform::SetLocaleNames(&locale_);
        platform::SetShell(&shell_);
        Reg_Configure(false, &registry_);
        lang::CurrentLCID = 1031;
    }
    void TearDown() override {
        Reg_Configure(false, nullptr);
        platform::SetShell(nullptr);
        platform::SetLocaleNames(nullptr);
    }
    testing::TableLocaleNames locale_;
    testing::RecordingShell shell_;
    platform::MemoryRegistryBackend registry_;
};

void CALLBACK PressOk(HWND w, UINT, UINT_PTR id, DWORD) {
    KillTimer(w, id);
    PostMessageW(FindWindowExW(w, nullptr, L"BUTTON", L"Ok"), BM_CLICK, 0, 0);
}

void CALLBACK CheckTitleAndClose(HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = GetActiveWindow();
    if (box == nullptr) return;
    KillTimer(nullptr, id);
    wchar_t title[64] = {};
    GetWindowTextW(box, title, 64);
    EXPECT_STREQ(title, L"\u00DCber diese Software");
    // The about box has a close box and may be closed by it.
    PostMessageW(box, WM_CLOSE, 0, 0);
}

TEST_F(AboutBox, VersionLinksAndOk) {
    TForm_About about;
    ASSERT_TRUE(about.Create());
    EXPECT_EQ(about.Label_Version->Caption(), u"Version: 01.00.00");
    RECT client{};
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, 417);
    EXPECT_EQ(client.bottom, 372);
    EXPECT_FALSE(about.Image2->Picture().Empty()) << "a picture even without a skin file";

    about.PellUnicodeSTButton_EULA->Click();
    about.PellUnicodeSTButton_Privacy->Click();
    ASSERT_EQ(shell_.opened.size(), 2u);
    EXPECT_TRUE(shell_.opened[0].ends_with(u"&target=eula"));
    EXPECT_TRUE(shell_.opened[1].ends_with(u"&target=privacypolicy"));
    EXPECT_NE(shell_.opened[0].find(u"lang=de-de"), std::u16string::npos);

    const UINT_PTR timer = SetTimer(about.Handle(), 1, 50, PressOk);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(about.ShowModal(), IDOK);
}

TEST_F(AboutBox, CaptionFromTheMenuItemWithoutAmpersands) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CheckTitleAndClose);
    ShowAboutBox(u"\u00DC&ber diese &Software");
    KillTimer(nullptr, timer);
}

}  // namespace
}  // namespace orv::app
