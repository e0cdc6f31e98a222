// orvella.exe: the Windows entry point hands the command line to the portable start-up.
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/Startup.h"
#include "app/win32/DllSearch.h"
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

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    orv::app::win32::RestrictDllSearch();
    orv::app::TWin32Startup startup;
    orv::app::StartupHooks hooks = startup.Hooks();
    return orv::app::RunProgram(CommandLineArguments(), hooks);
}
