#include "toolkit/DriveList.h"

#include "platform/System.h"

namespace orv::toolkit {
namespace {

char16_t UpperLetter(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
    if (c >= u'A' && c <= u'Z') return c;
    return 0;
}

std::shared_ptr<void> OwnIcon(platform::IconHandle icon) {
    if (icon == nullptr) return {};
    return std::shared_ptr<void>(icon, [](void* h) { platform::Shl().ReleaseIcon(h); });
}

}  // namespace

void TDriveList::Notify(unsigned what) {
    if (view_ != nullptr) view_->ModelChanged(what);
}

std::u16string TDriveList::EntryText(char16_t letter, std::u16string_view label) {
    letter = UpperLetter(letter);
    if (letter == 0) return {};
    std::u16string text{letter, u':'};
    if (!label.empty()) {
        text += u" [";
        text += label;
        text += u']';
    }
    return text;
}

void TDriveList::Refresh() {
    const char16_t keep = Drive();
    entries_.clear();
    itemIndex_ = -1;
    const uint32_t mask = platform::Sys().LogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (uint32_t{1} << i)) == 0) continue;
        const char16_t letter = static_cast<char16_t>(u'A' + i);
        const std::u16string root{letter, u':', u'\\'};
        std::u16string label;
        // Asking a floppy drive for its label spins it up, a network drive may not answer for
        // long; neither can be analysed anyway.
        if (letter > u'B' && platform::Sys().DriveType(root) != platform::kDriveRemote) {
            platform::Sys().VolumeLabel(root, label);
        }
        entries_.push_back({letter, label, OwnIcon(platform::Shl().AssociatedSmallIcon(root))});
    }
    int index = IndexOfDrive(keep);
    if (index < 0 && !entries_.empty()) index = 0;
    Notify(kItems);
    ChangeIndex(index);
}

bool TDriveList::AddDrive(char16_t letter, std::u16string_view label, platform::IconHandle icon) {
    letter = UpperLetter(letter);
    if (letter == 0 || IndexOfDrive(letter) >= 0) {
        // The list does not take it, so it does not keep it either.
        if (icon != nullptr) platform::Shl().ReleaseIcon(icon);
        return false;
    }
    entries_.push_back({letter, std::u16string(label), OwnIcon(icon)});
    Notify(kItems);
    return true;
}

void TDriveList::Assign(const TDriveList& other) {
    if (&other == this) return;
    entries_ = other.entries_;
    itemIndex_ = -1;
    Notify(kItems);
    ChangeIndex(other.itemIndex_);
}

void TDriveList::Clear() {
    entries_.clear();
    const bool had = itemIndex_ >= 0;
    itemIndex_ = -1;
    Notify(kItems | kSelection);
    if (had && OnChange) OnChange(this);
}

void TDriveList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
    bool lost = false;
    if (itemIndex_ == index) {
        itemIndex_ = -1;
        lost = true;
    } else if (itemIndex_ > index) {
        --itemIndex_;
    }
    Notify(kItems | kSelection);
    if (lost && OnChange) OnChange(this);
}

const TDriveEntry& TDriveList::Entry(int index) const {
    static const TDriveEntry none;
    if (index < 0 || index >= Count()) return none;
    return entries_[static_cast<size_t>(index)];
}

std::u16string TDriveList::Text(int index) const {
    if (index < 0 || index >= Count()) return {};
    const TDriveEntry& e = entries_[static_cast<size_t>(index)];
    return EntryText(e.Letter, e.Label);
}

int TDriveList::IndexOfDrive(char16_t letter) const {
    letter = UpperLetter(letter);
    if (letter == 0) return -1;
    for (int i = 0; i < Count(); ++i) {
        if (entries_[static_cast<size_t>(i)].Letter == letter) return i;
    }
    return -1;
}

void TDriveList::ChangeIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Notify(kSelection);
    if (OnChange) OnChange(this);
}

void TDriveList::SetItemIndex(int index) {
    ChangeIndex(index);
}

bool TDriveList::SetDrive(char16_t letter) {
    const int index = IndexOfDrive(letter);
    if (index < 0) return false;
    ChangeIndex(index);
    return true;
}

void TDriveList::SelectByUser(int index) {
    if (index < 0 || index >= Count()) return;
    ChangeIndex(index);
}

}  // namespace orv::toolkit
