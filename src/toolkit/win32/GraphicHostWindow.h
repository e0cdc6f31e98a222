#pragma once
// A window that hosts graphic controls: it paints them through a back buffer in the order they
// were parented, tracks the mouse for their enter and leave notifications and feeds them
// presses and releases. As a component it is their parent; its class name is the form's.
// Top-level frames, child panels and borderless forms (the tooltip window) are made from it.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Controls.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TGraphicHostWindow : public TComponent, public TGraphicHost, public TWindowBase {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaGraphicHost";

    explicit TGraphicHostWindow(TComponent* owner = nullptr,
                                std::u16string_view className = u"TForm");
    ~TGraphicHostWindow() override;

    std::u16string_view ClassName() const override { return className_; }

    // Counts the modal loops run in this process (TModalForm calls it): a click that ran one
    // finds the mouse elsewhere afterwards.
    static void NoteModalLoop();

    bool CreateTopLevel(const wchar_t* title, int x, int y, int clientWidth, int clientHeight);
    bool CreateChild(HWND parent, int x, int y, int width, int height);
    // A popup without border or caption that never takes the focus, owned by owner.
    bool CreateBorderless(HWND owner, const wchar_t* title, int x, int y, int width, int height);

    // Fills the client area before the controls paint.
    TColor Color() const { return color_; }
    void SetColor(TColor c);

    int ClientWidth() const;
    int ClientHeight() const;

    // Paints the background and every visible control into dc, as WM_PAINT does.
    void PaintTo(HDC dc, int width, int height);

    TComponent& HostComponent() override { return *this; }
    void InvalidateArea(const TRect& r) override;
    void HostToScreen(int& x, int& y) const override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static bool Register();
    void OnPaint();
    void TrackLeave();

    std::u16string className_;
    TColor color_ = 0xFFFFFF;
    bool tracking_ = false;
};

}  // namespace orv::toolkit::win32
