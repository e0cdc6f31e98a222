#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "Arena.h"

namespace {

bool AllZero(const void* p, size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; ++i) {
        if (b[i] != 0) return false;
    }
    return true;
}

TEST(SnapshotArena, HandsOutZeroedAlignedDisjointPiecesFromFewBlocks) {
    snap::Arena arena(64 * 1024);
    struct Piece {
        unsigned char* p;
        size_t n;
    };
    std::vector<Piece> pieces;
    // Odd sizes and alignments, enough to fill several blocks.
    for (size_t i = 0; i < 20000; ++i) {
        const size_t n = 1 + (i * 37) % 97;
        const size_t align = size_t{1} << (i % 4);  // 1, 2, 4, 8
        auto* p = static_cast<unsigned char*>(arena.Allocate(n, align));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % align, 0u);
        ASSERT_TRUE(AllZero(p, n)) << "piece " << i;
        std::memset(p, 0xAB, n);  // a later piece overlapping this one would not be zero
        pieces.push_back({p, n});
    }
    for (const Piece& piece : pieces) {
        for (size_t k = 0; k < piece.n; ++k) ASSERT_EQ(piece.p[k], 0xAB);
    }
    // About 1 MiB in 64 KiB blocks: a block per ~64 KiB, not an allocation per piece.
    EXPECT_LE(arena.BlockCount(), arena.BytesUsed() / (48 * 1024) + 2);
    EXPECT_LE(arena.BytesReserved(), arena.BytesUsed() * 2);
}

TEST(SnapshotArena, LargeRequestsGetTheirOwnBlockWithoutWastingTheCurrentOne) {
    snap::Arena arena(64 * 1024);
    auto* small1 = static_cast<unsigned char*>(arena.Allocate(16));
    ASSERT_NE(small1, nullptr);
    const size_t blocksBefore = arena.BlockCount();
    auto* big = static_cast<unsigned char*>(arena.Allocate(1 << 20));
    ASSERT_NE(big, nullptr);
    EXPECT_TRUE(AllZero(big, 1 << 20));
    EXPECT_EQ(arena.BlockCount(), blocksBefore + 1);
    // The next small piece still comes from the first block, right after the first.
    auto* small2 = static_cast<unsigned char*>(arena.Allocate(16));
    EXPECT_EQ(small2, small1 + 16);
}

TEST(SnapshotArena, LimitRefusesCleanlyAndResetMakesRoomAgain) {
    snap::Arena arena(4096, 64 * 1024);
    size_t handed = 0;
    while (arena.Allocate(100)) handed += 100;
    EXPECT_GT(handed, 32u * 1024);
    EXPECT_LE(arena.BytesReserved(), 64u * 1024);
    EXPECT_EQ(arena.Allocate(1 << 20), nullptr);
    EXPECT_EQ(arena.NewArray<uint64_t>(SIZE_MAX / 4), nullptr);  // overflowing count
    EXPECT_EQ(arena.NewArray<uint64_t>(0), nullptr);

    arena.Reset();
    EXPECT_EQ(arena.BytesReserved(), 0u);
    EXPECT_NE(arena.Allocate(100), nullptr);
}

TEST(SnapshotArena, CopyTextIsTerminated) {
    snap::Arena arena;
    const char16_t* t = arena.CopyText(u"Gr\u00f6\u00dfe");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(std::u16string(t), u"Gr\u00f6\u00dfe");
    const char16_t* e = arena.CopyText(u"");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e[0], 0);
}

}  // namespace
