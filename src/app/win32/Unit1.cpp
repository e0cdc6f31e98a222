#include "app/win32/Unit1.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "app/Globals.h"
#include "app/win32/StartPage.h"
#include "core/Text.h"
#include "core/TextAfterLast.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "platform/win32/WinText.h"
#include "skin/Form_ToolTips.h"
#include "skin/SkinCatalogue.h"
#include "skin/SkinIni.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::app {
namespace {

using toolkit::TComponent;
using toolkit::TMouseButton;

toolkit::win32::TMenuStyler* g_sharedMenuStyler = nullptr;

constexpr UINT_PTR kWholeFrame = 1;  // WM_NCPAINT region 1: the whole frame
constexpr WPARAM kScMoveWithMouse = 0xF012;
constexpr WPARAM kScSizeBottomRight = 0xF008;
// The sixteen-pixel stripe cells of the menus, in list order.
constexpr int kMenuCells[] = {26, 23, 24, 57, 2, 3, 55, 37, 76};

void Log(std::u16string_view line) {
    platform::DebugOutput(line);
}

void ProcessMessages() {
    platform::Sys().ProcessMessages();
}

skin::TMirelMouseImage3State* HeaderButton(TComponent* owner, std::u16string_view name,
                                           int designLeft) {
    auto* b = new skin::TMirelMouseImage3State(owner);
    b->SetName(name);
    b->SetBounds(designLeft, 2, 32, 32);
    b->SetAnchors(toolkit::akTop | toolkit::akRight);
    b->SetCursor(toolkit::TCursor::HandPoint);
    return b;
}

}  // namespace

toolkit::win32::TMenuStyler* SharedMenuStyler() {
    return g_sharedMenuStyler;
}

