// Header-click sorting, fitting columns and showing all rows, on the portable grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "analysis/VTree_Kram.h"
#include "core/Text.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {
namespace {

using toolkit::THeaderHitInfo;
using toolkit::TSortDirection;
using toolkit::TVirtualDrawTree;

constexpr auto Asc = TSortDirection::Ascending;
constexpr auto Desc = TSortDirection::Descending;

// The analysis page's list: six columns, sort column 4 ascending, rows named by their size.
class PageGrid {
  public:
    PageGrid() {
        for (auto [text, width] : {std::pair{u"Name", 236},
                                   {u"Ordner", 68},
                                   {u"Dateien", 68},
                                   {u"Größe", 80},
                                   {u"Größe % ", 92},
                                   {u"Ordnergröße %", 120}}) {
            grid.AddColumn(text, width);
        }
        grid.SetSortColumn(4);
        grid.SetSortDirection(Asc);
        grid.SetTree(&tree);
        grid.OnCompareNodes = [this](TVirtualDrawTree&, NodeId a, NodeId b, int column) {
            return CompareNodes(tree, a, b, column);
        };
        grid.OnHeaderClick = TVTree_DefaultEvents::OnHeaderClick;
        grid.OnHeaderDblClick = TVTree_DefaultEvents::OnHeaderClick;
        // 600 x 200 pixels: header 20, ten rows of 18 visible.
        grid.SetBounds(600, 200, 600, 200);
    }
    NodeId Add(int64_t size) {
        TSizeNode row;
        row.FullPath = u"C:\\" + ToDecimal(size) + u"-" + ToDecimal(tree.NodeCount());
        row.Size = size;
        return tree.AddChild(kNoNode, row);
    }
    std::vector<int64_t> Sizes() {
        std::vector<int64_t> out;
        for (size_t r = 0; r < grid.RowCount(); ++r) out.push_back(tree.Size(grid.RowAt(r)));
        return out;
    }
    void Click(int column) {
        THeaderHitInfo hit;
        hit.Column = column;
        grid.HeaderClick(hit);
    }

    ResultTree tree;
    TVirtualDrawTree grid;
};

TEST(HeaderClickTest, DirectionRules) {
    struct Case {
        int sortColumn;
        TSortDirection direction;
        int clicked;
        TSortDirection expected;
    };
    const Case cases[] = {
        {4, Asc, 3, Asc},   // another column: ascending
        {4, Desc, 3, Asc},  // another column, even when the old one was descending
        {3, Asc, 3, Desc},  // the same column ascending: descending
        {3, Desc, 3, Asc},  // the same column descending: ascending again
        {toolkit::kNoColumn, Asc, 0, Asc},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sortColumn * 100 + c.clicked);
        PageGrid page;
        page.grid.SetSortColumn(c.sortColumn);
        page.grid.SetSortDirection(c.direction);
        page.Click(c.clicked);
        EXPECT_EQ(page.grid.SortColumn(), c.clicked);
        EXPECT_EQ(page.grid.SortDirection(), c.expected);
    }
}

TEST(HeaderClickTest, SizeColumnSortsLargestFirstThenSmallestFirst) {
    PageGrid page;
    for (int64_t s : {30, 10, 50, 20, 40}) page.Add(s);
    page.Click(3);
    EXPECT_EQ(page.Sizes(), (std::vector<int64_t>{50, 40, 30, 20, 10}));
    page.Click(3);
    EXPECT_EQ(page.Sizes(), (std::vector<int64_t>{10, 20, 30, 40, 50}));
    // The double click runs the same handler.
    THeaderHitInfo hit;
    hit.Column = 3;
    page.grid.HeaderDblClick(hit);
    EXPECT_EQ(page.Sizes(), (std::vector<int64_t>{50, 40, 30, 20, 10}));
    // A click beside the columns changes nothing.
    page.Click(toolkit::kNoColumn);
    EXPECT_EQ(page.grid.SortColumn(), 3);
    EXPECT_EQ(page.Sizes(), (std::vector<int64_t>{50, 40, 30, 20, 10}));
}

