#pragma once
// Shared handlers and small helpers of the tree grids: sorting by header clicks, fitting
// columns to the grid's width, showing every row again.
#include <initializer_list>
#include <vector>

#include "analysis/ResultTree.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {

class TVTree_DefaultEvents {
  public:
    // Bound to a grid's header click and header double click: the clicked column becomes the
    // sort column, ascending, or descending when it was already sorted ascending; the grid is
    // sorted and its first selected row scrolled into view, centred.
    static void OnHeaderClick(toolkit::TVirtualDrawTree& tree, const toolkit::THeaderHitInfo& hit);
};

// Gives the listed columns the width the other visible columns leave, shared in proportion
// to their widths (the page passes the name column alone).
void Fit_Columns(toolkit::TVirtualDrawTree* tree, const std::vector<int>& columns);

// Makes every row, at all depths, visible again.
void Show_All_Nodes(ResultTree& tree);
void Show_All_Nodes(toolkit::TVirtualDrawTree& tree);

}  // namespace orv::analysis