TForm_KT7::TForm_KT7(TComponent* application)
    : TGraphicHostWindow(nullptr, u"TForm_KT7"), application_(application) {
    SetName(u"Form_KT7");
    SetColor(0xFFFFFF);

    // Parenting order is painting order: the band behind everything, the logo in front.
    Shape_Header = new TShape(this);
    Shape_Header->SetName(u"Shape_Header");
    Shape_Header->SetBounds(228, 0, kDesignClientWidth + 1, kHeaderHeight);
    Shape_Header->SetParent(this);
    Shape_AntiFlicker1 = new TShape(this);
    Shape_AntiFlicker1->SetName(u"Shape_AntiFlicker1");
    Shape_AntiFlicker1->SetBounds(0, 0, 229, 6);
    Shape_AntiFlicker1->SetParent(this);
    Shape_AntiFlicker2 = new TShape(this);
    Shape_AntiFlicker2->SetName(u"Shape_AntiFlicker2");
    Shape_AntiFlicker2->SetBounds(0, 707, 229, 6);
    Shape_AntiFlicker2->SetAnchors(toolkit::akLeft | toolkit::akBottom);
    Shape_AntiFlicker2->SetParent(this);
    Image_Logo = new toolkit::TImage(this);
    Image_Logo->SetName(u"Image_Logo");
    Image_Logo->SetParent(this);

    MirelMouseImage3State_Close = HeaderButton(this, u"MirelMouseImage3State_Close", 858);
    MirelMouseImage3State_Maximize = HeaderButton(this, u"MirelMouseImage3State_Maximize", 822);
    MirelMouseImage3State_Minimize = HeaderButton(this, u"MirelMouseImage3State_Minimize", 786);
    MirelMouseImage3State_Help = HeaderButton(this, u"MirelMouseImage3State_Help", 750);
    MirelMouseImage3State_options = HeaderButton(this, u"MirelMouseImage3State_options", 714);
    MirelMouseImage3State_IM = HeaderButton(this, u"MirelMouseImage3State_IM", 678);
    MirelMouseImage3State_Feedback = HeaderButton(this, u"MirelMouseImage3State_Feedback", 642);
    MirelMouseImage3State_Feedback->SetVisible(false);
    for (auto* b :
         {MirelMouseImage3State_Close, MirelMouseImage3State_Maximize,
          MirelMouseImage3State_Minimize, MirelMouseImage3State_Help, MirelMouseImage3State_options,
          MirelMouseImage3State_IM, MirelMouseImage3State_Feedback}) {
        b->SetParent(this);
    }

    Image_SizeGrip = new toolkit::TImage(this);
    Image_SizeGrip->SetName(u"Image_SizeGrip");
    Image_SizeGrip->SetBounds(kDesignClientWidth - 26, kDesignClientHeight - 26, 24, 24);
    Image_SizeGrip->SetCursor(toolkit::TCursor::SizeNWSE);
    Image_SizeGrip->SetAnchors(toolkit::akRight | toolkit::akBottom);
    Image_SizeGrip->SetVisible(false);
    Image_SizeGrip->SetParent(this);

    Panel1 = new TModuleArea(this);
    Panel1->SetName(u"Panel1");

    AdvMenuOfficeStyler1 = new toolkit::win32::TMenuStyler(this);
    AdvMenuOfficeStyler1->SetName(u"AdvMenuOfficeStyler1");

    AdvPopupMenu_Help = new toolkit::win32::TPopupMenu(this);
    AdvPopupMenu_Help->SetName(u"AdvPopupMenu_Help");
    AdvPopupMenu_Help->Images = &PngImageList_16;
    AdvPopupMenu_Help->MenuStyler = AdvMenuOfficeStyler1;
    auto item = [this](toolkit::win32::TPopupMenu* menu, std::u16string_view name,
                       std::u16string_view caption, int image, int tag) {
        auto* i = new toolkit::win32::TMenuItem(this);
        i->SetName(name);
        i->SetCaption(caption);
        i->ImageIndex = image;
        i->SetTag(tag);
        menu->Add(i);
        return i;
    };
    MenuItem_help_Help = item(AdvPopupMenu_Help, u"MenuItem_help_Help", u"Hilfe", 4, 1);
    MenuItem_help_BetaReport =
        item(AdvPopupMenu_Help, u"MenuItem_help_BetaReport", u"Feedback beta", 7, 1);
    MenuItem_help_BetaReport->Visible = false;
    N1 = item(AdvPopupMenu_Help, u"N1", u"-", -1, 0);
    MenuItem_help_About =
        item(AdvPopupMenu_Help, u"MenuItem_help_About", u"\u00dcber diese Software", 5, 1);

    AdvPopupMenu_IM = new toolkit::win32::TPopupMenu(this);
    AdvPopupMenu_IM->SetName(u"AdvPopupMenu_IM");
    AdvPopupMenu_IM->Images = &ImageList_IM;
    AdvPopupMenu_IM->MenuStyler = AdvMenuOfficeStyler1;

    AdvPopupMenu_Options = new toolkit::win32::TPopupMenu(this);
    AdvPopupMenu_Options->SetName(u"AdvPopupMenu_Options");
    AdvPopupMenu_Options->Images = &PngImageList_16;
    MenuItem_Options = item(AdvPopupMenu_Options, u"MenuItem_Options", u"Einstellungen", 1, 1);
    MenuItems_talinetStatistics = item(AdvPopupMenu_Options, u"MenuItems_talinetStatistics",
                                       u"Verbesserung der Benutzerfreundlichkeit", 8, 1);
    MenuItems_talinetStatistics->Visible = false;

    PellThreadTimer_Redraw = new skin::TPellThreadTimer(this);
    PellThreadTimer_Redraw->SetName(u"PellThreadTimer_Redraw");
    PellThreadTimer_Redraw->SetInterval(400);
    PellThreadTimer_Redraw->SetEnabled(false);
    PellThreadTimer_Redraw->OnTimer = [this](TComponent*) { PellThreadTimer_RedrawTimer(); };

    // Events.
    const toolkit::TMouseEvent drag = [this](TComponent* s, TMouseButton b, int x, int y) {
        HeaderMouseDown(s, b, x, y);
    };
    Shape_Header->OnMouseDown = drag;
    Shape_AntiFlicker1->OnMouseDown = drag;
    Shape_AntiFlicker2->OnMouseDown = drag;
    Image_Logo->OnMouseDown = drag;
    Image_SizeGrip->OnMouseDown = [this](TComponent* s, TMouseButton b, int x, int y) {
        SizeGripMouseDown(s, b, x, y);
    };
    MirelMouseImage3State_Close->OnClick = [this](TComponent*) { CloseButtonClick(); };
    MirelMouseImage3State_Minimize->OnClick = [this](TComponent*) {
        if (HandleAllocated()) ShowWindow(Handle(), SW_MINIMIZE);
    };
    MirelMouseImage3State_Maximize->OnClick = [this](TComponent*) {
        if (!HandleAllocated()) return;
        ShowWindow(Handle(), Maximized() ? SW_RESTORE : SW_MAXIMIZE);
        ProcessMessages();
        Update_MaximizeButtons_and_Sizegrip();
    };
    MirelMouseImage3State_Help->OnClick = [this](TComponent*) {
        PopupBelow(AdvPopupMenu_Help, MirelMouseImage3State_Help);
    };
    MirelMouseImage3State_IM->OnClick = [this](TComponent*) {
        PopupBelow(AdvPopupMenu_IM, MirelMouseImage3State_IM);
    };
    MirelMouseImage3State_options->OnClick = [this](TComponent* s) { AskForOptions(s); };
    MirelMouseImage3State_Feedback->OnClick = [this](TComponent*) {
        if (Services.OpenLinkTarget) Services.OpenLinkTarget(u"feedback");
    };
    MenuItem_help_Help->OnClick = [this](TComponent*) { OpenHelp(); };
    MenuItem_help_About->OnClick = [this](TComponent*) {
        const std::u16string caption = WithoutAmpersands(MenuItem_help_About->Caption());
        if (Services.ShowAboutBox) Services.ShowAboutBox(Handle(), caption);
    };
    MenuItem_Options->OnClick = [this](TComponent* s) { AskForOptions(s); };
    MenuItem_help_BetaReport->OnClick = [this](TComponent*) {
        if (Services.ProblemReportSend) Services.ProblemReportSend(Handle());
    };
    MenuItems_talinetStatistics->OnClick = [this](TComponent*) {
        if (Services.StartAnalyticsConfig) Services.StartAnalyticsConfig(Handle());
    };
    AdvPopupMenu_IM->OnPopup = [this](TComponent*) { INIT_INTERNETMENU(); };
}

