// The whole start-up on the real system under Wine: the checks pass, the window comes up, the
// loop runs until the window is closed; and a maintenance switch ends without any window.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/Globals.h"
#include "app/win32/Win32Startup.h"
#include "core/Text.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"
#include "platform/win32/Win32System.h"

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
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, settings::kOptionsKey,
                                 settings::kCheckRights));
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
