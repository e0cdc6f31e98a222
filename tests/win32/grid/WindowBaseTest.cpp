// The window base: binding at creation, routing, destruction and no quit behind our back.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <objbase.h>

#include <vector>

#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {
namespace {

// Shell icon lookups want COM on the thread, as the program has it.
class ComEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }
};
const auto* const kCom = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

class Probe : public TWindowBase {
  public:
    bool Create(HWND parent) {
        if (!RegisterWindowClass(L"OrvellaProbe", 0, nullptr, nullptr)) return false;
        return CreateHandle(L"OrvellaProbe", 0, parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW,
                            L"probe", 0, 0, 80, 60, parent);
    }
    std::vector<UINT> seen;
    HWND handleAtCreate = nullptr;
    int destroyed = 0;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        if (message == WM_CREATE) handleAtCreate = Handle();
        return TWindowBase::HandleMessage(message, wParam, lParam);
    }
    void HandleDestroyed() override { ++destroyed; }
};

bool QuitPosted() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

TEST(WindowBaseTest, BoundFromTheFirstMessageOn) {
    Probe probe;
    ASSERT_TRUE(probe.Create(nullptr));
    ASSERT_NE(probe.Handle(), nullptr);
    ASSERT_FALSE(probe.seen.empty());
    EXPECT_EQ(probe.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(probe.handleAtCreate, probe.Handle());
    EXPECT_EQ(TWindowBase::FromHandle(probe.Handle()), &probe);
    EXPECT_EQ(TWindowBase::FromHandle(GetDesktopWindow()), nullptr);
    probe.seen.clear();
    SendMessageW(probe.Handle(), WM_APP + 7, 0, 0);
    EXPECT_EQ(probe.seen, (std::vector<UINT>{WM_APP + 7}));
    // A second window for the same object is refused while the first lives.
    EXPECT_FALSE(probe.Create(nullptr));
}

TEST(WindowBaseTest, ClosingDestroysTheWindowWithoutEndingTheLoop) {
    Probe probe;
    ASSERT_TRUE(probe.Create(nullptr));
    SendMessageW(probe.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(probe.Handle(), nullptr);
    EXPECT_EQ(probe.destroyed, 1);
    EXPECT_FALSE(QuitPosted());
    // The object may make a new window afterwards.
    ASSERT_TRUE(probe.Create(nullptr));
    EXPECT_NE(probe.Handle(), nullptr);
}

TEST(WindowBaseTest, ChildGoesWithItsParentAndTheObjectStays) {
    Probe parent;
    Probe child;
    ASSERT_TRUE(parent.Create(nullptr));
    ASSERT_TRUE(child.Create(parent.Handle()));
    const HWND childHandle = child.Handle();
    parent.DestroyHandle();
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(child.Handle(), nullptr);
    EXPECT_EQ(child.destroyed, 1);
    EXPECT_FALSE(QuitPosted());
}

TEST(WindowBaseTest, DestroyingTheObjectDestroysItsWindow) {
    HWND h;
    {
        Probe probe;
        ASSERT_TRUE(probe.Create(nullptr));
        h = probe.Handle();
        EXPECT_TRUE(IsWindow(h));
    }
    EXPECT_FALSE(IsWindow(h));
    EXPECT_FALSE(QuitPosted());
}

}  // namespace
}  // namespace orv::toolkit::win32