TForm_KT7::~TForm_KT7() {
    // The switcher must not reach a window that is going.
    if (switcher_) switcher_->SetMainForm(nullptr);
    switcher_.reset();
    if (g_sharedMenuStyler == AdvMenuOfficeStyler1) g_sharedMenuStyler = nullptr;
    SetStartPageGripTemplate(nullptr);
    // Pages this window owns go first, while it still exists.
    if (application_ == nullptr) {
        if (CurrentModuleForm != nullptr && CurrentModuleForm->Owner() == this) {
            delete CurrentModuleForm;
        }
        CurrentModuleForm = nullptr;
    }
    DestroyHandle();
}

bool TForm_KT7::Maximized() const {
    return HandleAllocated() && IsZoomed(Handle());
}

bool TForm_KT7::Create() {
    const std::wstring className = platform::win32::Wide(kMainWindowClassName);
    if (!RegisterWindowClass(className.c_str(), 0, LoadCursorW(nullptr, IDC_ARROW), nullptr)) {
        return false;
    }
    // CreateParams: a borderless popup that keeps sizing edges, minimise and maximise through
    // the taskbar and the system menu (the window is created in the normal state).
    const DWORD style =
        WS_POPUP | WS_CLIPCHILDREN | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU;
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_STATICEDGE;
    if (!CreateHandle(className.c_str(), exStyle, style,
                      platform::win32::Wide(kProgramTitle).c_str(), 0, 0, kDesignClientWidth,
                      kDesignClientHeight, nullptr)) {
        return false;
    }
    // Now that the custom frame is known: the design client size, centred on the work area.
    RECT wr{}, cr{};
    GetWindowRect(Handle(), &wr);
    GetClientRect(Handle(), &cr);
    const int width = kDesignClientWidth + (wr.right - wr.left) - cr.right;
    const int height = kDesignClientHeight + (wr.bottom - wr.top) - cr.bottom;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0, static_cast<int>(work.right - work.left - width) / 2);
    const int top = work.top + std::max(0, static_cast<int>(work.bottom - work.top - height) / 2);
    SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

    if (!Panel1->CreateChild(Handle(), 0, 66, 800, 479)) return false;
    Panel1->SetColor(0xFFFFFF);
    panelRightMargin_ = ClientWidth() - 800;
    panelBottomMargin_ = ClientHeight() - (66 + 479);
    LayoutAnchoredControls();
    return true;
}

