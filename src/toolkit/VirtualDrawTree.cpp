#include "toolkit/VirtualDrawTree.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orv::toolkit {

namespace {

int ClampToInt(int64_t v) {
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace

TVirtualDrawTree::TVirtualDrawTree(TComponent* owner)
    : TComponent(owner), headerFont_([this] { Notify(kHeader); }) {
    headerFont_.Set(u"Tahoma");
}

TVirtualDrawTree::~TVirtualDrawTree() {
    if (tree_ != nullptr) tree_->SetChangeHook({});
}

TTextSlot* TVirtualDrawTree::TextSlot(TTextSlotKind kind) {
    return kind == TTextSlotKind::HeaderFontName ? &headerFont_ : nullptr;
}

TListSlot* TVirtualDrawTree::ListSlot(TListSlotKind kind) {
    return kind == TListSlotKind::ColumnCaptions ? &columnCaptions_ : nullptr;
}

void TVirtualDrawTree::Notify(unsigned what) {
    if (view_ != nullptr) view_->ModelChanged(what);
}

void TVirtualDrawTree::SetTree(ResultTree* tree) {
    if (tree_ != nullptr) tree_->SetChangeHook({});
    tree_ = tree;
    selected_.clear();
    expanded_.clear();
    focusedNode_ = kNoNode;
    anchorNode_ = kNoNode;
    if (tree_ != nullptr) tree_->SetChangeHook([this] { TreeChanged(); });
    TreeChanged();
}

void TVirtualDrawTree::TreeChanged() {
    dirty_ = true;
    Notify(kRepaint | kScroll);
}

// ---- Columns ----

int TVirtualDrawTree::AddColumn(std::u16string_view text, int width, bool visible) {
    TVirtualTreeColumn c;
    c.Text.assign(text);
    c.Width = std::max(width, c.MinWidth);
    c.Visible = visible;
    c.Position = static_cast<int>(columns_.size());
    columns_.push_back(std::move(c));
    Notify(kHeader | kScroll | kRepaint);
    return static_cast<int>(columns_.size()) - 1;
}

void TVirtualDrawTree::SetColumnText(int index, std::u16string_view text) {
    if (index < 0 || index >= ColumnCount()) return;
    columns_[index].Text.assign(text);
    Notify(kHeader);
}

void TVirtualDrawTree::SetColumnWidth(int index, int width) {
    if (index < 0 || index >= ColumnCount()) return;
    width = std::max(width, columns_[index].MinWidth);
    if (columns_[index].Width == width) return;
    columns_[index].Width = width;
    SetOffsetX(offsetX_);
    Notify(kHeader | kScroll | kRepaint);
}

void TVirtualDrawTree::SetColumnVisible(int index, bool visible) {
    if (index < 0 || index >= ColumnCount() || columns_[index].Visible == visible) return;
    columns_[index].Visible = visible;
    SetOffsetX(offsetX_);
    Notify(kHeader | kScroll | kRepaint);
}

void TVirtualDrawTree::SetColumnPosition(int index, int position) {
    if (index < 0 || index >= ColumnCount()) return;
    position = std::clamp(position, 0, ColumnCount() - 1);
    const int old = columns_[index].Position;
    if (old == position) return;
    for (auto& c : columns_) {
        if (old < position && c.Position > old && c.Position <= position) --c.Position;
        if (position < old && c.Position >= position && c.Position < old) ++c.Position;
    }
    columns_[index].Position = position;
    Notify(kHeader | kRepaint);
}

std::vector<int> TVirtualDrawTree::VisibleColumnsInOrder() const {
    std::vector<int> order;
    for (int i = 0; i < ColumnCount(); ++i) {
        if (columns_[i].Visible) order.push_back(i);
    }
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return columns_[a].Position < columns_[b].Position; });
    return order;
}

int TVirtualDrawTree::ColumnsWidth() const {
    int w = 0;
    for (const auto& c : columns_) {
        if (c.Visible) w += c.Width;
    }
    return w;
}

int TVirtualDrawTree::ColumnLeft(int index) const {
    if (index < 0 || index >= ColumnCount() || !columns_[index].Visible) return -1;
    int left = 0;
    for (const auto& c : columns_) {
        if (c.Visible && c.Position < columns_[index].Position) left += c.Width;
    }
    return left;
}

