// The reader on input it must not trust: the fixup check and the boot sector on their own, then
// a real image damaged in one place per case (a torn record, a name past the end, a parent
// chain that cycles, table runs outside the volume), then many random damages at once.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "NtfsImage.h"
#include "TreeCheck.h"
#include "ntfs/ByteSource.h"
#include "ntfs/MftReader.h"

namespace {

using snap::ntfs::ApplyFixups;
using snap::ntfs::Geometry;
using snap::ntfs::ReadGeometry;

void Put16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
uint16_t Get16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t Get32(const unsigned char* p) {
    return Get16(p) | (static_cast<uint32_t>(Get16(p + 2)) << 16);
}

// A 1024-byte record with a valid update sequence: number 0x1234, saved tails 0xAAAA, 0xBBBB.
std::vector<unsigned char> GoodRecord() {
    std::vector<unsigned char> r(1024, 0);
    std::memcpy(r.data(), "FILE", 4);
    Put16(&r[4], 0x30);
    Put16(&r[6], 3);
    Put16(&r[0x30], 0x1234);
    Put16(&r[0x32], 0xAAAA);
    Put16(&r[0x34], 0xBBBB);
    Put16(&r[510], 0x1234);
    Put16(&r[1022], 0x1234);
    return r;
}

TEST(MftFixups, RestoresTailsOnlyWhenEverySectorMatches) {
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> damage;
        bool ok;
    };
    const Case cases[] = {
        {"intact", [](auto&) {}, true},
        {"torn second sector", [](auto& r) { r[1022] ^= 1; }, false},
        {"torn first sector", [](auto& r) { r[511] ^= 0x80; }, false},
        {"wrong magic", [](auto& r) { r[0] = 'B'; }, false},
        {"count for another record size", [](auto& r) { Put16(&r[6], 5); }, false},
        {"array past the record", [](auto& r) { Put16(&r[4], 1020); }, false},
        {"array inside the header", [](auto& r) { Put16(&r[4], 2); }, false},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> r = GoodRecord();
        c.damage(r);
        EXPECT_EQ(ApplyFixups(r.data(), r.size(), "FILE"), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(Get16(&r[510]), 0xAAAA);
            EXPECT_EQ(Get16(&r[1022]), 0xBBBB);
        }
    }
    std::vector<unsigned char> odd = GoodRecord();
    EXPECT_FALSE(ApplyFixups(odd.data(), 1000, "FILE")) << "not a whole number of sectors";
}

std::vector<unsigned char> Boot(uint16_t sector, uint8_t spc, int8_t perRecord, uint64_t sectors,
                                uint64_t mft) {
    std::vector<unsigned char> b(512, 0);
    std::memcpy(&b[3], "NTFS    ", 8);
    Put16(&b[0x0B], sector);
    b[0x0D] = spc;
    for (int i = 0; i < 8; ++i) b[0x28 + i] = static_cast<unsigned char>(sectors >> (8 * i));
    for (int i = 0; i < 8; ++i) b[0x30 + i] = static_cast<unsigned char>(mft >> (8 * i));
    b[0x40] = static_cast<unsigned char>(perRecord);
    return b;
}

