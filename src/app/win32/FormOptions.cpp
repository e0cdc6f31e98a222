#include "app/win32/FormOptions.h"

#include <algorithm>
#include <optional>

#include "app/Globals.h"
#include "app/OnlineHelp.h"
#include "app/ServiceChannel.h"
#include "app/win32/FormYesNo.h"
#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "lang/nLang3.h"
#include "platform/System.h"
#include "settings/ContextMenuContract.h"
#include "settings/RegistryBindings.h"
#include "settings/RegistryMap.h"
#include "skin/Form_ToolTips.h"
#include "skin/SkinList.h"
#include "skin/SkinTabs.h"
#include "skin/win32/Skinning.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::app {
namespace {

using toolkit::MakeColor;
using toolkit::win32::TCheckBox;
using toolkit::win32::TEdit;

constexpr toolkit::TColor kLineColor = MakeColor(0xA0, 0xA0, 0xA0);

// The frame of the dialog's regions.
constexpr int kNaviWidth = 200;
constexpr int kAreaLeft = 208;
constexpr int kAreaWidth = TForm_Options::kClientWidth - kAreaLeft - 8;
constexpr int kTabsTop = 8;
constexpr int kTabsHeight = 28;
constexpr int kBottomTop = 468;
constexpr int kPageTop = kTabsTop + kTabsHeight + 1;
constexpr int kPageHeight = kBottomTop - kPageTop - 4;

// Inside a page.
constexpr int kMargin = 12;
constexpr int kContentTop = 80;
constexpr int kContentWidth = kAreaWidth - 2 * kMargin;

// The file-format rows: right-aligned captions that end before the edits.
constexpr int kFormatRowsTop = 102;
constexpr int kFormatRowStep = 28;
constexpr int kFormatLabelWidth = 150;
constexpr int kFormatEditLeft = kMargin + kFormatLabelWidth + 10;
constexpr int kFormatEditWidth = kContentWidth - kFormatLabelWidth - 10 - 20;
constexpr int kEditHeight = 22;

class TEditValue final : public IEditValue {
  public:
    explicit TEditValue(TEdit& edit) : edit_(edit) {}
    std::u16string_view ControlName() const override { return edit_.Name(); }
    std::u16string EditText() const override { return edit_.Text(); }
    void SetEditText(std::u16string_view text) override { edit_.SetText(text); }

  private:
    TEdit& edit_;
};

class TCheckBoxValue final : public ICheckBoxValue {
  public:
    explicit TCheckBoxValue(TCheckBox& box) : box_(box) {}
    std::u16string_view ControlName() const override { return box_.Name(); }
    bool IsChecked() const override { return box_.Checked(); }
    void SetChecked(bool checked) override { box_.SetChecked(checked); }

