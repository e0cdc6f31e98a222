// The message pump and loop: pending messages are dispatched, a quit seen while pumping is
// remembered and ends the loop at once, also when the pump ran inside the loop's own wait, and
// the loop returns the quit code.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "platform/win32/Win32System.h"

namespace orv::platform::win32 {
namespace {

constexpr UINT kProbe = WM_APP + 1;
std::vector<WPARAM> g_seen;

LRESULT CALLBACK RecordProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == kProbe) {
        g_seen.push_back(w);
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

// A message-only window that records the probes it receives (or runs another procedure).
class ProbeWindow {
  public:
    explicit ProbeWindow(WNDPROC proc = RecordProc,
                         const wchar_t* className = L"OrvellaProbeWindow") {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
        g_seen.clear();
    }
    ~ProbeWindow() { DestroyWindow(hwnd); }
    void Post(WPARAM n) { PostMessageW(hwnd, kProbe, n, 0); }
    HWND hwnd;
};

// Should a loop wait although it must not, this timer ends it with a code no test expects.
void CALLBACK Rescue(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(99);
}

TEST(Win32MessageLoop, ProcessMessagesDispatchesWhatIsPendingAndReturns) {
    Win32System sys;
    ProbeWindow w;
    ASSERT_NE(w.hwnd, nullptr);
    for (WPARAM n : {1, 2, 3}) w.Post(n);
    sys.ProcessMessages();
    EXPECT_EQ(g_seen, (std::vector<WPARAM>{1, 2, 3}));
    sys.ProcessMessages();  // an empty queue returns at once
    EXPECT_FALSE(sys.QuitRequested());
}

TEST(Win32MessageLoop, QuitSeenWhilePumpingEndsTheLoopAtOnce) {
    Win32System sys;
    ProbeWindow w;
    w.Post(1);
    sys.PostQuit(7);
    w.Post(2);
    sys.ProcessMessages();
    EXPECT_TRUE(sys.QuitRequested());
    // The system hands out a quit only after the posted messages.
    EXPECT_EQ(g_seen, (std::vector<WPARAM>{1, 2}));
    const UINT_PTR timer = SetTimer(nullptr, 0, 3000, Rescue);
    EXPECT_EQ(sys.RunMessageLoop(), 7);
    KillTimer(nullptr, timer);
}

void CALLBACK QuitFour(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostQuitMessage(4);
}

TEST(Win32MessageLoop, RunMessageLoopDispatchesUntilQuitAndReturnsItsCode) {
    Win32System sys;
    ProbeWindow w;
    w.Post(5);
    w.Post(6);
    SetTimer(nullptr, 0, 50, QuitFour);
    EXPECT_EQ(sys.RunMessageLoop(), 4);
    EXPECT_TRUE(sys.QuitRequested());
    EXPECT_EQ(g_seen, (std::vector<WPARAM>{5, 6}));
}

// A call sent from another thread runs inside the loop's wait for the next message; a quit its
// own pump takes must still end that wait, with nothing else arriving to wake it.
constexpr UINT kQuitAndPump = WM_APP + 2;
Win32System* g_pumpingSystem = nullptr;
bool g_rescued = false;

LRESULT CALLBACK QuitAndPumpProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == kQuitAndPump) {
        g_pumpingSystem->PostQuit(3);
        g_pumpingSystem->ProcessMessages();
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

void CALLBACK RescueAndNote(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_rescued = true;
    PostQuitMessage(99);
}

TEST(Win32MessageLoop, QuitTakenByAPumpInsideTheLoopsWaitEndsTheLoop) {
    Win32System sys;
    g_pumpingSystem = &sys;
    g_rescued = false;
    ProbeWindow quitter(QuitAndPumpProc, L"OrvellaQuitAndPumpWindow");
    ASSERT_NE(quitter.hwnd, nullptr);
    HANDLE sender = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            Sleep(100);
            SendMessageW(static_cast<HWND>(p), kQuitAndPump, 0, 0);
            return 0;
        },
        quitter.hwnd, 0, nullptr);
    const UINT_PTR timer = SetTimer(nullptr, 0, 3000, RescueAndNote);
    EXPECT_EQ(sys.RunMessageLoop(), 3);
    EXPECT_FALSE(g_rescued) << "the loop waited on after the quit";
    KillTimer(nullptr, timer);
    WaitForSingleObject(sender, INFINITE);
    CloseHandle(sender);

    // The quit the pump posted again is gone with the loop: a later loop runs normally.
    Win32System next;
    ProbeWindow probe;
    probe.Post(8);
    SetTimer(nullptr, 0, 50, QuitFour);
    EXPECT_EQ(next.RunMessageLoop(), 4);
    EXPECT_EQ(g_seen, (std::vector<WPARAM>{8}));
}

}  // namespace
}  // namespace orv::platform::win32
