// The folder list model over a scripted file system: the normal form of directories, ancestors
// and sorted sub-folders with their levels and paths, opening entries and the change event.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/posix/Capture.h"
#include "toolkit/FolderList.h"

namespace orv::pagectl {
namespace {

using toolkit::TFolderEntry;
using toolkit::TFolderList;

// Folders by path with their sub-folders in file-system order; one file.
class FakeFiles : public platform::Files {
  public:
    std::map<std::u16string, std::vector<std::u16string>> folders{
        {u"C:\\", {u"windows", u"Programme", u"alpha"}},
        {u"C:\\Programme", {u"Orvella"}},
        {u"C:\\Programme\\Orvella", {}},
        {u"C:\\windows", {}},
        {u"C:\\alpha", {}},
    };
    std::vector<std::u16string> listed;
    bool ReadWholeFile(std::u16string_view, std::string&, uint64_t) override { return false; }
    bool FileExists(std::u16string_view p) override { return p == u"C:\\boot.ini"; }
    bool PathExists(std::u16string_view p) override {
        return FileExists(p) || folders.count(std::u16string(p)) != 0;
    }
    std::vector<std::u16string> ListFiles(std::u16string_view, std::u16string_view) override {
        return {};
    }
    std::vector<std::u16string> ListFolders(std::u16string_view folder,
                                            const std::function<void()>&) override {
        listed.emplace_back(folder);
        const auto it = folders.find(std::u16string(folder));
        return it == folders.end() ? std::vector<std::u16string>{} : it->second;
    }
};

class FolderListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetFiles(&files);
        platform::posix::ClearCaptures();
        list.OnChange = [this](toolkit::TComponent*) { changes.push_back(list.Directory()); };
    }
    void TearDown() override { platform::SetFiles(nullptr); }
    // "name@level kind" per entry, kind a (ancestor), c (current) or s (sub-folder).
    std::vector<std::u16string> Shown() const {
        std::vector<std::u16string> out;
        for (int i = 0; i < list.Count(); ++i) {
            const TFolderEntry& e = list.Entry(i);
            const char16_t kind = e.Kind == TFolderEntry::Ancestor  ? u'a'
                                  : e.Kind == TFolderEntry::Current ? u'c'
                                                                    : u's';
            out.push_back(e.Name + u'@' + char16_t(u'0' + e.Level) + u' ' + kind);
        }
        return out;
    }
    FakeFiles files;
    TFolderList list;
    std::vector<std::u16string> changes;
};

TEST(FolderListPath, NormalDirectory) {
    struct Case {
        const char16_t* in;
        const char16_t* out;
    } const cases[] = {
        {u"C:\\", u"C:\\"},
        {u"c:", u"C:\\"},
        {u"c:\\a\\b\\", u"C:\\a\\b"},
        {u"C:/a//b", u"C:\\a\\b"},
        {u"D:\\\\\\", u"D:\\"},
        {u"C:foo", u""},
        {u"\\\\server\\share", u""},
        {u"1:\\", u""},
        {u"", u""},
        {u"C", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(TFolderList::NormalDirectory(c.in), c.out);
    EXPECT_EQ(TFolderList::NormalDirectory(std::u16string(u"C:\\a\0b", 6)), u"") << "NUL";
}

TEST_F(FolderListTest, RootShowsItsSortedSubFolders) {
    ASSERT_TRUE(list.SetDrive(u'c'));
    EXPECT_EQ(list.Directory(), u"C:\\");
    EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"C:\\@0 c", u"alpha@1 s", u"Programme@1 s",
                                                    u"windows@1 s"}));
    EXPECT_EQ(list.Entry(2).Path, u"C:\\Programme") << "no double backslash after the root";
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(changes, (std::vector<std::u16string>{u"C:\\"}));
}

TEST_F(FolderListTest, OpeningWalksDownAndBackUp) {
    list.SetDirectory(u"C:\\");
    ASSERT_TRUE(list.Open(2));  // Programme
    ASSERT_TRUE(list.Open(2));  // Orvella
    EXPECT_EQ(list.Directory(), u"C:\\Programme\\Orvella");
    EXPECT_EQ(Shown(),
              (std::vector<std::u16string>{u"C:\\@0 a", u"Programme@1 a", u"Orvella@2 c"}));
    EXPECT_EQ(list.Entry(1).Path, u"C:\\Programme");
    ASSERT_TRUE(list.Open(0));
    EXPECT_EQ(list.Directory(), u"C:\\");
    EXPECT_EQ(changes, (std::vector<std::u16string>{u"C:\\", u"C:\\Programme",
                                                    u"C:\\Programme\\Orvella", u"C:\\"}));
    EXPECT_FALSE(list.Open(99));
}

TEST_F(FolderListTest, TheSameDirectoryRereadsWithoutAnEvent) {
    list.SetDirectory(u"C:\\Programme");
    files.folders[u"C:\\Programme"].push_back(u"Neu");
    ASSERT_TRUE(list.SetDirectory(u"c:/Programme/"));
    EXPECT_EQ(list.Count(), 4) << "the new folder shows";
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(FolderListTest, MissingFoldersAndFilesAreRefusedWithADebugLine) {
    list.SetDirectory(u"C:\\alpha");
    for (const char16_t* bad : {u"C:\\nowhere", u"C:\\boot.ini", u"relative", u""}) {
        platform::posix::ClearCaptures();
        EXPECT_FALSE(list.SetDirectory(bad)) << list.Directory().size();
        EXPECT_EQ(
            platform::posix::CapturedDebugLines(),
            (std::vector<std::u16string>{u"FolderList: no such folder: " + std::u16string(bad)}));
    }
    EXPECT_EQ(list.Directory(), u"C:\\alpha");
    EXPECT_EQ(changes.size(), 1u);
}

}  // namespace
}  // namespace orv::pagectl
