// The engine with the real undelete.dll beside the test executable, scanning a fixture folder
// the test creates on C: and the drive root itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ScriptedSnapshot.h"
#include "analysis/nogui_Orvella.h"
#include "app/Globals.h"
#include "core/Text.h"

namespace orv::analysis {
namespace {

namespace fs = std::filesystem;

std::u16string FromWide(const std::wstring& w) {
    return std::u16string(w.begin(), w.end());
}
std::wstring ToWide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

struct Row {
    std::u16string path;
    bool folder;
    int64_t size;
    uint32_t folders;
    uint32_t files;
    bool operator<(const Row& o) const { return path < o.path; }
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << (r.folder ? "folder " : "file ") << Utf16ToUtf8(r.path) << " size=" << r.size
        << " folders=" << r.folders << " files=" << r.files;
}

// Rows beneath start, start included, ordered by path: the library's listing order is its own.
std::vector<Row> SortedRows(const ResultTree& t, NodeId start) {
    std::vector<Row> out;
    std::vector<NodeId> pending{start};
    while (!pending.empty()) {
        const NodeId n = pending.back();
        pending.pop_back();
        out.push_back({t.FullPath(n), t.IsFolder(n), t.Size(n), t.Folders(n), t.Files(n)});
        for (NodeId c = t.FirstChild(n); c != kNoNode; c = t.NextSibling(c)) pending.push_back(c);
    }
    std::sort(out.begin(), out.end());
    return out;
}

class EngineWin32Test : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        wchar_t buf[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
        std::u16string module = FromWide(std::wstring(buf, n));
        ProgramFolder = module.substr(0, module.rfind(u'\\'));

        folderName = u"orvella-engfix-" + ToDecimal(GetCurrentProcessId());
        fixture = u"C:\\" + folderName;
        const fs::path root(ToWide(fixture));
        fs::remove_all(root);
        fs::create_directories(root / L"Sub" / L"Deeper");
        fs::create_directories(root / L"Empty");
        fs::create_directories(root / L"{ALL DELETED}" / L"inner");
        Write(root / L"a.txt", 10);
        Write(root / L"\u00C4rger-\u65E5\u672C.bin", 300);
        Write(root / L"Sub" / L"b.dat", 4096);
        Write(root / L"Sub" / L"Deeper" / L"c", 1);
        Write(root / L"Sub" / L"Deeper" / L"empty file", 0);
        Write(root / L"{ALL DELETED}" / L"gone.txt", 5000);
        Write(root / L"{ALL DELETED}" / L"inner" / L"gone2.txt", 7000);
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(fs::path(ToWide(fixture)), ec);
    }
    static void Write(const fs::path& p, size_t bytes) {
        std::ofstream out(p, std::ios::binary);
        const std::string data(bytes, 'x');
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
    }

    void SetUp() override {
        sys.scriptedLibrary = false;
        sys.showBoxes = false;
        platform::SetSystem(&sys);
        ScanAbortRequested = false;
    }
    void TearDown() override { platform::SetSystem(nullptr); }

    static inline std::u16string folderName;
    static inline std::u16string fixture;
    orv::testing::ScriptedSystem sys;
    ResultTree tree;
};

TEST_F(EngineWin32Test, LoadsTheLibraryBesideTheProgramAndLogsItsVersion) {
    TOrvella engine(&tree);
    EXPECT_TRUE(sys.boxes.empty()) << Utf16ToUtf8(sys.boxes.empty() ? u"" : sys.boxes[0]);
    ASSERT_NE(engine.DLLHandle, nullptr);
    ASSERT_NE(engine.Undeleter, nullptr);
    ASSERT_EQ(sys.debugLines.size(), 2u);
    for (const auto& line : sys.debugLines) {
        EXPECT_EQ(line.rfind(u"Undeleter.dll ; Version = ", 0), 0u) << Utf16ToUtf8(line);
    }
}

TEST_F(EngineWin32Test, ScansAFixtureFolderIntoRowsAndTotals) {
    TOrvella engine(&tree);
    engine.DO_Drive(fixture + u"\\");
    EXPECT_TRUE(sys.boxes.empty()) << Utf16ToUtf8(sys.boxes.empty() ? u"" : sys.boxes[0]);
    ASSERT_NE(tree.GetFirst(), kNoNode);
    const std::u16string f = fixture;
    const std::vector<Row> expected = {
        {f, true, 4407, 3, 5},
        {f + u"\\Empty", true, 0, 0, 0},
        {f + u"\\Sub", true, 4097, 1, 3},
        {f + u"\\Sub\\Deeper", true, 1, 0, 2},
        {f + u"\\Sub\\Deeper\\c", false, 1, 0, 0},
        {f + u"\\Sub\\Deeper\\empty file", false, 0, 0, 0},
        {f + u"\\Sub\\b.dat", false, 4096, 0, 0},
        {f + u"\\a.txt", false, 10, 0, 0},
        {f + u"\\\u00C4rger-\u65E5\u672C.bin", false, 300, 0, 0},
    };
    EXPECT_EQ(SortedRows(tree, tree.GetFirst()), expected);
    EXPECT_EQ(tree.NodeCount(), expected.size());
    EXPECT_EQ(engine.TotalSize, 4407);
    EXPECT_EQ(engine.TotalFiles, 5u);
    EXPECT_EQ(engine.Analysed_Drive, f + u"\\");

    const NodeId deeper = engine.FindRootNodeForDir(u"c:\\" + folderName + u"\\SUB\\deeper");
    ASSERT_NE(deeper, kNoNode);
    EXPECT_EQ(tree.FullPath(deeper), f + u"\\Sub\\Deeper");
    EXPECT_EQ(engine.FindRootNodeForDir(f + u"\\{ALL DELETED}"), kNoNode);
}

TEST_F(EngineWin32Test, ScansTheDriveRootWithTheFixtureBeneathIt) {
    TOrvella engine(&tree);
    engine.DO_Drive(u"C:\\");
    EXPECT_TRUE(sys.boxes.empty()) << Utf16ToUtf8(sys.boxes.empty() ? u"" : sys.boxes[0]);
    const NodeId top = tree.GetFirst();
    ASSERT_NE(top, kNoNode);
    EXPECT_EQ(tree.FullPath(top), u"C:\\");
    EXPECT_EQ(tree.NextSibling(top), kNoNode);
    EXPECT_NE(engine.FindRootNodeForDir(u"c:\\windows"), kNoNode);
    const NodeId fix = engine.FindRootNodeForDir(u"c:\\" + folderName);
    ASSERT_NE(fix, kNoNode);
    EXPECT_EQ(tree.Parent(fix), top);
    EXPECT_EQ(tree.Files(fix), 5u);
    EXPECT_EQ(tree.Folders(fix), 3u);
    EXPECT_EQ(tree.Size(fix), 4407);
    EXPECT_EQ(engine.TotalSize, tree.Size(top));
    EXPECT_EQ(engine.TotalFiles, tree.Files(top));
    EXPECT_GT(engine.TotalFiles, 5u);
}

TEST_F(EngineWin32Test, AFolderThatDoesNotExistFailsToOpen) {
    TOrvella engine(&tree);
    engine.DO_Drive(fixture + u"-missing\\");
    EXPECT_EQ(sys.boxes, std::vector<std::u16string>{u"Error: OpenVolume failed"});
    EXPECT_EQ(tree.NodeCount(), 0u);
    EXPECT_EQ(engine.TotalSize, 0);
}

}  // namespace
}  // namespace orv::analysis
