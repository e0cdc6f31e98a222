// The checks every shell path passes before it reaches the shell, and the native stand-in that
// records what it was asked for.
#include <gtest/gtest.h>

#include <string>

#include "core/Text.h"
#include "platform/Shell.h"
#include "platform/ShellPath.h"
#include "platform/posix/Capture.h"

namespace orv::platform {
namespace {

using namespace std::string_view_literals;

TEST(ShellPath, RefusesWhatTheShellWouldMisread) {
    const struct {
        std::u16string_view path;
        const char16_t* forOpen;     // problem when opening
        const char16_t* forRecycle;  // problem when moving to the recycle bin
    } cases[] = {
        {u"C:\\data\\a.txt", nullptr, nullptr},
        {u"https://example.invalid/help/?a=1", nullptr, u"wildcard in path"},
        {u"", u"empty path", u"empty path"},
        {u"C:\\data\\a.txt\0C:\\Windows"sv, u"NUL character in path", u"NUL character in path"},
        {u"\0"sv, u"NUL character in path", u"NUL character in path"},
        {u"C:\\data\\*", nullptr, u"wildcard in path"},
        {u"C:\\data\\a?.txt", nullptr, u"wildcard in path"},
        {u"C:\\data\\x*\0"sv, u"NUL character in path", u"NUL character in path"},
    };
    for (const auto& c : cases) {
        const std::string shown = Utf16ToUtf8(ShellRefusalLine(u"x", u"y", c.path));
        const char16_t* open = ShellPathProblem(c.path, false);
        const char16_t* recycle = ShellPathProblem(c.path, true);
        EXPECT_EQ(open == nullptr ? u"" : std::u16string(open),
                  c.forOpen == nullptr ? u"" : std::u16string(c.forOpen))
            << shown;
        EXPECT_EQ(recycle == nullptr ? u"" : std::u16string(recycle),
                  c.forRecycle == nullptr ? u"" : std::u16string(c.forRecycle))
            << shown;
    }
}

TEST(ShellPath, RefusalLineShowsNulCharacters) {
    EXPECT_EQ(ShellRefusalLine(u"recycle", u"NUL character in path", u"C:\\a\0b"sv),
              u"Shell: recycle refused (NUL character in path): C:\\a\\0b");
}

TEST(PosixShell, RecordsEveryCallFailsAndNamesRefusals) {
    posix::ClearCaptures();
    Shell& shell = DefaultShell();
    EXPECT_FALSE(shell.Open(u"C:\\data"));
    EXPECT_FALSE(shell.MoveToRecycleBin(u"C:\\data\\a.txt"));
    EXPECT_FALSE(shell.MoveToRecycleBin(u"C:\\data\\*"));
    EXPECT_FALSE(shell.Open(u""));

    const auto& calls = posix::CapturedShellCalls();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].action, u"open");
    EXPECT_EQ(calls[0].path, u"C:\\data");
    EXPECT_EQ(calls[1].action, u"recycle");
    EXPECT_EQ(calls[1].path, u"C:\\data\\a.txt");
    EXPECT_EQ(calls[2].path, u"C:\\data\\*");
    EXPECT_EQ(calls[3].action, u"open");

    // Only the refused ones leave a line.
    const std::vector<std::u16string> lines = {
        u"Shell: recycle refused (wildcard in path): C:\\data\\*",
        u"Shell: open refused (empty path): ",
    };
    EXPECT_EQ(posix::CapturedDebugLines(), lines);

    posix::ClearCaptures();
    EXPECT_TRUE(posix::CapturedShellCalls().empty());
}

}  // namespace
}  // namespace orv::platform
