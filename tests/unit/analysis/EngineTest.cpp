// The scan engine against a scripted snapshot library that hands out hand-made records.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedSnapshot.h"
#include "analysis/nogui_Orvella.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "platform/posix/Capture.h"

namespace orv::analysis {
namespace {

using orv::testing::Dir;
using orv::testing::Entry;
using orv::testing::File;
using orv::testing::Script;
namespace capture = orv::platform::posix;

struct Row {
    std::u16string path;
    bool folder = false;
    int64_t size = 0;
    uint32_t folders = 0;
    uint32_t files = 0;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << (r.folder ? "folder " : "file ") << Utf16ToUtf8(r.path) << " size=" << r.size
        << " folders=" << r.folders << " files=" << r.files;
}

std::vector<Row> Rows(const ResultTree& t) {
    std::vector<Row> out;
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.GetNext(n)) {
        out.push_back({t.FullPath(n), t.IsFolder(n), t.Size(n), t.Folders(n), t.Files(n)});
    }
    return out;
}

std::vector<std::u16string> Paths(const ResultTree& t) {
    std::vector<std::u16string> out;
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.GetNext(n)) out.push_back(t.FullPath(n));
    return out;
}

// Every folder row holds the sums over the rows beneath it; file rows count nothing.
void ExpectTotalsInvariant(const ResultTree& t) {
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.GetNext(n)) {
        if (!t.IsFolder(n)) {
            EXPECT_EQ(t.Folders(n), 0u);
            EXPECT_EQ(t.Files(n), 0u);
            continue;
        }
        uint32_t folders = 0, files = 0;
        int64_t size = 0;
        for (NodeId c = t.FirstChild(n); c != kNoNode; c = t.NextSibling(c)) {
            folders += t.IsFolder(c) ? 1 + t.Folders(c) : 0;
            files += t.IsFolder(c) ? t.Files(c) : 1;
            size += t.Size(c);
        }
        EXPECT_EQ(t.Folders(n), folders) << Utf16ToUtf8(t.FullPath(n));
        EXPECT_EQ(t.Files(n), files) << Utf16ToUtf8(t.FullPath(n));
        EXPECT_EQ(t.Size(n), size) << Utf16ToUtf8(t.FullPath(n));
    }
}

struct ProgressLog final : TProgressTarget {
    std::vector<std::string> events;
    void SetMax(int max) override { events.push_back("max " + std::to_string(max)); }
    void SetPosition(int p) override { events.push_back("pos " + std::to_string(p)); }
};

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Script() = orv::testing::LibraryScript{};
        capture::ClearCaptures();
        ScanAbortRequested = false;
        ProgramFolder = u"\\opt\\orvella";
        platform::SetSystem(&sys);
    }
    void TearDown() override {
        platform::SetSystem(nullptr);
        ScanAbortRequested = false;
    }
    // An engine that pumps at every point where the walk may (so aborts are exact).
    std::unique_ptr<TOrvella> Engine() {
        auto e = std::make_unique<TOrvella>(&tree);
        e->PumpStride = 1;
        e->PumpIntervalMs = 0;
        return e;
    }
    std::vector<Row> Scan(const std::vector<Entry>& entries, std::u16string_view drive = u"C:\\") {
        Script().root = orv::testing::BuildTree(builder, entries);
        auto e = Engine();
        e->DO_Drive(drive);
        totalSize = e->TotalSize;
        totalFiles = e->TotalFiles;
        return Rows(tree);
    }

    orv::testing::ScriptedSystem sys;
    orv::testing::SnapshotBuilder builder;
    ResultTree tree;
    int64_t totalSize = -1;
    uint32_t totalFiles = 12345;
};