int TVirtualDrawTree::ColumnAtX(int x) const {
    int left = -offsetX_;
    for (int i : VisibleColumnsInOrder()) {
        if (x >= left && x < left + columns_[i].Width) return i;
        left += columns_[i].Width;
    }
    return kNoColumn;
}

// ---- Header and look ----

void TVirtualDrawTree::SetHeaderHeight(int height) {
    headerHeight_ = std::max(0, height);
    SetOffsetY(offsetY_);
    Notify(kHeader | kScroll | kRepaint);
}

void TVirtualDrawTree::SetSortColumn(int column) {
    if (sortColumn_ == column) return;
    sortColumn_ = column;
    Notify(kHeader);
}

void TVirtualDrawTree::SetSortDirection(TSortDirection direction) {
    if (sortDirection_ == direction) return;
    sortDirection_ = direction;
    Notify(kHeader);
}

void TVirtualDrawTree::SetFont(std::u16string_view name, int height) {
    fontName_.assign(name);
    fontHeight_ = height;
    Notify(kRepaint);
}

void TVirtualDrawTree::SetBounds(int width, int height, int clientWidth, int clientHeight) {
    width_ = width;
    height_ = height;
    clientWidth_ = std::max(0, clientWidth);
    clientHeight_ = std::max(0, clientHeight);
    SetOffsetX(offsetX_);
    SetOffsetY(offsetY_);
    Notify(kScroll | kRepaint);
}

int TVirtualDrawTree::RowsAreaHeight() const {
    return std::max(0, clientHeight_ - headerHeight_);
}

void TVirtualDrawTree::SetDefaultNodeHeight(int height) {
    nodeHeight_ = std::max(1, height);
    SetOffsetY(offsetY_);
    Notify(kScroll | kRepaint);
}

// ---- Shown rows ----

void TVirtualDrawTree::EnsureRows() const {
    if (dirty_) RebuildRows();
}

uint64_t TVirtualDrawTree::Fingerprint(NodeId node) const {
    // FNV-1a over the stored text, then the kind.
    uint64_t h = 1469598103934665603ull;
    for (char16_t c : tree_->Text(node)) {
        h = (h ^ c) * 1099511628211ull;
    }
    return (h ^ (tree_->IsFolder(node) ? 1u : 2u)) * 1099511628211ull;
}

bool TVirtualDrawTree::IsShown(NodeId node) const {
    return node < rowOf_.size() && rowOf_[node] != kNotShown && rows_[rowOf_[node]] == node;
}

void TVirtualDrawTree::RebuildRows() const {
    dirty_ = false;
    for (NodeId n : rows_) {
        if (n < rowOf_.size()) rowOf_[n] = kNotShown;
    }
    rows_.clear();
    levels_.clear();
    if (tree_ != nullptr) {
        auto isExpanded = [&](NodeId n) {
            const auto it = expanded_.find(n);
            return it != expanded_.end() && it->second == Fingerprint(n);
        };
        NodeId n = tree_->FirstChild(kNoNode);
        int level = 0;
        while (n != kNoNode) {
            if (tree_->IsVisible(n)) {
                if (level > 0 && levels_.empty()) levels_.assign(rows_.size(), 0);
                if (!levels_.empty() || level > 0) levels_.push_back(static_cast<uint16_t>(level));
                if (n >= rowOf_.size()) rowOf_.resize(static_cast<size_t>(n) + 1, kNotShown);
                rowOf_[n] = static_cast<uint32_t>(rows_.size());
                rows_.push_back(n);
                if (tree_->FirstChild(n) != kNoNode && level < 0xFFFF && isExpanded(n)) {
                    n = tree_->FirstChild(n);
                    ++level;
                    continue;
                }
            }
            while (n != kNoNode && tree_->NextSibling(n) == kNoNode) {
                n = tree_->Parent(n);
                --level;
            }
            if (n != kNoNode) n = tree_->NextSibling(n);
        }
    }

    // What was selected or focused and is no longer shown (or is another row now) goes.
    for (auto it = selected_.begin(); it != selected_.end();) {
        if (IsShown(it->first) && Fingerprint(it->first) == it->second) {
            ++it;
        } else {
            it = selected_.erase(it);
        }
    }
    if (focusedNode_ != kNoNode &&
        !(IsShown(focusedNode_) && Fingerprint(focusedNode_) == focusedPrint_)) {
        focusedNode_ = kNoNode;
    }
    if (anchorNode_ != kNoNode &&
        !(IsShown(anchorNode_) && Fingerprint(anchorNode_) == anchorPrint_)) {
        anchorNode_ = kNoNode;
    }
    offsetY_ = std::clamp(offsetY_, 0, MaxOffsetY());
    offsetX_ = std::clamp(offsetX_, 0, MaxOffsetX());
}

