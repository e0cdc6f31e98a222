#pragma once
// The splitter as a Win32 control: a thin window with the west-east cursor right of the window
// it resizes. While the left button is held it follows the mouse, resizes that window and moves
// itself along; the release (or losing the mouse) fires OnMoved when the width changed.
#include <windows.h>

#include "toolkit/Graphics.h"
#include "toolkit/Splitter.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TSplitterWindow : public TSplitter, public TWindowBase {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaSplitter";

    explicit TSplitterWindow(TComponent* owner = nullptr) : TSplitter(owner) {}
    ~TSplitterWindow() override;

    // Creates the splitter right of controlBefore (a sibling in the same parent), as high as it.
    bool CreateWindowIn(HWND parent, HWND controlBefore);
    // Puts the splitter right of its control again and refreshes the parent's width (after the
    // parent or the control changed size by other means).
    void Realign();
    HWND ControlBefore() const { return before_; }

    TColor Color = MakeColor(236, 236, 236);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ResizeControl(int width) override;

  private:
    int ParentX(LPARAM lParam) const;

    HWND before_ = nullptr;
};

}  // namespace orv::toolkit::win32