TEST_F(EngineTest, ScansThroughTheLibraryInOrderAskingForTheTableBeforeEveryCall) {
    Script().root = orv::testing::BuildTree(builder, {File(u"a", {5})});
    Script().callbacks = {{undel::kCmdProgress, 550}};
    ProgressLog progress;
    {
        auto e = Engine();
        e->ProgressBar = &progress;
        e->DO_Drive(u"C:\\");
        EXPECT_EQ(Script().loadedPath, u"\\opt\\orvella" + std::u16string(kUndeleteLibraryFile));
        EXPECT_EQ(Script().calls, (std::vector<std::string>{
                                      "NewVolume", "OpenVolume", "NewSnapshot", "UpdateSnapshot",
                                      "FreeSnapshot", "CloseVolume", "FreeVolume"}));
        EXPECT_EQ(Script().entryCalls, 7);
        EXPECT_EQ(Script().openedRoot, u"C:\\");
        EXPECT_EQ(Script().updateFlags, 1u);
        EXPECT_EQ(Script().updateUserdata, e.get());
        EXPECT_EQ(Script().updateClusterMap, nullptr);
        EXPECT_TRUE(Script().callbackWasSet);
        EXPECT_EQ(progress.events, (std::vector<std::string>{"pos 0", "max 1100", "pos 550"}));
        EXPECT_EQ(e->Analysed_Drive, u"C:\\");
        EXPECT_EQ(e->TotalSize, 5);
        EXPECT_EQ(e->TotalFiles, 1u);
        EXPECT_TRUE(capture::CapturedMessageBoxes().empty());
        EXPECT_FALSE(Script().unloaded);
    }
    EXPECT_TRUE(Script().unloaded) << "the engine unloads the library when it goes";
}

TEST_F(EngineTest, LibraryFailuresAreShownOnceAndLaterScansEndEmpty) {
    struct Case {
        bool loadable;
        bool hasEntry;
        std::u16string message;
    };
    const std::vector<Case> cases = {
        {false, true, u"Error loading Undelete-DLL! Handle=0 ?"},
        {true, false, u"Error in accessing Undelete.dll!"},
    };
    for (const Case& c : cases) {
        SetUp();
        Script().loadable = c.loadable;
        Script().hasEntry = c.hasEntry;
        Script().root = orv::testing::BuildTree(builder, {File(u"a", {5})});
        tree.AddNamedChild(kNoNode, u"left over", false, 1);
        auto e = Engine();
        ASSERT_EQ(capture::CapturedMessageBoxes().size(), 1u);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].text, c.message);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].caption, ProgramTitle);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].flags, platform::kMbIconError);
        EXPECT_TRUE(capture::CapturedDebugLines().empty()) << "no version lines";
        e->TotalSize = 99;
        e->TotalFiles = 9;
        e->DO_Drive(u"C:\\");
        EXPECT_EQ(capture::CapturedMessageBoxes().size(), 1u) << "no further message";
        EXPECT_EQ(tree.NodeCount(), 0u);
        EXPECT_EQ(e->TotalSize, 0);
        EXPECT_EQ(e->TotalFiles, 0u);
        EXPECT_TRUE(Script().calls.empty());
    }
}

TEST_F(EngineTest, ScanFailuresShowTheirMessageReleaseWhatExistsAndLeaveNothing) {
    struct Case {
        bool orv::testing::LibraryScript::*failure;
        std::u16string message;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {&orv::testing::LibraryScript::newVolumeFails, u"Error: Volume=nil", {"NewVolume"}},
        {&orv::testing::LibraryScript::openVolumeFails,
         u"Error: OpenVolume failed",
         {"NewVolume", "OpenVolume", "FreeVolume"}},
        {&orv::testing::LibraryScript::newSnapshotFails,
         u"Error: NewSnapShot failed",
         {"NewVolume", "OpenVolume", "NewSnapshot", "CloseVolume", "FreeVolume"}},
    };
    for (const Case& c : cases) {
        SetUp();
        Script().root = orv::testing::BuildTree(builder, {Dir(u"d", {File(u"a", {5})})});
        auto e = Engine();
        e->DO_Drive(u"C:\\");
        ASSERT_EQ(tree.NodeCount(), 3u);
        ASSERT_EQ(e->TotalSize, 5);

        Script().calls.clear();
        Script().*c.failure = true;
        e->DO_Drive(u"D:\\");
        ASSERT_EQ(capture::CapturedMessageBoxes().size(), 1u);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].text, c.message);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].caption, ProgramTitle);
        EXPECT_EQ(capture::CapturedMessageBoxes()[0].flags, platform::kMbIconError);
        EXPECT_EQ(Script().calls, c.calls);
        EXPECT_EQ(tree.NodeCount(), 0u);
        EXPECT_EQ(e->TotalSize, 0);
        EXPECT_EQ(e->TotalFiles, 0u);
        EXPECT_EQ(e->Analysed_Drive, u"D:\\");
    }
}

