// The portable tree grid: shown rows, selection by mouse and keyboard, scrolling, columns,
// suspended updates and painting only what is on screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeCanvas.h"
#include "analysis/ResultTree.h"
#include "core/Text.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::toolkit {
namespace {

using analysis::TSizeNode;
using orv::testing::FakeCanvas;

class CountingView : public TVirtualDrawTree::TView {
  public:
    void ModelChanged(unsigned what) override {
        ++calls;
        all |= what;
    }
    int calls = 0;
    unsigned all = 0;
};

class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.AddColumn(u"Name", 100);
        grid.AddColumn(u"Size", 50);
        grid.SetTree(&tree);
        // Header 20, then 10 rows of 18 pixels.
        grid.SetBounds(300, 200, 300, 200);
        grid.OnChange = [this](TVirtualDrawTree&) { ++changes; };
    }
    NodeId Add(std::u16string name, NodeId parent = kNoNode, int64_t size = 0) {
        TSizeNode row;
        row.FullPath = std::move(name);
        row.Size = size;
        return tree.AddChild(parent, row);
    }
    std::vector<NodeId> AddRows(int n) {
        std::vector<NodeId> ids;
        tree.BeginUpdate();
        for (int i = 0; i < n; ++i) ids.push_back(Add(u"row" + ToDecimal(i), kNoNode, i));
        tree.EndUpdate();
        return ids;
    }
    // Client y in the middle of a shown row (no scrolling).
    static int YOf(int row) { return 20 + row * 18 + 9; }
    std::vector<NodeId> Selected() { return grid.SelectedNodes(); }

    analysis::ResultTree tree;
    TVirtualDrawTree grid;
    int changes = 0;
};

TEST_F(GridTest, ShownRowsAreVisibleRowsUnderExpandedParents) {
    const NodeId a = Add(u"a");
    const NodeId a1 = Add(u"a1", a);
    const NodeId a2 = Add(u"a2", a);
    const NodeId a21 = Add(u"a21", a2);
    const NodeId b = Add(u"b");
    const NodeId c = Add(u"c");
    tree.SetVisible(b, false);
    auto shown = [&] {
        std::vector<NodeId> out;
        for (size_t r = 0; r < grid.RowCount(); ++r) out.push_back(grid.RowAt(r));
        return out;
    };
    EXPECT_EQ(shown(), (std::vector<NodeId>{a, c}));
    grid.SetExpanded(a, true);
    EXPECT_EQ(shown(), (std::vector<NodeId>{a, a1, a2, c}));
    grid.SetExpanded(a2, true);
    EXPECT_EQ(shown(), (std::vector<NodeId>{a, a1, a2, a21, c}));
    EXPECT_EQ(grid.RowLevel(3), 2);
    EXPECT_EQ(grid.RowLevel(4), 0);
    // A hidden parent hides what is beneath it.
    tree.SetVisible(a2, false);
    EXPECT_EQ(shown(), (std::vector<NodeId>{a, a1, c}));
    EXPECT_EQ(grid.RowIndexOf(a21), -1);
    // Scrolling a row into view expands its parents.
    tree.SetVisible(a2, true);
    grid.SetExpanded(a, false);
    EXPECT_TRUE(grid.ScrollIntoView(a21, false));
    EXPECT_EQ(grid.RowIndexOf(a21), 3);
    EXPECT_FALSE(grid.ScrollIntoView(b, true));
}

