#pragma once
// The combo box with images as far as it is portable: items with a text and an image index into
// an image list, a current item and the text shown. As a list-only box the text is always the
// current item's; an editable box takes any text, and its current item is the one whose text
// equals it. Key presses in the edit part go through OnKeyPress (Enter arrives as 13).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"

namespace orv::toolkit {

struct TComboItem {
    std::u16string Text;
    int ImageIndex = -1;
};

enum class TComboStyle { DropDownList, DropDown };

// The handler may change the key; 0 swallows it.
using TKeyPressEvent = std::function<void(TComponent* sender, char16_t& key)>;

class TImageComboBox : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kItems = 1;
    static constexpr unsigned kSelection = 2;
    static constexpr unsigned kText = 4;

    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    explicit TImageComboBox(TComponent* owner = nullptr,
                            TComboStyle style = TComboStyle::DropDownList)
        : TComponent(owner), style_(style) {}
    std::u16string_view ClassName() const override { return u"TComboBoxEx"; }
    void SetView(TView* view) { view_ = view; }
    TComboStyle Style() const { return style_; }

    int Count() const { return static_cast<int>(items_.size()); }
    // An empty item for an index outside the list.
    const TComboItem& Item(int index) const;
    int Add(std::u16string_view text, int imageIndex = -1);
    void Clear();

    int ItemIndex() const { return itemIndex_; }
    // Also sets the text to the item's; an index outside the list selects none (a list-only
    // box then shows no text, an editable one keeps its text).
    void SetItemIndex(int index);
    const std::u16string& Text() const { return text_; }
    // A list-only box selects the item of that text, or none; an editable box shows the text.
    void SetText(std::u16string_view text);

    // Drawn before the item texts; null draws none. Not owned.
    void SetImages(const TPngImageList* images);
    const TPngImageList* Images() const { return images_; }

    // From the window: the user picked an item or typed; both fire OnChange.
    void SelectByUser(int index);
    void TextEditedByUser(std::u16string_view text);
    // A key typed into the edit part; returns the key after OnKeyPress (0: swallowed).
    char16_t KeyPress(char16_t key);

    TNotifyEvent OnChange;
    TKeyPressEvent OnKeyPress;

  private:
    void Notify(unsigned what);
    int IndexOfText(std::u16string_view text) const;

    TView* view_ = nullptr;
    TComboStyle style_;
    std::vector<TComboItem> items_;
    int itemIndex_ = -1;
    std::u16string text_;
    const TPngImageList* images_ = nullptr;
};

}  // namespace orv::toolkit
