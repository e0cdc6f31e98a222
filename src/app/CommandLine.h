#pragma once
// The first command-line argument decides how the program starts.
#include <string_view>

namespace orv::app {

enum class TStartSwitch {
    None,  // no argument
    NoVersion,
    ShowAllProblems,
    Save,
    SetupLT2,
    RemovePlannedTasks,
    AddOcoTask,
    RemoveContext,
    SetupContext,
    ContextDL,     // a drive for the analysis page follows
    Unrecognised,  // anything else
};

// Upper-cases the argument (ASCII) and matches it whole against the known switches.
TStartSwitch ParseStartSwitch(std::u16string_view firstArgument);

// False for "-SAVE" and the five maintenance switches: they need no window.
bool CreatesMainWindow(TStartSwitch s);
// The start page appears for a plain start and for "-CONTEXTDL", whose drive the page reads;
// an unrecognised argument leaves the module area empty.
bool ShowsStartPage(TStartSwitch s);

}  // namespace orv::app
