#pragma once
// Drives a modal dialog from inside its own message loop: a thread timer runs one step per
// tick once a dialog is open, so a test can post keys to it and look at it while it waits.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>

#include "app/win32/FormYesNo.h"

namespace orv::testing {

class DialogSteps {
  public:
    using Step = std::function<void(app::TForm_YesNo&)>;
    explicit DialogSteps(std::deque<Step> steps) {
        steps_ = std::move(steps);
        idleTicks_ = 0;
        timer_ = SetTimer(nullptr, 0, 40, &DialogSteps::Tick);
    }
    ~DialogSteps() {
        KillTimer(nullptr, timer_);
        steps_.clear();
    }
    DialogSteps(const DialogSteps&) = delete;
    DialogSteps& operator=(const DialogSteps&) = delete;
    static bool Done() { return steps_.empty(); }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        app::TForm_YesNo* dlg = app::CurrentYesNoDialog();
        if (dlg == nullptr || !IsWindowVisible(dlg->Handle())) return;
        if (steps_.empty()) {
            // A dialog the steps did not answer would hang the test: answer it and say so.
            if (++idleTicks_ == 100) {
                ADD_FAILURE() << "the dialog is still open after its last step";
                for (auto* b : {dlg->Button_Nein, dlg->Button_Ok})
                    if (IsWindowVisible(b->Handle())) PostMessageW(b->Handle(), BM_CLICK, 0, 0);
            }
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(*dlg);
    }
    static inline std::deque<Step> steps_;
    static inline int idleTicks_ = 0;
    UINT_PTR timer_ = 0;
};

inline void PostKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
}

}  // namespace orv::testing