TEST_F(GridTest, MouseSelection) {
    const auto ids = AddRows(8);
    struct Step {
        const char* what;
        TMouseButton button;
        int row;  // -1: below the rows
        TShiftState shift;
        std::vector<int> selected;
        int focused;
    };
    const TShiftState none, ctrl{false, true}, shift{true, false}, both{true, true};
    const Step steps[] = {
        {"click selects one", TMouseButton::Left, 2, none, {2}, 2},
        {"another click moves it", TMouseButton::Left, 4, none, {4}, 4},
        {"ctrl+click adds", TMouseButton::Left, 6, ctrl, {4, 6}, 6},
        {"ctrl+click again removes", TMouseButton::Left, 4, ctrl, {6}, 4},
        {"shift+click: range from the anchor", TMouseButton::Left, 1, shift, {1, 2, 3, 4}, 1},
        {"shift+click again: new range, same anchor", TMouseButton::Left, 6, shift, {4, 5, 6}, 6},
        {"ctrl+shift+click adds a range", TMouseButton::Left, 0, both, {0, 1, 2, 3, 4, 5, 6}, 0},
        {"right click in the selection keeps it",
         TMouseButton::Right,
         3,
         none,
         {0, 1, 2, 3, 4, 5, 6},
         3},
        {"right click outside selects that row", TMouseButton::Right, 7, none, {7}, 7},
        {"click below the rows clears", TMouseButton::Left, -1, none, {}, 7},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.what);
        const int before = changes;
        const int y = s.row < 0 ? YOf(9) : YOf(s.row);
        grid.MouseDown(s.button, 40, y, s.shift);
        std::vector<NodeId> expected;
        for (int r : s.selected) expected.push_back(ids[r]);
        EXPECT_EQ(Selected(), expected);
        EXPECT_EQ(grid.FocusedNode(), ids[s.focused]);
        EXPECT_EQ(changes, before + 1);
    }
    // A click on the header selects nothing.
    grid.MouseDown(TMouseButton::Left, 40, 10, TShiftState{});
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(grid.GetFirstSelected(), kNoNode);
}

TEST_F(GridTest, KeyboardNavigation) {
    const auto ids = AddRows(30);
    struct Step {
        TNavKey key;
        TShiftState shift;
        int focused;
        std::vector<int> selected;
        int offsetY;
    };
    const TShiftState none, ctrl{false, true}, shift{true, false};
    // Ten rows fit in the 180 pixels below the header: a page is ten rows.
    const Step steps[] = {
        {TNavKey::Down, none, 0, {0}, 0},
        {TNavKey::Down, none, 1, {1}, 0},
        {TNavKey::PageDown, none, 11, {11}, 2 * 18},
        {TNavKey::Up, shift, 10, {10, 11}, 2 * 18},
        {TNavKey::Up, shift, 9, {9, 10, 11}, 2 * 18},
        {TNavKey::Down, ctrl, 10, {9, 10, 11}, 2 * 18},
        {TNavKey::Space, ctrl, 10, {9, 11}, 2 * 18},
        {TNavKey::End, none, 29, {29}, 30 * 18 - 180},
        {TNavKey::Down, none, 29, {29}, 30 * 18 - 180},
        {TNavKey::PageUp, none, 19, {19}, 19 * 18},
        {TNavKey::Home, none, 0, {0}, 0},
        {TNavKey::Up, none, 0, {0}, 0},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(i);
        const Step& s = steps[i];
        EXPECT_TRUE(grid.KeyDown(s.key, s.shift));
        EXPECT_EQ(grid.FocusedNode(), ids[s.focused]);
        std::vector<NodeId> expected;
        for (int r : s.selected) expected.push_back(ids[r]);
        EXPECT_EQ(Selected(), expected);
        EXPECT_EQ(grid.OffsetY(), s.offsetY);
    }
    EXPECT_FALSE(grid.KeyDown(TNavKey::Space, none));
}

TEST_F(GridTest, KeysOnAnEmptyGridDoNothing) {
    EXPECT_FALSE(grid.KeyDown(TNavKey::Down, TShiftState{}));
    EXPECT_EQ(grid.FocusedNode(), kNoNode);
}

TEST_F(GridTest, WheelAndScrollRanges) {
    AddRows(100);
    EXPECT_EQ(grid.MaxOffsetY(), 100 * 18 - 180);
    grid.WheelRows(3);
    EXPECT_EQ(grid.OffsetY(), 54);
    grid.WheelRows(-10);
    EXPECT_EQ(grid.OffsetY(), 0);
    grid.WheelRows(1000);
    EXPECT_EQ(grid.OffsetY(), grid.MaxOffsetY());
    // Fewer rows: the offset follows the smaller range.
    tree.BeginUpdate();
    for (int i = 0; i < 95; ++i) tree.DeleteNode(tree.GetFirst());
    tree.EndUpdate();
    EXPECT_EQ(grid.OffsetY(), 0);
    // Columns 150 wide in 300 pixels: nothing to scroll sideways until they grow.
    EXPECT_EQ(grid.MaxOffsetX(), 0);
    grid.SetColumnWidth(0, 400);
    EXPECT_EQ(grid.MaxOffsetX(), 150);
    grid.SetOffsetX(500);
    EXPECT_EQ(grid.OffsetX(), 150);
    grid.SetColumnWidth(0, 5);  // below the smallest width
    EXPECT_EQ(grid.Column(0).Width, 10);
    EXPECT_EQ(grid.OffsetX(), 0);
}

