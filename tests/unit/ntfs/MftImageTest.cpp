// Images made with mkntfs and filled through ntfs-3g: the table reader's tree must match the
// POSIX walk of the mounted volume name for name and size for size. Named streams are invisible
// to the walk, so they are checked against what the case wrote.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <memory>
#include <string>

#include "Backend.h"
#include "NameCodec.h"
#include "NtfsImage.h"
#include "TreeCheck.h"
#include "Walker.h"
#include "ntfs/ByteSource.h"
#include "ntfs/MftReader.h"

namespace {

using snaptest::Copy;
using undel::TFILE_RECORD;

std::u16string U(const std::string& utf8) {
    std::u16string out;
    snap::NameToUtf16(utf8, out);
    return out;
}

uint64_t UnnamedSize(const TFILE_RECORD* r) {
    for (const undel::TDATA_STREAM* s = r->Streams; s; s = s->Next) {
        if (s->Name && s->Name[0] == 0) return Copy(s->ValidSize);
    }
    return 0;
}

bool IsMetafilePath(const std::u16string& path) {
    return !path.empty() && path[0] == u'$';
}

struct ImageCase {
    const char* name;
    unsigned sizeMb;
    const char* fill;  // shell script run inside the mount
    // Files whose streams, named ones included, must add up to the given bytes.
    std::map<std::string, uint64_t> streamTotals;
    bool needsExtensions;         // some file must have spilled into extension records
    bool fragmentedTable;         // the table itself must lie in more than one run
    bool listInClusters = false;  // some attribute list is too long to stay in its record
};

const ImageCase kCases[] = {
    {"UnicodeAndLongNames",
     32,
     "printf x > \"$(printf 'Gr\\303\\266\\303\\237e \\342\\200\\223 \\346\\226\\207 "
     "\\360\\237\\230\\200.txt')\" && "
     "L=$(printf 'n%.0s' $(seq 250)) && head -c 777 /dev/zero > \"$L\" && "
     "mkdir \"$(printf '\\303\\274n\\303\\257c\\303\\266d\\303\\251')\" && "
     "head -c 5000 /dev/zero > \"$(printf '\\303\\274n\\303\\257c\\303\\266d\\303\\251')/inner\" "
     "&& : > ' blanks ' && head -c 100000 /dev/zero > mixedCASE.Bin",
     {},
     false,
     false},
    {"DeepNesting",
     32,
     "p=.; for i in $(seq 70); do p=$p/level$i; done; mkdir -p $p && "
     "head -c 4321 /dev/zero > $p/leaf && head -c 12 /dev/zero > level1/top",
     {},
     false,
     false},
    {"NamedStreams",
     32,
     "head -c 1000 /dev/zero > host && head -c 300 /dev/zero > host:first && "
     "head -c 70000 /dev/zero > host:second && : > only-streams && "
     "head -c 5 /dev/zero > only-streams:tiny && mkdir sdir && head -c 9 /dev/zero > sdir/f",
     {{"host", 71300}, {"only-streams", 5}},
     false,
     false},
    {"HardLinks",
     32,
     "mkdir a b && head -c 4096 /dev/zero > a/orig && ln a/orig b/link && "
     "ln a/orig a/second && head -c 10 /dev/zero > single",
     {},
     false,
     false},
    {"SparseFile",
     64,
     "truncate -s 3G sparse.bin && head -c 1 /dev/zero | dd of=holes.bin bs=1 seek=100000000 "
     "conv=notrunc 2>/dev/null",
     {},
     false,
     false},
    {"ThousandsOfEntries",
     96,
     "mkdir wide && cd wide && seq -f 'file-%05g.dat' 4000 | xargs touch && "
     "mkdir sub && seq -f 'sub/x%g' 300 | xargs touch && head -c 3 /dev/zero > file-00001.dat",
     {},
     false,
     false},
    {"AttributeListFromNames",
     32,
     "head -c 2048 /dev/zero > base && for i in $(seq 40); do "
     "ln base \"link-with-a-rather-long-name-to-fill-the-record-quickly-number-$i\"; done",
     {},
     true,
     false},
    {"AttributeListInClusters",
     32,
     "head -c 3000 /dev/zero > base && for i in $(seq 500); do "
     "ln base \"link-with-a-long-name-so-that-the-list-outgrows-its-record-$i\"; done",
     {},
     true,
     false,
     true},
    {"AttributeListFromStreams",
     32,
     "head -c 100 /dev/zero > many && for i in $(seq 60); do "
     "head -c 200 /dev/zero > \"many:stream-number-$i\"; done",
     {{"many", 100 + 60 * 200}},
     true,
     false},
    {"FragmentedTable",
     40,
     "mkdir first && seq -f 'first/a%g' 1500 | xargs touch && "
     "for i in $(seq 12); do head -c 1500000 /dev/zero > blob$i; done; "
     "dd if=/dev/zero of=filler bs=64k 2>/dev/null; sync; "
     "rm -f blob2 blob4 blob6 blob8 blob10 blob12 && rm -rf first && "
     "mkdir again && seq -f 'again/b%g' 6000 | xargs touch",
     {},
     false,
     true},
};

void PrintTo(const ImageCase& c, std::ostream* os) {
    *os << c.name;
}

class MftImage : public ::testing::TestWithParam<ImageCase> {};

TEST_P(MftImage, TreeMatchesTheWalkOfTheMount) {
    const std::string missing = ntfstest::MissingTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    const ImageCase& c = GetParam();
    ntfstest::NtfsImage img(c.sizeMb);
    ASSERT_TRUE(img.Formatted());
    if (!img.Mount()) GTEST_SKIP() << "ntfs-3g could not mount the image (no FUSE here?)";
    ASSERT_TRUE(img.Shell(c.fill)) << c.fill;

    snap::Arena walkArena;
    snaptest::TreeSummary walk;
    {
        snap::Pacer walkPacer(nullptr, nullptr);
        auto source = snap::MakeFolderSource(U(img.mount()));
        ASSERT_TRUE(source);
        snap::Walker walker(walkArena, *source, walkPacer);
        const TFILE_RECORD* walkRoot = walker.Run(u"W:\\");
        ASSERT_TRUE(walker.Complete());
        walk = snaptest::Summarize(walkRoot);
        ASSERT_TRUE(walk.valid) << walk.problem;
    }  // the walk's folder descriptors are closed before the unmount
    ASSERT_TRUE(img.Unmount());

    auto image = snap::ntfs::OpenImageFile(img.image());
    ASSERT_TRUE(image);
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    snap::ntfs::MftReader reader(arena, *image, pacer);
    const TFILE_RECORD* root = reader.Run(u"N:\\");
    ASSERT_NE(root, nullptr);
    const snaptest::TreeSummary got = snaptest::Summarize(root);
    ASSERT_TRUE(got.valid) << got.problem;

    for (const auto& [path, w] : walk.byPath) {
        auto it = got.byPath.find(path);
        if (it == got.byPath.end()) {
            ADD_FAILURE() << "missing in the reader's tree: " << snaptest::Utf8(path);
            continue;
        }
        EXPECT_EQ(Copy(it->second->IsDir), Copy(w->IsDir)) << snaptest::Utf8(path);
        EXPECT_EQ(UnnamedSize(it->second), snaptest::StreamBytes(w)) << snaptest::Utf8(path);
    }
    for (const auto& [path, r] : got.byPath) {
        if (!IsMetafilePath(path) && walk.byPath.count(path) == 0)
            ADD_FAILURE() << "not in the walk: " << snaptest::Utf8(path);
    }
    for (const auto& [path, total] : c.streamTotals) {
        auto it = got.byPath.find(U(path));
        ASSERT_NE(it, got.byPath.end()) << path;
        EXPECT_EQ(snaptest::StreamBytes(it->second), total) << path;
    }

    // The table appears where NTFS keeps it, with its real size.
    auto mft = got.byPath.find(u"$MFT");
    ASSERT_NE(mft, got.byPath.end());
    EXPECT_EQ(UnnamedSize(mft->second), reader.Stats().records * reader.Volume().recordSize);
    EXPECT_EQ(got.byPath.count(u"."), 0u);
    if (c.needsExtensions) {
        EXPECT_GT(reader.Stats().extensions, 0u);
    }
    if (c.listInClusters) {
        EXPECT_GT(reader.Stats().outsideLists, 0u);
    }
    if (c.fragmentedTable) {
        EXPECT_GT(reader.Stats().mftExtents, 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(Images, MftImage, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Reparse data as setfattr takes it: tag, data length, reserved, data.
const char kMountPoint[] =  // a junction to \??\C:\t
    "0x030000a01c00000000001000120000005c003f003f005c0043003a005c00740000000000";
const char kSymlinkTag[] = "0x0c0000a00c000000000000000000000000000000";
const char kDedupTag[] = "0x1300008004000000abcdef01";

// What the walk of a mount cannot show: ntfs-3g hides the reparse points it does not know and
// shows junctions as links. Checked against what the case made instead.
TEST(MftImageSpecial, ReparsePointsAndCompressedFiles) {
    const std::string missing = ntfstest::MissingTools();
    if (!missing.empty()) GTEST_SKIP() << missing;
    if (!ntfstest::HaveTool("setfattr")) GTEST_SKIP() << "setfattr is not installed (package attr)";
    ntfstest::NtfsImage img(32);
    ASSERT_TRUE(img.Formatted());
    if (!img.Mount()) GTEST_SKIP() << "ntfs-3g could not mount the image (no FUSE here?)";
    const std::string set = "setfattr -n system.ntfs_reparse_data -v ";
    ASSERT_TRUE(img.Shell(
        "mkdir junction comp && head -c 1000 /dev/zero > slink && head -c 777 /dev/zero > dedup "
        "&& setfattr -n system.ntfs_attrib_be -v 0x00000800 comp && "
        "head -c 300000 /dev/zero > comp/zeros && head -c 100000 /dev/urandom > comp/random && " +
        set + kMountPoint + " junction && " + set + kSymlinkTag + " slink && " + set + kDedupTag +
        " dedup && head -c 42 /dev/zero > 'A long file name.txt' && "
        "setfattr -n system.ntfs_dos_name -v 'ALONGF~1.TXT' 'A long file name.txt' && "
        "head -c 43 /dev/zero > SHORT.TXT && "
        "setfattr -n system.ntfs_dos_name -v SHORT.TXT SHORT.TXT"));
    struct stat st {};
    ASSERT_EQ(::stat((img.mount() + "/comp/zeros").c_str(), &st), 0);
    EXPECT_LT(st.st_blocks * 512, 300000) << "ntfs-3g did not compress";
    ASSERT_TRUE(img.Unmount());

    auto image = snap::ntfs::OpenImageFile(img.image());
    ASSERT_TRUE(image);
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    snap::ntfs::MftReader reader(arena, *image, pacer);
    const snaptest::TreeSummary got = snaptest::Summarize(reader.Run(u"N:\\"));
    ASSERT_TRUE(got.valid) << got.problem;
    struct Expect {
        const char16_t* path;
        bool dir;
        uint64_t bytes;
    };
    const Expect expected[] = {
        {u"junction", true, 0},  // a folder, never entered
        {u"slink", false, 0},    // a link holds no bytes of its own
        {u"dedup", false, 777},  // not a link: its data counts
        {u"comp/zeros", false, 300000},
        {u"comp/random", false, 100000},
        {u"A long file name.txt", false, 42},  // its short name is left out
        {u"SHORT.TXT", false, 43},             // one name for both name spaces
    };
    EXPECT_EQ(got.byPath.count(u"ALONGF~1.TXT"), 0u);
    for (const Expect& e : expected) {
        auto it = got.byPath.find(e.path);
        ASSERT_NE(it, got.byPath.end()) << snaptest::Utf8(e.path);
        EXPECT_EQ(Copy(it->second->IsDir) != 0, e.dir) << snaptest::Utf8(e.path);
        EXPECT_EQ(snaptest::StreamBytes(it->second), e.bytes) << snaptest::Utf8(e.path);
        EXPECT_EQ(Copy(it->second->NumDirItems), 0) << snaptest::Utf8(e.path);
    }
}

}  // namespace
