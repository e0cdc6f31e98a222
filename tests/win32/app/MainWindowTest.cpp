// The main window as the program creates it: found by class and title like a second instance
// would, borderless with a taskbar button, and closed through WM_CLOSE.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "app/Globals.h"
#include "app/NichtDoppeltStarten.h"
#include "app/win32/Win32Startup.h"
#include "platform/win32/Win32System.h"

namespace orv::app {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::SetSystem(&sys); }
    void TearDown() override { platform::SetSystem(nullptr); }
    platform::win32::Win32System sys;
};

TEST_F(MainWindowTest, CreatedBorderlessCentredAndFoundByClassAndTitle) {
    TWin32Startup startup;
    StartupHooks hooks = startup.Hooks();
    ClosingRequested = true;
    ASSERT_TRUE(hooks.CreateMainWindow());
    EXPECT_FALSE(ClosingRequested) << "creation clears it";
    HWND found = FindWindowExW(nullptr, nullptr, L"TForm_KT7", L"Talvik Orvella 2023");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, startup.MainForm()->Handle());
    EXPECT_TRUE(IsWindowVisible(found));

    const LONG_PTR style = GetWindowLongPtrW(found, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(found, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_THICKFRAME) << "sizing edges without a caption";
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "taskbar button";
    EXPECT_EQ(GetWindow(found, GW_OWNER), nullptr);

    RECT r, client, work;
    GetWindowRect(found, &r);
    GetClientRect(found, &client);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(client.right, 894) << "design client size";
    EXPECT_EQ(client.bottom, 712);
    EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 1);
}

TEST_F(MainWindowTest, CloseSetsTheFlagsDestroysTheWindowAndEndsTheLoop) {
    TWin32Startup startup;
    StartupHooks hooks = startup.Hooks();
    ASSERT_TRUE(hooks.CreateMainWindow());
    HWND w = startup.MainForm()->Handle();
    ScanAbortRequested = false;
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(ClosingRequested);
    EXPECT_TRUE(ScanAbortRequested);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(startup.MainForm()->Handle(), nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"TForm_KT7", nullptr), nullptr);
    sys.ProcessMessages();
    EXPECT_TRUE(sys.QuitRequested()) << "the application ends its loop when the window goes";
}

TEST_F(MainWindowTest, SecondGuardRestoresTheMinimisedMainWindow) {
    TInstanceGuard first;
    ASSERT_TRUE(first.Acquire());
    TWin32Startup startup;
    StartupHooks hooks = startup.Hooks();
    ASSERT_TRUE(hooks.CreateMainWindow());
    HWND w = startup.MainForm()->Handle();
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(w));
    TInstanceGuard second;
    EXPECT_FALSE(second.Acquire());
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(IsWindowVisible(w));
}

}  // namespace
}  // namespace orv::app
