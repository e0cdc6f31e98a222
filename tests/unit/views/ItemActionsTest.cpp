// The popup menu of the result list: enabling, what each item opens, and deleting rows whose
// paths went to the recycle bin (a fake shell and file system stand in).
#include <gtest/gtest.h>

#include <set>

#include "ViewsFixture.h"
#include "analysis/ItemActions.h"
#include "platform/Files.h"
#include "platform/Shell.h"

namespace orv::analysis {
namespace {

using testing::ViewsTest;
using Paths = std::vector<std::u16string>;

class FakeShell final : public platform::Shell {
  public:
    Paths opened;
    Paths recycled;  // every path asked for, moved or not
    std::set<std::u16string> refuses;
    std::set<std::u16string>* existing = nullptr;

    platform::IconHandle AssociatedSmallIcon(std::u16string_view) override { return nullptr; }
    platform::IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(platform::IconHandle) override {}
    bool Open(std::u16string_view path) override {
        opened.emplace_back(path);
        return true;
    }
    bool MoveToRecycleBin(std::u16string_view path) override {
        recycled.emplace_back(path);
        if (refuses.count(std::u16string(path)) != 0) return false;
        // The path and everything beneath it leave the disk.
        const std::u16string prefix = std::u16string(path) + u"\\";
        for (auto it = existing->begin(); it != existing->end();) {
            it = (*it == path || it->starts_with(prefix)) ? existing->erase(it) : std::next(it);
        }
        return true;
    }
};

class FakeFiles final : public platform::Files {
  public:
    std::set<std::u16string> existing;
    bool ReadWholeFile(std::u16string_view, std::string& bytes, uint64_t) override {
        bytes.clear();
        return false;
    }
    bool FileExists(std::u16string_view path) override { return PathExists(path); }
    bool PathExists(std::u16string_view path) override {
        return existing.count(std::u16string(path)) != 0;
    }
    std::vector<std::u16string> ListFiles(std::u16string_view, std::u16string_view) override {
        return {};
    }
};

struct Asked {
    std::u16string text, caption;
    uint32_t flags = 0;
};

class ItemActionsTest : public ViewsTest {
  protected:
    void SetUp() override {
        ViewsTest::SetUp();
        for (NodeId n = full.GetFirst(); n != kNoNode; n = full.GetNext(n)) {
            files.existing.insert(full.FullPath(n));
        }
        shell.existing = &files.existing;
        platform::SetShell(&shell);
        platform::SetFiles(&files);
    }
    void TearDown() override {
        platform::SetShell(nullptr);
        platform::SetFiles(nullptr);
        ViewsTest::TearDown();
    }
    void Select(const Paths& paths) {
        grid.ClearSelection();
        for (const auto& p : paths) {
            const NodeId n = VisibleRow(p);
            ASSERT_NE(n, kNoNode) << Utf16ToUtf8(p);
            grid.SetSelected(n, true);
        }
    }
    TDeleteResult Delete(int answer) {
        return PopUp_DeleteClick(
            views, [&](std::u16string_view text, std::u16string_view caption, uint32_t flags) {
                asked.push_back({std::u16string(text), std::u16string(caption), flags});
                return answer;
            });
    }
    NodeId FullRow(std::u16string_view path) const {
        for (NodeId n = full.GetFirst(); n != kNoNode; n = full.GetNext(n)) {
            if (full.FullPath(n) == path) return n;
        }
        return kNoNode;
    }

