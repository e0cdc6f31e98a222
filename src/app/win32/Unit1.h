#pragma once
// TForm_KT7, the main window: borderless with its own header (band, logo, seven picture
// buttons), a custom frame that keeps sizing edges, the module area that hosts one page, the
// help, internet and options menus, the page-switch thread and the close sequence.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/ModuleHost.h"
#include "app/win32/MainWindowParts.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/PellThreadTimer.h"
#include "skin/stripeskins.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/PopupMenu.h"

namespace orv::skin {
class TToolTips;
}

namespace orv::app {

// The options dialog as the main window drives it (the dialog itself comes with its own part).
class TOptionsDialogLink {
  public:
    virtual ~TOptionsDialogLink() = default;
    virtual void SetCurrent_Sender(toolkit::TComponent* sender) = 0;
    virtual void ShowModal() = 0;
    virtual bool SIGNAL_RECREATE_FORM() const = 0;
};

// One entry of the internet menu as the service channel gives it.
struct TInternetItem {
    int32_t ID = 0;
    std::u16string Caption;  // "-" for a separator
    bool Separator = false;
    HICON Icon = nullptr;  // not owned; null: no image
};

// What the window reaches outside itself; unset entries do nothing (tests leave them unset).
struct TMainWindowServices {
    std::function<void(std::string_view keyword)> OpenOnlineHelp;
    std::function<void(std::u16string_view target)> OpenLinkTarget;
    std::function<void(HWND owner, std::u16string_view caption)> ShowAboutBox;
    std::function<void(std::u16string_view text)> Show_Info;
    std::function<void(std::u16string_view text)> Show_Warning;
    std::function<int(std::u16string_view text, int defaultButton)> AskYesOrNo;
    // The options dialog while it exists, and how to make a new one when it asked for that.
    std::function<TOptionsDialogLink*()> OptionsDialog;
    std::function<void()> RecreateOptionsDialog;
    // UseSkin and ForceLanguage_LCID from the Options key.
    std::function<std::u16string()> ReadUseSkin;
    std::function<std::u16string()> ReadForceLanguage;
    std::function<std::u16string()> CurrentLanguageCode;
    // The service channel.
    std::function<std::vector<TInternetItem>()> InternetMenu;
    std::function<int32_t(HWND window, int32_t id)> ProcessInternetItem;
    std::function<void(std::u16string_view feature)> AddFeature;
    std::function<void(HWND window)> ProblemReportSend;
    std::function<void(HWND window)> StartAnalyticsConfig;
};

class TForm_KT7 : public toolkit::win32::TGraphicHostWindow, public TModuleSwitchTarget {
  public:
    // application owns the pages; null makes the window their owner.
    explicit TForm_KT7(toolkit::TComponent* application = nullptr);
    ~TForm_KT7() override;

    // Creates the window (hidden) centred on the work area with the design client size.
    bool Create();
    void Show();
    void BringToFront();

    // Start-up's completion step, with SkinFolder set to the active skin folder.
    void Perform_EveryThingAfterOnCreate();
    void ChangeModule(const TFormClass* formClass, bool isStartPage);
    void ChangeModule_Real(const TFormClass* formClass, bool isStartPage);
    void ShowMainmenu();
    void ShowMainmenu_Real();
    void EnableDisable_Modulwechsel(bool enable);
    void Update_MaximizeButtons_and_Sizegrip();
    void Enable_or_Disable_EX_COMPOSITED(bool on);
    void APPLY_Translation_and_Skin();
    void INIT_INTERNETMENU();
    int KeepFormLoaded_isKeepForm(const TModuleForm* form) const;
    int KeepFormLoaded_isKeepFormClass(const TFormClass* formClass) const;
    void KeepFormLoaded_ClearAll();
    void LayoutModuleArea();
    void AskForOptions(toolkit::TComponent* sender);
    void OpenHelp();

    // The dialogs, through the services.
    int AskYesOrNo(std::u16string_view text, int defaultButton);
    void Show_Info(std::u16string_view text);
    void Show_Warning(std::u16string_view text);

    // Runs when the window has been destroyed; the application ends its message loop here.
    std::function<void()> OnDestroyed;

    TMainWindowServices Services;
    std::u16string SkinFolder;
    skin::TToolTips* ToolTips = nullptr;

