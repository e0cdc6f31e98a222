// The portable walker against a scripted back-end: record building, what is entered and what
// is not, deep trees, stopping, progress and running out of memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TreeCheck.h"
#include "Walker.h"

namespace {

using undel::TFILE_RECORD;

// A tree in memory; node 0 is the root.
struct Node {
    std::u16string name;
    bool isDir = false;
    uint32_t attr = 0;
    uint64_t size = 0;
    bool unreadable = false;
    bool enterAnyway = false;  // a reparse folder the back-end says holds its own content
    std::vector<size_t> children;
};

uint64_t gFakeNow = 0;
uint64_t FakeClock() {
    return gFakeNow;
}

class ScriptedSource final : public snap::FolderSource {
  public:
    std::vector<Node> nodes{Node{u"", true, snap::kAttrDirectory, 0, false, false, {}}};
    // Simulated cost of one listed entry, in fake milliseconds.
    uint64_t msPerEntry = 0;
    uint64_t listed = 0;
    uint64_t enters = 0;
    uint64_t leaves = 0;
    bool misuse = false;  // Leave without Enter, or List twice

    size_t Add(size_t parent, std::u16string name, bool isDir, uint64_t size = 0,
               uint32_t attr = 0) {
        Node n;
        n.name = std::move(name);
        n.isDir = isDir;
        n.size = size;
        n.attr = attr | (isDir ? snap::kAttrDirectory : snap::kAttrNormal);
        nodes.push_back(std::move(n));
        nodes[parent].children.push_back(nodes.size() - 1);
        return nodes.size() - 1;
    }

    bool OpenRoot(snap::Entry& info) override {
        stack_ = {0};
        listedTop_ = false;
        info.attr = snap::kAttrDirectory;
        info.written = {7, 8};
        return !nodes[0].unreadable;
    }
    bool Enter(std::u16string_view name) override {
        if (!listedTop_) misuse = true;
        for (size_t c : nodes[stack_.back()].children) {
            if (nodes[c].name == name) {
                if (!nodes[c].isDir || nodes[c].unreadable) return false;
                stack_.push_back(c);
                listedTop_ = false;
                ++enters;
                return true;
            }
        }
        return false;
    }
    void Leave() override {
        if (stack_.size() < 2) {
            misuse = true;
            return;
        }
        stack_.pop_back();
        ++leaves;
    }
    void List(snap::EntrySink& sink) override {
        if (listedTop_) misuse = true;
        listedTop_ = true;
        for (size_t c : nodes[stack_.back()].children) {
            const Node& n = nodes[c];
            snap::Entry e;
            e.name = n.name;
            e.isDir = n.isDir;
            e.enter = n.isDir && ((n.attr & snap::kAttrReparsePoint) == 0 || n.enterAnyway);
            e.attr = n.attr;
            e.size = n.size;
            e.created = {static_cast<uint32_t>(c), 1};
            e.accessed = {static_cast<uint32_t>(c), 2};
            e.written = {static_cast<uint32_t>(c), 3};
            ++listed;
            gFakeNow += msPerEntry;
            if (!sink.Add(e)) return;
        }
    }
    size_t Depth() const { return stack_.size(); }

