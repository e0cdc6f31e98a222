// The POSIX back-end with the walker, on real folder trees the tests create.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "Backend.h"
#include "NameCodec.h"
#include "PosixFixture.h"
#include "TreeCheck.h"
#include "Walker.h"

namespace {

using undel::TFILE_RECORD;

struct Walked {
    snap::Arena arena;
    TFILE_RECORD* root = nullptr;
    snap::WalkStats stats;
    bool complete = false;
    bool rootOpened = false;
};

std::unique_ptr<Walked> WalkPath(const std::string& path) {
    auto w = std::make_unique<Walked>();
    std::u16string root;
    snap::NameToUtf16(path, root);
    auto source = snap::MakeFolderSource(root);
    if (!source) return w;
    snap::Pacer pacer(nullptr, nullptr);
    snap::Walker walker(w->arena, *source, pacer);
    w->root = walker.Run(root);
    w->stats = walker.Stats();
    w->complete = walker.Complete();
    w->rootOpened = walker.RootOpened();
    return w;
}

std::u16string U(const std::string& utf8) {
    std::u16string out;
    snap::NameToUtf16(utf8, out);
    return out;
}

const TFILE_RECORD* Find(const snaptest::TreeSummary& s, const std::u16string& path) {
    auto it = s.byPath.find(path);
    return it == s.byPath.end() ? nullptr : it->second;
}

const char kUnicodeName[] =
    "Gr\xC3\xB6\xC3\x9F"
    "e \xE2\x80\x93 \xE6\x96\x87\xE4\xBB\xB6 \xF0\x9F\x98\x80.txt";
const char kBadFolder[] = "bad-\xFF\xFE-name";  // not UTF-8: must still be entered

TEST(SnapshotPosixWalk, NamesSizesLinksAndSpecialFiles) {
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.File(kUnicodeName, 1234));
    ASSERT_TRUE(t.Dir("sizes"));
    const off_t sizes[] = {0, 1, 4096, 1000000, 5000000000LL};
    const char* names[] = {"sizes/zero", "sizes/one", "sizes/page", "sizes/million",
                           "sizes/five-gb"};
    uint64_t expected = 1234;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(t.File(names[i], sizes[i])) << names[i];
        expected += static_cast<uint64_t>(sizes[i]);
    }
    ASSERT_TRUE(
        t.Dir("\xC3\xBCn\xC3\xAF"
              "c\xC3\xB6"
              "d\xC3\xA9-ordner"));
    ASSERT_TRUE(
        t.File("\xC3\xBCn\xC3\xAF"
               "c\xC3\xB6"
               "d\xC3\xA9-ordner/\xE6\x97\xA5\xE6\x9C\xAC.txt",
               10));
    ASSERT_TRUE(t.Dir(kBadFolder));
    ASSERT_TRUE(t.File(std::string(kBadFolder) + "/inner.txt", 77));
    expected += 10 + 77;
    // Links: to an ancestor (a loop), to itself, to the file-system root, to a big file.
    ASSERT_TRUE(t.Dir("loop"));
    ASSERT_TRUE(t.Link("loop/up", ".."));
    ASSERT_TRUE(t.Link("loop/self", "."));
    ASSERT_TRUE(t.Link("loop/fs-root", "/"));
    ASSERT_TRUE(t.Link("linked-file", "sizes/five-gb"));
    ASSERT_EQ(::mkfifoat(t.fd(), "fifo", 0644), 0);

    auto w = WalkPath(t.path());
    ASSERT_TRUE(w->rootOpened);
    EXPECT_TRUE(w->complete);
    EXPECT_EQ(w->stats.unreadable, 0u);
    const auto s = snaptest::Summarize(w->root);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.bytes, expected);
    EXPECT_EQ(s.folders, 5u);  // root, sizes, the Unicode folder, the bad-name folder, loop
    EXPECT_EQ(s.files, 1u + 5 + 1 + 1 + 3 + 1 + 1);

    const TFILE_RECORD* uni = Find(s, U(kUnicodeName));
    ASSERT_NE(uni, nullptr);
    EXPECT_EQ(std::u16string(uni->FileNames->Name),
              u"Gr\u00f6\u00dfe \u2013 \u6587\u4ef6 \U0001F600.txt");
    EXPECT_EQ(snaptest::StreamBytes(uni), 1234u);
    EXPECT_NE(uni->TimeLastWrite.dwHighDateTime, 0u);  // stat times are cheap: filled

    EXPECT_NE(Find(s, u"\u00fcn\u00efc\u00f6d\u00e9-ordner/\u65e5\u672c.txt"), nullptr);
    const TFILE_RECORD* inner = Find(s, u"bad-\xDCFF\xDCFE-name/inner.txt");
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(snaptest::StreamBytes(inner), 77u);

    const TFILE_RECORD* zero = Find(s, u"sizes/zero");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(snaptest::Copy(zero->Streams), nullptr);
    EXPECT_EQ(snaptest::StreamBytes(Find(s, u"sizes/five-gb")), 5000000000ULL);

    // Links are files of size 0 marked as reparse points, never followed.
    for (const char16_t* link : {u"loop/up", u"loop/self", u"loop/fs-root", u"linked-file"}) {
        const TFILE_RECORD* r = Find(s, link);
        ASSERT_NE(r, nullptr) << snaptest::Utf8(link);
        EXPECT_EQ(r->IsDir, 0);
        EXPECT_EQ(snaptest::Copy(r->Streams), nullptr);
        EXPECT_NE(r->Attr & snap::kAttrReparsePoint, 0u);
    }
    const TFILE_RECORD* fifo = Find(s, u"fifo");
    ASSERT_NE(fifo, nullptr);
    EXPECT_EQ(fifo->IsDir, 0);
    EXPECT_EQ(snaptest::Copy(fifo->Streams), nullptr);
}

