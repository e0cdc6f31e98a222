#pragma once
// The tab strip and the page control as Win32 controls. The strip is a window that draws its
// tabs through a back buffer and follows the mouse for the hovered tab. The page control is a
// plain container; each of its pages is a window that hosts controls (graphic children painted
// by it, windowed children as its child windows) and is shown only while it is the active page.
#include <windows.h>

#include "toolkit/TabControls.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TAdvOfficeTabSetWindow : public TAdvOfficeTabSet,
                               public TWindowBase,
                               private TAdvOfficeTabSet::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaTabSet";

    explicit TAdvOfficeTabSetWindow(TComponent* owner = nullptr);
    ~TAdvOfficeTabSetWindow() override;

    bool CreateWindowIn(HWND parent, int x, int y, int width, int height);
    // Paints the whole strip into dc, as WM_PAINT does.
    void PaintTo(HDC dc);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ModelChanged(unsigned what) override;
    void EnsureLayout();
    void OnPaint();

    bool tracking_ = false;
};

class TPageControlWindow;

class TTabSheetWindow : public TGraphicHostWindow, public TTabSheet {
  public:
    explicit TTabSheetWindow(TComponent* owner = nullptr);
    TComponent& SheetComponent() override { return *this; }
    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption_ : nullptr;
    }

    // Makes the page one of the page control's (when it is not yet) and creates its window
    // over the page control's whole client area; the page control's window must exist.
    bool CreateIn(TPageControlWindow& pageControl);

  protected:
    void ActiveChanged(bool active) override;
};

class TPageControlWindow : public TPageControl, public TWindowBase {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaPageControl";

    explicit TPageControlWindow(TComponent* owner = nullptr) : TPageControl(owner) {}
    ~TPageControlWindow() override;

    bool CreateWindowIn(HWND parent, int x, int y, int width, int height);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void LayoutPages();
};

}  // namespace orv::toolkit::win32
