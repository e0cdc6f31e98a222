#pragma once
// The skin list of the options dialog on a real list box: the drawing of one skin and the
// adapter that lets FillSkinList and SaveSkinChoice work on the list box.
#include <string>
#include <string_view>

#include "skin/SkinCatalogue.h"
#include "toolkit/ListBox.h"

namespace orv::skin {

inline constexpr int kSkinListItemHeight = 92;

// Owner-draw handler of the skin list: fills rect with the device's brush, writes the skin's
// title (SkinInfo/DisplayName, else the folder name) and its two description lines at x + 140
// in the device's font, and draws the skin's preview_small.png unscaled at (4, 4).
void DrawSkinListItem(toolkit::TListBox& list, toolkit::TPaintDevice& device, int index,
                      const toolkit::TRect& rect);

// Makes a list box the skin list: rows of kSkinListItemHeight drawn by DrawSkinListItem.
void SetUpSkinListBox(toolkit::TListBox& list);

class TListBoxSkinList final : public TSkinList {
  public:
    explicit TListBoxSkinList(toolkit::TListBox& list) : list_(list) {}
    void Clear() override { list_.Clear(); }
    void Add(std::u16string_view item) override { list_.Add(item); }
    int Count() const override { return list_.Count(); }
    std::u16string Item(int index) const override { return list_.Item(index); }
    int ItemIndex() const override { return list_.ItemIndex(); }
    void SetItemIndex(int index) override {
        list_.SetItemIndex(index);
        list_.MakeVisible(index);
    }

  private:
    toolkit::TListBox& list_;
};

}  // namespace orv::skin
