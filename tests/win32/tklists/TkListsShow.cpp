// Shows the tab strip over a page control whose first page holds the skin list of a made-up
// skins folder, for a screenshot. Argument: seconds to stay (default 8).
#include <windows.h>

#include <cstdlib>

#include "Fixture.h"
#include "app/Globals.h"
#include "skin/SkinList.h"
#include "skin/SkinTabs.h"
#include "toolkit/win32/HostWindow.h"
#include "toolkit/win32/ListBoxWindow.h"
#include "toolkit/win32/TabControlsWindow.h"

using namespace orv;
using namespace orv::toolkit::win32;

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 8;
    const std::wstring root = tklists::MakeSkinsFolder(L"tklists-show");
    ProgramFolder.assign(root.begin(), root.end());
    skin::SkinFolderPath = ProgramFolder + u"\\skins\\alpha";

    THostWindow form;
    if (!form.CreateTopLevel(L"Einstellungen", 640, 360)) return 1;
    SetWindowPos(form.Handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    TAdvOfficeTabSetWindow tabs;
    tabs.Font().SetName(u"Tahoma");
    tabs.Font().SetHeight(-13);
    tabs.CreateWindowIn(form.Handle(), 0, 0, 640, 28);
    TPageControlWindow pages;
    pages.CreateWindowIn(form.Handle(), 0, 29, 640, 331);
    TTabSheetWindow skinPage, langPage, otherPage;
    skinPage.SetName(u"TabSheet_SKIN");
    skinPage.SetCaption(u"Skin");
    langPage.SetName(u"TabSheet_LANG");
    langPage.SetCaption(u"Sprache");
    otherPage.SetName(u"TabSheet_OTHER");
    otherPage.SetCaption(u"Sonstiges");
    skinPage.CreateIn(pages);
    langPage.CreateIn(pages);
    otherPage.CreateIn(pages);

    TListBoxWindow list;
    skin::SetUpSkinListBox(list);
    list.Font().SetName(u"Tahoma");
    list.Font().SetHeight(-13);
    list.CreateWindowIn(skinPage.Handle(), 12, 12, 600, 200);
    skin::TListBoxSkinList adapter(list);
    skin::FillSkinList(adapter);

    skin::FillTabsFromPages(tabs, pages, {&skinPage, &langPage, &otherPage});
    tabs.OnChange = [&](toolkit::TComponent*) {
        pages.SetActivePageIndex(tabs.Tab(tabs.ActiveTabIndex()).ImageIndex);
    };
    tabs.SetHotTab(1);  // as if the mouse rested on it

    ShowWindow(form.Handle(), SW_SHOW);
    UpdateWindow(form.Handle());
    tklists::PumpFor(seconds * 1000);
    return 0;
}
