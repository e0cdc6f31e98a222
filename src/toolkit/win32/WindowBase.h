#pragma once
// The base of every window the toolkit makes: it owns its HWND, binds itself to it at
// WM_NCCREATE and routes the window's messages to HandleMessage. Closing or destroying a
// window never ends the message loop; whoever runs the loop decides that.
#include <windows.h>

namespace orv::toolkit::win32 {

class TWindowBase {
  public:
    virtual ~TWindowBase();
    TWindowBase(const TWindowBase&) = delete;
    TWindowBase& operator=(const TWindowBase&) = delete;

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    // Destroys the window now; the object stays usable and may create a new one.
    void DestroyHandle();

    // The object bound to a window made by this base; null for any other window.
    static TWindowBase* FromHandle(HWND window);

  protected:
    TWindowBase() = default;

    // Registers a window class whose procedure routes to HandleMessage; registering the
    // same name again is not an error.
    static bool RegisterWindowClass(const wchar_t* className, UINT classStyle, HCURSOR cursor,
                                    HBRUSH background);
    // Creates the window of a class registered above, bound to this object.
    bool CreateHandle(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* title,
                      int x, int y, int width, int height, HWND parent, HMENU menuOrId = nullptr);

    // Every message after WM_NCCREATE up to WM_NCDESTROY; the default hands it to
    // DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone (WM_NCDESTROY, also when Windows destroyed it with its parent).
    virtual void HandleDestroyed() {}

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace orv::toolkit::win32
