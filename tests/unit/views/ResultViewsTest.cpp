// The result views and the extension filter against a small drive and a recording page.
#include <gtest/gtest.h>

#include <algorithm>

#include "ViewsFixture.h"
#include "core/TextAfterLast.h"

namespace orv::analysis {
namespace {

using testing::DriveFile;
using testing::ViewsTest;
using Paths = std::vector<std::u16string>;

TEST(FileExtensionRule, TakesTheTextAfterTheLastDotOfTheName) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"C:\\Data\\photo.JPG", u"JPG"},
        {u"C:\\Data\\archive.tar.gz", u"GZ"},
        {u"C:\\Data\\song.Mp3", u"MP3"},
        {u"C:\\Data\\a.b.", u"B."},  // a dot in the last place does not count
        {u"C:\\Data\\x.", u""},
        {u"C:\\Data\\README", u""},
        {u"C:\\Data\\.bashrc", u"BASHRC"},  // the only dot leading the name
        {u"C:\\dir.d\\makefile", u""},      // a dot in a folder name is not the file's
        {u"C:\\a..b", u"B"},
        {u"C:\\\u00e4.\u00e4a", u"\u00e4A"},  // only ASCII letters change case
    };
    for (const auto& [path, ext] : cases) {
        EXPECT_EQ(FileExtension(path), ext) << Utf16ToUtf8(path);
        // The same as the two TextAfterLast steps it is defined by.
        EXPECT_EQ(FileExtension(path), UpperAscii(TextAfterLast(TextAfterLast(path, u'\\'), u'.')))
            << Utf16ToUtf8(path);
    }
}

TEST(FilterEdit, SplitsTrimsUpperCasesAndDropsEmptyEntries) {
    const std::vector<std::pair<std::u16string, Paths>> cases = {
        {u"MP3 ; OGG ; WAV", {u"MP3", u"OGG", u"WAV"}},
        {u"mp3;ogg", {u"MP3", u"OGG"}},
        {u"", {}},
        {u"   ", {}},
        {u" ; ;; flac ;", {u"FLAC"}},
        {u"  7z  ", {u"7Z"}},
        {u"*.zip ; .rar", {u"*.ZIP", u".RAR"}},  // kept as typed: such entries match nothing
        {u"a b;c", {u"A B", u"C"}},
    };
    for (const auto& [text, expected] : cases) {
        Paths list = {u"LEFT OVER"};
        Read_Filter_From_Edit(list, text);
        EXPECT_EQ(list, expected) << Utf16ToUtf8(text);
    }
    EXPECT_EQ(FilterText({u"MP3", u"OGG"}), u"MP3\r\nOGG\r\n");
    EXPECT_EQ(FilterText({}), u"");
}

TEST(ViewLayouts, ColumnsBoxesAndButtonsPerView) {
    struct Case {
        TViewKind view;
        std::array<bool, 6> columns;
        bool bar, filter, folders;
    };
    const std::vector<Case> cases = {
        {TViewKind::Structure, {true, true, true, true, true, true}, true, true, true},
        {TViewKind::Files, {true, false, false, true, true, false}, false, true, false},
        {TViewKind::Formats, {true, false, true, true, true, false}, false, false, false},
    };
    for (const Case& c : cases) {
        const TViewLayout l = ViewLayout(c.view);
        EXPECT_EQ(l.Columns, c.columns);
        EXPECT_EQ(l.NameBarShown, c.bar);
        EXPECT_EQ(l.FilterShown, c.filter);
        EXPECT_EQ(l.FolderListShown, c.folders);
        // Exactly the active view's button is disabled.
        EXPECT_EQ(l.FoldersEnabled, c.view != TViewKind::Structure);
        EXPECT_EQ(l.FilesEnabled, c.view != TViewKind::Files);
        EXPECT_EQ(l.FormatsEnabled, c.view != TViewKind::Formats);
    }
}

TEST(FilterBox, ListsTheOwnGroupOnlyWhenCheckedNamedAndFilled) {
    struct Case {
        bool show;
        std::u16string name, list;
        bool listed;
    };
    const std::vector<Case> cases = {
        {true, u"Mine", u"XYZ", true},
        {false, u"Mine", u"XYZ", false},
        {true, u"", u"XYZ", false},
        {true, u"Mine", u"", false},
    };
    for (const Case& c : cases) {
        TFormatSettings s = DefaultFormatSettings();
        s.ShowOwnGroup = c.show;
        s.OwnGroupName = c.name;
        s.Lists[kOwnGroup] = c.list;
        Paths expected = {u"Alle Dateien", u"Audio-Dateien", u"Video-Dateien", u"Bild-Dateien",
                          u"Archive",      u"Dokumente",     u"Anwendungen"};
        if (c.listed) expected.push_back(u"Mine");
        EXPECT_EQ(FilterBoxItems(s), expected);
    }
}

