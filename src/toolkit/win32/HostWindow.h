#pragma once
// A plain window that only hosts other controls: a top-level frame or a child panel. What
// happens when it closes is up to its owner (OnClosed), never the end of the program.
#include <windows.h>

#include <functional>

#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class THostWindow : public TWindowBase {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaHost";

    THostWindow() = default;
    ~THostWindow() override;

    // A top-level window with a caption and the given client size.
    bool CreateTopLevel(const wchar_t* title, int clientWidth, int clientHeight);
    // A child window without border.
    bool CreateChild(HWND parent, int x, int y, int width, int height);

    // After the window was resized, with the new client size.
    std::function<void(int width, int height)> OnResized;
    // After the window was destroyed (closed by the user or with its parent).
    std::function<void()> OnClosed;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleDestroyed() override;

  private:
    static bool Register();
};

}  // namespace orv::toolkit::win32
