#pragma once
// The tree grid over a result tree: columns, header state, the shown rows, scrolling,
// selection, keyboard and mouse rules, sorting and painting through a draw-cell callback.
// All of it is portable; a window (win32/VirtualDrawTreeWindow.h) feeds it input, gives it
// a canvas and follows its changes through TView.
//
// Shown rows are the tree's visible rows whose ancestors are all visible and expanded, in
// tree order. They are kept as a vector rebuilt after a change of the tree (once per change,
// whatever the number of rows), so painting touches only the rows on screen.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <memory>
#include <vector>

#include "analysis/ResultTree.h"
#include "toolkit/Canvas.h"
#include "toolkit/Component.h"
#include "toolkit/MouseButton.h"

namespace orv::toolkit {

using analysis::kNoNode;
using analysis::NodeId;
using analysis::ResultTree;

inline constexpr int kNoColumn = -1;

enum class TSortDirection { Ascending, Descending };
enum class TNavKey { Up, Down, PageUp, PageDown, Home, End, Left, Right, Space };

struct TShiftState {
    bool Shift = false;
    bool Ctrl = false;
    bool Alt = false;
};

struct THeaderHitInfo {
    int Column = kNoColumn;
    TMouseButton Button = TMouseButton::Left;
    TShiftState Shift;
};

// What the draw-cell callback gets: the canvas, the row, the column, the whole cell and the
// part of it that holds content (the cell less its margins and, in the main column, the
// indentation of child rows).
struct TPaintInfo {
    TCanvas& Canvas;
    NodeId Node;
    int Column;
    TRect CellRect;
    TRect ContentRect;
};

struct TVirtualTreeColumn {
    std::u16string Text;
    int Width = 50;
    int MinWidth = 10;
    bool Visible = true;
    int Position = 0;  // place in the display order, 0 = leftmost
};

class TVirtualDrawTree : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kRepaint = 1;  // rows or their look changed
    static constexpr unsigned kScroll = 2;   // scroll offsets or ranges changed
    static constexpr unsigned kHeader = 4;   // columns, sort glyph or header font changed

    // The window side: told what to bring up to date. Called while the model changes, so
    // it should only note and invalidate.
    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    static constexpr int kMargin = 4;   // left and right of the content in every cell
    static constexpr int kIndent = 18;  // per level of a child row, in the main column
    static constexpr TColor kWindowColor = MakeColor(255, 255, 255);
    static constexpr TColor kTextColor = MakeColor(0, 0, 0);
    static constexpr TColor kSelectedColor = MakeColor(204, 232, 255);
    static constexpr TColor kSelectedUnfocusedColor = MakeColor(217, 217, 217);

    explicit TVirtualDrawTree(TComponent* owner = nullptr);
    ~TVirtualDrawTree() override;

    std::u16string_view ClassName() const override { return u"TVirtualDrawTree"; }
    TTextSlot* TextSlot(TTextSlotKind kind) override;
    TListSlot* ListSlot(TListSlotKind kind) override;

    void SetView(TView* view) { view_ = view; }

    // The rows shown; the grid installs the tree's change hook (and removes it again). The
    // tree must outlive the grid, or be detached with SetTree(nullptr) before it goes.
    void SetTree(ResultTree* tree);
    ResultTree* Tree() const { return tree_; }

    // Columns; an index is the column's identity, its Position the place it is shown at.
    int AddColumn(std::u16string_view text, int width, bool visible = true);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    const TVirtualTreeColumn& Column(int index) const { return columns_[index]; }
    void SetColumnText(int index, std::u16string_view text);
    // Widths below the column's MinWidth become MinWidth.
    void SetColumnWidth(int index, int width);
    void SetColumnVisible(int index, bool visible);
    // Moves a column to another place; the columns in between shift by one.
    void SetColumnPosition(int index, int position);
    // The visible columns from left to right.
    std::vector<int> VisibleColumnsInOrder() const;
    int ColumnsWidth() const;  // of the visible columns
    // Left edge of a visible column in row coordinates (not scrolled); -1 for a hidden one.
    int ColumnLeft(int index) const;
    // The visible column under a client x, kNoColumn when none.
    int ColumnAtX(int x) const;
    // The column that holds the tree's indentation.
    int MainColumn() const { return mainColumn_; }

