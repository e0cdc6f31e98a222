// Times the views over a generated result tree of one million files: a group filter, the
// file-formats walk, the flat list of all files with its sort, and opening a folder of
// 100,000 files. Prints the median of a few runs of each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "analysis/ResultViews.h"
#include "analysis/nogui_Orvella.h"
#include "core/Text.h"
#include "lang/MessageCatalogue.h"
#include "toolkit/VirtualDrawTree.h"

namespace {

using namespace orv::analysis;

class QuietPage final : public TResultPageHooks {
  public:
    TResultViews* views = nullptr;
    std::u16string directory = u"C:\\";
    long pumps = 0;
    void ProcessMessages() override { ++pumps; }
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
    std::u16string FilterBoxText() override { return u"Archive"; }
    void SelectFirstFilterItem() override {}
    int NameBarIndex() override { return 0; }
    TFormatSettings FormatSettings() override { return DefaultFormatSettings(); }
};

double CpuSeconds() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

struct Times {
    double wall;
    double cpu;  // of this process: the machine may be busy with other work
};

// Medians of n runs.
Times Median(const std::function<void()>& prepare, const std::function<void()>& run, int n) {
    std::vector<double> times;
    std::vector<double> cpu;
    for (int i = 0; i < n; ++i) {
        if (prepare) prepare();
        const double c0 = CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        run();
        const auto t1 = std::chrono::steady_clock::now();
        cpu.push_back(CpuSeconds() - c0);
        times.push_back(std::chrono::duration<double>(t1 - t0).count());
    }
    std::sort(times.begin(), times.end());
    std::sort(cpu.begin(), cpu.end());
    return {times[times.size() / 2], cpu[cpu.size() / 2]};
}

}  // namespace

int main() {
    const char16_t* exts[] = {u"mp3", u"JPG", u"zip", u"doc", u"txt", u"exe", u"gz"};
    ResultTree full;
    const NodeId root = full.AddNamedChild(kNoNode, u"C:\\", true, 0);
    uint32_t files = 0;
    uint64_t seed = 12345;
    auto next = [&] {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int64_t>(seed >> 33);
    };
    // 90 folders of 10,000 files in ten sub-folders each, and one folder of 100,000 files.
    for (int d = 0; d < 90; ++d) {
        const NodeId dir = full.AddNamedChild(root, u"Folder " + orv::ToDecimal(d), true, 0);
        for (int s = 0; s < 10; ++s) {
            const NodeId sub = full.AddNamedChild(dir, u"Sub " + orv::ToDecimal(s), true, 0);
            for (int f = 0; f < 1000; ++f, ++files) {
                full.AddNamedChild(sub, u"file" + orv::ToDecimal(files) + u"." + exts[files % 7],
                                   false, next() % 10000000);
            }
        }
    }
    const NodeId huge = full.AddNamedChild(root, u"Huge", true, 0);
    for (int f = 0; f < 100000; ++f, ++files) {
        full.AddNamedChild(huge, u"big" + orv::ToDecimal(files) + u"." + exts[files % 7], false,
                           next() % 10000000);
    }

    TOrvella engine(&full);
    TOrvella::CountDirsInTree(full, root);
    TOrvella::CountFilesInTree(full, root);
    TOrvella::CountSizeInTree(full, root);
    engine.TotalSize = full.Size(root);
    engine.TotalFiles = files;
    engine.Analysed_Drive = u"C:\\";

    ResultTree visibleTree;
    orv::toolkit::TVirtualDrawTree grid;
    for (int c = 0; c < 6; ++c) grid.AddColumn(u"c", 80);
    grid.SetSortColumn(4);
    grid.SetTree(&visibleTree);
    grid.OnMakeSortKeys = [&](orv::toolkit::TVirtualDrawTree& g, int column) {
        return engine.DefaultEvent_MakeSortKeys(*g.Tree(), column);
    };
    QuietPage page;
    TResultViews views(engine, grid, page);
    page.views = &views;

    std::printf("rows in the full tree: %u (%u files)\n", full.NodeCount(), files);
    const int runs = 5;

    std::vector<std::u16string> archives;
    Read_Filter_From_Edit(archives, DefaultFormatSettings().Lists[3]);
    const Times filter = Median(
        [&] {
            engine.CURRENT_FILTER.clear();
            page.directory = u"C:\\";
        },
        [&] { views.Auswertung(archives); }, runs);
    std::printf(
        "Auswertung (archives, listed beneath C:\\, sorted): %.3f s (cpu %.3f s), %u rows "
        "listed, %ld pumps per run\n",
        filter.wall, filter.cpu, visibleTree.NodeCount(), page.pumps / runs);

    const Times formats = Median(
        nullptr, [&] { views.AdvGlowButton_FormatsClick(); }, runs);
    std::printf("file-formats walk: %.3f s (cpu %.3f s), %u group rows\n", formats.wall,
                formats.cpu, visibleTree.NodeCount());

    const Times all = Median(
        nullptr,
        [&] {
            TOrvella::Copy_All_Files(full, visibleTree);
            views.SortVisible();
        },
        runs);
    std::printf("Copy_All_Files and sort by size: %.3f s (cpu %.3f s), %u rows\n", all.wall,
                all.cpu, visibleTree.NodeCount());

    const Times copyOnly = Median(
        nullptr, [&] { TOrvella::Copy_All_Files(full, visibleTree); }, runs);
    const Times sortOnly = Median(
        nullptr, [&] { views.SortVisible(); }, runs);
    std::printf("  of which Copy_All_Files %.3f s, the sort %.3f s\n", copyOnly.wall,
                sortOnly.wall);

    engine.CURRENT_FILTER.clear();
    const Times open = Median(
        nullptr, [&] { views.JvDirectoryListBox1Change(u"C:\\Huge"); }, runs);
    std::printf(
        "opening C:\\Huge (100,000 files, copied and sorted): %.3f s (cpu %.3f s), %u rows\n",
        open.wall, open.cpu, visibleTree.NodeCount());
    grid.SetTree(nullptr);
    return 0;
}
