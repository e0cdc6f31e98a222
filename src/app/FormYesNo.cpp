#include "app/FormYesNo.h"

namespace orv::app {

TAskerLayout AskerDesignLayout() {
    TAskerLayout l;
    l.Icon = {8, 16, 64, 64, true};
    l.Label = {88, 16, 368, 92, true};
    l.Ok = {185, 79, 96, 27, true};
    l.Remember = {88, 114, 361, 17, true};
    l.Yes = {133, 140, 96, 29, true};
    l.No = {237, 140, 96, 29, true};
    return l;
}

namespace {
// The remember box and, without it, the label's reach down to the buttons.
void PlaceRemember(TAskerLayout& l, bool showRemember) {
    l.Remember.Visible = showRemember;
    if (!showRemember) l.Label.Height = 113;
}
}  // namespace

TAskerLayout QuestionLayout(bool showRemember) {
    TAskerLayout l = AskerDesignLayout();
    PlaceRemember(l, showRemember);
    l.Ok.Visible = false;
    l.No.Top = l.Yes.Top;
    return l;
}

TAskerLayout MessageLayout(bool showRemember) {
    TAskerLayout l = AskerDesignLayout();
    PlaceRemember(l, showRemember);
    l.Ok.Top = l.Yes.Top;
    l.Yes.Visible = false;
    l.No.Top = l.Yes.Top;
    l.No.Visible = false;
    return l;
}

TAskerButton QuestionInitialFocus(uint16_t defaultButton) {
    if (defaultButton == kAskerNo) return TAskerButton::No;
    return TAskerButton::Yes;
}

uint32_t AskerResultOf(TAskerButton button) {
    switch (button) {
        case TAskerButton::Yes:
            return kAskerYes;
        case TAskerButton::No:
            return kAskerNo;
        case TAskerButton::Ok:
            return kAskerOk;
        default:
            return kAskerNoAnswer;
    }
}

bool AskerMayClose(uint32_t result) {
    return result != kAskerNoAnswer;
}

TAskerTabOrder AskerTabOrder(const TAskerLayout& layout) {
    TAskerTabOrder order;
    const std::pair<TAskerButton, bool> items[] = {
        {TAskerButton::Remember, layout.Remember.Visible},
        {TAskerButton::Yes, layout.Yes.Visible},
        {TAskerButton::No, layout.No.Visible},
        {TAskerButton::Ok, layout.Ok.Visible},
    };
    for (const auto& [button, visible] : items) {
        if (visible) order.Items[order.Count++] = button;
    }
    return order;
}

namespace {
int IndexIn(const TAskerTabOrder& order, TAskerButton b) {
    for (int i = 0; i < order.Count; ++i) {
        if (order.Items[i] == b) return i;
    }
    return -1;
}
}  // namespace

TAskerKeyOutcome AskerKey(TAskerKey key, TAskerButton focused, const TAskerTabOrder& order) {
    TAskerKeyOutcome out;
    const int at = IndexIn(order, focused);
    switch (key) {
        case TAskerKey::Return:
            out.Handled = true;
            // The remember box is not a button: Enter on it answers nothing.
            if (at >= 0 && focused != TAskerButton::Remember) out.Click = focused;
            return out;
        case TAskerKey::Escape:
            out.Handled = true;
            return out;
        case TAskerKey::Tab:
        case TAskerKey::Right:
        case TAskerKey::Down:
        case TAskerKey::BackTab:
        case TAskerKey::Left:
        case TAskerKey::Up: {
            out.Handled = true;
            if (order.Count == 0) return out;
            const bool forward =
                key == TAskerKey::Tab || key == TAskerKey::Right || key == TAskerKey::Down;
            int next;
            if (at < 0)
                next = forward ? 0 : order.Count - 1;
            else
                next = (at + (forward ? 1 : order.Count - 1)) % order.Count;
            out.Focus = order.Items[next];
            return out;
        }
        default:
            return out;
    }
}

}  // namespace orv::app