  private:
    std::vector<size_t> stack_;
    bool listedTop_ = false;
};

struct CallLog {
    std::vector<std::pair<int32_t, int32_t>> calls;  // cmd, progress
    int stopAtPoll = -1;                             // answer stop at this poll (0-based), -1 never
    int polls = 0;
    uint64_t listedAtStop = 0;
    const ScriptedSource* source = nullptr;
};

undel::BOOL32 UNDEL_STDCALL Record(int32_t cmd, const char16_t* msg, int32_t progress, void* ud) {
    auto* log = static_cast<CallLog*>(ud);
    EXPECT_NE(msg, nullptr);
    log->calls.emplace_back(cmd, progress);
    if (cmd == undel::kCmdPoll) {
        if (log->polls++ == log->stopAtPoll) {
            if (log->source) log->listedAtStop = log->source->listed;
            return 1;
        }
    }
    return 0;
}

struct WalkOutput {
    TFILE_RECORD* root = nullptr;
    bool complete = false;
    snap::WalkStats stats;
};

WalkOutput Walk(snap::Arena& arena, ScriptedSource& src, CallLog* log = nullptr) {
    snap::Pacer pacer(log ? Record : nullptr, log, FakeClock);
    snap::Walker walker(arena, src, pacer);
    WalkOutput out;
    out.root = walker.Run(u"R:\\");
    out.complete = walker.Complete();
    out.stats = walker.Stats();
    return out;
}

const TFILE_RECORD* At(const snaptest::TreeSummary& s, const std::u16string& path) {
    auto it = s.byPath.find(path);
    return it == s.byPath.end() ? nullptr : it->second;
}

TEST(SnapshotWalker, BuildsOneRecordPerEntryWithNamesSizesStreamsAndTimes) {
    ScriptedSource src;
    const size_t docs = src.Add(0, u"Docs", true);
    src.Add(docs, u"Gr\u00f6\u00dfe \u2013 \u6587\u4ef6 \U0001F600.txt", false, 12345);
    src.Add(docs, u"empty.bin", false, 0);
    src.Add(0, u"big.iso", false, 5'000'000'000ULL, 0x20);
    const size_t empty = src.Add(0, u"Empty folder", true);
    (void)empty;

    snap::Arena arena;
    WalkOutput w = Walk(arena, src);
    ASSERT_NE(w.root, nullptr);
    EXPECT_TRUE(w.complete);
    EXPECT_FALSE(src.misuse);
    EXPECT_EQ(src.enters, src.leaves);

    const auto s = snaptest::Summarize(w.root);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.folders, 3u);
    EXPECT_EQ(s.files, 3u);
    EXPECT_EQ(s.bytes, 12345u + 5'000'000'000ULL);
    EXPECT_EQ(w.stats.bytes, s.bytes);

    EXPECT_EQ(w.root->IsDir, 1);
    EXPECT_EQ(std::u16string(w.root->FileNames->Name), u"R:\\");
    EXPECT_EQ(w.root->TimeLastWrite.dwLowDateTime, 7u);

    const TFILE_RECORD* unicode = At(s, u"Docs/Gr\u00f6\u00dfe \u2013 \u6587\u4ef6 \U0001F600.txt");
    ASSERT_NE(unicode, nullptr);
    EXPECT_EQ(unicode->IsDir, 0);
    ASSERT_NE(snaptest::Copy(unicode->Streams), nullptr);
    EXPECT_EQ(unicode->Streams->ValidSize, 12345u);
    EXPECT_EQ(unicode->Streams->Size, 12345u);
    EXPECT_EQ(unicode->Streams->Next, nullptr);
    EXPECT_EQ(unicode->FileNames->DOSName[0], 0);
    EXPECT_EQ(unicode->TimeCreation.dwHighDateTime, 1u);
    EXPECT_EQ(unicode->TimeLastAccess.dwHighDateTime, 2u);
    EXPECT_EQ(unicode->TimeLastWrite.dwHighDateTime, 3u);

    const TFILE_RECORD* zero = At(s, u"Docs/empty.bin");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(snaptest::Copy(zero->Streams), nullptr);  // nothing to count, nothing allocated

    const TFILE_RECORD* iso = At(s, u"big.iso");
    ASSERT_NE(iso, nullptr);
    EXPECT_EQ(iso->Attr, 0x20u | snap::kAttrNormal);

    const TFILE_RECORD* folder = At(s, u"Empty folder");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->IsDir, 1);
    EXPECT_EQ(folder->NumDirItems, 0);
}

// Reparse-point folders (links, junctions, mounts) are listed and not entered, unless the
// back-end says they hold their own content; folders that cannot be opened stay empty and the
// walk goes on with their siblings.
TEST(SnapshotWalker, ListsButDoesNotEnterReparsePointsAndSkipsUnreadableFolders) {
    ScriptedSource src;
    const size_t link = src.Add(0, u"link", true, 0, snap::kAttrReparsePoint);
    src.Add(link, u"behind-link.txt", false, 100);
    const size_t cloud = src.Add(0, u"cloud", true, 0, snap::kAttrReparsePoint);
    src.nodes[cloud].enterAnyway = true;
    src.Add(cloud, u"placeholder.txt", false, 20);
    const size_t locked = src.Add(0, u"locked", true);
    src.Add(locked, u"secret.txt", false, 100);
    src.nodes[locked].unreadable = true;
    const size_t after = src.Add(0, u"after", true);
    src.Add(after, u"seen.txt", false, 7);

    snap::Arena arena;
    WalkOutput w = Walk(arena, src);
    const auto s = snaptest::Summarize(w.root);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_TRUE(w.complete);
    EXPECT_EQ(w.stats.unreadable, 1u);

    const TFILE_RECORD* l = At(s, u"link");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->IsDir, 1);
    EXPECT_EQ(l->NumDirItems, 0);
    EXPECT_EQ(At(s, u"link/behind-link.txt"), nullptr);

