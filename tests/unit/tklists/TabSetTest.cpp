// The tab strip: which tab is active through adds, clears, hiding and clicks, when OnChange
// fires, the layout of the tabs, translation of the captions and what the paint draws.
#include <gtest/gtest.h>

#include "PaintLog.h"
#include "toolkit/TabControls.h"

namespace orv::toolkit {
namespace {

struct Strip {
    TAdvOfficeTabSet set;
    int changes = 0;
    Strip() {
        set.SetClientSize(400, 28);
        set.OnChange = [this](TComponent* sender) {
            EXPECT_EQ(sender, &set);
            ++changes;
        };
    }
};

TEST(TabSet, AStripWithVisibleTabsAlwaysHasAnActiveOne) {
    Strip s;
    EXPECT_EQ(s.set.ActiveTabIndex(), -1);
    s.set.AddTab(TOfficeTab{u"hidden", false, 0, 7});
    EXPECT_EQ(s.set.ActiveTabIndex(), -1) << "a hidden tab does not become active";
    s.set.AddTab(u"Sprache");
    s.set.AddTab(u"Sonstiges");
    EXPECT_EQ(s.set.ActiveTabIndex(), 1) << "the first visible tab";
    EXPECT_EQ(s.changes, 0) << "adding is no change by the user";
    s.set.ClearTabs();
    EXPECT_EQ(s.set.TabCount(), 0);
    EXPECT_EQ(s.set.ActiveTabIndex(), -1);
    EXPECT_EQ(s.changes, 0);
    EXPECT_FALSE(s.set.Tab(0).Visible) << "a tab past the end reads as hidden";
}

TEST(TabSet, OnlyVisibleTabsBecomeActiveAndEachChangeIsReported) {
    Strip s;
    s.set.AddTab(u"A");
    s.set.AddTab(u"B");
    s.set.AddTab(TOfficeTab{u"C", false, 0, -1});
    s.set.AddTab(u"D");
    s.set.SetActiveTabIndex(2);
    s.set.SetActiveTabIndex(9);
    s.set.SetActiveTabIndex(-1);
    EXPECT_EQ(s.set.ActiveTabIndex(), 0) << "hidden and missing tabs are refused";
    s.set.SetActiveTabIndex(0);
    EXPECT_EQ(s.changes, 0) << "the active tab again is no change";
    s.set.SetActiveTabIndex(1);
    EXPECT_EQ(s.changes, 1);
    s.set.SetTabVisible(1, false);
    EXPECT_EQ(s.set.ActiveTabIndex(), 3) << "hiding the active tab moves to the next visible";
    EXPECT_EQ(s.changes, 2);
    s.set.SetTabVisible(3, false);
    EXPECT_EQ(s.set.ActiveTabIndex(), 0) << "past the end it starts again at the front";
}

TEST(TabSet, TabsAreLaidOutFromLeftToRightAndHitTested) {
    Strip s;
    s.set.AddTab(u"Skin");                                 // 4 chars: 28 px + 2 * 14
    s.set.AddTab(TOfficeTab{u"Unsichtbar", false, 0, 0});  // takes no room
    s.set.AddTab(u"Sprache");                              // 7 chars: 49 px + 2 * 14
    tklists::PaintLog measure;
    EXPECT_TRUE(s.set.LayoutPending());
    s.set.Layout(measure);
    EXPECT_FALSE(s.set.LayoutPending());
    const int l = TAdvOfficeTabSet::kFirstTabLeft;
    const int p = TAdvOfficeTabSet::kTabPadding;
    const int g = TAdvOfficeTabSet::kTabSpacing;
    EXPECT_EQ(s.set.TabRect(0), (TRect{l, 0, l + 28 + 2 * p, 28}));
    EXPECT_TRUE(s.set.TabRect(1).IsEmpty());
    const int second = l + 28 + 2 * p + g;
    EXPECT_EQ(s.set.TabRect(2), (TRect{second, 0, second + 49 + 2 * p, 28}));
    EXPECT_EQ(s.set.TabAt(l, 5), 0);
    EXPECT_EQ(s.set.TabAt(second - 1, 5), -1) << "the gap between tabs";
    EXPECT_EQ(s.set.TabAt(second, 27), 2);
    EXPECT_EQ(s.set.TabAt(second, 28), -1) << "below the strip";

    s.set.MouseDown(second + 3, 10);
    EXPECT_EQ(s.set.ActiveTabIndex(), 2);
    EXPECT_EQ(s.changes, 1);
    s.set.MouseDown(1, 10);
    EXPECT_EQ(s.set.ActiveTabIndex(), 2) << "a press beside the tabs changes nothing";

    s.set.SetTabCaption(0, u"Longer caption");
    EXPECT_TRUE(s.set.LayoutPending()) << "a new caption needs a new layout";
}

TEST(TabSet, TranslationWritesTheCaptionsOneByOne) {
    TAdvOfficeTabSet set;
    EXPECT_EQ(set.ListSlot(TListSlotKind::ColumnCaptions), nullptr);
    TListSlot* slot = set.ListSlot(TListSlotKind::TabCaptions);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->Count(), 0u);
    set.AddTab(u"Sprache");
    set.AddTab(u"Sonstiges");
    ASSERT_EQ(slot->Count(), 2u);
    slot->Set(1, u"Other");
    slot->Set(5, u"ignored");
    EXPECT_EQ(set.Tab(1).Caption, u"Other");
    EXPECT_EQ(slot->Get(0), u"Sprache");
    EXPECT_EQ(set.ClassName(), u"TAdvOfficeTabSet");
}

TEST(TabSet, PaintHighlightsTheActiveAndTheHoveredTab) {
    Strip s;
    s.set.AddTab(u"Eins");
    s.set.AddTab(u"Zwei");
    s.set.AddTab(u"Drei");
    s.set.SetActiveTabIndex(1);
    s.set.SetHotTab(2);
    tklists::PaintLog log;
    s.set.Paint(log);
    const TRect active = s.set.TabRect(1);
    const TRect hot = s.set.TabRect(2);
    ASSERT_FALSE(active.IsEmpty()) << "paint lays out first";
    ASSERT_EQ(log.fills.size(), 4u) << "background, active tab, its accent, hovered tab";
    EXPECT_EQ(log.fills[0].r, (TRect{0, 0, 400, 28}));
    EXPECT_EQ(log.fills[0].brush, s.set.Color);
    EXPECT_EQ(log.fills[1].r, active);
    EXPECT_EQ(log.fills[1].brush, s.set.ActiveColor);
    EXPECT_EQ(log.fills[2].r, (TRect{active.Left, 25, active.Right, 28}));
    EXPECT_EQ(log.fills[2].brush, s.set.AccentColor);
    EXPECT_EQ(log.fills[3].r, hot);
    EXPECT_EQ(log.fills[3].brush, s.set.HoverColor);
    ASSERT_EQ(log.texts.size(), 3u);
    EXPECT_EQ(log.texts[1].text, u"Zwei");
    EXPECT_EQ(log.texts[1].x, active.Left + TAdvOfficeTabSet::kTabPadding);
    EXPECT_EQ(log.texts[1].y, 7) << "centred in the strip";
    EXPECT_EQ(log.texts[1].color, s.set.ActiveCaptionColor);
    EXPECT_EQ(log.texts[0].color, s.set.CaptionColor);

    s.set.SetHotTab(99);
    EXPECT_EQ(s.set.HotTab(), -1);
}

TEST(TabSet, IconsComeFromTheImageListByImageIndex) {
    Strip s;
    TPngImageList images(16, 16);
    skin::TPngImage icon(16, 16);
    images.Add(icon);
    s.set.SetImages(&images);
    s.set.AddTab(TOfficeTab{u"Mit", true, 0, 0});
    s.set.AddTab(TOfficeTab{u"Ohne", true, 0, 4});  // no such image
    tklists::PaintLog log;
    s.set.Paint(log);
    ASSERT_EQ(log.pictures.size(), 1u);
    const TRect first = s.set.TabRect(0);
    EXPECT_EQ(log.pictures[0].x, first.Left + TAdvOfficeTabSet::kTabPadding);
    EXPECT_EQ(log.pictures[0].y, 6);
    EXPECT_EQ(first.Width(), 21 + 2 * TAdvOfficeTabSet::kTabPadding + TAdvOfficeTabSet::kImageSize +
                                 TAdvOfficeTabSet::kImageGap);
    EXPECT_EQ(log.texts[0].x, log.pictures[0].x + 16 + TAdvOfficeTabSet::kImageGap);
    EXPECT_EQ(s.set.TabRect(1).Width(), 28 + 2 * TAdvOfficeTabSet::kTabPadding);
}

}  // namespace
}  // namespace orv::toolkit
