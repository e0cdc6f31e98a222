// The engine's callbacks of the visible tree: they hand the engine's state to the row rules.
#include "analysis/RowDrawing.h"
#include "analysis/nogui_Orvella.h"

namespace orv::analysis {

int TOrvella::DefaultEvent_CompareNodes(const ResultTree& tree, NodeId Node1, NodeId Node2,
                                        int Column) const {
    return CompareNodes(tree, Node1, Node2, Column);
}

ResultTree::Compare TOrvella::DefaultEvent_MakeComparer(const ResultTree& tree,
                                                        int Column) const {
    return MakeNodeComparer(tree, Column);
}

std::shared_ptr<const ResultTree::SortKeys> TOrvella::DefaultEvent_MakeSortKeys(
    const ResultTree& tree, int Column) const {
    return MakeSortKeys(tree, Column);
}

void TOrvella::DefaultEvent_DrawNode(const ResultTree& tree, toolkit::TPaintInfo& PaintInfo) const {
    TRowDrawState state;
    state.NameBalken = FLAG_NAMEBALKEN;
    state.ShowFullPath = FLAG_SHOW_FULLPATH;
    state.CurrentFilter = CURRENT_FILTER;
    state.TotalSize = TotalSize;
    // The folder share refers to the current folder's row in the full tree.
    state.HasCurrentRoot = Current_RootNode != kNoNode && FTree != nullptr &&
                           FTree->IsValid(Current_RootNode);
    state.CurrentRootSize = state.HasCurrentRoot ? FTree->Size(Current_RootNode) : 0;
    state.Images = PNGImageList;
    state.IconCache = IconCache;
    DrawNode(state, tree, PaintInfo);
}

}  // namespace orv::analysis
