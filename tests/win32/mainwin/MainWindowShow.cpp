// Not a test: the main window with the shipped default skin and the start page, for a person
// to look at. mainwin_show.exe [normal|maximized|helpmenu] [seconds]
#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/Globals.h"
#include "app/win32/Unit1.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/win32/Win32System.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace {
orv::app::TForm_KT7* g_form = nullptr;
std::wstring g_mode;

void CALLBACK Act(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_mode == L"maximized") {
        g_form->MirelMouseImage3State_Maximize->Click();
    } else if (g_mode == L"helpmenu") {
        g_form->MirelMouseImage3State_Help->Click();
    }
}

void CALLBACK End(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    // Ends a menu loop as well as the main loop.
    EndMenu();
    if (g_form->HandleAllocated()) PostMessageW(g_form->Handle(), WM_CLOSE, 0, 0);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    g_mode = argc > 1 ? argv[1] : L"normal";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 6;
    orv::platform::win32::Win32System sys;
    orv::platform::SetSystem(&sys);
    orv::toolkit::win32::InstallUiThreadCall();
    orv::ProgramFolder = u"" ORVELLA_DATA_DIR;
    orv::lang::ChooseStartupLanguage(orv::ProgramFolder);
    orv::lang::LoadStartupCatalogue(orv::ProgramFolder + u"\\Translation");

    orv::toolkit::TComponent application;
    orv::app::TForm_KT7 form(&application);
    g_form = &form;
    form.SkinFolder = u"" ORVELLA_SKIN_DIR;
    form.OnDestroyed = [] { PostQuitMessage(0); };
    if (!form.Create()) return 1;
    form.Show();
    form.Perform_EveryThingAfterOnCreate();
    form.ShowMainmenu_Real();
    form.BringToFront();
    SetTimer(nullptr, 0, 1500, Act);
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), End);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    form.CurrentModuleForm = nullptr;
    application.DestroyComponents();
    orv::platform::SetSystem(nullptr);
    return 0;
}