  private:
    TCheckBox& box_;
};

template <typename T>
T* Make(toolkit::TComponent* owner, std::u16string_view name, int32_t tag = 1) {
    T* c = new T(owner);
    c->SetName(name);
    c->SetTag(tag);
    return c;
}

toolkit::TLabel* MakeLabel(TForm_Options* form, toolkit::TComponent* parent,
                           std::u16string_view name, std::u16string_view caption, int left, int top,
                           int width, bool bold) {
    auto* l = Make<toolkit::TLabel>(form, name);
    l->SetAutoSize(false);
    l->SetBounds(left, top, width, 16);
    l->SetCaption(caption);
    if (bold) l->Font().SetStyle(toolkit::fsBold);
    l->SetParent(parent);
    return l;
}

toolkit::THTMLabel* MakeMarkup(TForm_Options* form, toolkit::TComponent* parent,
                               std::u16string_view name, std::u16string_view text, int left,
                               int top, int width, int height) {
    auto* l = Make<toolkit::THTMLabel>(form, name);
    l->SetBounds(left, top, width, height);
    l->SetTransparent(true);
    l->SetHTMLText(text);
    l->SetParent(parent);
    return l;
}

TCheckBox* MakeCheckBox(TForm_Options* form, std::u16string_view name, std::u16string_view caption,
                        int left, int top, int width, bool checked) {
    auto* b = Make<TCheckBox>(form, name);
    b->SetCaption(caption);
    b->SetBounds(left, top, width, 20);
    b->SetChecked(checked);
    return b;
}

TOptionsSheet* MakeSheet(TForm_Options* form, toolkit::TPageControl* pages,
                         std::u16string_view name, std::u16string_view caption) {
    auto* s = Make<TOptionsSheet>(form, name);
    s->SetCaption(caption);
    s->SetPageControl(pages);
    return s;
}

// The header of a page: a 48-pixel stripe picture and the mark-up text beside it.
toolkit::TImage* MakeHeaderImage(TForm_Options* form, TOptionsSheet* sheet,
                                 std::u16string_view name) {
    auto* image = Make<toolkit::TImage>(form, name, 0);
    image->SetBounds(kMargin, kMargin, 48, 48);
    image->SetParent(sheet);
    return image;
}

toolkit::THTMLabel* MakeHeaderText(TForm_Options* form, TOptionsSheet* sheet,
                                   std::u16string_view name, std::u16string_view text) {
    return MakeMarkup(form, sheet, name, text, kMargin + 60, kMargin, kContentWidth - 60, 62);
}

TEdit* MakeEdit(TForm_Options* form, std::u16string_view name, int top, bool upperCase) {
    auto* e = Make<TEdit>(form, name, 0);
    e->SetBounds(kFormatEditLeft, top, kFormatEditWidth, kEditHeight);
    e->SetCharCase(upperCase ? toolkit::win32::TEditCharCase::UpperCase
                             : toolkit::win32::TEditCharCase::Normal);
    e->SetText(settings::DefaultOf(settings::kOptionsKey, name));
    return e;
}

TRightLabel* MakeRowLabel(TForm_Options* form, TOptionsSheet* sheet, std::u16string_view name,
                          std::u16string_view caption, int top) {
    auto* l = Make<TRightLabel>(form, name);
    l->SetBounds(kMargin, top + 4, kFormatLabelWidth, 16);
    l->SetCaption(caption);
    l->SetParent(sheet);
    return l;
}

void CentreOverWindow(HWND window, HWND over) {
    RECT outer{};
    if (over != nullptr && IsWindow(over) && IsWindowVisible(over)) {
        GetWindowRect(over, &outer);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &outer, 0);
    }
    RECT own{};
    GetWindowRect(window, &own);
    const int w = own.right - own.left;
    const int h = own.bottom - own.top;
    const int x = std::max<int>(0, outer.left + (outer.right - outer.left - w) / 2);
    const int y = std::max<int>(0, outer.top + (outer.bottom - outer.top - h) / 2);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// White behind the check boxes and labels of a page or panel.
LRESULT ColourStatic(WPARAM wParam, toolkit::TColor colour) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, colour);
    SetDCBrushColor(dc, colour);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

}  // namespace

LRESULT TOptionsSheet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (toolkit::win32::TButtonControl::DispatchButtonCommand(wParam, lParam)) return 0;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ColourStatic(wParam, Color());
        case WM_NOTIFY: {
            // A hidden column (width 0) stays hidden: its divider cannot be dragged open.
            const auto* nm = reinterpret_cast<const NMHEADERW*>(lParam);
            if (nm->hdr.code == HDN_BEGINTRACKW || nm->hdr.code == HDN_BEGINTRACKA ||
                nm->hdr.code == HDN_DIVIDERDBLCLICKW || nm->hdr.code == HDN_DIVIDERDBLCLICKA) {
                HDITEMW item{};
                item.mask = HDI_WIDTH;
                if (SendMessageW(nm->hdr.hwndFrom, HDM_GETITEMW, static_cast<WPARAM>(nm->iItem),
                                 reinterpret_cast<LPARAM>(&item)) &&
                    item.cxy == 0)
                    return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return TTabSheetWindow::HandleMessage(message, wParam, lParam);
}

LRESULT TOptionsPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (toolkit::win32::TButtonControl::DispatchButtonCommand(wParam, lParam)) return 0;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ColourStatic(wParam, Color());
        default:
            break;
    }
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

void TRightLabel::Paint(toolkit::TPaintDevice& device) {
    device.SetTransparentBackground();
    device.UseFont(Font());
    device.WriteText(Width() - device.TextWidth(Caption()), 0, Caption());
}

TForm_Options::TForm_Options(toolkit::TComponent* owner)
    : TModalForm(owner, u"TForm_Options"), caption_([this] { SetCaption(caption_.Value()); }) {
    SetName(u"Form_Options");
    SetTag(1);
    caption_.Set(u"Einstellungen");
    Services.AskYesOrNo = [](std::u16string_view text, int defaultButton) {
        return static_cast<int>(app::AskYesOrNo(text, static_cast<uint16_t>(defaultButton)));
    };
    Services.OpenLinkTarget = [](std::u16string_view target) { app::OpenLinkTarget(target); };
    Services.ConfigureChannels = [](HWND window) { service::tinet_StartAnalyticsConfig(window); };
    BuildControls();
    SetLivingOptionsDialog(this);
}

TForm_Options::~TForm_Options() {
    if (LivingOptionsDialog() == this) SetLivingOptionsDialog(nullptr);
    // The windows of the pages go before the objects that paint them.
    DestroyHandle();
}

