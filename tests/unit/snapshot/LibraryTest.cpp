// libundelete.so loaded by path, as the program loads undelete.dll, and called through the
// exported table in the order the scan engine uses.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "NameCodec.h"
#include "PosixFixture.h"
#include "TreeCheck.h"
#include "analysis/UndelDLL.h"

namespace {

using undel::TFILE_RECORD;
using undel::TUNDELETE_EXPORT_TABLE;

std::string ExeFolder() {
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string p(buf, static_cast<size_t>(n));
    return p.substr(0, p.rfind('/'));
}

class LoadedLibrary {
  public:
    LoadedLibrary() {
        handle_ = ::dlopen((ExeFolder() + "/libundelete.so").c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) return;
        entry_ = reinterpret_cast<undel::UndeleteDLLEntryW_t>(::dlsym(handle_, undel::kEntryName));
        version_ =
            reinterpret_cast<undel::UndeleteDLLGetVersion_t>(::dlsym(handle_, undel::kVersionName));
    }
    ~LoadedLibrary() {
        if (handle_) ::dlclose(handle_);
    }
    bool ok() const { return entry_ != nullptr; }
    // The engine asks for the table anew before every call.
    TUNDELETE_EXPORT_TABLE& T() const { return *entry_(); }
    undel::UndeleteDLLGetVersion_t version() const { return version_; }
    undel::UndeleteDLLEntryW_t entry() const { return entry_; }

  private:
    void* handle_ = nullptr;
    undel::UndeleteDLLEntryW_t entry_ = nullptr;
    undel::UndeleteDLLGetVersion_t version_ = nullptr;
};

std::u16string U(const std::string& s) {
    std::u16string out;
    snap::NameToUtf16(s, out);
    return out;
}

struct CallLog {
    std::vector<std::pair<int32_t, int32_t>> calls;
    int stopAtPoll = -1;
    int polls = 0;
    size_t callsAtStop = 0;
};

undel::BOOL32 UNDEL_STDCALL EngineLikeCallback(int32_t cmd, const char16_t*, int32_t progress,
                                               void* ud) {
    auto* log = static_cast<CallLog*>(ud);
    if (!log) return cmd == 1 || cmd == 2 || cmd == 3;
    log->calls.emplace_back(cmd, progress);
    if (cmd == undel::kCmdPoll) {
        if (log->polls++ == log->stopAtPoll) {
            log->callsAtStop = log->calls.size();
            return 1;
        }
        return 0;
    }
    return cmd == 1 || cmd == 2 || cmd == 3;
}

// One analysis, in the engine's order. Returns UpdateSnapshot's result; the tree is summarised
// before the snapshot is freed.
struct Analysis {
    undel::BOOL32 opened = 0;
    bool snapshotMade = false;
    undel::BOOL32 updated = 0;
    snaptest::TreeSummary summary;
};

Analysis Analyse(const LoadedLibrary& lib, const std::u16string& root, CallLog* log) {
    Analysis a;
    undel::HVOLUME vol = lib.T().NewVolume();
    if (!vol) return a;
    a.opened = lib.T().OpenVolume(vol, root.c_str());
    if (a.opened) {
        undel::HSNAPSHOT snap = lib.T().NewSnapshot(vol);
        a.snapshotMade = snap != nullptr;
        if (snap) {
            TFILE_RECORD* tree = nullptr;
            a.updated = lib.T().UpdateSnapshot(snap, 1, &tree, EngineLikeCallback, log, nullptr);
            a.summary = snaptest::Summarize(tree);
            lib.T().FreeSnapshot(snap);
        }
        lib.T().CloseVolume(vol);
    }
    lib.T().FreeVolume(vol);
    return a;
}

TEST(SnapshotLibrary, ExportsTheEntryAndTheVersionWithEveryTableSlotFilled) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok()) << ::dlerror();
    ASSERT_NE(lib.version(), nullptr);
    EXPECT_EQ(lib.version()(), 0x00010000u);  // 1.0.0
    EXPECT_EQ(lib.entry()(), lib.entry()());  // one static table
    void* const* slots = reinterpret_cast<void* const*>(lib.entry()());
    for (int i = 0; i < 23; ++i) EXPECT_NE(slots[i], nullptr) << "slot " << i;
}

