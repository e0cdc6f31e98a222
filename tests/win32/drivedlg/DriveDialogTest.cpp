// The drive selection dialog of an analysis, created for real under Wine with the shipped
// default skin: when it is shown at all, what it preselects, and what each way of leaving it
// answers. Set ORVELLA_SHOT_DIR to keep a picture of it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/win32/FormUndeleteDrive.h"
#include "app/win32/FormYesNo.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "skin/PngImage.h"
#include "skin/SkinCatalogue.h"
#include "skin/stripeskins.h"
#include "toolkit/DriveList.h"

namespace orv::app {
namespace {

std::u16string DataPath(std::u16string_view relative) {
    std::u16string p = u"" ORVELLA_DATA_DIR;
    p += relative;
    for (auto& c : p) {
        if (c == u'/') c = u'\\';
    }
    return p;
}

std::u16string WindowText(HWND w) {
    wchar_t buffer[256] = {};
    GetWindowTextW(w, buffer, 256);
    return std::u16string(buffer, buffer + wcslen(buffer));
}

HWND FindCombo(HWND dialog) {
    HWND found = nullptr;
    EnumChildWindows(
        dialog,
        [](HWND w, LPARAM data) -> BOOL {
            wchar_t cls[64] = {};
            GetClassNameW(w, cls, 64);
            if (_wcsicmp(cls, L"COMBOBOX") != 0) return TRUE;
            *reinterpret_cast<HWND*>(data) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The combo box's outer rectangle in the dialog's client coordinates.
RECT InClient(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ClickAt(HWND dialog, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageW(dialog, WM_MOUSEMOVE, 0, at);
    PostMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(dialog, WM_LBUTTONUP, 0, at);
}

// Where the two buttons stand: their middles.
constexpr POINT kOk{276 + 48, 140 + 14};
constexpr POINT kAbort{172 + 48, 140 + 14};

// The client area (or the whole window, frame included) as it is on the screen.
skin::TPngImage ClientPicture(HWND window, bool withFrame = false) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    RECT c{};
    GetClientRect(window, &c);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    if (withFrame) {
        GetWindowRect(window, &c);
        origin = {c.left, c.top};
        c = {0, 0, c.right - c.left, c.bottom - c.top};
    }
    const int w = c.right, h = c.bottom;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, origin.x, origin.y, SRCCOPY);
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
    return image;
}

void KeepPicture(const char* name, const skin::TPngImage& image) {
    const char* dir = std::getenv("ORVELLA_SHOT_DIR");
    if (dir == nullptr || *dir == 0) return;
    const std::string path = std::string(dir) + "\\" + name;
    const std::vector<uint8_t> png = image.EncodePng();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(png.data(), 1, png.size(), f);
        std::fclose(f);
    }
}

class DriveDialog : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        stripe_ = new skin::TStripeSkinner();
        stripe_->LoadFromStripeFile(DataPath(u"/skins/stripe.png"));
        SetDialogStripe(stripe_);
        SetDialogSkinFolder(DataPath(u"/skins/default"));
        // The button colours come from the active skin's skin.ini.
        skin::SkinFolderPath = DataPath(u"/skins/default");
    }
    static void TearDownTestSuite() {
        SetDialogStripe(nullptr);
        skin::SkinFolderPath.clear();
        delete stripe_;
        stripe_ = nullptr;
    }
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 200, 150, 900, 640,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override {
        SetDriveDialogShownHook(nullptr);
        DestroyWindow(owner_);
    }

    // Shows the dialog over drives, runs answer once it is open and gives the result.
    bool Ask(const toolkit::TDriveList& drives, char16_t& drive,
             std::function<void(HWND dialog, HWND combo)> answer) {
        hookCalls_ = 0;
        SetDriveDialogShownHook([this, answer](HWND dialog) {
            ++hookCalls_;
            if (answer) answer(dialog, FindCombo(dialog));
        });
        return AskForAnalysisDrive(owner_, drives, u"Bitte w\u00e4hlen Sie ein Laufwerk:", drive);
    }

