// DetectEnvironment natively: the Windows 10 / 11 rules, the version lines and the program
// folder.
#include <gtest/gtest.h>

#include <optional>

#include "FakeStartup.h"
#include "app/Environment.h"

namespace orv::app::testing {
namespace {

constexpr std::u16string_view kCurrentVersion = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

TEST(DetectEnvironment, WindowsTenAndElevenFromVersionsProductNameAndBuild) {
    const struct {
        OsVersion runtime;
        OsVersion kernel;
        std::optional<std::u16string> productName;
        bool win10;
        bool win11;
    } cases[] = {
        {{6, 1, 7601}, {6, 1, 7601}, u"Windows 7 Professional", false, false},
        // The product name is read only for 6.4 and later 6.x.
        {{6, 3, 9600}, {6, 3, 9600}, u"Windows 10 Pro", false, false},
        {{6, 4, 9841}, {6, 4, 9841}, u"Windows 10 Pro", true, false},
        {{6, 4, 9841}, {6, 4, 9841}, u"  windows 11 home ", true, true},
        {{6, 4, 9841}, {6, 4, 9841}, u"Microsoft Windows 10 Enterprise", true, false},
        {{6, 4, 9841}, {6, 4, 9841}, u"Windows 1 0", false, false},
        {{6, 4, 9841}, {6, 4, 9841}, std::nullopt, false, false},
        // A runtime without manifest entry sees 6.2; the kernel build still reveals 11.
        {{6, 2, 9200}, {10, 0, 19045}, u"Windows 10 Pro", false, false},
        {{6, 2, 9200}, {10, 0, 22000}, u"Windows 10 Pro", true, true},
        {{6, 2, 9200}, {10, 0, 21999}, u"Windows 10 Pro", false, false},
        {{10, 0, 19045}, {10, 0, 19045}, u"Windows 10 Pro", true, false},
        {{10, 0, 22631}, {10, 0, 22631}, u"Windows 10 Pro", true, true},
        // A high build alone is not enough on an old kernel.
        {{6, 1, 7601}, {6, 1, 22000}, std::nullopt, false, false},
        {{10, 0, 0}, {0, 0, 22000}, std::nullopt, true, true},
        {{11, 0, 0}, {11, 0, 0}, std::nullopt, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.runtime.major) + "." + std::to_string(c.runtime.minor) +
                     " kernel " + std::to_string(c.kernel.major) + "." +
                     std::to_string(c.kernel.build) + " " +
                     (c.productName ? Utf16ToUtf8(*c.productName) : "(no name)"));
        StartupFixture f;
        f.sys.runtime = c.runtime;
        f.sys.kernel = c.kernel;
        if (c.productName) {
            f.reg.Put(kCurrentVersion, u"ProductName", *c.productName);
        }
        IsWindows10OrLater = IsWindows11 = true;  // stale values must not survive
        DetectEnvironment();
        EXPECT_EQ(IsWindows10OrLater, c.win10);
        EXPECT_EQ(IsWindows11, c.win11);
        const bool logged = std::find(f.sys.debugLines.begin(), f.sys.debugLines.end(),
                                      u"Windows 11 detected") != f.sys.debugLines.end();
        EXPECT_EQ(logged, c.win11);
    }
}

TEST(DetectEnvironment, WritesTheVersionLinesInOrder) {
    StartupFixture f;
    f.sys.runtime = {10, 0, 22621};
    f.sys.kernel = {10, 0, 22621};
    DetectEnvironment();
    const std::vector<std::u16string> expected = {
        u"WindowsVersion=10.0",
        u"RTL WindowsVersion=10.0",
        u"RTL WindowsVersion Build=22621",
        u"Windows 11 detected",
    };
    EXPECT_EQ(f.sys.debugLines, expected);

    StartupFixture g;
    g.sys.runtime = {6, 2, 9200};
    g.sys.kernel = {6, 3, 9600};
    DetectEnvironment();
    const std::vector<std::u16string> older = {
        u"WindowsVersion=6.2",
        u"RTL WindowsVersion=6.3",
        u"RTL WindowsVersion Build=9600",
    };
    EXPECT_EQ(g.sys.debugLines, older);
}

TEST(DetectEnvironment, TakesWow64FromTheSystem) {
    for (bool wow64 : {true, false}) {
        StartupFixture f;
        f.sys.wow64 = wow64;
        RunningUnderWow64 = !wow64;
        DetectEnvironment();
        EXPECT_EQ(RunningUnderWow64, wow64);
    }
}

TEST(DetectEnvironment, ProgramFolderIsTheModulePathUpToItsLastBackslash) {
    const struct {
        std::u16string path;
        std::u16string folder;
    } cases[] = {
        {u"C:\\Apps\\Tool\\prog.exe", u"C:\\Apps\\Tool"},
        {u"C:\\prog.exe", u"C:"},
        {u"\\\\server\\share\\Orvella\\orvella.exe", u"\\\\server\\share\\Orvella"},
        {u"C:\\Program Files (x86)\\Talvik\\Orvella 2023\\orvella.exe",
         u"C:\\Program Files (x86)\\Talvik\\Orvella 2023"},
        {u"prog.exe", u""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.path));
        StartupFixture f;
        f.sys.modulePath = c.path;
        DetectEnvironment();
        EXPECT_EQ(ProgramFolder, c.folder);
    }
}

}  // namespace
}  // namespace orv::app::testing