    FakeShell shell;
    FakeFiles files;
    std::vector<Asked> asked;
};

TEST_F(ItemActionsTest, PopupEnablesByTheFirstSelectedRow) {
    struct Case {
        const char* what;
        Paths selected;  // in the structure view of C:\Data
        TPopupEnabling expected;
    };
    const TPopupEnabling none{};
    const TPopupEnabling file{true, true, false, true, true};
    const TPopupEnabling folder{false, false, true, true, true};
    // List order, largest first: archive.tar.gz, Old, pack.zip, song.mp3, photo.JPG.
    const std::vector<Case> cases = {
        {"no selection", {}, none},
        {"file first, then a folder", {u"C:\\Data\\archive.tar.gz", u"C:\\Data\\Old"}, file},
        {"folder first, then files", {u"C:\\Data\\Old", u"C:\\Data\\song.mp3"}, folder},
        {"one file", {u"C:\\Data\\photo.JPG"}, file},
    };
    ShowFolder(u"C:\\Data");
    for (const Case& c : cases) {
        Select(c.selected);
        EXPECT_EQ(AdvPopupMenu_ORVPopup(grid), c.expected) << c.what;
    }
    views.AdvGlowButton_FormatsClick();
    grid.SetSelected(visibleTree.GetFirst(), true);
    EXPECT_EQ(AdvPopupMenu_ORVPopup(grid), none) << "group row";
}

TEST_F(ItemActionsTest, OpeningItemsOpenTheFirstSelectedRowsTarget) {
    struct Case {
        TSizeNode row;
        std::optional<std::u16string> file, showFolder, folder;
    };
    const std::vector<Case> cases = {
        {{u"C:\\Data\\a.txt", 1, 0, 0, false, 0}, u"C:\\Data\\a.txt", u"C:\\Data\\", std::nullopt},
        {{u"C:\\a.txt", 1, 0, 0, false, 0}, u"C:\\a.txt", u"C:\\", std::nullopt},
        {{u"C:\\Data", 1, 0, 0, true, 0}, std::nullopt, std::nullopt, u"C:\\Data"},
        {{u"Archive", 1, 0, 1, false, 11}, std::nullopt, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenFileTarget(c.row), c.file) << Utf16ToUtf8(c.row.FullPath);
        EXPECT_EQ(ShowFolderTarget(c.row), c.showFolder) << Utf16ToUtf8(c.row.FullPath);
        EXPECT_EQ(OpenFolderTarget(c.row), c.folder) << Utf16ToUtf8(c.row.FullPath);
    }

    ShowFolder(u"C:\\Data");
    Select({u"C:\\Data\\archive.tar.gz", u"C:\\Data\\Old"});
    PopUp_OpenFileClick(grid);
    PopUp_ShowFolderClick(grid);
    PopUp_OpenFolderClick(grid);  // the first selected row is a file: nothing
    EXPECT_EQ(shell.opened, (Paths{u"C:\\Data\\archive.tar.gz", u"C:\\Data\\"}));

    shell.opened.clear();
    Select({u"C:\\Data\\Old", u"C:\\Data\\pack.zip"});
    PopUp_OpenFileClick(grid);
    PopUp_ShowFolderClick(grid);
    PopUp_OpenFolderClick(grid);
    EXPECT_EQ(shell.opened, (Paths{u"C:\\Data\\Old"}));
}

TEST_F(ItemActionsTest, AnsweringNoOrSelectingNothingChangesNothing) {
    ShowFolder(u"C:\\Data");
    const TDeleteResult nothing = Delete(platform::kIdYes);
    EXPECT_FALSE(nothing.Asked);

    Select({u"C:\\Data\\Old"});
    const uint32_t rows = full.NodeCount();
    const Paths listed = Listed();
    const TDeleteResult no = Delete(platform::kIdNo);
    EXPECT_TRUE(no.Asked);
    EXPECT_FALSE(no.Confirmed);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, lang::Msg(u"MESSAGE_ORV_DELETE_ASK_SURE"));
    EXPECT_EQ(asked[0].caption, ProgramTitle);
    EXPECT_EQ(asked[0].flags, platform::kMbYesNo | platform::kMbIconWarning);
    EXPECT_TRUE(shell.recycled.empty());
    EXPECT_EQ(full.NodeCount(), rows);
    EXPECT_EQ(Listed(), listed);
}

TEST_F(ItemActionsTest, DeletingAFolderRemovesItsSubtreeAndRecountsEveryFolderAbove) {
    ShowFolder(u"C:\\Data");
    Select({u"C:\\Data\\Old"});
    const TDeleteResult r = Delete(platform::kIdYes);
    EXPECT_EQ(r.Moved, 1u);
    EXPECT_EQ(shell.recycled, (Paths{u"C:\\Data\\Old"}));
    EXPECT_EQ(FullRow(u"C:\\Data\\Old"), kNoNode);
    EXPECT_EQ(FullRow(u"C:\\Data\\Old\\Deep\\more.zip"), kNoNode);
    const NodeId data = FullRow(u"C:\\Data");
    EXPECT_EQ(full.Size(data), 300 + 200 + 4000 + 1000);
    EXPECT_EQ(full.Files(data), 4u);
    EXPECT_EQ(full.Folders(data), 0u);
    const NodeId root = full.GetFirst();
    EXPECT_EQ(full.Folders(root), 2u);
    EXPECT_EQ(full.Files(root), 7u);
    EXPECT_EQ(engine.TotalSize, full.Size(root));
    EXPECT_EQ(engine.TotalSize, 10 + 5500 + 7080);
    EXPECT_EQ(engine.TotalFiles, 10u) << "the scan's count stays";
    // The folder list is shown again from the current folder.
    EXPECT_EQ(ListedSet(), (Paths{u"C:\\Data\\archive.tar.gz", u"C:\\Data\\pack.zip",
                                  u"C:\\Data\\photo.JPG", u"C:\\Data\\song.mp3"}));
}

TEST_F(ItemActionsTest, ARowStaysWhenItsMoveFailsAndItsPathIsStillThere) {
    ShowFolder(u"C:\\Data");
    TypeAndEnter(u"zip");
    Select({u"C:\\Data\\pack.zip", u"C:\\Data\\Old\\backup.ZIP", u"C:\\Data\\Old\\Deep\\more.zip"});
    shell.refuses = {u"C:\\Data\\Old\\backup.ZIP", u"C:\\Data\\Old\\Deep\\more.zip"};
    files.existing.erase(u"C:\\Data\\Old\\Deep\\more.zip");  // gone by other means
    const TDeleteResult r = Delete(platform::kIdYes);
    EXPECT_EQ(r.Moved, 1u);
    EXPECT_EQ(r.Kept, 1u);
    EXPECT_EQ(r.Removed, 2u);
    EXPECT_EQ(shell.recycled.size(), 3u);
    EXPECT_NE(FullRow(u"C:\\Data\\Old\\backup.ZIP"), kNoNode) << "in use: kept with its size";
    EXPECT_EQ(FullRow(u"C:\\Data\\Old\\Deep\\more.zip"), kNoNode);
    EXPECT_EQ(FullRow(u"C:\\Data\\pack.zip"), kNoNode);
    EXPECT_EQ(full.Size(FullRow(u"C:\\Data\\Old")), 2000 + 50);
    EXPECT_EQ(engine.TotalSize, 10 + 300 + 200 + 4000 + 2050 + 7080);
    EXPECT_EQ(Listed(), (Paths{u"C:\\Data\\Old\\backup.ZIP"})) << "the filter still applies";
    bool logged = false;
    for (const auto& line : platform::posix::CapturedDebugLines()) {
        logged = logged || line.find(u"C:\\Data\\Old\\backup.ZIP") != std::u16string::npos;
    }
    EXPECT_TRUE(logged);
}

TEST_F(ItemActionsTest, AFolderThatStaysLosesTheRowsOfWhatWentBeneathIt) {
    ShowFolder(u"C:\\Data");
    Select({u"C:\\Data\\Old"});
    shell.refuses = {u"C:\\Data\\Old"};
    // Cut short: the deep folder went, the rest is still there.
    files.existing.erase(u"C:\\Data\\Old\\Deep");
    files.existing.erase(u"C:\\Data\\Old\\Deep\\more.zip");
    const TDeleteResult r = Delete(platform::kIdYes);
    EXPECT_EQ(r.Kept, 1u);
    const NodeId old = FullRow(u"C:\\Data\\Old");
    ASSERT_NE(old, kNoNode);
    EXPECT_EQ(FullRow(u"C:\\Data\\Old\\Deep"), kNoNode);
    EXPECT_EQ(full.Size(old), 2050);
    EXPECT_EQ(full.Files(old), 2u);
    EXPECT_EQ(full.Folders(old), 0u);
}

TEST_F(ItemActionsTest, GroupRowsNeverReachTheShell) {
    views.AdvGlowButton_FormatsClick();
    grid.SelectAll();
    const uint32_t rows = full.NodeCount();
    Delete(platform::kIdYes);
    EXPECT_TRUE(shell.recycled.empty());
    EXPECT_EQ(full.NodeCount(), rows);
}

TEST_F(ItemActionsTest, ManySelectedRowsAreRemovedTogether) {
    std::vector<testing::DriveFile> many;
    for (int i = 0; i < 300; ++i) many.push_back({u"C:\\Big\\f" + ToDecimal(i) + u".bin", i});
    many.push_back({u"C:\\Big\\keep.bin", 1000});
    Build(many);
    files.existing.clear();
    for (NodeId n = full.GetFirst(); n != kNoNode; n = full.GetNext(n)) {
        files.existing.insert(full.FullPath(n));
    }
    ShowFolder(u"C:\\Big");
    grid.SelectAll();
    grid.SetSelected(VisibleRow(u"C:\\Big\\keep.bin"), false);
    const TDeleteResult r = Delete(platform::kIdYes);
    EXPECT_EQ(r.Removed, 300u);
    EXPECT_EQ(Listed(), (Paths{u"C:\\Big\\keep.bin"}));
    EXPECT_EQ(engine.TotalSize, 1000);
    EXPECT_EQ(full.NodeCount(), 3u);
}

TEST_F(ItemActionsTest, ClicksDuringAFilterWalkLeaveTheFullTreeAlone) {
    ShowFolder(u"C:\\Data");
    Select({u"C:\\Data\\Old"});
    int nested = 0;
    page.onPump = [&] {
        if (!views.Busy()) return;
        ++nested;
        views.AdvGlowButton_FilesClick();
        views.AdvGlowButton_FormatsClick();
        page.filterText = u"Archive";
        views.ComboBox_ORV_FilterChange();
        page.filterText = u"zip";
        EXPECT_FALSE(
            PopUp_DeleteClick(views, [](auto, auto, auto) { return platform::kIdYes; }).Asked);
    };
    const uint32_t rows = full.NodeCount();
    TypeAndEnter(u"zip");
    page.onPump = nullptr;
    EXPECT_GT(nested, 0);
    EXPECT_TRUE(shell.recycled.empty());
    EXPECT_EQ(full.NodeCount(), rows);
    EXPECT_EQ(engine.CURRENT_FILTER, u"ZIP\r\n");
    EXPECT_EQ(page.view, TViewKind::Structure);
    EXPECT_EQ(Listed(), (Paths{u"C:\\Data\\Old\\backup.ZIP", u"C:\\Data\\pack.zip",
                               u"C:\\Data\\Old\\Deep\\more.zip"}));
}

}  // namespace
}  // namespace orv::analysis
