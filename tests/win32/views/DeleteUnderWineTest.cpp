// Deleting rows through Wine's shell: what went to the recycle bin leaves the trees, a file
// held open without sharing stays listed with its size, and the totals follow the disk.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "analysis/ItemActions.h"
#include "analysis/ResultViews.h"
#include "analysis/nogui_Orvella.h"
#include "core/Text.h"
#include "platform/Files.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/WinText.h"

namespace orv::analysis {
namespace {

namespace win32 = platform::win32;

// The engine finds no library beside the test; its message must not wait for a click.
class QuietSystem : public platform::SystemForwarder {
  public:
    int MessageBox(platform::WindowHandle, std::u16string_view, std::u16string_view,
                   uint32_t) override {
        return platform::kIdOk;
    }
    void DebugOutput(std::u16string_view line) override { lines.emplace_back(line); }
    std::vector<std::u16string> lines;
};

class Page final : public TResultPageHooks {
  public:
    TResultViews* views = nullptr;
    std::u16string directory;
    void ProcessMessages() override {}
    void SetStatus(std::u16string_view) override {}
    void SetProgressVisible(bool) override {}
    void SetProgressMax(int) override {}
    void SetProgressPosition(int) override {}
    TViewKind CurrentView() override { return TViewKind::Structure; }
    void SetViewButtons(const TViewLayout&) override {}
    void SetBoxesVisible(const TViewLayout&) override {}
    void SetFolderListVisible(bool) override {}
    void RunFolderSelection() override { views->JvDirectoryListBox1Change(directory); }
    void SetFolderListDirectory(std::u16string_view dir) override {
        directory.assign(dir);
        RunFolderSelection();
    }
    void RunResize() override {}
    void RepaintRightPanel() override {}
    bool RightPanelVisible() override { return true; }
    std::u16string FilterBoxText() override { return {}; }
    void SelectFirstFilterItem() override {}
    int NameBarIndex() override { return 0; }
    TFormatSettings FormatSettings() override { return DefaultFormatSettings(); }
};

void WriteFile(const std::u16string& path, DWORD bytes) {
    HANDLE h = CreateFileW(win32::Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const std::string data(bytes, 'x');
    DWORD written = 0;
    ::WriteFile(h, data.data(), bytes, &written, nullptr);
    CloseHandle(h);
}

class DeleteUnderWine : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetSystem(&system_);
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = win32::FromWide(temp) + u"orvella_views_" + ToDecimal(GetCurrentProcessId());
        CreateDirectoryW(win32::Wide(folder_).c_str(), nullptr);
        CreateDirectoryW(win32::Wide(In(u"sub")).c_str(), nullptr);
        WriteFile(In(u"a.txt"), 100);
        WriteFile(In(u"held.txt"), 20);
        WriteFile(In(u"sub\\c.txt"), 3);
    }
    void TearDown() override {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
        for (const auto& name : {u"a.txt", u"held.txt", u"sub\\c.txt"}) {
            DeleteFileW(win32::Wide(In(name)).c_str());
        }
        RemoveDirectoryW(win32::Wide(In(u"sub")).c_str());
        RemoveDirectoryW(win32::Wide(folder_).c_str());
        platform::SetSystem(nullptr);
    }
    std::u16string In(std::u16string_view name) const {
        return folder_ + u"\\" + std::u16string(name);
    }

    QuietSystem system_;
    std::u16string folder_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

TEST_F(DeleteUnderWine, OnlyWhatWentToTheRecycleBinLeavesTheTrees) {
    ResultTree full;
    const NodeId top = full.AddNamedChild(kNoNode, folder_, true, 0);
    full.AddNamedChild(top, u"a.txt", false, 100);
    full.AddNamedChild(top, u"held.txt", false, 20);
    const NodeId sub = full.AddNamedChild(top, u"sub", true, 0);
    full.AddNamedChild(sub, u"c.txt", false, 3);
    TOrvella engine(&full);
    TOrvella::CountDirsInTree(full, top);
    TOrvella::CountFilesInTree(full, top);
    engine.TotalSize = TOrvella::CountSizeInTree(full, top);
    engine.TotalFiles = 3;
    ASSERT_EQ(engine.TotalSize, 123);

    ResultTree shown;
    toolkit::TVirtualDrawTree grid;
    for (int c = 0; c < 6; ++c) grid.AddColumn(u"c", 80);
    grid.SetSortColumn(4);
    grid.SetTree(&shown);
    grid.OnMakeSortKeys = [&](toolkit::TVirtualDrawTree& g, int column) {
        return engine.DefaultEvent_MakeSortKeys(*g.Tree(), column);
    };
    Page page;
    TResultViews views(engine, grid, page);
    page.views = &views;
    page.SetFolderListDirectory(folder_);
    ASSERT_EQ(shown.NodeCount(), 3u);

    EXPECT_TRUE(platform::Fs().PathExists(folder_));
    EXPECT_TRUE(platform::Fs().PathExists(In(u"sub")));
    EXPECT_TRUE(platform::Fs().PathExists(In(u"a.txt")));
    EXPECT_FALSE(platform::Fs().PathExists(In(u"missing.txt")));

    held_ = CreateFileW(win32::Wide(In(u"held.txt")).c_str(), GENERIC_READ, 0, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held_, INVALID_HANDLE_VALUE);
    grid.SelectAll();
    const TDeleteResult r =
        PopUp_DeleteClick(views, [](auto, auto, auto) { return platform::kIdYes; });
    EXPECT_EQ(r.Moved, 2u);
    EXPECT_EQ(r.Kept, 1u);
    EXPECT_FALSE(platform::Fs().PathExists(In(u"a.txt")));
    EXPECT_FALSE(platform::Fs().PathExists(In(u"sub")));
    EXPECT_TRUE(platform::Fs().PathExists(In(u"held.txt")));

    ASSERT_EQ(full.NodeCount(), 2u);
    EXPECT_EQ(full.FullPath(full.FirstChild(top)), In(u"held.txt"));
    EXPECT_EQ(engine.TotalSize, 20);
    EXPECT_EQ(full.Files(top), 1u);
    EXPECT_EQ(full.Folders(top), 0u);
    EXPECT_EQ(engine.TotalFiles, 3u);
    ASSERT_EQ(shown.NodeCount(), 1u);
    EXPECT_EQ(shown.FullPath(shown.GetFirst()), In(u"held.txt"));
    EXPECT_EQ(shown.Size(shown.GetFirst()), 20);
    grid.SetTree(nullptr);
}

}  // namespace
}  // namespace orv::analysis