size_t TVirtualDrawTree::RowCount() const {
    EnsureRows();
    return rows_.size();
}

NodeId TVirtualDrawTree::RowAt(size_t row) const {
    EnsureRows();
    return row < rows_.size() ? rows_[row] : kNoNode;
}

long TVirtualDrawTree::RowIndexOf(NodeId node) const {
    EnsureRows();
    return IsShown(node) ? static_cast<long>(rowOf_[node]) : -1;
}

int TVirtualDrawTree::RowLevel(size_t row) const {
    EnsureRows();
    return row < levels_.size() ? levels_[row] : 0;
}

NodeId TVirtualDrawTree::NodeAt(int y) const {
    EnsureRows();
    if (y < headerHeight_ || y >= clientHeight_) return kNoNode;
    const int64_t pos = static_cast<int64_t>(y) - headerHeight_ + offsetY_;
    const int64_t row = pos / nodeHeight_;
    return row < static_cast<int64_t>(rows_.size()) ? rows_[static_cast<size_t>(row)] : kNoNode;
}

bool TVirtualDrawTree::Expanded(NodeId node) const {
    if (tree_ == nullptr || !tree_->IsValid(node)) return false;
    const auto it = expanded_.find(node);
    return it != expanded_.end() && it->second == Fingerprint(node);
}

void TVirtualDrawTree::SetExpanded(NodeId node, bool expanded) {
    if (tree_ == nullptr || !tree_->IsValid(node) || Expanded(node) == expanded) return;
    if (expanded) {
        expanded_[node] = Fingerprint(node);
    } else {
        expanded_.erase(node);
    }
    dirty_ = true;
    Notify(kRepaint | kScroll);
}

// ---- Scrolling ----

int TVirtualDrawTree::OffsetX() const {
    EnsureRows();
    return offsetX_;
}

int TVirtualDrawTree::OffsetY() const {
    EnsureRows();
    return offsetY_;
}

int TVirtualDrawTree::MaxOffsetX() const {
    return std::max(0, ColumnsWidth() - clientWidth_);
}

int TVirtualDrawTree::MaxOffsetY() const {
    EnsureRows();
    const int64_t total = static_cast<int64_t>(rows_.size()) * nodeHeight_;
    return ClampToInt(std::max<int64_t>(0, total - RowsAreaHeight()));
}

void TVirtualDrawTree::SetOffsetX(int offset) {
    offset = std::clamp(offset, 0, MaxOffsetX());
    if (offset == offsetX_) return;
    offsetX_ = offset;
    Notify(kScroll | kRepaint | kHeader);
}

void TVirtualDrawTree::SetOffsetY(int offset) {
    offset = std::clamp(offset, 0, MaxOffsetY());
    if (offset == offsetY_) return;
    offsetY_ = offset;
    Notify(kScroll | kRepaint);
}

bool TVirtualDrawTree::ScrollIntoView(NodeId node, bool center) {
    if (tree_ == nullptr || !tree_->IsValid(node) || !tree_->IsVisible(node)) return false;
    for (NodeId p = tree_->Parent(node); p != kNoNode; p = tree_->Parent(p)) {
        if (!tree_->IsVisible(p)) return false;
    }
    for (NodeId p = tree_->Parent(node); p != kNoNode; p = tree_->Parent(p)) SetExpanded(p, true);
    const long row = RowIndexOf(node);
    if (row < 0) return false;
    const int64_t top = static_cast<int64_t>(row) * nodeHeight_;
    const int area = RowsAreaHeight();
    if (center) {
        SetOffsetY(ClampToInt(top - (area - nodeHeight_) / 2));
    } else if (top < offsetY_) {
        SetOffsetY(ClampToInt(top));
    } else if (top + nodeHeight_ > static_cast<int64_t>(offsetY_) + area) {
        SetOffsetY(ClampToInt(top + nodeHeight_ - area));
    }
    return true;
}

