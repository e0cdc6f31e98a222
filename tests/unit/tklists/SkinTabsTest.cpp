// Filling the options dialog's tab strip from a list of its pages.
#include <gtest/gtest.h>

#include <vector>

#include "skin/SkinTabs.h"

namespace orv::skin {
namespace {

using toolkit::TAdvOfficeTabSet;
using toolkit::TPageControl;
using toolkit::TPlainTabSheet;
using toolkit::TTabSheet;

// The options dialog's pages, in page control order.
struct Dialog {
    TPageControl pages;
    TPlainTabSheet skin, lang, context, other, orv;
    TAdvOfficeTabSet tabs;
    Dialog() {
        const struct {
            TPlainTabSheet* sheet;
            const char16_t* name;
            const char16_t* caption;
        } rows[] = {{&skin, u"TabSheet_SKIN", u"Skin"},
                    {&lang, u"TabSheet_LANG", u"Sprache"},
                    {&context, u"TabSheet_CONTEXTMENU", u"Kontextmenü"},
                    {&other, u"TabSheet_OTHER", u"Sonstiges"},
                    {&orv, u"TabSheet_ORV1", u"Dateiformate"}};
        for (const auto& r : rows) {
            r.sheet->SetName(r.name);
            r.sheet->SetCaption(r.caption);
            r.sheet->SetPageControl(&pages);
        }
        tabs.AddTab(u"old tab");
        tabs.AddTab(u"another");
    }
};

TEST(FillTabsFromPages, AnEmptyListLeavesEverythingAlone) {
    Dialog d;
    d.pages.SetActivePage(&d.other);
    FillTabsFromPages(d.tabs, d.pages, {});
    ASSERT_EQ(d.tabs.TabCount(), 2);
    EXPECT_EQ(d.tabs.Tab(0).Caption, u"old tab");
    EXPECT_EQ(d.pages.ActivePage(), &d.other);
}

TEST(FillTabsFromPages, OneTabPerPageWithItsCaptionAndPageIndex) {
    Dialog d;
    FillTabsFromPages(d.tabs, d.pages, {&d.lang, &d.other});
    ASSERT_EQ(d.tabs.TabCount(), 2);
    EXPECT_EQ(d.tabs.Tab(0).Caption, u"Sprache");
    EXPECT_EQ(d.tabs.Tab(0).ImageIndex, 1);
    EXPECT_EQ(d.tabs.Tab(1).Caption, u"Sonstiges");
    EXPECT_EQ(d.tabs.Tab(1).ImageIndex, 3);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(d.tabs.Tab(i).Visible);
        EXPECT_EQ(d.tabs.Tab(i).Tag, 0);
    }
    EXPECT_EQ(d.pages.ActivePage(), &d.lang);
    EXPECT_EQ(d.tabs.ActiveTabIndex(), 0);

    FillTabsFromPages(d.tabs, d.pages, {&d.orv});
    ASSERT_EQ(d.tabs.TabCount(), 1) << "the old tabs go";
    EXPECT_EQ(d.tabs.Tab(0).ImageIndex, 4);
    EXPECT_EQ(d.pages.ActivePage(), &d.orv);
}

TEST(FillTabsFromPages, SheetsWithoutAPageOrWithoutCaptionGetNoTab) {
    Dialog d;
    TPlainTabSheet stray;  // in no page control, and no page carries its name
    stray.SetName(u"TabSheet_NONE");
    stray.SetCaption(u"Nirgends");
    d.context.SetCaption(u"");
    FillTabsFromPages(d.tabs, d.pages, {&d.context, &stray, &d.lang, nullptr, &d.other});
    ASSERT_EQ(d.tabs.TabCount(), 2);
    EXPECT_EQ(d.tabs.Tab(0).Caption, u"Sprache");
    EXPECT_EQ(d.tabs.Tab(1).Caption, u"Sonstiges");
    EXPECT_EQ(d.pages.ActivePage(), &d.context) << "the first listed sheet, tab or not";
}

TEST(FillTabsFromPages, TheCaptionIsThePagesAndTheIndexTheListedSheets) {
    Dialog d;
    // A sheet of another page control with the name of one of these pages stands for it.
    TPageControl elsewhere;
    TPlainTabSheet first, namesake;
    first.SetPageControl(&elsewhere);
    namesake.SetName(u"TabSheet_OTHER");
    namesake.SetCaption(u"not this caption");
    namesake.SetPageControl(&elsewhere);
    d.pages.SetActivePage(&d.orv);
    FillTabsFromPages(d.tabs, d.pages, {&namesake});
    ASSERT_EQ(d.tabs.TabCount(), 1);
    EXPECT_EQ(d.tabs.Tab(0).Caption, u"Sonstiges");
    EXPECT_EQ(d.tabs.Tab(0).ImageIndex, 1) << "the listed sheet's own page index";
    EXPECT_EQ(d.pages.ActivePage(), &d.orv) << "a foreign sheet cannot become the active page";
}

}  // namespace
}  // namespace orv::skin
