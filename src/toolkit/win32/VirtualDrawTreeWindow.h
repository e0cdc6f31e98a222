#pragma once
// The tree grid as a Win32 control: a window that paints the portable grid's rows through a
// back buffer, shows its columns in a header control (sort glyph, resizing, dragging) and
// turns mouse, keyboard, wheel and scroll-bar input into the grid's input calls.
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/VirtualDrawTree.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TVirtualDrawTreeWindow : public TVirtualDrawTree,
                               public TWindowBase,
                               private TVirtualDrawTree::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaTreeGrid";

    explicit TVirtualDrawTreeWindow(TComponent* owner = nullptr);
    ~TVirtualDrawTreeWindow() override;

    // Creates the control as a child window; border draws the sunken edge.
    bool CreateWindowIn(HWND parent, int x, int y, int width, int height, bool border = true);
    HWND HeaderHandle() const { return header_; }
    // The header item that shows a column, -1 when the column is hidden.
    int HeaderItemOf(int column) const;

    // Paints the rows within area (client coordinates) into dc, as WM_PAINT does.
    void PaintTo(HDC dc, const RECT& area);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static constexpr UINT kApplyHeaderOrder = WM_APP + 1;

    void ModelChanged(unsigned what) override;
    void UpdateSize();
    void UpdateScrollBars();
    void SyncHeader();
    void LayoutHeader();
    void ApplyHeaderOrder();
    void EnsureFonts();
    void OnPaint();
    void OnScroll(int bar, int code);
    void OnWheel(int delta);
    LRESULT OnHeaderNotify(const NMHDR& hdr);
    bool OnKey(WPARAM key);
    static TShiftState KeyboardShift();
    static TShiftState MouseShift(WPARAM wParam);

    HWND header_ = nullptr;
    UniqueFont font_;
    std::u16string fontName_;
    int fontHeight_ = 0;
    UniqueFont headerFont_;
    std::u16string headerFontName_;
    UniqueBitmap buffer_;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    bool bufferValid_ = false;
    bool layoutPending_ = true;
    bool headerPending_ = true;
    bool inLayout_ = false;
    bool syncing_ = false;            // the header's notifications of our own changes are ignored
    std::vector<int> headerColumns_;  // the column each header item shows
    int wheelRest_ = 0;
};

}  // namespace orv::toolkit::win32
