// The tree grid as a real window: messages in, model state and pixels out.
#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/RowDrawing.h"
#include "analysis/VTree_Kram.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/VirtualDrawTreeWindow.h"

namespace orv::toolkit::win32 {
namespace {

using analysis::kNoNode;
using analysis::NodeId;
using analysis::TSizeNode;

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

// The analysis page's list in a 600 x 400 window: the six columns, the engine's compare
// and draw rules, the default header-click handler.
class GridWindowTest : public ::testing::Test {
  protected:
    // One shown frame for all tests: under Wine without a window manager, hiding a shown
    // top-level window takes seconds.
    static void SetUpTestSuite() {
        frame = new THostWindow;
        ASSERT_TRUE(frame->CreateTopLevel(L"grid test", 600, 400));
        ShowWindow(frame->Handle(), SW_SHOW);
        Pump();
    }
    static void TearDownTestSuite() {
        delete frame;
        frame = nullptr;
    }
    void SetUp() override {
        for (auto [text, width] : {std::pair{u"Name", 236},
                                   {u"Ordner", 68},
                                   {u"Dateien", 68},
                                   {u"Größe", 80},
                                   {u"Größe % ", 92},
                                   {u"Ordnergröße %", 120}}) {
            grid.AddColumn(text, width);
        }
        grid.SetSortColumn(4);
        grid.SetSortDirection(TSortDirection::Ascending);
        ASSERT_TRUE(grid.CreateWindowIn(frame->Handle(), 0, 0, 600, 400, false));
        grid.SetTree(&tree);
        grid.OnCompareNodes = [this](TVirtualDrawTree&, NodeId a, NodeId b, int column) {
            return analysis::CompareNodes(tree, a, b, column);
        };
        grid.OnMakeComparer = [this](TVirtualDrawTree&, int column) {
            return analysis::MakeNodeComparer(tree, column);
        };
        grid.OnMakeSortKeys = [this](TVirtualDrawTree&, int column) {
            return analysis::MakeSortKeys(tree, column);
        };
        grid.OnDrawNode = [this](TVirtualDrawTree&, TPaintInfo& info) {
            state.TotalSize = total;
            analysis::DrawNode(state, tree, info);
        };
        grid.OnHeaderClick = analysis::TVTree_DefaultEvents::OnHeaderClick;
        grid.OnHeaderDblClick = analysis::TVTree_DefaultEvents::OnHeaderClick;
        Pump();
    }
    std::vector<NodeId> AddRows(const std::vector<int64_t>& sizes) {
        std::vector<NodeId> ids;
        grid.BeginUpdate();
        for (size_t i = 0; i < sizes.size(); ++i) {
            TSizeNode row;
            row.FullPath = u"Z:\\rows\\row" +
                           std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                           std::u16string(i / 26 + 1, u'x') + u".txt";
            row.Size = sizes[i];
            total += sizes[i];
            ids.push_back(tree.AddChild(kNoNode, row));
        }
        grid.EndUpdate();
        Pump();
        return ids;
    }
    // Client y of the middle of a row when nothing is scrolled.
    static int YOf(int row) { return 20 + row * 18 + 9; }
    std::vector<NodeId> Shown() {
        std::vector<NodeId> out;
        for (size_t r = 0; r < grid.RowCount(); ++r) out.push_back(grid.RowAt(r));
        return out;
    }
    // The client area as painted by WM_PAINT, read back from the screen.
    COLORREF ScreenPixel(int x, int y) {
        RedrawWindow(grid.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ClientDC dc(grid.Handle());
        return GetPixel(dc.Get(), x, y);
    }
    RECT HeaderItemRect(int column) {
        RECT r{};
        SendMessageW(grid.HeaderHandle(), HDM_GETITEMRECT, grid.HeaderItemOf(column),
                     reinterpret_cast<LPARAM>(&r));
        return r;
    }
    void ClickHeader(int column) {
        const RECT r = HeaderItemRect(column);
        const LPARAM p = At((r.left + r.right) / 2, 10);
        SendMessageW(grid.HeaderHandle(), WM_LBUTTONDOWN, MK_LBUTTON, p);
        SendMessageW(grid.HeaderHandle(), WM_LBUTTONUP, 0, p);
        Pump();
    }

    static THostWindow* frame;
    analysis::ResultTree tree;
    int64_t total = 0;
    analysis::TRowDrawState state;
    TVirtualDrawTreeWindow grid;
};

THostWindow* GridWindowTest::frame = nullptr;

TEST_F(GridWindowTest, HeaderIsTwentyPixelsOfTahomaWithTheColumns) {
    RECT r{};
    GetWindowRect(grid.HeaderHandle(), &r);
    EXPECT_EQ(r.bottom - r.top, 20);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(grid.HeaderHandle(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfHeight, -12);
    ASSERT_EQ(SendMessageW(grid.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 6);
    wchar_t text[64] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Größe");
    EXPECT_EQ(item.cxy, 80);
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 4, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_SORTUP);

    // Hiding a column takes it out of the header; translation sets captions and the font.
    grid.SetColumnVisible(1, false);
    grid.ListSlot(TListSlotKind::ColumnCaptions)->Set(0, u"Nom");
    grid.TextSlot(TTextSlotKind::HeaderFontName)->Set(u"Tahoma");
    Pump();
    EXPECT_EQ(SendMessageW(grid.HeaderHandle(), HDM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(grid.HeaderItemOf(2), 1);
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"Nom");
}

TEST_F(GridWindowTest, SortingBySizeTwiceKeepsEqualSizesInOrder) {
    const auto ids = AddRows({5, 9, 5, 1, 9, 5, 7, 5});
    for (int round = 0; round < 2; ++round) {
        grid.SortTree(3, TSortDirection::Ascending);
        Pump();
        EXPECT_EQ(Shown(), (std::vector<NodeId>{ids[1], ids[4], ids[6], ids[0], ids[2], ids[5],
                                                ids[7], ids[3]}));
    }
}

TEST_F(GridWindowTest, RealClicksOnTheHeaderSortAndFlipTheDirection) {
    const auto ids = AddRows({30, 10, 50, 20, 40});
    ClickHeader(3);
    EXPECT_EQ(grid.SortColumn(), 3);
    EXPECT_EQ(grid.SortDirection(), TSortDirection::Ascending);
    EXPECT_EQ(Shown(), (std::vector<NodeId>{ids[2], ids[4], ids[0], ids[3], ids[1]}));
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_SORTUP);
    EXPECT_FALSE(item.fmt & HDF_SORTDOWN);
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 4, reinterpret_cast<LPARAM>(&item));
    EXPECT_FALSE(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));

