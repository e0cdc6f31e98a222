// The combo box model: text and current item in step for both styles, user changes firing
// OnChange, and key presses handed to OnKeyPress.
#include <gtest/gtest.h>

#include <string>

#include "toolkit/ImageCombo.h"

namespace orv::pagectl {
namespace {

using toolkit::TComboStyle;
using toolkit::TImageComboBox;

void Fill(TImageComboBox& box) {
    box.Add(u"Alle Dateien", 0);
    box.Add(u"Audio", 1);
    box.Add(u"Video", 2);
}

TEST(ImageCombo, TextAndItemIndexPerStyle) {
    struct Case {
        TComboStyle style;
        const char16_t* set;
        int index;
        const char16_t* text;
    } const cases[] = {
        {TComboStyle::DropDownList, u"Audio", 1, u"Audio"},
        {TComboStyle::DropDownList, u"audio", -1, u""},  // only an exact item text
        {TComboStyle::DropDownList, u"*.mp3", -1, u""},
        {TComboStyle::DropDown, u"Video", 2, u"Video"},
        {TComboStyle::DropDown, u"*.mp3;*.ogg", -1, u"*.mp3;*.ogg"},
    };
    for (const Case& c : cases) {
        TImageComboBox box(nullptr, c.style);
        Fill(box);
        box.SetItemIndex(0);
        box.SetText(c.set);
        EXPECT_EQ(box.ItemIndex(), c.index) << static_cast<int>(c.style);
        EXPECT_EQ(box.Text(), c.text);
    }
}

TEST(ImageCombo, SelectingNoneClearsOnlyAListOnlyText) {
    TImageComboBox list(nullptr, TComboStyle::DropDownList);
    TImageComboBox edit(nullptr, TComboStyle::DropDown);
    for (TImageComboBox* box : {&list, &edit}) {
        Fill(*box);
        box->SetItemIndex(2);
        EXPECT_EQ(box->Text(), u"Video");
        box->SetItemIndex(7);
        EXPECT_EQ(box->ItemIndex(), -1);
    }
    EXPECT_EQ(list.Text(), u"");
    EXPECT_EQ(edit.Text(), u"Video");
    list.SetItemIndex(1);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Text(), u"");
}

TEST(ImageCombo, OnlyUserChangesFireOnChange) {
    TImageComboBox box(nullptr, TComboStyle::DropDown);
    Fill(box);
    int changes = 0;
    box.OnChange = [&](toolkit::TComponent*) { ++changes; };
    box.SetItemIndex(1);
    box.SetText(u"x");
    EXPECT_EQ(changes, 0) << "the program's own changes";
    box.SelectByUser(2);
    EXPECT_EQ(box.Text(), u"Video");
    box.TextEditedByUser(u"Audio");
    EXPECT_EQ(box.ItemIndex(), 1);
    box.SelectByUser(9);
    EXPECT_EQ(changes, 2) << "no item there";

    TImageComboBox list(nullptr, TComboStyle::DropDownList);
    Fill(list);
    list.OnChange = [&](toolkit::TComponent*) { ++changes; };
    list.TextEditedByUser(u"Audio");
    EXPECT_EQ(list.ItemIndex(), -1) << "a list-only box has no edit";
    EXPECT_EQ(changes, 2);
}

TEST(ImageCombo, KeyPressMayChangeOrSwallowTheKey) {
    TImageComboBox box(nullptr, TComboStyle::DropDown);
    EXPECT_EQ(box.KeyPress(u'a'), u'a') << "without a handler";
    bool enter = false;
    box.OnKeyPress = [&](toolkit::TComponent*, char16_t& key) {
        if (key == 13) {
            enter = true;
            key = 0;
        } else if (key == u'a') {
            key = u'A';
        }
    };
    EXPECT_EQ(box.KeyPress(13), 0);
    EXPECT_TRUE(enter);
    EXPECT_EQ(box.KeyPress(u'a'), u'A');
    EXPECT_EQ(box.KeyPress(u'b'), u'b');
}

}  // namespace
}  // namespace orv::pagectl