TEST(SnapshotPosixWalk, BackslashesInTheRootCountAsSlashes) {
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.Dir("sub"));
    ASSERT_TRUE(t.File("sub/x", 3));
    std::string back = t.path() + "/";
    for (char& c : back) {
        if (c == '/') c = '\\';
    }
    std::u16string root = U(back);
    EXPECT_TRUE(snap::IsWalkableFolder(root));
    EXPECT_FALSE(snap::IsWalkableFolder(U(t.path() + "/sub/x")));
    EXPECT_FALSE(snap::IsWalkableFolder(U(t.path() + "/missing")));
    EXPECT_FALSE(snap::IsWalkableFolder(u""));
    auto w = WalkPath(back);
    const auto s = snaptest::Summarize(w->root);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.bytes, 3u);
}

// 60 levels with long names (far past 260 characters), and a chain of 300 levels whose path
// is longer than PATH_MAX, with a sibling folder at every level that is reached only after
// coming back up: ancestors closed to save descriptors must be reopened correctly.
TEST(SnapshotPosixWalk, DeepTreesPastMaxPathAndPathMax) {
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    std::string rel;
    for (int i = 0; i < 60; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level-%02d-abcdefghij", i);
        rel += (rel.empty() ? "" : "/") + std::string(name);
        ASSERT_TRUE(t.Dir(rel)) << i;
    }
    ASSERT_GT(rel.size(), 1000u);
    ASSERT_TRUE(t.File(rel + "/bottom.txt", 4242));

    constexpr int kChain = 300;  // 300 * 17 bytes: past PATH_MAX, and past the open-descriptor cap
    ASSERT_TRUE(t.Dir("chain"));
    int fd = ::openat(t.fd(), "chain", O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    for (int i = 0; i < kChain; ++i) {
        // Names vary by level, so the listing order of the two folders varies too.
        const std::string sibling = "sibling-" + std::to_string(i);
        ASSERT_EQ(::mkdirat(fd, sibling.c_str(), 0755), 0);
        ASSERT_TRUE(snaptest::TempTree::FileAt(fd, sibling + "/f", 1));
        ASSERT_EQ(::mkdirat(fd, "deep-folder-name", 0755), 0);
        const int next = ::openat(fd, "deep-folder-name", O_RDONLY | O_DIRECTORY);
        ::close(fd);
        ASSERT_GE(next, 0) << i;
        fd = next;
    }
    ASSERT_TRUE(snaptest::TempTree::FileAt(fd, "end.txt", 1000));
    ::close(fd);

    auto w = WalkPath(t.path());
    EXPECT_TRUE(w->complete);
    EXPECT_EQ(w->stats.unreadable, 0u);
    const auto s = snaptest::Summarize(w->root, false);
    ASSERT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.maxDepth, static_cast<size_t>(kChain) + 2);  // chain, its levels, end.txt
    EXPECT_EQ(s.files, kChain + 2u);
    EXPECT_EQ(s.bytes, 4242u + kChain + 1000u);

    // Enough levels list their sibling after the deep folder to need the reopening.
    int siblingsAfter = 0;
    const TFILE_RECORD* level = nullptr;
    for (int32_t k = 0; k < w->root->NumDirItems; ++k) {
        if (std::u16string(w->root->DirItems[k].FileName->Name) == u"chain")
            level = w->root->DirItems[k].aRecord;
    }
    while (level && level->NumDirItems == 2) {
        const bool deepFirst =
            std::u16string(level->DirItems[0].FileName->Name) == u"deep-folder-name";
        siblingsAfter += deepFirst;
        level = level->DirItems[deepFirst ? 0 : 1].aRecord;
    }
    EXPECT_GE(siblingsAfter, 10);

    // The 60-level file is found under its full path.
    const TFILE_RECORD* r = w->root;
    for (int i = 0; i < 60 && r; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "level-%02d-abcdefghij", i);
        const TFILE_RECORD* next = nullptr;
        for (int32_t k = 0; k < r->NumDirItems; ++k) {
            if (std::u16string(r->DirItems[k].FileName->Name) == U(name))
                next = r->DirItems[k].aRecord;
        }
        r = next;
    }
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->NumDirItems, 1);
    EXPECT_EQ(snaptest::StreamBytes(r->DirItems[0].aRecord), 4242u);
}