    static void Fill(toolkit::TDriveList& list, std::u16string_view letters, int current) {
        for (const char16_t l : letters) list.AddDrive(l, u"");
        list.SetItemIndex(current);
    }

    static inline skin::TStripeSkinner* stripe_ = nullptr;
    HWND owner_ = nullptr;
    int hookCalls_ = 0;
};

TEST_F(DriveDialog, WithoutAChoiceItAnswersOkUnshown) {
    const struct {
        const char* what;
        std::u16string_view letters;
        int current;
        char16_t drive;
    } cases[] = {{"one drive", u"D", 0, u'D'},
                 {"one drive, none current", u"D", -1, 0},
                 {"no drive", u"", -1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        char16_t drive = u'?';
        toolkit::TDriveList drives;
        Fill(drives, c.letters, c.current);
        EXPECT_TRUE(Ask(drives, drive, [](HWND d, HWND) { PostMessageW(d, WM_CLOSE, 0, 0); }));
        EXPECT_EQ(drive, c.drive);
        EXPECT_EQ(hookCalls_, 0) << "the dialog was shown";
    }
}

TEST_F(DriveDialog, TwoDrivesShowTheWindowWithTheCurrentOnePreselected) {
    toolkit::TDriveList drives;
    Fill(drives, u"CDE", 1);
    char16_t drive = 0;
    bool looked = false;
    const bool ok = Ask(drives, drive, [&](HWND d, HWND combo) {
        looked = true;
        EXPECT_EQ(WindowText(d), u"Bitte Laufwerk ausw\u00e4hlen");
        RECT client{};
        GetClientRect(d, &client);
        EXPECT_EQ(client.right, 460);
        EXPECT_EQ(client.bottom, 180);
        EXPECT_TRUE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(GetWindowLongPtrW(d, GWL_STYLE) & WS_THICKFRAME) << "fixed size";
        EXPECT_EQ(GetWindow(d, GW_OWNER), owner_);
        EXPECT_FALSE(IsWindowEnabled(owner_)) << "modal";
        // Centred on the main window.
        RECT own{}, main{};
        GetWindowRect(d, &own);
        GetWindowRect(owner_, &main);
        EXPECT_NEAR(own.left + own.right, main.left + main.right, 1);
        EXPECT_NEAR(own.top + own.bottom, main.top + main.bottom, 1);

        ASSERT_NE(combo, nullptr);
        const RECT at = InClient(d, combo);
        EXPECT_EQ(at.left, 152);
        EXPECT_EQ(at.top, 84);
        EXPECT_EQ(at.right - at.left, 240);
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(GetFocus(), combo) << "the arrow keys choose at once";

        const skin::TPngImage shot = ClientPicture(d);
        KeepPicture("drive-dialog.png", shot);
        KeepPicture("drive-dialog-window.png", ClientPicture(d, true));
        // The skin's background, the stripe's icon and the action button are all painted.
        const skin::Rgba corner = shot.Pixel(2, 175);
        EXPECT_FALSE(corner.r == 255 && corner.g == 255 && corner.b == 255)
            << "no background picture";
        int iconPixels = 0;
        for (int y = 58; y < 122; ++y)
            for (int x = 8; x < 72; ++x) iconPixels += !(shot.Pixel(x, y) == shot.Pixel(80, y));
        EXPECT_GT(iconPixels, 200) << "no icon at (8, 58)";
        EXPECT_FALSE(shot.Pixel(kOk.x, kOk.y - 8) == shot.Pixel(kOk.x, 132)) << "no Ok button";
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    EXPECT_TRUE(looked);
    EXPECT_EQ(hookCalls_, 1);
    EXPECT_FALSE(ok);
    EXPECT_EQ(drive, u'D');
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "enabled again";
}

TEST_F(DriveDialog, EachWayOutGivesItsAnswer) {
    // Chooses the first entry in the box as the user does, before answering.
    const auto chooseC = [](HWND combo) {
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    };
    const struct {
        const char* what;
        bool choose;
        std::function<void(HWND dialog, HWND combo)> leave;
        bool ok;
        char16_t drive;
    } cases[] = {
        {"Enter in the drive list", false,
         [](HWND, HWND c) { PostMessageW(c, WM_KEYDOWN, VK_RETURN, 1); }, true, u'D'},
        {"Enter to the window", false,
         [](HWND d, HWND) { PostMessageW(d, WM_KEYDOWN, VK_RETURN, 1); }, true, u'D'},
        {"Escape", false, [](HWND, HWND c) { PostMessageW(c, WM_KEYDOWN, VK_ESCAPE, 1); }, false,
         u'D'},
        {"close box", false, [](HWND d, HWND) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
         false, u'D'},
        {"Ok clicked", false, [](HWND d, HWND) { ClickAt(d, kOk.x, kOk.y); }, true, u'D'},
        {"Abbrechen clicked", false, [](HWND d, HWND) { ClickAt(d, kAbort.x, kAbort.y); }, false,
         u'D'},
        {"other drive, Ok", true, [](HWND d, HWND) { ClickAt(d, kOk.x, kOk.y); }, true, u'C'},
        {"other drive, Enter", true,
         [](HWND, HWND c) { PostMessageW(c, WM_KEYDOWN, VK_RETURN, 1); }, true, u'C'},
        {"other drive, Escape", true,
         [](HWND, HWND c) { PostMessageW(c, WM_KEYDOWN, VK_ESCAPE, 1); }, false, u'C'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        toolkit::TDriveList drives;
        Fill(drives, u"CD", 1);
        char16_t drive = 0;
        const bool ok = Ask(drives, drive, [&](HWND d, HWND combo) {
            ASSERT_NE(combo, nullptr);
            if (c.choose) chooseC(combo);
            c.leave(d, combo);
        });
        EXPECT_EQ(hookCalls_, 1);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(drive, c.drive);
        EXPECT_EQ(drives.Drive(), u'D') << "the page's own list is not changed";
    }
}

TEST_F(DriveDialog, CaptionAndButtonsFollowTheTranslation) {
    // A program folder of its own with an English translation.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"orvella-drivedlg";
    const std::wstring folder = root + L"\\translation";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    const auto write = [&](const wchar_t* name, const std::string& text) {
        if (FILE* f = _wfopen((folder + L"\\" + name).c_str(), L"wb")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
    };
    write(L"index.txt",
          "\xEF\xBB\xBF"
          "1\r\n2\r\n");
    write(L"en-us.nlang3",
          "\xEF\xBB\xBF"
          "Form_UNDELETE_Drive.Form_UNDELETE_Drive=Please select a drive\r\n"
          "MESSAGES.MESSAGE_OK=Start\r\n");
    const std::u16string savedFolder = ProgramFolder;
    const std::u16string savedLanguage = lang::CurrentLanguageFile;
    ProgramFolder = std::u16string(root.begin(), root.end());
    lang::CurrentLanguageFile = u"en-us";
    lang::ResetMessageCatalogue();

    toolkit::TDriveList drives;
    Fill(drives, u"CD", 0);
    char16_t drive = 0;
    std::u16string caption;
    skin::TPngImage shot(1, 1);
    Ask(drives, drive, [&](HWND d, HWND) {
        caption = WindowText(d);
        shot = ClientPicture(d);
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    KeepPicture("drive-dialog-en.png", shot);
    EXPECT_EQ(caption, u"Please select a drive");
    EXPECT_EQ(lang::Msg(u"MESSAGE_OK"), u"Start");
    EXPECT_EQ(lang::Msg(u"MESSAGE_ABORT"), u"") << "the button falls back to its design caption";

    lang::ResetMessageCatalogue();
    ProgramFolder = savedFolder;
    lang::CurrentLanguageFile = savedLanguage;
    DeleteFileW((folder + L"\\index.txt").c_str());
    DeleteFileW((folder + L"\\en-us.nlang3").c_str());
    RemoveDirectoryW(folder.c_str());
    RemoveDirectoryW(root.c_str());
}

}  // namespace
}  // namespace orv::app
