#include "toolkit/win32/ImageComboWindow.h"

#include <commctrl.h>

#include <string>

#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {
namespace {

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

}  // namespace

TImageComboBoxWindow::TImageComboBoxWindow(TComponent* owner, TComboStyle style)
    : TImageComboBox(owner, style) {
    font_.SetHeight(-12);
    font_.OnChange = [this] { ApplyFont(); };
    SetView(this);
}

TImageComboBoxWindow::~TImageComboBoxWindow() {
    if (edit_ != nullptr) RemoveWindowSubclass(edit_, &EditProc, 1);
    DestroyHandle();
    SetView(nullptr);
}

bool TImageComboBoxWindow::CreateWindowIn(HWND parent, int x, int y, int width, int dropRows) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    if (!CreateHandle(kClassName, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"",
                      x, y, width, 24, parent)) {
        return false;
    }
    dropHeight_ = 8 + kItemHeight * (dropRows < 1 ? 1 : dropRows) + 24;
    const DWORD kind =
        Style() == TComboStyle::DropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST;
    combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | kind |
                                 CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             0, 0, width, dropHeight_, Handle(), nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    if (combo_ == nullptr) {
        DestroyHandle();
        return false;
    }
    if (Style() == TComboStyle::DropDown) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(combo_, &info) && info.hwndItem != nullptr &&
            SetWindowSubclass(info.hwndItem, &EditProc, 1, reinterpret_cast<DWORD_PTR>(this))) {
            edit_ = info.hwndItem;
        }
    }
    ApplyFont();
    FillCombo();
    RECT r{};
    GetWindowRect(combo_, &r);
    SetWindowPos(Handle(), nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TImageComboBoxWindow::ApplyFont() {
    if (combo_ == nullptr) return;
    gdiFont_.Reset(CreateGdiFont(font_));
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), TRUE);
}

void TImageComboBoxWindow::FillCombo() {
    if (combo_ == nullptr) return;
    updating_ = true;
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < Count(); ++i) {
        const std::wstring text = Wide(Item(i).Text);
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    updating_ = false;
    ShowSelection();
}

void TImageComboBoxWindow::ShowSelection() {
    if (combo_ == nullptr) return;
    updating_ = true;
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(ItemIndex()), 0);
    // Selecting none clears the edit part; an editable box shows its own text.
    if (edit_ != nullptr) SetWindowTextW(edit_, Wide(Text()).c_str());
    InvalidateRect(combo_, nullptr, TRUE);
    updating_ = false;
}

void TImageComboBoxWindow::ModelChanged(unsigned what) {
    if (combo_ == nullptr) return;
    if (what & kItems) {
        FillCombo();
    } else if (what & (kSelection | kText)) {
        ShowSelection();
    }
}

void TImageComboBoxWindow::DrawItem(HDC dc, int index, const RECT& r, bool selected) {
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF oldBrush = SetDCBrushColor(dc, back);
    ::FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, oldBrush);
    if (index < 0 || index >= Count()) return;
    const TComboItem& item = Item(index);
    int textLeft = r.left + 3;
    if (Images() != nullptr) {
        const int w = Images()->Width();
        const int h = Images()->Height();
        if (const TPicture* p = Images()->Item(item.ImageIndex)) {
            const int top = r.top + (r.bottom - r.top - h) / 2;
            BlendPicture(dc, TRect{r.left + 2, top, r.left + 2 + w, top + h}, *p);
        }
        textLeft = r.left + 2 + w + 4;
    }
    const std::wstring text = Wide(item.Text);
    HGDIOBJ oldFont = gdiFont_ ? SelectObject(dc, gdiFont_.Get()) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = SetTextColor(dc, fore);
    RECT t = r;
    t.left = textLeft;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &t,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

LRESULT CALLBACK TImageComboBoxWindow::EditProc(HWND edit, UINT message, WPARAM wParam,
                                                LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_CHAR) {
        auto* box = reinterpret_cast<TImageComboBoxWindow*>(self);
        const char16_t key = box->KeyPress(static_cast<char16_t>(wParam));
        if (key == 0) return 0;
        // Enter would only beep in a single-line edit.
        if (key == 13) return 0;
        wParam = key;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

void TImageComboBoxWindow::HandleDestroyed() {
    combo_ = nullptr;
    edit_ = nullptr;
}

LRESULT TImageComboBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            mi->itemHeight = kItemHeight;
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (di->hwndItem != combo_) break;
            const int index = static_cast<int>(static_cast<INT_PTR>(di->itemID));
            DrawItem(di->hDC, index, di->rcItem, (di->itemState & ODS_SELECTED) != 0);
            if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &di->rcItem);
            return TRUE;
        }
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) != combo_ || updating_) break;
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                SelectByUser(static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)));
                return 0;
            }
            if (HIWORD(wParam) == CBN_EDITCHANGE && edit_ != nullptr) {
                const int n = GetWindowTextLengthW(edit_);
                std::wstring text(static_cast<size_t>(n) + 1, L'\0');
                GetWindowTextW(edit_, text.data(), n + 1);
                text.resize(static_cast<size_t>(n));
                TextEditedByUser(std::u16string(text.begin(), text.end()));
                return 0;
            }
            break;
        case WM_SIZE:
            // A combo box's window height includes its drop-down.
            if (combo_ != nullptr) {
                SetWindowPos(combo_, nullptr, 0, 0, LOWORD(lParam), dropHeight_,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        case WM_ENABLE:
            if (combo_ != nullptr) EnableWindow(combo_, wParam != 0);
            return 0;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
