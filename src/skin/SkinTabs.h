#pragma once
// The options dialog's tab strip, filled from a list of its pages.
#include <vector>

#include "toolkit/TabControls.h"

namespace orv::skin {

// Nothing happens for an empty list. Otherwise the strip gets one visible tab (tag 0) per sheet
// whose name a page of the page control carries, with that page's caption, unless the caption
// is empty; the tab's image index is the listed sheet's page index. The list's first sheet
// becomes the page control's active page.
void FillTabsFromPages(toolkit::TAdvOfficeTabSet& tabs, toolkit::TPageControl& pages,
                       const std::vector<toolkit::TTabSheet*>& sheets);

}  // namespace orv::skin