void TForm_KT7::Show() {
    if (!HandleAllocated()) return;
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TForm_KT7::BringToFront() {
    if (!HandleAllocated()) return;
    BringWindowToTop(Handle());
    SetForegroundWindow(Handle());
}

void TForm_KT7::FormCreate() {
    fFirstOnShowDone = false;
    ClosingRequested = false;
}

std::u16string TForm_KT7::SkinFile(std::u16string_view name) const {
    std::u16string path = SkinFolder;
    path += u'\\';
    path += name;
    return path;
}

void TForm_KT7::Translate() {
    lang::LOAD_TRANSLATION_TO_FORM(ProgramFolder + u"\\translation", lang::CurrentLanguageFile,
                                   *this);
}

void TForm_KT7::Perform_EveryThingAfterOnCreate() {
    CurrentModuleForm = nullptr;
    CurrentModuleForm_OnOptionsChanged = nullptr;
    LastHelpKeyword.clear();

    if (HandleAllocated()) {
        wchar_t caption[512] = {};
        GetWindowTextW(Handle(), caption, 512);
        std::wstring text = caption;
        text += L" (Version 01.00.00)";
        SetWindowTextW(Handle(), text.c_str());
    }
    Translate();

    // A missing grip picture leaves the grip empty; the loader writes the debug line.
    toolkit::win32::LoadPictureFile(Image_SizeGrip->Picture(), SkinFile(u"grip.png"));
    SetStartPageGripTemplate(Image_SizeGrip);

    MenuItem_help_BetaReport->SetCaption(lang::Msg(u"MESSAGE_SEND_BETAREPORT"));

    stripe_ = std::make_unique<skin::TStripeSkinner>();
    const std::u16string ownStripe = SkinFile(u"stripe.png");
    const DWORD attributes = GetFileAttributesW(platform::win32::Wide(ownStripe).c_str());
    const bool skinHasStripe =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    stripe_->LoadFromStripeFile(skinHasStripe ? ownStripe : ProgramFolder + u"\\skins\\stripe.png");
    stripe_->ErrorIndex = 1;

    g_sharedMenuStyler = AdvMenuOfficeStyler1;

    PngImageList_16.BeginUpdate();
    PngImageList_16.Clear();
    for (int cell : kMenuCells) stripe_->AddOneToImageList(PngImageList_16, cell, false, 1.0f);
    PngImageList_16.EndUpdate();
    PngImageList16_Module.BeginUpdate();
    PngImageList16_Module.Clear();
    for (int cell : kModuleListCells) {
        stripe_->AddOneToImageList(PngImageList16_Module, cell, false, 1.0f);
    }
    for (std::u16string_view code : skin::kTrailingModuleCodes) {
        stripe_->AddOneToImageList(PngImageList16_Module, skin::ModuleCellFromCode(code), false,
                                   1.0f);
    }
    PngImageList16_Module.EndUpdate();

    APPLY_Translation_and_Skin();
    LoadHeaderLogo();

    Shape_AntiFlicker2->SetTop(0);
    Shape_AntiFlicker1->SetBrushColor(Shape_Header->BrushColor());
    Shape_AntiFlicker2->SetBrushColor(Shape_Header->BrushColor());

    switcher_ = std::make_unique<TMainMenuSwitcherThread>();
    switcher_->SetMainForm(this);
    switcher_->Start();
}

void TForm_KT7::SetButtonPictures(skin::TMirelMouseImage3State* button, std::u16string_view normal,
                                  std::u16string_view hover) {
    toolkit::TPicture n;
    toolkit::TPicture h;
    toolkit::win32::LoadPictureFile(n, SkinFile(normal));
    toolkit::win32::LoadPictureFile(h, SkinFile(hover));
    button->SetPicture_Normal(&n);
    button->SetPicture_Highlight(&h);
    button->SetPicture_Pressed(&n);
    button->Picture().Assign(n);
    button->Invalidate();
}

void TForm_KT7::APPLY_Translation_and_Skin() {
    Translate();
    Shape_Header->SetWidth(ClientWidth() + 1);
    Shape_Header->SetBrushColor(skin::ReadColorFromIni(SkinFile(u"skin.ini"), u"Header", u"Color"));
    // Sent to the back: first in painting order.
    Shape_Header->SetParent(nullptr);
    std::vector<TComponent*> rest;
    while (ChildCount() > 0) {
        rest.push_back(Child(0));
        Child(0)->SetParent(nullptr);
    }
    Shape_Header->SetParent(this);
    for (TComponent* c : rest) c->SetParent(this);

    if (Panel1->HandleAllocated()) {
        SetWindowPos(Panel1->Handle(), nullptr, 0, 66, 800, 479, SWP_NOZORDER | SWP_NOACTIVATE);
        panelRightMargin_ = ClientWidth() - 800;
        panelBottomMargin_ = ClientHeight() - (66 + 479);
    }

    const struct {
        skin::TMirelMouseImage3State* button;
        THeaderButton kind;
    } buttons[] = {
        {MirelMouseImage3State_Close, THeaderButton::Close},
        {MirelMouseImage3State_Maximize, THeaderButton::Maximize},
        {MirelMouseImage3State_Minimize, THeaderButton::Minimize},
        {MirelMouseImage3State_Help, THeaderButton::Help},
        {MirelMouseImage3State_options, THeaderButton::Options},
        {MirelMouseImage3State_IM, THeaderButton::IM},
        {MirelMouseImage3State_Feedback, THeaderButton::Feedback},
    };
    for (const auto& b : buttons) {
        const TButtonPictures p = HeaderButtonPictures(b.kind);
        SetButtonPictures(b.button, p.Normal, p.Hover);
    }
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm_KT7::LoadHeaderLogo() {
    toolkit::TPicture logo;
    if (toolkit::win32::LoadPictureFile(logo, SkinFile(u"head_logo.bmp"))) {
        Image_Logo->Picture().Assign(logo);
        Image_Logo->SetBounds(0, 0, logo.Width(), logo.Height());
    }
    Image_Logo->SetParent(nullptr);
    Image_Logo->SetParent(this);
}

void TForm_KT7::HideToolTip() {
    if (ToolTips != nullptr) ToolTips->OnCustomOnMouseLeave(nullptr);
}

void TForm_KT7::ChangeModule(const TFormClass* formClass, bool isStartPage) {
    if (!switcher_) switcher_ = std::make_unique<TMainMenuSwitcherThread>();
    if (switcher_->MainForm() == nullptr) switcher_->SetMainForm(this);
    switcher_->RequestChangeModule(formClass, isStartPage);
}

void TForm_KT7::ShowMainmenu() {
    HideToolTip();
    if (!switcher_) {
        switcher_ = std::make_unique<TMainMenuSwitcherThread>();
        switcher_->SetMainForm(this);
        switcher_->Start();
    }
    switcher_->RequestShowMainMenu();
}

void TForm_KT7::ShowMainmenu_Real() {
    ChangeModule_Real(StartPageClass(), false);
}

void TForm_KT7::ChangeModule_Real(const TFormClass* formClass, bool isStartPage) {
    if (formClass == nullptr || !HandleAllocated()) return;
    HideToolTip();
    const uint32_t started = platform::Sys().TickCount();

    if (CurrentModuleForm != nullptr) {
        const std::u16string name(CurrentModuleForm->ClassName());
        if (KeepFormLoaded_isKeepForm(CurrentModuleForm) != -1) {
            Log(u"DO NOT Close: " + name);
            if (CurrentModuleForm->HandleAllocated()) {
                ShowWindow(CurrentModuleForm->Handle(), SW_HIDE);
            }
        } else {
            Log(u"Close: " + name);
            TModuleForm* old = CurrentModuleForm;
            CurrentModuleForm = nullptr;
            CurrentModuleForm_OnOptionsChanged = nullptr;
            old->Close();
            delete old;
        }
    }

    CurrentModuleForm_isStartPage = isStartPage;

    const int kept = KeepFormLoaded_isKeepFormClass(formClass);
    if (kept != -1) {
        CurrentModuleForm = KeepFormsLoaded.Entries()[static_cast<size_t>(kept)].Form;
        Log(u"KeepForm found: " + std::u16string(CurrentModuleForm->ClassName()) + u" ; FormName=" +
            CurrentModuleForm->Name());
    } else {
        TComponent* owner = application_ != nullptr ? application_ : this;
        CurrentModuleForm = formClass->Create ? formClass->Create(owner) : nullptr;
        if (CurrentModuleForm == nullptr) {
            Log(u"Created: nothing for " + std::u16string(formClass->ClassName));
            return;
        }
        Log(u"Created: " + std::u16string(CurrentModuleForm->ClassName()) + u" ; FormName=" +
            CurrentModuleForm->Name());
    }

    CurrentModuleForm->Dock(Panel1->Handle());
    if (CurrentModuleForm->OnActivate) CurrentModuleForm->OnActivate();

    Update_MaximizeButtons_and_Sizegrip();
    LayoutModuleArea();
    for (int i = 0; i < 3; ++i) ProcessMessages();
    InvalidateRect(Handle(), nullptr, TRUE);
    ProcessMessages();

    // The page is visible already; a page must bear being shown twice.
    if (CurrentModuleForm != nullptr && CurrentModuleForm->OnShow) CurrentModuleForm->OnShow();

    Log(u"ms for Creating new Module = " + ToDecimal(platform::Sys().TickCount() - started));
}

void TForm_KT7::LayoutModuleArea() {
    if (!HandleAllocated()) return;
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    constraints_ = ModuleAreaConstraints(work.bottom - work.top, desktop.bottom - desktop.top);
    // New constraints apply to the window as it is, as the user would see on the next sizing.
    if (!Maximized() && !IsIconic(Handle())) {
        RECT wr{};
        GetWindowRect(Handle(), &wr);
        const TIntPoint size =
            ApplyConstraints(constraints_, wr.right - wr.left, wr.bottom - wr.top);
        if (size.X != wr.right - wr.left || size.Y != wr.bottom - wr.top) {
            // Grown about its centre and kept on the work area, so the header buttons on the
            // right do not end up off the screen.
            int left = (wr.left + wr.right - size.X) / 2;
            int top = (wr.top + wr.bottom - size.Y) / 2;
            left = std::max<int>(work.left, std::min<int>(left, work.right - size.X));
            top = std::max<int>(work.top, std::min<int>(top, work.bottom - size.Y));
            SetWindowPos(Handle(), nullptr, left, top, size.X, size.Y,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    const TIntRect area = ModuleAreaBounds(ClientWidth(), ClientHeight());
    SetWindowPos(Panel1->Handle(), nullptr, area.Left, area.Top, area.Right - area.Left,
                 area.Bottom - area.Top, SWP_NOZORDER | SWP_NOACTIVATE);
    panelRightMargin_ = 0;
    panelBottomMargin_ = 0;
    Panel1->FitChildren();
}

void TForm_KT7::PlaceSizeGrip() {
    const TIntPoint p = SizeGripPlace(ClientWidth(), ClientHeight(), Image_SizeGrip->Width(),
                                      Image_SizeGrip->Height());
    Image_SizeGrip->SetBounds(p.X, p.Y, Image_SizeGrip->Width(), Image_SizeGrip->Height());
}

void TForm_KT7::Update_MaximizeButtons_and_Sizegrip() {
    const bool maximised = Maximized();
    PlaceSizeGrip();
    Image_SizeGrip->SetVisible(!maximised);
    if (toolkit::TImage* pageGrip = FindPageSizeGrip(CurrentModuleForm)) {
        pageGrip->SetVisible(!maximised);
    }
    const TButtonPictures p = MaximizeButtonPictures(maximised);
    SetButtonPictures(MirelMouseImage3State_Maximize, p.Normal, p.Hover);
    MirelMouseImage3State_Maximize->SetEnabled(true);
    ProcessMessages();
}

void TForm_KT7::Enable_or_Disable_EX_COMPOSITED(bool on) {
    if (!HandleAllocated()) return;
    LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
    ex = on ? (ex | WS_EX_COMPOSITED) : (ex & ~static_cast<LONG_PTR>(WS_EX_COMPOSITED));
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex);
}

void TForm_KT7::EnableDisable_Modulwechsel(bool enable) {
    modulesLocked_ = !enable;
    HideToolTip();
    if (enable && closePending_) {
        // The close comes back once the work that pumped messages has returned.
        closePending_ = false;
        if (HandleAllocated()) PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    ProcessMessages();
}

int TForm_KT7::KeepFormLoaded_isKeepForm(const TModuleForm* form) const {
    return KeepFormsLoaded.IsKeepForm(form);
}

int TForm_KT7::KeepFormLoaded_isKeepFormClass(const TFormClass* formClass) const {
    return KeepFormsLoaded.IsKeepFormClass(formClass);
}

void TForm_KT7::KeepFormLoaded_ClearAll() {
    KeepFormsLoaded.ClearAll(
        CurrentModuleForm, [](std::u16string_view line) { Log(line); },
        [](TModuleForm* f) { return f->Name(); },
        [](TModuleForm* f) {
            f->Close();
            delete f;
            return true;
        });
}

void TForm_KT7::HeaderMouseDown(TComponent*, TMouseButton, int, int) {
    if (!HandleAllocated()) return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, kScMoveWithMouse, 0);
}

void TForm_KT7::SizeGripMouseDown(TComponent*, TMouseButton button, int, int) {
    if (button != TMouseButton::Left || !HandleAllocated() || Maximized()) return;
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, kScSizeBottomRight, 0);
}

void TForm_KT7::PopupBelow(toolkit::win32::TPopupMenu* menu, const toolkit::TControl* button) {
    if (!HandleAllocated()) return;
    RECT wr{};
    GetWindowRect(Handle(), &wr);
    menu->Popup(Handle(), wr.left + button->Left(), wr.top + button->Top() + 32);
}

void TForm_KT7::OpenHelp() {
    const std::u16string keyword = HelpKeyword(LastHelpKeyword, CurrentModuleForm != nullptr);
    if (Services.OpenOnlineHelp) Services.OpenOnlineHelp(Utf16ToUtf8(keyword));
}

void TForm_KT7::INIT_INTERNETMENU() {
    if (!CommandLineArgs.empty() && UpperAscii(CommandLineArgs[0]) == u"-SAVE") return;
    AdvPopupMenu_IM->Clear();
    ImageList_IM.Clear();
    if (!Services.InternetMenu) return;
    for (const TInternetItem& entry : Services.InternetMenu()) {
        toolkit::win32::TMenuItem* mi = AdvPopupMenu_IM->NewItem(entry.Caption);
        if (!entry.Separator && entry.Icon != nullptr) {
            toolkit::TPicture picture;
            if (toolkit::win32::PictureFromIcon(entry.Icon, picture) && !picture.Empty()) {
                ImageList_IM.Add(picture.Image());
                mi->ImageIndex = ImageList_IM.Count() - 1;
            }
        }
        mi->HelpContext = entry.ID;
        mi->OnClick = [this](TComponent* s) { InternetItemClick(s); };
    }
}

void TForm_KT7::InternetItemClick(TComponent* sender) {
    auto* mi = dynamic_cast<toolkit::win32::TMenuItem*>(sender);
    if (mi == nullptr || !Services.ProcessInternetItem) return;
    const int32_t r = Services.ProcessInternetItem(Handle(), mi->HelpContext);
    Log(u"tinet_ProcessMenuItem RETURNED = " + ToDecimal(r));
    if (InternetAnswerEndsProgram(r)) {
        CloseButtonClick();
    } else {
        INIT_INTERNETMENU();
    }
}

void TForm_KT7::AskForOptions(TComponent* sender) {
    if (Services.AddFeature) Services.AddFeature(u"KT12.OTHER.OPTIONS");
    for (;;) {
        TOptionsDialogLink* dialog = Services.OptionsDialog ? Services.OptionsDialog() : nullptr;
        if (dialog == nullptr) break;  // nothing to show until the dialog exists
        const std::u16string language =
            Services.CurrentLanguageCode ? Services.CurrentLanguageCode() : std::u16string();
        const std::u16string skinName = TextAfterLast(SkinFolder, u'\\');
        dialog->SetCurrent_Sender(sender);
        dialog->ShowModal();
        dialog->SetCurrent_Sender(nullptr);
        if (!dialog->SIGNAL_RECREATE_FORM()) {
            const std::u16string useSkin = Services.ReadUseSkin ? Services.ReadUseSkin() : u"";
            const std::u16string force =
                Services.ReadForceLanguage ? Services.ReadForceLanguage() : u"";
            if (OptionsNeedRestartNotice(useSkin, skinName, force, language)) {
                Show_Info(lang::Msg(u"MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED"));
            }
            break;
        }
        if (!Services.RecreateOptionsDialog) break;
        Services.RecreateOptionsDialog();
    }
    if (CurrentModuleForm_OnOptionsChanged) CurrentModuleForm_OnOptionsChanged();
}

int TForm_KT7::AskYesOrNo(std::u16string_view text, int defaultButton) {
    if (Services.AskYesOrNo) return Services.AskYesOrNo(text, defaultButton);
    return 7;
}

void TForm_KT7::Show_Info(std::u16string_view text) {
    if (Services.Show_Info) Services.Show_Info(text);
}

void TForm_KT7::Show_Warning(std::u16string_view text) {
    if (Services.Show_Warning) Services.Show_Warning(text);
}

void TForm_KT7::FormShow() {
    if (ClosingRequested || fFirstOnShowDone) return;
    fFirstOnShowDone = true;
    BringToFront();
    Log(u"MainForm -> OnShow Done");
    PellThreadTimer_Redraw->SetEnabled(true);
}

void TForm_KT7::PellThreadTimer_RedrawTimer() {
    PellThreadTimer_Redraw->SetEnabled(false);
    if (!HandleAllocated()) return;
    // Applying the same bounds again makes the custom frame be calculated once more.
    RECT r{};
    GetWindowRect(Handle(), &r);
    if (IsZoomed(Handle()) || IsIconic(Handle())) return;
    SetWindowPos(Handle(), HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

void TForm_KT7::CloseButtonClick() {
    if (HandleAllocated()) PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

bool TForm_KT7::FormCloseQuery() {
    Log(u"KT16: FormCloseQuery");
    ClosingRequested = true;
    ScanAbortRequested = true;
    // Work that pumps messages sees the flags and stops.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    KeepFormLoaded_ClearAll();
    Log(u"KT16: FormCloseQuery DONE");
    return true;
}

void TForm_KT7::FormClose() {
    Log(u"KT16: FormClose");
    Log(u"KT16: FormClose DONE");
}

void TForm_KT7::LayoutAnchoredControls() {
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (cw <= 0 || ch <= 0) return;
    // Moved by the change of width, not placed anew: a button held down sits one pixel off
    // and must come back to its place when it is released after the resize.
    const int dx = cw - layoutWidth_;
    layoutWidth_ = cw;
    for (auto* b :
         {MirelMouseImage3State_Close, MirelMouseImage3State_Maximize,
          MirelMouseImage3State_Minimize, MirelMouseImage3State_Help, MirelMouseImage3State_options,
          MirelMouseImage3State_IM, MirelMouseImage3State_Feedback}) {
        b->SetLeft(b->Left() + dx);
    }
    Shape_Header->SetWidth(cw + 1);
    PlaceSizeGrip();
    if (Panel1->HandleAllocated()) {
        RECT pr{};
        GetWindowRect(Panel1->Handle(), &pr);
        POINT tl{pr.left, pr.top};
        ScreenToClient(Handle(), &tl);
        SetWindowPos(Panel1->Handle(), nullptr, 0, 0,
                     std::max(0, static_cast<int>(cw - tl.x - panelRightMargin_)),
                     std::max(0, static_cast<int>(ch - tl.y - panelBottomMargin_)),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm_KT7::FormResize() {
    LayoutAnchoredControls();
    SendMessageW(Handle(), WM_NCPAINT, kWholeFrame, 0);
}

bool TForm_KT7::CalcCustomFrame(WPARAM wParam, LPARAM lParam) {
    RECT* proposed = wParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                 : reinterpret_cast<RECT*>(lParam);
    if (proposed == nullptr || IsZoomed(Handle())) return false;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)) &
                        ~static_cast<DWORD>(WS_CAPTION);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    const TIntRect thickness{-frame.left, -frame.top, frame.right, frame.bottom};
    const TIntRect r =
        CustomFrameClient({proposed->left, proposed->top, proposed->right, proposed->bottom},
                          thickness, IsWindows10OrLater);
    *proposed = RECT{r.Left, r.Top, r.Right, r.Bottom};
    return true;
}

LRESULT TForm_KT7::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_NCCALCSIZE: {
            DefWindowProcW(Handle(), message, wParam, lParam);
            CalcCustomFrame(wParam, lParam);
            return 0;
        }
        case WM_NCACTIVATE:
            // Painting the frame without the system's caption look, in one composed pass.
            Enable_or_Disable_EX_COMPOSITED(true);
            SendMessageW(Handle(), WM_NCPAINT, kWholeFrame, 0);
            Enable_or_Disable_EX_COMPOSITED(false);
            return 1;
        case WM_ENTERSIZEMOVE: {
            const LRESULT r = DefWindowProcW(Handle(), message, wParam, lParam);
            Enable_or_Disable_EX_COMPOSITED(true);
            return r;
        }
        case WM_EXITSIZEMOVE: {
            const LRESULT r = DefWindowProcW(Handle(), message, wParam, lParam);
            Enable_or_Disable_EX_COMPOSITED(false);
            return r;
        }
        case WM_GETMINMAXINFO: {
            auto* mm = reinterpret_cast<MINMAXINFO*>(lParam);
            if (constraints_.MinWidth > 0) mm->ptMinTrackSize.x = constraints_.MinWidth;
            if (constraints_.MinHeight > 0) mm->ptMinTrackSize.y = constraints_.MinHeight;
            if (constraints_.MaxWidth > 0) {
                mm->ptMaxTrackSize.x = constraints_.MaxWidth;
                mm->ptMaxSize.x = std::min<LONG>(mm->ptMaxSize.x, constraints_.MaxWidth);
            }
            if (constraints_.MaxHeight > 0) {
                mm->ptMaxTrackSize.y = constraints_.MaxHeight;
                mm->ptMaxSize.y = std::min<LONG>(mm->ptMaxSize.y, constraints_.MaxHeight);
            }
            return 0;
        }
        case WM_MOVING: {
            auto* r = reinterpret_cast<RECT*>(lParam);
            RECT work{};
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            const TIntPoint p = SnapToWorkArea({r->left, r->top, r->right, r->bottom},
                                               {work.left, work.top, work.right, work.bottom});
            OffsetRect(r, p.X - r->left, p.Y - r->top);
            return TRUE;
        }
        case WM_WINDOWPOSCHANGING: {
            // Programmatic sizes keep the constraints too, as sizing by the user does.
            auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
            if ((wp->flags & SWP_NOSIZE) == 0 && !IsZoomed(Handle()) && !IsIconic(Handle())) {
                const TIntPoint s = ApplyConstraints(constraints_, wp->cx, wp->cy);
                wp->cx = s.X;
                wp->cy = s.Y;
            }
            break;
        }
        case WM_SIZE: {
            const LRESULT r = TGraphicHostWindow::HandleMessage(message, wParam, lParam);
            if (wParam != SIZE_MINIMIZED) FormResize();
            return r;
        }
        case WM_SHOWWINDOW: {
            const LRESULT r = TGraphicHostWindow::HandleMessage(message, wParam, lParam);
            if (wParam != 0) FormShow();
            return r;
        }
        case WM_HELP:
            OpenHelp();
            return TRUE;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (toolkit::win32::TPopupMenu::HandleOwnerDraw(message, wParam, lParam)) return TRUE;
            break;
        case WM_CLOSE:
            if (closing_) return 0;
            if (modulesLocked_) {
                // Stop the running work at its next look at the flags, close afterwards.
                ClosingRequested = true;
                ScanAbortRequested = true;
                closePending_ = true;
                Log(u"KT16: close waits for the running analysis");
                return 0;
            }
            closing_ = true;
            if (FormCloseQuery()) {
                FormClose();
                DestroyHandle();
            }
            closing_ = false;
            return 0;
        case WM_DESTROY:
            if (OnDestroyed) OnDestroyed();
            return 0;
        default:
            break;
    }
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace orv::app
