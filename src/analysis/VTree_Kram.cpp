#include "analysis/VTree_Kram.h"

#include <algorithm>
#include <cmath>

namespace orv::analysis {

using toolkit::TSortDirection;
using toolkit::TVirtualDrawTree;

void TVTree_DefaultEvents::OnHeaderClick(TVirtualDrawTree& tree,
                                         const toolkit::THeaderHitInfo& hit) {
    // A click beside the columns names none.
    if (hit.Column < 0 || hit.Column >= tree.ColumnCount()) return;
    const TSortDirection direction =
        hit.Column == tree.SortColumn() && tree.SortDirection() == TSortDirection::Ascending
            ? TSortDirection::Descending
            : TSortDirection::Ascending;
    tree.SetSortColumn(hit.Column);
    tree.SetSortDirection(direction);
    tree.SortTree(hit.Column, direction);
    const NodeId first = tree.GetFirstSelected();
    if (first != kNoNode) tree.ScrollIntoView(first, true);
}

void Fit_Columns(TVirtualDrawTree* tree, const std::vector<int>& columns) {
    if (tree == nullptr || columns.empty()) return;
    auto listed = [&](int i) {
        return std::find(columns.begin(), columns.end(), i) != columns.end();
    };
    long long room = tree->Width() - 28;
    long long sum = 0;
    for (int i = 0; i < tree->ColumnCount(); ++i) {
        const auto& c = tree->Column(i);
        if (c.Visible && !listed(i)) room -= c.Width;
        if (!c.Visible && listed(i)) room += c.Width;
    }
    std::vector<int> valid;
    for (int i : columns) {
        if (i >= 0 && i < tree->ColumnCount() &&
            std::find(valid.begin(), valid.end(), i) == valid.end()) {
            valid.push_back(i);
            sum += tree->Column(i).Width;
        }
    }
    if (valid.empty()) return;
    for (int i : valid) {
        // Columns of no width at all share the room equally instead of dividing by zero.
        const double share = sum > 0 ? static_cast<double>(tree->Column(i).Width) * room / sum
                                     : static_cast<double>(room) / valid.size();
        tree->SetColumnWidth(i, static_cast<int>(std::nearbyint(share)));
    }
}

void Show_All_Nodes(ResultTree& tree) {
    if (tree.GetFirst() == kNoNode) return;
    tree.BeginUpdate();
    for (NodeId n = tree.GetFirst(); n != kNoNode; n = tree.GetNext(n)) tree.SetVisible(n, true);
    tree.EndUpdate();
}

void Show_All_Nodes(TVirtualDrawTree& tree) {
    if (tree.Tree() != nullptr) Show_All_Nodes(*tree.Tree());
}

}  // namespace orv::analysis