// ---- Sorting ----

void TVirtualDrawTree::SortTree(int column, TSortDirection direction) {
    if (tree_ == nullptr) return;
    const bool descending = direction == TSortDirection::Descending;
    if (OnMakeSortKeys) {
        if (auto keys = OnMakeSortKeys(*this, column)) {
            tree_->SortChildrenByKey(kNoNode, *keys, descending, true);
            return;
        }
    }
    ResultTree::Compare compare;
    if (OnMakeComparer) compare = OnMakeComparer(*this, column);
    if (!compare && OnCompareNodes) {
        compare = [this, column](NodeId a, NodeId b) {
            return OnCompareNodes(*this, a, b, column);
        };
    }
    if (!compare) return;
    tree_->SortChildren(kNoNode, compare, descending, true);
}

// ---- Selection ----

bool TVirtualDrawTree::Selected(NodeId node) const {
    EnsureRows();
    return selected_.count(node) != 0;
}

void TVirtualDrawTree::SetSelected(NodeId node, bool selected) {
    EnsureRows();
    if (!IsShown(node)) return;
    bool changed;
    if (selected) {
        changed = selected_.emplace(node, Fingerprint(node)).second;
    } else {
        changed = selected_.erase(node) != 0;
    }
    ApplySelectionChange(changed);
}

void TVirtualDrawTree::ClearSelection() {
    EnsureRows();
    const bool changed = !selected_.empty();
    selected_.clear();
    ApplySelectionChange(changed);
}

void TVirtualDrawTree::SelectAll() {
    EnsureRows();
    for (NodeId n : rows_) selected_.emplace(n, Fingerprint(n));
    ApplySelectionChange(true);
}

size_t TVirtualDrawTree::SelectedCount() const {
    EnsureRows();
    return selected_.size();
}

NodeId TVirtualDrawTree::GetFirstSelected() const {
    EnsureRows();
    if (tree_ == nullptr) return kNoNode;
    NodeId best = kNoNode;
    uint32_t bestRow = kNotShown;
    for (const auto& [node, print] : selected_) {
        // While the tree is suspended the rows may be stale: skip deleted ones.
        if (!tree_->IsValid(node)) continue;
        if (rowOf_[node] < bestRow) {
            bestRow = rowOf_[node];
            best = node;
        }
    }
    return best;
}

std::vector<NodeId> TVirtualDrawTree::SelectedNodes() const {
    EnsureRows();
    std::vector<NodeId> out;
    if (tree_ == nullptr) return out;
    out.reserve(selected_.size());
    for (const auto& [node, print] : selected_) {
        if (tree_->IsValid(node)) out.push_back(node);
    }
    std::sort(out.begin(), out.end(), [&](NodeId a, NodeId b) { return rowOf_[a] < rowOf_[b]; });
    return out;
}

NodeId TVirtualDrawTree::FocusedNode() const {
    EnsureRows();
    return focusedNode_;
}

void TVirtualDrawTree::SetFocusedNode(NodeId node) {
    EnsureRows();
    if (!IsShown(node)) return;
    focusedNode_ = node;
    focusedPrint_ = Fingerprint(node);
    ApplySelectionChange(true);
}

long TVirtualDrawTree::FocusedRow() const {
    return focusedNode_ != kNoNode && IsShown(focusedNode_)
               ? static_cast<long>(rowOf_[focusedNode_])
               : -1;
}

void TVirtualDrawTree::FocusRow(size_t row) {
    focusedNode_ = rows_[row];
    focusedPrint_ = Fingerprint(focusedNode_);
}

void TVirtualDrawTree::SelectRange(size_t from, size_t to) {
    if (from > to) std::swap(from, to);
    for (size_t r = from; r <= to && r < rows_.size(); ++r) {
        selected_.emplace(rows_[r], Fingerprint(rows_[r]));
    }
}

