#include "app/win32/FormORV.h"

#include <windowsx.h>

#include "analysis/RowDrawing.h"
#include "analysis/SizeText.h"
#include "analysis/VTree_Kram.h"
#include "app/Globals.h"
#include "app/OptionsAccess.h"
#include "app/win32/FormUndeleteDrive.h"
#include "app/win32/StartPage.h"
#include "app/win32/Unit1.h"
#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "skin/win32/Skinning.h"
#include "toolkit/win32/GdiCanvas.h"
#include "toolkit/win32/GdiPaintDevice.h"

namespace orv::app {

using analysis::kNoNode;
using analysis::NodeId;
using toolkit::MakeColor;

namespace {

constexpr toolkit::TColor kBarColor = MakeColor(243, 243, 243);
constexpr toolkit::TColor kLineColor = MakeColor(160, 160, 160);
constexpr toolkit::TColor kInfoBarColor = MakeColor(236, 236, 236);
constexpr int kImageCells[15] = {166, 167, 168, 169, 49, 48,  94, 14,
                                 116, 186, 24,  106, 49, 137, 57};
constexpr int kInfoCell = 101;

void Log(std::u16string_view line) {
    platform::DebugOutput(line);
}

// First occurrence of what in text, ASCII letters ignoring case; npos when none.
size_t FindIgnoringCase(std::u16string_view text, std::u16string_view what) {
    const std::u16string t = UpperAscii(text);
    return t.find(UpperAscii(what));
}

void ReplaceFirst(std::u16string& text, std::u16string_view what, std::u16string_view by) {
    const size_t at = FindIgnoringCase(text, what);
    if (at != std::u16string::npos) text.replace(at, what.size(), by);
}

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

TForm_KT7*& InstalledMain() {
    static TForm_KT7* main = nullptr;
    return main;
}

}  // namespace

int64_t GetDriveTotalBytes(std::u16string_view root) {
    uint64_t total = 0;
    if (!platform::Sys().DriveTotalSize(root, total)) return -1;
    return static_cast<int64_t>(total);
}

LRESULT TPagePanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage && OnMessage(message, wParam, lParam, result)) return result;
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

// The engine's progress reaches ProgressBar1 through this.
class TForm_ORV::TProgressLink final : public analysis::TProgressTarget {
  public:
    explicit TProgressLink(toolkit::TProgressBar& bar) : bar_(bar) {}
    void SetMax(int max) override { bar_.SetRange(0, max); }
    void SetPosition(int position) override { bar_.SetPosition(position); }

  private:
    toolkit::TProgressBar& bar_;
};

// The page's image list as the row drawing takes it (the group rows' pictures).
class TForm_ORV::TListImages final : public toolkit::TImageSource {
  public:
    explicit TListImages(const toolkit::TPngImageList& list) : list_(list) {}
    int Count() const override { return list_.Count(); }
    void Draw(toolkit::TCanvas& canvas, int index, int x, int y) override {
        const toolkit::TPicture* picture = list_.Item(index);
        auto* gdi = dynamic_cast<toolkit::win32::TGdiCanvas*>(&canvas);
        if (picture == nullptr || gdi == nullptr) return;
        const int saved = SaveDC(gdi->Handle());
        {
            toolkit::win32::TGdiPaintDevice device(gdi->Handle());
            device.Draw(x, y, *picture);
        }
        RestoreDC(gdi->Handle(), saved);
    }

  private:
    const toolkit::TPngImageList& list_;
};

TForm_ORV::TForm_ORV(toolkit::TComponent* owner, TForm_KT7* main)
    : TModuleForm(owner, FormORVClass()), main_(main) {
    SetName(u"Form_ORV");
    SetColor(0xFFFFFF);
    BuildControls();
    OnShow = [this] { FormShow(); };
    OnResize = [this] {
        LayoutControls();
        FormResize();
    };
    OnClose = [this] { FormClose(); };
}

TForm_ORV::~TForm_ORV() {
    FormClose();
    PellThreadTimer_ContextCheck->SetEnabled(false);
    VirtualDrawTree_ORV_KT16->SetTree(nullptr);
    VirtualDrawTree1->SetTree(nullptr);
}

