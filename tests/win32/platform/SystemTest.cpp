// The process, kernel and user-interface services against Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "core/Text.h"
#include "platform/System.h"

namespace orv::platform {
namespace {

std::u16string UniqueName(const char16_t* stem) {
    return stem + ToDecimal(GetCurrentProcessId()) + u"_" + ToDecimal(GetTickCount());
}

TEST(Win32System, NamedMutexIsSeenAsExistingUntilEveryHolderLetsGo) {
    System& sys = DefaultSystem();
    const std::u16string name = UniqueName(u"OrvellaMutexTest");
    bool exists = true;
    auto first = sys.CreateOwnedMutex(name, exists);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(exists);
    auto second = sys.CreateOwnedMutex(name, exists);
    EXPECT_TRUE(exists);
    second.reset();
    first.reset();
    auto third = sys.CreateOwnedMutex(name, exists);
    EXPECT_NE(third, nullptr);
    EXPECT_FALSE(exists);
}

TEST(Win32System, AdministratorCheckAnswersWithoutError) {
    const AdminCheck answer = DefaultSystem().IsAdministratorMember();
    std::printf("IsAdministratorMember under Wine: %s\n", answer == AdminCheck::Member ? "Member"
                                                          : answer == AdminCheck::NotMember
                                                              ? "NotMember"
                                                              : "Error");
    EXPECT_NE(answer, AdminCheck::Error);
}

TEST(Win32System, VersionsAndWow64OfA64BitProcess) {
    System& sys = DefaultSystem();
    const OsVersion runtime = sys.RuntimeVersion();
    const OsVersion kernel = sys.KernelVersion();
    std::printf("runtime %u.%u.%u, kernel %u.%u.%u\n", runtime.major, runtime.minor, runtime.build,
                kernel.major, kernel.minor, kernel.build);
    EXPECT_GE(runtime.major, 5u);
    EXPECT_GT(kernel.build, 0u);
    // The kernel's answer is never bound by a manifest, so it is never older.
    EXPECT_GE(kernel.major * 100 + kernel.minor, runtime.major * 100 + runtime.minor);
    EXPECT_FALSE(sys.IsWow64());
    void* cookie = nullptr;
    const bool disabled = sys.DisableWow64Redirection(cookie);
    std::printf("Wow64DisableWow64FsRedirection in a 64-bit process: %s\n",
                disabled ? "succeeded" : "failed");
    if (disabled) EXPECT_TRUE(sys.RevertWow64Redirection(cookie));
    sys.TrimWorkingSet();
}

TEST(Win32System, ModulePathIsThisExecutable) {
    const std::u16string path = DefaultSystem().ModulePath();
    const std::u16string_view tail = u"\\win32_platform_test.exe";
    ASSERT_GT(path.size(), tail.size());
    EXPECT_TRUE(
        EqualsIgnoreCaseAscii(std::u16string_view(path).substr(path.size() - tail.size()), tail))
        << Utf16ToUtf8(path);
    const std::wstring wide(path.begin(), path.end());
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
}

// OutputDebugString raises a debug-print exception that a vectored handler sees first.
std::atomic<bool> g_collect{false};
std::string g_debugText;

LONG CALLBACK CatchDebugPrint(EXCEPTION_POINTERS* info) {
    const auto* rec = info->ExceptionRecord;
    if (!g_collect || rec->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    const size_t length = rec->ExceptionInformation[0];
    const auto address = rec->ExceptionInformation[1];
    if (rec->ExceptionCode == 0x4001000A) {  // DBG_PRINTEXCEPTION_WIDE_C
        const auto* w = reinterpret_cast<const char16_t*>(address);
        g_debugText += Utf16ToUtf8(std::u16string_view(w, length > 0 ? length - 1 : 0)) + "|";
    } else if (rec->ExceptionCode == 0x40010006) {  // DBG_PRINTEXCEPTION_C
        const auto* a = reinterpret_cast<const char*>(address);
        g_debugText += std::string(a, length > 0 ? length - 1 : 0) + "|";
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

TEST(Win32System, DebugOutputReachesTheDebuggerChannel) {
    void* handler = AddVectoredExceptionHandler(1, CatchDebugPrint);
    ASSERT_NE(handler, nullptr);
    g_debugText.clear();
    g_collect = true;
    DefaultSystem().DebugOutput(u"Startup: probe line 42");
    g_collect = false;
    RemoveVectoredExceptionHandler(handler);
    EXPECT_NE(g_debugText.find("Startup: probe line 42"), std::string::npos) << g_debugText;
}

TEST(Win32System, LibrariesLoadByFullPathAndGiveTheirSymbols) {
    System& sys = DefaultSystem();
    wchar_t dir[MAX_PATH];
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    ASSERT_GT(n, 0u);
    std::u16string path(dir, dir + n);
    auto lib = sys.LoadLibrary(path + u"\\kernel32.dll");
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->Symbol("GetTickCount"), reinterpret_cast<void*>(GetProcAddress(
                                               GetModuleHandleW(L"kernel32.dll"), "GetTickCount")));
    EXPECT_EQ(lib->Symbol("NoSuchFunctionAnywhere"), nullptr);
    EXPECT_EQ(sys.LoadLibrary(path + u"\\no_such_library_here.dll"), nullptr);
}

// Finds the message box by its caption from another thread, reads it and presses a button.
struct BoxPresser {
    std::wstring caption;
    WPARAM button;
    std::wstring seenText;
    std::thread worker;

    void Start() {
        worker = std::thread([this] {
            for (int i = 0; i < 200; ++i) {
                HWND box = FindWindowW(L"#32770", caption.c_str());
                if (box != nullptr) {
                    wchar_t text[256] = {};
                    GetDlgItemTextW(box, 0xFFFF, text, 256);
                    seenText = text;
                    PostMessageW(box, WM_COMMAND, button, 0);
                    return;
                }
                Sleep(50);
            }
        });
    }
    void Join() { worker.join(); }
};

TEST(Win32System, MessageBoxShowsTextAndCaptionAndReturnsTheButton) {
    const struct {
        uint32_t flags;
        WPARAM press;
        int answer;
    } cases[] = {
        {kMbOk | kMbIconError, IDOK, kIdOk},
        {kMbYesNo | kMbIconQuestion, IDNO, kIdNo},
        {kMbYesNo | kMbIconQuestion, IDYES, kIdYes},
    };
    for (const auto& c : cases) {
        BoxPresser presser{L"Orvella box test", c.press, {}, {}};
        presser.Start();
        const int answer =
            DefaultSystem().MessageBox(nullptr, u"Box text \u00E4", u"Orvella box test", c.flags);
        presser.Join();
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(presser.seenText, L"Box text \u00E4");
    }
}

TEST(Win32System, ActivateWindowOfClassRestoresAMinimisedWindow) {
    const wchar_t* cls = L"OrvellaActivateTestClass";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    HWND w = CreateWindowExW(WS_EX_APPWINDOW, cls, L"activate me", WS_OVERLAPPEDWINDOW, 10, 10, 300,
                             200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(w, nullptr);
    ShowWindow(w, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(w));
    EXPECT_TRUE(DefaultSystem().ActivateWindowOfClass(u"OrvellaActivateTestClass"));
    EXPECT_FALSE(IsIconic(w));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_FALSE(DefaultSystem().ActivateWindowOfClass(u"OrvellaNoSuchWindowClass"));
    DestroyWindow(w);
}

TEST(Win32System, DrivesByRoot) {
    System& sys = DefaultSystem();
    EXPECT_EQ(sys.DriveType(u"C:\\"), kDriveFixed);
    uint64_t total = 0;
    EXPECT_TRUE(sys.DriveTotalSize(u"C:\\", total));
    EXPECT_GT(total, 0u);
    // A letter that Wine leaves unmapped.
    EXPECT_EQ(sys.DriveType(u"Q:\\"), kDriveNoRootDir);
    EXPECT_FALSE(sys.DriveTotalSize(u"Q:\\", total));
}

}  // namespace
}  // namespace orv::platform