TEST(SnapshotLibrary, EntriesTheProgramDoesNotCallFailCleanly) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok());
    TUNDELETE_EXPORT_TABLE& t = lib.T();
    undel::HVOLUME vol = t.NewVolume();
    ASSERT_NE(vol, nullptr);
    char buffer[64] = {};
    undel::TDATA_STREAM stream{};
    EXPECT_EQ(t.ListVolumes(), nullptr);
    t.FreeVolumeList(nullptr);
    EXPECT_EQ(t.GetVolumeClusterSize(vol), 0u);
    EXPECT_EQ(t.GetDriveIcon(vol), nullptr);
    EXPECT_EQ(t.GetVolumeName(vol), nullptr);
    EXPECT_EQ(t.NewStreamReader(nullptr, &stream), nullptr);
    EXPECT_EQ(t.ReadStreamClusters(nullptr, buffer, 1), 0);
    t.FreeStreamReader(nullptr);
    EXPECT_EQ(t.NewImportContext(nullptr), nullptr);
    EXPECT_EQ(t.EncryptedFileImportCallback(buffer, nullptr, sizeof buffer), 0);
    t.FreeImportContext(nullptr);
    EXPECT_EQ(t.GetFirstCluster(&stream), 0u);
    EXPECT_EQ(t.GetError(), 0u);
    EXPECT_EQ(t.GetSysError(), 0u);
    t.FreeClusterMap(nullptr);
    EXPECT_EQ(t.ReadVolumeClusters(vol, 0, 1, buffer), 0);
    t.FreeVolume(vol);
}

TEST(SnapshotLibrary, OneAnalysisInTheEngineOrderDeliversTheTree) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok());
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.Dir("A"));
    ASSERT_TRUE(
        t.File("A/Gr\xC3\xB6\xC3\x9F"
               "e.txt",
               100));
    ASSERT_TRUE(t.Dir("A/B"));
    ASSERT_TRUE(t.File("A/B/c.bin", 2000));
    ASSERT_TRUE(t.File("top.txt", 30));

    CallLog log;
    Analysis a = Analyse(lib, U(t.path() + "/"), &log);
    ASSERT_EQ(a.opened, 1);
    ASSERT_TRUE(a.snapshotMade);
    EXPECT_EQ(a.updated, 1);
    ASSERT_TRUE(a.summary.valid) << a.summary.problem;
    EXPECT_EQ(a.summary.folders, 3u);
    EXPECT_EQ(a.summary.files, 3u);
    EXPECT_EQ(a.summary.bytes, 2130u);
    EXPECT_NE(a.summary.byPath.count(u"A/Gr\u00f6\u00dfe.txt"), 0u);
    ASSERT_FALSE(log.calls.empty());
    EXPECT_EQ(log.calls.front(), std::make_pair(undel::kCmdProgress, 0));
    EXPECT_EQ(log.calls.back(), std::make_pair(undel::kCmdProgress, undel::kProgressEnd));

    // The engine's own form: backslashes.
    std::string back = t.path() + "\\";
    for (char& c : back) {
        if (c == '/') c = '\\';
    }
    Analysis b = Analyse(lib, U(back), nullptr);
    ASSERT_EQ(b.opened, 1);
    EXPECT_EQ(b.updated, 1);
    EXPECT_EQ(b.summary.bytes, 2130u);
}

