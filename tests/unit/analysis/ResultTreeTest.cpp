#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "core/Text.h"

namespace orv::analysis {
namespace {

std::vector<std::u16string> PathsInTreeOrder(const ResultTree& t) {
    std::vector<std::u16string> out;
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.GetNext(n)) out.push_back(t.FullPath(n));
    return out;
}

TSizeNode Top(std::u16string path, bool folder = true) {
    TSizeNode r;
    r.FullPath = std::move(path);
    r.IsFolder = folder;
    return r;
}

// C:\ { A { a1, B { b1 } }, f1, C { } } and a second top row D:\ { g }
struct Sample {
    ResultTree t;
    NodeId root, a, a1, b, b1, f1, c, d, g;
    Sample() {
        root = t.AddChild(kNoNode, Top(u"C:\\"));
        a = t.AddNamedChild(root, u"A", true, 0);
        a1 = t.AddNamedChild(a, u"a1", false, 10);
        b = t.AddNamedChild(a, u"B", true, 0);
        b1 = t.AddNamedChild(b, u"b1", false, 20);
        f1 = t.AddNamedChild(root, u"f1", false, 30);
        c = t.AddNamedChild(root, u"C", true, 0);
        d = t.AddChild(kNoNode, Top(u"D:\\"));
        g = t.AddNamedChild(d, u"g", false, 40);
    }
};

TEST(ResultTree, TreeOrderIsDepthFirstParentsBeforeChildren) {
    Sample s;
    EXPECT_EQ(PathsInTreeOrder(s.t), (std::vector<std::u16string>{
                                         u"C:\\", u"C:\\A", u"C:\\A\\a1", u"C:\\A\\B",
                                         u"C:\\A\\B\\b1", u"C:\\f1", u"C:\\C", u"D:\\", u"D:\\g"}));
    EXPECT_EQ(s.t.NodeCount(), 9u);
    EXPECT_EQ(s.t.Parent(s.b1), s.b);
    EXPECT_EQ(s.t.Parent(s.root), kNoNode);
    EXPECT_EQ(s.t.FirstChild(s.root), s.a);
    EXPECT_EQ(s.t.LastChild(s.root), s.c);
    EXPECT_EQ(s.t.NextSibling(s.a), s.f1);
    EXPECT_EQ(s.t.NextSibling(s.c), kNoNode);
    EXPECT_EQ(s.t.FirstChild(kNoNode), s.root);
    EXPECT_EQ(s.t.LastChild(kNoNode), s.d);
    EXPECT_EQ(s.t.FirstChild(s.c), kNoNode);
    EXPECT_EQ(s.t.ChildCount(s.root), 3u);
    EXPECT_EQ(s.t.ChildCount(kNoNode), 2u);
    EXPECT_EQ(s.t.ChildCount(s.c), 0u);

    const TSizeNode row = s.t.Row(s.b1);
    EXPECT_EQ(row.FullPath, u"C:\\A\\B\\b1");
    EXPECT_EQ(row.Size, 20);
    EXPECT_FALSE(row.IsFolder);
    EXPECT_TRUE(s.t.IsFolder(s.b));
    EXPECT_FALSE(s.t.HasOwnPath(s.b1));
    EXPECT_TRUE(s.t.HasOwnPath(s.root));
    EXPECT_EQ(s.t.Text(s.b1), u"b1");
}

TEST(ResultTree, DerivedPathsAddABackslashOnlyAfterMoreThanThreeCharacters) {
    struct Case {
        std::u16string parent;
        std::u16string segment;
        std::u16string expected;
    };
    const std::vector<Case> cases = {
        {u"C:\\", u"A", u"C:\\A"},
        {u"C:\\A", u"b", u"C:\\A\\b"},
        {u"abc", u"d", u"abcd"},
        {u"abcd", u"e", u"abcd\\e"},
        {u"", u"x", u"x"},
        {u"C:\\", u"", u"C:\\"},
        {u"C:\\A", u"", u"C:\\A\\"},
        {u"C:\\", u" blank ", u"C:\\ blank "},
        // One byte per character up to U+00FF, UTF-16 beyond; both must come back unchanged.
        {u"C:\\", u"\u00C4rger \u00FF", u"C:\\\u00C4rger \u00FF"},
        {u"C:\\\u65E5\u672C", u"\u30C6\u30B9\u30C8", u"C:\\\u65E5\u672C\\\u30C6\u30B9\u30C8"},
        {u"C:\\x", u"a\U0001F600b\u0100", u"C:\\x\\a\U0001F600b\u0100"},
    };
    for (const Case& c : cases) {
        ResultTree t;
        const NodeId p = t.AddChild(kNoNode, Top(c.parent));
        const NodeId n = t.AddNamedChild(p, c.segment, false, 1);
        EXPECT_EQ(t.FullPath(n), c.expected) << Utf16ToUtf8(c.expected);
        EXPECT_EQ(t.Text(n), c.segment);
        EXPECT_EQ(t.FullPath(p), c.parent);
    }
}

TEST(ResultTree, WalkerGivesTheSamePathsAsFullPath) {
    ResultTree t;
    const NodeId r = t.AddChild(kNoNode, Top(u"C:\\"));
    const NodeId w = t.AddNamedChild(r, u"\u00DCber \u4E2D", true, 0);
    t.AddNamedChild(w, u"x.txt", false, 1);
    // An own-path row beneath derived ones, and derived rows beneath it.
    TSizeNode own = Top(u"Z:\\group name");
    const NodeId o = t.AddChild(w, own);
    t.AddNamedChild(o, u"under own", false, 2);
    const NodeId e = t.AddNamedChild(w, u"", true, 0);
    t.AddNamedChild(e, u"deep", false, 3);
    t.AddNamedChild(r, u"last", false, 4);
    t.AddChild(kNoNode, Top(u"ab"));
    t.AddNamedChild(kNoNode, u"top named", false, 5);

    std::vector<std::u16string> walked;
    std::vector<NodeId> nodes;
    ResultTree::Walker walker(t);
    while (walker.Next()) {
        walked.emplace_back(walker.Path());
        nodes.push_back(walker.Node());
    }
    EXPECT_FALSE(walker.Next());
    std::vector<NodeId> order;
    for (NodeId n = t.GetFirst(); n != kNoNode; n = t.GetNext(n)) order.push_back(n);
    EXPECT_EQ(nodes, order);
    EXPECT_EQ(walked, PathsInTreeOrder(t));
    EXPECT_EQ(walked[4], u"Z:\\group name\\under own");
    EXPECT_EQ(walked[6], u"C:\\\u00DCber \u4E2D\\\\deep");
    EXPECT_EQ(walked.back(), u"top named");

    ResultTree empty;
    ResultTree::Walker none(empty);
    EXPECT_FALSE(none.Next());
}

TEST(ResultTree, DeleteNodeRemovesTheWholeSubtreeAndRelinks) {
    struct Case {
        const char* what;
        NodeId Sample::*victim;
        std::vector<std::u16string> left;
    };
    const std::vector<Case> cases = {
        {"first child with subtree", &Sample::a, {u"C:\\", u"C:\\f1", u"C:\\C", u"D:\\", u"D:\\g"}},
        {"middle child",
         &Sample::f1,
         {u"C:\\", u"C:\\A", u"C:\\A\\a1", u"C:\\A\\B", u"C:\\A\\B\\b1", u"C:\\C", u"D:\\",
          u"D:\\g"}},
        {"last child",
         &Sample::c,
         {u"C:\\", u"C:\\A", u"C:\\A\\a1", u"C:\\A\\B", u"C:\\A\\B\\b1", u"C:\\f1", u"D:\\",
          u"D:\\g"}},
        {"only child",
         &Sample::b1,
         {u"C:\\", u"C:\\A", u"C:\\A\\a1", u"C:\\A\\B", u"C:\\f1", u"C:\\C", u"D:\\", u"D:\\g"}},
        {"first top-level row", &Sample::root, {u"D:\\", u"D:\\g"}},
        {"last top-level row",
         &Sample::d,
         {u"C:\\", u"C:\\A", u"C:\\A\\a1", u"C:\\A\\B", u"C:\\A\\B\\b1", u"C:\\f1", u"C:\\C"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sample s;
        const NodeId victim = s.*c.victim;
        const NodeId parent = s.t.Parent(victim);
        s.t.DeleteNode(victim);
        EXPECT_EQ(PathsInTreeOrder(s.t), c.left);
        EXPECT_EQ(s.t.NodeCount(), c.left.size());
        EXPECT_FALSE(s.t.IsValid(victim));
        // Appending afterwards must land at the end of the relinked list.
        const NodeId added = s.t.AddNamedChild(parent, u"new", false, 1);
        EXPECT_EQ(s.t.LastChild(parent), added);
        const std::u16string pp = parent == kNoNode ? u"" : s.t.FullPath(parent);
        EXPECT_EQ(s.t.FullPath(added), pp + (pp.size() > 3 ? u"\\" : u"") + u"new");
        NodeId last = kNoNode;
        for (NodeId n = s.t.FirstChild(parent); n != kNoNode; n = s.t.NextSibling(n)) last = n;
        EXPECT_EQ(last, added);
    }
}

TEST(ResultTree, DeletedSlotsAreReusedAndDeletingEverythingEmptiesTheTree) {
    Sample s;
    s.t.DeleteNode(s.a);  // frees a, a1, b, b1
    std::vector<NodeId> fresh;
    for (int i = 0; i < 4; ++i)
        fresh.push_back(s.t.AddNamedChild(s.c, u"n" + ToDecimal(i), false, i));
    for (NodeId n : fresh) EXPECT_LE(n, 8u) << "slots of deleted rows come back first";
    EXPECT_EQ(PathsInTreeOrder(s.t),
              (std::vector<std::u16string>{u"C:\\", u"C:\\f1", u"C:\\C", u"C:\\C\\n0", u"C:\\C\\n1",
                                           u"C:\\C\\n2", u"C:\\C\\n3", u"D:\\", u"D:\\g"}));
    s.t.DeleteNode(s.root);
    s.t.DeleteNode(s.d);
    EXPECT_EQ(s.t.NodeCount(), 0u);
    EXPECT_EQ(s.t.GetFirst(), kNoNode);
    EXPECT_EQ(s.t.BytesHeld(), 0u);
    s.t.DeleteNode(kNoNode);  // ignored
    s.t.DeleteNode(12345);
    EXPECT_EQ(s.t.NodeCount(), 0u);
}

TEST(ResultTree, TextsSurviveCompactionAfterLargeDeletions) {
    ResultTree t;
    const NodeId root = t.AddChild(kNoNode, Top(u"C:\\"));
    const NodeId doomed = t.AddNamedChild(root, u"doomed", true, 0);
    const NodeId kept = t.AddNamedChild(root, u"kept", true, 0);
    std::vector<std::pair<NodeId, std::u16string>> keep;
    for (int i = 0; i < 120000; ++i) {
        const std::u16string name =
            u"file name number " + ToDecimal(i) + (i % 3 == 0 ? u"\u4E2D" : u"");
        if (i % 10 == 0) {
            keep.emplace_back(t.AddNamedChild(kept, name, false, i), name);
        } else {
            t.AddNamedChild(doomed, name, false, i);
        }
    }
    const size_t before = t.BytesHeld();
    t.DeleteNode(doomed);
    EXPECT_LT(t.BytesHeld(), before);
    for (const auto& [node, name] : keep) {
        ASSERT_EQ(t.Text(node), name);
        ASSERT_EQ(t.FullPath(node), u"C:\\kept\\" + name);
    }
    EXPECT_EQ(t.NodeCount(), 3 + keep.size() - 1);
}

TEST(ResultTree, SortIsStableInBothDirections) {
    // Rows carry (key, original position); equal keys must keep their order.
    ResultTree t;
    const NodeId root = t.AddChild(kNoNode, Top(u"C:\\"));
    const std::vector<int> keys = {3, 1, 2, 1, 3, 2, 1};
    for (size_t i = 0; i < keys.size(); ++i) {
        t.AddNamedChild(root, u"r" + ToDecimal(static_cast<int64_t>(i)), false, keys[i]);
    }
    const auto bySize = [&](NodeId a, NodeId b) {
        return t.Size(a) < t.Size(b) ? -1 : (t.Size(a) > t.Size(b) ? 1 : 0);
    };
    auto names = [&] {
        std::u16string s;
        for (NodeId n = t.FirstChild(root); n != kNoNode; n = t.NextSibling(n)) s += t.Text(n);
        return s;
    };
    t.SortChildren(root, bySize, false);
    EXPECT_EQ(names(), u"r1r3r6r2r5r0r4");
    t.SortChildren(root, bySize, true);
    EXPECT_EQ(names(), u"r0r4r2r5r1r3r6");
    // Re-sorting sorted input changes nothing; the last child follows the order.
    t.SortChildren(root, bySize, true);
    EXPECT_EQ(names(), u"r0r4r2r5r1r3r6");
    EXPECT_EQ(t.Text(t.LastChild(root)), u"r6");
    const NodeId added = t.AddNamedChild(root, u"z", false, 0);
    EXPECT_EQ(t.LastChild(root), added);
}

TEST(ResultTree, SortOneLevelOrEveryLevel) {
    const auto build = [](ResultTree& t) {
        const NodeId r = t.AddChild(kNoNode, Top(u"C:\\"));
        const NodeId b = t.AddNamedChild(r, u"b", true, 0);
        t.AddNamedChild(b, u"y", false, 0);
        t.AddNamedChild(b, u"x", false, 0);
        const NodeId a = t.AddNamedChild(r, u"a", true, 0);
        const NodeId d = t.AddNamedChild(a, u"d", true, 0);
        t.AddNamedChild(d, u"2", false, 0);
        t.AddNamedChild(d, u"1", false, 0);
        t.AddNamedChild(a, u"c", false, 0);
        t.AddChild(kNoNode, Top(u"A:\\"));
        return r;
    };
    struct Case {
        bool fromTop;
        bool allLevels;
        bool descending;
        std::vector<std::u16string> expected;
    };
    const std::vector<Case> cases = {
        {false,
         false,
         false,
         {u"C:\\", u"C:\\a", u"C:\\a\\d", u"C:\\a\\d\\2", u"C:\\a\\d\\1", u"C:\\a\\c", u"C:\\b",
          u"C:\\b\\y", u"C:\\b\\x", u"A:\\"}},
        {false,
         true,
         false,
         {u"C:\\", u"C:\\a", u"C:\\a\\c", u"C:\\a\\d", u"C:\\a\\d\\1", u"C:\\a\\d\\2", u"C:\\b",
          u"C:\\b\\x", u"C:\\b\\y", u"A:\\"}},
        {true,
         false,
         false,
         {u"A:\\", u"C:\\", u"C:\\b", u"C:\\b\\y", u"C:\\b\\x", u"C:\\a", u"C:\\a\\d",
          u"C:\\a\\d\\2", u"C:\\a\\d\\1", u"C:\\a\\c"}},
        {true,
         true,
         true,
         {u"C:\\", u"C:\\b", u"C:\\b\\y", u"C:\\b\\x", u"C:\\a", u"C:\\a\\d", u"C:\\a\\d\\2",
          u"C:\\a\\d\\1", u"C:\\a\\c", u"A:\\"}},
    };
    for (const Case& c : cases) {
        ResultTree t;
        const NodeId r = build(t);
        const auto byText = [&](NodeId a, NodeId b) { return t.Text(a).compare(t.Text(b)); };
        t.SortChildren(c.fromTop ? kNoNode : r, byText, c.descending, c.allLevels);
        EXPECT_EQ(PathsInTreeOrder(t), c.expected) << c.fromTop << c.allLevels << c.descending;
    }
}

TEST(ResultTree, ChangeHookRunsOnceWhenTheLastSuspensionEnds) {
    ResultTree t;
    int calls = 0;
    t.SetChangeHook([&] { ++calls; });
    const NodeId r = t.AddChild(kNoNode, Top(u"C:\\"));
    EXPECT_EQ(calls, 1) << "a change while not suspended is reported at once";

    t.BeginUpdate();
    t.BeginUpdate();
    const NodeId f = t.AddNamedChild(r, u"f", false, 1);
    t.SetVisible(f, false);
    t.EndUpdate();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(t.UpdateCount(), 1);
    t.EndUpdate();
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(t.UpdateCount(), 0);

    t.BeginUpdate();
    t.EndUpdate();
    EXPECT_EQ(calls, 2) << "nothing changed";
    t.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(t.UpdateCount(), 0);

    t.SetVisible(f, false);
    EXPECT_EQ(calls, 2) << "already hidden";
    t.DeleteNode(f);
    t.Clear();
    EXPECT_EQ(calls, 4);
}

TEST(ResultTree, HiddenRowsStayInTreeOrder) {
    Sample s;
    EXPECT_TRUE(s.t.IsVisible(s.a));
    s.t.SetVisible(s.a, false);
    s.t.SetVisible(s.b1, false);
    EXPECT_FALSE(s.t.IsVisible(s.a));
    EXPECT_TRUE(s.t.IsVisible(s.a1)) << "hiding a row does not hide its children's flags";
    EXPECT_EQ(PathsInTreeOrder(s.t).size(), 9u);
    s.t.SetVisible(s.a, true);
    EXPECT_TRUE(s.t.IsVisible(s.a));
}

TEST(ResultTree, LongTextsAndEmptyTree) {
    ResultTree t;
    EXPECT_EQ(t.GetFirst(), kNoNode);
    EXPECT_EQ(t.GetNext(kNoNode), kNoNode);
    EXPECT_EQ(t.NodeCount(), 0u);
    const std::u16string longNarrow(300000, u'n');
    const std::u16string longWide(200000, u'\u4E2D');
    const NodeId a = t.AddChild(kNoNode, Top(longNarrow));
    const NodeId b = t.AddNamedChild(a, longWide, false, 1);
    const NodeId c = t.AddNamedChild(a, u"short", false, 2);
    EXPECT_EQ(t.FullPath(a), longNarrow);
    EXPECT_EQ(t.FullPath(b), longNarrow + u"\\" + longWide);
    EXPECT_EQ(t.FullPath(c), longNarrow + u"\\short");
    t.DeleteNode(b);
    EXPECT_EQ(t.FullPath(c), longNarrow + u"\\short");
    t.Clear();
    EXPECT_EQ(t.NodeCount(), 0u);
    EXPECT_EQ(t.GetFirst(), kNoNode);
}

TEST(ResultTree, RowsOfAScanStayWithinNinetySixBytes) {
    // 200,000 file rows with names of 8 to 20 characters in 2,000 folders.
    ResultTree t;
    const NodeId root = t.AddChild(kNoNode, Top(u"C:\\"));
    uint32_t seed = 1;
    auto name = [&] {
        seed = seed * 1103515245u + 12345u;
        const size_t len = 8 + (seed >> 16) % 13;
        std::u16string s;
        for (size_t i = 0; i < len; ++i) s += static_cast<char16_t>(u'a' + (seed >> (i % 16)) % 26);
        return s;
    };
    for (int d = 0; d < 2000; ++d) {
        const NodeId dir = t.AddNamedChild(root, name(), true, 0);
        for (int f = 0; f < 100; ++f) t.AddNamedChild(dir, name(), false, f);
    }
    const double perRow = static_cast<double>(t.BytesHeld()) / t.NodeCount();
    EXPECT_LE(perRow, 96.0);
}

}  // namespace
}  // namespace orv::analysis
