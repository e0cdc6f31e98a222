#pragma once
// The program's start: single-instance guard, environment, the checks, the window and the
// message loop. Portable: it talks to the system only through Sys() and the registry layer and to the rest
// of the program through the hooks below, each of which later work fills in.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/System.h"

namespace orv::app {

// Messages of start-up, exactly as shown.
inline constexpr std::u16string_view kTextNeedsWindowsXp =
    u"This software requires Windows XP or higher!";
inline constexpr std::u16string_view kTextNeedsAdministrator =
    u"This software requires full administrator-rights! Please start this software as "
    u"Administrator.";
inline constexpr std::u16string_view kTextNeedsUac =
    u"This software requires full administrator-rights! Please enable \"User Account Control\" "
    u"(UAC) and start this software as Administrator.";
inline constexpr std::u16string_view kTextTranslationSaved = u"Translation saved...";

// Returned when the main window cannot be created: there would be nothing to end the loop.
inline constexpr int kExitNoMainWindow = 1;

// One place in the sequence for each piece of the program that start-up triggers. Every hook
// does nothing until it is set; an empty std::function is skipped as well.
struct StartupHooks {
    // Module initialisation after the guard (OLE on Windows) and its finalisation, which runs
    // on every way out once the guard was passed.
    std::function<void()> InitialiseModules = [] {};
    std::function<void()> FinaliseModules = [] {};
    // The application object, the hand cursor and the hint time.
    std::function<void()> InitialiseApplication = [] {};
    // Owner of start-up's message boxes: the application's hidden window, or none.
    std::function<platform::WindowHandle()> MessageOwner = [] { return platform::WindowHandle{}; };
    // Creates the main window (whose creation clears ClosingRequested), gives it the
    // taskbar button and shows it. False when it could not be created.
    std::function<bool()> CreateMainWindow = [] { return true; };
    // Chooses the user-interface language.
    std::function<void()> SelectLanguage = [] {};
    // Loads the message catalogue for that language from this folder.
    std::function<void(std::u16string_view translationFolder)> LoadMessageCatalogue =
        [](std::u16string_view) {};
    // After "Translation saved...": terminates the application.
    std::function<void()> TerminateApplication = [] {};
    // Each skipped while ClosingRequested: the skin folder, the main window's
    // completion step, the options dialog.
    std::function<void()> ChooseSkinFolder = [] {};
    std::function<void()> CompleteMainWindow = [] {};
    std::function<void()> CreateOptionsDialog = [] {};
    // The three header tooltips. Not guarded by ClosingRequested: a closed main
    // window's object still exists at that point.
    std::function<void()> RegisterHeaderTooltips = [] {};
    // The start page, deferred through the page-switch thread on Windows 6.0,
    // at once on every other version.
    std::function<void()> ShowMainmenu = [] {};
    std::function<void()> ShowMainmenu_Real = [] {};
    // Brings the main window to the front (twice, with messages pumped in between).
    std::function<void()> BringMainWindowToFront = [] {};
};

// The main sequence, from the application object to the end of the message loop, with
// CommandLineArgs already set; returns the exit code.
int RunMainSequence(StartupHooks& hooks);

// The whole program: guard, module initialisation, DetectEnvironment, main sequence,
// finalisation. `args` are the arguments after the program name. Returns the exit code and
// writes "Startup: exit <code>" to the debug channel.
int RunProgram(std::vector<std::u16string> args, StartupHooks& hooks);

}  // namespace orv::app