    const TFILE_RECORD* k = At(s, u"locked");
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->NumDirItems, 0);
    ASSERT_NE(At(s, u"after/seen.txt"), nullptr);
    ASSERT_NE(At(s, u"cloud/placeholder.txt"), nullptr);
    EXPECT_EQ(s.bytes, 7u + 20u);
}

TEST(SnapshotWalker, OnlyNameSurrogateOrMissingReparseTagsMarkALink) {
    const struct {
        uint32_t tag;
        bool ownContent;
        const char* what;
    } cases[] = {
        {0xA0000003u, false, "mount point / junction"},
        {0xA000000Cu, false, "symbolic link"},
        {0xA000001Du, false, "WSL symbolic link"},
        {0u, false, "no tag (how Wine reports its links)"},
        {0x9000001Au, true, "cloud-file placeholder"},
        {0x80000013u, true, "deduplicated"},
        {0x80000018u, true, "container isolation"},
    };
    for (const auto& c : cases) EXPECT_EQ(snap::HoldsOwnContent(c.tag), c.ownContent) << c.what;
}

TEST(SnapshotWalker, WalksAHundredThousandLevelsWithoutRecursion) {
    ScriptedSource src;
    constexpr size_t kLevels = 100000;
    size_t parent = 0;
    for (size_t i = 0; i < kLevels; ++i) {
        src.Add(parent, u"f", false, 1);
        parent = src.Add(parent, u"d", true);
    }
    snap::Arena arena;
    WalkOutput w = Walk(arena, src);
    const auto s = snaptest::Summarize(w.root, false);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_TRUE(w.complete);
    EXPECT_EQ(s.maxDepth, kLevels);
    EXPECT_EQ(s.files, kLevels);
    EXPECT_EQ(s.bytes, kLevels);
    EXPECT_EQ(src.enters, kLevels);
    EXPECT_EQ(src.leaves, kLevels);
    EXPECT_FALSE(src.misuse);
}

// A wide and deep tree whose listing costs simulated time: 10 fake ms per 1000 entries.
ScriptedSource BusyTree() {
    ScriptedSource src;
    src.msPerEntry = 0;
    for (int a = 0; a < 20; ++a) {
        const size_t top = src.Add(0, u"top" + std::u16string(1, u'A' + a), true);
        for (int b = 0; b < 10; ++b) {
            const size_t mid = src.Add(top, u"mid" + std::u16string(1, u'a' + b), true);
            for (int f = 0; f < 500; ++f)
                src.Add(mid, u"file" + std::u16string(1, u'0' + f % 10), false, 3);
        }
    }
    return src;
}

// Fake time advances only with work, so "how much work between two polls" is exact: the clock
// is read every few hundred entries and the callback polled once the interval has passed.
TEST(SnapshotWalker, PollsByWorkDoneAndReportsRisingProgressThatEndsAt1100) {
    ScriptedSource src = BusyTree();
    src.msPerEntry = 1;  // 1 fake ms per entry: polls are due often
    gFakeNow = 0;
    CallLog log;
    snap::Arena arena;
    WalkOutput w = Walk(arena, src, &log);
    ASSERT_TRUE(w.complete);

    std::vector<int32_t> progress;
    uint64_t polls = 0;
    for (auto [cmd, value] : log.calls) {
        ASSERT_TRUE(cmd == undel::kCmdPoll || cmd == undel::kCmdProgress) << cmd;
        if (cmd == undel::kCmdPoll) ++polls;
        if (cmd == undel::kCmdProgress) progress.push_back(value);
    }
    // 100 000 entries at one check per 256 entries (each check is due at 1 ms per entry).
    EXPECT_GE(polls, 100000u / snap::Pacer::kCheckEvery - 20);
    ASSERT_GE(progress.size(), 20u);
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), undel::kProgressEnd);
    for (size_t i = 1; i < progress.size(); ++i) {
        EXPECT_GT(progress[i], progress[i - 1]) << "at " << i;
    }
    EXPECT_LT(progress[progress.size() - 2], undel::kProgressEnd);
    // Half-way through the work the estimate is near the middle, not stuck or at the end.
    const int32_t mid = progress[progress.size() / 2];
    EXPECT_GT(mid, 300);
    EXPECT_LT(mid, 800);
}

