// Shows the question, information and warning dialogs and the about box as the program does
// and saves a picture of each window (frame included) for a person to look at:
//   dialogs_show <skin folder> <stripe.png> <output folder>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/win32/FormAbout.h"
#include "app/win32/FormYesNo.h"
#include "lang/MessageCatalogue.h"
#include "skin/PngImage.h"
#include "skin/stripeskins.h"

using namespace orv;

namespace {

std::wstring g_outFolder;
std::wstring g_nextName;

// The window as it is on the screen, written as a PNG file.
void SaveWindowPicture(HWND window, const std::wstring& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT r{};
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    skin::TPngImage image(w, h);
    const auto* px = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = px + (static_cast<size_t>(y) * w + x) * 4;
            image.SetPixel(x, y, {p[2], p[1], p[0], 255});
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const std::vector<uint8_t> png = image.EncodePng();
    const std::wstring path = g_outFolder + L"\\" + name + L".png";
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(png.data(), 1, png.size(), f);
        fclose(f);
    }
}

// Waits for the dialog to be painted, takes its picture and answers it.
void CALLBACK Capture(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = nullptr;
    if (app::TForm_YesNo* d = app::CurrentYesNoDialog()) dialog = d->Handle();
    if (dialog == nullptr) dialog = GetActiveWindow();
    if (dialog == nullptr || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, id);
    SaveWindowPicture(dialog, g_nextName);
    if (app::CurrentYesNoDialog() != nullptr)
        PostMessageW(dialog, WM_KEYDOWN, VK_RETURN, 1);
    else
        PostMessageW(dialog, WM_CLOSE, 0, 0);
}

void Shoot(const wchar_t* name) {
    g_nextName = name;
    SetTimer(nullptr, 0, 700, Capture);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr, L"usage: dialogs_show <skin folder> <stripe.png> <output folder>\n");
        return 2;
    }
    const std::wstring skinFolder = argv[1];
    const std::wstring stripePath = argv[2];
    g_outFolder = argv[3];
    CreateDirectoryW(g_outFolder.c_str(), nullptr);

    skin::TStripeSkinner stripe;
    stripe.LoadFromStripeFile(std::u16string(stripePath.begin(), stripePath.end()));
    stripe.ErrorIndex = 1;
    app::SetDialogStripe(&stripe);
    app::SetDialogSkinFolder(std::u16string(skinFolder.begin(), skinFolder.end()));

    Shoot(L"question");
    const uint32_t answer = app::AskYesOrNo(
        u"Sollen <b>alle</b> Einstellungen jetzt zur\u00FCckgesetzt werden?<br>"
        u"Diese Aktion kann <b>nicht</b> r\u00FCckg\u00E4ngig gemacht werden.",
        7);
    Shoot(L"question-long");
    app::AskYesOrNo(lang::Msg(u"MESSAGEHTML_OPTIONS_ASKER_SURETORESET"), 6);
    Shoot(L"info");
    app::Show_Info(lang::Msg(u"MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED"));
    Shoot(L"warning");
    app::Show_Warning(lang::Msg(u"MESSAGE_ORV_NO_MEDIA_IN_DRIVE"));
    Shoot(L"about");
    app::ShowAboutBox(u"\u00DC&ber diese Software");
    return answer == 7 ? 0 : 1;
}