void TForm_Options::BuildControls() {
    using namespace toolkit;
    // Navigation.
    Panel_Navi = Make<TOptionsPanel>(this, u"Panel_Navi", 0);
    Image_Navi_Back = Make<TImage>(Panel_Navi, u"Image_Navi_Back", 0);
    Image_Navi_Back->SetBounds(0, 0, kNaviWidth, kClientHeight);
    Image_Navi_Back->SetStretch(true);
    Image_Navi_Back->SetParent(Panel_Navi);
    MirelMouseImage3State1 = Make<skin::TMirelMouseImage3State>(this, u"MirelMouseImage3State1", 0);
    MirelMouseImage3State1->SetBounds(10, 16, 181, 40);
    MirelMouseImage3State1->SetParent(Panel_Navi);
    MirelMouseImage3State8 = Make<skin::TMirelMouseImage3State>(this, u"MirelMouseImage3State8", 0);
    MirelMouseImage3State8->SetBounds(10, 62, 181, 40);
    MirelMouseImage3State8->SetParent(Panel_Navi);
    for (auto* tile : {MirelMouseImage3State1, MirelMouseImage3State8}) {
        tile->OnClick = [this](TComponent* s) { MirelMouseImage3State1Click(s); };
    }

    AdvOfficeTabSet1 = Make<win32::TAdvOfficeTabSetWindow>(this, u"AdvOfficeTabSet1", 0);
    AdvOfficeTabSet1->OnChange = [this](TComponent* s) { AdvOfficeTabSet1Change(s); };
    Shape_Tabs = Make<TShape>(this, u"Shape_Tabs", 0);
    Shape_Tabs->SetBrushColor(kLineColor);
    Shape_Tabs->SetParent(this);
    PageControl1 = Make<win32::TPageControlWindow>(this, u"PageControl1", 0);

    // Bottom.
    Panel_Unten = Make<TOptionsPanel>(this, u"Panel_Unten", 0);
    Shape2 = Make<TShape>(Panel_Unten, u"Shape2", 0);
    Shape2->SetBrushColor(kLineColor);
    Shape2->SetBounds(0, 0, kClientWidth - kNaviWidth, 1);
    Shape2->SetParent(Panel_Unten);
    PellButton_Reset = Make<skin::TPellButton2>(this, u"PellButton_Reset");
    PellButton_Reset->SetCaption(u"Zur\u00fccksetzen");
    PellButton_Reset->SetAutoWidth(false);
    PellButton_Reset->SetBounds(kClientWidth - kNaviWidth - 16 - 110 - 8 - 130, 12, 130, 28);
    PellButton_Reset->OnClick = [this](TComponent* s) { Button_ResetClick(s); };
    PellButton_Reset->SetParent(Panel_Unten);
    PellButton_Ok = Make<skin::TPellButton2>(this, u"PellButton_Ok");
    PellButton_Ok->SetCaption(u"Ok");
    PellButton_Ok->SetAutoWidth(false);
    PellButton_Ok->SetActionButton(true);
    PellButton_Ok->SetBounds(kClientWidth - kNaviWidth - 16 - 110, 12, 110, 28);
    PellButton_Ok->OnClick = [this](TComponent* s) { Button_OkClick(s); };
    PellButton_Ok->SetParent(Panel_Unten);

    // Skin.
    TabSheet_SKIN = MakeSheet(this, PageControl1, u"TabSheet_SKIN", u"Skin");
    Image_Skin = MakeHeaderImage(this, TabSheet_SKIN, u"Image_Skin");
    HTMLabel_Skin = MakeHeaderText(
        this, TabSheet_SKIN, u"HTMLabel_Skin",
        u"Hier k\u00f6nnen Sie einen \"Skin\" ausw\u00e4hlen. Dieser beeinflusst, wie die Software "
        u"optisch dargestellt wird. W\u00e4hlen Sie dazu einen Skin aus der Liste unten aus und "
        u"klicken Sie auf \"Ok\".<br><b>Achtung:</b> Der gew\u00e4hlte Skin wird erst nach einem "
        u"Neustart der Software verwendet!");
    ListBox_Skins = Make<win32::TListBoxWindow>(this, u"ListBox_Skins", 0);
    skin::SetUpSkinListBox(*ListBox_Skins);

    // Language.
    TabSheet_LANG = MakeSheet(this, PageControl1, u"TabSheet_LANG", u"Sprache");
    Image_Sprache = MakeHeaderImage(this, TabSheet_LANG, u"Image_Sprache");
    HTMLabel_Sprache = MakeHeaderText(
        this, TabSheet_LANG, u"HTMLabel_Sprache",
        u"Hier k\u00f6nnen Sie die Sprache umstellen, in welcher die Software alle Texte "
        u"anzeigt. W\u00e4hlen Sie dazu die gew\u00fcnschte Sprache aus und klicken Sie unten auf "
        u"\"Ok\".<br><b>Achtung:</b> Die gew\u00e4hlte Sprache wird erst nach einem Neustart der "
        u"Software verwendet!");
    ListView_Options_Language = Make<win32::TListView>(this, u"ListView_Options_Language");
    ListView_Options_Language->AddColumn(u"Sprache", 260);
    ListView_Options_Language->AddColumn(u"\u00dcbersetzer", 300);
    ListView_Options_Language->AddColumn(u"", 0);
    HTMLabel_Options_GUI_TranslationLinkTarget = MakeMarkup(
        this, TabSheet_LANG, u"HTMLabel_Options_GUI_TranslationLinkTarget",
        u"Ihre Sprache nicht verf\u00fcgbar? Klicken Sie <a href=\"1\">hier</a> f\u00fcr "
        u"mehr Informationen zum \u00dcbersetzen dieser Software.",
        kMargin, kPageHeight - 30, kContentWidth, 20);
    HTMLabel_Options_GUI_TranslationLinkTarget->OnAnchorClick = [this](TComponent* s,
                                                                       const std::u16string& href) {
        HTMLabel_Options_GUI_TranslationLinkTargetAnchorClick(s, href);
    };

    // Context menu.
    TabSheet_CONTEXTMENU =
        MakeSheet(this, PageControl1, u"TabSheet_CONTEXTMENU", u"Kontextmen\u00fc");
    Image_Contextmenu = MakeHeaderImage(this, TabSheet_CONTEXTMENU, u"Image_Contextmenu");
    HTMLabel_Contextmenu = MakeHeaderText(
        this, TabSheet_CONTEXTMENU, u"HTMLabel_Contextmenu",
        u"Diese Software kann verschiedene n\u00fctzliche Funktionen in das Kontextmen\u00fc "
        u"f\u00fcr Dateien und Ordner im Windows Explorer einf\u00fcgen. Hier k\u00f6nnen Sie "
        u"dies anpassen.");
    Label_Contextmenu_Small1 =
        MakeLabel(this, TabSheet_CONTEXTMENU, u"Label_Contextmenu_Small1",
                  u"Kontextmen\u00fc-Integration", kMargin, kContentTop, kContentWidth, true);
    struct BoxRow {
        std::u16string_view name;
        std::u16string_view caption;
    };
    const BoxRow boxes[] = {
        {u"CheckBox_ShowContextMenu", u"Kontextmen\u00fc-Eintr\u00e4ge anzeigen"},
        {u"CheckBox_Context_DEFRAG", u"\"Defragmentieren mit\" anzeigen"},
        {u"CheckBox_Context_DL", u"\"Analysiere Speicherbelegung mit\" anzeigen"},
        {u"CheckBox_Context_FW", u"\"Vernichten mit\" anzeigen"},
        {u"CheckBox_Context_ED",
         u"\"Verschl\u00fcsseln mit\" und \"Entschl\u00fcsseln mit\" anzeigen"},
        {u"CheckBox_Context_FSJ",
         u"\"Teilen mit\" und \"Dateien zusammenf\u00fcgen mit\" anzeigen"},
        {u"CheckBox_Context_Recycle_FW", u"Papierkorb: \"Inhalt vernichten mit\" anzeigen"},
        {u"CheckBox_Context_Recycle_Undelete",
         u"Papierkorb: \"Nach gel\u00f6schten Dateien suchen mit\" anzeigen"},
    };
    for (size_t i = 0; i < std::size(boxes); ++i) {
        const int left = i == 0 ? kMargin : kMargin + 20;
        contextBoxes_.push_back(MakeCheckBox(this, boxes[i].name, boxes[i].caption, left,
                                             kContentTop + 24 + static_cast<int>(i) * 24,
                                             kContentWidth - 20, true));
    }
    CheckBox_ShowContextMenu = contextBoxes_[0];
    CheckBox_Context_DEFRAG = contextBoxes_[1];
    CheckBox_Context_DL = contextBoxes_[2];
    CheckBox_Context_FW = contextBoxes_[3];
    CheckBox_Context_ED = contextBoxes_[4];
    CheckBox_Context_FSJ = contextBoxes_[5];
    CheckBox_Context_Recycle_FW = contextBoxes_[6];
    CheckBox_Context_Recycle_Undelete = contextBoxes_[7];
    CheckBox_ShowContextMenu->OnClick = [this](TComponent* s) { CheckBox_ShowContextMenuClick(s); };

    // Other.
    TabSheet_OTHER = MakeSheet(this, PageControl1, u"TabSheet_OTHER", u"Sonstiges");
    Image_Other1 = MakeHeaderImage(this, TabSheet_OTHER, u"Image_Other1");
    HTMLabel_Other1 = MakeHeaderText(this, TabSheet_OTHER, u"HTMLabel_Other1",
                                     u"Hier k\u00f6nnen Sie verschiedene Einstellungen vornehmen, "
                                     u"die das Verhalten der Software beeinflussen.");
    Label_Other_Small2 = MakeLabel(this, TabSheet_OTHER, u"Label_Other_Small2", u"Service-Channel",
                                   kMargin, kContentTop, kContentWidth, true);
    HTMLabel_Other_Channels_KT8 = MakeMarkup(
        this, TabSheet_OTHER, u"HTMLabel_Other_Channels_KT8",
        u"Die Talvik Service-Channel halten Sie auf dem Laufenden und benachrichtigen Sie "
        u"automatisch \u00fcber kostenlose Updates, Premium-Versionen sowie aktuelle Angebote.",
        kMargin, kContentTop + 22, kContentWidth, 34);
    Button_ConfigChannels = Make<win32::TPushButton>(this, u"Button_ConfigChannels");
    Button_ConfigChannels->SetCaption(u"Konfigurieren");
    Button_ConfigChannels->SetBounds(kMargin, kContentTop + 62, 130, 26);
    Button_ConfigChannels->OnClick = [this](TComponent* s) { Button_ConfigChannelsClick(s); };
    Label_Other_Small2_KT26 = MakeLabel(this, TabSheet_OTHER, u"Label_Other_Small2_KT26",
                                        u"Optik (Neustart der Anwendung notwendig)", kMargin,
                                        kContentTop + 106, kContentWidth, true);
    Label_Other_Small2_KT26->SetVisible(false);
    CheckBox_Other_Tooltips = MakeCheckBox(
        this, u"CheckBox_Other_Tooltips",
        u"Wenn verf\u00fcgbar Tooltips einblenden wenn Mauszeiger auf einem Element ruht", kMargin,
        kContentTop + 128, kContentWidth, false);
    CheckBox_Other_Tooltips->SetVisible(false);

    // File formats.
    TabSheet_ORV1 = MakeSheet(this, PageControl1, u"TabSheet_ORV1", u"Dateiformate");
    Image_ORV1 = MakeHeaderImage(this, TabSheet_ORV1, u"Image_ORV1");
    HTMLabel_ORV1 = MakeHeaderText(
        this, TabSheet_ORV1, u"HTMLabel_ORV1",
        u"Sie k\u00f6nnen die Dateiformate f\u00fcr die einzelnen Gruppen bearbeiten und eine "
        u"eigene Gruppe definieren. Trennen Sie die einzelnen Endungen der Dateiformate durch ein "
        u"Semikolon - z.B. \"zip ; rar ; ace\".");
    Label_ORV1_Small1 = MakeLabel(this, TabSheet_ORV1, u"Label_ORV1_Small1", u"Dateiformate",
                                  kMargin, kContentTop, kContentWidth, true);
    const auto rowTop = [](int row) { return kFormatRowsTop + row * kFormatRowStep; };
    Label_ORV_FormatDESC1 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC1", u"Audiodateien", rowTop(0));
    Edit_ORV_Audio = MakeEdit(this, settings::kAudio, rowTop(0), true);
    Label_ORV_FormatDESC2 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC2", u"Videodateien", rowTop(1));
    Edit_ORV_Video = MakeEdit(this, settings::kVideo, rowTop(1), true);
    Label_ORV_FormatDESC3 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC3", u"Bilddateien", rowTop(2));
    Edit_ORV_Bild = MakeEdit(this, settings::kPictures, rowTop(2), true);
    Label_ORV_FormatDESC4 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC4", u"Archivdateien", rowTop(3));
    Edit_ORV_Archive = MakeEdit(this, settings::kArchives, rowTop(3), true);
    Label_ORV_FormatDESC5 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC5", u"Dokumente", rowTop(4));
    Edit_ORV_Docs = MakeEdit(this, settings::kDocuments, rowTop(4), true);
    Label_ORV_FormatDESC6 =
        MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC6", u"Programmdateien", rowTop(5));
    Edit_ORV_Apps = MakeEdit(this, settings::kPrograms, rowTop(5), true);
    const int ownTop = rowTop(6) + 8;
    Label_ORV1_Small2 =
        MakeLabel(this, TabSheet_ORV1, u"Label_ORV1_Small2", u"Eigene Gruppe von Dateiformaten",
                  kMargin, ownTop, kContentWidth, true);
    CheckBox_ORV_ShowOwnGroup =
        MakeCheckBox(this, settings::kShowOwnGroup, u"Eigene Gruppe anzeigen", kFormatEditLeft,
                     ownTop + 22, kFormatEditWidth, false);
    Label_ORV_FormatDESC_Own1 = MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC_Own1",
                                             u"Name der Gruppe ", ownTop + 50);
    Edit_ORV_Name_OwnGroup = MakeEdit(this, settings::kOwnGroupName, ownTop + 50, false);
    Label_ORV_FormatDESC_Own2 = MakeRowLabel(this, TabSheet_ORV1, u"Label_ORV_FormatDESC_Own2",
                                             u"Dateiformate", ownTop + 50 + kFormatRowStep);
    Edit_ORV_Formate_OwnGroup =
        MakeEdit(this, settings::kOwnGroupFormats, ownTop + 50 + kFormatRowStep, true);
}