// ---- Structure view and filter ----

TEST_F(ViewsTest, StructureViewListsTheFolderChildrenSortedLargestFirst) {
    ShowFolder(u"C:\\Data");
    EXPECT_EQ(Listed(), (Paths{u"C:\\Data\\archive.tar.gz", u"C:\\Data\\Old", u"C:\\Data\\pack.zip",
                               u"C:\\Data\\song.mp3", u"C:\\Data\\photo.JPG"}));
    EXPECT_EQ(engine.Current_RootNode, views.Current_RootNode);
    EXPECT_EQ(full.FullPath(engine.Current_RootNode), u"C:\\Data");
    EXPECT_FALSE(engine.FLAG_SHOW_FULLPATH);
    for (int c = 0; c < 6; ++c) EXPECT_TRUE(grid.Column(c).Visible) << c;
}

TEST_F(ViewsTest, ViewSwitchRunsTheCommonVisibilityStepsInOrder) {
    page.directory = u"C:\\Data";
    views.AdvGlowButton_FoldersClick();
    const std::vector<std::string> head(page.log.begin(), page.log.begin() + 7);
    EXPECT_EQ(head, (std::vector<std::string>{"buttons", "pump", "boxes bar=1 filter=1", "pump",
                                              "folders shown", "pump", "pump"}));
}

TEST_F(ViewsTest, TypedExtensionWithEnterListsItsFilesBeneathTheFolderFlatWithFullPaths) {
    ShowFolder(u"C:\\Data");
    for (const std::u16string typed : {u"*.ZIP", u"zip"}) {
        Pick(u"Alle Dateien");
        page.filterText = typed;
        views.ComboBox_ORV_FilterChange();  // typing alone filters nothing
        EXPECT_EQ(engine.CURRENT_FILTER, u"") << Utf16ToUtf8(typed);
        TypeAndEnter(typed);
        EXPECT_EQ(engine.CURRENT_FILTER, u"ZIP\r\n");
        EXPECT_EQ(Listed(), (Paths{u"C:\\Data\\Old\\backup.ZIP", u"C:\\Data\\pack.zip",
                                   u"C:\\Data\\Old\\Deep\\more.zip"}))
            << Utf16ToUtf8(typed);
        // The sum is over the whole drive, as the status line shows it with the drive's count.
        EXPECT_EQ(engine.CURRENT_FILTER_TOTALFILESIZE, 1000 + 2000 + 500 + 7000);
        EXPECT_FALSE(views.RETURN_PRESSED);
    }
    // Folders are hidden in the full tree, and every file of another extension.
    const Paths hidden = HiddenInFull();
    EXPECT_NE(std::find(hidden.begin(), hidden.end(), u"C:\\Data\\Old"), hidden.end());
    EXPECT_NE(std::find(hidden.begin(), hidden.end(), u"C:\\Data\\song.mp3"), hidden.end());
    EXPECT_EQ(std::find(hidden.begin(), hidden.end(), u"C:\\Other\\elsewhere.zip"), hidden.end());
}

TEST_F(ViewsTest, AllFilesEntryShowsEveryRowAgain) {
    ShowFolder(u"C:\\Data");
    TypeAndEnter(u"zip");
    ASSERT_FALSE(HiddenInFull().empty());
    Pick(u"Alle Dateien");
    EXPECT_TRUE(HiddenInFull().empty());
    EXPECT_EQ(engine.CURRENT_FILTER, u"");
    EXPECT_EQ(engine.CURRENT_FILTER_TOTALFILESIZE, 0);
    EXPECT_EQ(Listed().size(), 5u) << "the folder's own children again";
}

TEST_F(ViewsTest, PickingAGroupFiltersAtOnceAndTheSameGroupAgainDoesNothing) {
    ShowFolder(u"C:\\");
    Pick(u"Archive");
    EXPECT_EQ(engine.CURRENT_FILTER, u"ZIP\r\nRAR\r\nCAB\r\n7Z\r\nACE\r\nGZIP\r\nTAR\r\n");
    const Paths first = Listed();
    EXPECT_EQ(first.size(), 4u) << "tar.gz is no archive by the default lists";

    page.log.clear();
    page.positions.clear();
    Pick(u"Archive");
    EXPECT_TRUE(page.log.empty()) << "no walk, no status, no refill";
    EXPECT_TRUE(page.positions.empty());
    EXPECT_EQ(Listed(), first);
}