void TForm_ORV::BuildControls() {
    auto label = [](toolkit::TComponent* parent, std::u16string_view name,
                    std::u16string_view caption, int tag) {
        auto* l = new toolkit::TLabel(parent);
        l->SetName(name);
        l->SetParent(parent);
        l->SetCaption(caption);
        l->SetTag(tag);
        l->Font().SetName(u"Tahoma");
        l->Font().SetHeight(-12);
        return l;
    };
    auto button = [](toolkit::TComponent* parent, std::u16string_view name,
                     std::u16string_view caption, int tag) {
        auto* b = new skin::TPellButton2(parent);
        b->SetName(name);
        b->SetParent(parent);
        b->SetCaption(caption);
        b->SetTag(tag);
        b->SetAutoWidth(false);
        b->Font().SetName(u"Tahoma");
        b->Font().SetHeight(-12);
        return b;
    };
    auto shape = [](toolkit::TComponent* parent, std::u16string_view name) {
        auto* s = new TShape(parent);
        s->SetName(name);
        s->SetParent(parent);
        s->SetBrushColor(kLineColor);
        return s;
    };
    auto panel = [this](std::u16string_view name, toolkit::TColor color) {
        auto* p = new TPagePanel(this);
        p->SetName(name);
        p->SetColor(color);
        p->OnMessage = [this](UINT m, WPARAM w, LPARAM l, LRESULT& r) {
            return HandlePanelMessage(m, w, l, r);
        };
        return p;
    };

    Panel_Oben = panel(u"Panel_Oben", kBarColor);
    PellButton_Folders = button(Panel_Oben, u"PellButton_Folders", u"Struktur", 1);
    PellButton_Files = button(Panel_Oben, u"PellButton_Files", u"Dateien", 1);
    PellButton_Formats = button(Panel_Oben, u"PellButton_Formats", u"Dateiformate", 1);
    Label_ORV_NameBalkenDESC =
        label(Panel_Oben, u"Label_ORV_NameBalkenDESC", u"Balken in Spalte \"Name\":", 1);
    ComboBox_ORV_NameBalken = new toolkit::win32::TImageComboBoxWindow(this);
    ComboBox_ORV_NameBalken->SetName(u"ComboBox_ORV_NameBalken");
    Label_ORV_FilterDESC = label(Panel_Oben, u"Label_ORV_FilterDESC", u"Anzeigen:", 1);
    ComboBox_ORV_Filter =
        new toolkit::win32::TImageComboBoxWindow(this, toolkit::TComboStyle::DropDown);
    ComboBox_ORV_Filter->SetName(u"ComboBox_ORV_Filter");
    ProgressBar_Auswertung = new toolkit::win32::TProgressBarWindow(this);
    ProgressBar_Auswertung->SetName(u"ProgressBar_Auswertung");
    ProgressBar_Auswertung->SetVisible(false);
    Shape2 = shape(Panel_Oben, u"Shape2");

    JvDirectoryListBox1 = new toolkit::win32::TDirectoryListBoxWindow(this);
    JvDirectoryListBox1->SetName(u"JvDirectoryListBox1");
    AdvSplitter1 = new toolkit::win32::TSplitterWindow(this);
    AdvSplitter1->SetName(u"AdvSplitter1");
    Panel_Rechts = panel(u"Panel_Rechts", 0xFFFFFF);
    VirtualDrawTree_ORV_KT16 = new toolkit::win32::TVirtualDrawTreeWindow(this);
    VirtualDrawTree_ORV_KT16->SetName(u"VirtualDrawTree_ORV_KT16");

    AdvSmoothPanel_InfoBar = panel(u"AdvSmoothPanel_InfoBar", kInfoBarColor);
    Shape3 = shape(AdvSmoothPanel_InfoBar, u"Shape3");
    Image_InfoBar = new toolkit::TImage(AdvSmoothPanel_InfoBar);
    Image_InfoBar->SetName(u"Image_InfoBar");
    Image_InfoBar->SetParent(AdvSmoothPanel_InfoBar);
    HTMLabel_Status = new toolkit::THTMLabel(AdvSmoothPanel_InfoBar);
    HTMLabel_Status->SetName(u"HTMLabel_Status");
    HTMLabel_Status->SetParent(AdvSmoothPanel_InfoBar);
    HTMLabel_Status->SetTransparent(true);
    HTMLabel_Status->SetVAlignment(toolkit::TVerticalAlignment::Center);
    HTMLabel_Status->Font().SetName(u"Tahoma");
    HTMLabel_Status->Font().SetHeight(-12);
    ProgressBar1 = new toolkit::win32::TProgressBarWindow(this);
    ProgressBar1->SetName(u"ProgressBar1");
    ProgressBar1->SetVisible(false);

    Panel_Unten = panel(u"Panel_Unten", kBarColor);
    Shape1 = shape(Panel_Unten, u"Shape1");
    PellButton_MainMenu = button(Panel_Unten, u"PellButton_MainMenu", u"", 0);
    PellButton_MainMenu->SetVisible(false);
    PellButton_Options = button(Panel_Unten, u"PellButton_Options", u"Optionen", 1);
    PellButton_Analyse = button(Panel_Unten, u"PellButton_Analyse", u"Neue Analyse", 1);
    PellButton_Analyse->SetActionButton(true);

    DriveComboBoxEx1 = new toolkit::win32::TDriveComboBoxWindow(this);
    DriveComboBoxEx1->SetName(u"DriveComboBoxEx1");
    VirtualDrawTree1 = new toolkit::TVirtualDrawTree(this);
    VirtualDrawTree1->SetName(u"VirtualDrawTree1");
    VirtualDrawTree1->SetTree(&fullTree_);

    Panel_NothingDoneYet = panel(u"Panel_NothingDoneYet", 0xFFFFFF);
    Image_NothingDoneYet = new toolkit::TImage(Panel_NothingDoneYet);
    Image_NothingDoneYet->SetName(u"Image_NothingDoneYet");
    Image_NothingDoneYet->SetParent(Panel_NothingDoneYet);
    HTMLabel_NothingDoneYet_KT15 = new toolkit::THTMLabel(Panel_NothingDoneYet);
    HTMLabel_NothingDoneYet_KT15->SetName(u"HTMLabel_NothingDoneYet_KT15");
    HTMLabel_NothingDoneYet_KT15->SetParent(Panel_NothingDoneYet);
    HTMLabel_NothingDoneYet_KT15->SetTag(1);
    HTMLabel_NothingDoneYet_KT15->SetTransparent(true);
    HTMLabel_NothingDoneYet_KT15->Font().SetName(u"Segoe UI");
    HTMLabel_NothingDoneYet_KT15->Font().SetHeight(-19);
    HTMLabel_NothingDoneYet_KT15->SetHTMLText(
        u"<P align=\"center\">Noch keine Analyse durchgef\u00FChrt...</P>");

    AdvPopupMenu_ORV = new toolkit::win32::TPopupMenu(this);
    AdvPopupMenu_ORV->SetName(u"AdvPopupMenu_ORV");
    AdvPopupMenu_ORV->Images = &PngImageList_16;
    auto item = [this](std::u16string_view name, std::u16string_view caption, int image) {
        auto* i = new toolkit::win32::TMenuItem(this);
        i->SetName(name);
        i->SetCaption(caption);
        i->ImageIndex = image;
        i->SetTag(caption == u"-" ? 0 : 1);
        AdvPopupMenu_ORV->Add(i);
        return i;
    };
    PopUp_OpenFile = item(u"PopUp_OpenFile", u"Datei \u00F6ffnen", 4);
    PopUp_ShowFolder = item(u"PopUp_ShowFolder", u"Ordner dieser Datei im Explorer \u00F6ffnen", 5);
    PopUp_OpenFolder = item(u"PopUp_OpenFolder", u"Ordner im Explorer \u00F6ffnen", 5);
    N1 = item(u"N1", u"-", -1);
    PopUp_FileWiper = item(u"PopUp_FileWiper", u"In Modul \"Dateivernichtung\" hinzuf\u00FCgen", 6);
    PopUp_FileWiper->Visible = false;
    PopUp_Delete = item(u"PopUp_Delete", u"L\u00F6schen", 7);

    PellThreadTimer_ContextCheck = new skin::TPellThreadTimer(this);
    PellThreadTimer_ContextCheck->SetName(u"PellThreadTimer_ContextCheck");
    PellThreadTimer_ContextCheck->SetInterval(200);
    PellThreadTimer_ContextCheck->SetEnabled(false);

    // The visible tree's columns, header and rows.
    auto& grid = *VirtualDrawTree_ORV_KT16;
    grid.SetTag(1);
    grid.AddColumn(u"Name", 236);
    grid.AddColumn(u"Ordner", 68);
    grid.AddColumn(u"Dateien", 68);
    grid.AddColumn(u"Gr\u00F6\u00DFe", 80);
    grid.AddColumn(u"Gr\u00F6\u00DFe % ", 92);
    grid.AddColumn(u"Ordnergr\u00F6\u00DFe %", 120);
    grid.SetHeaderHeight(20);
    grid.SetHeaderFontName(u"Tahoma");
    grid.SetFont(u"Tahoma", -12);
    grid.SetDefaultNodeHeight(18);
    grid.SetSortColumn(4);
    grid.SetSortDirection(toolkit::TSortDirection::Ascending);
    grid.SetTree(&visibleTree_);
}