TEST_F(GridTest, RowUnderTheMouseFollowsScrolling) {
    const auto ids = AddRows(50);
    EXPECT_EQ(grid.NodeAt(19), kNoNode);  // header
    EXPECT_EQ(grid.NodeAt(20), ids[0]);
    EXPECT_EQ(grid.NodeAt(37), ids[0]);
    EXPECT_EQ(grid.NodeAt(38), ids[1]);
    grid.SetOffsetY(18 * 5 + 3);
    EXPECT_EQ(grid.NodeAt(20), ids[5]);
    EXPECT_EQ(grid.NodeAt(20 + 15), ids[6]);
    EXPECT_EQ(grid.NodeAt(200), kNoNode);  // below the client area
}

TEST_F(GridTest, SelectionSurvivesSortingButNotAReplacedTree) {
    const auto ids = AddRows(5);
    grid.SetSelected(ids[1], true);
    grid.SetSelected(ids[3], true);
    grid.SetFocusedNode(ids[3]);
    tree.SortChildren(
        kNoNode, [&](NodeId a, NodeId b) { return tree.Size(b) < tree.Size(a) ? -1 : 1; }, false);
    EXPECT_EQ(Selected(), (std::vector<NodeId>{ids[3], ids[1]}));
    EXPECT_EQ(grid.GetFirstSelected(), ids[3]);

    // Cleared and filled again in one update: the new rows reuse the node ids, but they are
    // other rows and are not selected.
    tree.BeginUpdate();
    tree.Clear();
    std::vector<NodeId> fresh;
    for (int i = 0; i < 5; ++i) fresh.push_back(Add(u"new" + ToDecimal(i)));
    tree.EndUpdate();
    ASSERT_EQ(fresh, ids);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(grid.FocusedNode(), kNoNode);

    // A hidden row leaves the selection.
    grid.SetSelected(fresh[2], true);
    tree.SetVisible(fresh[2], false);
    EXPECT_TRUE(Selected().empty());
}

TEST_F(GridTest, DeletingSelectedRowsWhileSuspended) {
    // The page deletes the first selected row until none is left.
    const auto ids = AddRows(6);
    for (int r : {1, 2, 4}) grid.SetSelected(ids[r], true);
    grid.BeginUpdate();
    int deleted = 0;
    for (NodeId n = grid.GetFirstSelected(); n != kNoNode; n = grid.GetFirstSelected()) {
        tree.DeleteNode(n);
        ASSERT_LE(++deleted, 3);
    }
    grid.EndUpdate();
    EXPECT_EQ(deleted, 3);
    EXPECT_EQ(grid.RowCount(), 3u);
}

TEST_F(GridTest, SuspendedUpdatesReachTheViewOnce) {
    CountingView view;
    grid.SetView(&view);
    grid.BeginUpdate();
    AddRows(3);
    Add(u"x");
    EXPECT_EQ(view.calls, 0);
    grid.EndUpdate();
    EXPECT_GE(view.calls, 1);
    EXPECT_LE(view.calls, 2);
    EXPECT_TRUE(view.all & TVirtualDrawTree::kRepaint);
    EXPECT_EQ(grid.RowCount(), 4u);
    grid.SetView(nullptr);
}

