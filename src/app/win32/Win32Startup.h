#pragma once
// The Windows pieces of start-up: OLE and the hand-over window for the user-interface thread,
// the main window with its skin folder, services and header tooltips, and the start page. The
// application owns the main window and the pages and ends the message loop when the window
// is destroyed.
#include <memory>

#include "app/Startup.h"
#include "app/win32/FormOptions.h"
#include "app/win32/Unit1.h"
#include "skin/Form_ToolTips.h"
#include "toolkit/Component.h"

namespace orv::app {

class TWin32Startup {
  public:
    TWin32Startup();
    ~TWin32Startup();
    TWin32Startup(const TWin32Startup&) = delete;
    TWin32Startup& operator=(const TWin32Startup&) = delete;

    // Hooks bound to this object, which must outlive the start-up run.
    StartupHooks Hooks();
    TForm_KT7* MainForm() const { return form_.get(); }
    skin::TToolTips& ToolTips() { return *toolTips_; }
    // The skin folder start-up chose (empty before).
    const std::u16string& SkinFolder() const { return skinFolder_; }
    // The options dialog from start-up step 11 on; null before and after the end.
    TForm_Options* OptionsDialog() const { return options_.get(); }

  private:
    void InitialiseModules();
    void FinaliseModules();
    bool CreateMainWindow();
    void ChooseSkinFolder();
    void CompleteMainWindow();
    void RegisterHeaderTooltips();
    void CreateOptionsDialog();
    void MakeOptionsDialog();
    void BringMainWindowToFront();

    // The application object: owner of the pages, freed before the main window.
    std::unique_ptr<toolkit::TComponent> application_;
    std::unique_ptr<skin::TToolTips> toolTips_;
    std::unique_ptr<TForm_KT7> form_;
    std::unique_ptr<TForm_Options> options_;
    std::u16string skinFolder_;
    bool oleInitialised_ = false;
};

// The services of the real program: dialogs, help, links, the service channel, the settings.
TMainWindowServices ProgramServices();

}  // namespace orv::app