bool TForm_Options::Create(HWND owner, std::u16string_view skinFolder,
                           std::u16string_view programFolder, const skin::TStripeSkinner* stripe) {
    skinFolder_.assign(skinFolder);
    programFolder_.assign(programFolder);
    stripe_ = stripe;
    SetColor(MakeColor(255, 255, 255));
    if (!CreateForm(caption_.Value(), kClientWidth, kClientHeight,
                    {.SystemMenu = true, .DialogFrame = true}))
        return false;
    if (owner != nullptr)
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!Panel_Navi->CreateChild(Handle(), 0, 0, kNaviWidth, kClientHeight) ||
        !Panel_Unten->CreateChild(Handle(), kNaviWidth, kBottomTop, kClientWidth - kNaviWidth,
                                  kClientHeight - kBottomTop) ||
        !AdvOfficeTabSet1->CreateWindowIn(Handle(), kAreaLeft, kTabsTop, kAreaWidth, kTabsHeight) ||
        !PageControl1->CreateWindowIn(Handle(), kAreaLeft, kPageTop - 1, kAreaWidth, kPageHeight)) {
        return false;
    }
    for (int i = 0; i < PageControl1->PageCount(); ++i) {
        auto* sheet = dynamic_cast<TOptionsSheet*>(PageControl1->Page(i));
        if (sheet == nullptr || !sheet->CreateIn(*PageControl1)) return false;
    }
    PlaceSystemControls();
    FormCreate();
    return true;
}