TEST(HeaderClickTest, FirstSelectedRowIsScrolledIntoViewCentred) {
    PageGrid page;
    std::vector<NodeId> ids;
    for (int i = 0; i < 100; ++i) ids.push_back(page.Add(i));
    // Select the rows of size 70 and 20: after sorting largest first, 70 is row 29 and
    // comes first.
    page.grid.SetSelected(ids[70], true);
    page.grid.SetSelected(ids[20], true);
    page.Click(3);
    ASSERT_EQ(page.grid.RowIndexOf(ids[70]), 29);
    EXPECT_EQ(page.grid.GetFirstSelected(), ids[70]);
    // Row 29 starts at 522; centred in the 180 rows pixels: 522 - (180 - 18) / 2.
    EXPECT_EQ(page.grid.OffsetY(), 522 - 81);

    // Near the end the offset stays within range: 100 rows, 180 shown.
    page.grid.ClearSelection();
    page.grid.SetSelected(ids[0], true);
    page.Click(3);  // descending now: smallest first
    EXPECT_EQ(page.grid.RowIndexOf(ids[0]), 0);
    EXPECT_EQ(page.grid.OffsetY(), 0);
    page.Click(3);
    EXPECT_EQ(page.grid.RowIndexOf(ids[0]), 99);
    EXPECT_EQ(page.grid.OffsetY(), 100 * 18 - 180);

    // Without a selection the view stays where it is.
    page.grid.ClearSelection();
    page.grid.SetOffsetY(300);
    page.Click(1);
    EXPECT_EQ(page.grid.OffsetY(), 300);
}

TEST(FitColumnsTest, ListedColumnsTakeTheRoomTheOthersLeave) {
    struct Case {
        const char* what;
        int width;
        std::vector<int> hidden;
        std::vector<int> listed;
        std::vector<int> widths;  // of all six columns afterwards
    };
    const Case cases[] = {
        {"structure view", 600, {}, {0}, {144, 68, 68, 80, 92, 120}},
        {"view of all files", 600, {1, 2, 5}, {0}, {400, 68, 68, 80, 92, 120}},
        // A listed hidden column adds its width to the room.
        {"listed hidden column", 600, {5}, {0, 5}, {255, 68, 68, 80, 92, 129}},
        {"two listed columns", 600, {}, {0, 3}, {167, 68, 68, 57, 92, 120}},
        {"no room: smallest width", 100, {}, {0}, {10, 68, 68, 80, 92, 120}},
        {"unknown index ignored", 600, {}, {0, 9}, {144, 68, 68, 80, 92, 120}},
        {"empty list", 600, {}, {}, {236, 68, 68, 80, 92, 120}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PageGrid page;
        page.grid.SetBounds(c.width, 200, c.width - 4, 196);
        for (int h : c.hidden) page.grid.SetColumnVisible(h, false);
        Fit_Columns(&page.grid, c.listed);
        std::vector<int> widths;
        for (int i = 0; i < 6; ++i) widths.push_back(page.grid.Column(i).Width);
        EXPECT_EQ(widths, c.widths);
    }
    Fit_Columns(nullptr, {0});  // nothing happens
}

TEST(FitColumnsTest, SharesRoundHalvesToEven) {
    TVirtualDrawTree grid;
    grid.AddColumn(u"a", 10);
    grid.AddColumn(u"b", 30);
    grid.AddColumn(u"c", 100);
    grid.SetBounds(178, 100, 178, 100);  // room 178 - 28 - 100 = 50
    Fit_Columns(&grid, {0, 1});
    EXPECT_EQ(grid.Column(0).Width, 12);  // 12.5
    EXPECT_EQ(grid.Column(1).Width, 38);  // 37.5
    EXPECT_EQ(grid.Column(2).Width, 100);
}

TEST(ShowAllNodesTest, EveryRowAtEveryDepthBecomesVisibleInOneUpdate) {
    ResultTree tree;
    const NodeId top = tree.AddNamedChild(kNoNode, u"C:\\", true, 0);
    const NodeId dir = tree.AddNamedChild(top, u"A", true, 0);
    const NodeId file = tree.AddNamedChild(dir, u"x.txt", false, 1);
    const NodeId other = tree.AddNamedChild(kNoNode, u"D:\\", true, 0);
    for (NodeId n : {top, dir, file, other}) tree.SetVisible(n, false);
    int changes = 0;
    tree.SetChangeHook([&] { ++changes; });
    Show_All_Nodes(tree);
    for (NodeId n : {top, dir, file, other}) EXPECT_TRUE(tree.IsVisible(n));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(tree.UpdateCount(), 0);

    ResultTree empty;
    empty.SetChangeHook([&] { ++changes; });
    Show_All_Nodes(empty);
    EXPECT_EQ(changes, 1);

    // Through a grid: its shown rows follow.
    TVirtualDrawTree grid;
    grid.SetTree(&tree);
    tree.SetVisible(other, false);
    EXPECT_EQ(grid.RowCount(), 1u);
    Show_All_Nodes(grid);
    EXPECT_EQ(grid.RowCount(), 2u);
}

}  // namespace
}  // namespace orv::analysis