bool TForm_ORV::CreateIn(HWND parent) {
    RECT r{};
    GetClientRect(parent, &r);
    const int w = r.right > 0 ? r.right : kDesignWidth;
    const int h = r.bottom > 0 ? r.bottom : kDesignHeight;
    if (!CreateChild(parent, 0, 0, w, h)) return false;
    const HWND page = Handle();
    Panel_Oben->CreateChild(page, 0, 0, w, kBarHeight);
    ComboBox_ORV_NameBalken->CreateWindowIn(Panel_Oben->Handle(), 0, 17, 140);
    ComboBox_ORV_Filter->CreateWindowIn(Panel_Oben->Handle(), 0, 17, 170, 10);
    ProgressBar_Auswertung->CreateWindowIn(Panel_Oben->Handle(), 0, 44, 100, 8);
    JvDirectoryListBox1->CreateWindowIn(page, 0, kBarHeight, kFolderListWidth, 100, false);
    AdvSplitter1->CreateWindowIn(page, JvDirectoryListBox1->Handle());
    Panel_Rechts->CreateChild(page, kFolderListWidth + 3, kBarHeight, 100, 100);
    VirtualDrawTree_ORV_KT16->CreateWindowIn(Panel_Rechts->Handle(), 0, 0, 100, 100);
    AdvSmoothPanel_InfoBar->CreateChild(page, 0, 0, w, kInfoBarHeight);
    ProgressBar1->CreateWindowIn(AdvSmoothPanel_InfoBar->Handle(), 72, 50, 100, 12);
    Panel_Unten->CreateChild(page, 0, 0, w, kBarHeight);
    DriveComboBoxEx1->CreateWindowIn(page, 0, 0, 200);
    ShowWindowOf(DriveComboBoxEx1->Handle(), false);
    Panel_NothingDoneYet->CreateChild(page, 0, 0, 500, 213);
    for (auto* combo : {ComboBox_ORV_NameBalken, ComboBox_ORV_Filter}) {
        combo->Font().SetName(u"Tahoma");
        combo->Font().SetHeight(-12);
    }
    ComboBox_ORV_NameBalken->SetImages(&PngImageList_16);

    ComboBox_ORV_NameBalken->OnChange = [this](toolkit::TComponent*) {
        views_->ComboBox_ORV_NameBalkenChange();
    };
    ComboBox_ORV_Filter->OnChange = [this](toolkit::TComponent*) {
        views_->ComboBox_ORV_FilterChange();
    };
    ComboBox_ORV_Filter->OnKeyPress = [this](toolkit::TComponent*, char16_t& key) {
        views_->ComboBox_ORV_FilterKeyPress(key);
        if (key == 13) key = 0;  // no beep
    };
    PellButton_Folders->OnClick = [this](toolkit::TComponent*) {
        views_->AdvGlowButton_FoldersClick();
    };
    PellButton_Files->OnClick = [this](toolkit::TComponent*) {
        views_->AdvGlowButton_FilesClick();
    };
    PellButton_Formats->OnClick = [this](toolkit::TComponent*) {
        views_->AdvGlowButton_FormatsClick();
    };
    PellButton_Analyse->OnClick = [this](toolkit::TComponent*) { AdvToolBarButton_AnalyseClick(); };
    PellButton_Options->OnClick = [this](toolkit::TComponent*) { AdvGlowButton_OptionsClick(); };
    PellButton_MainMenu->OnClick = [this](toolkit::TComponent*) { AdvGlowButton_MainmenuClick(); };
    JvDirectoryListBox1->Folders().OnChange = [this](toolkit::TComponent*) {
        JvDirectoryListBox1Change();
    };
    AdvSplitter1->OnMoved = [this](toolkit::TComponent*) {
        LayoutControls();
        FormResize();
    };
    VirtualDrawTree_ORV_KT16->OnDblClick = [this](toolkit::TVirtualDrawTree&) {
        VirtualDrawTree_ORV_KT16DblClick();
    };
    AdvPopupMenu_ORV->OnPopup = [this](toolkit::TComponent*) { AdvPopupMenu_ORVPopup(); };
    PopUp_OpenFile->OnClick = [this](toolkit::TComponent*) {
        analysis::PopUp_OpenFileClick(*VirtualDrawTree_ORV_KT16);
    };
    PopUp_ShowFolder->OnClick = [this](toolkit::TComponent*) {
        analysis::PopUp_ShowFolderClick(*VirtualDrawTree_ORV_KT16);
    };
    PopUp_OpenFolder->OnClick = [this](toolkit::TComponent*) {
        analysis::PopUp_OpenFolderClick(*VirtualDrawTree_ORV_KT16);
    };
    PopUp_FileWiper->OnClick = [](toolkit::TComponent*) { analysis::PopUp_FileWiperClick(); };
    PopUp_Delete->OnClick = [this](toolkit::TComponent*) { PopUp_DeleteClick(); };
    PellThreadTimer_ContextCheck->OnTimer = [this](toolkit::TComponent*) {
        PellThreadTimer_ContextCheckTimer();
    };

    FormCreate();
    LayoutControls();
    return true;
}

