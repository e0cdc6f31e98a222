#pragma once
// Popup menus with 16-pixel pictures: the items are components (so translation reaches their
// captions), the menu builds a system popup menu each time it opens, with each item's picture
// from the menu's image list as a 32-bit bitmap with alpha, and runs the chosen item's OnClick.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"

namespace orv::toolkit::win32 {

class TMenuItem : public TComponent {
  public:
    explicit TMenuItem(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TMenuItem"; }

    const std::u16string& Caption() const { return caption_.Value(); }
    void SetCaption(std::u16string_view c) { caption_.Set(c); }
    // A caption of "-" makes a separator.
    bool IsSeparator() const { return caption_.Value() == u"-"; }
    // Index into the menu's image list; -1 for none.
    int ImageIndex = -1;
    bool Visible = true;
    bool Enabled = true;
    // Free for the caller (the internet menu keeps the service channel's id here).
    int32_t HelpContext = 0;
    TNotifyEvent OnClick;

    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption_ : nullptr;
    }

  private:
    TStringSlot caption_;
};

// The common look of the program's menus. The system draws the menus; the styler is the one
// object the pages share, so a later owner-drawn look changes every menu at once.
class TMenuStyler : public TComponent {
  public:
    explicit TMenuStyler(TComponent* owner = nullptr) : TComponent(owner) {}
    std::u16string_view ClassName() const override { return u"TAdvMenuOfficeStyler"; }
};

class TPopupMenu : public TComponent {
  public:
    explicit TPopupMenu(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TPopupMenu() override;
    std::u16string_view ClassName() const override { return u"TAdvPopupMenu"; }

    // The items in menu order; the menu does not own them unless it made them with NewItem.
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Add(TMenuItem* item);
    // An item owned by the menu, appended.
    TMenuItem* NewItem(std::u16string_view caption, int imageIndex = -1);
    // Removes and frees the items the menu owns; forgets the others.
    void Clear();

    TPngImageList* Images = nullptr;
    TMenuStyler* MenuStyler = nullptr;
    // Runs before the menu is built, so its items can be filled anew.
    TNotifyEvent OnPopup;

    // Shows the menu at a screen point for owner and runs the chosen item's OnClick. Returns
    // the chosen item (null when the menu was dismissed).
    TMenuItem* Popup(HWND owner, int x, int y);

    // The system menu of the visible items, as Popup shows it; command id = item index + 1.
    // Items are drawn by the menu itself (the window that owns the menu hands WM_MEASUREITEM
    // and WM_DRAWITEM to HandleOwnerDraw), so pictures blend by their alpha everywhere; the
    // item's bitmap is also set for whoever reads the menu. The caller destroys it with
    // DestroyBuiltMenu.
    HMENU BuildMenu();
    void DestroyBuiltMenu(HMENU menu);

    // For the window procedure of a menu's owner: true when the message was a menu item of
    // a TPopupMenu and has been handled (the result is then TRUE).
    static bool HandleOwnerDraw(UINT message, WPARAM wParam, LPARAM lParam);

    struct TDrawnItem {
        TPopupMenu* Menu;
        TMenuItem* Item;
        HBITMAP Bitmap;
    };

  private:
    std::vector<TMenuItem*> items_;
    std::vector<HBITMAP> bitmaps_;
    std::vector<std::unique_ptr<TDrawnItem>> drawn_;
};

// A 32-bit top-down bitmap with premultiplied alpha, as menus and layered drawing take it;
// null for an empty picture.
HBITMAP CreateAlphaBitmap(const TPicture& picture);
// A picture from an icon handle (its colour and mask bitmaps); false when the icon is unusable.
bool PictureFromIcon(HICON icon, TPicture& picture);

}  // namespace orv::toolkit::win32
