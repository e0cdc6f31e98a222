#pragma once
// An owner-drawn list of texts with rows of one fixed height, as far as it is portable: items,
// the selected item, scrolling by whole rows, hit testing, keyboard moves and the drawing of one
// item. The Win32 window paints the rows through DrawItem and feeds the input calls.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"
#include "toolkit/PaintDevice.h"

namespace orv::toolkit {

enum class TListKey { Up, Down, PageUp, PageDown, Home, End };

class TListBox : public TComponent {
  public:
    // Bits of TView::ModelChanged.
    static constexpr unsigned kRepaint = 1;  // items or their look changed
    static constexpr unsigned kScroll = 2;   // the number of items, the row height or TopIndex

    // The window side: told what to bring up to date; it should only note and invalidate.
    class TView {
      public:
        virtual ~TView() = default;
        virtual void ModelChanged(unsigned what) = 0;
    };

    // Colours of the selected row, like the system's highlight.
    static constexpr TColor kSelectedColor = MakeColor(0, 120, 215);
    static constexpr TColor kSelectedFontColor = MakeColor(255, 255, 255);

    // Draws item index into rect; the device's brush and font are already set for the
    // selected or unselected state.
    using TDrawItemEvent = std::function<void(TListBox& sender, TPaintDevice& device, int index,
                                              const TRect& rect, bool selected)>;

    explicit TListBox(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TListBox"; }
    void SetView(TView* view) { view_ = view; }

    int Count() const { return static_cast<int>(items_.size()); }
    // Empty for an index outside the list.
    std::u16string Item(int index) const;
    int Add(std::u16string_view text);
    void SetItem(int index, std::u16string_view text);
    // The selection follows its item; deleting the selected item leaves none selected.
    void Delete(int index);
    // No items and no selection; back at the top.
    void Clear();

    // -1 when no item is selected; an index outside the list selects none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);

    int ItemHeight() const { return itemHeight_; }
    // At least one pixel.
    void SetItemHeight(int height);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    // Background of the list and of unselected rows.
    TColor Color() const { return color_; }
    void SetColor(TColor c);

    // The window's client size, which decides how many rows fit.
    void SetClientSize(int width, int height);
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    // Rows that fit whole; at least one.
    int VisibleRows() const;
    // The first row shown, kept within [0, Count - VisibleRows].
    int TopIndex() const { return topIndex_; }
    void SetTopIndex(int index);
    int MaxTopIndex() const;
    // Scrolls so that the item is shown whole.
    void MakeVisible(int index);
    // In client coordinates, scrolled; empty for an index outside the list.
    TRect ItemRect(int index) const;
    // The item under a client point; -1 below the last item or outside the client area.
    int ItemAt(int x, int y) const;

    // A press of the left button: the item under the point becomes the selected one.
    void MouseDown(int x, int y);
    // True when the key moved the selection (or would have, at an end of the list).
    bool KeyDown(TListKey key);
    // Scrolls by rows: positive goes down.
    void ScrollBy(int rows);

    // Sets the device's brush and font for the row's state and draws the item through
    // OnDrawItem, or as a line of text when there is no handler.
    void DrawItem(TPaintDevice& device, int index, const TRect& rect);

    TDrawItemEvent OnDrawItem;
    // The user changed the selection with the mouse or the keyboard.
    TNotifyEvent OnClick;

  private:
    void Notify(unsigned what);
    void SelectByUser(int index);

    TView* view_ = nullptr;
    std::vector<std::u16string> items_;
    int itemIndex_ = -1;
    int itemHeight_ = 16;
    TFont font_;
    TColor color_ = MakeColor(255, 255, 255);
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int topIndex_ = 0;
};

}  // namespace orv::toolkit