void TForm_Options::PlaceSystemControls() {
    ListBox_Skins->CreateWindowIn(TabSheet_SKIN->Handle(), kMargin, kContentTop, kContentWidth,
                                  kPageHeight - kContentTop - kMargin);
    ListView_Options_Language->SetBounds(kMargin, kContentTop, kContentWidth,
                                         kPageHeight - kContentTop - 44);
    ListView_Options_Language->CreateWindowIn(TabSheet_LANG->Handle());
    for (TCheckBox* b : contextBoxes_) b->CreateHandle(TabSheet_CONTEXTMENU->Handle());
    Button_ConfigChannels->CreateHandle(TabSheet_OTHER->Handle());
    CheckBox_Other_Tooltips->CreateHandle(TabSheet_OTHER->Handle());
    for (TEdit* e : FormatEdits()) e->CreateHandle(TabSheet_ORV1->Handle());
    CheckBox_ORV_ShowOwnGroup->CreateHandle(TabSheet_ORV1->Handle());
}

void TForm_Options::FormCreate() {
    signalRecreateForm_ = false;
    Current_Sender = nullptr;
    if (!lang::CurrentLanguageFile.empty()) {
        lang::LOAD_TRANSLATION_TO_FORM(programFolder_ + u"\\translation", lang::CurrentLanguageFile,
                                       *this);
    }
    skin::win32::ApplySkinToButtonsOnPanel(*Panel_Unten, nullptr);
    BuildNavigation();
    CopyHeaderImages();
    for (int i = 0; i < PageControl1->PageCount(); ++i) PageControl1->Page(i)->SetTabVisible(false);
    PageControl1->SetActivePageIndex(0);
    // The page area sits one pixel lower, so the line under the strip shows above it.
    RECT r{};
    GetWindowRect(PageControl1->Handle(), &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(PageControl1->Handle(), nullptr, r.left, r.top + 1, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Shape_Tabs->SetBounds(r.left, kTabsTop + kTabsHeight, r.right - r.left, 1);
    FillLanguageList();
    MirelMouseImage3State1Click(MirelMouseImage3State1);
    LOAD_OPTIONS(false);
}

void TForm_Options::BuildNavigation() {
    const std::u16string back = skinFolder_ + u"\\navi_options.bmp";
    if (!toolkit::win32::LoadPictureFile(Image_Navi_Back->Picture(), back)) {
        platform::DebugOutput(u"Options: no navigation background " + back);
    }
    if (stripe_ == nullptr) {
        platform::DebugOutput(u"Options: no stripe for the navigation tiles");
        return;
    }
    skin::win32::BuildNaviTile(Image_Navi_Back->Picture(), *MirelMouseImage3State1,
                               lang::Msg(u"MESSAGE_OPTIONS_NAVI1"), 127, *stripe_);
    skin::win32::BuildNaviTile(Image_Navi_Back->Picture(), *MirelMouseImage3State8,
                               lang::Msg(u"MESSAGE_MODULNAME_ORV"), 101, *stripe_);
}

void TForm_Options::CopyHeaderImages() {
    if (stripe_ == nullptr) return;
    const std::pair<toolkit::TImage*, int> headers[] = {{Image_Skin, 24},
                                                        {Image_Sprache, 40},
                                                        {Image_Contextmenu, 66},
                                                        {Image_Other1, 22},
                                                        {Image_ORV1, 101}};
    for (const auto& [image, cell] : headers) {
        stripe_->CopyToPicture(48, image->Picture(), cell, false, 1.0f);
        image->Invalidate();
    }
}

void TForm_Options::FillLanguageList() {
    toolkit::win32::TListView& list = *ListView_Options_Language;
    list.Clear();
    list.ClearImages();
    for (const lang::LanguageMenuItem& item : lang::LanguageMenuItems(programFolder_)) {
        const int position = item.helpContext - 1;
        toolkit::win32::TListRow row;
        row.Caption = item.caption;
        row.ImageIndex = item.flagFile.empty() ? -1 : list.AddImageFile(item.flagFile);
        row.SubItems.push_back(lang::TranslatorName(programFolder_, static_cast<size_t>(position)));
        row.SubItems.push_back(ToDecimal(position));
        list.AddRow(row);
    }
    list.SetSelected(-1);
}

void TForm_Options::ShowModal() {
    CentreOverWindow(Handle(), GetWindow(Handle(), GW_OWNER));
    FormShow();
    TModalForm::ShowModal();
}

bool TForm_Options::PreviewKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE) return false;
    Close();
    return true;
}

