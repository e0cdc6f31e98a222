#pragma once
// The list of drives as far as it is portable: one entry per drive letter with its volume label
// and shell icon, shown as "C: [Label]" (just "C:" without a label), and a current drive. Refresh
// asks the platform for the drives; the page may then remove entries it cannot use.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Shell.h"
#include "toolkit/Component.h"
#include "toolkit/Controls.h"

namespace orv::toolkit {

struct TDriveEntry {
    char16_t Letter = 0;  // upper case
    std::u16string Label;
    // Shared, so that a copied list (the drive dialog's) shows the same icons; released with
    // the last copy.
    std::shared_ptr<void> Icon;
};

class TDriveList : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kItems = 1;      // entries added, removed or changed
    static constexpr unsigned kSelection = 2;  // the current entry

    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    explicit TDriveList(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TDriveComboBox"; }
    void SetView(TView* view) { view_ = view; }

    // "C: [Label]" or "C:"; empty for a letter that is not one.
    static std::u16string EntryText(char16_t letter, std::u16string_view label);

    // Every drive the platform reports, A: to Z:, with label and icon. The current drive stays
    // when it is still there; otherwise the first entry becomes current.
    void Refresh();
    // Appends a drive (letters outside A-Z, either case, are refused); false when refused or
    // already listed.
    bool AddDrive(char16_t letter, std::u16string_view label, platform::IconHandle icon = nullptr);
    // Entries and current entry of another list.
    void Assign(const TDriveList& other);
    void Clear();
    // Removing the current entry leaves none current.
    void Delete(int index);

    int Count() const { return static_cast<int>(entries_.size()); }
    // An empty entry for an index outside the list.
    const TDriveEntry& Entry(int index) const;
    std::u16string Text(int index) const;
    // The text of the current entry; empty when there is none.
    std::u16string Text() const { return Text(itemIndex_); }

    int ItemIndex() const { return itemIndex_; }
    // An index outside the list makes none current.
    void SetItemIndex(int index);
    // The current drive letter, 0 when none.
    char16_t Drive() const { return itemIndex_ < 0 ? char16_t{0} : Entry(itemIndex_).Letter; }
    // Makes the entry of that letter (either case) current; false, and nothing changed, when
    // the letter is not listed.
    bool SetDrive(char16_t letter);
    int IndexOfDrive(char16_t letter) const;

    // The user chose another entry in the window.
    void SelectByUser(int index);
    // The current drive changed through the user or SetDrive/SetItemIndex.
    TNotifyEvent OnChange;

  private:
    void Notify(unsigned what);
    void ChangeIndex(int index);

    TView* view_ = nullptr;
    std::vector<TDriveEntry> entries_;
    int itemIndex_ = -1;
};

}  // namespace orv::toolkit