void TForm_ORV::LayoutControls() {
    if (!HandleAllocated()) return;
    const int w = ClientWidth();
    const int h = ClientHeight();
    if (w <= 0 || h <= 0) return;
    auto place = [](HWND window, int x, int y, int cw, int ch) {
        if (window != nullptr) {
            SetWindowPos(window, nullptr, x, y, cw < 0 ? 0 : cw, ch < 0 ? 0 : ch,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };

    // Tool bar: the view buttons at the left, the boxes at the right.
    place(Panel_Oben->Handle(), 0, 0, w, kBarHeight);
    int x = 12;
    for (auto* b : {PellButton_Folders, PellButton_Files, PellButton_Formats}) {
        b->SetBounds(x, 13, 104, 32);
        x += 112;
    }
    const int filterLeft = w - 12 - 170;
    place(ComboBox_ORV_Filter->Handle(), filterLeft, 17, 170, 22);
    Label_ORV_FilterDESC->SetBounds(filterLeft - 66, 21, 60, 16);
    const int barLeft = filterLeft - 66 - 12 - 140;
    place(ComboBox_ORV_NameBalken->Handle(), barLeft, 17, 140, 22);
    Label_ORV_NameBalkenDESC->SetBounds(barLeft - 146, 21, 140, 16);
    place(ProgressBar_Auswertung->Handle(), barLeft - 146, 46, w - 12 - (barLeft - 146), 6);
    ProgressBar_Auswertung->SetClientSize(w - 12 - (barLeft - 146), 6);
    Shape2->SetBounds(0, kBarHeight - 1, w, 1);

    // Command bar and status area at the bottom.
    place(Panel_Unten->Handle(), 0, h - kBarHeight, w, kBarHeight);
    Shape1->SetBounds(0, 0, w, 1);
    PellButton_MainMenu->SetBounds(12, 13, 40, 32);
    PellButton_Analyse->SetBounds(w - 28 - 130, 13, 130, 32);
    PellButton_Options->SetBounds(w - 28 - 130 - 10 - 110, 13, 110, 32);
    if (Image_SizeGrip_Page != nullptr) {
        Image_SizeGrip_Page->SetBounds(w - Image_SizeGrip_Page->Width() - 2,
                                       kBarHeight - Image_SizeGrip_Page->Height() - 2,
                                       Image_SizeGrip_Page->Width(), Image_SizeGrip_Page->Height());
    }
    const int infoTop = h - kBarHeight - kInfoBarHeight;
    place(AdvSmoothPanel_InfoBar->Handle(), 0, infoTop, w, kInfoBarHeight);
    Shape3->SetBounds(0, 0, w, 1);
    Image_InfoBar->SetBounds(12, 12, 48, 48);
    HTMLabel_Status->SetBounds(72, 2, w - 72 - 12, kInfoBarHeight - 4);
    place(ProgressBar1->Handle(), 72, 50, w - 72 - 24, 12);
    ProgressBar1->SetClientSize(w - 72 - 24, 12);

    // The folder list, the splitter and the result list between them.
    const int midHeight = infoTop - kBarHeight;
    int listWidth =
        AdvSplitter1->ControlWidth() > 0 ? AdvSplitter1->ControlWidth() : kFolderListWidth;
    if (listWidth > w - 60) listWidth = w - 60 > 30 ? w - 60 : 30;
    place(JvDirectoryListBox1->Handle(), 0, kBarHeight, listWidth, midHeight);
    AdvSplitter1->Realign();
    const int rightLeft =
        WindowShown(JvDirectoryListBox1->Handle()) ? listWidth + AdvSplitter1->Width() : 0;
    place(Panel_Rechts->Handle(), rightLeft, kBarHeight, w - rightLeft, midHeight);
    place(VirtualDrawTree_ORV_KT16->Handle(), 0, 0, w - rightLeft, midHeight);

    place(Panel_NothingDoneYet->Handle(), w / 2 - 500 / 2, h / 2 - 213 / 2, 500, 213);
    Image_NothingDoneYet->SetBounds(250 - 32, 30, 64, 64);
    HTMLabel_NothingDoneYet_KT15->SetBounds(10, 110, 480, 60);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm_ORV::FormCreate() {
    // 1: the views hold RETURN_PRESSED, READING_SETTINGS_NOW and Current_RootNode.
    ONSHOW_DONE = false;
    // 2
    lang::LOAD_TRANSLATION_TO_FORM(ProgramFolder + u"\\translation", lang::CurrentLanguageFile,
                                   *this);
    // 3
    skin::TToolTips* tips = main_ != nullptr ? main_->ToolTips : nullptr;
    skin::win32::ApplySkinToButtonsOnPanel(*Panel_Unten, tips);
    skin::win32::ApplySkinToButtonsOnPanel(*Panel_Oben, tips);
    skin::win32::ApplySkinToInfoBar(*AdvSmoothPanel_InfoBar);
    Image_SizeGrip_Page = skin::win32::CloneImageToCorner(
        Panel_Unten, main_ != nullptr ? main_->Image_SizeGrip : nullptr);
    AdvPopupMenu_ORV->MenuStyler = SharedMenuStyler();
    // 4
    const skin::TStripeSkinner* stripe = main_ != nullptr ? main_->Stripe() : nullptr;
    if (stripe != nullptr) {
        for (int cell : kImageCells) stripe->AddOneToImageList(PngImageList_16, cell, false, 1.0f);
        stripe->CopyToPicture(48, Image_InfoBar->Picture(), kInfoCell, false, 1.0f);
        stripe->CopyToPicture(64, Image_NothingDoneYet->Picture(), kInfoCell, false, 1.0f);
    } else {
        Log(u"KT16: no stripe, the page has no pictures");
    }
    // 5
    Orvella = std::make_unique<analysis::TOrvella>(&fullTree_);
    listImages_ = std::make_unique<TListImages>(PngImageList_16);
    Orvella->PNGImageList = listImages_.get();
    iconCache_ = std::make_unique<analysis::TShellIconCache>();
    Orvella->IconCache = iconCache_.get();
    views_ = std::make_unique<analysis::TResultViews>(*Orvella, *VirtualDrawTree_ORV_KT16, *this);
    auto& grid = *VirtualDrawTree_ORV_KT16;
    grid.OnCompareNodes = [this](toolkit::TVirtualDrawTree& g, NodeId a, NodeId b, int column) {
        return Orvella->DefaultEvent_CompareNodes(*g.Tree(), a, b, column);
    };
    grid.OnMakeComparer = [this](toolkit::TVirtualDrawTree& g, int column) {
        return Orvella->DefaultEvent_MakeComparer(*g.Tree(), column);
    };
    grid.OnMakeSortKeys = [this](toolkit::TVirtualDrawTree& g, int column) {
        return Orvella->DefaultEvent_MakeSortKeys(*g.Tree(), column);
    };
    grid.OnDrawNode = [this](toolkit::TVirtualDrawTree& g, toolkit::TPaintInfo& info) {
        Orvella->DefaultEvent_DrawNode(*g.Tree(), info);
    };
    grid.OnHeaderClick = &analysis::TVTree_DefaultEvents::OnHeaderClick;
    grid.OnHeaderDblClick = &analysis::TVTree_DefaultEvents::OnHeaderClick;
    progressLink_ = std::make_unique<TProgressLink>(*ProgressBar1);
    // 6: in front of everything, centred (LayoutControls keeps it there).
    SetWindowPos(Panel_NothingDoneYet->Handle(), HWND_TOP, ClientWidth() / 2 - 500 / 2,
                 ClientHeight() / 2 - 213 / 2, 500, 213, SWP_NOACTIVATE);
    // 7
    views_->READING_SETTINGS_NOW = true;
    ComboBox_ORV_NameBalken->Clear();
    ComboBox_ORV_NameBalken->Add(lang::Msg(u"MESSAGE_ORV_BALKEN_NONE"), 2);
    ComboBox_ORV_NameBalken->Add(lang::Msg(u"MESSAGE_ORV_BALKEN_ABSOLUT"), 1);
    ComboBox_ORV_NameBalken->Add(lang::Msg(u"MESSAGE_ORV_BALKEN_RELATIVE"), 5);
    ComboBox_ORV_NameBalken->SetItemIndex(0);
    Orvella->FLAG_NAMEBALKEN = ComboBox_ORV_NameBalken->ItemIndex();
    FillFilterBox();
    views_->READING_SETTINGS_NOW = false;
    // 8
    ShowWindowOf(Panel_Rechts->Handle(), false);
    ShowWindowOf(JvDirectoryListBox1->Handle(), false);
    ShowWindowOf(AdvSplitter1->Handle(), false);
    EnableWindowOf(ComboBox_ORV_NameBalken->Handle(), true);
    EnableWindowOf(ComboBox_ORV_Filter->Handle(), true);
    SetStatus(lang::Msg(u"MESSAGEHTML_ORV_STATUS_WELCOME"));
    PellButton_Folders->SetEnabled(false);
    PellButton_Files->SetEnabled(false);
    PellButton_Formats->SetEnabled(false);
    analysis::TViewLayout boxes;
    boxes.NameBarShown = boxes.FilterShown = !PellButton_Folders->Enabled();
    SetBoxesVisible(boxes);
    ProcessMessages();
}

void TForm_ORV::FillFilterBox() {
    ComboBox_ORV_Filter->Clear();
    for (const auto& text : analysis::FilterBoxItems(FormatSettings())) {
        ComboBox_ORV_Filter->Add(text);
    }
    ComboBox_ORV_Filter->SetItemIndex(0);
}

void TForm_ORV::FormShow() {
    if (ONSHOW_DONE) return;
    ONSHOW_DONE = true;
    DriveComboBoxEx1->Refresh();
    for (int i = 0; i < DriveComboBoxEx1->Count();) {
        const char16_t letter = DriveComboBoxEx1->Text(i).empty()
                                    ? DriveComboBoxEx1->Entry(i).Letter
                                    : DriveComboBoxEx1->Text(i)[0];
        std::u16string root = UpperAscii(std::u16string(1, letter)) + u":\\";
        const uint32_t type = platform::Sys().DriveType(root);
        if (root == u"A:\\" || type == platform::kDriveRemote || type == platform::kDriveCdRom ||
            type == platform::kDriveRamDisk || GetDriveTotalBytes(root) <= 0) {
            Log(u"KT16: drive not listed: " + root);
            DriveComboBoxEx1->Delete(i);
            i = 0;
            continue;
        }
        ++i;
    }
    DriveComboBoxEx1->SetItemIndex(0);
    PellThreadTimer_ContextCheck->SetEnabled(true);
}

void TForm_ORV::PellThreadTimer_ContextCheckTimer() {
    PellThreadTimer_ContextCheck->SetEnabled(false);
    if (closed_) return;
    if (!ClosingRequested) {
        if (main_ != nullptr) main_->INIT_INTERNETMENU();
    } else {
        platform::Sys().PostQuit(0);
        return;
    }
    if (CommandLineArgs.empty()) {
        PellButton_Analyse->Click();
        return;
    }
    if (UpperAscii(CommandLineArgs[0]) == u"-CONTEXTDL") {
        const std::u16string second =
            CommandLineArgs.size() > 1 ? UpperAscii(CommandLineArgs[1]) : std::u16string();
        if (!second.empty()) {
            if (!DriveComboBoxEx1->SetDrive(second[0])) {
                Log(u"KT16: -CONTEXTDL drive not listed: " + second.substr(0, 1));
            }
            ProcessMessages();
            PellButton_Analyse->Click();
        }
    }
}

void TForm_ORV::AdvToolBarButton_AnalyseClick() {
    // 1
    if (ClosingRequested) {
        platform::Sys().PostQuit(0);
        return;
    }
    if (views_->Busy()) return;
    // 2, 3
    LastDriveDialogLabel = lang::Msg(u"MESSAGEHTML_ORV_SELECTDRIVE");
    char16_t letter = 0;
    const HWND owner = main_ != nullptr ? main_->Handle() : Handle();
    const bool ok = AskForAnalysisDrive(owner, *DriveComboBoxEx1, LastDriveDialogLabel, letter);
    if (!ok || closed_) return;
    // 4
    if (letter != 0) DriveComboBoxEx1->SetDrive(letter);
    const std::u16string root =
        letter != 0 ? std::u16string(1, letter) + u":\\" : DriveComboBoxEx1->Text().substr(0, 3);
    if (GetDriveTotalBytes(root) <= 0) {
        const std::u16string& text = lang::Msg(u"MESSAGE_ORV_NO_MEDIA_IN_DRIVE");
        if (main_ != nullptr) {
            main_->Show_Warning(text);
        } else {
            Log(u"KT16: " + text);
        }
        return;
    }
    // 5
    if (TOptionsForPage* options = LivingOptionsDialog()) options->LOAD_OPTIONS(false);
    // 6
    ShowWindowOf(Panel_NothingDoneYet->Handle(), false);
    ScanAbortRequested = false;
    SetStatus(lang::Msg(u"MESSAGEHTML_ORV_STATUS_SCANNING") + u"<br> <br> ");
    // 7
    SetFolderListVisible(false);
    ShowWindowOf(Panel_Rechts->Handle(), false);
    PellButton_Analyse->SetEnabled(false);
    EnableWindowOf(DriveComboBoxEx1->Handle(), false);
    EnableWindowOf(JvDirectoryListBox1->Handle(), false);
    ProgressBar1->SetPosition(0);
    ProgressBar1->SetVisible(true);
    VirtualDrawTree_ORV_KT16->ClearSelection();
    visibleTree_.Clear();
    PellButton_Folders->SetEnabled(false);
    PellButton_Files->SetEnabled(false);
    PellButton_Formats->SetEnabled(false);
    EnableWindowOf(ComboBox_ORV_NameBalken->Handle(), false);
    EnableWindowOf(ComboBox_ORV_Filter->Handle(), false);
    ProcessMessages();
    // 8
    Orvella->ProgressBar = progressLink_.get();
    const std::u16string path = root;
    // 9
    Orvella->CURRENT_FILTER.clear();
    Orvella->CURRENT_FILTER_TOTALFILESIZE = 0;
    views_->READING_SETTINGS_NOW = true;
    SelectFirstFilterItem();
    views_->READING_SETTINGS_NOW = false;
    // 10
    if (main_ != nullptr) main_->EnableDisable_Modulwechsel(false);
    ProcessMessages();
    views_->Current_RootNode = kNoNode;
    Orvella->Current_RootNode = kNoNode;
    Orvella->DO_Drive(UpperAscii(path));
    analysisRan_ = true;
    if (main_ != nullptr) main_->EnableDisable_Modulwechsel(true);
    // A close asked for during the scan is posted again now; it must find this handler gone.
    if (ClosingRequested) return;
    ProcessMessages();
    platform::Sys().TrimWorkingSet();
    // The page or the whole program may have been closed while the scan pumped messages.
    if (closed_ || ClosingRequested || !HandleAllocated()) return;
    // 11
    PellButton_Folders->SetEnabled(true);
    PellButton_Files->SetEnabled(true);
    PellButton_Formats->SetEnabled(true);
    EnableWindowOf(ComboBox_ORV_NameBalken->Handle(), true);
    EnableWindowOf(ComboBox_ORV_Filter->Handle(), true);
    PellButton_Folders->SetVisible(true);
    PellButton_Files->SetVisible(true);
    PellButton_Formats->SetVisible(true);
    SetFolderListVisible(true);
    ShowWindowOf(Panel_Rechts->Handle(), true);
    LayoutControls();
    ProcessMessages();
    if (closed_ || ClosingRequested) return;
    // 12
    JvDirectoryListBox1->Folders().SetDrive(path[0]);
    JvDirectoryListBox1->SetDirectory(path.substr(0, 3));
    // 13
    PellButton_Analyse->SetEnabled(true);
    EnableWindowOf(DriveComboBoxEx1->Handle(), true);
    EnableWindowOf(JvDirectoryListBox1->Handle(), true);
    ProgressBar1->SetVisible(false);
    ProcessMessages();
    if (closed_ || ClosingRequested) return;
    if (main_ != nullptr) main_->BringToFront();
    PellButton_Folders->Click();
}

void TForm_ORV::JvDirectoryListBox1Change() {
    if (views_ == nullptr || views_->Busy()) return;
    views_->JvDirectoryListBox1Change(JvDirectoryListBox1->Directory());
    FormResize();
}

void TForm_ORV::VirtualDrawTree_ORV_KT16DblClick() {
    const NodeId first = VirtualDrawTree_ORV_KT16->GetFirstSelected();
    if (first == kNoNode || !visibleTree_.IsFolder(first)) return;
    SetFolderListDirectory(visibleTree_.FullPath(first));
}

void TForm_ORV::FormResize() {
    if (views_ == nullptr) return;
    // 1
    analysis::Fit_Columns(VirtualDrawTree_ORV_KT16, {0});
    ProcessMessages();
    // 2
    if (!ProgressBar1->Visible() && !ProgressBar_Auswertung->Visible() &&
        PellButton_Folders->Visible()) {
        std::u16string status = lang::Msg(u"MESSAGEHTML_ORV_STATUS_DONE");
        uint32_t count = 0;
        int64_t bytes = 0;
        if (ComboBox_ORV_Filter->Text() == lang::Msg(u"MESSAGE_ORV_FILTER_ALL")) {
            count = Orvella->TotalFiles;
            bytes = Orvella->TotalSize;
        } else {
            count = visibleTree_.NodeCount();
            bytes = Orvella->CURRENT_FILTER_TOTALFILESIZE;
        }
        ReplaceFirst(status, u"%1", ToDecimalUnsigned(count));
        ReplaceFirst(status, u"%2", ToDecimalUnsigned(Orvella->TotalFiles));
        ReplaceFirst(status, u"%3", analysis::StatusSizeText(bytes));
        // Until a scan has run the welcome text stays.
        if (analysisRan_) SetStatus(status);
    }
    // 3
    if (ProgressBar_Auswertung->Visible() && WindowShown(Panel_Rechts->Handle())) {
        SetStatus(lang::Msg(u"MESSAGEHTML_ORV_STATUS_FILTERING"));
    }
    // 4
    ProcessMessages();
}

void TForm_ORV::AdvGlowButton_OptionsClick() {
    if (main_ == nullptr) return;
    main_->CurrentModuleForm_OnOptionsChanged = [this] { OnOptionsChanged(); };
    if (main_->MenuItem_Options != nullptr && main_->MenuItem_Options->OnClick) {
        main_->MenuItem_Options->OnClick(main_->MenuItem_Options);
    }
}

void TForm_ORV::AdvGlowButton_MainmenuClick() {
    if (main_ != nullptr) main_->ShowMainmenu();
}

void TForm_ORV::OnOptionsChanged() {
    FormResize();
    ProcessMessages();
}

void TForm_ORV::AdvPopupMenu_ORVPopup() {
    const analysis::TPopupEnabling e = analysis::AdvPopupMenu_ORVPopup(*VirtualDrawTree_ORV_KT16);
    PopUp_OpenFile->Enabled = e.PopUp_OpenFile;
    PopUp_ShowFolder->Enabled = e.PopUp_ShowFolder;
    PopUp_OpenFolder->Enabled = e.PopUp_OpenFolder;
    PopUp_FileWiper->Enabled = e.PopUp_FileWiper;
    PopUp_Delete->Enabled = e.PopUp_Delete;
}

void TForm_ORV::PopUp_DeleteClick() {
    if (views_->Busy()) return;
    analysis::TAskYesNo ask = AskDelete;
    if (!ask) {
        const HWND owner = Handle();
        ask = [owner](std::u16string_view text, std::u16string_view caption, uint32_t flags) {
            return MessageBoxExW(owner, Wide(text).c_str(), Wide(caption).c_str(), flags, 0);
        };
    }
    const analysis::TDeleteResult r = analysis::PopUp_DeleteClick(*views_, ask);
    if (r.Confirmed) {
        Log(u"KT16: deleted " + ToDecimalUnsigned(r.Moved) + u", kept " +
            ToDecimalUnsigned(r.Kept) + u", rows removed " + ToDecimalUnsigned(r.Removed));
        // A recycled folder must leave the folder list too: reading the same directory
        // again refreshes its sub-folders.
        if (r.Moved > 0) {
            toolkit::TFolderList& folders = JvDirectoryListBox1->Folders();
            const std::u16string current = folders.Directory();
            if (!current.empty()) folders.SetDirectory(current);
        }
    }
    FormResize();
}

void TForm_ORV::FormClose() {
    if (closed_) return;
    closed_ = true;
    // A scan still pumping messages stops at its next look at the flag.
    ScanAbortRequested = true;
    PellThreadTimer_ContextCheck->SetEnabled(false);
    VirtualDrawTree_ORV_KT16->ClearSelection();
    fullTree_.Clear();
    visibleTree_.Clear();
    if (Orvella != nullptr) Orvella->ProgressBar = nullptr;
    Orvella.reset();
    platform::Sys().TrimWorkingSet();
}

bool TForm_ORV::HandlePanelMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
        if (toolkit::win32::TPopupMenu::HandleOwnerDraw(message, wParam, lParam)) {
            result = TRUE;
            return true;
        }
        return false;
    }
    if (message == WM_CONTEXTMENU &&
        reinterpret_cast<HWND>(wParam) == VirtualDrawTree_ORV_KT16->Handle()) {
        int x = GET_X_LPARAM(lParam);
        int y = GET_Y_LPARAM(lParam);
        if (lParam == -1) {
            POINT p{};
            GetCursorPos(&p);
            x = p.x;
            y = p.y;
        }
        AdvPopupMenu_ORV->Popup(Panel_Rechts->Handle(), x, y);
        result = 0;
        return true;
    }
    return false;
}

// ---- The views' hooks ----

void TForm_ORV::ProcessMessages() {
    platform::Sys().ProcessMessages();
}

void TForm_ORV::SetStatus(std::u16string_view html) {
    HTMLabel_Status->SetHTMLText(html);
    HTMLabel_Status->Invalidate();
}

void TForm_ORV::SetProgressVisible(bool visible) {
    ProgressBar_Auswertung->SetVisible(visible);
}

void TForm_ORV::SetProgressMax(int max) {
    ProgressBar_Auswertung->SetRange(0, max);
}

void TForm_ORV::SetProgressPosition(int position) {
    ProgressBar_Auswertung->SetPosition(position);
}

analysis::TViewKind TForm_ORV::CurrentView() {
    if (!PellButton_Files->Enabled()) return analysis::TViewKind::Files;
    if (!PellButton_Formats->Enabled()) return analysis::TViewKind::Formats;
    return analysis::TViewKind::Structure;
}

void TForm_ORV::SetViewButtons(const analysis::TViewLayout& layout) {
    PellButton_Folders->SetEnabled(layout.FoldersEnabled);
    PellButton_Files->SetEnabled(layout.FilesEnabled);
    PellButton_Formats->SetEnabled(layout.FormatsEnabled);
}

void TForm_ORV::SetBoxesVisible(const analysis::TViewLayout& layout) {
    Label_ORV_NameBalkenDESC->SetVisible(layout.NameBarShown);
    ShowWindowOf(ComboBox_ORV_NameBalken->Handle(), layout.NameBarShown);
    Label_ORV_FilterDESC->SetVisible(layout.FilterShown);
    ShowWindowOf(ComboBox_ORV_Filter->Handle(), layout.FilterShown);
}

void TForm_ORV::SetFolderListVisible(bool visible) {
    ShowWindowOf(JvDirectoryListBox1->Handle(), visible);
    if (visible) AdvSplitter1->Realign();
    ShowWindowOf(AdvSplitter1->Handle(), visible);
    LayoutControls();
}

void TForm_ORV::RunFolderSelection() {
    JvDirectoryListBox1Change();
}

void TForm_ORV::SetFolderListDirectory(std::u16string_view directory) {
    const std::u16string before = JvDirectoryListBox1->Directory();
    const std::u16string wanted = toolkit::TFolderList::NormalDirectory(directory);
    if (!JvDirectoryListBox1->SetDirectory(directory) || wanted == before) {
        // The same folder, or one the file system no longer has: the handler runs anyway.
        if (wanted == before || !wanted.empty()) {
            views_->JvDirectoryListBox1Change(wanted.empty() ? before : wanted);
            FormResize();
        }
    }
}

void TForm_ORV::RepaintRightPanel() {
    VirtualDrawTree_ORV_KT16->Invalidate();
    if (Panel_Rechts->HandleAllocated()) UpdateWindow(Panel_Rechts->Handle());
}

bool TForm_ORV::RightPanelVisible() {
    return WindowShown(Panel_Rechts->Handle());
}

std::u16string TForm_ORV::FilterBoxText() {
    return ComboBox_ORV_Filter->Text();
}

void TForm_ORV::SelectFirstFilterItem() {
    const bool was = views_->READING_SETTINGS_NOW;
    views_->READING_SETTINGS_NOW = true;
    ComboBox_ORV_Filter->SetItemIndex(0);
    views_->READING_SETTINGS_NOW = was;
}

int TForm_ORV::NameBarIndex() {
    return ComboBox_ORV_NameBalken->ItemIndex();
}

analysis::TFormatSettings TForm_ORV::FormatSettings() {
    if (TOptionsForPage* options = LivingOptionsDialog()) return options->FormatSettings();
    return analysis::DefaultFormatSettings();
}

// ---- Small helpers ----

void TForm_ORV::ShowWindowOf(HWND window, bool visible) {
    if (window != nullptr) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

bool TForm_ORV::WindowShown(HWND window) const {
    return window != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TForm_ORV::EnableWindowOf(HWND window, bool enabled) {
    if (window != nullptr) EnableWindow(window, enabled ? TRUE : FALSE);
}

// ---- Page class ----

const TFormClass* FormORVClass() {
    static const TFormClass cls{u"TForm_ORV", [](toolkit::TComponent* owner) -> TModuleForm* {
                                    TForm_KT7* main = InstalledMain();
                                    auto* page = new TForm_ORV(owner, main);
                                    HWND area = main != nullptr && main->Panel1 != nullptr
                                                    ? main->Panel1->Handle()
                                                    : nullptr;
                                    if (area == nullptr || !page->CreateIn(area)) {
                                        Log(u"KT16: the analysis page could not be made");
                                        delete page;
                                        return nullptr;
                                    }
                                    return page;
                                }};
    return &cls;
}

void InstallAnalysisPage(TForm_KT7* main) {
    InstalledMain() = main;
    SetStartPageClass(main != nullptr ? FormORVClass() : nullptr);
}

}  // namespace orv::app