void TForm_Options::FormShow() {
    LOAD_OPTIONS(false);
    const std::u16string page =
        Services.CurrentModuleClassName ? Services.CurrentModuleClassName() : std::u16string();
    if (!page.empty() && UpperAscii(page) == u"TFORM_ORV") {
        MirelMouseImage3State1Click(MirelMouseImage3State8);
    }
}

void TForm_Options::MirelMouseImage3State1Click(toolkit::TComponent* sender) {
    skin::TMirelMouseImage3State* const tiles[] = {MirelMouseImage3State1, MirelMouseImage3State8};
    for (auto* tile : tiles) tile->SetEnabled(true);
    auto* clicked = dynamic_cast<skin::TMirelMouseImage3State*>(sender);
    if (clicked == nullptr) return;
    clicked->SetEnabled(false);
    clicked->Picture().Assign(clicked->Picture_Pressed());
    clicked->Invalidate();
    for (auto* tile : tiles) {
        if (!tile->Enabled()) continue;
        tile->Picture().Assign(tile->Picture_Normal());
        tile->Invalidate();
    }
    std::vector<toolkit::TTabSheet*> group;
    if (clicked == MirelMouseImage3State1) {
        group = {TabSheet_LANG, TabSheet_OTHER};
    } else {
        group = {TabSheet_ORV1};
    }
    AdvOfficeTabSet1->ClearTabs();
    skin::FillTabsFromPages(*AdvOfficeTabSet1, *PageControl1, group);
}

