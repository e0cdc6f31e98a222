#pragma once
// The progress bar as a Win32 control: a window of our own drawn flat by the portable model.
// Position changes that do not move the filled edge are not even invalidated, and those that do
// invalidate only the strip between the old and the new edge.
#include <windows.h>

#include "toolkit/ProgressBar.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TProgressBarWindow : public TProgressBar, public TWindowBase, private TProgressBar::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaProgressBar";

    explicit TProgressBarWindow(TComponent* owner = nullptr);
    ~TProgressBarWindow() override;

    // Creates the child window, shown when the model is visible.
    bool CreateWindowIn(HWND parent, int x, int y, int width, int height);
    // Paints the whole client area into dc, as WM_PAINT does.
    void PaintTo(HDC dc);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ModelChanged(unsigned what) override;
    int paintedFill_ = -1;  // filled width on screen; -1 before the first paint
};

}  // namespace orv::toolkit::win32
