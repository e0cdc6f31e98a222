#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/Environment.h"
#include "app/Globals.h"
#include "app/NichtDoppeltStarten.h"
#include "core/Text.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::app {
namespace {

template <typename R, typename... A, typename... Args>
R Call(const std::function<R(A...)>& hook, Args&&... args) {
    if (!hook) return R();
    return hook(std::forward<Args>(args)...);
}

void ShowMessage(StartupHooks& hooks, std::u16string_view text, uint32_t icon) {
    platform::Sys().MessageBox(Call(hooks.MessageOwner), text, ProgramTitle,
                               platform::kMbOk | icon);
}

}  // namespace

int RunMainSequence(StartupHooks& hooks) {
    auto& sys = platform::Sys();

    ProgramTitle = std::u16string(kProgramTitle);
    Call(hooks.InitialiseApplication);

    const platform::OsVersion version = sys.RuntimeVersion();
    if (version.major < 5) {
        ShowMessage(hooks, kTextNeedsWindowsXp, platform::kMbIconError);
        return 0;
    }

    const platform::AdminCheck admin = sys.IsAdministratorMember();
    if (admin != platform::AdminCheck::Member) {
        // An operating-system error in the check counts as missing rights, never as a crash.
        if (admin == platform::AdminCheck::Error) {
            sys.DebugOutput(u"Startup: administrator check failed");
        }
        ShowMessage(hooks, kTextNeedsAdministrator, platform::kMbIconError);
        return 0;
    }
    if (!Reg_WriteInteger(RegRoot::LocalMachine, settings::kOptionsKey, settings::kCheckRights,
                          1)) {
        ShowMessage(hooks, kTextNeedsUac, platform::kMbIconError);
        return 0;
    }
    Reg_DeleteValue(RegRoot::LocalMachine, settings::kOptionsKey, settings::kCheckRights);

    const TStartSwitch start =
        ParseStartSwitch(CommandLineArgs.empty() ? std::u16string_view() : CommandLineArgs[0]);
    const bool withWindow = CreatesMainWindow(start);
    if (withWindow) {
        if (!Call(hooks.CreateMainWindow)) {
            sys.DebugOutput(u"Startup: main window could not be created");
            return kExitNoMainWindow;
        }
        sys.ProcessMessages();
    }

    Call(hooks.SelectLanguage);
    Call(hooks.LoadMessageCatalogue, ProgramFolder + u"\\translation");

    if (start == TStartSwitch::Save) {
        ShowMessage(hooks, kTextTranslationSaved, platform::kMbIconInformation);
        Call(hooks.TerminateApplication);
        return 0;
    }
    // The maintenance switches have no task here, and what follows needs the window.
    if (!withWindow) return 0;

    if (!ClosingRequested) Call(hooks.ChooseSkinFolder);
    if (!ClosingRequested) Call(hooks.CompleteMainWindow);
    if (!ClosingRequested) Call(hooks.CreateOptionsDialog);
    Call(hooks.RegisterHeaderTooltips);
    if (!ClosingRequested && ShowsStartPage(start)) {
        if (version.major == 6 && version.minor == 0) {
            Call(hooks.ShowMainmenu);
        } else {
            Call(hooks.ShowMainmenu_Real);
        }
    }
    if (!ClosingRequested) {
        Call(hooks.BringMainWindowToFront);
        sys.ProcessMessages();
        if (!ClosingRequested) Call(hooks.BringMainWindowToFront);
    }

    sys.DebugOutput(u"Startup: message loop");
    sys.RunMessageLoop();
    return 0;
}

int RunProgram(std::vector<std::u16string> args, StartupHooks& hooks) {
    int code = 0;
    TInstanceGuard guard;
    if (guard.Acquire()) {
        Call(hooks.InitialiseModules);
        // The registry layer takes its 64-bit decision before anything reads the registry.
        Reg_Startup();
        DetectEnvironment();
        CommandLineArgs = std::move(args);
        code = RunMainSequence(hooks);
        Call(hooks.FinaliseModules);
    } else {
        platform::Sys().DebugOutput(u"Startup: another instance is running");
    }
    platform::Sys().DebugOutput(u"Startup: exit " + ToDecimal(code));
    return code;
}

}  // namespace orv::app
