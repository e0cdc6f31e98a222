#include "toolkit/win32/FolderListWindow.h"

#include <windowsx.h>

namespace orv::toolkit::win32 {

TDirectoryListBoxWindow::TDirectoryListBoxWindow(TComponent* owner) : TListBoxWindow(owner) {
    SetItemHeight(18);
    folders_.SetView(this);
    OnDrawItem = [this](TListBox&, TPaintDevice& device, int index, const TRect& r, bool selected) {
        DrawEntry(device, index, r, selected);
    };
}

TDirectoryListBoxWindow::~TDirectoryListBoxWindow() {
    folders_.SetView(nullptr);
}

void TDirectoryListBoxWindow::EntriesChanged() {
    Clear();
    for (int i = 0; i < folders_.Count(); ++i) Add(folders_.Entry(i).Name);
    SetItemIndex(folders_.CurrentIndex());
    MakeVisible(ItemIndex());
}

void TDirectoryListBoxWindow::DrawEntry(TPaintDevice& device, int index, const TRect& r,
                                        bool selected) {
    device.FillRect(r);
    const TFolderEntry& e = folders_.Entry(index);
    const int x = r.Left + 2 + e.Level * kIndent;
    const int y = r.Top + (r.Height() - 12) / 2;
    // A folder: a tab on a 14 x 10 body; an open one has a lighter front.
    device.SetBrushColor(kFolderEdge);
    device.FillRect(TRect{x, y, x + 6, y + 2});
    device.FillRect(TRect{x, y + 2, x + 14, y + 12});
    device.SetBrushColor(kFolderColor);
    device.FillRect(TRect{x + 1, y + 3, x + 13, y + 11});
    if (e.Kind != TFolderEntry::Child) {
        device.SetBrushColor(MakeColor(250, 226, 150));
        device.FillRect(TRect{x + 3, y + 6, x + 13, y + 11});
    }
    device.SetTransparentBackground();
    if (selected) device.SetFontColor(kSelectedFontColor);
    device.WriteText(x + 18, r.Top + (r.Height() - device.TextHeight()) / 2, e.Name);
}

LRESULT TDirectoryListBoxWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK: {
            const LRESULT r = TListBoxWindow::HandleMessage(message, wParam, lParam);
            const int index = ItemAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (index >= 0) folders_.Open(index);
            return r;
        }
        case WM_KEYDOWN:
            if (wParam == VK_RETURN) {
                if (ItemIndex() >= 0) folders_.Open(ItemIndex());
                return 0;
            }
            break;
        default:
            break;
    }
    return TListBoxWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
