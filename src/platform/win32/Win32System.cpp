#include "platform/win32/Win32System.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WinHandles.h"
#include "platform/win32/WinText.h"

// <windows.h> came after the interface here: keep the interface's method names.
#undef LoadLibrary
#undef MessageBox

namespace orv::platform {
namespace win32 {
namespace {

class Win32Mutex final : public NamedMutex {
  public:
    explicit Win32Mutex(HANDLE h) : handle_(h) {}

  private:
    UniqueHandle handle_;
};

class Win32Library final : public Library {
  public:
    explicit Win32Library(HMODULE h) : module_(h) {}
    void* Symbol(const char* name) const override {
        return reinterpret_cast<void*>(GetProcAddress(module_.Get(), name));
    }

  private:
    UniqueModule module_;
};

AdminCheck TokenHasAdministrators(HANDLE token) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    UniqueSid admins;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                  DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, admins.Put())) {
        return AdminCheck::Error;
    }
    DWORD size = 0;
    if (GetTokenInformation(token, TokenGroups, nullptr, 0, &size) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return AdminCheck::Error;
    }
    // TOKEN_GROUPS holds pointers: keep the buffer aligned for them.
    std::vector<uint64_t> buffer((size + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    if (!GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)) {
        return AdminCheck::Error;
    }
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    // Attributes are not looked at: a deny-only Administrators entry counts as well.
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        if (EqualSid(groups->Groups[i].Sid, admins.Get())) return AdminCheck::Member;
    }
    return AdminCheck::NotMember;
}

OsVersion FromInfo(const OSVERSIONINFOEXW& info) {
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

}  // namespace

std::unique_ptr<NamedMutex> Win32System::CreateOwnedMutex(std::u16string_view name,
                                                          bool& alreadyExists) {
    const std::wstring wname = Wide(name);
    HANDLE h = CreateMutexW(nullptr, TRUE, wname.c_str());
    const DWORD error = GetLastError();
    // A mutex of another session or user that this process may not open exists as well.
    alreadyExists = error == ERROR_ALREADY_EXISTS || (h == nullptr && error == ERROR_ACCESS_DENIED);
    if (h == nullptr) return nullptr;
    return std::make_unique<Win32Mutex>(h);
}

AdminCheck Win32System::IsAdministratorMember() {
    UniqueHandle token;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, token.Put())) {
        if (GetLastError() != ERROR_NO_TOKEN) return AdminCheck::NotMember;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put())) {
            return AdminCheck::NotMember;
        }
    }
    return TokenHasAdministrators(token.Get());
}

bool Win32System::IsWow64() {
    using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    auto fn = SystemFunction<Fn>(L"kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return fn != nullptr && fn(GetCurrentProcess(), &wow64) && wow64;
}

bool Win32System::DisableWow64Redirection(void*& cookie) {
    using Fn = BOOL(WINAPI*)(PVOID*);
    auto fn = SystemFunction<Fn>(L"kernel32.dll", "Wow64DisableWow64FsRedirection");
    return fn != nullptr && fn(&cookie);
}

bool Win32System::RevertWow64Redirection(void* cookie) {
    using Fn = BOOL(WINAPI*)(PVOID);
    auto fn = SystemFunction<Fn>(L"kernel32.dll", "Wow64RevertWow64FsRedirection");
    return fn != nullptr && fn(cookie);
}

bool Win32System::EnableWow64Redirection() {
    using Fn = BOOLEAN(WINAPI*)(BOOLEAN);
    auto fn = SystemFunction<Fn>(L"kernel32.dll", "Wow64EnableWow64FsRedirection");
    return fn != nullptr && fn(TRUE);
}

void Win32System::TrimWorkingSet() {
    UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, GetCurrentProcessId()));
    if (process) {
        SetProcessWorkingSetSize(process.Get(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
    }
}

OsVersion Win32System::RuntimeVersion() {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    // Deliberately the manifest-bound answer: it is what the program's runtime reports.
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return {};
#pragma GCC diagnostic pop
    return FromInfo(info);
}

OsVersion Win32System::KernelVersion() {
    using Fn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    auto fn = SystemFunction<Fn>(L"ntdll.dll", "RtlGetVersion");
    if (fn == nullptr) return {};
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (fn(&info) != 0) return {};
    return FromInfo(info);
}

std::u16string Win32System::ModulePath() {
    // The path may be longer than MAX_PATH; a full buffer means it was cut.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return FromWide(buffer.data(), n);
        if (buffer.size() >= 65536) return {};
        buffer.resize(buffer.size() * 2);
    }
}

uint32_t Win32System::TickCount() {
    return GetTickCount();
}

void Win32System::DebugOutput(std::u16string_view line) {
    OutputDebugStringW(Wide(line).c_str());
}

std::unique_ptr<Library> Win32System::LoadLibrary(std::u16string_view path) {
    HMODULE h = LoadLibraryW(Wide(path).c_str());
    if (h == nullptr) return nullptr;
    return std::make_unique<Win32Library>(h);
}

int Win32System::MessageBox(WindowHandle owner, std::u16string_view text,
                            std::u16string_view caption, uint32_t flags) {
    return MessageBoxExW(static_cast<HWND>(owner), Wide(text).c_str(), Wide(caption).c_str(), flags,
                         0);
}

bool Win32System::ActivateWindowOfClass(std::u16string_view className) {
    HWND w = FindWindowExW(nullptr, nullptr, Wide(className).c_str(), nullptr);
    if (w == nullptr) return false;
    ShowWindow(w, SW_RESTORE);
    SetForegroundWindow(w);
    return true;
}

void Win32System::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Remembered, so that the message loop ends at once instead of waiting forever,
            // and posted again: this pump may run inside the loop's own wait (a call sent from
            // another thread), and that wait returns only for a message.
            quit_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
            PostQuitMessage(quitCode_);
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Win32System::RunMessageLoop() {
    MSG msg;
    while (!quit_) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            quit_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
        } else if (r == -1) {
            quit_ = true;
        } else {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // A quit that a pump posted again is this loop's; the next loop must not find it.
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return quitCode_;
}

void Win32System::PostQuit(int code) {
    PostQuitMessage(code);
}

uint32_t Win32System::DriveType(std::u16string_view root) {
    return GetDriveTypeW(Wide(root).c_str());
}

bool Win32System::DriveTotalSize(std::u16string_view root, uint64_t& totalBytes) {
    ULARGE_INTEGER total{};
    if (!GetDiskFreeSpaceExW(Wide(root).c_str(), nullptr, &total, nullptr)) return false;
    totalBytes = total.QuadPart;
    return true;
}

uint32_t Win32System::LogicalDrives() {
    return GetLogicalDrives();
}

bool Win32System::VolumeLabel(std::u16string_view root, std::u16string& label) {
    label.clear();
    // A drive without medium would otherwise ask the user to insert one.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    wchar_t name[MAX_PATH + 1] = {};
    const BOOL ok = GetVolumeInformationW(Wide(root).c_str(), name, MAX_PATH + 1, nullptr, nullptr,
                                          nullptr, nullptr, 0);
    SetErrorMode(oldMode);
    if (!ok) return false;
    name[MAX_PATH] = 0;
    for (const wchar_t* c = name; *c != 0; ++c) label.push_back(static_cast<char16_t>(*c));
    return true;
}

}  // namespace win32

namespace {
System* g_replacement = nullptr;
}  // namespace

System& DefaultSystem() {
    static win32::Win32System instance;
    return instance;
}
System& Sys() {
    return g_replacement != nullptr ? *g_replacement : DefaultSystem();
}
void SetSystem(System* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
