#include "toolkit/win32/ListViewWindow.h"

#include "platform/System.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::toolkit::win32 {
namespace {

constexpr int kImageSize = 16;

wchar_t* Wide(std::u16string& s) {
    return reinterpret_cast<wchar_t*>(s.data());
}

}  // namespace

TListView::TListView(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] { ApplyFont(); };
}

TListView::~TListView() {
    if (hwnd_ != nullptr && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    // LVS_SHAREIMAGELISTS: the list stays ours.
    if (images_ != nullptr) ImageList_Destroy(images_);
}

TListSlot* TListView::ListSlot(TListSlotKind kind) {
    return kind == TListSlotKind::ColumnCaptions ? &columnsSlot_ : nullptr;
}

void TListView::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (hwnd_ != nullptr)
        SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TListView::AddColumn(std::u16string_view caption, int width) {
    columns_.push_back(TListColumn{std::u16string(caption), width});
    const int index = ColumnCount() - 1;
    if (hwnd_ != nullptr) InsertColumnWindow(index);
    return index;
}

void TListView::SetColumnCaption(int index, std::u16string_view caption) {
    if (index < 0 || index >= ColumnCount()) return;
    columns_[static_cast<size_t>(index)].Caption.assign(caption);
    if (hwnd_ == nullptr) return;
    std::u16string text = columns_[static_cast<size_t>(index)].Caption;
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = Wide(text);
    SendMessageW(hwnd_, LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c));
}

int TListView::AddImageFile(std::u16string_view path) {
    if (images_ == nullptr) {
        images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, 8, 8);
        if (images_ == nullptr) return -1;
        if (hwnd_ != nullptr)
            SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    }
    const std::u16string file(path);
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, reinterpret_cast<const wchar_t*>(file.c_str()), IMAGE_BITMAP,
                   kImageSize, kImageSize, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (bitmap == nullptr) {
        platform::DebugOutput(u"ListView: no picture in " + file);
        return -1;
    }
    const int index = ImageList_AddMasked(images_, bitmap, RGB(255, 255, 255));
    DeleteObject(bitmap);
    if (index >= 0) imageCount_ = index + 1;
    return index;
}

void TListView::ClearImages() {
    if (images_ != nullptr) ImageList_RemoveAll(images_);
    imageCount_ = 0;
}

int TListView::AddRow(const TListRow& row) {
    rows_.push_back(row);
    const int index = RowCount() - 1;
    if (hwnd_ != nullptr) InsertRowWindow(index);
    return index;
}

std::u16string TListView::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0) return {};
    const TListRow& r = rows_[static_cast<size_t>(row)];
    if (column == 0) return r.Caption;
    const auto sub = static_cast<size_t>(column - 1);
    return sub < r.SubItems.size() ? r.SubItems[sub] : std::u16string();
}

void TListView::Clear() {
    rows_.clear();
    selected_ = -1;
    if (hwnd_ != nullptr) SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
}

int TListView::Selected() const {
    if (hwnd_ == nullptr) return selected_;
    const auto at = static_cast<int>(
        SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return at >= 0 && at < RowCount() ? at : -1;
}

void TListView::SetSelected(int index) {
    selected_ = index >= 0 && index < RowCount() ? index : -1;
    if (hwnd_ == nullptr) return;
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    if (selected_ < 0) return;
    LVITEMW one{};
    one.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    one.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(selected_),
                 reinterpret_cast<LPARAM>(&one));
    SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected_), FALSE);
}

bool TListView::CreateWindowIn(HWND parent) {
    if (hwnd_ != nullptr) return true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                        LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
    hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, left_, top_, width_,
                            height_, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ == nullptr) return false;
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    if (images_ != nullptr)
        SendMessageW(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    ApplyFont();
    for (int i = 0; i < ColumnCount(); ++i) InsertColumnWindow(i);
    for (int i = 0; i < RowCount(); ++i) InsertRowWindow(i);
    SetSelected(selected_);
    return true;
}

void TListView::InsertColumnWindow(int index) {
    std::u16string text = columns_[static_cast<size_t>(index)].Caption;
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = Wide(text);
    c.cx = columns_[static_cast<size_t>(index)].Width;
    c.iSubItem = index;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&c));
}

void TListView::InsertRowWindow(int index) {
    const TListRow& row = rows_[static_cast<size_t>(index)];
    std::u16string caption = row.Caption;
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = Wide(caption);
    // I_IMAGENONE keeps the row's image slot empty.
    item.iImage = row.ImageIndex >= 0 ? row.ImageIndex : I_IMAGENONE;
    const auto at =
        static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (at < 0) return;
    for (size_t s = 0; s < row.SubItems.size(); ++s) {
        std::u16string text = row.SubItems[s];
        LVITEMW sub{};
        sub.iSubItem = static_cast<int>(s + 1);
        sub.pszText = Wide(text);
        SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(at),
                     reinterpret_cast<LPARAM>(&sub));
    }
}

void TListView::ApplyFont() {
    if (hwnd_ == nullptr) return;
    gdiFont_.Reset(CreateGdiFont(font_));
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), TRUE);
}

}  // namespace orv::toolkit::win32