TEST_F(EngineTest, LogsTheLibraryVersionInTwoLines) {
    struct Case {
        uint32_t version;
        std::u16string decimal;
        std::u16string dotted;
    };
    const std::vector<Case> cases = {
        {0x00010203, u"66051", u"1.2.3"},
        {0xABCD0102, u"2882339074", u"43981.1.2"},
        {0, u"0", u"0.0.0"},
        {0xFFFFFFFF, u"4294967295", u"65535.255.255"},
    };
    for (const Case& c : cases) {
        SetUp();
        Script().version = c.version;
        auto e = Engine();
        EXPECT_EQ(capture::CapturedDebugLines(),
                  (std::vector<std::u16string>{u"Undeleter.dll ; Version = " + c.decimal,
                                               u"Undeleter.dll ; Version = " + c.dotted}));
    }
    SetUp();
    Script().hasVersion = false;
    auto e = Engine();
    EXPECT_TRUE(capture::CapturedDebugLines().empty());
    EXPECT_TRUE(capture::CapturedMessageBoxes().empty()) << "the version export is optional";
}

TEST_F(EngineTest, DriveRootGivesTopRowWithBackslashAndDerivedRowsBeneath) {
    const auto rows =
        Scan({File(u"boot.ini", {100}), Dir(u"A", {File(u"f", {1}), Dir(u"B", {File(u"g", {2})})}),
              Dir(u"Empty")});
    EXPECT_EQ(rows, (std::vector<Row>{
                        {u"C:\\", true, 103, 3, 3},
                        {u"C:\\boot.ini", false, 100, 0, 0},
                        {u"C:\\A", true, 3, 1, 2},
                        {u"C:\\A\\f", false, 1, 0, 0},
                        {u"C:\\A\\B", true, 2, 0, 1},
                        {u"C:\\A\\B\\g", false, 2, 0, 0},
                        {u"C:\\Empty", true, 0, 0, 0},
                    }));
    EXPECT_EQ(totalSize, 103);
    EXPECT_EQ(totalFiles, 3u);
    // Only the top row stores its path; the others derive theirs.
    for (NodeId n = tree.GetFirst(); n != kNoNode; n = tree.GetNext(n)) {
        EXPECT_EQ(tree.HasOwnPath(n), n == tree.GetFirst()) << Utf16ToUtf8(tree.FullPath(n));
        EXPECT_EQ(tree.ImageIndex(n), 0);
        EXPECT_TRUE(tree.IsVisible(n));
    }
}

TEST_F(EngineTest, FileSizeIsTheSumOfValidSizeOverAllStreams) {
    struct Case {
        std::vector<uint64_t> streams;
        int64_t expected;
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{7}, 7},
        {{1000, 24}, 1024},
        {{0x100000000ull, 1, 2}, 0x100000003ll},
    };
    for (const Case& c : cases) {
        SetUp();
        tree.Clear();
        const auto rows = Scan({File(u"x", c.streams)});
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1].size, c.expected);  // the records' Size differs from ValidSize
        EXPECT_EQ(totalSize, c.expected);
    }
}

TEST_F(EngineTest, FileNamesAreTrimmedFolderNamesKeepTheirBlanks) {
    const auto paths = [&] {
        Scan({File(u" a.txt "),
              File(u"\t\x01"
                   u"b\x1f"),
              Dir(u" F ", {File(u" c "), Dir(u" G ")}), File(u"   ")});
        return Paths(tree);
    }();
    EXPECT_EQ(paths, (std::vector<std::u16string>{u"C:\\", u"C:\\a.txt", u"C:\\b", u"C:\\ F ",
                                                  u"C:\\ F \\c", u"C:\\ F \\ G ", u"C:\\"}));
}

