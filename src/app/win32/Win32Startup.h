#pragma once
// The Windows pieces of start-up: OLE for the user-interface thread and the main window. The
// application owns the main window and ends the message loop when it is destroyed.
#include <memory>

#include "app/Startup.h"
#include "app/win32/Unit1.h"

namespace orv::app {

class TWin32Startup {
  public:
    TWin32Startup() = default;
    ~TWin32Startup();
    TWin32Startup(const TWin32Startup&) = delete;
    TWin32Startup& operator=(const TWin32Startup&) = delete;

    // Hooks bound to this object, which must outlive the start-up run.
    StartupHooks Hooks();
    TForm_KT7* MainForm() const { return form_.get(); }

  private:
    void InitialiseModules();
    void FinaliseModules();
    bool CreateMainWindow();
    void BringMainWindowToFront();

    std::unique_ptr<TForm_KT7> form_;
    bool oleInitialised_ = false;
};

}  // namespace orv::app
