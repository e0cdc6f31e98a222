#include "toolkit/win32/PopupMenu.h"

#include <algorithm>
#include <string>

namespace orv::toolkit::win32 {

TPopupMenu::~TPopupMenu() {
    for (HBITMAP b : bitmaps_) DeleteObject(b);
}

void TPopupMenu::Add(TMenuItem* item) {
    if (item != nullptr) items_.push_back(item);
}

TMenuItem* TPopupMenu::NewItem(std::u16string_view caption, int imageIndex) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->ImageIndex = imageIndex;
    items_.push_back(item);
    return item;
}

void TPopupMenu::Clear() {
    std::vector<TMenuItem*> items;
    items.swap(items_);
    for (TMenuItem* item : items) {
        if (item->Owner() == this) delete item;
    }
}

HBITMAP CreateAlphaBitmap(const TPicture& picture) {
    if (picture.Empty()) return nullptr;
    const int w = picture.Width();
    const int h = picture.Height();
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp == nullptr || bits == nullptr) return bmp;
    const std::vector<uint8_t>& src = picture.Image().Bytes();
    auto* dst = static_cast<uint8_t*>(bits);
    for (size_t i = 0; i + 3 < src.size(); i += 4) {
        const unsigned a = src[i + 3];
        // Blue, green, red, alpha, premultiplied as AlphaBlend and the menus expect.
        dst[i + 0] = static_cast<uint8_t>(src[i + 2] * a / 255);
        dst[i + 1] = static_cast<uint8_t>(src[i + 1] * a / 255);
        dst[i + 2] = static_cast<uint8_t>(src[i + 0] * a / 255);
        dst[i + 3] = static_cast<uint8_t>(a);
    }
    return bmp;
}

bool PictureFromIcon(HICON icon, TPicture& picture) {
    if (icon == nullptr) return false;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    BITMAP bm{};
    bool ok = false;
    HBITMAP source = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
    if (source != nullptr && GetObjectW(source, sizeof bm, &bm) != 0 && bm.bmWidth > 0 &&
        bm.bmHeight > 0) {
        const int w = bm.bmWidth;
        const int h = info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2;
        // Draw the icon over a fixed background twice (black and white) to recover its alpha
        // whatever format the icon's bitmaps have.
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* onBlack = nullptr;
        void* onWhite = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP black = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &onBlack, nullptr, 0);
        HBITMAP white = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &onWhite, nullptr, 0);
        if (dc != nullptr && black != nullptr && white != nullptr) {
            std::fill_n(static_cast<uint32_t*>(onBlack), static_cast<size_t>(w) * h, 0xFF000000u);
            std::fill_n(static_cast<uint32_t*>(onWhite), static_cast<size_t>(w) * h, 0xFFFFFFFFu);
            HGDIOBJ old = SelectObject(dc, black);
            DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
            SelectObject(dc, white);
            DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
            SelectObject(dc, old);
            GdiFlush();
            skin::TPngImage image(w, h);
            const auto* b = static_cast<const uint8_t*>(onBlack);
            const auto* wh = static_cast<const uint8_t*>(onWhite);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const size_t o = (static_cast<size_t>(y) * w + x) * 4;
                    // a = 255 - (white - black); colour = black / a.
                    const int a = 255 - (wh[o + 1] - b[o + 1]);
                    skin::Rgba c;
                    c.a = static_cast<uint8_t>(std::clamp(a, 0, 255));
                    if (a > 0) {
                        c.r = static_cast<uint8_t>(std::min(255, b[o + 2] * 255 / a));
                        c.g = static_cast<uint8_t>(std::min(255, b[o + 1] * 255 / a));
                        c.b = static_cast<uint8_t>(std::min(255, b[o + 0] * 255 / a));
                    }
                    image.SetPixel(x, y, c);
                }
            }
            picture.Assign(image);
            ok = true;
        }
        if (black != nullptr) DeleteObject(black);
        if (white != nullptr) DeleteObject(white);
        if (dc != nullptr) DeleteDC(dc);
    }
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return ok;
}