TEST_F(GridTest, ColumnsInDisplayOrder) {
    grid.AddColumn(u"Third", 30);
    grid.SetColumnPosition(2, 0);
    EXPECT_EQ(grid.VisibleColumnsInOrder(), (std::vector<int>{2, 0, 1}));
    EXPECT_EQ(grid.ColumnLeft(2), 0);
    EXPECT_EQ(grid.ColumnLeft(0), 30);
    EXPECT_EQ(grid.ColumnLeft(1), 130);
    grid.SetColumnVisible(0, false);
    EXPECT_EQ(grid.VisibleColumnsInOrder(), (std::vector<int>{2, 1}));
    EXPECT_EQ(grid.ColumnLeft(0), -1);
    EXPECT_EQ(grid.ColumnLeft(1), 30);
    EXPECT_EQ(grid.ColumnAtX(29), 2);
    EXPECT_EQ(grid.ColumnAtX(30), 1);
    EXPECT_EQ(grid.ColumnAtX(80), kNoColumn);
    grid.SetColumnVisible(0, true);
    grid.SetColumnPosition(2, 2);
    EXPECT_EQ(grid.VisibleColumnsInOrder(), (std::vector<int>{0, 1, 2}));
}

TEST_F(GridTest, PaintingDrawsOnlyTheRowsOnScreen) {
    const auto ids = AddRows(100000);
    std::vector<std::pair<NodeId, int>> cells;
    std::vector<TPaintInfo> infos;
    grid.OnDrawNode = [&](TVirtualDrawTree&, TPaintInfo& info) {
        cells.push_back({info.Node, info.Column});
        infos.push_back(info);
    };
    grid.SetOffsetY(18 * 500 + 9);  // row 500 half scrolled out
    grid.SetSelected(ids[502], true);
    FakeCanvas canvas;
    grid.PaintRows(canvas, TRect{0, 0, 300, 200});
    // Rows 500 to 510 touch the 180 pixels: 11 rows, two columns each.
    ASSERT_EQ(cells.size(), 22u);
    EXPECT_EQ(cells.front(), (std::pair<NodeId, int>{ids[500], 0}));
    EXPECT_EQ(cells.back(), (std::pair<NodeId, int>{ids[510], 1}));
    // Row 500 starts 9 pixels above the rows area; its name cell less the margins.
    EXPECT_EQ(infos[0].CellRect, (TRect{0, 11, 100, 29}));
    EXPECT_EQ(infos[0].ContentRect, (TRect{4, 11, 96, 29}));
    EXPECT_EQ(infos[1].CellRect, (TRect{100, 11, 150, 29}));
    // The background, then the selected row 502.
    ASSERT_EQ(canvas.fills.size(), 2u);
    EXPECT_EQ(canvas.fills[0].rect, (TRect{0, 20, 300, 200}));
    EXPECT_EQ(canvas.fills[1].rect, (TRect{0, 47, 300, 65}));
    EXPECT_EQ(canvas.fills[1].color, TVirtualDrawTree::kSelectedUnfocusedColor);
    EXPECT_TRUE(canvas.clips.empty());

    // A smaller clip paints fewer rows; with columns scrolled sideways the cells move.
    cells.clear();
    infos.clear();
    grid.SetColumnWidth(0, 400);
    grid.SetOffsetX(100);
    grid.PaintRows(canvas, TRect{0, 100, 300, 130});
    // Rows 504 to 506; the size column starts at 300, beyond the clip, and is not drawn.
    ASSERT_EQ(cells.size(), 3u);
    for (const auto& info : infos) {
        EXPECT_EQ(info.Column, 0);
        EXPECT_EQ(info.CellRect.Left, -100);
    }
    EXPECT_EQ(cells[0].first, ids[504]);
}

TEST_F(GridTest, ChildRowsAreIndentedInTheMainColumn) {
    const NodeId a = Add(u"a");
    Add(u"a1", a);
    grid.SetExpanded(a, true);
    std::vector<TPaintInfo> infos;
    grid.OnDrawNode = [&](TVirtualDrawTree&, TPaintInfo& info) { infos.push_back(info); };
    FakeCanvas canvas;
    grid.PaintRows(canvas, TRect{0, 0, 300, 200});
    ASSERT_EQ(infos.size(), 4u);
    EXPECT_EQ(infos[0].ContentRect.Left, 4);
    EXPECT_EQ(infos[2].ContentRect.Left, 4 + 18);
    EXPECT_EQ(infos[3].ContentRect.Left, 104);  // other columns are not indented
}

}  // namespace
}  // namespace orv::toolkit
