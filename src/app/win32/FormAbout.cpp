#include "app/win32/FormAbout.h"

#include <string>

#include "app/OnlineHelp.h"
#include "app/ServiceChannel.h"
#include "app/win32/FormYesNo.h"
#include "platform/System.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::app {
namespace {

using toolkit::MakeColor;

// A label whose text ends at its right edge.
class TRightAlignedLabel : public toolkit::TLabel {
  public:
    explicit TRightAlignedLabel(toolkit::TComponent* owner) : TLabel(owner) { SetAutoSize(false); }
    void Paint(toolkit::TPaintDevice& device) override {
        device.SetTransparentBackground();
        device.UseFont(Font());
        device.WriteText(Width() - device.TextWidth(Caption()), 0, Caption());
    }
};

constexpr char16_t kCredits[] =
    u"<b>Talvik Orvella 2023</b><br>"
    u"Copyright \u00A9 2023 Talvik. All rights reserved.<br><br>"
    u"Compression: zlib, \u00A9 Jean-loup Gailly and Mark Adler.<br>"
    u"PNG pictures: libpng, \u00A9 the PNG Reference Library authors.<br>"
    u"Icons: the Tango Desktop Project (public domain).";

// The picture shipped skins may replace: a dark band for the version over a white page, with
// three share bars as a small emblem.
skin::TPngImage DefaultAboutPicture() {
    const int w = TForm_About::kClientWidth;
    const int h = TForm_About::kClientHeight;
    skin::TPngImage image(w, h);
    constexpr int kBand = 88;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            skin::Rgba c{255, 255, 255, 255};
            if (y < kBand) {
                // Top to bottom from deep to lighter blue.
                const int t = y * 255 / kBand;
                c = {static_cast<uint8_t>(22 + t * 20 / 255),
                     static_cast<uint8_t>(48 + t * 40 / 255),
                     static_cast<uint8_t>(82 + t * 56 / 255), 255};
            } else if (y < kBand + 3) {
                c = {76, 175, 80, 255};  // the green of the share bars
            }
            image.SetPixel(x, y, c);
        }
    }
    // Three rising share bars, standing on a common base line.
    constexpr int kBarWidth = 10;
    constexpr int kBase = 70;
    const int heights[] = {18, 32, 46};
    for (int i = 0; i < 3; ++i) {
        const int left = 20 + i * (kBarWidth + 4);
        for (int y = kBase - heights[i]; y < kBase; ++y) {
            for (int x = left; x < left + kBarWidth; ++x)
                image.SetPixel(x, y, {124, 205, 124, 255});
        }
    }
    return image;
}

toolkit::TFont LinkFont(bool underlined) {
    toolkit::TFont f;
    f.SetColor(MakeColor(0, 0, 128));
    f.SetStyle(underlined ? toolkit::fsUnderline : 0);
    return f;
}

skin::TPellUnicodeSTButton* MakeLink(TForm_About& form, std::u16string_view name,
                                     std::u16string_view caption, int top,
                                     std::u16string_view target) {
    auto* link = new skin::TPellUnicodeSTButton(&form);
    link->SetName(name);
    link->SetBounds(20, top, 88, 20);
    link->SetCaption(caption);
    link->SetFont(LinkFont(false));
    link->SetFontHOT(LinkFont(true));
    link->SetCursor(toolkit::TCursor::HandPoint);
    const std::u16string t(target);
    link->OnClick = [t](toolkit::TComponent*) { service::OpenServiceLinkTarget(t); };
    link->SetParent(&form);
    return link;
}

}  // namespace

TForm_About::TForm_About(toolkit::TComponent* owner) : TModalForm(owner, u"TForm_About") {
    SetName(u"Form_About");

    Image2 = new toolkit::TImage(this);
    Image2->SetName(u"Image2");
    Image2->SetBounds(0, 0, kClientWidth, kClientHeight);
    Image2->SetParent(this);

    Label_Version = new TRightAlignedLabel(this);
    Label_Version->SetName(u"Label_Version");
    Label_Version->SetBounds(301, 60, 108, 16);
    Label_Version->SetCaption(u"Version:");
    Label_Version->Font().SetSize(9);
    Label_Version->Font().SetColor(MakeColor(255, 255, 255));
    Label_Version->SetParent(this);

    HTMLabel1 = new toolkit::THTMLabel(this);
    HTMLabel1->SetName(u"HTMLabel1");
    HTMLabel1->SetBounds(20, 100, 373, 157);
    HTMLabel1->SetTransparent(true);
    HTMLabel1->SetHTMLText(kCredits);
    HTMLabel1->SetParent(this);

    PellUnicodeSTButton_EULA = MakeLink(*this, u"PellUnicodeSTButton_EULA", u"EULA", 312, u"eula");
    PellUnicodeSTButton_Privacy =
        MakeLink(*this, u"PellUnicodeSTButton_Privacy", u"Privacy Policy", 334, u"privacypolicy");

    Button_Ok = new toolkit::win32::TPushButton(this);
    Button_Ok->SetName(u"Button_Ok");
    Button_Ok->SetCaption(u"Ok");
    Button_Ok->SetBounds(309, 324, 88, 28);
    Button_Ok->OnClick = [this](toolkit::TComponent*) { SetModalResult(toolkit::win32::kMrOk); };
    AddButton(Button_Ok);
}

TForm_About::~TForm_About() = default;

bool TForm_About::Create() {
    SetColor(0xFFFFFF);
    if (!CreateForm(u"About", kClientWidth, kClientHeight,
                    {.SystemMenu = true, .DialogFrame = true, .StayOnTop = true}))
        return false;
    FormCreate();
    return true;
}

void TForm_About::FormCreate() {
    LoadAboutPicture();
    Label_Version->SetCaption(Label_Version->Caption() + u" " + std::u16string(kVersionText));
}

void TForm_About::LoadAboutPicture() {
    const std::u16string path = DialogSkinFolder() + u"\\about.png";
    if (toolkit::win32::LoadPictureFile(Image2->Picture(), path)) return;
    Image2->Picture().Assign(DefaultAboutPicture());
}

void ShowAboutBox(std::u16string_view menuCaption) {
    TForm_About about;
    if (!about.Create()) {
        platform::DebugOutput(u"FormAbout: the about box could not be created");
        return;
    }
    std::u16string caption;
    for (const char16_t c : menuCaption) {
        if (c != u'&') caption += c;
    }
    about.SetCaption(caption);
    about.ShowModal();
}

}  // namespace orv::app