TEST_F(EngineTest, FoldersWhosePathContainsAllDeletedStayOutWithTheirContent) {
    const auto rows = Scan({
        Dir(u"{ALL DELETED}", {File(u"x", {100})}),
        Dir(u"keep", {Dir(u"deep", {Dir(u"x{all Deleted 3}y", {File(u"gone", {5}), Dir(u"z")}),
                                    File(u"stay", {1})})}),
        File(u"{ALL DELETED}.txt", {2}),
        Dir(u"{ALL  DELETED}"),
        Dir(u"{ALL DELETE"),
        Dir(u"{aLl DeLeTeD"),
    });
    EXPECT_EQ(rows, (std::vector<Row>{
                        {u"C:\\", true, 3, 4, 2},
                        {u"C:\\keep", true, 1, 1, 1},
                        {u"C:\\keep\\deep", true, 1, 0, 1},
                        {u"C:\\keep\\deep\\stay", false, 1, 0, 0},
                        {u"C:\\{ALL DELETED}.txt", false, 2, 0, 0},
                        {u"C:\\{ALL  DELETED}", true, 0, 0, 0},
                        {u"C:\\{ALL DELETE", true, 0, 0, 0},
                    }));
    EXPECT_EQ(totalFiles, 2u);

    tree.Clear();
    Scan({File(u"x", {1})}, u"C:\\Recycled\\{all deleted}\\");
    EXPECT_EQ(tree.NodeCount(), 0u) << "the scanned path itself";
    EXPECT_EQ(totalSize, 0);
    EXPECT_EQ(totalFiles, 0u);
}

TEST_F(EngineTest, EntriesWithFlagsBit31AreLeftOutFilesAndFoldersAlike) {
    const auto rows = Scan({
        File(u"hidden", {5}, 0x80000000u),
        Dir(u"hiddenDir", {File(u"in", {7})}, 0x80000000u),
        File(u"bit30", {1}, 0x40000000u),
        Dir(u"shown", {File(u"in2", {2}, 0xFFFFFFFFu), Dir(u"sub", {}, 0x80000001u)}, 0x7FFFFFFFu),
    });
    EXPECT_EQ(rows, (std::vector<Row>{
                        {u"C:\\", true, 1, 1, 1},
                        {u"C:\\bit30", false, 1, 0, 0},
                        {u"C:\\shown", true, 0, 0, 0},
                    }));
    EXPECT_EQ(totalFiles, 1u);
}

TEST_F(EngineTest, EntriesWithoutNameOrRecordAreSkipped) {
    undel::TFILE_RECORD* root = builder.NewRecord(true);
    undel::TFILE_RECORD* file = builder.NewRecord(false);
    builder.AddStream(file, 3);
    builder.AddEntry(root, nullptr, file);          // no TFILE_NAME
    builder.AddEntryWithNullName(root, file);       // TFILE_NAME without text
    builder.AddEntry(root, u"no record", nullptr);  // no record
    undel::TFILE_RECORD* broken = builder.NewRecord(true);
    builder.AddEntry(root, u"broken", broken);
    broken->NumDirItems = 5;  // but no array
    undel::TFILE_RECORD* negative = builder.NewRecord(true);
    builder.AddEntry(negative, u"never", file);
    negative->NumDirItems = -1;
    builder.AddEntry(root, u"negative", negative);
    builder.AddEntry(root, u"real", file);
    Script().root = root;
    auto e = Engine();
    e->DO_Drive(u"C:\\");
    EXPECT_EQ(Paths(tree),
              (std::vector<std::u16string>{u"C:\\", u"C:\\broken", u"C:\\negative", u"C:\\real"}));
    EXPECT_EQ(e->TotalSize, 3);
    EXPECT_EQ(e->TotalFiles, 1u);

    Script().root = nullptr;
    Script().calls.clear();
    e->DO_Drive(u"C:\\");
    EXPECT_EQ(tree.NodeCount(), 0u) << "no root record";
    EXPECT_EQ(e->TotalSize, 0);
    EXPECT_EQ(Script().calls.back(), "FreeVolume");
}

