// Ordering of the result rows: the compare per column and the prepared comparer, which must
// give the same results.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "core/Text.h"
#include "platform/Locale.h"

namespace orv::analysis {
namespace {

NodeId Add(ResultTree& t, std::u16string path, int64_t size = 0, uint32_t folders = 0,
           uint32_t files = 0) {
    TSizeNode row;
    row.FullPath = std::move(path);
    row.Size = size;
    row.Folders = folders;
    row.Files = files;
    return t.AddChild(kNoNode, row);
}

struct Pair {
    const char* what;
    std::u16string pathA, pathB;
    int64_t sizeA, sizeB;
    uint32_t countA, countB;
    int column;
    int expected;
};

TEST(RowOrderTest, ComparePerColumn) {
    constexpr uint32_t kMaxCount = std::numeric_limits<uint32_t>::max();
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    const Pair pairs[] = {
        {"names A to Z", u"C:\\a", u"C:\\b", 0, 0, 0, 0, 0, -1},
        {"names ignore case", u"C:\\Abc", u"C:\\aBC", 0, 0, 0, 0, 0, 0},
        {"equal names", u"C:\\x", u"C:\\x", 0, 0, 0, 0, 0, 0},
        {"Z before a? no: upper-cased", u"C:\\Z", u"C:\\a", 0, 0, 0, 0, 0, 1},
        {"shorter start first", u"C:\\ab", u"C:\\abc", 0, 0, 0, 0, 0, -1},
        // Upper-cased "_" (0x5F) sorts after the letters (0x41-0x5A).
        {"code units after upper-casing", u"C:\\_", u"C:\\z", 0, 0, 0, 0, 0, 1},
        {"umlaut with the locale's upper case", u"C:\\ä", u"C:\\Ä", 0, 0, 0, 0, 0, 0},
        {"umlaut by code unit after Z", u"C:\\ä", u"C:\\z", 0, 0, 0, 0, 0, 1},
        {"beyond the 8-bit range", u"C:\\日", u"C:\\ÿ", 0, 0, 0, 0, 0, 1},
        {"folders: larger first", u"", u"", 0, 0, 5, 3, 1, -1},
        {"folders: smaller second", u"", u"", 0, 0, 3, 5, 1, 1},
        {"folders equal", u"", u"", 0, 0, 7, 7, 1, 0},
        {"folders unsigned extreme", u"", u"", 0, 0, kMaxCount, 0, 1, -1},
        {"files unsigned extreme", u"", u"", 0, 0, 0, kMaxCount, 2, 1},
        {"files equal", u"", u"", 0, 0, kMaxCount, kMaxCount, 2, 0},
        {"size larger first", u"", u"", 10, 2, 0, 0, 3, -1},
        {"size signed extremes", u"", u"", kMax, kMin, 0, 0, 3, -1},
        {"size negative below zero", u"", u"", -1, 0, 0, 0, 4, 1},
        {"size equal", u"", u"", kMin, kMin, 0, 0, 5, 0},
        {"size in column 5", u"", u"", 1, 2, 0, 0, 5, 1},
        {"other column", u"a", u"b", 1, 2, 1, 2, 6, 0},
        {"no column", u"a", u"b", 1, 2, 1, 2, -1, 0},
    };
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.what);
        ResultTree t;
        const bool counts = p.column == 1 || p.column == 2;
        const NodeId a = Add(t, p.pathA, p.sizeA, counts ? p.countA : 0, counts ? p.countA : 0);
        const NodeId b = Add(t, p.pathB, p.sizeB, counts ? p.countB : 0, counts ? p.countB : 0);
        EXPECT_EQ(CompareNodes(t, a, b, p.column), p.expected);
        EXPECT_EQ(MakeNodeComparer(t, p.column)(a, b), p.expected);
        const auto keys = MakeSortKeys(t, p.column);
        const uint64_t ka = a < keys->size() ? (*keys)[a] : 0;
        const uint64_t kb = b < keys->size() ? (*keys)[b] : 0;
        EXPECT_EQ(ka < kb ? -1 : (ka == kb ? 0 : 1), p.expected) << "sort keys";
        // The compare is antisymmetric.
        EXPECT_EQ(CompareNodes(t, b, a, p.column), -p.expected);
    }
}

