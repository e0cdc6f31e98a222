// Shows every state of the custom buttons and a tooltip, for a screenshot:
//   buttons_show <stripe.png> [seconds]
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "skin/PellUnicodeSTButton.h"
#include "skin/stripeskins.h"
#include "skin/win32/Form_ToolTips.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/GraphicHostWindow.h"
#include "toolkit/win32/UiThreadWindow.h"

using namespace orv;
using toolkit::win32::TGraphicHostWindow;

namespace {

// One cell of the sheet: a child host with one control, optionally hovered.
struct Cell {
    std::unique_ptr<TGraphicHostWindow> host;
};

std::vector<Cell> g_cells;

TGraphicHostWindow* AddCell(TGraphicHostWindow& parent, int x, int y, int w, int h) {
    Cell c;
    c.host = std::make_unique<TGraphicHostWindow>(nullptr, u"TPanel");
    c.host->SetColor(RGB(240, 240, 240));
    c.host->CreateChild(parent.Handle(), x, y, w, h);
    g_cells.push_back(std::move(c));
    return g_cells.back().host.get();
}

template <typename T>
T* Place(TGraphicHostWindow& host, int x, int y) {
    auto* c = new T(&host);
    c->SetParent(&host);
    c->SetLeft(x);
    c->SetTop(y);
    return c;
}

toolkit::TLabel* Caption(TGraphicHostWindow& parent, int x, int y, const char16_t* text) {
    auto* host = AddCell(parent, x, y, 130, 16);
    auto* l = Place<toolkit::TLabel>(*host, 0, 0);
    l->SetBounds(0, 0, 130, 16);
    l->SetCaption(text);
    return l;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::u16string stripePath =
        argc > 1 ? std::u16string(reinterpret_cast<const char16_t*>(argv[1])) : u"";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 10;

    toolkit::win32::InstallUiThreadCall();
    skin::TStripeSkinner stripe;
    if (!stripePath.empty()) stripe.LoadFromStripeFile(stripePath);
    stripe.ErrorIndex = 1;

    TGraphicHostWindow main(nullptr, u"TForm_ORV");
    main.SetColor(RGB(255, 255, 255));
    main.CreateTopLevel(L"Buttons", 0, 0, 900, 520);
    ShowWindow(main.Handle(), SW_SHOW);

    const char16_t* states[] = {u"normal",   u"hover",     u"action",       u"action hover",
                                u"disabled", u"drop-down", u"drop-down up", u"glyph only"};
    for (int i = 0; i < 8; ++i) {
        Caption(main, 10 + (i % 4) * 220, 10 + (i / 4) * 70, states[i]);
        auto* host = AddCell(main, 10 + (i % 4) * 220, 28 + (i / 4) * 70, 200, 40);
        auto* b = Place<skin::TPellButton2>(*host, 4, 4);
        b->SetCaption(i == 7 ? u"" : u"Neue Analyse");
        b->Font().SetName(u"Tahoma");
        b->SetActionButton(i == 2 || i == 3);
        b->SetEnabled(i != 4);
        b->SetDropDownArrow(i == 5 || i == 6);
        b->SetDropDownArrowUp(i == 6);
        if (i == 7) {
            b->SetAutoWidth(false);
            b->SetWidth(40);
            stripe.CopyToPicture(24, b->Glyph(), 13, false, 1.0f);
        }
        if (i == 1 || i == 3 || i == 4) host->HostMouseMove(10, 10);
    }

    const char16_t* old[] = {u"TPellButton", u"hover", u"action", u"disabled"};
    for (int i = 0; i < 4; ++i) {
        Caption(main, 10 + i * 220, 150, old[i]);
        auto* host = AddCell(main, 10 + i * 220, 168, 200, 40);
        auto* b = Place<skin::TPellButton>(*host, 4, 4);
        b->SetCaption(u"Abbrechen");
        b->Font().SetName(u"Tahoma");
        b->SetActionButton(i == 2);
        b->SetEnabled(i != 3);
        if (i == 1) host->HostMouseMove(10, 10);
    }

    const char16_t* links[] = {u"link", u"link hot", u"link shadow"};
    for (int i = 0; i < 3; ++i) {
        Caption(main, 10 + i * 220, 220, links[i]);
        auto* host = AddCell(main, 10 + i * 220, 238, 200, 30);
        auto* l = Place<skin::TPellUnicodeSTButton>(*host, 4, 2);
        l->SetCaption(u"Datenschutzerklärung");
        l->Font().SetColor(RGB(0, 90, 180));
        l->FontHOT().SetColor(RGB(200, 60, 0));
        l->FontHOT().SetStyle(toolkit::fsUnderline);
        l->SetShadow(i == 2);
        l->SetShadowColor(RGB(180, 180, 180));
        if (i == 1) host->HostMouseMove(10, 10);
    }

    const char16_t* images[] = {u"image normal", u"image hover", u"image pressed"};
    for (int i = 0; i < 3; ++i) {
        Caption(main, 10 + i * 220, 280, images[i]);
        auto* host = AddCell(main, 10 + i * 220, 298, 200, 40);
        auto* m = Place<skin::TMirelMouseImage3State>(*host, 4, 4);
        m->SetBounds(4, 4, 32, 32);
        toolkit::TPicture normal, hover, pressed;
        stripe.CopyToPicture(32, normal, 23, true, 0.6f);
        stripe.CopyToPicture(32, hover, 23, false, 1.0f);
        stripe.CopyToPicture(32, pressed, 23, false, 0.8f);
        m->SetPicture_Normal(&normal);
        m->SetPicture_Highlight(&hover);
        m->SetPicture_Pressed(&pressed);
        if (i >= 1) host->HostMouseMove(10, 10);
        if (i == 2) host->HostMouseDown(toolkit::TMouseButton::Left, 10, 10);
    }

    {
        Caption(main, 10, 350, u"mark-up label");
        auto* host = AddCell(main, 10, 368, 420, 60);
        auto* h = Place<toolkit::THTMLabel>(*host, 0, 0);
        h->SetBounds(0, 0, 420, 60);
        h->SetTransparent(true);
        h->Font().SetName(u"Tahoma");
        h->Font().SetHeight(-12);
        h->SetHTMLText(
            u"Ihre Sprache nicht <b>verfügbar</b>? Klicken Sie <a href=\"1\">hier</a> für mehr "
            u"<FONT color=\"#C00000\">Informationen</FONT>.<br><IND x=\"40\">eingerückt");
    }

    // A tooltip below the options button at the right.
    skin::TToolTips tips;
    skin::win32::ConnectToolTips(tips, main, u"", u"", &stripe);
    auto* optionsHost = AddCell(main, 700, 300, 120, 40);
    auto* options = Place<skin::TPellButton2>(*optionsHost, 4, 4);
    options->SetName(u"PellButton_Options");
    options->SetCaption(u"Optionen");
    options->Font().SetName(u"Tahoma");
    tips.AddToList(options, u"Optionen",
                   u"Hier können Sie <b>Einstellungen</b> vornehmen, die das Verhalten der "
                   u"Software beeinflussen.");
    optionsHost->HostMouseMove(10, 10);

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    LocalFree(argv);
    return 0;
}
