// Opening and the recycle bin against Wine's shell: one path only, refusals that never reach
// the shell, and failures reported as failures. Under Wine the recycle bin is the Linux trash.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/Text.h"
#include "platform/Shell.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace {

using namespace std::string_view_literals;

class LineCatcher : public SystemForwarder {
  public:
    void DebugOutput(std::u16string_view line) override { lines.emplace_back(line); }
    std::vector<std::u16string> lines;
};

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(win32::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteFile(const std::u16string& path) {
    HANDLE h = CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(h, "orvella", 7, &written, nullptr);
    CloseHandle(h);
}

class ShellActions : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = win32::FromWide(temp) + u"orvella_shell_" + ToDecimal(GetCurrentProcessId()) +
                  u"_" + ToDecimal(GetTickCount());
        ASSERT_TRUE(CreateDirectoryW(win32::Wide(folder_).c_str(), nullptr));
        SetSystem(&catcher_);
    }
    void TearDown() override {
        SetSystem(nullptr);
        for (const auto& name : {u"a.txt", u"b.txt", u"held.txt", u"sub\\c.txt"})
            DeleteFileW(win32::Wide(folder_ + u"\\" + name).c_str());
        RemoveDirectoryW(win32::Wide(folder_ + u"\\sub").c_str());
        RemoveDirectoryW(win32::Wide(folder_).c_str());
    }
    std::u16string In(std::u16string_view name) const {
        return folder_ + u"\\" + std::u16string(name);
    }

    std::u16string folder_;
    LineCatcher catcher_;
};

TEST_F(ShellActions, RecycleMovesTheFileOutOfItsFolderAndTheSiblingStays) {
    WriteFile(In(u"a.txt"));
    WriteFile(In(u"b.txt"));
    EXPECT_TRUE(DefaultShell().MoveToRecycleBin(In(u"a.txt")));
    EXPECT_FALSE(Exists(In(u"a.txt")));
    EXPECT_TRUE(Exists(In(u"b.txt")));
    EXPECT_TRUE(catcher_.lines.empty());
}

TEST_F(ShellActions, RecycleMovesAWholeFolder) {
    ASSERT_TRUE(CreateDirectoryW(win32::Wide(In(u"sub")).c_str(), nullptr));
    WriteFile(In(u"sub\\c.txt"));
    EXPECT_TRUE(DefaultShell().MoveToRecycleBin(In(u"sub")));
    EXPECT_FALSE(Exists(In(u"sub")));
}

TEST_F(ShellActions, AFileHeldOpenWithoutSharingStaysAndTheCallFails) {
    WriteFile(In(u"held.txt"));
    HANDLE h = CreateFileW(win32::Wide(In(u"held.txt")).c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(DefaultShell().MoveToRecycleBin(In(u"held.txt")));
    CloseHandle(h);
    EXPECT_TRUE(Exists(In(u"held.txt")));
    ASSERT_EQ(catcher_.lines.size(), 1u);
    EXPECT_EQ(catcher_.lines[0].rfind(u"Shell: recycle failed (", 0), 0u)
        << Utf16ToUtf8(catcher_.lines[0]);
}

TEST_F(ShellActions, AMissingFileFails) {
    EXPECT_FALSE(DefaultShell().MoveToRecycleBin(In(u"never.txt")));
    EXPECT_EQ(catcher_.lines.size(), 1u);
}

TEST_F(ShellActions, PathsTheShellWouldMisreadAreRefusedAndNothingIsDeleted) {
    WriteFile(In(u"a.txt"));
    WriteFile(In(u"b.txt"));
    const struct {
        std::u16string path;
        std::u16string line;
    } cases[] = {
        {In(u"*"), u"Shell: recycle refused (wildcard in path): " + In(u"*")},
        {In(u"?.txt"), u"Shell: recycle refused (wildcard in path): " + In(u"?.txt")},
        // Through the NUL the shell would read a list of two paths.
        {In(u"a.txt") + u'\0' + In(u"b.txt"), u"Shell: recycle refused (NUL character in path): " +
                                                  In(u"a.txt") + u"\\0" + In(u"b.txt")},
        {u"", u"Shell: recycle refused (empty path): "},
    };
    for (const auto& c : cases) {
        catcher_.lines.clear();
        EXPECT_FALSE(DefaultShell().MoveToRecycleBin(c.path));
        EXPECT_EQ(catcher_.lines, std::vector<std::u16string>{c.line});
        EXPECT_TRUE(Exists(In(u"a.txt")));
        EXPECT_TRUE(Exists(In(u"b.txt")));
    }
}

TEST_F(ShellActions, OpenRefusesEmptyAndNulTextsBeforeTheShell) {
    WriteFile(In(u"a.txt"));
    const struct {
        std::u16string text;
        std::u16string line;
    } cases[] = {
        {u"", u"Shell: open refused (empty path): "},
        {In(u"a.txt") + u'\0' + u"calc.exe",
         u"Shell: open refused (NUL character in path): " + In(u"a.txt") + u"\\0calc.exe"},
    };
    for (const auto& c : cases) {
        catcher_.lines.clear();
        EXPECT_FALSE(DefaultShell().Open(c.text));
        EXPECT_EQ(catcher_.lines, std::vector<std::u16string>{c.line});
    }
}

TEST_F(ShellActions, OpeningAMissingFileReportsTheShellsFailure) {
    EXPECT_FALSE(DefaultShell().Open(In(u"never.txt")));
    ASSERT_EQ(catcher_.lines.size(), 1u);
    EXPECT_EQ(catcher_.lines[0], u"Shell: open failed (2): " + In(u"never.txt"));
}

}  // namespace
}  // namespace orv::platform
