// Starts as the program does and then loads libraries by name, as the system's own libraries
// do later on (comctl32 asks for uxtheme.dll, the shell for version.dll).
//   dll_search_probe restricted|unrestricted <name.dll>...
// Prints "<name>: loaded from <path>" or "<name>: not loaded" per name.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "app/win32/DllSearch.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    if (std::wcscmp(argv[1], L"restricted") == 0) {
        orv::app::win32::RestrictDllSearch();
    } else if (std::wcscmp(argv[1], L"unrestricted") != 0) {
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        HMODULE m = LoadLibraryW(argv[i]);
        wchar_t path[MAX_PATH] = {};
        if (m != nullptr) GetModuleFileNameW(m, path, MAX_PATH);
        std::printf("%ls: %s%ls\n", argv[i], m != nullptr ? "loaded from " : "not loaded", path);
    }
    std::fflush(stdout);
    return 0;
}
