// The list box model: selection through changes of the items, scrolling by whole rows, hit
// tests, keyboard moves and what one item is drawn with.
#include <gtest/gtest.h>

#include "PaintLog.h"
#include "toolkit/ListBox.h"

namespace orv::toolkit {
namespace {

// Ten items of 20 pixels in a client area that shows three and a half.
void MakeTen(TListBox& list) {
    list.SetItemHeight(20);
    list.SetClientSize(100, 70);
    for (int i = 0; i < 10; ++i) list.Add(u"item" + std::u16string(1, char16_t(u'0' + i)));
}

TEST(ListBox, SelectionFollowsTheItems) {
    TListBox list;
    MakeTen(list);
    EXPECT_EQ(list.ItemIndex(), -1) << "nothing selected at first";
    list.SetItemIndex(4);
    EXPECT_EQ(list.ItemIndex(), 4);
    list.SetItemIndex(10);
    EXPECT_EQ(list.ItemIndex(), -1) << "an index past the end selects none";
    list.SetItemIndex(4);
    list.Delete(1);
    EXPECT_EQ(list.ItemIndex(), 3) << "the selection moves with its item";
    EXPECT_EQ(list.Item(3), u"item4");
    list.Delete(3);
    EXPECT_EQ(list.ItemIndex(), -1) << "deleting the selected item leaves none";
    list.SetItemIndex(7);
    list.SetTopIndex(5);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(list.Item(0), u"") << "reading past the end gives an empty text";
}

TEST(ListBox, ScrollsByWholeRowsWithinRange) {
    TListBox list;
    MakeTen(list);
    EXPECT_EQ(list.VisibleRows(), 3);
    EXPECT_EQ(list.MaxTopIndex(), 7);
    list.SetTopIndex(50);
    EXPECT_EQ(list.TopIndex(), 7);
    list.ScrollBy(-100);
    EXPECT_EQ(list.TopIndex(), 0);
    list.MakeVisible(5);
    EXPECT_EQ(list.TopIndex(), 3) << "the item becomes the last whole row";
    list.MakeVisible(1);
    EXPECT_EQ(list.TopIndex(), 1) << "the item becomes the first row";
    list.SetTopIndex(7);
    list.SetClientSize(100, 400);
    EXPECT_EQ(list.TopIndex(), 0) << "a taller window shows everything from the top";
    list.SetClientSize(100, 5);
    EXPECT_EQ(list.VisibleRows(), 1) << "a window lower than a row still shows one";
}

TEST(ListBox, HitTestsAndRectanglesFollowTheScrolling) {
    TListBox list;
    MakeTen(list);
    list.SetTopIndex(2);
    EXPECT_EQ(list.ItemRect(2), (TRect{0, 0, 100, 20}));
    EXPECT_EQ(list.ItemRect(4), (TRect{0, 40, 100, 60}));
    EXPECT_EQ(list.ItemRect(10), TRect{});
    const struct {
        int x, y, item;
    } cases[] = {{0, 0, 2},    {99, 19, 2},  {50, 20, 3}, {50, 69, 5},
                 {50, 70, -1}, {100, 5, -1}, {-1, 5, -1}};
    for (const auto& c : cases) EXPECT_EQ(list.ItemAt(c.x, c.y), c.item) << c.x << "," << c.y;
    list.SetClientSize(100, 400);
    EXPECT_EQ(list.ItemAt(5, 199), 9);
    EXPECT_EQ(list.ItemAt(5, 200), -1) << "below the last item";
}

TEST(ListBox, KeysMoveTheSelectionAndTellTheUser) {
    const struct {
        const char* what;
        int from;
        TListKey key;
        int to;
    } cases[] = {
        {"down from none", -1, TListKey::Down, 0},
        {"up from none", -1, TListKey::Up, 0},
        {"down", 3, TListKey::Down, 4},
        {"down at the end", 9, TListKey::Down, 9},
        {"up at the top", 0, TListKey::Up, 0},
        {"page down", 1, TListKey::PageDown, 3},
        {"page down near the end", 8, TListKey::PageDown, 9},
        {"page up", 5, TListKey::PageUp, 3},
        {"home", 6, TListKey::Home, 0},
        {"end", 2, TListKey::End, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TListBox list;
        MakeTen(list);
        list.SetItemIndex(c.from);
        int clicks = 0;
        list.OnClick = [&](TComponent* sender) {
            EXPECT_EQ(sender, &list);
            ++clicks;
        };
        EXPECT_TRUE(list.KeyDown(c.key));
        EXPECT_EQ(list.ItemIndex(), c.to);
        EXPECT_EQ(clicks, c.from != c.to ? 1 : 0);
        EXPECT_GE(c.to, list.TopIndex()) << "the new item is shown";
        EXPECT_LT(c.to, list.TopIndex() + list.VisibleRows());
    }
    TListBox empty;
    EXPECT_FALSE(empty.KeyDown(TListKey::Down));
    EXPECT_EQ(empty.ItemIndex(), -1);
}

TEST(ListBox, MouseSelectsTheItemUnderIt) {
    TListBox list;
    MakeTen(list);
    int clicks = 0;
    list.OnClick = [&](TComponent*) { ++clicks; };
    list.MouseDown(10, 45);
    EXPECT_EQ(list.ItemIndex(), 2);
    list.MouseDown(10, 45);
    EXPECT_EQ(clicks, 1) << "pressing the selected item again changes nothing";
    list.MouseDown(10, 65);
    EXPECT_EQ(list.ItemIndex(), 3);
    EXPECT_EQ(list.TopIndex(), 1) << "the half-shown row is scrolled into view";
    list.SetClientSize(100, 400);
    list.MouseDown(10, 300);
    EXPECT_EQ(list.ItemIndex(), 3) << "below the last item nothing changes";
}

TEST(ListBox, DrawsAnItemWithTheColoursOfItsState) {
    TListBox list;
    MakeTen(list);
    list.Font().SetName(u"Verdana");
    list.Font().SetColor(MakeColor(1, 2, 3));
    list.SetColor(MakeColor(250, 250, 240));
    list.SetItemIndex(1);
    struct Seen {
        int index;
        bool selected;
        TColor brush, font;
    };
    std::vector<Seen> seen;
    tklists::PaintLog log;
    list.OnDrawItem = [&](TListBox& sender, TPaintDevice& device, int index, const TRect& r,
                          bool selected) {
        EXPECT_EQ(&sender, &list);
        EXPECT_EQ(r, list.ItemRect(index));
        seen.push_back({index, selected, log.brush, device.FontColor()});
    };
    list.DrawItem(log, 0, list.ItemRect(0));
    list.DrawItem(log, 1, list.ItemRect(1));
    list.DrawItem(log, 10, TRect{});
    ASSERT_EQ(seen.size(), 2u) << "an index outside the list is not drawn";
    EXPECT_FALSE(seen[0].selected);
    EXPECT_EQ(seen[0].brush, MakeColor(250, 250, 240));
    EXPECT_EQ(seen[0].font, MakeColor(1, 2, 3));
    EXPECT_TRUE(seen[1].selected);
    EXPECT_EQ(seen[1].brush, TListBox::kSelectedColor);
    EXPECT_EQ(seen[1].font, TListBox::kSelectedFontColor);

    // Without a handler the item is a filled row with its text in the list's font.
    list.OnDrawItem = nullptr;
    tklists::PaintLog plain;
    list.DrawItem(plain, 2, list.ItemRect(2));
    ASSERT_EQ(plain.fills.size(), 1u);
    EXPECT_EQ(plain.fills[0].r, list.ItemRect(2));
    ASSERT_EQ(plain.texts.size(), 1u);
    EXPECT_EQ(plain.texts[0].text, u"item2");
    EXPECT_EQ(plain.texts[0].font, u"Verdana");
    EXPECT_EQ(plain.texts[0].y, 40 + 3);
}

}  // namespace
}  // namespace orv::toolkit
