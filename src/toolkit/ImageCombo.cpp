#include "toolkit/ImageCombo.h"

namespace orv::toolkit {

void TImageComboBox::Notify(unsigned what) {
    if (view_ != nullptr) view_->ModelChanged(what);
}

const TComboItem& TImageComboBox::Item(int index) const {
    static const TComboItem none;
    if (index < 0 || index >= Count()) return none;
    return items_[static_cast<size_t>(index)];
}

int TImageComboBox::Add(std::u16string_view text, int imageIndex) {
    items_.push_back({std::u16string(text), imageIndex});
    Notify(kItems);
    return Count() - 1;
}

void TImageComboBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    if (style_ == TComboStyle::DropDownList) text_.clear();
    Notify(kItems | kSelection | kText);
}

int TImageComboBox::IndexOfText(std::u16string_view text) const {
    for (int i = 0; i < Count(); ++i) {
        if (items_[static_cast<size_t>(i)].Text == text) return i;
    }
    return -1;
}

void TImageComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    itemIndex_ = index;
    if (index >= 0) {
        text_ = items_[static_cast<size_t>(index)].Text;
    } else if (style_ == TComboStyle::DropDownList) {
        text_.clear();
    }
    Notify(kSelection | kText);
}

void TImageComboBox::SetText(std::u16string_view text) {
    if (style_ == TComboStyle::DropDownList) {
        SetItemIndex(IndexOfText(text));
        return;
    }
    text_.assign(text);
    itemIndex_ = IndexOfText(text);
    Notify(kSelection | kText);
}

void TImageComboBox::SetImages(const TPngImageList* images) {
    images_ = images;
    Notify(kItems);
}

void TImageComboBox::SelectByUser(int index) {
    if (index < 0 || index >= Count()) return;
    SetItemIndex(index);
    if (OnChange) OnChange(this);
}

void TImageComboBox::TextEditedByUser(std::u16string_view text) {
    if (style_ == TComboStyle::DropDownList) return;
    // The edit already shows it: only the model follows.
    text_.assign(text);
    itemIndex_ = IndexOfText(text);
    if (OnChange) OnChange(this);
}

char16_t TImageComboBox::KeyPress(char16_t key) {
    if (OnKeyPress) OnKeyPress(this, key);
    return key;
}

}  // namespace orv::toolkit