TEST(SnapshotLibrary, FailuresAreReturnValues) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok());
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.File("plain-file", 1));
    TUNDELETE_EXPORT_TABLE& tb = lib.T();

    const std::u16string missing = U(t.path() + "/no-such-folder/");
    const std::u16string file = U(t.path() + "/plain-file");
    undel::HVOLUME vol = tb.NewVolume();
    ASSERT_NE(vol, nullptr);
    EXPECT_EQ(tb.OpenVolume(vol, missing.c_str()), 0);
    EXPECT_EQ(tb.OpenVolume(vol, file.c_str()), 0);
    EXPECT_EQ(tb.OpenVolume(vol, nullptr), 0);
    EXPECT_EQ(tb.OpenVolume(vol, u""), 0);
    EXPECT_EQ(tb.OpenVolume(nullptr, U(t.path()).c_str()), 0);
    EXPECT_EQ(tb.NewSnapshot(vol), nullptr);  // not opened
    EXPECT_EQ(tb.NewSnapshot(nullptr), nullptr);

    TFILE_RECORD* tree = reinterpret_cast<TFILE_RECORD*>(&tree);  // must be overwritten
    EXPECT_EQ(tb.UpdateSnapshot(nullptr, 1, &tree, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(tree, nullptr);

    ASSERT_EQ(tb.OpenVolume(vol, U(t.path()).c_str()), 1);
    undel::HSNAPSHOT snap = tb.NewSnapshot(vol);
    ASSERT_NE(snap, nullptr);
    EXPECT_EQ(tb.UpdateSnapshot(snap, 1, nullptr, nullptr, nullptr, nullptr), 0);
    tb.CloseVolume(vol);
    EXPECT_EQ(tb.NewSnapshot(vol), nullptr);  // closed
    tb.FreeVolume(vol);

    // The snapshot outlives its volume, and a second update replaces the first tree.
    for (int round = 0; round < 2; ++round) {
        tree = nullptr;
        EXPECT_EQ(tb.UpdateSnapshot(snap, 1, &tree, nullptr, nullptr, nullptr), 1);
        const auto s = snaptest::Summarize(tree);
        ASSERT_TRUE(s.valid) << s.problem;
        EXPECT_EQ(s.files, 1u);
    }
    // The folder vanishing between open and update gives an empty root, not a crash.
    snaptest::TempTree gone;
    ASSERT_TRUE(gone.ok());
    undel::HVOLUME v2 = tb.NewVolume();
    ASSERT_EQ(tb.OpenVolume(v2, U(gone.path()).c_str()), 1);
    undel::HSNAPSHOT s2 = tb.NewSnapshot(v2);
    ASSERT_EQ(::rmdir(gone.path().c_str()), 0);
    tree = nullptr;
    EXPECT_EQ(tb.UpdateSnapshot(s2, 1, &tree, nullptr, nullptr, nullptr), 0);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->IsDir, 1);
    EXPECT_EQ(tree->NumDirItems, 0);
    tb.FreeSnapshot(s2);
    tb.FreeVolume(v2);
    tb.FreeSnapshot(snap);
}

// A big real tree: /usr has enough entries for the walk to outlast several poll intervals.
const char kBigTree[] = "/usr/";

TEST(SnapshotLibrary, ProgressRisesAndEndsAtExactly1100) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok());
    CallLog log;
    Analysis a = Analyse(lib, U(kBigTree), &log);
    ASSERT_EQ(a.opened, 1);
    ASSERT_TRUE(a.summary.valid) << a.summary.problem;
    int32_t last = -1;
    int ends = 0;
    for (auto [cmd, value] : log.calls) {
        ASSERT_TRUE(cmd == undel::kCmdPoll || cmd == undel::kCmdProgress) << cmd;
        if (cmd != undel::kCmdProgress) continue;
        EXPECT_GE(value, last);
        EXPECT_LE(value, undel::kProgressEnd);
        last = value;
        ends += value == undel::kProgressEnd;
    }
    EXPECT_EQ(last, undel::kProgressEnd);
    EXPECT_EQ(ends, 1);
}

TEST(SnapshotLibrary, StopFromTheCallbackEndsTheWalkWithAValidPartialTree) {
    LoadedLibrary lib;
    ASSERT_TRUE(lib.ok());
    Analysis full = Analyse(lib, U(kBigTree), nullptr);
    ASSERT_TRUE(full.summary.valid) << full.summary.problem;

    for (int stopAt : {0, 5}) {
        CallLog log;
        log.stopAtPoll = stopAt;
        Analysis a = Analyse(lib, U(kBigTree), &log);
        if (log.polls <= stopAt) GTEST_SKIP() << "walk ended before poll " << stopAt;
        EXPECT_EQ(a.updated, 0);
        EXPECT_EQ(log.calls.size(), log.callsAtStop) << "no callback after the stop answer";
        ASSERT_TRUE(a.summary.valid) << a.summary.problem;
        EXPECT_LT(a.summary.files + a.summary.folders, full.summary.files + full.summary.folders);
        EXPECT_GT(a.summary.files + a.summary.folders, 1u);
    }
}

}  // namespace
