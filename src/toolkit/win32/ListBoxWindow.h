#pragma once
// The list box as a Win32 control: a window of our own that paints the rows of the portable
// list box through a back buffer, one item at a time clipped to its row, and feeds it mouse,
// keyboard, wheel and scroll-bar input.
#include <windows.h>

#include "toolkit/ListBox.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TListBoxWindow : public TListBox, public TWindowBase, private TListBox::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaListBox";

    explicit TListBoxWindow(TComponent* owner = nullptr);
    ~TListBoxWindow() override;

    // Creates the control as a child window; border draws the sunken edge.
    bool CreateWindowIn(HWND parent, int x, int y, int width, int height, bool border = true);

    // Paints the whole client area into dc, as WM_PAINT does.
    void PaintTo(HDC dc);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ModelChanged(unsigned what) override;
    void UpdateScrollBar();
    void OnPaint();
    void OnScroll(int code);
    bool OnKey(WPARAM key);

    bool scrollPending_ = true;
    bool inScrollUpdate_ = false;
    int wheelRest_ = 0;
};

}  // namespace orv::toolkit::win32
