#include "app/win32/Win32Startup.h"

#include <ole2.h>

#include "app/Globals.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"

namespace orv::app {

TWin32Startup::~TWin32Startup() {
    FinaliseModules();
}

StartupHooks TWin32Startup::Hooks() {
    StartupHooks h;
    h.InitialiseModules = [this] { InitialiseModules(); };
    h.FinaliseModules = [this] { FinaliseModules(); };
    h.CreateMainWindow = [this] { return CreateMainWindow(); };
    h.BringMainWindowToFront = [this] { BringMainWindowToFront(); };
    h.SelectLanguage = [] { lang::ChooseStartupLanguage(ProgramFolder); };
    h.LoadMessageCatalogue = [](std::u16string_view folder) { lang::LoadStartupCatalogue(folder); };
    return h;
}

void TWin32Startup::InitialiseModules() {
    if (!oleInitialised_) oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
}

void TWin32Startup::FinaliseModules() {
    // Windows first: they may still hold OLE objects.
    form_.reset();
    if (oleInitialised_) {
        OleUninitialize();
        oleInitialised_ = false;
    }
}

bool TWin32Startup::CreateMainWindow() {
    form_ = std::make_unique<TForm_KT7>();
    // The main window's end is the application's end.
    form_->OnDestroyed = [] { platform::Sys().PostQuit(0); };
    if (!form_->Create()) {
        form_.reset();
        return false;
    }
    form_->Show();
    return true;
}

void TWin32Startup::BringMainWindowToFront() {
    if (form_) form_->BringToFront();
}

}  // namespace orv::app