TEST_F(ViewsTest, AGroupWithAnEmptyEditRemovesTheFilterEffectButKeepsTheBoxText) {
    page.settings.Lists[1] = u"";  // audio
    ShowFolder(u"C:\\Data");
    TypeAndEnter(u"zip");
    Pick(u"Audio-Dateien");
    EXPECT_TRUE(HiddenInFull().empty());
    EXPECT_EQ(engine.CURRENT_FILTER, u"");
    EXPECT_EQ(page.filterText, u"Audio-Dateien");
    EXPECT_EQ(Listed().size(), 5u);
}

TEST_F(ViewsTest, ChangesWhileReadingSettingsOrWithoutResultsDoNothing) {
    ShowFolder(u"C:\\Data");
    for (int c = 0; c < 2; ++c) {
        views.READING_SETTINGS_NOW = c == 0;
        page.rightPanelVisible = c == 0;
        page.log.clear();
        TypeAndEnter(u"zip");
        page.nameBarIndex = 1;
        views.ComboBox_ORV_NameBalkenChange();
        EXPECT_EQ(engine.CURRENT_FILTER, u"");
        EXPECT_EQ(engine.FLAG_NAMEBALKEN, 0);
        EXPECT_TRUE(page.log.empty());
    }
}

TEST_F(ViewsTest, EnterOnAGroupNameDoesNotLeaveATypedTextToFilterLater) {
    ShowFolder(u"C:\\Data");
    TypeAndEnter(u"Archive");
    ASSERT_FALSE(engine.CURRENT_FILTER.empty());
    Pick(u"Alle Dateien");
    page.filterText = u"z";
    views.ComboBox_ORV_FilterChange();
    EXPECT_EQ(engine.CURRENT_FILTER, u"");
}

TEST_F(ViewsTest, AnEmptiedBoxDoesNotPickAnUnnamedOwnGroup) {
    page.settings.Lists[kOwnGroup] = u"MP3";
    ShowFolder(u"C:\\Data");
    Pick(u"");
    EXPECT_EQ(engine.CURRENT_FILTER, u"");
}

TEST_F(ViewsTest, NameBarChoiceGoesToTheEngine) {
    ShowFolder(u"C:\\Data");
    for (auto [index, flag] : {std::pair{1, 1}, {2, 2}, {0, 0}, {3, 0}, {-1, 0}}) {
        page.nameBarIndex = index;
        page.log.clear();
        views.ComboBox_ORV_NameBalkenChange();
        EXPECT_EQ(engine.FLAG_NAMEBALKEN, flag) << index;
        EXPECT_EQ(page.log, (std::vector<std::string>{"resize", "repaint panel"}));
    }
}

TEST_F(ViewsTest, FilterWalkPumpsEveryTenRowsAndAdvancesTheProgressToTheEnd) {
    ShowFolder(u"C:\\Data");
    page.log.clear();
    page.positions.clear();
    TypeAndEnter(u"zip");
    const uint32_t rows = full.NodeCount();  // five folders and ten files
    EXPECT_TRUE(page.Logged("progress shown"));
    EXPECT_TRUE(page.Logged("progress max " + std::to_string(rows)));
    EXPECT_TRUE(page.Logged("progress hidden"));
    std::vector<int> expected = {0};
    for (uint32_t r = 10; r <= rows; r += 10) expected.push_back(static_cast<int>(r));
    expected.push_back(static_cast<int>(rows));
    EXPECT_EQ(page.positions, expected);
}

TEST_F(ViewsTest, FilterWalkStopsWhenTheProgramCloses) {
    std::vector<DriveFile> many;
    for (int i = 0; i < 100; ++i) many.push_back({u"C:\\f" + ToDecimal(i) + u".zip", 1});
    Build(many);
    ShowFolder(u"C:\\");
    page.positions.clear();
    ClosingRequested = true;  // set by the main window while the walk pumps
    TypeAndEnter(u"zip");
    EXPECT_EQ(page.positions, (std::vector<int>{0, 10})) << "stopped at the first pump";
    EXPECT_FALSE(page.Logged("progress hidden"));
}

// ---- View of all files ----