    ClickHeader(3);
    EXPECT_EQ(grid.SortDirection(), TSortDirection::Descending);
    EXPECT_EQ(Shown(), (std::vector<NodeId>{ids[1], ids[3], ids[0], ids[4], ids[2]}));
    SendMessageW(grid.HeaderHandle(), HDM_GETITEMW, 3, reinterpret_cast<LPARAM>(&item));
    EXPECT_TRUE(item.fmt & HDF_SORTDOWN);

    ClickHeader(0);
    EXPECT_EQ(grid.SortColumn(), 0);
    EXPECT_EQ(Shown(), (std::vector<NodeId>{ids[0], ids[1], ids[2], ids[3], ids[4]}));
}

TEST_F(GridWindowTest, SelectionThroughMouseMessages) {
    const auto ids = AddRows({1, 2, 3, 4, 5, 6});
    SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(100, YOf(2)));
    SendMessageW(grid.Handle(), WM_LBUTTONUP, 0, At(100, YOf(2)));
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[2]}));
    SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(500, YOf(4)));
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[2], ids[4]}));
    SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, At(10, YOf(0)));
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[0], ids[1], ids[2], ids[3], ids[4]}));
    // Right click inside the selection keeps it; outside it selects the clicked row.
    SendMessageW(grid.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(50, YOf(1)));
    EXPECT_EQ(grid.SelectedCount(), 5u);
    SendMessageW(grid.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, At(50, YOf(5)));
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[5]}));
    EXPECT_EQ(GetFocus(), grid.Handle());

    // The selected row is painted in the selection colour, the others in white.
    const COLORREF selected = ScreenPixel(590, YOf(5));
    EXPECT_EQ(selected, TVirtualDrawTree::kSelectedColor);
    EXPECT_EQ(ScreenPixel(590, YOf(4)), RGB(255, 255, 255));

    int doubleClicks = 0;
    grid.OnDblClick = [&](TVirtualDrawTree&) { ++doubleClicks; };
    SendMessageW(grid.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At(50, YOf(5)));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(GridWindowTest, KeyboardWheelAndScrollBars) {
    std::vector<int64_t> sizes(100, 1);
    const auto ids = AddRows(sizes);
    SetFocus(grid.Handle());
    SendMessageW(grid.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    SendMessageW(grid.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(grid.FocusedNode(), ids[1]);
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[1]}));
    SendMessageW(grid.Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(grid.FocusedNode(), ids[99]);
    EXPECT_EQ(grid.OffsetY(), grid.MaxOffsetY());
    SendMessageW(grid.Handle(), WM_KEYDOWN, VK_HOME, 0);
    EXPECT_EQ(grid.OffsetY(), 0);
    Pump();

    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid.Handle(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 100 * 18 - 1);
    EXPECT_EQ(static_cast<int>(si.nPage), grid.RowsAreaHeight());

    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    SendMessageW(grid.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), At(100, 100));
    EXPECT_EQ(grid.OffsetY(), static_cast<int>(lines) * 18);
    SendMessageW(grid.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(grid.OffsetY(), static_cast<int>(lines) * 18 + grid.RowsAreaHeight() - 18);
    SendMessageW(grid.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(grid.OffsetY(), 0);
    Pump();
    si.fMask = SIF_POS;
    GetScrollInfo(grid.Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, 0);
    // After a click lower down, the row under the mouse follows the scrolled rows.
    SendMessageW(grid.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(50, YOf(0)));
    EXPECT_EQ(grid.SelectedNodes(), (std::vector<NodeId>{ids[1]}));
}

TEST_F(GridWindowTest, WideColumnsScrollSidewaysWithTheHeader) {
    AddRows({1, 2, 3});
    grid.SetColumnWidth(0, 600);
    Pump();
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(grid.Handle(), SB_HORZ, &si));
    EXPECT_EQ(si.nMax, 600 + 68 * 2 + 80 + 92 + 120 - 1);
    SendMessageW(grid.Handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
    Pump();
    EXPECT_GT(grid.OffsetX(), 0);
    RECT header{};
    GetWindowRect(grid.HeaderHandle(), &header);
    POINT origin{0, 0};
    ClientToScreen(grid.Handle(), &origin);
    EXPECT_EQ(header.left - origin.x, -grid.OffsetX());
}

TEST_F(GridWindowTest, ResizingAColumnInTheHeaderResizesTheGrid) {
    AddRows({1});
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = 150;
    SendMessageW(grid.HeaderHandle(), HDM_SETITEMW, grid.HeaderItemOf(3),
                 reinterpret_cast<LPARAM>(&item));
    Pump();
    EXPECT_EQ(grid.Column(3).Width, 150);
    EXPECT_EQ(grid.ColumnLeft(4), 236 + 68 + 68 + 150);
}

TEST_F(GridWindowTest, DraggingAHeaderItemMovesTheColumn) {
    AddRows({1});
    // Drag "Größe" onto the place of "Name".
    const RECT from = HeaderItemRect(3);
    const RECT to = HeaderItemRect(0);
    const HWND header = grid.HeaderHandle();
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, At((from.left + from.right) / 2, 10));
    for (int x = (from.left + from.right) / 2; x > to.left + 5; x -= 20) {
        SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, At(x, 10));
    }
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, At(to.left + 5, 10));
    SendMessageW(header, WM_LBUTTONUP, 0, At(to.left + 5, 10));
    Pump();
    EXPECT_EQ(grid.VisibleColumnsInOrder(), (std::vector<int>{3, 0, 1, 2, 4, 5}));
    EXPECT_EQ(grid.ColumnLeft(3), 0);
    EXPECT_EQ(grid.HeaderItemOf(3), 0);
    // A drag is no click: the sort column stays.
    EXPECT_EQ(grid.SortColumn(), 4);
}

TEST_F(GridWindowTest, SuspendedUpdatesRepaintOnceAtTheEnd) {
    AddRows({1, 2});
    grid.BeginUpdate();
    for (int i = 0; i < 1000; ++i) {
        TSizeNode row;
        row.FullPath = u"Z:\\more";
        row.Size = 3;
        tree.AddChild(kNoNode, row);
    }
    EXPECT_FALSE(GetUpdateRect(grid.Handle(), nullptr, FALSE));
    grid.EndUpdate();
    EXPECT_TRUE(GetUpdateRect(grid.Handle(), nullptr, FALSE));
    Pump();
    EXPECT_EQ(grid.RowCount(), 1002u);
}

}  // namespace
}  // namespace orv::toolkit::win32
