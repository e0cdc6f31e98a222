// orvella.exe: the Windows entry point hands the command line to the portable start-up.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/win32/Win32Startup.h"

namespace {

// The arguments after the program name, split the way the system splits them.
std::vector<std::u16string> CommandLineArguments() {
    std::vector<std::u16string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (argv == nullptr) return args;
    for (int i = 1; i < count; ++i) {
        const std::wstring_view a = argv[i];
        args.emplace_back(a.begin(), a.end());
    }
    LocalFree(argv);
    return args;
}

// An elevated program must not pick up a DLL from the current directory or the PATH: from
// here on libraries come only from the system folder and the program's own folder. Windows 7
// without the update that brings SetDefaultDllDirectories still drops the current directory.
void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        kernel != nullptr ? reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))
                          : nullptr);
    constexpr DWORD kSystem32 = 0x00000800;     // LOAD_LIBRARY_SEARCH_SYSTEM32
    constexpr DWORD kApplication = 0x00000200;  // LOAD_LIBRARY_SEARCH_APPLICATION_DIR
    if (setDefault == nullptr || !setDefault(kSystem32 | kApplication)) SetDllDirectoryW(L"");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RestrictDllSearch();
    orv::app::TWin32Startup startup;
    orv::app::StartupHooks hooks = startup.Hooks();
    return orv::app::RunProgram(CommandLineArguments(), hooks);
}