// The rows the engine must produce, written the plain way: whole paths built as text.
void ReferenceWalk(const undel::TFILE_RECORD* rec, const std::u16string& path,
                   std::vector<Row>& out) {
    if (rec == nullptr) return;
    if (UpperAscii(path).find(u"{ALL DELETED") != std::u16string::npos) return;
    out.push_back({path.size() > 3 ? path.substr(0, path.size() - 1) : path, true, 0, 0, 0});
    for (int32_t i = 0; i < rec->NumDirItems; ++i) {
        const undel::TDIR_ITEM& item = rec->DirItems[i];
        if (item.FileName == nullptr || item.aRecord == nullptr) continue;
        if (item.aRecord->Flags & undel::kFlagLeftOut) continue;
        const std::u16string name(item.FileName->Name);
        if (!item.aRecord->IsDir) {
            int64_t size = 0;
            for (auto* s = item.aRecord->Streams; s != nullptr; s = s->Next) size += s->ValidSize;
            out.push_back({path + std::u16string(TrimBlanks(name)), false, size, 0, 0});
        } else {
            ReferenceWalk(item.aRecord, path + name + u"\\", out);
        }
    }
}

TEST_F(EngineTest, CompactPathsEqualTheWholePathsForAnyScannedPath) {
    const std::vector<Entry> entries = {
        File(u" lead"),
        Dir(u"", {File(u"x", {1}), Dir(u"", {File(u"y", {2})})}),
        Dir(u"\u00C4rger \u65E5\u672C ", {File(u"\U0001F600 ", {3}), Dir(u"s", {File(u"t")})}),
        Dir(u"a", {Dir(u"b", {File(u"c", {4})})}),
        Dir(u" DELETED", {File(u"inside", {5})}),
        File(u"tail", {6}),
    };
    const std::vector<std::u16string> scanned = {
        u"C:\\",      u"C:\\orvella-fix\\",
        u"D:",        u"",
        u"ab\\",      u"abc\\",
        u"C:\\\\",    u"X:\\a",
        u"C:\\x{ALL", u"C:\\some folder\\x{ALL",
        u"/usr/",     u"\\\\?\\C:\\",
    };
    for (const std::u16string& path : scanned) {
        SetUp();
        tree.Clear();
        Script().root = orv::testing::BuildTree(builder, entries);
        std::vector<Row> expected;
        ReferenceWalk(Script().root, path, expected);
        auto e = Engine();
        e->DO_Drive(path);
        std::vector<Row> got;
        for (NodeId n = tree.GetFirst(); n != kNoNode; n = tree.GetNext(n)) {
            got.push_back(
                {tree.FullPath(n), tree.IsFolder(n), tree.IsFolder(n) ? 0 : tree.Size(n), 0, 0});
        }
        EXPECT_EQ(got, expected) << "scanned " << Utf16ToUtf8(path);
        ExpectTotalsInvariant(tree);
    }
}

TEST_F(EngineTest, FindRootNodeForDirFindsTheFirstFolderRowIgnoringAsciiCase) {
    Scan({File(u"Windows", {1}), Dir(u"Windows", {Dir(u"System32")}), Dir(u"windows"),
          Dir(u"\u00C4rger"), File(u"   ")});
    auto e = Engine();
    const NodeId root = tree.GetFirst();
    const NodeId fileWindows = tree.FirstChild(root);
    const NodeId folderWindows = tree.NextSibling(fileWindows);
    const NodeId system32 = tree.FirstChild(folderWindows);
    const NodeId folderArger = tree.NextSibling(tree.NextSibling(folderWindows));
    const NodeId blankFile = tree.LastChild(root);
    ASSERT_EQ(tree.FullPath(folderArger), u"C:\\\u00C4rger");
    ASSERT_EQ(tree.FullPath(blankFile), u"C:\\");

    struct Case {
        std::u16string dir;
        NodeId expected;
    };
    const std::vector<Case> cases = {
        {u"c:\\windows", folderWindows},      {u"C:\\Windows", folderWindows},
        {u"C:\\WINDOWS\\system32", system32}, {u"c:\\", root},
        {u"C:\\Windows\\", kNoNode},          {u"C:\\Windows ", kNoNode},
        {u"c:\\\u00E4rger", kNoNode},  // case rules are ASCII only
        {u"C:\\\u00C4RGER", folderArger},     {u"", kNoNode},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(e->FindRootNodeForDir(c.dir), c.expected) << Utf16ToUtf8(c.dir);
    }
    EXPECT_EQ(e->FindNodeForThis(false, u"c:\\WINDOWS"), fileWindows);
    EXPECT_EQ(e->FindNodeForThis(true, u"c:\\WINDOWS"), folderWindows);
    EXPECT_EQ(e->FindNodeForThis(false, u"C:\\"), blankFile);
    EXPECT_EQ(e->FindNodeForThis(true, u"C:\\"), root);
    EXPECT_EQ(e->FindNodeForThis(false, u"C:\\System32"), kNoNode);

    tree.SetVisible(folderWindows, false);
    EXPECT_EQ(e->FindRootNodeForDir(u"c:\\windows"), folderWindows) << "hidden rows count";
    TOrvella noTree(nullptr);
    EXPECT_EQ(noTree.FindRootNodeForDir(u"C:\\"), kNoNode);
}

