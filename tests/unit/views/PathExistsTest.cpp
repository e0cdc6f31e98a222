// The POSIX stand-in answers whether a path is still there, file or folder alike: a delete
// keeps a row whose move failed only while its path exists.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/Text.h"
#include "platform/Files.h"

namespace orv::platform {
namespace {

TEST(PathExists, FilesAndFoldersExistMissingPathsDoNot) {
    char dir[] = "/tmp/orvella_views_XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string file = std::string(dir) + "/a.txt";
    if (FILE* f = std::fopen(file.c_str(), "w")) std::fclose(f);
    const std::string sub = std::string(dir) + "/sub";
    ASSERT_EQ(mkdir(sub.c_str(), 0700), 0);

    const std::u16string base = Utf8ToUtf16(dir);
    struct Case {
        std::u16string path;
        bool exists;
        bool isFile;
    };
    const Case cases[] = {
        {base, true, false},
        {base + u"\\a.txt", true, true},  // backslashes, as the program writes paths
        {base + u"\\sub", true, false},
        {base + u"\\missing.txt", false, false},
        {u"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DefaultFiles().PathExists(c.path), c.exists) << Utf16ToUtf8(c.path);
        EXPECT_EQ(DefaultFiles().FileExists(c.path), c.isFile) << Utf16ToUtf8(c.path);
    }
    std::remove(file.c_str());
    rmdir(sub.c_str());
    rmdir(dir);
}

}  // namespace
}  // namespace orv::platform
