// The native file access: wildcard listing and names that ignore case, as on Windows.
#include <gtest/gtest.h>

#include <algorithm>

#include "LangTestSupport.h"
#include "platform/Files.h"

namespace orv::lang::testing {
namespace {

TEST(NativeFiles, ListingMatchesPatternsIgnoringCase) {
    TempFolder dir;
    for (auto name : {"de-de.nlang3", "EN-US.NLANG3", "de-de.nlang3.bak", "pt-br.bmp", "pt.bmp"}) {
        dir.Write(name, "x");
    }
    dir.MakeFolder("folder.nlang3");
    const struct {
        std::u16string_view pattern;
        std::vector<std::u16string> names;
    } cases[] = {
        {u"*.nlang3", {u"EN-US.NLANG3", u"de-de.nlang3"}},
        {u"pt-*.bmp", {u"pt-br.bmp"}},
        {u"PT?BR.BMP", {u"pt-br.bmp"}},
        {u"*", {u"EN-US.NLANG3", u"de-de.nlang3", u"de-de.nlang3.bak", u"pt-br.bmp", u"pt.bmp"}},
        {u"x*", {}},
    };
    for (const auto& c : cases) {
        auto names = platform::Fs().ListFiles(dir.Path(), c.pattern);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << Utf16ToUtf8(c.pattern);
    }
    EXPECT_TRUE(platform::Fs().ListFiles(dir.Path("missing"), u"*").empty());
}

TEST(NativeFiles, PathsIgnoreCaseAndFoldersAreNoFiles) {
    TempFolder dir;
    dir.Write("Translation/de-de.nlang3", "content");
    std::string bytes;
    EXPECT_TRUE(platform::Fs().ReadWholeFile(dir.Path() + u"\\translation\\DE-DE.nlang3", bytes));
    EXPECT_EQ(bytes, "content");
    EXPECT_TRUE(platform::Fs().FileExists(dir.Path() + u"\\TRANSLATION\\de-de.NLANG3"));
    EXPECT_FALSE(platform::Fs().FileExists(dir.Path() + u"\\translation"));
    EXPECT_FALSE(platform::Fs().ReadWholeFile(dir.Path() + u"\\translation", bytes));
    EXPECT_FALSE(platform::Fs().FileExists(dir.Path() + u"\\nothing\\de-de.nlang3"));
    EXPECT_EQ(platform::Fs().ListFiles(dir.Path() + u"\\TRANSLATION", u"*.nlang3").size(), 1u);
}

}  // namespace
}  // namespace orv::lang::testing
