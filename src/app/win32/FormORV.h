#pragma once
// TForm_ORV, the analysis page: the drive analysis with its progress and status line, the
// folder list, the visible result list with its views, filter and popup menu.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "analysis/ItemActions.h"
#include "analysis/ResultTree.h"
#include "analysis/ResultViews.h"
#include "analysis/nogui_Orvella.h"
#include "app/win32/MainWindowParts.h"
#include "skin/PellButton2.h"
#include "skin/PellThreadTimer.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/DriveListWindow.h"
#include "toolkit/win32/FolderListWindow.h"
#include "toolkit/win32/ImageComboWindow.h"
#include "toolkit/win32/PopupMenu.h"
#include "toolkit/win32/ProgressBarWindow.h"
#include "toolkit/win32/SplitterWindow.h"
#include "toolkit/win32/VirtualDrawTreeWindow.h"

namespace orv::analysis {
class TShellIconCache;
}

namespace orv::app {

class TForm_KT7;

// A child panel of the page that hands some messages to its page first.
class TPagePanel : public toolkit::win32::TGraphicHostWindow {
  public:
    explicit TPagePanel(toolkit::TComponent* owner) : TGraphicHostWindow(owner, u"TPanel") {}
    // True when the message was handled; result is then returned.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT& result)> OnMessage;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TForm_ORV : public TModuleForm, public analysis::TResultPageHooks {
  public:
    static constexpr int kDesignWidth = 900;
    static constexpr int kDesignHeight = 569;
    static constexpr int kBarHeight = 58;
    static constexpr int kInfoBarHeight = 72;
    static constexpr int kFolderListWidth = 210;

    // main may be null (tests of the page alone): the main window's steps are then skipped.
    TForm_ORV(toolkit::TComponent* owner, TForm_KT7* main);
    ~TForm_ORV() override;

    // Makes the page's window in parent and runs the creation steps.
    bool CreateIn(HWND parent);

    // Handlers.
    void FormCreate();
    void FormShow();
    void FormResize();
    void FormClose();
    void AdvToolBarButton_AnalyseClick();
    void AdvGlowButton_OptionsClick();
    void AdvGlowButton_MainmenuClick();
    void OnOptionsChanged();
    void JvDirectoryListBox1Change();
    void VirtualDrawTree_ORV_KT16DblClick();
    void PellThreadTimer_ContextCheckTimer();
    void AdvPopupMenu_ORVPopup();
    void PopUp_DeleteClick();

    // Controls.
    TPagePanel* Panel_Oben;
    skin::TPellButton2* PellButton_Folders;
    skin::TPellButton2* PellButton_Files;
    skin::TPellButton2* PellButton_Formats;
    toolkit::TLabel* Label_ORV_NameBalkenDESC;
    toolkit::win32::TImageComboBoxWindow* ComboBox_ORV_NameBalken;
    toolkit::TLabel* Label_ORV_FilterDESC;
    toolkit::win32::TImageComboBoxWindow* ComboBox_ORV_Filter;
    toolkit::win32::TProgressBarWindow* ProgressBar_Auswertung;
    TShape* Shape2;
    toolkit::win32::TDirectoryListBoxWindow* JvDirectoryListBox1;
    toolkit::win32::TSplitterWindow* AdvSplitter1;
    TPagePanel* Panel_Rechts;
    toolkit::win32::TVirtualDrawTreeWindow* VirtualDrawTree_ORV_KT16;
    TPagePanel* AdvSmoothPanel_InfoBar;
    TShape* Shape3;
    toolkit::TImage* Image_InfoBar;
    toolkit::THTMLabel* HTMLabel_Status;
    toolkit::win32::TProgressBarWindow* ProgressBar1;
    TPagePanel* Panel_Unten;
    TShape* Shape1;
    skin::TPellButton2* PellButton_MainMenu;
    skin::TPellButton2* PellButton_Options;
    skin::TPellButton2* PellButton_Analyse;
    toolkit::win32::TDriveComboBoxWindow* DriveComboBoxEx1;
    toolkit::TVirtualDrawTree* VirtualDrawTree1;
    TPagePanel* Panel_NothingDoneYet;
    toolkit::THTMLabel* HTMLabel_NothingDoneYet_KT15;
    toolkit::TImage* Image_NothingDoneYet;
    toolkit::TPngImageList PngImageList_16{16, 16};
    toolkit::win32::TPopupMenu* AdvPopupMenu_ORV;
    toolkit::win32::TMenuItem* PopUp_OpenFile;
    toolkit::win32::TMenuItem* PopUp_ShowFolder;
    toolkit::win32::TMenuItem* PopUp_OpenFolder;
    toolkit::win32::TMenuItem* N1;
    toolkit::win32::TMenuItem* PopUp_FileWiper;
    toolkit::win32::TMenuItem* PopUp_Delete;
    skin::TPellThreadTimer* PellThreadTimer_ContextCheck;
    toolkit::TImage* Image_SizeGrip_Page = nullptr;

    // Fields.
    bool ONSHOW_DONE = false;
    std::unique_ptr<analysis::TOrvella> Orvella;
    // READING_SETTINGS_NOW, RETURN_PRESSED and Current_RootNode live in the views.
    analysis::TResultViews& Views() { return *views_; }
    analysis::ResultTree& FullTree() { return fullTree_; }
    analysis::ResultTree& VisibleTree() { return visibleTree_; }

    // Tests: answers the delete question instead of a message box.
    analysis::TAskYesNo AskDelete;
    // The drive dialog's label text, as step 2 of an analysis gives it.
    std::u16string LastDriveDialogLabel;

  private:
    class TProgressLink;
    class TListImages;

    void BuildControls();
    void LayoutControls();
    void ProcessMessages() override;
    void SetStatus(std::u16string_view html) override;
    void SetProgressVisible(bool visible) override;
    void SetProgressMax(int max) override;
    void SetProgressPosition(int position) override;
    analysis::TViewKind CurrentView() override;
    void SetViewButtons(const analysis::TViewLayout& layout) override;
    void SetBoxesVisible(const analysis::TViewLayout& layout) override;
    void SetFolderListVisible(bool visible) override;
    void RunFolderSelection() override;
    void SetFolderListDirectory(std::u16string_view directory) override;
    void RunResize() override { FormResize(); }
    void RepaintRightPanel() override;
    bool RightPanelVisible() override;
    std::u16string FilterBoxText() override;
    void SelectFirstFilterItem() override;
    int NameBarIndex() override;
    analysis::TFormatSettings FormatSettings() override;

    void ShowWindowOf(HWND window, bool visible);
    bool WindowShown(HWND window) const;
    void EnableWindowOf(HWND window, bool enabled);
    bool HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void FillFilterBox();

    TForm_KT7* main_;
    analysis::ResultTree fullTree_;
    analysis::ResultTree visibleTree_;
    std::unique_ptr<analysis::TResultViews> views_;
    std::unique_ptr<TProgressLink> progressLink_;
    std::unique_ptr<analysis::TShellIconCache> iconCache_;
    std::unique_ptr<TListImages> listImages_;
    bool closed_ = false;
    bool analysisRan_ = false;
};

// The analysis page's class; pages are made in main's module area.
const TFormClass* FormORVClass();
// Makes the analysis page the main window's start page.
void InstallAnalysisPage(TForm_KT7* main);

// Total bytes of a drive root, -1 when the platform cannot tell.
int64_t GetDriveTotalBytes(std::u16string_view root);

}  // namespace orv::app