TEST(RowOrderTest, NameCompareUsesTheLocalesUpperCase) {
    // A locale whose upper case maps "i" to the dotted capital, as the Turkish one does.
    class Turkish : public platform::LocaleWithSeparators {
      public:
        Turkish() : LocaleWithSeparators(u",", u".") {}
        std::u16string UpperCase(std::u16string_view s) override {
            std::u16string out = LocaleWithSeparators::UpperCase(s);
            for (size_t i = 0; i < s.size(); ++i) {
                if (s[i] == u'i') out[i] = u'\u0130';
            }
            return out;
        }
    } turkish;
    ResultTree t;
    const NodeId a = Add(t, u"C:\\i");
    const NodeId b = Add(t, u"C:\\I");
    EXPECT_EQ(CompareNodes(t, a, b, 0), 0);
    platform::SetLocale(&turkish);
    EXPECT_EQ(CompareNodes(t, a, b, 0), 1);
    EXPECT_EQ(MakeNodeComparer(t, 0)(a, b), 1);
    platform::SetLocale(nullptr);
}

// Rows with many equal keys, shared starts of every length, empty names, names that are
// starts of others, zero code units and wide characters: the prepared comparer must order
// them exactly as the plain compare, with ties kept in place by the stable sort.
TEST(RowOrderTest, PreparedComparerSortsLikeThePlainCompare) {
    std::mt19937 rng(7);
    const std::u16string parts[] = {u"C:\\",
                                    u"Windows",
                                    u"\\",
                                    u"system32",
                                    u"a",
                                    u"A",
                                    u"ä",
                                    u"日本",
                                    u".dll",
                                    u"",
                                    std::u16string(1, u'\0'),
                                    u"zz",
                                    u"abcdefgh",
                                    u"ABCDEFGHI"};
    ResultTree plain, fast, keyed;
    for (int i = 0; i < 3000; ++i) {
        std::u16string path;
        const int n = static_cast<int>(rng() % 7);
        for (int k = 0; k < n; ++k) path += parts[rng() % std::size(parts)];
        const int64_t size = static_cast<int64_t>(rng() % 5) - 1;
        const uint32_t count = rng() % 4;
        for (ResultTree* t : {&plain, &fast, &keyed}) Add(*t, path, size, count, count * 3 % 5);
    }
    // A deep row too: the prepared comparer covers every level.
    for (ResultTree* t : {&plain, &fast, &keyed}) {
        const NodeId top = t->GetFirst();
        t->AddNamedChild(top, u"child-b", false, 3);
        t->AddNamedChild(top, u"child-a", false, 3);
    }
    for (int column = 0; column <= 6; ++column) {
        for (bool descending : {false, true}) {
            SCOPED_TRACE(column * 2 + descending);
            plain.SortChildren(
                kNoNode, [&](NodeId a, NodeId b) { return CompareNodes(plain, a, b, column); },
                descending, true);
            fast.SortChildren(kNoNode, MakeNodeComparer(fast, column), descending, true);
            keyed.SortChildrenByKey(kNoNode, *MakeSortKeys(keyed, column), descending, true);
            std::vector<NodeId> p, f, k;
            for (NodeId n = plain.GetFirst(); n != kNoNode; n = plain.GetNext(n)) p.push_back(n);
            for (NodeId n = fast.GetFirst(); n != kNoNode; n = fast.GetNext(n)) f.push_back(n);
            for (NodeId n = keyed.GetFirst(); n != kNoNode; n = keyed.GetNext(n)) k.push_back(n);
            ASSERT_EQ(p, f);
            ASSERT_EQ(p, k);
        }
    }
}

TEST(RowOrderTest, SortingBySizeTwiceKeepsEqualSizesInTheirOrder) {
    ResultTree t;
    std::vector<NodeId> ids;
    const int64_t sizes[] = {5, 9, 5, 1, 9, 5};
    for (int i = 0; i < 6; ++i) ids.push_back(Add(t, u"r" + ToDecimal(i), sizes[i]));
    for (int round = 0; round < 2; ++round) {
        t.SortChildren(kNoNode, MakeNodeComparer(t, 3), false);
        std::vector<NodeId> order;
        for (NodeId n = t.GetFirst(); n != kNoNode; n = t.NextSibling(n)) order.push_back(n);
        EXPECT_EQ(order, (std::vector<NodeId>{ids[1], ids[4], ids[0], ids[2], ids[5], ids[3]}));
    }
    // Descending: smallest first, equal sizes still in their order.
    t.SortChildren(kNoNode, MakeNodeComparer(t, 3), true);
    std::vector<NodeId> order;
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.NextSibling(n)) order.push_back(n);
    EXPECT_EQ(order, (std::vector<NodeId>{ids[3], ids[0], ids[2], ids[5], ids[1], ids[4]}));
}

}  // namespace
}  // namespace orv::analysis