    // Header
    int HeaderHeight() const { return headerHeight_; }
    void SetHeaderHeight(int height);
    const std::u16string& HeaderFontName() const { return headerFont_.Value(); }
    void SetHeaderFontName(std::u16string_view name) { headerFont_.Set(name); }
    int HeaderFontHeight() const { return headerFontHeight_; }
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int column);
    TSortDirection SortDirection() const { return sortDirection_; }
    void SetSortDirection(TSortDirection direction);

    // The font of the rows, in pixels as a negative height (character height), like the
    // header's.
    const std::u16string& FontName() const { return fontName_; }
    int FontHeight() const { return fontHeight_; }
    void SetFont(std::u16string_view name, int height);

    // Size of the whole control and of its client area (less borders and scroll bars).
    void SetBounds(int width, int height, int clientWidth, int clientHeight);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // Height of the part of the client area below the header.
    int RowsAreaHeight() const;

    // Rows
    int DefaultNodeHeight() const { return nodeHeight_; }
    void SetDefaultNodeHeight(int height);
    size_t RowCount() const;
    NodeId RowAt(size_t row) const;
    // Place of a node among the shown rows; -1 when it is not shown.
    long RowIndexOf(NodeId node) const;
    int RowLevel(size_t row) const;
    // The row under a client y, kNoNode below the last row or over the header.
    NodeId NodeAt(int y) const;
    bool Expanded(NodeId node) const;
    void SetExpanded(NodeId node, bool expanded);

    // Scrolling, in pixels; both are kept within their ranges.
    int OffsetX() const;
    int OffsetY() const;
    void SetOffsetX(int offset);
    void SetOffsetY(int offset);
    int MaxOffsetX() const;
    int MaxOffsetY() const;
    // Scrolls so that the node is shown: centred vertically when center is set, otherwise by
    // as little as needed. Collapsed ancestors are expanded. False for a node that cannot be
    // shown (hidden, or not in the tree).
    bool ScrollIntoView(NodeId node, bool center);

    // Stable sort of every level by the compare callback (OnMakeComparer first, when set).
    void SortTree(int column, TSortDirection direction);

    // Selection: whole rows, any number of them.
    bool Selected(NodeId node) const;
    void SetSelected(NodeId node, bool selected);
    void ClearSelection();
    void SelectAll();
    size_t SelectedCount() const;
    // The selected row that comes first in list order; kNoNode when none.
    NodeId GetFirstSelected() const;
    // Selected rows in list order.
    std::vector<NodeId> SelectedNodes() const;
    NodeId FocusedNode() const;
    void SetFocusedNode(NodeId node);

    // Input, in client coordinates.
    void MouseDown(TMouseButton button, int x, int y, TShiftState shift);
    void DoubleClick(int x, int y);
    // True when the key was used.
    bool KeyDown(TNavKey key, TShiftState shift);
    // Positive rows scroll down.
    void WheelRows(int rows);
    void HeaderClick(const THeaderHitInfo& hit);
    void HeaderDblClick(const THeaderHitInfo& hit);
    // Whether the window has the keyboard focus (selected rows are drawn stronger).
    bool Focused() const { return focused_; }
    void SetFocused(bool focused);

    // Updates of the tree are suspended between these; the grid repaints once at the end.
    void BeginUpdate();
    void EndUpdate();
    // Asks the window to repaint.
    void Invalidate() { Notify(kRepaint); }

    // Paints the rows area within clip (client coordinates): background, selection and
    // every cell of the rows on screen through OnDrawNode.
    void PaintRows(TCanvas& canvas, const TRect& clip);

    // Events
    // Negative, 0 or positive for two nodes and a column.
    std::function<int(TVirtualDrawTree&, NodeId, NodeId, int column)> OnCompareNodes;
    // Optional: a comparer for one whole sort, giving the results of OnCompareNodes; lets
    // the compare prepare its keys once per sort instead of once per comparison.
    std::function<ResultTree::Compare(TVirtualDrawTree&, int column)> OnMakeComparer;
    // Optional, tried first: sort keys for one whole sort, ascending in the order of
    // OnCompareNodes (see ResultTree::SortChildrenByKey).
    std::function<std::shared_ptr<const ResultTree::SortKeys>(TVirtualDrawTree&, int column)>
        OnMakeSortKeys;
    std::function<void(TVirtualDrawTree&, TPaintInfo&)> OnDrawNode;
    std::function<void(TVirtualDrawTree&, const THeaderHitInfo&)> OnHeaderClick;
    std::function<void(TVirtualDrawTree&, const THeaderHitInfo&)> OnHeaderDblClick;
    // The selection or the focused row changed.
    std::function<void(TVirtualDrawTree&)> OnChange;
    std::function<void(TVirtualDrawTree&)> OnDblClick;

  private:
    class ColumnCaptionsSlot final : public TListSlot {
      public:
        explicit ColumnCaptionsSlot(TVirtualDrawTree& tree) : tree_(tree) {}
        size_t Count() const override { return tree_.columns_.size(); }
        std::u16string Get(size_t i) const override { return tree_.columns_[i].Text; }
        void Set(size_t i, std::u16string_view text) override {
            if (i < tree_.columns_.size()) tree_.SetColumnText(static_cast<int>(i), text);
        }

      private:
        TVirtualDrawTree& tree_;
    };

    void Notify(unsigned what);
    void TreeChanged();
    void EnsureRows() const;
    void RebuildRows() const;
    uint64_t Fingerprint(NodeId node) const;
    bool IsShown(NodeId node) const;
    void SelectRange(size_t from, size_t to);
    void ApplySelectionChange(bool changed);
    void FocusRow(size_t row);
    long FocusedRow() const;

    TView* view_ = nullptr;
    ResultTree* tree_ = nullptr;

    std::vector<TVirtualTreeColumn> columns_;
    int mainColumn_ = 0;
    int headerHeight_ = 20;
    TStringSlot headerFont_;
    int headerFontHeight_ = -12;
    int sortColumn_ = kNoColumn;
    TSortDirection sortDirection_ = TSortDirection::Ascending;
    std::u16string fontName_ = u"Tahoma";
    int fontHeight_ = -11;
    ColumnCaptionsSlot columnCaptions_{*this};

    int width_ = 0;
    int height_ = 0;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int nodeHeight_ = 18;
    // Kept within range when the rows change, which may happen while reading.
    mutable int offsetX_ = 0;
    mutable int offsetY_ = 0;
    bool focused_ = false;

    // Shown rows, rebuilt lazily after a change of the tree.
    mutable bool dirty_ = true;
    mutable std::vector<NodeId> rows_;
    mutable std::vector<uint16_t> levels_;  // empty while every row is at level 0
    mutable std::vector<uint32_t> rowOf_;   // by NodeId: place in rows_, or kNotShown
    static constexpr uint32_t kNotShown = 0xFFFFFFFFu;

    // Node ids are reused after the tree is cleared, so a selected or focused node is
    // remembered with a fingerprint of its text and kind; a new row in the same slot does
    // not inherit the selection.
    mutable std::unordered_map<NodeId, uint64_t> selected_;
    mutable NodeId focusedNode_ = kNoNode;
    mutable uint64_t focusedPrint_ = 0;
    mutable NodeId anchorNode_ = kNoNode;
    mutable uint64_t anchorPrint_ = 0;
    // Expanded rows, remembered like the selection.
    std::unordered_map<NodeId, uint64_t> expanded_;
    int updateCount_ = 0;
};

}  // namespace orv::toolkit
