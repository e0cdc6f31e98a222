#include "toolkit/ListBox.h"

#include <algorithm>

namespace orv::toolkit {

TListBox::TListBox(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] { Notify(kRepaint); };
}

void TListBox::Notify(unsigned what) {
    if (view_ != nullptr) view_->ModelChanged(what);
}

std::u16string TListBox::Item(int index) const {
    if (index < 0 || index >= Count()) return {};
    return items_[static_cast<size_t>(index)];
}

int TListBox::Add(std::u16string_view text) {
    items_.emplace_back(text);
    Notify(kRepaint | kScroll);
    return Count() - 1;
}

void TListBox::SetItem(int index, std::u16string_view text) {
    if (index < 0 || index >= Count()) return;
    items_[static_cast<size_t>(index)].assign(text);
    Notify(kRepaint);
}

void TListBox::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (itemIndex_ == index) {
        itemIndex_ = -1;
    } else if (itemIndex_ > index) {
        --itemIndex_;
    }
    topIndex_ = std::min(topIndex_, MaxTopIndex());
    Notify(kRepaint | kScroll);
}

void TListBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    topIndex_ = 0;
    Notify(kRepaint | kScroll);
}

void TListBox::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Notify(kRepaint);
}

void TListBox::SetItemHeight(int height) {
    height = std::max(height, 1);
    if (height == itemHeight_) return;
    itemHeight_ = height;
    topIndex_ = std::min(topIndex_, MaxTopIndex());
    Notify(kRepaint | kScroll);
}

void TListBox::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    Notify(kRepaint);
}

void TListBox::SetClientSize(int width, int height) {
    if (width == clientWidth_ && height == clientHeight_) return;
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    topIndex_ = std::min(topIndex_, MaxTopIndex());
    Notify(kRepaint | kScroll);
}

int TListBox::VisibleRows() const {
    return std::max(clientHeight_ / itemHeight_, 1);
}

int TListBox::MaxTopIndex() const {
    return std::max(Count() - VisibleRows(), 0);
}

void TListBox::SetTopIndex(int index) {
    index = std::clamp(index, 0, MaxTopIndex());
    if (index == topIndex_) return;
    topIndex_ = index;
    Notify(kRepaint | kScroll);
}

void TListBox::MakeVisible(int index) {
    if (index < 0 || index >= Count()) return;
    if (index < topIndex_) {
        SetTopIndex(index);
    } else if (index >= topIndex_ + VisibleRows()) {
        SetTopIndex(index - VisibleRows() + 1);
    }
}

TRect TListBox::ItemRect(int index) const {
    if (index < 0 || index >= Count()) return {};
    const int top = (index - topIndex_) * itemHeight_;
    return {0, top, clientWidth_, top + itemHeight_};
}

int TListBox::ItemAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= clientWidth_ || y >= clientHeight_) return -1;
    const int index = topIndex_ + y / itemHeight_;
    return index < Count() ? index : -1;
}

void TListBox::SelectByUser(int index) {
    if (index < 0 || index >= Count()) return;
    MakeVisible(index);
    const bool changed = index != itemIndex_;
    SetItemIndex(index);
    if (changed && OnClick) OnClick(this);
}

void TListBox::MouseDown(int x, int y) {
    SelectByUser(ItemAt(x, y));
}

bool TListBox::KeyDown(TListKey key) {
    if (Count() == 0) return false;
    const int page = VisibleRows();
    const int from = itemIndex_;
    int to = from;
    switch (key) {
        case TListKey::Up:
            to = from < 0 ? 0 : from - 1;
            break;
        case TListKey::Down:
            to = from + 1;
            break;
        case TListKey::PageUp:
            to = from < 0 ? 0 : from - (page > 1 ? page - 1 : 1);
            break;
        case TListKey::PageDown:
            to = (from < 0 ? 0 : from) + (page > 1 ? page - 1 : 1);
            break;
        case TListKey::Home:
            to = 0;
            break;
        case TListKey::End:
            to = Count() - 1;
            break;
    }
    SelectByUser(std::clamp(to, 0, Count() - 1));
    return true;
}

void TListBox::ScrollBy(int rows) {
    SetTopIndex(topIndex_ + rows);
}

void TListBox::DrawItem(TPaintDevice& device, int index, const TRect& rect) {
    if (index < 0 || index >= Count()) return;
    const bool selected = index == itemIndex_;
    device.UseFont(font_);
    device.SetBrushColor(selected ? kSelectedColor : color_);
    if (selected) device.SetFontColor(kSelectedFontColor);
    if (OnDrawItem) {
        OnDrawItem(*this, device, index, rect, selected);
        return;
    }
    device.FillRect(rect);
    device.SetTransparentBackground();
    device.WriteText(rect.Left + 2, rect.Top + (rect.Height() - device.TextHeight()) / 2,
                     items_[static_cast<size_t>(index)]);
}

}  // namespace orv::toolkit