void TForm_Options::AdvOfficeTabSet1Change(toolkit::TComponent*) {
    const int active = AdvOfficeTabSet1->ActiveTabIndex();
    if (active < 0) return;
    PageControl1->SetActivePageIndex(AdvOfficeTabSet1->Tab(active).ImageIndex);
}

std::vector<TEdit*> TForm_Options::FormatEdits() const {
    return {Edit_ORV_Audio, Edit_ORV_Video, Edit_ORV_Bild,          Edit_ORV_Archive,
            Edit_ORV_Docs,  Edit_ORV_Apps,  Edit_ORV_Name_OwnGroup, Edit_ORV_Formate_OwnGroup};
}

TEdit* TForm_Options::EditNamed(std::u16string_view name) const {
    for (TEdit* e : FormatEdits()) {
        if (EqualsIgnoreCaseAscii(e->Name(), name)) return e;
    }
    return nullptr;
}

void TForm_Options::LOAD_OPTIONS(bool for_DC_only) {
    if (for_DC_only) return;
    skin::TListBoxSkinList skins(*ListBox_Skins);
    skin::FillSkinList(skins);

    const settings::TContextMenuBoxes boxes = settings::LoadContextMenuBoxes();
    const bool states[] = {
        boxes.ShowContextMenu, boxes.DEFRAG,          boxes.DL, boxes.FW, boxes.ED, boxes.FSJ,
        boxes.Recycle_FW,      boxes.Recycle_Undelete};
    for (size_t i = 0; i < contextBoxes_.size(); ++i) contextBoxes_[i]->SetChecked(states[i]);
    CheckBox_ShowContextMenuClick(CheckBox_ShowContextMenu);

    const RegRoot root = RegRoot::LocalMachine;
    const std::vector<TEdit*> edits = FormatEdits();
    for (size_t i = 0; i < 6; ++i) {
        TEditValue v(*edits[i]);
        EditFromRegistry(root, settings::kOptionsKey, v);
    }
    TCheckBoxValue own(*CheckBox_ORV_ShowOwnGroup);
    CheckBoxFromRegistry(root, settings::kOptionsKey, own);
    for (size_t i = 6; i < edits.size(); ++i) {
        TEditValue v(*edits[i]);
        EditFromRegistry(root, settings::kOptionsKey, v);
    }
}

