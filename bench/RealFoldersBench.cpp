// The engine with the real libundelete.so over a real folder tree: one DO_Drive per run.
// real_folders.sh runs it beside du, gdu and ncdu; alone it prints its own timings.
//
// real_folders_bench [folder] [runs] [split]      defaults: /usr 1; "split" also times the
// library alone, to tell its share from the engine's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "analysis/nogui_Orvella.h"
#include "app/Globals.h"
#include "core/Text.h"
#include "platform/System.h"
#include "platform/posix/Capture.h"

int main(int argc, char** argv) {
    using namespace orv;
    std::string folder = argc > 1 ? argv[1] : "/usr";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    if (folder.empty() || folder.back() != '/') folder += '/';

    // The library sits beside this executable, as it does beside the program.
    const std::u16string module = platform::Sys().ModulePath();
    ProgramFolder = module.substr(0, module.rfind(u'\\'));

    analysis::ResultTree tree;
    analysis::TOrvella engine(&tree);
    if (!platform::posix::CapturedMessageBoxes().empty()) {
        std::fprintf(stderr, "%s\n",
                     Utf16ToUtf8(platform::posix::CapturedMessageBoxes()[0].text).c_str());
        return 1;
    }
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        engine.DO_Drive(Utf8ToUtf16(folder));
        times.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        std::printf("run %d: %.3f s\n", run + 1, times.back());
    }
    std::sort(times.begin(), times.end());

    const bool split = argc > 3 && std::string(argv[3]) == "split";
    std::vector<double> libraryTimes;
    const std::u16string root = Utf8ToUtf16(folder);
    for (int run = 0; split && run < runs; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        undel::TUNDELETE_EXPORT_TABLE* t = engine.Undeleter();
        undel::HVOLUME v = t->NewVolume();
        if (v == nullptr || !t->OpenVolume(v, root.c_str())) return 1;
        undel::HSNAPSHOT s = t->NewSnapshot(v);
        undel::TFILE_RECORD* rec = nullptr;
        t->UpdateSnapshot(s, 1, &rec, &analysis::TOrvella::Snapshot_Progress, &engine, nullptr);
        t->FreeSnapshot(s);
        t->CloseVolume(v);
        t->FreeVolume(v);
        libraryTimes.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    if (split) {
        std::sort(libraryTimes.begin(), libraryTimes.end());
        std::printf("library alone: median %.3f s\n", libraryTimes[libraryTimes.size() / 2]);
    }
    const analysis::NodeId top = tree.GetFirst();
    std::printf("DO_Drive %s: median %.3f s, %u rows, %u files, %u folders, %lld bytes\n",
                folder.c_str(), times[times.size() / 2], tree.NodeCount(), engine.TotalFiles,
                top == analysis::kNoNode ? 0u : tree.Folders(top),
                static_cast<long long>(engine.TotalSize));
    return platform::posix::CapturedMessageBoxes().empty() ? 0 : 1;
}