TEST_F(EngineTest, CopyAllFilesMakesAFlatListOfEveryFileRowWithAllFields) {
    Scan({File(u"a", {1}), Dir(u"D", {File(u"b", {2}), Dir(u"E", {File(u"c", {3})})}),
          File(u"d", {4})});
    const NodeId b = tree.FirstChild(tree.NextSibling(tree.FirstChild(tree.GetFirst())));
    ASSERT_EQ(tree.FullPath(b), u"C:\\D\\b");
    tree.SetImageIndex(b, 9);
    tree.SetFolders(b, 7);
    tree.SetFiles(b, 8);
    tree.SetVisible(b, false);

    ResultTree target;
    target.AddChild(kNoNode, {u"old folder", 1, 1, 1, true, 0});
    target.AddNamedChild(kNoNode, u"old file", false, 5);
    int changes = 0;
    target.SetChangeHook([&] { ++changes; });
    TOrvella::Copy_All_Files(tree, target);
    EXPECT_EQ(changes, 1) << "repainting suspended during the copy";

    std::vector<TSizeNode> got;
    for (NodeId n = target.GetFirst(); n != kNoNode; n = target.GetNext(n)) {
        EXPECT_EQ(target.Parent(n), kNoNode);
        got.push_back(target.Row(n));
    }
    const auto same = [](const TSizeNode& x, const TSizeNode& y) {
        return x.FullPath == y.FullPath && x.Size == y.Size && x.Folders == y.Folders &&
               x.Files == y.Files && x.IsFolder == y.IsFolder && x.ImageIndex == y.ImageIndex;
    };
    const std::vector<TSizeNode> expected = {
        {u"C:\\a", 1, 0, 0, false, 0},
        {u"C:\\D\\b", 2, 7, 8, false, 9},
        {u"C:\\D\\E\\c", 3, 0, 0, false, 0},
        {u"C:\\d", 4, 0, 0, false, 0},
    };
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_TRUE(same(got[i], expected[i])) << Utf16ToUtf8(got[i].FullPath);
    }

    ResultTree onlyFolders;
    const NodeId top = onlyFolders.AddChild(kNoNode, {u"C:\\", 0, 1, 0, true, 0});
    onlyFolders.AddNamedChild(top, u"dir", true, 0);
    TOrvella::Copy_All_Files(onlyFolders, target);
    EXPECT_EQ(target.NodeCount(), 0u);

    TOrvella::Copy_All_Files(tree, tree);
    EXPECT_EQ(Paths(tree),
              (std::vector<std::u16string>{u"C:\\a", u"C:\\D\\b", u"C:\\D\\E\\c", u"C:\\d"}))
        << "a tree copied onto itself keeps its file rows";
}

