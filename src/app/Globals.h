#pragma once
// Process-wide values set during start-up and read everywhere.
#include <string>
#include <string_view>
#include <vector>

namespace orv {

inline constexpr std::u16string_view kProgramTitle = u"Talvik Orvella 2023";
// A second instance finds the first one by these two names.
inline constexpr std::u16string_view kInstanceMutexName = u"Talvik_ORV2023";
inline constexpr std::u16string_view kMainWindowClassName = u"TForm_KT7";

// Folder of the running executable, without trailing backslash; base of every data path.
extern std::u16string ProgramFolder;
// Application title and caption of every message box.
extern std::u16string ProgramTitle;
// Set when the main window is asked to close; guarded start-up steps are skipped.
extern bool ClosingRequested;
// Set when the main window is asked to close, cleared when an analysis starts; a scan stops.
extern bool ScanAbortRequested;
extern bool IsWindows10OrLater;
extern bool IsWindows11;
extern bool RunningUnderWow64;
// The command-line arguments after the program name, as given (the analysis page reads the
// second one after "-CONTEXTDL").
extern std::vector<std::u16string> CommandLineArgs;

}  // namespace orv