TEST(MftBootSector, SizesAreCheckedBeforeUse) {
    struct Case {
        const char* what;
        std::vector<unsigned char> boot;
        bool ok;
        uint32_t cluster, record;
    };
    const Case cases[] = {
        {"4 KiB clusters, 1 KiB records", Boot(512, 8, -10, 1 << 20, 4), true, 4096, 1024},
        {"record of two clusters", Boot(512, 1, 2, 1 << 20, 4), true, 512, 1024},
        {"4 KiB sectors and records", Boot(4096, 1, -12, 1 << 20, 4), true, 4096, 4096},
        {"128 KiB clusters as a power", Boot(512, 256 - 17, -10, 1 << 24, 4), true, 131072, 1024},
        {"sector size not a power of two", Boot(1000, 8, -10, 1 << 20, 4), false, 0, 0},
        {"no sectors per cluster", Boot(512, 0, -10, 1 << 20, 4), false, 0, 0},
        {"three sectors per cluster", Boot(512, 3, -10, 1 << 20, 4), false, 0, 0},
        {"records of 2^40 bytes", Boot(512, 8, -40, 1 << 20, 4), false, 0, 0},
        {"records of zero clusters", Boot(512, 8, 0, 1 << 20, 4), false, 0, 0},
        {"table beyond the volume", Boot(512, 8, -10, 800, 100), false, 0, 0},
        {"empty volume", Boot(512, 8, -10, 0, 0), false, 0, 0},
    };
    for (const Case& c : cases) {
        Geometry g;
        EXPECT_EQ(ReadGeometry(c.boot.data(), c.boot.size(), g), c.ok) << c.what;
        if (c.ok) {
            EXPECT_EQ(g.clusterSize, c.cluster) << c.what;
            EXPECT_EQ(g.recordSize, c.record) << c.what;
        }
    }
    std::vector<unsigned char> notNtfs = Boot(512, 8, -10, 1 << 20, 4);
    notNtfs[3] = 'F';
    Geometry g;
    EXPECT_FALSE(ReadGeometry(notNtfs.data(), notNtfs.size(), g));
}

// One small image, made once, with the record numbers of its files (ntfs-3g reports the
// record number as the inode number).
struct Sample {
    std::vector<unsigned char> bytes;
    Geometry geo;
    uint64_t a = 0, b = 0, fa = 0, fb = 0, plain = 0, victim = 0, listed = 0;
    std::string skip;
};

uint64_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

const Sample& TheSample() {
    static const Sample s = [] {
        Sample s;
        s.skip = ntfstest::MissingTools();
        if (!s.skip.empty()) return s;
        ntfstest::NtfsImage img(16);
        if (!img.Mount()) {
            s.skip = "ntfs-3g could not mount the image";
            return s;
        }
        img.Shell(
            "mkdir a b && head -c 100 /dev/zero > a/fa && head -c 200 /dev/zero > b/fb && "
            "head -c 300 /dev/zero > plain && head -c 400 /dev/zero > victim && "
            "head -c 500 /dev/zero > listed && for i in $(seq 12); do ln listed "
            "\"listed-under-a-long-name-that-fills-its-record-soon-$i\"; done");
        const std::string m = img.mount() + "/";
        s.a = Inode(m + "a");
        s.b = Inode(m + "b");
        s.fa = Inode(m + "a/fa");
        s.fb = Inode(m + "b/fb");
        s.plain = Inode(m + "plain");
        s.victim = Inode(m + "victim");
        s.listed = Inode(m + "listed");
        img.Unmount();
        std::ifstream in(img.image(), std::ios::binary);
        s.bytes.assign(std::istreambuf_iterator<char>(in), {});
        if (s.bytes.size() < 512 || !ReadGeometry(s.bytes.data(), 512, s.geo))
            s.skip = "mkntfs made no readable image";
        return s;
    }();
    return s;
}

// The record of number n in a fresh image, whose table is one run.
unsigned char* RecordAt(std::vector<unsigned char>& bytes, const Geometry& g, uint64_t n) {
    return bytes.data() + g.mftCluster * g.clusterSize + n * g.recordSize;
}

// The first attribute of the given type in a record, or null.
unsigned char* FindAttr(unsigned char* rec, uint32_t type) {
    size_t off = Get16(rec + 0x14);
    while (off + 8 < 1024) {
        unsigned char* a = rec + off;
        const uint32_t t = Get32(a);
        const uint32_t len = Get32(a + 4);
        if (t == 0xFFFFFFFFu || len == 0) return nullptr;
        if (t == type) return a;
        off += len;
    }
    return nullptr;
}

// The value of a resident attribute.
unsigned char* Value(unsigned char* attr) {
    return attr + Get16(attr + 0x14);
}

void SetParent(unsigned char* rec, uint64_t parent) {
    unsigned char* fn = FindAttr(rec, 0x30);
    ASSERT_NE(fn, nullptr);
    unsigned char* v = Value(fn);
    for (int i = 0; i < 6; ++i) v[i] = static_cast<unsigned char>(parent >> (8 * i));
}