void TVirtualDrawTree::ApplySelectionChange(bool changed) {
    if (!changed) return;
    Notify(kRepaint);
    if (OnChange) OnChange(*this);
}

// ---- Input ----

void TVirtualDrawTree::MouseDown(TMouseButton button, int x, int y, TShiftState shift) {
    (void)x;  // whole rows are selected, wherever in the row the click is
    EnsureRows();
    const NodeId node = NodeAt(y);
    if (button == TMouseButton::Middle) return;
    if (node == kNoNode) {
        // A click below the rows clears the selection unless it is meant to add to it.
        if (y >= headerHeight_ && !shift.Ctrl && !shift.Shift && !selected_.empty()) {
            selected_.clear();
            ApplySelectionChange(true);
        }
        return;
    }
    const size_t row = rowOf_[node];
    if (button == TMouseButton::Right) {
        // Right click selects the row under the mouse, keeping a selection it belongs to.
        if (selected_.count(node) == 0) {
            if (!shift.Ctrl) selected_.clear();
            selected_.emplace(node, Fingerprint(node));
            anchorNode_ = node;
            anchorPrint_ = Fingerprint(node);
        }
        FocusRow(row);
        ApplySelectionChange(true);
        return;
    }
    if (shift.Shift) {
        const size_t from = anchorNode_ != kNoNode ? rowOf_[anchorNode_] : row;
        if (!shift.Ctrl) selected_.clear();
        SelectRange(from, row);
        if (anchorNode_ == kNoNode) {
            anchorNode_ = node;
            anchorPrint_ = Fingerprint(node);
        }
    } else if (shift.Ctrl) {
        if (selected_.erase(node) == 0) selected_.emplace(node, Fingerprint(node));
        anchorNode_ = node;
        anchorPrint_ = Fingerprint(node);
    } else {
        selected_.clear();
        selected_.emplace(node, Fingerprint(node));
        anchorNode_ = node;
        anchorPrint_ = Fingerprint(node);
    }
    FocusRow(row);
    ApplySelectionChange(true);
}

void TVirtualDrawTree::DoubleClick(int x, int y) {
    (void)x;
    (void)y;
    if (OnDblClick) OnDblClick(*this);
}

bool TVirtualDrawTree::KeyDown(TNavKey key, TShiftState shift) {
    EnsureRows();
    if (rows_.empty()) return false;
    const long last = static_cast<long>(rows_.size()) - 1;
    const long cur = FocusedRow();
    const long page = std::max(1, RowsAreaHeight() / nodeHeight_);
    long target = cur;
    switch (key) {
        case TNavKey::Up:
            target = cur < 0 ? 0 : std::max(0L, cur - 1);
            break;
        case TNavKey::Down:
            target = cur < 0 ? 0 : std::min(last, cur + 1);
            break;
        case TNavKey::PageUp:
            target = cur < 0 ? 0 : std::max(0L, cur - page);
            break;
        case TNavKey::PageDown:
            target = cur < 0 ? 0 : std::min(last, cur + page);
            break;
        case TNavKey::Home:
            target = 0;
            break;
        case TNavKey::End:
            target = last;
            break;
        case TNavKey::Right:
        case TNavKey::Left: {
            if (cur < 0) return false;
            const NodeId node = rows_[cur];
            const bool hasChildren = tree_->FirstChild(node) != kNoNode;
            if (key == TNavKey::Right) {
                if (hasChildren && !Expanded(node)) {
                    SetExpanded(node, true);
                    return true;
                }
                return false;
            }
            if (hasChildren && Expanded(node)) {
                SetExpanded(node, false);
                return true;
            }
            const NodeId parent = tree_->Parent(node);
            if (parent == kNoNode || !IsShown(parent)) return false;
            target = static_cast<long>(rowOf_[parent]);
            break;
        }
        case TNavKey::Space:
            if (!shift.Ctrl || cur < 0) return false;
            if (selected_.erase(rows_[cur]) == 0)
                selected_.emplace(rows_[cur], Fingerprint(rows_[cur]));
            ApplySelectionChange(true);
            return true;
    }
    const NodeId node = rows_[target];
    if (shift.Shift) {
        if (anchorNode_ == kNoNode) {
            anchorNode_ = cur >= 0 ? rows_[cur] : node;
            anchorPrint_ = Fingerprint(anchorNode_);
        }
        selected_.clear();
        SelectRange(rowOf_[anchorNode_], static_cast<size_t>(target));
    } else if (!shift.Ctrl) {
        // Ctrl moves only the focus; a plain key selects the row it moves to.
        selected_.clear();
        selected_.emplace(node, Fingerprint(node));
        anchorNode_ = node;
        anchorPrint_ = Fingerprint(node);
    }
    FocusRow(static_cast<size_t>(target));
    ScrollIntoView(node, false);
    ApplySelectionChange(true);
    return true;
}

