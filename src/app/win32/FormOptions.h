#pragma once
// TForm_Options: the options dialog. Made once at start-up and kept until the program ends (or
// a reset replaces it); while hidden, its controls hold the current settings, which the
// analysis page reads straight from them. Shown modally by the main window's options command.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/OptionsAccess.h"
#include "app/win32/MainWindowParts.h"
#include "app/win32/Unit1.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton2.h"
#include "skin/stripeskins.h"
#include "toolkit/Controls.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/EditWindow.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/ListBoxWindow.h"
#include "toolkit/win32/ListViewWindow.h"
#include "toolkit/win32/ModalForm.h"
#include "toolkit/win32/PushButton.h"
#include "toolkit/win32/TabControlsWindow.h"

namespace orv::skin {
class TToolTips;
}

namespace orv::app {

// A page of the dialog: hosts graphic controls and the system controls made in it, and hands
// their notifications on.
class TOptionsSheet : public toolkit::win32::TTabSheetWindow {
  public:
    explicit TOptionsSheet(toolkit::TComponent* owner) : TTabSheetWindow(owner) {}

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A child panel of the dialog that hands on its buttons' notifications.
class TOptionsPanel : public toolkit::win32::TGraphicHostWindow {
  public:
    explicit TOptionsPanel(toolkit::TComponent* owner) : TGraphicHostWindow(owner, u"TPanel") {}

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A label whose text ends at its right edge.
class TRightLabel : public toolkit::TLabel {
  public:
    explicit TRightLabel(toolkit::TComponent* owner) : TLabel(owner) { SetAutoSize(false); }
    void Paint(toolkit::TPaintDevice& device) override;
};

// Where the dialog reaches outside itself; the program's defaults are set by the constructor,
// tests replace them.
struct TOptionsServices {
    std::function<int(std::u16string_view text, int defaultButton)> AskYesOrNo;
    std::function<void(std::u16string_view target)> OpenLinkTarget;
    std::function<void(HWND window)> ConfigureChannels;
    // The class name of the main window's current module page; empty without one.
    std::function<std::u16string()> CurrentModuleClassName;
};

class TForm_Options : public toolkit::win32::TModalForm,
                      public TOptionsDialogLink,
                      public TOptionsForPage {
  public:
    static constexpr int kClientWidth = 860;
    static constexpr int kClientHeight = 520;

    explicit TForm_Options(toolkit::TComponent* owner = nullptr);
    ~TForm_Options() override;

    // Creates the window and runs FormCreate. Pictures come from skinFolder and stripe (null:
    // no tile and header pictures), the language list from programFolder. owner: the window
    // the dialog is centred over and belongs to; may be null.
    bool Create(HWND owner, std::u16string_view skinFolder, std::u16string_view programFolder,
                const skin::TStripeSkinner* stripe);

    // The main window's side.
    void SetCurrent_Sender(toolkit::TComponent* sender) override { Current_Sender = sender; }
    // FormShow, then the modal loop.
    void ShowModal() override;
    bool SIGNAL_RECREATE_FORM() const override { return signalRecreateForm_; }

    // The analysis page's side.
    analysis::TFormatSettings FormatSettings() const override;
    void LOAD_OPTIONS(bool for_DC_only) override;
    void SAVE_OPTIONS();

    // Event handlers.
    void FormShow();
    void MirelMouseImage3State1Click(toolkit::TComponent* sender);
    void AdvOfficeTabSet1Change(toolkit::TComponent* sender);
    void Button_OkClick(toolkit::TComponent* sender);
    void Button_ResetClick(toolkit::TComponent* sender);
    void CheckBox_ShowContextMenuClick(toolkit::TComponent* sender);
    void HTMLabel_Options_GUI_TranslationLinkTargetAnchorClick(toolkit::TComponent* sender,
                                                               const std::u16string& href);
    void Button_ConfigChannelsClick(toolkit::TComponent* sender);

    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        return kind == toolkit::TTextSlotKind::Caption ? &caption_ : nullptr;
    }

    TOptionsServices Services;
    toolkit::TComponent* Current_Sender = nullptr;