// Points every entry of a record's attribute list at record n; the list may sit in the
// record or in one run of clusters.
void RetargetList(std::vector<unsigned char>& bytes, const Geometry& g, uint64_t recno,
                  uint64_t n) {
    unsigned char* list = FindAttr(RecordAt(bytes, g, recno), 0x20);
    ASSERT_NE(list, nullptr);
    unsigned char* v;
    uint64_t len;
    if (list[8] == 0) {
        v = Value(list);
        len = Get32(list + 0x10);
    } else {
        const unsigned char* runs = list + Get16(list + 0x20);
        const unsigned lenBytes = runs[0] & 0x0F, offBytes = runs[0] >> 4;
        uint64_t lcn = 0;
        for (unsigned k = 0; k < offBytes; ++k)
            lcn |= static_cast<uint64_t>(runs[1 + lenBytes + k]) << (8 * k);
        v = bytes.data() + lcn * g.clusterSize;
        len = Get32(list + 0x30);
    }
    for (uint64_t off = 0; off + 0x1A <= len && Get16(v + off + 4) >= 0x1A;
         off += Get16(v + off + 4)) {
        for (int i = 0; i < 6; ++i) v[off + 0x10 + i] = static_cast<unsigned char>(n >> (8 * i));
    }
}

struct Outcome {
    std::unique_ptr<snap::Arena> arena;  // the tree's records live here
    bool root;
    snaptest::TreeSummary tree;
    snap::ntfs::MftStats stats;
};

Outcome Read(const std::vector<unsigned char>& bytes) {
    snap::ntfs::MemorySource src(bytes.data(), bytes.size());
    auto arena = std::make_unique<snap::Arena>();
    snap::Pacer pacer(nullptr, nullptr);
    snap::ntfs::MftReader reader(*arena, src, pacer);
    const undel::TFILE_RECORD* root = reader.Run(u"N:\\");
    Outcome o{std::move(arena), root != nullptr, {}, reader.Stats()};
    if (root) o.tree = snaptest::Summarize(root);
    return o;
}