TEST_F(ViewsTest, FilesViewListsEveryFileFlatAndClearsTheFilter) {
    ShowFolder(u"C:\\Data");
    TypeAndEnter(u"zip");
    page.log.clear();
    views.AdvGlowButton_FilesClick();
    EXPECT_EQ(page.view, TViewKind::Files);
    EXPECT_TRUE(engine.FLAG_SHOW_FULLPATH);
    EXPECT_EQ(engine.FLAG_NAMEBALKEN, 0);
    EXPECT_EQ(engine.CURRENT_FILTER, u"");
    EXPECT_TRUE(HiddenInFull().empty());
    EXPECT_EQ(page.directory, u"C:\\") << "the drive root becomes the current folder";
    EXPECT_TRUE(page.readingWhenFirstSelected);
    EXPECT_FALSE(views.READING_SETTINGS_NOW);
    EXPECT_EQ(Listed().size(), 10u);
    EXPECT_EQ(Listed().front(), u"C:\\Other\\elsewhere.zip");
    for (const auto& path : Listed()) EXPECT_EQ(path.substr(0, 3), u"C:\\");
    const std::array<bool, 6> columns = {true, false, false, true, true, false};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(grid.Column(c).Visible, columns[c]) << c;
    EXPECT_TRUE(page.Logged("boxes bar=0 filter=1"));
    EXPECT_TRUE(page.Logged("folders hidden"));

    // The bar choice waits in its box for the structure view.
    page.nameBarIndex = 2;
    ShowFolder(u"C:\\Data");
    EXPECT_EQ(engine.FLAG_NAMEBALKEN, 2);
    EXPECT_FALSE(engine.FLAG_SHOW_FULLPATH);
}

TEST_F(ViewsTest, AllFilesEntryInTheFilesViewCopiesEveryFile) {
    views.AdvGlowButton_FilesClick();
    TypeAndEnter(u"mp3");
    EXPECT_EQ(Listed(), (Paths{u"C:\\Data\\song.mp3"}));
    Pick(u"Alle Dateien");
    EXPECT_EQ(Listed().size(), 10u);
}

// ---- File-formats view ----

struct GroupRow {
    std::u16string name;
    int64_t size;
    uint32_t files;
    int32_t image;
    bool operator==(const GroupRow&) const = default;
};
void PrintTo(const GroupRow& r, std::ostream* os) {
    *os << Utf16ToUtf8(r.name) << " size=" << r.size << " files=" << r.files
        << " image=" << r.image;
}

class FormatsViewTest : public ViewsTest {
  protected:
    std::vector<GroupRow> Groups() {
        std::vector<GroupRow> out;
        for (NodeId n = visibleTree.GetFirst(); n != kNoNode; n = visibleTree.NextSibling(n)) {
            EXPECT_FALSE(visibleTree.IsFolder(n));
            EXPECT_EQ(visibleTree.Folders(n), 0u);
            out.push_back({visibleTree.FullPath(n), visibleTree.Size(n), visibleTree.Files(n),
                           visibleTree.ImageIndex(n)});
        }
        return out;
    }
};

TEST_F(FormatsViewTest, GroupsTheFilesByTheDefaultLists) {
    views.AdvGlowButton_FormatsClick();
    EXPECT_EQ(Groups(), (std::vector<GroupRow>{
                            {u"Video-Dateien", 0, 0, 8},
                            {u"Audio-Dateien", 300, 1, 9},
                            {u"Bild-Dateien", 200, 1, 10},  // photo.JPG
                            {u"Archive", 10500, 4, 11},     // not archive.tar.gz
                            {u"Dokumente", 50, 1, 12},
                            {u"Anwendungen", 80, 1, 13},
                        }));
    EXPECT_EQ(engine.CURRENT_FILTER_TOTALFILESIZE, 300 + 200 + 10500 + 50 + 80);
    EXPECT_EQ(page.view, TViewKind::Formats);
    EXPECT_EQ(engine.FLAG_NAMEBALKEN, 0);
    const std::array<bool, 6> columns = {true, false, true, true, true, false};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(grid.Column(c).Visible, columns[c]) << c;
    EXPECT_TRUE(page.Logged("boxes bar=0 filter=0"));
    EXPECT_EQ(page.log.back(), "resize");
}

