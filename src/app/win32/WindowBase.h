#pragma once
// The smallest window base: a C++ object per window, bound to its HWND at WM_NCCREATE and
// unbound at WM_NCDESTROY. It never ends the program when its window goes; whoever owns the
// main window decides that.
#include <windows.h>

namespace orv::app {

class TWindowBase {
  public:
    TWindowBase() = default;
    virtual ~TWindowBase();
    TWindowBase(const TWindowBase&) = delete;
    TWindowBase& operator=(const TWindowBase&) = delete;

    HWND Handle() const { return hwnd_; }
    // Destroys the window now (WM_DESTROY reaches the derived class while it still exists).
    void DestroyHandle();

  protected:
    // Registers a class whose windows are served by this base; a class registered before
    // counts as success.
    static bool RegisterWindowClass(const wchar_t* className, HCURSOR cursor);
    bool CreateHandle(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle,
                      const RECT& bounds, HWND parent);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace orv::app