struct LockedResult {
    int valid = 0;
    int lockedItems = -1;
    int unreadable = -1;
    unsigned long long bytes = 0;
    int foundHidden = 0;
    int listedNoSearch = 0;
};

// Root can open everything, so the walk runs in a child that has become "nobody".
TEST(SnapshotPosixWalk, FoldersThatCannotBeOpenedAreListedEmptyAndTheWalkGoesOn) {
    snaptest::TempTree t;
    ASSERT_TRUE(t.ok());
    ASSERT_TRUE(t.Dir("before"));
    ASSERT_TRUE(t.File("before/a.txt", 5));
    ASSERT_TRUE(t.Dir("locked", 0700));
    ASSERT_TRUE(t.File("locked/hidden.txt", 9));
    ASSERT_TRUE(t.Dir("after"));
    ASSERT_TRUE(t.File("after/b.txt", 3));
    // Readable but not searchable: names can be read, the entries cannot be examined.
    ASSERT_TRUE(t.Dir("nosearch"));
    ASSERT_TRUE(t.File("nosearch/x.txt", 11));
    ASSERT_EQ(::fchmodat(t.fd(), "nosearch", 0744, 0), 0);
    ASSERT_EQ(::fchmodat(t.fd(), "locked", geteuid() == 0 ? 0700 : 0000, 0), 0);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::close(pipeFds[0]);
        if (geteuid() == 0) {
            const gid_t nogroup = 65534;
            const uid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setresgid(nogroup, nogroup, nogroup) != 0 ||
                ::setresuid(nobody, nobody, nobody) != 0) {
                ::_exit(2);
            }
        }
        LockedResult res;
        auto w = WalkPath(t.path());
        const auto s = snaptest::Summarize(w->root);
        res.valid = s.valid ? 1 : 0;
        res.unreadable = static_cast<int>(w->stats.unreadable);
        res.bytes = s.bytes;
        auto it = s.byPath.find(u"locked");
        if (it != s.byPath.end()) res.lockedItems = it->second->NumDirItems;
        res.foundHidden = s.byPath.count(u"locked/hidden.txt") ? 1 : 0;
        auto x = s.byPath.find(u"nosearch/x.txt");
        res.listedNoSearch =
            x != s.byPath.end() && x->second->IsDir == 0 && x->second->Streams == nullptr;
        const bool written =
            ::write(pipeFds[1], &res, sizeof res) == static_cast<ssize_t>(sizeof res);
        ::_exit(written ? 0 : 3);
    }
    ::close(pipeFds[1]);
    LockedResult res;
    const ssize_t got = ::read(pipeFds[0], &res, sizeof res);
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "2: could not drop privileges, 3: no result";
    ASSERT_EQ(got, static_cast<ssize_t>(sizeof res));

    EXPECT_EQ(res.valid, 1);
    EXPECT_EQ(res.lockedItems, 0);
    EXPECT_EQ(res.foundHidden, 0);
    EXPECT_EQ(res.unreadable, 1);
    EXPECT_EQ(res.bytes, 5u + 3u);  // x.txt could not be examined: listed with size 0
    EXPECT_EQ(res.listedNoSearch, 1);
}

// A folder on another file system (a mount point) is listed but not entered.
TEST(SnapshotPosixWalk, MountPointsAreListedButNotEntered) {
    std::string parent, child;
    for (const char* candidate : {"/dev/pts", "/dev/shm", "/dev/mqueue"}) {
        struct stat a {
        }, b{};
        if (::stat(candidate, &a) == 0 && ::stat("/dev", &b) == 0 && S_ISDIR(a.st_mode) &&
            a.st_dev != b.st_dev) {
            parent = "/dev";
            child = candidate + 5;
            break;
        }
    }
    if (parent.empty()) GTEST_SKIP() << "no mount point below /dev on this machine";
    auto w = WalkPath(parent);
    const auto s = snaptest::Summarize(w->root);
    ASSERT_TRUE(s.valid) << s.problem;
    const TFILE_RECORD* m = Find(s, U(child));
    ASSERT_NE(m, nullptr) << child;
    EXPECT_EQ(m->IsDir, 1);
    EXPECT_NE(m->Attr & snap::kAttrReparsePoint, 0u);
    EXPECT_EQ(m->NumDirItems, 0);
}

}  // namespace