TEST_F(FormatsViewTest, AnExtensionInTwoListsCountsForTheEarlierInMatchingOrder) {
    struct Case {
        const char* what;
        int row;  // the list that also gets some extensions of other groups
        std::u16string list;
        std::vector<GroupRow> expected;
    };
    const std::vector<Case> cases = {
        // Documents are matched before archives, though their row comes after.
        {"documents and archives",
         4,
         u"DOC ; ZIP",
         {{u"Video-Dateien", 0, 0, 8},
          {u"Audio-Dateien", 300, 1, 9},
          {u"Bild-Dateien", 200, 1, 10},
          {u"Archive", 0, 0, 11},
          {u"Dokumente", 50 + 1000 + 2000 + 500 + 7000, 5, 12},
          {u"Anwendungen", 80, 1, 13},
          {u"Mine", 0, 0, 14}}},
        // The own group is matched last: MP3 stays audio, ZIP archives; INI is its own.
        {"own group and built-in groups",
         kOwnGroup,
         u"MP3 ; ZIP ; INI",
         {{u"Video-Dateien", 0, 0, 8},
          {u"Audio-Dateien", 300, 1, 9},
          {u"Bild-Dateien", 200, 1, 10},
          {u"Archive", 10500, 4, 11},
          {u"Dokumente", 50, 1, 12},
          {u"Anwendungen", 80, 1, 13},
          {u"Mine", 10, 1, 14}}},
    };
    for (const Case& c : cases) {
        page.settings = DefaultFormatSettings();
        page.settings.Lists[c.row] = c.list;
        page.settings.ShowOwnGroup = true;
        page.settings.OwnGroupName = u"Mine";
        views.AdvGlowButton_FormatsClick();
        EXPECT_EQ(Groups(), c.expected) << c.what;
        int64_t total = 0;
        for (const auto& g : c.expected) total += g.size;
        EXPECT_EQ(engine.CURRENT_FILTER_TOTALFILESIZE, total) << c.what;
    }
}

TEST_F(FormatsViewTest, AnUncheckedOwnGroupStillMatchesItsFilesButHasNoRow) {
    for (const bool show : {false, true}) {
        page.settings = DefaultFormatSettings();
        page.settings.Lists[kOwnGroup] = u"GZ";
        page.settings.OwnGroupName = u"Packed";
        page.settings.ShowOwnGroup = show;
        views.AdvGlowButton_FormatsClick();
        const auto groups = Groups();
        ASSERT_EQ(groups.size(), show ? 7u : 6u);
        // archive.tar.gz counts in the grand total either way.
        EXPECT_EQ(engine.CURRENT_FILTER_TOTALFILESIZE, 300 + 200 + 10500 + 50 + 80 + 4000);
        if (show) {
            EXPECT_EQ(groups.back(), (GroupRow{u"Packed", 4000, 1, 14}));
        }
    }
}

TEST_F(FormatsViewTest, ShowsEveryRowAndTheStructureViewAppliesTheBoxGroupAfterwards) {
    ShowFolder(u"C:\\Data");
    Pick(u"Archive");
    const Paths filtered = Listed();
    ASSERT_EQ(filtered.size(), 3u);
    views.AdvGlowButton_FormatsClick();
    EXPECT_TRUE(HiddenInFull().empty());
    // Back in the structure view with "Archive" still in the box: its files, not everything.
    ShowFolder(u"C:\\Data");
    EXPECT_EQ(Listed(), filtered);
}

// ---- Folder selection ----

TEST_F(ViewsTest, FolderWithoutARowShowsAnEmptyList) {
    ShowFolder(u"C:\\Data");
    ASSERT_FALSE(Listed().empty());
    page.log.clear();
    views.JvDirectoryListBox1Change(u"C:\\Nowhere");
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(engine.Current_RootNode, kNoNode);
    EXPECT_EQ(page.log, (std::vector<std::string>{"resize"}));
}

TEST(CopyVisibleChildren, CopiesVisibleRowsShallowOrAtAllDepths) {
    ResultTree full;
    testing::DriveBuilder b(full);
    b.File({u"C:\\A\\x.txt", 1});
    b.File({u"C:\\A\\B\\y.txt", 2});
    b.File({u"C:\\A\\B\\z.txt", 3});
    const NodeId a = b.Folder(u"C:\\A");
    const NodeId bdir = b.Folder(u"C:\\A\\B");
    full.SetVisible(bdir, false);  // a hidden folder's rows are still looked at when deep
    struct Case {
        bool deep;
        Paths expected;
    };
    for (const Case& c : {Case{false, {u"C:\\A\\x.txt"}},
                          Case{true, {u"C:\\A\\x.txt", u"C:\\A\\B\\y.txt", u"C:\\A\\B\\z.txt"}}}) {
        ResultTree target;
        Copy_Visible_Children(target, full, a, c.deep);
        Paths got;
        for (NodeId n = target.GetFirst(); n != kNoNode; n = target.NextSibling(n)) {
            got.push_back(target.FullPath(n));
            EXPECT_EQ(target.Parent(n), kNoNode);
        }
        EXPECT_EQ(got, c.expected) << c.deep;
    }
    ResultTree fromRoot;
    Copy_Visible_Children(fromRoot, full, full.GetFirst(), false);
    ASSERT_EQ(fromRoot.NodeCount(), 1u);
    EXPECT_EQ(fromRoot.FullPath(fromRoot.GetFirst()), u"C:\\A") << "no doubled backslash";
}

}  // namespace
}  // namespace orv::analysis