TEST_F(EngineTest, AbortFromTheProgressCallbackStopsTheLibraryAndAddsNothing) {
    Script().root = orv::testing::BuildTree(builder, {File(u"a", {1}), Dir(u"d")});
    Script().callbacks = {{undel::kCmdProgress, 100},
                          {undel::kCmdPoll, 0},
                          {undel::kCmdPoll, 0},
                          {undel::kCmdProgress, 200}};
    sys.onPump = [] {
        if (Script().calls.back() == "UpdateSnapshot") ScanAbortRequested = true;
    };
    auto e = Engine();
    e->DO_Drive(u"C:\\");
    EXPECT_EQ(Script().answers, (std::vector<undel::BOOL32>{1, 1})) << "poll answered stop";
    EXPECT_EQ(tree.NodeCount(), 0u);
    EXPECT_EQ(e->TotalSize, 0);
    EXPECT_EQ(e->TotalFiles, 0u);
    EXPECT_EQ(Script().calls.back(), "FreeVolume") << "the snapshot is released all the same";
}

TEST_F(EngineTest, AbortDuringTheWalkKeepsAPrefixWithConsistentTotals) {
    const std::vector<Entry> entries = {
        File(u"a", {1}),
        Dir(u"D",
            {File(u"b", {2}), Dir(u"E", {File(u"c", {4}), File(u"c2", {8})}), File(u"b2", {16})}),
        File(u"d", {32}),
        Dir(u"F", {File(u"e", {64})}),
    };
    const std::vector<Row> full = Scan(entries);
    ASSERT_EQ(full.size(), 11u);
    // One pump before each entry and one as each folder is entered: 14 in all.
    for (int abortAt = 1; abortAt <= 15; ++abortAt) {
        SetUp();
        int walkPumps = 0;
        sys.onPump = [&] {
            if (Script().calls.back() != "UpdateSnapshot") return;
            if (++walkPumps == abortAt) ScanAbortRequested = true;
        };
        const std::vector<Row> rows = Scan(entries);
        ASSERT_LE(rows.size(), full.size());
        for (size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].path, full[i].path) << "abort at pump " << abortAt;
            EXPECT_EQ(rows[i].folder, full[i].folder);
        }
        EXPECT_EQ(rows.size() == full.size(), abortAt > 14) << "abort at pump " << abortAt;
        ExpectTotalsInvariant(tree);
        uint32_t files = 0;
        int64_t bytes = 0;
        for (const Row& r : rows) {
            if (!r.folder) {
                ++files;
                bytes += r.size;
            }
        }
        EXPECT_EQ(totalFiles, files);
        EXPECT_EQ(totalSize, bytes);
    }
}

TEST_F(EngineTest, DefaultPumpingSeesAnAbortWithinOneStrideOnceTheIntervalHasPassed) {
    std::vector<Entry> many;
    for (int i = 0; i < 5000; ++i) many.push_back(File(u"f" + ToDecimal(i), {1}));
    Script().root = orv::testing::BuildTree(builder, many);
    sys.tickStep = 20;  // every look at the clock finds the interval passed
    int walkPumps = 0;
    sys.onPump = [&] {
        if (Script().calls.back() == "UpdateSnapshot" && ++walkPumps == 3) {
            ScanAbortRequested = true;
        }
    };
    TOrvella e(&tree);
    ASSERT_EQ(e.PumpIntervalMs, 10u);
    e.DO_Drive(u"C:\\");
    EXPECT_EQ(walkPumps, 3);
    EXPECT_GT(e.TotalFiles, e.PumpStride);
    EXPECT_LE(e.TotalFiles, 3 * e.PumpStride);
}

