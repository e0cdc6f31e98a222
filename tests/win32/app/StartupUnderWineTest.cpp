// The whole start-up on the real system under Wine: the checks pass, the window comes up, the
// loop runs until the window is closed; and a maintenance switch ends without any window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/win32/Win32Startup.h"
#include "core/Text.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/Win32System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::app {
namespace {

// Closes the main window once it is there, as a user would.
void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR id, DWORD) {
    HWND w = FindWindowExW(nullptr, nullptr, L"TForm_KT7", nullptr);
    if (w == nullptr) return;
    KillTimer(nullptr, id);
    PostMessageW(w, WM_CLOSE, 0, 0);
}

// Ends a loop that would otherwise wait forever.
bool g_rescued = false;
void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD) {
    g_rescued = true;
    KillTimer(nullptr, id);
    PostQuitMessage(99);
}

TEST(StartupUnderWine, PlainStartRunsUntilTheMainWindowIsClosed) {
    ASSERT_EQ(FindWindowExW(nullptr, nullptr, L"TForm_KT7", nullptr), nullptr)
        << "another instance runs in this Wine session";
    platform::win32::Win32System sys;
    platform::SetSystem(&sys);
    TWin32Startup startup;
    StartupHooks hooks = startup.Hooks();
    bool pageShown = false;
    hooks.ShowMainmenu_Real = [&pageShown] { pageShown = true; };
    const UINT_PTR closer = SetTimer(nullptr, 0, 200, CloseMainWindow);
    const UINT_PTR rescue = SetTimer(nullptr, 0, 20000, Rescue);
    const int code = RunProgram({}, hooks);
    KillTimer(nullptr, closer);
    KillTimer(nullptr, rescue);
    platform::SetSystem(nullptr);

    EXPECT_EQ(code, 0);
    EXPECT_TRUE(pageShown);
    EXPECT_TRUE(ClosingRequested);
    EXPECT_FALSE(g_rescued) << "the loop must end because the window went";
    EXPECT_EQ(startup.MainForm(), nullptr) << "finalisation released the window";
    wchar_t exe[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::u16string folder(exe, exe + n);
    folder.resize(folder.rfind(u'\\'));
    EXPECT_EQ(ProgramFolder, folder);
    EXPECT_FALSE(
        Reg_ValueExists(RegRoot::LocalMachine, settings::kOptionsKey, settings::kCheckRights));
}

// Records the debug lines of a whole start.
class Recorded final : public platform::SystemForwarder {
  public:
    explicit Recorded(platform::System& target) : SystemForwarder(target) {}
    void DebugOutput(std::u16string_view line) override {
        lines.emplace_back(line);
        SystemForwarder::DebugOutput(line);
    }
    int Index(std::u16string_view prefix) const {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        }
        return -1;
    }
    std::vector<std::u16string> lines;
};

TEST(StartupUnderWine, RealStartShowsTheStartPageBeforeTheLoopAndClosesInOrder) {
    platform::win32::Win32System sys;
    Recorded rec(sys);
    platform::SetSystem(&rec);
    {
        TWin32Startup startup;
        StartupHooks hooks = startup.Hooks();
        size_t tooltips = 0;
        bool optionsDialog = false;
        hooks.RegisterHeaderTooltips = [&, original = hooks.RegisterHeaderTooltips] {
            original();
            tooltips = startup.ToolTips().List().size();
            optionsDialog = startup.OptionsDialog() != nullptr;
        };
        // Late enough that the start page's automatic analysis has ended before the close.
        const UINT_PTR closer = SetTimer(nullptr, 0, 5000, CloseMainWindow);
        const UINT_PTR rescue = SetTimer(nullptr, 0, 20000, Rescue);
        EXPECT_EQ(RunProgram({}, hooks), 0);
        KillTimer(nullptr, closer);
        KillTimer(nullptr, rescue);
        EXPECT_FALSE(startup.SkinFolder().empty()) << "the skin folder was chosen";
        // The three header tooltips were offered after the options dialog was made; its
        // tooltip box, unchecked, keeps all three out.
        EXPECT_TRUE(optionsDialog);
        EXPECT_EQ(tooltips, 0u);
    }
    platform::SetSystem(nullptr);
    const int shown = rec.Index(u"MainForm -> OnShow Done");
    const int created = rec.Index(u"Created: TForm_ORV ; FormName=Form_ORV");
    const int took = rec.Index(u"ms for Creating new Module = ");
    const int loop = rec.Index(u"Startup: message loop");
    const int query = rec.Index(u"KT16: FormCloseQuery");
    const int closed = rec.Index(u"KT16: FormClose DONE");
    EXPECT_GE(shown, 0);
    EXPECT_GT(created, shown) << "the window is shown before the start page";
    EXPECT_GT(took, created);
    EXPECT_GT(loop, took) << "on this version the start page comes before the loop";
    EXPECT_GT(query, loop);
    EXPECT_GT(closed, query);
}

TEST(StartupUnderWine, UnknownFirstArgumentShowsNoPage) {
    platform::win32::Win32System sys;
    Recorded rec(sys);
    platform::SetSystem(&rec);
    {
        TWin32Startup startup;
        StartupHooks hooks = startup.Hooks();
        const UINT_PTR closer = SetTimer(nullptr, 0, 500, CloseMainWindow);
        EXPECT_EQ(RunProgram({u"-SAVEX"}, hooks), 0);
        KillTimer(nullptr, closer);
    }
    platform::SetSystem(nullptr);
    EXPECT_GE(rec.Index(u"Startup: message loop"), 0);
    EXPECT_EQ(rec.Index(u"Created: "), -1);
}

TEST(StartupUnderWine, MaintenanceSwitchEndsWithoutAWindow) {
    platform::win32::Win32System sys;
    platform::SetSystem(&sys);
    TWin32Startup startup;
    StartupHooks hooks = startup.Hooks();
    bool windowAsked = false;
    hooks.CreateMainWindow = [&windowAsked] {
        windowAsked = true;
        return false;
    };
    EXPECT_EQ(RunProgram({u"-setupcontext"}, hooks), 0);
    platform::SetSystem(nullptr);
    EXPECT_FALSE(windowAsked);
    EXPECT_FALSE(sys.QuitRequested()) << "no loop was entered";
}

}  // namespace
}  // namespace orv::app