TEST(MftDamage, WhatCannotBeTrustedIsLeftOut) {
    const Sample& s = TheSample();
    if (!s.skip.empty()) GTEST_SKIP() << s.skip;
    struct Case {
        const char* what;
        std::function<void(std::vector<unsigned char>&)> damage;
        bool tree;  // a tree comes back at all
        std::vector<std::u16string> present, absent;
    };
    const Geometry& g = s.geo;
    const Case cases[] = {
        {"intact", [](auto&) {}, true, {u"a/fa", u"b/fb", u"plain", u"victim"}, {}},
        {"torn record",
         [&](auto& b) { RecordAt(b, g, s.victim)[510] ^= 0xFF; },
         true,
         {u"plain", u"a/fa"},
         {u"victim"}},
        {"record not in use",
         [&](auto& b) { RecordAt(b, g, s.victim)[0x16] &= ~1; },
         true,
         {u"plain"},
         {u"victim"}},
        {"name longer than its attribute",
         [&](auto& b) { Value(FindAttr(RecordAt(b, g, s.victim), 0x30))[0x40] = 255; },
         true,
         {u"plain"},
         {u"victim"}},
        {"attribute running past the record",
         [&](auto& b) {
             unsigned char* fn = FindAttr(RecordAt(b, g, s.victim), 0x30);
             fn[4] = 0xF0;
             fn[5] = 0xFF;
         },
         true,
         {u"plain"},
         {u"victim"}},
        {"value offset past the attribute",
         [&](auto& b) { Put16(FindAttr(RecordAt(b, g, s.victim), 0x30) + 0x14, 0x7FF0); },
         true,
         {u"plain"},
         {u"victim"}},
        {"folders that are each other's parent",
         [&](auto& b) {
             SetParent(RecordAt(b, g, s.a), s.b);
             SetParent(RecordAt(b, g, s.b), s.a);
         },
         true,
         {u"plain", u"victim"},
         {u"a", u"b", u"a/fa", u"b/fb"}},
        {"folder that is its own parent",
         [&](auto& b) { SetParent(RecordAt(b, g, s.a), s.a); },
         true,
         {u"b/fb"},
         {u"a", u"a/fa"}},
        {"parent that is a file",
         [&](auto& b) { SetParent(RecordAt(b, g, s.fa), s.plain); },
         true,
         {u"a", u"plain"},
         {u"a/fa", u"plain/fa"}},
        {"parent beyond the table",
         [&](auto& b) { SetParent(RecordAt(b, g, s.victim), 0xFFFFFFFFFFull); },
         true,
         {u"plain"},
         {u"victim"}},
        {"intact list",
         [](auto&) {},
         true,
         {u"listed", u"listed-under-a-long-name-that-fills-its-record-soon-12"},
         {}},
        {"list naming another file's base record",
         [&](auto& b) { RetargetList(b, g, s.listed, s.victim); },
         true,
         {u"victim", u"plain"},
         {}},
        {"list naming its own record only",
         [&](auto& b) { RetargetList(b, g, s.listed, s.listed); },
         true,
         {u"victim", u"plain"},
         {}},
        {"table runs outside the volume",
         [&](auto& b) {
             unsigned char* data = FindAttr(RecordAt(b, g, 0), 0x80);
             unsigned char* runs = data + Get16(data + 0x20);
             const unsigned lenBytes = runs[0] & 0x0F;
             runs[1 + lenBytes + (runs[0] >> 4) - 1] = 0x7F;  // top byte of the first offset
         },
         false,
         {},
         {}},
        {"table record torn", [&](auto& b) { RecordAt(b, g, 0)[1022] ^= 0x55; }, false, {}, {}},
        {"root not in use", [&](auto& b) { RecordAt(b, g, 5)[0x16] &= ~1; }, false, {}, {}},
        {"boot sector says clusters of 3 sectors", [](auto& b) { b[0x0D] = 3; }, false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bytes = s.bytes;
        c.damage(bytes);
        const Outcome o = Read(bytes);
        ASSERT_EQ(o.root, c.tree) << c.what;
        if (!o.root) continue;
        EXPECT_TRUE(o.tree.valid) << c.what << ": " << o.tree.problem;
        for (const auto& p : c.present)
            EXPECT_EQ(o.tree.byPath.count(p), 1u) << c.what << ": " << snaptest::Utf8(p);
        for (const auto& p : c.absent)
            EXPECT_EQ(o.tree.byPath.count(p), 0u) << c.what << ": " << snaptest::Utf8(p);
        // Nothing of another file is merged into the victim.
        if (o.tree.byPath.count(u"victim")) {
            EXPECT_EQ(snaptest::StreamBytes(o.tree.byPath.at(u"victim")), 400u) << c.what;
        }
    }
}

TEST(MftDamage, TornRecordIsCounted) {
    const Sample& s = TheSample();
    if (!s.skip.empty()) GTEST_SKIP() << s.skip;
    std::vector<unsigned char> bytes = s.bytes;
    RecordAt(bytes, s.geo, s.victim)[1022] ^= 1;
    const Outcome o = Read(bytes);
    ASSERT_TRUE(o.root);
    EXPECT_EQ(o.stats.badFixups, 1u);
    EXPECT_EQ(o.tree.byPath.at(u"plain")->IsDir, 0);
    EXPECT_EQ(snaptest::StreamBytes(o.tree.byPath.at(u"plain")), 300u);
}

// Random damage all over the table: whatever comes back is a consistent tree (under the
// sanitizers this also shows no read leaves its buffer).
TEST(MftDamage, RandomDamageGivesAConsistentTreeOrNone) {
    const Sample& s = TheSample();
    if (!s.skip.empty()) GTEST_SKIP() << s.skip;
    const size_t tableStart = s.geo.mftCluster * s.geo.clusterSize;
    const size_t tableBytes = 64 * s.geo.recordSize;
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::vector<unsigned char> bytes = s.bytes;
        const int hits = 1 + static_cast<int>(rng() % 40);
        for (int h = 0; h < hits; ++h) {
            const size_t at = tableStart + rng() % tableBytes;
            bytes[at] = static_cast<unsigned char>(rng());
        }
        const Outcome o = Read(bytes);
        if (o.root) {
            EXPECT_TRUE(o.tree.valid) << "round " << round << ": " << o.tree.problem;
        }
    }
}

}  // namespace
