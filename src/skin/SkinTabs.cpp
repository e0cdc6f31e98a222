#include "skin/SkinTabs.h"

namespace orv::skin {

void FillTabsFromPages(toolkit::TAdvOfficeTabSet& tabs, toolkit::TPageControl& pages,
                       const std::vector<toolkit::TTabSheet*>& sheets) {
    if (sheets.empty()) return;
    tabs.ClearTabs();
    for (toolkit::TTabSheet* sheet : sheets) {
        if (sheet == nullptr) continue;
        toolkit::TTabSheet* page = nullptr;
        for (int i = 0; i < pages.PageCount() && page == nullptr; ++i) {
            if (pages.Page(i)->SheetName() == sheet->SheetName()) page = pages.Page(i);
        }
        if (page == nullptr || page->Caption().empty()) continue;
        tabs.AddTab(toolkit::TOfficeTab{page->Caption(), true, 0, sheet->PageIndex()});
    }
    pages.SetActivePage(sheets.front());
}

}  // namespace orv::skin
