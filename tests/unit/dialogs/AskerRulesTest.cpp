// Where the dialog's controls go for a question and a notice, which button starts focused,
// what the keys do and that nothing but a button closes the dialog.
#include <gtest/gtest.h>

#include "app/FormYesNo.h"

namespace orv::app {
namespace {

using B = TAskerButton;

TEST(AskerLayout, QuestionAndNoticeShareTheButtonLine) {
    for (const bool remember : {false, true}) {
        SCOPED_TRACE(remember);
        const TAskerLayout q = QuestionLayout(remember);
        EXPECT_TRUE(q.Yes.Visible);
        EXPECT_TRUE(q.No.Visible);
        EXPECT_FALSE(q.Ok.Visible);
        EXPECT_EQ(q.No.Top, q.Yes.Top);
        EXPECT_EQ(q.Yes.Top, 140);
        // Yes and No side by side, not overlapping.
        EXPECT_LE(q.Yes.Left + q.Yes.Width, q.No.Left);

        const TAskerLayout m = MessageLayout(remember);
        EXPECT_FALSE(m.Yes.Visible);
        EXPECT_FALSE(m.No.Visible);
        EXPECT_TRUE(m.Ok.Visible);
        EXPECT_EQ(m.Ok.Top, q.Yes.Top);
        EXPECT_EQ(m.Ok.Left, 185);

        for (const TAskerLayout* l : {&q, &m}) {
            EXPECT_EQ(l->Remember.Visible, remember);
            // Without the box the text may use the space down to the buttons.
            EXPECT_EQ(l->Label.Height, remember ? 92 : 113);
            EXPECT_LT(l->Label.Top + l->Label.Height, l->Yes.Top);
            EXPECT_EQ(l->Label.Left, 88);
            EXPECT_LE(l->Label.Left + l->Label.Width, kAskerClientWidth);
        }
    }
}

TEST(AskerFocus, DefaultButtonChoosesTheFocus) {
    const struct {
        uint16_t defaultButton;
        B focus;
    } cases[] = {{7, B::No}, {6, B::Yes}, {0, B::Yes}, {99, B::Yes}, {1, B::Yes}, {0xFFFF, B::Yes}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.defaultButton);
        EXPECT_EQ(QuestionInitialFocus(c.defaultButton), c.focus);
    }
}

TEST(AskerResult, ButtonsStoreTheirCodesAndOnlyTheyClose) {
    EXPECT_EQ(AskerResultOf(B::Yes), 6u);
    EXPECT_EQ(AskerResultOf(B::No), 7u);
    EXPECT_EQ(AskerResultOf(B::Ok), 99u);
    EXPECT_EQ(AskerResultOf(B::Remember), 0u);
    EXPECT_EQ(AskerResultOf(B::None), 0u);
    EXPECT_FALSE(AskerMayClose(0));
    for (const uint32_t r : {6u, 7u, 99u}) EXPECT_TRUE(AskerMayClose(r));
}

TEST(AskerTabOrder, VisibleControlsInTabOrder) {
    const TAskerTabOrder q = AskerTabOrder(QuestionLayout(false));
    ASSERT_EQ(q.Count, 2);
    EXPECT_EQ(q.Items[0], B::Yes);
    EXPECT_EQ(q.Items[1], B::No);
    const TAskerTabOrder qr = AskerTabOrder(QuestionLayout(true));
    ASSERT_EQ(qr.Count, 3);
    EXPECT_EQ(qr.Items[0], B::Remember);
    const TAskerTabOrder m = AskerTabOrder(MessageLayout(false));
    ASSERT_EQ(m.Count, 1);
    EXPECT_EQ(m.Items[0], B::Ok);
}

TEST(AskerKeys, ReturnPressesTheFocusedButtonAndTabWraps) {
    const TAskerTabOrder question = AskerTabOrder(QuestionLayout(false));
    const TAskerTabOrder withBox = AskerTabOrder(QuestionLayout(true));
    const TAskerTabOrder notice = AskerTabOrder(MessageLayout(false));
    const struct {
        const char* what;
        TAskerKey key;
        B focused;
        const TAskerTabOrder* order;
        B click;
        B focus;
        bool handled;
    } cases[] = {
        {"enter on No", TAskerKey::Return, B::No, &question, B::No, B::None, true},
        {"enter on Yes", TAskerKey::Return, B::Yes, &question, B::Yes, B::None, true},
        {"enter on Ok", TAskerKey::Return, B::Ok, &notice, B::Ok, B::None, true},
        {"enter on the box", TAskerKey::Return, B::Remember, &withBox, B::None, B::None, true},
        {"enter on a hidden button", TAskerKey::Return, B::Ok, &question, B::None, B::None, true},
        {"enter without focus", TAskerKey::Return, B::None, &question, B::None, B::None, true},
        {"tab", TAskerKey::Tab, B::Yes, &question, B::None, B::No, true},
        {"tab wraps", TAskerKey::Tab, B::No, &question, B::None, B::Yes, true},
        {"back tab wraps", TAskerKey::BackTab, B::Yes, &question, B::None, B::No, true},
        {"tab reaches the box", TAskerKey::Tab, B::No, &withBox, B::None, B::Remember, true},
        {"right", TAskerKey::Right, B::Yes, &question, B::None, B::No, true},
        {"left", TAskerKey::Left, B::No, &question, B::None, B::Yes, true},
        {"tab without focus", TAskerKey::Tab, B::None, &question, B::None, B::Yes, true},
        {"tab on a notice", TAskerKey::Tab, B::Ok, &notice, B::None, B::Ok, true},
        {"escape answers nothing", TAskerKey::Escape, B::No, &question, B::None, B::None, true},
        {"other keys pass", TAskerKey::Other, B::Yes, &question, B::None, B::None, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TAskerKeyOutcome out = AskerKey(c.key, c.focused, *c.order);
        EXPECT_EQ(out.Click, c.click);
        EXPECT_EQ(out.Focus, c.focus);
        EXPECT_EQ(out.Handled, c.handled);
    }
}

}  // namespace
}  // namespace orv::app