TEST(SnapshotWalker, WithoutWorkPastThePollIntervalOnlyStartAndEndAreReported) {
    ScriptedSource src = BusyTree();
    gFakeNow = 0;  // the fake clock stands still
    CallLog log;
    snap::Arena arena;
    Walk(arena, src, &log);
    ASSERT_EQ(log.calls.size(), 2u);
    EXPECT_EQ(log.calls[0], std::make_pair(undel::kCmdProgress, 0));
    EXPECT_EQ(log.calls[1], std::make_pair(undel::kCmdProgress, undel::kProgressEnd));
}

// A stop answer ends the walk at once: no entry is listed after it, no callback follows, and
// the tree built so far is whole.
TEST(SnapshotWalker, StopRequestEndsTheWalkAtOnceWithAConsistentPartialTree) {
    for (int stopAt : {0, 3, 40}) {
        ScriptedSource src = BusyTree();
        src.msPerEntry = 1;
        gFakeNow = 0;
        CallLog log;
        log.stopAtPoll = stopAt;
        log.source = &src;
        snap::Arena arena;
        WalkOutput w = Walk(arena, src, &log);
        EXPECT_FALSE(w.complete) << stopAt;
        ASSERT_EQ(log.calls.back().first, undel::kCmdPoll) << "nothing after the stop answer";
        EXPECT_EQ(src.listed, log.listedAtStop) << stopAt;
        const auto s = snaptest::Summarize(w.root, false);
        ASSERT_TRUE(s.valid) << s.problem;
        EXPECT_LT(s.files, 100000u);
        EXPECT_EQ(s.files + s.folders, w.stats.files + w.stats.folders);
    }
}

TEST(SnapshotWalker, RunningOutOfMemoryEndsWithAConsistentPartialTree) {
    for (size_t limit : {size_t{2000}, size_t{64 * 1024}, size_t{1024 * 1024}}) {
        ScriptedSource src = BusyTree();
        gFakeNow = 0;
        CallLog log;
        snap::Arena arena(16 * 1024, limit);
        WalkOutput w = Walk(arena, src, &log);
        EXPECT_FALSE(w.complete) << limit;
        if (!w.root) {
            EXPECT_LT(limit, 4096u);  // not even the root fits
            continue;
        }
        const auto s = snaptest::Summarize(w.root, false);
        ASSERT_TRUE(s.valid) << s.problem;
        EXPECT_LT(s.files, 100000u);
        // The end is still reported: the walk is over, the caller did not stop it.
        EXPECT_EQ(log.calls.back(), std::make_pair(undel::kCmdProgress, undel::kProgressEnd));
    }
}

TEST(SnapshotWalker, UnreadableRootGivesAnEmptyRootRecord) {
    ScriptedSource src;
    src.Add(0, u"x", false, 5);
    src.nodes[0].unreadable = true;
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr, FakeClock);
    snap::Walker walker(arena, src, pacer);
    TFILE_RECORD* root = walker.Run(u"R:\\");
    ASSERT_NE(root, nullptr);
    EXPECT_FALSE(walker.RootOpened());
    EXPECT_EQ(root->IsDir, 1);
    EXPECT_EQ(root->NumDirItems, 0);
}

TEST(SnapshotWalker, WideFolderGetsOneContiguousItemArray) {
    ScriptedSource src;
    constexpr int kFiles = 200000;
    for (int i = 0; i < kFiles; ++i) src.Add(0, u"f", false, 2);
    snap::Arena arena;
    WalkOutput w = Walk(arena, src);
    ASSERT_EQ(w.root->NumDirItems, kFiles);
    const auto s = snaptest::Summarize(w.root, false);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.bytes, 2u * kFiles);
    // Records are packed into blocks: far fewer allocations than entries.
    EXPECT_LT(arena.BlockCount(), static_cast<size_t>(kFiles) / 100);
}

}  // namespace
