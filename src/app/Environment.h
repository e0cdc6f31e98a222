#pragma once
// What the program learns about its surroundings before the main sequence: program folder,
// Windows version flags and whether a 32-bit process runs on 64-bit Windows.
#include <string>
#include <string_view>

namespace orv::app {

// Sets RunningUnderWow64, IsWindows10OrLater, IsWindows11 and ProgramFolder, and writes the
// version lines to the debug channel.
void DetectEnvironment();

// The path without everything from its last backslash on; empty when it has none.
std::u16string FolderOfPath(std::u16string_view path);

}  // namespace orv::app