    // Navigation.
    TOptionsPanel* Panel_Navi;
    toolkit::TImage* Image_Navi_Back;
    skin::TMirelMouseImage3State* MirelMouseImage3State1;
    skin::TMirelMouseImage3State* MirelMouseImage3State8;
    toolkit::win32::TAdvOfficeTabSetWindow* AdvOfficeTabSet1;
    TShape* Shape_Tabs;
    toolkit::win32::TPageControlWindow* PageControl1;
    // Bottom.
    TOptionsPanel* Panel_Unten;
    TShape* Shape2;
    skin::TPellButton2* PellButton_Ok;
    skin::TPellButton2* PellButton_Reset;
    // Skin page.
    TOptionsSheet* TabSheet_SKIN;
    toolkit::TImage* Image_Skin;
    toolkit::THTMLabel* HTMLabel_Skin;
    toolkit::win32::TListBoxWindow* ListBox_Skins;
    // Language page.
    TOptionsSheet* TabSheet_LANG;
    toolkit::TImage* Image_Sprache;
    toolkit::THTMLabel* HTMLabel_Sprache;
    toolkit::win32::TListView* ListView_Options_Language;
    toolkit::THTMLabel* HTMLabel_Options_GUI_TranslationLinkTarget;
    // Context-menu page.
    TOptionsSheet* TabSheet_CONTEXTMENU;
    toolkit::TImage* Image_Contextmenu;
    toolkit::THTMLabel* HTMLabel_Contextmenu;
    toolkit::TLabel* Label_Contextmenu_Small1;
    toolkit::win32::TCheckBox* CheckBox_ShowContextMenu;
    toolkit::win32::TCheckBox* CheckBox_Context_DEFRAG;
    toolkit::win32::TCheckBox* CheckBox_Context_DL;
    toolkit::win32::TCheckBox* CheckBox_Context_FW;
    toolkit::win32::TCheckBox* CheckBox_Context_ED;
    toolkit::win32::TCheckBox* CheckBox_Context_FSJ;
    toolkit::win32::TCheckBox* CheckBox_Context_Recycle_FW;
    toolkit::win32::TCheckBox* CheckBox_Context_Recycle_Undelete;
    // Other page.
    TOptionsSheet* TabSheet_OTHER;
    toolkit::TImage* Image_Other1;
    toolkit::THTMLabel* HTMLabel_Other1;
    toolkit::TLabel* Label_Other_Small2;
    toolkit::THTMLabel* HTMLabel_Other_Channels_KT8;
    toolkit::win32::TPushButton* Button_ConfigChannels;
    toolkit::TLabel* Label_Other_Small2_KT26;
    toolkit::win32::TCheckBox* CheckBox_Other_Tooltips;
    // File-format page.
    TOptionsSheet* TabSheet_ORV1;
    toolkit::TImage* Image_ORV1;
    toolkit::THTMLabel* HTMLabel_ORV1;
    toolkit::TLabel* Label_ORV1_Small1;
    TRightLabel* Label_ORV_FormatDESC1;
    TRightLabel* Label_ORV_FormatDESC2;
    TRightLabel* Label_ORV_FormatDESC3;
    TRightLabel* Label_ORV_FormatDESC4;
    TRightLabel* Label_ORV_FormatDESC5;
    TRightLabel* Label_ORV_FormatDESC6;
    toolkit::win32::TEdit* Edit_ORV_Audio;
    toolkit::win32::TEdit* Edit_ORV_Video;
    toolkit::win32::TEdit* Edit_ORV_Bild;
    toolkit::win32::TEdit* Edit_ORV_Archive;
    toolkit::win32::TEdit* Edit_ORV_Docs;
    toolkit::win32::TEdit* Edit_ORV_Apps;
    toolkit::TLabel* Label_ORV1_Small2;
    toolkit::win32::TCheckBox* CheckBox_ORV_ShowOwnGroup;
    TRightLabel* Label_ORV_FormatDESC_Own1;
    TRightLabel* Label_ORV_FormatDESC_Own2;
    toolkit::win32::TEdit* Edit_ORV_Name_OwnGroup;
    toolkit::win32::TEdit* Edit_ORV_Formate_OwnGroup;

  protected:
    // Escape closes the dialog like its close box: nothing is saved.
    bool PreviewKey(const MSG& msg) override;

  private:
    void BuildControls();
    void FormCreate();
    void BuildNavigation();
    void CopyHeaderImages();
    void FillLanguageList();
    void PlaceSystemControls();
    // The six group edits, then the own group's name and list, in loading order.
    std::vector<toolkit::win32::TEdit*> FormatEdits() const;
    toolkit::win32::TEdit* EditNamed(std::u16string_view name) const;

    toolkit::TStringSlot caption_;
    std::u16string skinFolder_;
    std::u16string programFolder_;
    const skin::TStripeSkinner* stripe_ = nullptr;
    bool signalRecreateForm_ = false;
    std::vector<toolkit::win32::TCheckBox*> contextBoxes_;
};

// Lets the tooltip manager ask the dialog's tooltip box before it registers a control: while
// dialog() gives a dialog whose box is unchecked, nothing is registered.
void LinkToolTipsToOptions(skin::TToolTips& tips, std::function<TForm_Options*()> dialog);

}  // namespace orv::app