void TVirtualDrawTree::WheelRows(int rows) {
    SetOffsetY(
        ClampToInt(static_cast<int64_t>(offsetY_) + static_cast<int64_t>(rows) * nodeHeight_));
}

void TVirtualDrawTree::HeaderClick(const THeaderHitInfo& hit) {
    if (OnHeaderClick) OnHeaderClick(*this, hit);
}

void TVirtualDrawTree::HeaderDblClick(const THeaderHitInfo& hit) {
    if (OnHeaderDblClick) OnHeaderDblClick(*this, hit);
}

void TVirtualDrawTree::SetFocused(bool focused) {
    if (focused_ == focused) return;
    focused_ = focused;
    if (!selected_.empty()) Notify(kRepaint);
}

// ---- Updates ----

void TVirtualDrawTree::BeginUpdate() {
    ++updateCount_;
    if (tree_ != nullptr) tree_->BeginUpdate();
}

void TVirtualDrawTree::EndUpdate() {
    if (updateCount_ == 0) return;
    --updateCount_;
    if (tree_ != nullptr) tree_->EndUpdate();
    if (updateCount_ == 0) Notify(kRepaint | kScroll);
}

// ---- Painting ----

void TVirtualDrawTree::PaintRows(TCanvas& canvas, const TRect& clip) {
    EnsureRows();
    const TRect area = Intersect(clip, TRect{0, headerHeight_, clientWidth_, clientHeight_});
    if (area.IsEmpty()) return;
    canvas.FillRect(area, kWindowColor);
    if (tree_ == nullptr || rows_.empty()) return;

    const std::vector<int> columns = VisibleColumnsInOrder();
    const int64_t firstPixel = static_cast<int64_t>(area.Top) - headerHeight_ + offsetY_;
    const int64_t lastPixel = static_cast<int64_t>(area.Bottom) - 1 - headerHeight_ + offsetY_;
    const size_t first = static_cast<size_t>(firstPixel / nodeHeight_);
    const size_t last = std::min(rows_.size() - 1, static_cast<size_t>(lastPixel / nodeHeight_));
    const int rowRight = std::max(ColumnsWidth() - offsetX_, clientWidth_);
    const TColor selectedColor = focused_ ? kSelectedColor : kSelectedUnfocusedColor;

    canvas.PushClip(area);
    for (size_t r = first; r <= last && r < rows_.size(); ++r) {
        const NodeId node = rows_[r];
        // While the tree is suspended the rows may be stale.
        if (!tree_->IsValid(node)) continue;
        const int top =
            ClampToInt(static_cast<int64_t>(r) * nodeHeight_ + headerHeight_ - offsetY_);
        const TRect rowRect{-offsetX_, top, rowRight, top + nodeHeight_};
        if (selected_.count(node) != 0) canvas.FillRect(Intersect(rowRect, area), selectedColor);
        canvas.SetFontColor(kTextColor);
        int left = -offsetX_;
        for (int c : columns) {
            const TRect cell{left, top, left + columns_[c].Width, top + nodeHeight_};
            left = cell.Right;
            const TRect visible = Intersect(cell, area);
            if (visible.IsEmpty() || !OnDrawNode) continue;
            TRect content{cell.Left + kMargin, cell.Top, cell.Right - kMargin, cell.Bottom};
            if (c == mainColumn_) content.Left += RowLevel(r) * kIndent;
            TPaintInfo info{canvas, node, c, cell, content};
            canvas.PushClip(visible);
            OnDrawNode(*this, info);
            canvas.PopClip();
        }
    }
    canvas.PopClip();
}

}  // namespace orv::toolkit