void TForm_Options::SAVE_OPTIONS() {
    skin::TListBoxSkinList skins(*ListBox_Skins);
    skin::SaveSkinChoice(skins);

    const int row = ListView_Options_Language->Selected();
    if (row >= 0) {
        // The hidden column holds the row's place in the available lists.
        const std::u16string cell = ListView_Options_Language->CellText(row, 2);
        int position = cell.empty() ? -1 : 0;
        for (const char16_t c : cell) {
            if (c < u'0' || c > u'9' || position > 100000) {
                position = -1;
                break;
            }
            position = position * 10 + (c - u'0');
        }
        if (position >= 0 && static_cast<size_t>(position) < lang::AvailableFileNames.size()) {
            lang::SaveForcedLanguage(lang::AvailableFileNames[static_cast<size_t>(position)]);
        } else {
            platform::DebugOutput(u"Options: language row without a known position: " + cell);
        }
    }

    settings::TContextMenuBoxes boxes;
    bool* const states[] = {
        &boxes.ShowContextMenu, &boxes.DEFRAG,          &boxes.DL, &boxes.FW, &boxes.ED, &boxes.FSJ,
        &boxes.Recycle_FW,      &boxes.Recycle_Undelete};
    for (size_t i = 0; i < contextBoxes_.size(); ++i) *states[i] = contextBoxes_[i]->Checked();
    settings::SaveContextMenuSettings(boxes);

    const RegRoot root = RegRoot::LocalMachine;
    const std::vector<TEdit*> edits = FormatEdits();
    for (size_t i = 0; i < 6; ++i)
        EditToRegistry(root, settings::kOptionsKey, TEditValue(*edits[i]));
    CheckBoxToRegistry(root, settings::kOptionsKey, TCheckBoxValue(*CheckBox_ORV_ShowOwnGroup));
    for (size_t i = 6; i < edits.size(); ++i)
        EditToRegistry(root, settings::kOptionsKey, TEditValue(*edits[i]));
}

analysis::TFormatSettings TForm_Options::FormatSettings() const {
    analysis::TFormatSettings s;
    for (int i = 0; i < analysis::kGroupCount; ++i) {
        if (TEdit* e = EditNamed(analysis::FileFormatGroups()[static_cast<size_t>(i)].EditName))
            s.Lists[static_cast<size_t>(i)] = e->Text();
    }
    s.ShowOwnGroup = CheckBox_ORV_ShowOwnGroup->Checked();
    s.OwnGroupName = Edit_ORV_Name_OwnGroup->Text();
    return s;
}

void TForm_Options::Button_OkClick(toolkit::TComponent*) {
    SAVE_OPTIONS();
    SetModalResult(toolkit::win32::kMrOk);
}

void TForm_Options::Button_ResetClick(toolkit::TComponent*) {
    const int answer =
        Services.AskYesOrNo
            ? Services.AskYesOrNo(lang::Msg(u"MESSAGEHTML_OPTIONS_ASKER_SURETORESET"), 7)
            : 7;
    if (answer != 6) return;
    settings::ResetOptions(programFolder_);
    signalRecreateForm_ = true;
    // Closed without saving: the values were just deleted.
    SetModalResult(toolkit::win32::kMrCancel);
}

void TForm_Options::CheckBox_ShowContextMenuClick(toolkit::TComponent*) {
    const bool on = CheckBox_ShowContextMenu->Checked();
    for (size_t i = 1; i < contextBoxes_.size(); ++i) contextBoxes_[i]->SetEnabled(on);
}

void TForm_Options::HTMLabel_Options_GUI_TranslationLinkTargetAnchorClick(toolkit::TComponent*,
                                                                          const std::u16string&) {
    if (Services.OpenLinkTarget) Services.OpenLinkTarget(u"translation");
}

void TForm_Options::Button_ConfigChannelsClick(toolkit::TComponent*) {
    if (Services.ConfigureChannels) Services.ConfigureChannels(Handle());
}

void LinkToolTipsToOptions(skin::TToolTips& tips, std::function<TForm_Options*()> dialog) {
    tips.OptionsTooltipsTicked = [dialog = std::move(dialog)]() -> std::optional<bool> {
        TForm_Options* d = dialog ? dialog() : nullptr;
        if (d == nullptr) return std::nullopt;
        return d->CheckBox_Other_Tooltips->Checked();
    };
}

}  // namespace orv::app
