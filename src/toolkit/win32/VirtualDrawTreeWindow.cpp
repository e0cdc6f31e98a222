#include "toolkit/win32/VirtualDrawTreeWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "toolkit/win32/GdiCanvas.h"

namespace orv::toolkit::win32 {

namespace {

const wchar_t* Wide(const std::u16string& s) {
    return reinterpret_cast<const wchar_t*>(s.c_str());
}

SCROLLINFO NewScrollInfo() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    return si;
}

HFONT MakeFont(const std::u16string& name, int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, Wide(name));
}

}  // namespace

TVirtualDrawTreeWindow::TVirtualDrawTreeWindow(TComponent* owner) : TVirtualDrawTree(owner) {
    SetView(this);
}

TVirtualDrawTreeWindow::~TVirtualDrawTreeWindow() {
    // While this object is whole, so that the last messages still find it.
    DestroyHandle();
    SetView(nullptr);
}

bool TVirtualDrawTreeWindow::CreateWindowIn(HWND parent, int x, int y, int width, int height,
                                            bool border) {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof icc;
    icc.dwICC = ICC_LISTVIEW_CLASSES;
    InitCommonControlsEx(&icc);
    if (!RegisterWindowClass(kClassName, CS_DBLCLKS, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    return CreateHandle(
        kClassName, border ? WS_EX_CLIENTEDGE : 0,
        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, L"", x, y,
        width, height, parent);
}

int TVirtualDrawTreeWindow::HeaderItemOf(int column) const {
    const auto it = std::find(headerColumns_.begin(), headerColumns_.end(), column);
    return it == headerColumns_.end() ? -1 : static_cast<int>(it - headerColumns_.begin());
}

void TVirtualDrawTreeWindow::ModelChanged(unsigned what) {
    if (Handle() == nullptr) return;
    if (what & kHeader) headerPending_ = true;
    if (what & kScroll) layoutPending_ = true;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TVirtualDrawTreeWindow::EnsureFonts() {
    if (!font_ || fontName_ != FontName() || fontHeight_ != FontHeight()) {
        font_.Reset(MakeFont(FontName(), FontHeight()));
        fontName_ = FontName();
        fontHeight_ = FontHeight();
    }
    if (header_ != nullptr && (!headerFont_ || headerFontName_ != HeaderFontName())) {
        headerFont_.Reset(MakeFont(HeaderFontName(), HeaderFontHeight()));
        headerFontName_ = HeaderFontName();
        SendMessageW(header_, WM_SETFONT, reinterpret_cast<WPARAM>(headerFont_.Get()), TRUE);
    }
}

void TVirtualDrawTreeWindow::UpdateSize() {
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    SetBounds(window.right - window.left, window.bottom - window.top, client.right, client.bottom);
}

void TVirtualDrawTreeWindow::UpdateScrollBars() {
    // Showing or hiding a scroll bar resizes the client area, which comes back here.
    if (inLayout_) return;
    inLayout_ = true;
    for (int pass = 0; pass < 3; ++pass) {
        layoutPending_ = false;
        SCROLLINFO v = NewScrollInfo();
        const int64_t rowsHeight = static_cast<int64_t>(RowCount()) * DefaultNodeHeight();
        v.nMin = 0;
        v.nMax = static_cast<int>(std::min<int64_t>(rowsHeight, 0x7FFFFFFF)) - 1;
        v.nPage = static_cast<UINT>(RowsAreaHeight());
        v.nPos = OffsetY();
        SetScrollInfo(Handle(), SB_VERT, &v, TRUE);
        SCROLLINFO h = NewScrollInfo();
        h.nMin = 0;
        h.nMax = ColumnsWidth() - 1;
        h.nPage = static_cast<UINT>(ClientWidth());
        h.nPos = OffsetX();
        SetScrollInfo(Handle(), SB_HORZ, &h, TRUE);
        const int width = ClientWidth();
        const int height = ClientHeight();
        UpdateSize();
        if (width == ClientWidth() && height == ClientHeight()) break;
    }
    LayoutHeader();
    inLayout_ = false;
}

void TVirtualDrawTreeWindow::LayoutHeader() {
    if (header_ == nullptr) return;
    // Scrolled sideways, the header moves left with the rows.
    SetWindowPos(header_, nullptr, -OffsetX(), 0, ClientWidth() + OffsetX(), HeaderHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVirtualDrawTreeWindow::SyncHeader() {
    headerPending_ = false;
    if (header_ == nullptr || syncing_) return;
    syncing_ = true;
    EnsureFonts();
    const std::vector<int> columns = VisibleColumnsInOrder();
    if (columns != headerColumns_) {
        while (SendMessageW(header_, HDM_GETITEMCOUNT, 0, 0) > 0) {
            SendMessageW(header_, HDM_DELETEITEM, 0, 0);
        }
        for (size_t i = 0; i < columns.size(); ++i) {
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
            item.cxy = Column(columns[i]).Width;
            item.fmt = HDF_LEFT;
            item.lParam = columns[i];
            SendMessageW(header_, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        }
        headerColumns_ = columns;
    }
    for (size_t i = 0; i < columns.size(); ++i) {
        const TVirtualTreeColumn& c = Column(columns[i]);
        wchar_t text[260] = {};
        HDITEMW now{};
        now.mask = HDI_WIDTH | HDI_FORMAT | HDI_TEXT;
        now.pszText = text;
        now.cchTextMax = 260;
        SendMessageW(header_, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&now));
        int fmt = HDF_LEFT | HDF_STRING;
        if (columns[i] == SortColumn()) {
            fmt |= SortDirection() == TSortDirection::Ascending ? HDF_SORTUP : HDF_SORTDOWN;
        }
        // Only what differs is set: the header may be in the middle of a drag.
        HDITEMW item{};
        if (now.cxy != c.Width) {
            item.mask |= HDI_WIDTH;
            item.cxy = c.Width;
        }
        if (now.fmt != fmt) {
            item.mask |= HDI_FORMAT;
            item.fmt = fmt;
        }
        if (std::wstring_view(text) != std::wstring_view(Wide(c.Text))) {
            item.mask |= HDI_TEXT;
            item.pszText = const_cast<wchar_t*>(Wide(c.Text));
        }
        if (item.mask != 0) SendMessageW(header_, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    syncing_ = false;
    LayoutHeader();
}

void TVirtualDrawTreeWindow::ApplyHeaderOrder() {
    if (header_ == nullptr || headerColumns_.empty()) return;
    std::vector<int> order(headerColumns_.size());
    if (!SendMessageW(header_, HDM_GETORDERARRAY, order.size(),
                      reinterpret_cast<LPARAM>(order.data()))) {
        return;
    }
    // The places the visible columns held, handed out again in the new order; hidden
    // columns keep theirs.
    std::vector<int> places;
    for (int c : headerColumns_) places.push_back(Column(c).Position);
    std::sort(places.begin(), places.end());
    std::vector<int> moved;
    for (int item : order) {
        if (item >= 0 && item < static_cast<int>(headerColumns_.size()))
            moved.push_back(headerColumns_[item]);
    }
    if (moved.size() != places.size()) return;
    for (size_t i = 0; i < moved.size(); ++i) SetColumnPosition(moved[i], places[i]);
    // New items in the new order: the header's own order array starts afresh.
    headerColumns_.clear();
    SyncHeader();
}

void TVirtualDrawTreeWindow::PaintTo(HDC dc, const RECT& area) {
    EnsureFonts();
    TGdiCanvas canvas(dc, font_.Get());
    PaintRows(canvas, TRect{area.left, area.top, area.right, area.bottom});
}

void TVirtualDrawTreeWindow::OnPaint() {
    if (layoutPending_) UpdateScrollBars();
    if (headerPending_) SyncHeader();
    PaintScope ps(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    if (!buffer_ || bufferWidth_ < client.right || bufferHeight_ < client.bottom) {
        bufferWidth_ = std::max<int>(client.right, bufferWidth_);
        bufferHeight_ = std::max<int>(client.bottom, bufferHeight_);
        buffer_.Reset(CreateCompatibleBitmap(ps.Get(), bufferWidth_, bufferHeight_));
        bufferValid_ = false;
    }
    MemoryDC memory(ps.Get());
    SelectScope select(memory.Get(), buffer_.Get());
    // While the tree is being changed its rows are not drawn: the last picture stays.
    const bool suspended = Tree() != nullptr && Tree()->UpdateCount() > 0;
    RECT area = ps.Area();
    if (!suspended || !bufferValid_) {
        if (!bufferValid_) area = client;
        PaintTo(memory.Get(), area);
        bufferValid_ = true;
    }
    BitBlt(ps.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           memory.Get(), area.left, area.top, SRCCOPY);
}

void TVirtualDrawTreeWindow::OnScroll(int bar, int code) {
    SCROLLINFO si = NewScrollInfo();
    GetScrollInfo(Handle(), bar, &si);
    const bool vertical = bar == SB_VERT;
    const int line = vertical ? DefaultNodeHeight() : 16;
    const int page = vertical
                         ? std::max(DefaultNodeHeight(), RowsAreaHeight() - DefaultNodeHeight())
                         : std::max(16, ClientWidth() - 16);
    int pos = vertical ? OffsetY() : OffsetX();
    switch (code) {
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = si.nTrackPos;
            break;
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = si.nMax;
            break;
        default:
            return;
    }
    if (vertical) {
        SetOffsetY(pos);
    } else {
        SetOffsetX(pos);
    }
}

void TVirtualDrawTreeWindow::OnWheel(int delta) {
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == WHEEL_PAGESCROLL)
        lines = static_cast<UINT>(std::max(1, RowsAreaHeight() / DefaultNodeHeight()));
    // Fine-grained wheels send small steps: they add up to whole rows.
    wheelRest_ += delta * static_cast<int>(lines);
    const int rows = wheelRest_ / WHEEL_DELTA;
    wheelRest_ -= rows * WHEEL_DELTA;
    if (rows != 0) WheelRows(-rows);
}

TShiftState TVirtualDrawTreeWindow::KeyboardShift() {
    TShiftState s;
    s.Shift = GetKeyState(VK_SHIFT) < 0;
    s.Ctrl = GetKeyState(VK_CONTROL) < 0;
    s.Alt = GetKeyState(VK_MENU) < 0;
    return s;
}

TShiftState TVirtualDrawTreeWindow::MouseShift(WPARAM wParam) {
    TShiftState s;
    s.Shift = (wParam & MK_SHIFT) != 0;
    s.Ctrl = (wParam & MK_CONTROL) != 0;
    s.Alt = GetKeyState(VK_MENU) < 0;
    return s;
}

bool TVirtualDrawTreeWindow::OnKey(WPARAM key) {
    TNavKey nav;
    switch (key) {
        case VK_UP:
            nav = TNavKey::Up;
            break;
        case VK_DOWN:
            nav = TNavKey::Down;
            break;
        case VK_PRIOR:
            nav = TNavKey::PageUp;
            break;
        case VK_NEXT:
            nav = TNavKey::PageDown;
            break;
        case VK_HOME:
            nav = TNavKey::Home;
            break;
        case VK_END:
            nav = TNavKey::End;
            break;
        case VK_LEFT:
            nav = TNavKey::Left;
            break;
        case VK_RIGHT:
            nav = TNavKey::Right;
            break;
        case VK_SPACE:
            nav = TNavKey::Space;
            break;
        default:
            return false;
    }
    return KeyDown(nav, KeyboardShift());
}

LRESULT TVirtualDrawTreeWindow::OnHeaderNotify(const NMHDR& hdr) {
    const auto& nm = reinterpret_cast<const NMHEADERW&>(hdr);
    const int column = nm.iItem >= 0 && nm.iItem < static_cast<int>(headerColumns_.size())
                           ? headerColumns_[nm.iItem]
                           : kNoColumn;
    switch (hdr.code) {
        case HDN_ITEMCLICKW:
        case HDN_ITEMDBLCLICKW: {
            THeaderHitInfo hit;
            hit.Column = column;
            hit.Button = nm.iButton == 1   ? TMouseButton::Right
                         : nm.iButton == 2 ? TMouseButton::Middle
                                           : TMouseButton::Left;
            hit.Shift = KeyboardShift();
            if (column == kNoColumn) return 0;
            if (hdr.code == HDN_ITEMCLICKW) {
                HeaderClick(hit);
            } else {
                HeaderDblClick(hit);
            }
            return 0;
        }
        case HDN_ITEMCHANGEDW:
            if (!syncing_ && column != kNoColumn && nm.pitem != nullptr &&
                (nm.pitem->mask & HDI_WIDTH)) {
                SetColumnWidth(column, nm.pitem->cxy);
            }
            return 0;
        case HDN_ENDDRAG:
            // The header changes its order after this returns.
            PostMessageW(Handle(), kApplyHeaderOrder, 0, 0);
            return FALSE;
        default:
            return 0;
    }
}

LRESULT TVirtualDrawTreeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            header_ = CreateWindowExW(
                0, WC_HEADERW, L"",
                WS_CHILD | WS_VISIBLE | HDS_BUTTONS | HDS_HORZ | HDS_DRAGDROP | HDS_FULLDRAG, 0, 0,
                0, HeaderHeight(), Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
            UpdateSize();
            SyncHeader();
            UpdateScrollBars();
            return 0;
        case WM_SIZE:
            UpdateSize();
            UpdateScrollBars();
            InvalidateRect(Handle(), nullptr, FALSE);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_VSCROLL:
            OnScroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            SetFocus(Handle());
            MouseDown(message == WM_LBUTTONDOWN ? TMouseButton::Left : TMouseButton::Right,
                      GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), MouseShift(wParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            DoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            SetFocused(message == WM_SETFOCUS);
            return 0;
        case WM_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
            if (hdr != nullptr && hdr->hwndFrom == header_) return OnHeaderNotify(*hdr);
            break;
        }
        case kApplyHeaderOrder:
            ApplyHeaderOrder();
            return 0;
        case WM_DESTROY:
            header_ = nullptr;
            headerColumns_.clear();
            break;
        default:
            break;
    }
    return TWindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::toolkit::win32
