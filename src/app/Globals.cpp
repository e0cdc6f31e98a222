#include "app/Globals.h"

namespace orv {

std::u16string ProgramFolder;
std::u16string ProgramTitle{kProgramTitle};
bool ClosingRequested = false;
bool ScanAbortRequested = false;
bool IsWindows10OrLater = false;
bool IsWindows11 = false;
bool RunningUnderWow64 = false;
std::vector<std::u16string> CommandLineArgs;

}  // namespace orv
