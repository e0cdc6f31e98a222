#include "app/win32/Win32Startup.h"

#include <ole2.h>

#include "app/Globals.h"
#include "app/OnlineHelp.h"
#include "app/ServiceChannel.h"
#include "app/win32/FormAbout.h"
#include "app/win32/FormORV.h"
#include "app/win32/FormYesNo.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"
#include "skin/SkinCatalogue.h"
#include "skin/win32/Form_ToolTips.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::app {

TWin32Startup::TWin32Startup()
    : application_(std::make_unique<toolkit::TComponent>()),
      toolTips_(std::make_unique<skin::TToolTips>()) {}

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
    h.ChooseSkinFolder = [this] { ChooseSkinFolder(); };
    h.CompleteMainWindow = [this] { CompleteMainWindow(); };
    h.CreateOptionsDialog = [this] { CreateOptionsDialog(); };
    h.RegisterHeaderTooltips = [this] { RegisterHeaderTooltips(); };
    h.ShowMainmenu = [this] {
        if (form_) form_->ShowMainmenu();
    };
    h.ShowMainmenu_Real = [this] {
        if (form_) form_->ShowMainmenu_Real();
    };
    return h;
}

void TWin32Startup::InitialiseModules() {
    if (!oleInitialised_) oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    // The page-switch thread, the thread timers and the tooltips hand their steps over here.
    toolkit::win32::InstallUiThreadCall();
}

void TWin32Startup::FinaliseModules() {
    // Pages with the application object, then the window: they may still hold OLE objects.
    if (form_) {
        form_->CurrentModuleForm = nullptr;
        form_->ToolTips = nullptr;
    }
    if (application_) application_->DestroyComponents();
    options_.reset();
    toolTips_ = std::make_unique<skin::TToolTips>();
    InstallAnalysisPage(nullptr);
    form_.reset();
    if (oleInitialised_) {
        service::tinet_Shutdown();
        OleUninitialize();
        oleInitialised_ = false;
    }
}

bool TWin32Startup::CreateMainWindow() {
    form_ = std::make_unique<TForm_KT7>(application_.get());
    // The main window's end is the application's end.
    form_->OnDestroyed = [] { platform::Sys().PostQuit(0); };
    if (!form_->Create()) {
        form_.reset();
        return false;
    }
    // The analysis page is the page the window shows.
    InstallAnalysisPage(form_.get());
    form_->Show();
    return true;
}

void TWin32Startup::ChooseSkinFolder() {
    skinFolder_ = skin::GetActiveSkinFolder();
}

void TWin32Startup::CompleteMainWindow() {
    if (!form_) return;
    form_->SkinFolder = skinFolder_;
    form_->Services = ProgramServices();
    form_->ToolTips = toolTips_.get();
    form_->Perform_EveryThingAfterOnCreate();
    SetDialogStripe(form_->Stripe());
    SetDialogSkinFolder(skinFolder_);
    skin::win32::ConnectToolTips(*toolTips_, *form_, skinFolder_, ProgramFolder, form_->Stripe());
}

void TWin32Startup::CreateOptionsDialog() {
    if (!form_) return;
    MakeOptionsDialog();
    form_->Services.OptionsDialog = [this]() -> TOptionsDialogLink* { return options_.get(); };
    // A reset asks for a new dialog with the design defaults.
    form_->Services.RecreateOptionsDialog = [this] {
        options_.reset();
        MakeOptionsDialog();
    };
    LinkToolTipsToOptions(*toolTips_, [this] { return options_.get(); });
}

void TWin32Startup::MakeOptionsDialog() {
    options_ = std::make_unique<TForm_Options>();
    options_->Services.CurrentModuleClassName = [this] {
        return form_ && form_->CurrentModuleForm
                   ? std::u16string(form_->CurrentModuleForm->ClassName())
                   : std::u16string();
    };
    if (!options_->Create(form_->Handle(), skinFolder_, ProgramFolder, form_->Stripe())) {
        platform::DebugOutput(u"Options: the dialog could not be created");
        options_.reset();
    }
}

void TWin32Startup::RegisterHeaderTooltips() {
    // The window object still exists when it was closed meanwhile; its controls do too.
    if (!form_) return;
    toolTips_->AddToList(form_->MirelMouseImage3State_options, lang::Msg(u"MESSAGE_OPTIONS"),
                         lang::Msg(u"MESSAGEHTML_TOOLTIPS_OPTIONS"));
    toolTips_->AddToList(form_->MirelMouseImage3State_IM, lang::Msg(u"MESSAGE_TOOLTIPS_HEADER_IM"),
                         lang::Msg(u"MESSAGEHTML_TOOLTIPS_IM"));
    toolTips_->AddToList(form_->MirelMouseImage3State_Feedback,
                         lang::Msg(u"MESSAGE_TOOLTIPS_HEADER_FEEDBACK"),
                         lang::Msg(u"MESSAGEHTML_TOOLTIPS_FEEDBACK"));
}

void TWin32Startup::BringMainWindowToFront() {
    if (form_) form_->BringToFront();
}

TMainWindowServices ProgramServices() {
    TMainWindowServices s;
    s.OpenOnlineHelp = [](std::string_view keyword) { OpenOnlineHelp(keyword); };
    s.OpenLinkTarget = [](std::u16string_view target) { service::OpenServiceLinkTarget(target); };
    s.ShowAboutBox = [](HWND, std::u16string_view caption) { ShowAboutBox(caption); };
    s.Show_Info = [](std::u16string_view text) { app::Show_Info(text); };
    s.Show_Warning = [](std::u16string_view text) { app::Show_Warning(text); };
    s.AskYesOrNo = [](std::u16string_view text, int defaultButton) {
        return static_cast<int>(app::AskYesOrNo(text, static_cast<uint16_t>(defaultButton)));
    };
    s.ReadUseSkin = [] {
        return Reg_ReadString(RegRoot::LocalMachine, settings::kOptionsKey, settings::kUseSkin);
    };
    s.ReadForceLanguage = [] {
        return Reg_ReadString(RegRoot::LocalMachine, settings::kOptionsKey,
                              settings::kForceLanguage);
    };
    s.CurrentLanguageCode = [] { return lang::CurrentLanguageFile; };
    s.InternetMenu = [] {
        std::vector<TInternetItem> items;
        for (const service::TInternetMenuItem& i : service::ReadInternetMenu()) {
            items.push_back(
                TInternetItem{i.ID, i.Caption, i.Separator, static_cast<HICON>(i.Image)});
        }
        return items;
    };
    s.ProcessInternetItem = [](HWND window, int32_t id) {
        return service::tinet_ProcessMenuItem(window, id);
    };
    s.AddFeature = [](std::u16string_view feature) {
        service::tinet_AnalyticsManagerAddFeature(feature, 1);
    };
    s.ProblemReportSend = [](HWND window) { service::tinet_ProblemReportSend(window); };
    s.StartAnalyticsConfig = [](HWND window) { service::tinet_StartAnalyticsConfig(window); };
    return s;
}

}  // namespace orv::app
