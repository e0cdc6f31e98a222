#include "toolkit/win32/DriveListWindow.h"

#include <string>

#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {

TDriveComboBoxWindow::TDriveComboBoxWindow(TComponent* owner) : TDriveList(owner) {
    font_.SetHeight(-12);
    font_.OnChange = [this] { ApplyFont(); };
    SetView(this);
}

TDriveComboBoxWindow::~TDriveComboBoxWindow() {
    DestroyHandle();
    SetView(nullptr);
}

bool TDriveComboBoxWindow::CreateWindowIn(HWND parent, int x, int y, int width, int dropRows) {
    if (!RegisterWindowClass(kClassName, 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    if (!CreateHandle(kClassName, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, L"",
                      x, y, width, 24, parent)) {
        return false;
    }
    dropHeight_ = 8 + kItemHeight * (dropRows < 1 ? 1 : dropRows) + 24;
    combo_ = CreateWindowExW(0, L"COMBOBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                 CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                             0, 0, width, dropHeight_, Handle(), nullptr, GetModuleHandleW(nullptr),
                             nullptr);
    if (combo_ == nullptr) {
        DestroyHandle();
        return false;
    }
    ApplyFont();
    FillCombo();
    // Our window is exactly as high as the closed box.
    RECT r{};
    GetWindowRect(combo_, &r);
    SetWindowPos(Handle(), nullptr, 0, 0, width, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void TDriveComboBoxWindow::ApplyFont() {
    if (combo_ == nullptr) return;
    gdiFont_.Reset(CreateGdiFont(font_));
    SendMessageW(combo_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), TRUE);
}

void TDriveComboBoxWindow::FillCombo() {
    if (combo_ == nullptr) return;
    filling_ = true;
    SendMessageW(combo_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < Count(); ++i) {
        const std::u16string text = Text(i);
        const std::wstring wide(text.begin(), text.end());
        SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(ItemIndex()), 0);
    SendMessageW(combo_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(combo_, nullptr, TRUE);
    filling_ = false;
}

void TDriveComboBoxWindow::ModelChanged(unsigned what) {
    if (combo_ == nullptr) return;
    if (what & kItems) {
        FillCombo();
    } else if (what & kSelection) {
        filling_ = true;
        SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(ItemIndex()), 0);
        filling_ = false;
    }
}

void TDriveComboBoxWindow::DrawEntry(HDC dc, int index, const RECT& r, bool selected) {
    if (index < 0) index = ItemIndex();
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF oldBrush = SetDCBrushColor(dc, back);
    ::FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, oldBrush);
    if (index < 0 || index >= Count()) return;
    const TDriveEntry& e = Entry(index);
    const int iconTop = r.top + (r.bottom - r.top - 16) / 2;
    if (e.Icon) {
        DrawIconEx(dc, r.left + 2, iconTop, static_cast<HICON>(e.Icon.get()), 16, 16, 0, nullptr,
                   DI_NORMAL);
    }
    const std::u16string text = Text(index);
    const std::wstring wide(text.begin(), text.end());
    HGDIOBJ oldFont = gdiFont_ ? SelectObject(dc, gdiFont_.Get()) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldText = SetTextColor(dc, fore);
    RECT t = r;
    t.left += 22;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &t,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);
    if (oldFont != nullptr) SelectObject(dc, oldFont);
}

void TDriveComboBoxWindow::HandleDestroyed() {
    combo_ = nullptr;
}

LRESULT TDriveComboBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
            DrawEntry(di->hDC, index, di->rcItem, (di->itemState & ODS_SELECTED) != 0);
            if (di->itemState & ODS_FOCUS) DrawFocusRect(di->hDC, &di->rcItem);
            return TRUE;
        }
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lParam) == combo_ && HIWORD(wParam) == CBN_SELCHANGE &&
                !filling_) {
                SelectByUser(static_cast<int>(SendMessageW(combo_, CB_GETCURSEL, 0, 0)));
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