HMENU TPopupMenu::BuildMenu() {
    if (OnPopup) OnPopup(this);
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    for (size_t i = 0; i < items_.size(); ++i) {
        TMenuItem* item = items_[i];
        if (!item->Visible) continue;
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof mi;
        HBITMAP bmp = nullptr;
        std::wstring text(item->Caption().begin(), item->Caption().end());
        if (item->IsSeparator()) {
            mi.fMask = MIIM_FTYPE | MIIM_DATA;
            mi.fType = MFT_SEPARATOR | MFT_OWNERDRAW;
        } else {
            mi.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
            mi.fType = MFT_OWNERDRAW;
            mi.wID = static_cast<UINT>(i + 1);
            mi.dwTypeData = text.data();
            mi.fState = item->Enabled ? MFS_ENABLED : MFS_DISABLED;
            const TPicture* picture = Images != nullptr ? Images->Item(item->ImageIndex) : nullptr;
            if (picture != nullptr) bmp = CreateAlphaBitmap(*picture);
            if (bmp != nullptr) {
                bitmaps_.push_back(bmp);
                mi.fMask |= MIIM_BITMAP;
                mi.hbmpItem = bmp;
            }
        }
        drawn_.push_back(std::make_unique<TDrawnItem>(TDrawnItem{this, item, bmp}));
        mi.dwItemData = reinterpret_cast<ULONG_PTR>(drawn_.back().get());
        InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &mi);
    }
    return menu;
}

namespace {

constexpr int kItemHeight = 24;
constexpr int kSeparatorHeight = 7;
constexpr int kPictureColumn = 28;

HFONT MenuFont() {
    static HFONT font = [] {
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof m;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0)) {
            return CreateFontIndirectW(&m.lfMenuFont);
        }
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }();
    return font;
}

}  // namespace

bool TPopupMenu::HandleOwnerDraw(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (m == nullptr || m->CtlType != ODT_MENU || m->itemData == 0) return false;
        const auto* d = reinterpret_cast<const TDrawnItem*>(m->itemData);
        if (d->Item->IsSeparator()) {
            m->itemWidth = 40;
            m->itemHeight = kSeparatorHeight;
            return true;
        }
        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, MenuFont());
        const std::wstring text(d->Item->Caption().begin(), d->Item->Caption().end());
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        m->itemWidth = static_cast<UINT>(kPictureColumn + r.right + 24);
        m->itemHeight = kItemHeight;
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (di == nullptr || di->CtlType != ODT_MENU || di->itemData == 0) return false;
        const auto* d = reinterpret_cast<const TDrawnItem*>(di->itemData);
        HDC dc = di->hDC;
        const RECT r = di->rcItem;
        const bool selected = (di->itemState & ODS_SELECTED) != 0 && !d->Item->IsSeparator();
        const bool disabled = (di->itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
        FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        if (d->Item->IsSeparator()) {
            RECT line{r.left + kPictureColumn, (r.top + r.bottom) / 2, r.right - 4,
                      (r.top + r.bottom) / 2 + 1};
            FillRect(dc, &line, GetSysColorBrush(COLOR_GRAYTEXT));
            return true;
        }
        if (d->Bitmap != nullptr) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, d->Bitmap);
            BITMAP bm{};
            GetObjectW(d->Bitmap, sizeof bm, &bm);
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            const int x = r.left + (kPictureColumn - bm.bmWidth) / 2;
            const int y = r.top + (r.bottom - r.top - bm.bmHeight) / 2;
            AlphaBlend(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight,
                       blend);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        const std::wstring text(d->Item->Caption().begin(), d->Item->Caption().end());
        RECT tr{r.left + kPictureColumn + 4, r.top, r.right - 4, r.bottom};
        HGDIOBJ oldFont = SelectObject(dc, MenuFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_MENUTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &tr,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        SelectObject(dc, oldFont);
        return true;
    }
    return false;
}

void TPopupMenu::DestroyBuiltMenu(HMENU menu) {
    if (menu != nullptr) DestroyMenu(menu);
    for (HBITMAP b : bitmaps_) DeleteObject(b);
    bitmaps_.clear();
    drawn_.clear();
}

TMenuItem* TPopupMenu::Popup(HWND owner, int x, int y) {
    HMENU menu = BuildMenu();
    if (menu == nullptr) return nullptr;
    // The owner must be in front or the menu does not close when the user clicks elsewhere.
    if (owner != nullptr) SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenuEx(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, x, y,
        owner, nullptr));
    DestroyBuiltMenu(menu);
    if (owner != nullptr) PostMessageW(owner, WM_NULL, 0, 0);
    if (id == 0 || id > items_.size()) return nullptr;
    TMenuItem* chosen = items_[id - 1];
    if (chosen->OnClick) chosen->OnClick(chosen);
    return chosen;
}

}  // namespace orv::toolkit::win32
