// Sorting a flat list of a million rows by each column, as the visible list is sorted after
// a header click. Two lists: the files of one folder (structure view: one shared start) and
// the files of a whole drive (view of all files: full paths in a few hundred folders).
// Prints the median of several runs per column and direction, as wall-clock time and as the
// processor time of this process (the machine may be busy with other work).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "core/Text.h"

using namespace orv;
using namespace orv::analysis;

namespace {

double CpuMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Paths like a drive's: a few hundred folders, names with shared starts, mixed case; or
// all in one folder.
void Fill(ResultTree& tree, size_t rows, uint32_t seed, bool oneFolder) {
    std::mt19937 rng(seed);
    static const char* kWords[] = {"Windows",   "Program Files", "Users", "system32", "Temp",
                                   "Documents", "Pictures",      "cache", "data",     "Übersicht"};
    static const char* kExt[] = {".dll", ".exe", ".txt", ".jpg", ".png", ".log", ".dat", ""};
    std::vector<std::u16string> folders;
    for (int i = 0; i < 400; ++i) {
        std::string f = "C:\\";
        f += kWords[rng() % 10];
        f += "\\";
        f += kWords[rng() % 10];
        f += std::to_string(i % 37);
        folders.push_back(Utf8ToUtf16(f));
    }
    tree.BeginUpdate();
    for (size_t i = 0; i < rows; ++i) {
        TSizeNode row;
        row.FullPath = oneFolder ? folders[0] : folders[rng() % folders.size()];
        row.FullPath += u"\\file";
        row.FullPath += Utf8ToUtf16(std::to_string(rng() % 100000));
        row.FullPath += Utf8ToUtf16(kExt[rng() % 8]);
        // Many equal sizes and counts, as real drives have.
        row.Size = static_cast<int64_t>(rng() % 4096) * (1 + rng() % 3);
        row.Folders = rng() % 50;
        row.Files = rng() % 500;
        tree.AddChild(kNoNode, row);
    }
    tree.EndUpdate();
}

double MedianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

struct Figure {
    double wall;
    double cpu;
};

template <typename Sort>
Figure Measure(ResultTree& tree, int runs, Sort sort) {
    std::vector<double> wall, cpu;
    for (int r = 0; r < runs; ++r) {
        // Start each run from the order the rows were added in.
        tree.SortChildren(
            kNoNode, [](NodeId a, NodeId b) { return int(a < b ? -1 : a > b); }, false);
        const double c0 = CpuMs();
        const auto t0 = std::chrono::steady_clock::now();
        sort();
        const auto t1 = std::chrono::steady_clock::now();
        cpu.push_back(CpuMs() - c0);
        wall.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return {MedianMs(wall), MedianMs(cpu)};
}

void Run(const char* title, size_t rows, int runs, bool oneFolder) {
    ResultTree tree;
    Fill(tree, rows, 12345, oneFolder);
    std::printf("%s: %zu rows, median of %d runs\n", title, rows, runs);
    const char* names[] = {"name", "folders", "files", "size", "size %", "folder %"};
    for (int column = 0; column < 6; ++column) {
        for (bool descending : {false, true}) {
            const Figure f = Measure(tree, runs, [&] {
                tree.SortChildren(kNoNode, MakeNodeComparer(tree, column), descending, true);
            });
            const Figure k = Measure(tree, runs, [&] {
                tree.SortChildrenByKey(kNoNode, *MakeSortKeys(tree, column), descending, true);
            });
            std::printf("  sort by %-8s %-10s comparer %8.1f ms wall %8.1f ms processor;"
                        " keys %8.1f ms wall %8.1f ms processor\n",
                        names[column], descending ? "descending" : "ascending", f.wall, f.cpu,
                        k.wall, k.cpu);
        }
    }
    // The plain per-pair compare of the name column, which upper-cases both paths in every
    // comparison, for comparison.
    const Figure plain = Measure(tree, std::min(runs, 3), [&] {
        tree.SortChildren(
            kNoNode, [&](NodeId a, NodeId b) { return CompareNodes(tree, a, b, 0); }, false, true);
    });
    std::printf("  sort by name, per-pair compare  %8.1f ms wall %8.1f ms processor\n", plain.wall,
                plain.cpu);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t rows = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    Run("one folder", rows, runs, true);
    Run("whole drive", rows, runs, false);
    return 0;
}
