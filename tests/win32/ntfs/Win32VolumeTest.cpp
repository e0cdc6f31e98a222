// Drive N: of the prefix stands for an NTFS image (see make_drive.sh): its volume opens as
// "\\.\N:", the table reader builds the image's tree from it, and undelete.dll delivers that
// tree, not the walk of the folder the drive also points to.
#include <gtest/gtest.h>
#include <windows.h>

#include "TreeCheck.h"
#include "analysis/UndelDLL.h"
#include "ntfs/MftReader.h"
#include "ntfs/Volume.h"

namespace {

bool DriveThere() {
    return GetFileAttributesW(L"N:\\") != INVALID_FILE_ATTRIBUTES;
}

TEST(NtfsWin32Volume, ReaderBuildsTheImageTree) {
    if (!DriveThere()) GTEST_SKIP() << "no drive N: (mkntfs, ntfs-3g or FUSE missing)";
    auto volume = snap::ntfs::OpenNtfsVolume(u"N:\\");
    ASSERT_TRUE(volume);
    EXPECT_FALSE(snap::ntfs::OpenNtfsVolume(u"N:\\inner\\")) << "only drive roots";
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    snap::ntfs::MftReader reader(arena, *volume, pacer);
    const snaptest::TreeSummary s = snaptest::Summarize(reader.Run(u"N:\\"));
    ASSERT_TRUE(s.valid) << s.problem;
    ASSERT_EQ(s.byPath.count(u"inner/file.bin"), 1u);
    EXPECT_EQ(snaptest::StreamBytes(s.byPath.at(u"inner/file.bin")), 1234u + 66u);
    ASSERT_EQ(s.byPath.count(u"inner/deeper/leaf"), 1u);
    EXPECT_EQ(snaptest::StreamBytes(s.byPath.at(u"inner/deeper/leaf")), 55u);
    EXPECT_EQ(s.byPath.count(u"$MFT"), 1u);
}

undel::BOOL32 UNDEL_STDCALL Progress(int32_t cmd, const char16_t*, int32_t value, void* ud) {
    if (cmd == undel::kCmdProgress) *static_cast<int32_t*>(ud) = value;
    return 0;
}

TEST(NtfsWin32Volume, LibraryReadsTheTableOfAnNtfsDrive) {
    if (!DriveThere()) GTEST_SKIP() << "no drive N: (mkntfs, ntfs-3g or FUSE missing)";
    HMODULE dll = LoadLibraryW(L"undelete.dll");
    ASSERT_NE(dll, nullptr);
    auto entry = reinterpret_cast<undel::UndeleteDLLEntryW_t>(
        reinterpret_cast<void*>(GetProcAddress(dll, undel::kEntryName)));
    ASSERT_NE(entry, nullptr);
    undel::HVOLUME vol = entry()->NewVolume();
    ASSERT_EQ(entry()->OpenVolume(vol, u"N:\\"), 1);
    undel::HSNAPSHOT snap = entry()->NewSnapshot(vol);
    ASSERT_NE(snap, nullptr);
    undel::TFILE_RECORD* root = nullptr;
    int32_t last = -1;
    EXPECT_EQ(entry()->UpdateSnapshot(snap, 1, &root, Progress, &last, nullptr), 1);
    const snaptest::TreeSummary s = snaptest::Summarize(root);
    EXPECT_TRUE(s.valid) << s.problem;
    EXPECT_EQ(s.byPath.count(u"inner/deeper/leaf"), 1u);
    EXPECT_EQ(s.byPath.count(u"only-in-the-folder"), 0u) << "the folder walk ran instead";
    EXPECT_EQ(last, undel::kProgressEnd);
    entry()->FreeSnapshot(snap);
    entry()->CloseVolume(vol);
    entry()->FreeVolume(vol);
    FreeLibrary(dll);
}

}  // namespace