TEST_F(EngineTest, TotalsAreRecountedAfterDeletingRows) {
    Scan({File(u"a", {1}), Dir(u"A", {File(u"b", {2}), Dir(u"B", {File(u"c", {4})})}),
          Dir(u"C", {File(u"d", {8}), File(u"e", {16})})});
    auto e = Engine();
    const NodeId root = tree.GetFirst();
    ASSERT_EQ(tree.Size(root), 31);
    ExpectTotalsInvariant(tree);

    tree.DeleteNode(e->FindRootNodeForDir(u"C:\\A"));
    tree.DeleteNode(e->FindNodeForThis(false, u"C:\\C\\e"));
    EXPECT_EQ(TOrvella::CountDirsInTree(tree, root), 1u);
    EXPECT_EQ(TOrvella::CountFilesInTree(tree, root), 2u);
    EXPECT_EQ(TOrvella::CountSizeInTree(tree, root), 9);
    ExpectTotalsInvariant(tree);
    const NodeId c = e->FindRootNodeForDir(u"C:\\C");
    EXPECT_EQ(tree.Size(c), 8);
    EXPECT_EQ(tree.Files(c), 1u);

    // A file as start row and no start row.
    const NodeId a = e->FindNodeForThis(false, u"C:\\a");
    EXPECT_EQ(TOrvella::CountSizeInTree(tree, a), 1);
    EXPECT_EQ(TOrvella::CountFilesInTree(tree, a), 0u);
    EXPECT_EQ(TOrvella::CountDirsInTree(tree, kNoNode), 0u);
    EXPECT_EQ(TOrvella::CountFilesInTree(tree, kNoNode), 0u);
    EXPECT_EQ(TOrvella::CountSizeInTree(tree, kNoNode), 0);
}

TEST_F(EngineTest, SnapshotProgressAnswersPerCommand) {
    struct Case {
        int32_t cmd;
        bool abort;
        undel::BOOL32 answer;
        int pumps;
        std::vector<std::string> progress;
    };
    const std::vector<Case> cases = {
        {0, false, 0, 1, {}},   {0, true, 1, 1, {}},           {1, false, 1, 0, {}},
        {1, true, 1, 0, {}},    {2, false, 1, 1, {"pos 777"}}, {2, true, 1, 1, {"pos 777"}},
        {3, false, 1, 0, {}},   {4, false, 0, 0, {}},          {-1, true, 0, 0, {}},
        {100, false, 0, 0, {}},
    };
    auto e = Engine();
    for (const Case& c : cases) {
        ProgressLog progress;
        e->ProgressBar = &progress;
        ScanAbortRequested = c.abort;
        sys.pumps = 0;
        EXPECT_EQ(TOrvella::Snapshot_Progress(c.cmd, u"ignored", 777, e.get()), c.answer)
            << "cmd " << c.cmd;
        EXPECT_EQ(sys.pumps, c.pumps) << "cmd " << c.cmd;
        EXPECT_EQ(progress.events, c.progress) << "cmd " << c.cmd;
    }
    e->ProgressBar = nullptr;
    EXPECT_EQ(TOrvella::Snapshot_Progress(2, nullptr, 5, e.get()), 1);
    EXPECT_EQ(TOrvella::Snapshot_Progress(2, nullptr, 5, nullptr), 1);
}

TEST_F(EngineTest, DeepTreesDoNotExhaustTheStack) {
    constexpr int kDepth = 200000;
    undel::TFILE_RECORD* root = builder.NewRecord(true);
    undel::TFILE_RECORD* dir = root;
    for (int i = 0; i < kDepth; ++i) {
        undel::TFILE_RECORD* file = builder.NewRecord(false);
        builder.AddStream(file, 1);
        builder.AddEntry(dir, u"f", file);
        undel::TFILE_RECORD* sub = builder.NewRecord(true);
        builder.AddEntry(dir, u"d", sub);
        dir = sub;
    }
    Script().root = root;
    auto e = Engine();
    e->DO_Drive(u"C:\\");
    EXPECT_EQ(tree.NodeCount(), 2u * kDepth + 1);
    const NodeId top = tree.GetFirst();
    EXPECT_EQ(tree.Folders(top), static_cast<uint32_t>(kDepth));
    EXPECT_EQ(tree.Files(top), static_cast<uint32_t>(kDepth));
    EXPECT_EQ(e->TotalSize, kDepth);
    NodeId deepest = top;
    while (tree.LastChild(deepest) != kNoNode) deepest = tree.LastChild(deepest);
    EXPECT_EQ(tree.FullPath(deepest).size(), 3 + 2 * static_cast<size_t>(kDepth) - 1);
    tree.DeleteNode(tree.LastChild(top));
    EXPECT_EQ(TOrvella::CountSizeInTree(tree, top), 1);
}

}  // namespace
}  // namespace orv::analysis
