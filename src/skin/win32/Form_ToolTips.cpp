#include "skin/win32/Form_ToolTips.h"

#include "toolkit/win32/PictureFile.h"

namespace orv::skin::win32 {

using toolkit::MakeColor;

namespace {

// Component names and class names as the tooltip manager sees them.
template <typename T>
T* Make(TFormToolTips& form, std::u16string_view name, int x, int y, int w, int h) {
    auto* c = new T(&form);
    c->SetName(name);
    c->SetParent(&form);
    c->SetBounds(x, y, w, h);
    return c;
}

}  // namespace

TFormToolTips::TFormToolTips() : TGraphicHostWindow(nullptr, u"TFormToolTips") {
    SetName(u"FormToolTips");
    // Dark behind the white texts, for a skin without its background picture.
    SetColor(MakeColor(48, 56, 68));
    Image_Background =
        Make<toolkit::TImage>(*this, u"Image_Background", 0, 0, kClientWidth, kClientHeight);
    Image_Background->SetAlign(toolkit::TAlign::Client);
    Image_Background->SetStretch(true);

    Label_InfoHover_Fixed1 =
        Make<toolkit::TLabel>(*this, u"Label_InfoHover_Fixed1", 36, 8, 316, 24);
    Label_InfoHover_Fixed1->SetAnchors(toolkit::akLeft | toolkit::akTop | toolkit::akRight);
    Label_InfoHover_Fixed1->SetAutoSize(false);
    Label_InfoHover_Fixed1->Font().SetName(u"Segoe UI");
    Label_InfoHover_Fixed1->Font().SetHeight(-16);
    Label_InfoHover_Fixed1->Font().SetColor(MakeColor(255, 255, 255));

    HTMLabel1 = Make<toolkit::THTMLabel>(*this, u"HTMLabel1", 36, 36, 316, 84);
    HTMLabel1->SetAnchors(toolkit::akLeft | toolkit::akTop | toolkit::akRight | toolkit::akBottom);
    HTMLabel1->Font().SetName(u"Segoe UI");
    HTMLabel1->Font().SetHeight(-13);
    HTMLabel1->Font().SetColor(MakeColor(255, 255, 255));
    HTMLabel1->SetTransparent(true);
    HTMLabel1->SetLineSpacing(4);
    HTMLabel1->SetVAlignment(toolkit::TVerticalAlignment::Center);

    Image_Header = Make<toolkit::TImage>(*this, u"Image_Header", 4, 52, 24, 24);
    Image_Header->SetStretch(true);
    Image_Down = Make<toolkit::TImage>(*this, u"Image_Down", 168, 106, 24, 24);
    Image_Down->SetStretch(true);
    Image_Down->SetVisible(false);
}

bool TFormToolTips::Create(HWND ownerWindow) {
    return CreateBorderless(ownerWindow, L"ToolTip", 0, 0, kClientWidth, kClientHeight);
}

void TFormToolTips::MoveTo(int left, int top) {
    if (!HandleAllocated()) return;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void TFormToolTips::SetTexts(std::u16string_view caption, std::u16string_view text) {
    Label_InfoHover_Fixed1->SetCaption(caption);
    HTMLabel1->SetHTMLText(text);
}

bool TFormToolTips::Showing() const {
    return HandleAllocated() && IsWindowVisible(Handle()) != FALSE;
}

void TFormToolTips::ShowToolTipWindow() {
    if (!HandleAllocated()) return;
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

void TFormToolTips::HideToolTipWindow() {
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TFormToolTips::LoadPictures(std::u16string_view skinFolder, std::u16string_view programFolder,
                                 const TStripeSkinner* stripe) {
    if (stripe != nullptr) {
        stripe->CopyToPicture(24, Image_Header->Picture(), 25, false, 1.0f);
        stripe->CopyToPicture(24, Image_Down->Picture(), 13, false, 1.0f);
    }
    const std::u16string own = std::u16string(skinFolder) + u"\\ToolTips.bmp";
    const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(own.c_str()));
    const bool skinHasIt = !skinFolder.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
                           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    const std::u16string path =
        skinHasIt ? own : std::u16string(programFolder) + u"\\skins\\ToolTips.bmp";
    // A missing fallback leaves the plain background and the loader's debug line.
    toolkit::win32::LoadPictureFile(Image_Background->Picture(), path);
}

void ConnectToolTips(TToolTips& tips, toolkit::win32::TGraphicHostWindow& mainWindow,
                     std::u16string skinFolder, std::u16string programFolder,
                     const TStripeSkinner* stripe) {
    toolkit::win32::TGraphicHostWindow* main = &mainWindow;
    tips.MakeWindow = [main, skinFolder, programFolder,
                       stripe]() -> std::unique_ptr<TToolTipWindow> {
        auto form = std::make_unique<TFormToolTips>();
        if (!form->Create(main->Handle())) return nullptr;
        form->LoadPictures(skinFolder, programFolder, stripe);
        return form;
    };
    tips.MainWindowBottom = [main] {
        // The window's outer size taken as a client point.
        RECT r{};
        GetWindowRect(main->Handle(), &r);
        POINT p{r.right - r.left, r.bottom - r.top};
        ClientToScreen(main->Handle(), &p);
        return static_cast<int>(p.y);
    };
}

}  // namespace orv::skin::win32