    // Controls.
    TShape* Shape_Header;
    toolkit::TImage* Image_Logo;
    TShape* Shape_AntiFlicker1;
    TShape* Shape_AntiFlicker2;
    skin::TMirelMouseImage3State* MirelMouseImage3State_Close;
    skin::TMirelMouseImage3State* MirelMouseImage3State_Maximize;
    skin::TMirelMouseImage3State* MirelMouseImage3State_Minimize;
    skin::TMirelMouseImage3State* MirelMouseImage3State_Help;
    skin::TMirelMouseImage3State* MirelMouseImage3State_options;
    skin::TMirelMouseImage3State* MirelMouseImage3State_IM;
    skin::TMirelMouseImage3State* MirelMouseImage3State_Feedback;
    toolkit::TImage* Image_SizeGrip;
    TModuleArea* Panel1;
    toolkit::win32::TPopupMenu* AdvPopupMenu_Help;
    toolkit::win32::TMenuItem* MenuItem_help_Help;
    toolkit::win32::TMenuItem* MenuItem_help_BetaReport;
    toolkit::win32::TMenuItem* N1;
    toolkit::win32::TMenuItem* MenuItem_help_About;
    toolkit::win32::TPopupMenu* AdvPopupMenu_IM;
    toolkit::win32::TPopupMenu* AdvPopupMenu_Options;
    toolkit::win32::TMenuItem* MenuItem_Options;
    toolkit::win32::TMenuItem* MenuItems_talinetStatistics;
    toolkit::win32::TMenuStyler* AdvMenuOfficeStyler1;
    toolkit::TPngImageList PngImageList_16{16, 16};
    toolkit::TPngImageList PngImageList16_Module{16, 16};
    toolkit::TPngImageList ImageList_IM{16, 16};
    skin::TPellThreadTimer* PellThreadTimer_Redraw;

    // Fields.
    bool fFirstOnShowDone = false;
    std::u16string LastHelpKeyword;
    TModuleForm* CurrentModuleForm = nullptr;
    bool CurrentModuleForm_isStartPage = false;
    std::function<void()> CurrentModuleForm_OnOptionsChanged;
    TKeepFormList<TModuleForm, const TFormClass*> KeepFormsLoaded;

    TMainMenuSwitcherThread* SwitcherThread() const { return switcher_.get(); }
    const skin::TStripeSkinner* Stripe() const { return stripe_.get(); }
    const TSizeConstraints& Constraints() const { return constraints_; }
    bool Maximized() const;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void SwitchToStartPage() override { ShowMainmenu_Real(); }
    void SwitchModule(const void* formClass, bool isStartPage) override {
        ChangeModule_Real(static_cast<const TFormClass*>(formClass), isStartPage);
    }

    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void FormShow();
    void FormResize();
    void LayoutAnchoredControls();
    void PlaceSizeGrip();
    void LoadHeaderLogo();
    void SetButtonPictures(skin::TMirelMouseImage3State* button, std::u16string_view normal,
                           std::u16string_view hover);
    std::u16string SkinFile(std::u16string_view name) const;
    void HeaderMouseDown(toolkit::TComponent*, toolkit::TMouseButton button, int, int);
    void SizeGripMouseDown(toolkit::TComponent*, toolkit::TMouseButton button, int, int);
    void PopupBelow(toolkit::win32::TPopupMenu* menu, const toolkit::TControl* button);
    void InternetItemClick(toolkit::TComponent* sender);
    void HideToolTip();
    void Translate();
    void PellThreadTimer_RedrawTimer();
    void CloseButtonClick();
    bool CalcCustomFrame(WPARAM wParam, LPARAM lParam);

    toolkit::TComponent* application_;
    std::unique_ptr<TMainMenuSwitcherThread> switcher_;
    std::unique_ptr<skin::TStripeSkinner> stripe_;
    TSizeConstraints constraints_{kDesignMinWidth, kDesignMinHeight, 0, 0};
    // Panel1 keeps its distance to the right and bottom edges.
    int panelRightMargin_ = 0;
    // The client width the right-anchored controls are placed for (the design's at first).
    int layoutWidth_ = kDesignClientWidth;
    int panelBottomMargin_ = 0;
    bool closing_ = false;
    // A page's long work (a scan) runs between EnableDisable_Modulwechsel(false) and (true),
    // pumping messages; a close asked for meanwhile waits until it is over, so the page and
    // its engine are not freed under it.
    bool modulesLocked_ = false;
    bool closePending_ = false;
};

// The menu style the pages give to their menus; null before the main window's completion.
toolkit::win32::TMenuStyler* SharedMenuStyler();

}  // namespace orv::app
