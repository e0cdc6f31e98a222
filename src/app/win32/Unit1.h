#pragma once
// The main window TForm_KT7 in its first form: a borderless top-level window with a taskbar
// button, registered under the class name the single-instance guard looks for.
#include <functional>

#include "toolkit/win32/WindowBase.h"

namespace orv::app {

class TForm_KT7 : public toolkit::win32::TWindowBase {
  public:
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 700;

    ~TForm_KT7() override;

    // Creates the window centred on the work area, hidden.
    bool Create();
    void Show();
    void BringToFront();

    // Runs when the window has been destroyed; the application ends its message loop here.
    std::function<void()> OnDestroyed;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void FormCreate();
    void FormClose();
    void Paint();

    HFONT titleFont_ = nullptr;
};

}  // namespace orv::app
