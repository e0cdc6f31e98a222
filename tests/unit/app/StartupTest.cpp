// The main sequence natively: switches, checks, the rights probe, the order of the steps and
// the steps skipped once the main window is asked to close.
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeStartup.h"

namespace orv::app::testing {
namespace {

const EventLog kPlainStart = {
    "InitialiseModules",
    "InitialiseApplication",
    "CreateMainWindow",
    "pump",
    "SelectLanguage",
    "LoadMessageCatalogue",
    "ChooseSkinFolder",
    "CompleteMainWindow",
    "CreateOptionsDialog",
    "RegisterHeaderTooltips",
    "ShowMainmenu_Real",
    "BringMainWindowToFront",
    "pump",
    "BringMainWindowToFront",
    "loop",
    "FinaliseModules",
};

TEST(Startup, PlainStartRunsEveryStepInOrder) {
    StartupFixture f;
    EXPECT_EQ(f.Run({}), 0);
    EXPECT_EQ(f.log, kPlainStart);
    EXPECT_TRUE(f.sys.boxes.empty());
    EXPECT_EQ(f.catalogueFolder, u"C:\\Apps\\Tool\\translation");
    EXPECT_EQ(ProgramTitle, u"Talvik Orvella 2023");
    ASSERT_GE(f.sys.debugLines.size(), 2u);
    EXPECT_EQ(f.sys.debugLines[f.sys.debugLines.size() - 2], u"Startup: message loop");
    EXPECT_EQ(f.sys.debugLines.back(), u"Startup: exit 0");
}

struct SwitchCase {
    std::vector<std::u16string> args;
    bool window;
    bool startPage;
    bool saveMessage;
};

TEST(Startup, FirstArgumentDecidesWindowStartPageAndSaveMessage) {
    const SwitchCase cases[] = {
        {{}, true, true, false},
        {{u"-NOVERSION"}, true, true, false},
        {{u"-noversion"}, true, true, false},
        {{u"-ShowAllProblems"}, true, true, false},
        {{u"-CONTEXTDL", u"D:\\"}, true, true, false},
        {{u"-contextdl"}, true, true, false},
        {{u"-SAVE"}, false, false, true},
        {{u"-save"}, false, false, true},
        {{u"-SaVe", u"ignored"}, false, false, true},
        {{u"-SAVEX"}, true, false, false},
        {{u"SAVE"}, true, false, false},
        {{u"-SAVE "}, true, false, false},
        {{u"-NOVERSION2"}, true, false, false},
        {{u"-SETUPLT2"}, false, false, false},
        {{u"-removeplannedtasks"}, false, false, false},
        {{u"-ADDOCOTASK"}, false, false, false},
        {{u"-RemoveContext"}, false, false, false},
        {{u"-setupcontext"}, false, false, false},
        // Only the first argument counts.
        {{u"", u"-SAVE"}, true, true, false},
        {{u"-SETUPLT2", u"-SAVE"}, false, false, false},
        {{u"-SAVEX", u"-NOVERSION"}, true, false, false},
    };
    for (const auto& c : cases) {
        const std::string label = c.args.empty() ? "(none)" : Utf16ToUtf8(c.args[0]);
        SCOPED_TRACE(label);
        StartupFixture f;
        EXPECT_EQ(f.Run(c.args), 0);
        EXPECT_EQ(Contains(f.log, "CreateMainWindow"), c.window);
        EXPECT_EQ(Contains(f.log, "ShowMainmenu_Real"), c.startPage);
        EXPECT_EQ(Contains(f.log, "loop"), c.window);
        EXPECT_EQ(Contains(f.log, "box:Translation saved..."), c.saveMessage);
        EXPECT_EQ(f.sys.boxes.size(), c.saveMessage ? 1u : 0u);
        // The language and the catalogue are loaded in every case that passed the checks.
        EXPECT_TRUE(Contains(f.log, "SelectLanguage"));
        EXPECT_TRUE(Contains(f.log, "LoadMessageCatalogue"));
        EXPECT_EQ(f.log.back(), "FinaliseModules");
        EXPECT_EQ(CommandLineArgs, c.args);
    }
}

TEST(Startup, SaveShowsItsMessageAfterLanguageAndCatalogueAndCreatesNoWindow) {
    StartupFixture f;
    f.owner = reinterpret_cast<platform::WindowHandle>(0x1234);
    EXPECT_EQ(f.Run({u"-save"}), 0);
    const EventLog expected = {
        "InitialiseModules",    "InitialiseApplication",    "SelectLanguage",
        "LoadMessageCatalogue", "box:Translation saved...", "TerminateApplication",
        "FinaliseModules",
    };
    EXPECT_EQ(f.log, expected);
    ASSERT_EQ(f.sys.boxes.size(), 1u);
    EXPECT_EQ(f.sys.boxes[0].caption, u"Talvik Orvella 2023");
    EXPECT_EQ(f.sys.boxes[0].flags, platform::kMbOk | platform::kMbIconInformation);
    EXPECT_EQ(f.sys.boxes[0].owner, f.owner);
    EXPECT_EQ(f.sys.debugLines.back(), u"Startup: exit 0");
}

TEST(Startup, VistaDefersTheStartPageEveryOtherVersionShowsItAtOnce) {
    const struct {
        OsVersion runtime;
        bool deferred;
    } cases[] = {
        {{6, 0, 6002}, true},  {{6, 1, 7601}, false},   {{5, 1, 2600}, false},
        {{6, 2, 9200}, false}, {{10, 0, 19045}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.runtime.major) + "." + std::to_string(c.runtime.minor));
        StartupFixture f;
        f.sys.runtime = c.runtime;
        f.Run({});
        EXPECT_EQ(Contains(f.log, "ShowMainmenu"), c.deferred);
        EXPECT_EQ(Contains(f.log, "ShowMainmenu_Real"), !c.deferred);
    }
}

TEST(Startup, FailedChecksShowTheirErrorAndEndWithExitCodeZero) {
    constexpr std::u16string_view kXp = u"This software requires Windows XP or higher!";
    constexpr std::u16string_view kAdmin =
        u"This software requires full administrator-rights! Please start this software as "
        u"Administrator.";
    constexpr std::u16string_view kUac =
        u"This software requires full administrator-rights! Please enable \"User Account "
        u"Control\" (UAC) and start this software as Administrator.";
    const struct {
        const char* what;
        OsVersion runtime;
        AdminCheck admin;
        bool registryWritable;
        std::u16string_view text;
        bool adminChecked;
    } cases[] = {
        {"Windows 2000", {4, 0, 1381}, AdminCheck::Member, true, kXp, false},
        {"not an administrator", {5, 1, 2600}, AdminCheck::NotMember, true, kAdmin, true},
        {"check failed", {6, 1, 7601}, AdminCheck::Error, true, kAdmin, true},
        {"HKLM not writable", {10, 0, 19045}, AdminCheck::Member, false, kUac, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StartupFixture f;
        f.owner = reinterpret_cast<platform::WindowHandle>(0x5678);
        f.sys.runtime = c.runtime;
        f.sys.admin = c.admin;
        f.reg.readOnly = !c.registryWritable;
        EXPECT_EQ(f.Run({}), 0);
        ASSERT_EQ(f.sys.boxes.size(), 1u);
        EXPECT_EQ(f.sys.boxes[0].text, c.text);
        EXPECT_EQ(f.sys.boxes[0].caption, u"Talvik Orvella 2023");
        EXPECT_EQ(f.sys.boxes[0].flags, platform::kMbOk | platform::kMbIconError);
        EXPECT_EQ(f.sys.boxes[0].owner, f.owner);
        EXPECT_EQ(f.sys.adminChecks, c.adminChecked ? 1 : 0);
        const EventLog expected = {"InitialiseModules", "InitialiseApplication",
                                   "box:" + Utf16ToUtf8(c.text), "FinaliseModules"};
        EXPECT_EQ(f.log, expected);
        EXPECT_EQ(f.sys.debugLines.back(), u"Startup: exit 0");
        const bool errorLine =
            std::find(f.sys.debugLines.begin(), f.sys.debugLines.end(),
                      u"Startup: administrator check failed") != f.sys.debugLines.end();
        EXPECT_EQ(errorLine, c.admin == AdminCheck::Error);
    }
}

TEST(Startup, RightsProbeIsWrittenUnderTheOptionsKeyAndDeletedAgain) {
    StartupFixture f;
    const auto options = u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options";
    f.reg.Put(options, u"UseSkin", u"dark");
    f.Run({});
    const std::vector<std::string> writes = {
        "SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options|CheckRights=1 HKLM"};
    EXPECT_EQ(f.reg.writes, writes);
    const std::vector<std::string> deletes = {
        "SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options|CheckRights"};
    EXPECT_EQ(f.reg.deletes, deletes);
    EXPECT_FALSE(Reg_ValueExists(platform::RegRoot::LocalMachine, options, u"CheckRights"));
    EXPECT_EQ(Reg_ReadString(platform::RegRoot::LocalMachine, options, u"UseSkin"), u"dark");
}

TEST(Startup, ClosingTheWindowDuringStartSkipsTheGuardedSteps) {
    // The user closes the window while start-up pumps messages: right after the window is
    // created, or while it is brought to the front.
    const struct {
        int closeAtPump;
        EventLog expected;
    } cases[] = {
        {1,
         {"InitialiseModules", "InitialiseApplication", "CreateMainWindow", "pump",
          "SelectLanguage", "LoadMessageCatalogue", "RegisterHeaderTooltips", "loop",
          "FinaliseModules"}},
        {2,
         {"InitialiseModules", "InitialiseApplication", "CreateMainWindow", "pump",
          "SelectLanguage", "LoadMessageCatalogue", "ChooseSkinFolder", "CompleteMainWindow",
          "CreateOptionsDialog", "RegisterHeaderTooltips", "ShowMainmenu_Real",
          "BringMainWindowToFront", "pump", "loop", "FinaliseModules"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.closeAtPump);
        StartupFixture f;
        f.sys.onPump = [&c](int pump) {
            if (pump == c.closeAtPump) ClosingRequested = true;
        };
        EXPECT_EQ(f.Run({}), 0);
        EXPECT_EQ(f.log, c.expected);
    }
}

TEST(Startup, MainWindowThatCannotBeCreatedEndsWithoutMessageLoop) {
    StartupFixture f;
    f.hooks = RecordingHooks(f.log, f.catalogueFolder);
    f.hooks.CreateMainWindow = [] { return false; };
    EXPECT_EQ(RunProgram({}, f.hooks), kExitNoMainWindow);
    EXPECT_FALSE(Contains(f.log, "loop"));
    EXPECT_FALSE(Contains(f.log, "SelectLanguage"));
    EXPECT_EQ(f.log.back(), "FinaliseModules");
    EXPECT_EQ(f.sys.debugLines.back(), u"Startup: exit 1");
}

TEST(Startup, UnsetHooksAreSkipped) {
    StartupFixture f;
    StartupHooks empty;
    empty.InitialiseModules = nullptr;
    empty.CreateMainWindow = nullptr;
    empty.LoadMessageCatalogue = nullptr;
    empty.MessageOwner = nullptr;
    // An unset window hook counts as a failure to create the window.
    EXPECT_EQ(RunProgram({}, empty), kExitNoMainWindow);
    StartupHooks defaults;
    EXPECT_EQ(RunProgram({}, defaults), 0);
    EXPECT_TRUE(Contains(f.log, "loop"));
}

}  // namespace
}  // namespace orv::app::testing
