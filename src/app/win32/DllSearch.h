#pragma once
// An elevated program must not pick up a DLL from the current directory or the PATH: from the
// call on, libraries come only from the system folder and the program's own folder. Windows 7
// without the update that brings SetDefaultDllDirectories still drops the current directory.
#include <windows.h>

namespace orv::app::win32 {

inline void RestrictDllSearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        kernel != nullptr
            ? reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))
            : nullptr);
    constexpr DWORD kSystem32 = 0x00000800;     // LOAD_LIBRARY_SEARCH_SYSTEM32
    constexpr DWORD kApplication = 0x00000200;  // LOAD_LIBRARY_SEARCH_APPLICATION_DIR
    if (setDefault == nullptr || !setDefault(kSystem32 | kApplication)) SetDllDirectoryW(L"");
}

}  // namespace orv::app::win32
