// Walks a folder (default /usr) with the snapshot walker and prints what it cost: entries,
// wall time, arena memory, the longest gap between two polls, and how long a stop request
// takes to end a walk.
#include <chrono>
#include <cstdio>
#include <string>

#include "Backend.h"
#include "NameCodec.h"
#include "Walker.h"

namespace {

using Clock = std::chrono::steady_clock;

struct PollLog {
    Clock::time_point start;
    Clock::time_point last;
    double maxGapMs = 0;
    double stopAfterMs = -1;  // answer stop at the first poll after this, if >= 0
    Clock::time_point stoppedAt;
    bool stopped = false;
    int progressCalls = 0;
    int lastProgress = -1;
    bool monotonic = true;
};

undel::BOOL32 UNDEL_STDCALL OnProgress(int32_t cmd, const char16_t*, int32_t progress, void* ud) {
    auto* log = static_cast<PollLog*>(ud);
    if (cmd == undel::kCmdProgress) {
        if (progress < log->lastProgress) log->monotonic = false;
        log->lastProgress = progress;
        ++log->progressCalls;
        return 1;
    }
    if (cmd != undel::kCmdPoll) return 0;
    const auto now = Clock::now();
    const double gap = std::chrono::duration<double, std::milli>(now - log->last).count();
    if (gap > log->maxGapMs) log->maxGapMs = gap;
    log->last = now;
    if (log->stopAfterMs >= 0 &&
        std::chrono::duration<double, std::milli>(now - log->start).count() >= log->stopAfterMs) {
        log->stopped = true;
        log->stoppedAt = now;
        return 1;
    }
    return 0;
}

// Times the back-end's own calls, to tell slow folder openings from slow walking.
class TimedSource final : public snap::FolderSource {
  public:
    explicit TimedSource(snap::FolderSource& inner) : inner_(inner) {}
    bool OpenRoot(snap::Entry& root) override { return inner_.OpenRoot(root); }
    bool Enter(std::u16string_view name) override {
        const auto t0 = Clock::now();
        const bool ok = inner_.Enter(name);
        Note(t0, maxEnterMs, maxEnterName, name);
        return ok;
    }
    void Leave() override { inner_.Leave(); }
    void List(snap::EntrySink& sink) override { inner_.List(sink); }

    double maxEnterMs = 0;
    std::u16string maxEnterName;

  private:
    static void Note(Clock::time_point t0, double& maxMs, std::u16string& maxName,
                     std::u16string_view name) {
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        if (ms > maxMs) {
            maxMs = ms;
            maxName = name;
        }
    }
    snap::FolderSource& inner_;
};

struct Run {
    snap::WalkStats stats;
    double ms = 0;
    Clock::time_point ended;
    size_t arenaBytes = 0;
    size_t blocks = 0;
    double maxEnterMs = 0;
    std::string maxEnterName;
    PollLog log;
};

bool Walk(const std::u16string& root, double stopAfterMs, Run& out) {
    snap::Arena arena;
    auto inner = snap::MakeFolderSource(root);
    if (!inner) return false;
    TimedSource timed(*inner);
    snap::FolderSource* source = &timed;
    out.log.stopAfterMs = stopAfterMs;
    out.log.start = out.log.last = Clock::now();
    snap::Pacer pacer(OnProgress, &out.log);
    snap::Walker walker(arena, *source, pacer);
    const auto t0 = Clock::now();
    if (!walker.Run(root)) return false;
    out.ended = Clock::now();
    out.ms = std::chrono::duration<double, std::milli>(out.ended - t0).count();
    out.stats = walker.Stats();
    out.arenaBytes = arena.BytesReserved();
    out.blocks = arena.BlockCount();
    out.maxEnterMs = timed.maxEnterMs;
    snap::NameFromUtf16(timed.maxEnterName, out.maxEnterName);
    return walker.RootOpened();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string rootBytes = argc > 1 ? argv[1] : "/usr";
    std::u16string root;
    snap::NameToUtf16(rootBytes, root);
    if (!snap::IsWalkableFolder(root)) {
        std::fprintf(stderr, "not a folder: %s\n", rootBytes.c_str());
        return 1;
    }
    for (int pass = 1; pass <= 3; ++pass) {
        Run r;
        if (!Walk(root, -1, r)) return 1;
        const uint64_t entries = r.stats.folders + r.stats.files;
        std::printf(
            "walk %d of %s: %llu entries (%llu folders, %llu files, %llu unreadable), %.1f ms, "
            "%.0f entries/s; %llu bytes in files; arena %.1f MiB in %zu blocks, %.1f bytes/entry; "
            "longest poll gap %.1f ms; slowest folder opening %.1f ms (%s); progress calls %d, "
            "last %d, %s\n",
            pass, rootBytes.c_str(), static_cast<unsigned long long>(entries),
            static_cast<unsigned long long>(r.stats.folders),
            static_cast<unsigned long long>(r.stats.files),
            static_cast<unsigned long long>(r.stats.unreadable), r.ms, entries / (r.ms / 1000.0),
            static_cast<unsigned long long>(r.stats.bytes), r.arenaBytes / 1048576.0, r.blocks,
            entries ? static_cast<double>(r.arenaBytes) / entries : 0.0, r.log.maxGapMs,
            r.maxEnterMs, r.maxEnterName.c_str(), r.log.progressCalls, r.log.lastProgress,
            r.log.monotonic ? "non-decreasing" : "DECREASED");
    }
    for (double stopAfter : {0.0, 50.0, 200.0}) {
        Run r;
        if (!Walk(root, stopAfter, r)) return 1;
        if (!r.log.stopped) {
            std::printf("stop after %.0f ms: the walk ended before a stop was asked\n", stopAfter);
            continue;
        }
        std::printf("stop after %.0f ms: walk ended %.2f ms after the stop answer, %llu entries\n",
                    stopAfter,
                    std::chrono::duration<double, std::milli>(r.ended - r.log.stoppedAt).count(),
                    static_cast<unsigned long long>(r.stats.folders + r.stats.files));
    }
    return 0;
}
