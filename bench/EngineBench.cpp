// DO_Drive over a generated in-memory snapshot: time, bytes per row held by the tree, and the
// peak bytes per file while snapshot and tree exist together. Prints figures, asserts nothing.
//
// engine_bench [files] [folders] [runs]      defaults: 1000000 100000 5
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "ScriptedSnapshot.h"
#include "analysis/nogui_Orvella.h"
#include "app/Globals.h"

namespace {

using namespace orv;
using analysis::NodeId;
using analysis::ResultTree;
using analysis::TOrvella;

size_t HeapInUse() {
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

// Kilobytes of a /proc/self/status line such as VmHWM.
long StatusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(in, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::atol(line.c_str() + prefix.size());
    }
    return -1;
}

void ResetPeakRss() {
    std::ofstream out("/proc/self/clear_refs");
    out << "5";
}

// One snapshot in a few large arrays, as a library would keep it.
struct Snapshot {
    std::vector<undel::TFILE_RECORD> records;
    std::vector<undel::TDIR_ITEM> items;
    std::vector<undel::TFILE_NAME> names;
    std::vector<undel::TDATA_STREAM> streams;
    std::vector<char16_t> chars;

    size_t Bytes() const {
        return records.capacity() * sizeof(records[0]) + items.capacity() * sizeof(items[0]) +
               names.capacity() * sizeof(names[0]) + streams.capacity() * sizeof(streams[0]) +
               chars.capacity() * sizeof(char16_t);
    }
};

// `folders` folders besides the root in a tree four wide, files spread at random over all
// folders, names of 8 to 20 characters. A folder's entries and their records, names and
// streams lie side by side, as a library that reads folder by folder would lay them out.
std::unique_ptr<Snapshot> Generate(uint32_t files, uint32_t folders, uint32_t seed) {
    std::mt19937 rng(seed);
    auto snap = std::make_unique<Snapshot>();
    const uint32_t dirs = folders + 1;
    const uint32_t entries = folders + files;
    // Entry i < folders is folder i + 1; the others are files.
    std::vector<uint32_t> parent(entries);
    for (uint32_t i = 0; i < folders; ++i) parent[i] = i / 4;
    std::uniform_int_distribution<uint32_t> anyDir(0, dirs - 1);
    for (uint32_t i = folders; i < entries; ++i) parent[i] = anyDir(rng);

    std::vector<uint32_t> first(dirs + 1, 0);
    for (uint32_t i = 0; i < entries; ++i) ++first[parent[i] + 1];
    for (uint32_t d = 0; d < dirs; ++d) first[d + 1] += first[d];
    std::vector<uint32_t> slotOf(entries), entryAt(entries);
    {
        std::vector<uint32_t> fill(first.begin(), first.end() - 1);
        for (uint32_t i = 0; i < entries; ++i) {
            slotOf[i] = fill[parent[i]]++;
            entryAt[slotOf[i]] = i;
        }
    }

    snap->records.resize(1 + entries);
    snap->items.resize(entries);
    snap->names.resize(entries);
    snap->streams.resize(files);
    std::uniform_int_distribution<int> len(8, 20), letter(0, 25), size(0, 1 << 20);
    std::vector<uint8_t> nameLen(entries);
    size_t totalChars = 0;
    for (auto& n : nameLen) {
        n = static_cast<uint8_t>(len(rng));
        totalChars += n + 1u;
    }
    snap->chars.reserve(totalChars);
    std::vector<size_t> nameAt(entries);
    uint32_t nextStream = 0;
    for (uint32_t slot = 0; slot < entries; ++slot) {
        const uint32_t i = entryAt[slot];
        undel::TFILE_RECORD& r = snap->records[1 + slot];
        r = {};
        if (i >= folders) {
            undel::TDATA_STREAM& st = snap->streams[nextStream++];
            st = {};
            st.ValidSize = static_cast<uint64_t>(size(rng));
            st.Size = st.ValidSize;
            r.Streams = &st;
        }
        nameAt[slot] = snap->chars.size();
        const int n = nameLen[slot];
        for (int k = 0; k < n; ++k) {
            const int l = letter(rng);
            snap->chars.push_back(
                static_cast<char16_t>(k == n - 4 ? u'.' : (k == 0 ? u'A' : u'a') + l));
        }
        snap->chars.push_back(0);
    }
    for (uint32_t slot = 0; slot < entries; ++slot) {
        undel::TFILE_NAME& fn = snap->names[slot];
        fn = {};
        fn.Name = &snap->chars[nameAt[slot]];
        fn.DOSName = fn.Name;
        snap->items[slot].FileName = &fn;
        snap->items[slot].aRecord = &snap->records[1 + slot];
    }
    for (uint32_t d = 0; d < dirs; ++d) {
        undel::TFILE_RECORD& r = d == 0 ? snap->records[0] : snap->records[1 + slotOf[d - 1]];
        if (d == 0) r = {};
        r.IsDir = 1;
        r.DirItems = first[d + 1] > first[d] ? &snap->items[first[d]] : nullptr;
        r.NumDirItems = static_cast<int32_t>(first[d + 1] - first[d]);
    }
    return snap;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double Seconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    const uint32_t files = argc > 1 ? static_cast<uint32_t>(std::atol(argv[1])) : 1000000;
    const uint32_t folders = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 100000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;

    orv::testing::ScriptedSystem sys;
    platform::SetSystem(&sys);
    ProgramFolder = u"\\bench";

    std::vector<double> scan, perMillion, heldTree, heldHeap, peakHeap, peakRss, snapPerFile;
    std::vector<double> findMiss, copyAll, peakX86, snapX86;
    uint32_t rows = 0;
    for (int run = 0; run < runs; ++run) {
        ResultTree tree;
        TOrvella engine(&tree);
        ::malloc_trim(0);
        const size_t heapBefore = HeapInUse();
        ResetPeakRss();
        const long rssBefore = StatusKb("VmRSS");

        std::unique_ptr<Snapshot> snap = Generate(files, folders, 1234 + run);
        const size_t snapshotBytes = snap->Bytes();
        const double charBytes = static_cast<double>(snap->chars.capacity()) * 2;
        size_t heapPeak = 0;
        orv::testing::Script().root = &snap->records[0];
        orv::testing::Script().onFree = [&] {
            heapPeak = HeapInUse();
            snap.reset();
        };

        const auto t0 = std::chrono::steady_clock::now();
        engine.DO_Drive(u"C:\\");
        const double s = Seconds(t0);
        const long rssPeak = StatusKb("VmHWM");
        rows = tree.NodeCount();
        const size_t heapAfter = HeapInUse();

        scan.push_back(s);
        perMillion.push_back(s * 1e6 / rows);
        heldTree.push_back(static_cast<double>(tree.BytesHeld()) / rows);
        heldHeap.push_back(static_cast<double>(heapAfter - heapBefore) / rows);
        peakHeap.push_back(static_cast<double>(heapPeak - heapBefore) / files);
        peakRss.push_back((rssPeak - rssBefore) * 1024.0 / files);
        snapPerFile.push_back(static_cast<double>(snapshotBytes) / files);
        // The shipped program is 32-bit: its records are 52, 8, 20 and 32 bytes.
        const double x86Snapshot = (static_cast<double>(folders + files) * (52 + 8 + 20) + 52 +
                                    static_cast<double>(files) * 32 + charBytes) /
                                   files;
        peakX86.push_back(peakHeap.back() - snapPerFile.back() + x86Snapshot);
        snapX86.push_back(x86Snapshot);

        // Two searches later work depends on: a path not in the tree, and the flat copy.
        const auto t1 = std::chrono::steady_clock::now();
        const NodeId miss = engine.FindRootNodeForDir(u"C:\\no such folder");
        findMiss.push_back(Seconds(t1));
        ResultTree flat;
        const auto t2 = std::chrono::steady_clock::now();
        TOrvella::Copy_All_Files(tree, flat);
        copyAll.push_back(Seconds(t2));

        std::printf("run %d: %.3f s, %u rows, TotalFiles %u, TotalSize %lld%s\n", run + 1, s, rows,
                    engine.TotalFiles, static_cast<long long>(engine.TotalSize),
                    miss == analysis::kNoNode ? "" : " (search found a row?)");
    }
    platform::SetSystem(nullptr);

    std::printf("\nDO_Drive, %u files in %u folders (%u rows), median of %d runs\n", files, folders,
                rows, runs);
    std::printf("  time                          %8.3f s   (%.3f s per million rows; target 0.5)\n",
                Median(scan), Median(perMillion));
    std::printf("  held by the tree, own count   %8.1f bytes/row (target 96)\n", Median(heldTree));
    std::printf("  held by the tree, heap        %8.1f bytes/row\n", Median(heldHeap));
    std::printf("  peak, heap high-water         %8.1f bytes/file (target 256)\n",
                Median(peakHeap));
    std::printf("  peak, VmHWM                   %8.1f bytes/file\n", Median(peakRss));
    std::printf("    of which the snapshot       %8.1f bytes/file (native 64-bit records)\n",
                Median(snapPerFile));
    std::printf("  peak with 32-bit records      %8.1f bytes/file (snapshot %.1f)\n",
                Median(peakX86), Median(snapX86));
    std::printf("  FindRootNodeForDir, no match  %8.3f s\n", Median(findMiss));
    std::printf("  Copy_All_Files                %8.3f s\n", Median(copyAll));
    return 0;
}
