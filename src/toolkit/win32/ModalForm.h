#pragma once
// A top-level form shown modally: while ShowModal runs, the thread's other windows are
// disabled and the form's own message loop runs until the form sets a modal result or its
// window goes. A close request (close box, Alt+F4, Close()) asks CloseQuery first. Keys reach
// PreviewKey before they are dispatched, whichever of the form's windows they are for.
#include <windows.h>

#include <string_view>
#include <vector>

#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/PushButton.h"

namespace orv::toolkit::win32 {

// Modal results, with the Windows dialog identifiers.
inline constexpr int kMrNone = 0;
inline constexpr int kMrOk = IDOK;
inline constexpr int kMrCancel = IDCANCEL;

struct TModalFormStyle {
    bool SystemMenu = false;   // the caption's system menu and close box
    bool DialogFrame = false;  // the thick dialog frame instead of a single line
    bool StayOnTop = false;
};

class TModalForm : public TGraphicHostWindow {
  public:
    explicit TModalForm(TComponent* owner = nullptr, std::u16string_view className = u"TForm");
    ~TModalForm() override;

    // A window with a caption and a single fixed border, the given client size, centred on
    // the screen's work area, hidden, owned by the active window of the thread. The child
    // controls of `Buttons()` are created in it.
    bool CreateForm(std::u16string_view caption, int clientWidth, int clientHeight,
                    TModalFormStyle style);
    // Moves the form to the middle of over's window rectangle (the work area when over is no
    // visible window), kept inside the work area of over's monitor.
    void CenterOver(HWND over);
    void SetCaption(std::u16string_view caption);
    std::u16string Caption() const;

    // Shows the form and waits; the modal result (kMrCancel when the window went without one).
    // A WM_QUIT met on the way ends the wait and is posted again for the outer loop.
    int ShowModal();
    bool Showing() const { return inModalLoop_; }
    int ModalResult() const { return modalResult_; }
    // A non-zero result ends ShowModal.
    void SetModalResult(int result) { modalResult_ = result; }
    // Asks CloseQuery; when allowed ends ShowModal with kMrCancel unless a result is set.
    // True when the form closes.
    bool Close();

    // The form's system buttons and check boxes, in the order they were added; their windows
    // are created with the form's.
    void AddButton(TButtonControl* button) { buttons_.push_back(button); }
    const std::vector<TButtonControl*>& Buttons() const { return buttons_; }

    // The control to give the focus to when the form becomes active.
    void SetActiveControl(TButtonControl* control);
    TButtonControl* ActiveControl() const;

  protected:
    virtual bool CloseQuery() { return true; }
    // A key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR) for the form or one of its child
    // windows; true when it is used up.
    virtual bool PreviewKey(const MSG& msg) { return false; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Belongs(HWND window) const;
    std::vector<HWND> DisableThreadWindows();
    std::vector<TButtonControl*> buttons_;
    TButtonControl* activeControl_ = nullptr;
    int modalResult_ = kMrNone;
    bool inModalLoop_ = false;
};

}  // namespace orv::toolkit::win32
