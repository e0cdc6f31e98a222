// The analysis page in the main window under Wine: it scans the fixture drive R: (and sees S:)
// with the real snapshot library, and the test drives its real controls. The drives the page
// may see are limited to the fixture's through the system's drive mask. Set ORVELLA_SHOT_DIR
// to keep pictures of the views.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "analysis/SizeText.h"
#include "app/Globals.h"
#include "app/win32/FormORV.h"
#include "app/win32/FormUndeleteDrive.h"
#include "app/win32/StartPage.h"
#include "app/win32/Unit1.h"
#include "core/Text.h"
#include "lang/MessageCatalogue.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/Win32System.h"
#include "skin/SkinCatalogue.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::app {
namespace {

using analysis::kNoNode;
using analysis::NodeId;

std::wstring W(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

// The real system, but only the drives the test allows exist.
class FixtureSystem final : public platform::SystemForwarder {
  public:
    explicit FixtureSystem(platform::System& target) : SystemForwarder(target) {}
    uint32_t LogicalDrives() override { return mask; }
    void DebugOutput(std::u16string_view line) override {
        lines.emplace_back(line);
        SystemForwarder::DebugOutput(line);
    }
    uint32_t mask = 0;
    std::vector<std::u16string> lines;
};

constexpr uint32_t kDriveR = 1u << ('R' - 'A');
constexpr uint32_t kDriveS = 1u << ('S' - 'A');

void Pump(int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

// Pumps until done() holds or ms have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    while (!done() && static_cast<int>(until - GetTickCount()) > 0) Pump(20);
    return done();
}

void WriteFixtureFile(const std::u16string& path, size_t bytes) {
    HANDLE h = CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "cannot write fixture file";
    std::string data(bytes, 'x');
    DWORD written = 0;
    if (bytes > 0) WriteFile(h, data.data(), static_cast<DWORD>(bytes), &written, nullptr);
    CloseHandle(h);
}

void RemoveTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(dir.c_str());
}

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(W(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct FixtureFile {
    std::u16string path;
    size_t size;
};

// R: as the tests expect it; the folders on the way are made.
const std::vector<FixtureFile>& DriveFiles() {
    static const std::vector<FixtureFile> files = {
        {u"R:\\a.zip", 1000},
        {u"R:\\readme.txt", 50},
        {u"R:\\Eins\\b.ZIP", 3000},
        {u"R:\\Eins\\lied.mp3", 700},
        {u"R:\\Eins\\gesperrt.bin", 100},
        {u"R:\\Eins\\Tief\\c.zip", 5000},
        {u"R:\\Eins\\Tief\\d.doc", 200},
        {u"R:\\Zwei\\e.txt", 20},
    };
    return files;
}

void MakeDrive() {
    // Everything but the drive label goes: a previous run's deletes must not show.
    RemoveTree(L"R:\\Eins");
    RemoveTree(L"R:\\Zwei");
    CreateDirectoryW(L"R:\\Eins", nullptr);
    CreateDirectoryW(L"R:\\Eins\\Tief", nullptr);
    CreateDirectoryW(L"R:\\Zwei", nullptr);
    for (const auto& f : DriveFiles()) WriteFixtureFile(f.path, f.size);
}

// A page to switch to that starts nothing by itself.
const TFormClass& StandInClass() {
    static const TFormClass cls{u"TForm_StandIn", [](toolkit::TComponent* owner) {
                                    return CreateStandInStartPage(owner, nullptr);
                                }};
    return cls;
}

class AnalysisPageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        wchar_t buf[MAX_PATH];
        const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
        std::u16string module(buf, buf + n);
        ProgramFolder = module.substr(0, module.rfind(u'\\'));
    }

    void SetUp() override {
        MakeDrive();
        platform::SetSystem(&sys);
        for (char16_t& c : skinFolder) c = c == u'/' ? u'\\' : c;
        ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
        ClosingRequested = false;
        ScanAbortRequested = false;
        form = std::make_unique<TForm_KT7>(&application);
        form->SkinFolder = skinFolder;
        skin::SkinFolderPath = skinFolder;
        form->Services.Show_Warning = [this](std::u16string_view text) {
            warnings.emplace_back(text);
        };
        ASSERT_TRUE(form->Create());
        form->Show();
        // The stripe comes from the data folder; the snapshot library lies beside the test.
        const std::u16string exeFolder = ProgramFolder;
        ProgramFolder = u"" ORVELLA_DATA_DIR;
        for (char16_t& c : ProgramFolder) c = c == u'/' ? u'\\' : c;
        form->Perform_EveryThingAfterOnCreate();
        ProgramFolder = exeFolder;
        InstallAnalysisPage(form.get());
        SetDriveDialogShownHook([](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); });
        Pump(50);
    }
    void TearDown() override {
        SetDriveDialogShownHook([](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); });
        CommandLineArgs.clear();
        form.reset();
        application.DestroyComponents();
        InstallAnalysisPage(nullptr);
        Pump(20);
        platform::SetSystem(nullptr);
        ClosingRequested = false;
    }

    // Shows the page with these drives and arguments; the start-up timer runs meanwhile.
    TForm_ORV* ShowPage(uint32_t drives, std::vector<std::u16string> args) {
        fixture.mask = drives;
        CommandLineArgs = std::move(args);
        form->ChangeModule_Real(FormORVClass(), false);
        return dynamic_cast<TForm_ORV*>(form->CurrentModuleForm);
    }

    static bool AnalysisDone(TForm_ORV* page) {
        return page->FullTree().GetFirst() != kNoNode && page->PellButton_Analyse->Enabled() &&
               !page->PellButton_Folders->Enabled() && !page->ProgressBar1->Visible();
    }

    // The page after the automatic analysis of R: alone.
    TForm_ORV* AnalysedPage() {
        TForm_ORV* page = ShowPage(kDriveR, {});
        if (page == nullptr) return nullptr;
        if (!PumpUntil([page] { return AnalysisDone(page); }, 30000)) return nullptr;
        Pump(100);
        return page;
    }

    // The visible list's rows by path.
    struct Row {
        std::u16string path;
        bool folder;
        int64_t size;
        uint32_t folders;
        uint32_t files;
        bool operator==(const Row&) const = default;
        friend void PrintTo(const Row& r, std::ostream* os) {
            *os << Utf16ToUtf8(r.path) << (r.folder ? " folder" : " file") << " size=" << r.size
                << " folders=" << r.folders << " files=" << r.files;
        }
    };
    static std::vector<Row> Listed(TForm_ORV* page) {
        std::vector<Row> out;
        auto& t = page->VisibleTree();
        for (NodeId n = t.GetFirst(); n != kNoNode; n = t.NextSibling(n)) {
            out.push_back({t.FullPath(n), t.IsFolder(n), t.Size(n), t.Folders(n), t.Files(n)});
        }
        std::sort(out.begin(), out.end(),
                  [](const Row& a, const Row& b) { return a.path < b.path; });
        return out;
    }
    static NodeId ListedRow(TForm_ORV* page, std::u16string_view path) {
        auto& t = page->VisibleTree();
        for (NodeId n = t.GetFirst(); n != kNoNode; n = t.NextSibling(n)) {
            if (t.FullPath(n) == path) return n;
        }
        return kNoNode;
    }
    static bool Shown(HWND w) {
        return w != nullptr && (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0;
    }
    static std::u16string Status(TForm_ORV* page) { return page->HTMLabel_Status->HTMLText(); }

    // Selects the row alone and double-clicks it in the grid's window.
    static void DoubleClickRow(TForm_ORV* page, NodeId node) {
        auto* grid = page->VirtualDrawTree_ORV_KT16;
        const long row = grid->RowIndexOf(node);
        ASSERT_GE(row, 0);
        grid->SetOffsetY(0);
        const int y = grid->HeaderHeight() + static_cast<int>(row) * grid->DefaultNodeHeight() +
                      grid->DefaultNodeHeight() / 2 - grid->OffsetY();
        const LPARAM at = MAKELPARAM(40, y);
        SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
        SendMessageW(grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(grid->Handle(), WM_LBUTTONUP, 0, at);
        Pump(50);
    }

    static void Select(TForm_ORV* page, NodeId node) {
        page->VirtualDrawTree_ORV_KT16->ClearSelection();
        page->VirtualDrawTree_ORV_KT16->SetSelected(node, true);
    }

    // Types text into the filter box's edit part, then Enter.
    static void TypeFilter(TForm_ORV* page, std::u16string_view text) {
        const HWND edit = page->ComboBox_ORV_Filter->EditHandle();
        ASSERT_NE(edit, nullptr);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_CHAR, VK_BACK, 0);
        for (char16_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
        SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
        Pump(100);
    }

    void Shot(const char* name) {
        const char* dir = std::getenv("ORVELLA_SHOT_DIR");
        if (dir == nullptr || form == nullptr) return;
        Pump(150);
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        const int w = r.right - r.left;
        const int h = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC mem = CreateCompatibleDC(screen);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        std::ofstream out(std::string(dir) + "/" + name + ".bmp", std::ios::binary);
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
        fh.bfSize = fh.bfOffBits + static_cast<DWORD>(w * h * 4);
        out.write(reinterpret_cast<const char*>(&fh), sizeof(fh));
        out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(bi.bmiHeader));
        out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(w) * h * 4);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        ReleaseDC(nullptr, screen);
        // Time for a screenshot from outside.
        if (const char* hold = std::getenv("ORVELLA_SHOT_HOLD_MS")) Pump(std::atoi(hold));
    }

    platform::win32::Win32System real;
    FixtureSystem fixture{real};
    platform::System& sys = fixture;
    toolkit::TComponent application;
    std::u16string skinFolder = u"" ORVELLA_SKIN_DIR;
    std::unique_ptr<TForm_KT7> form;
    std::vector<std::u16string> warnings;
};

TEST_F(AnalysisPageTest, OneDriveIsAnalysedAtOnceAndListedFromItsRoot) {
    int dialogs = 0;
    SetDriveDialogShownHook([&dialogs](HWND d) {
        ++dialogs;
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr) << "no analysis finished";
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(page->DriveComboBoxEx1->Count(), 1);
    EXPECT_FALSE(Shown(page->Panel_NothingDoneYet->Handle()));
    EXPECT_TRUE(Shown(page->Panel_Rechts->Handle()));
    EXPECT_TRUE(Shown(page->JvDirectoryListBox1->Handle()));
    EXPECT_EQ(page->JvDirectoryListBox1->Directory(), u"R:\\");

    const std::vector<Row> expected = {
        {u"R:\\Eins", true, 9000, 1, 5},
        {u"R:\\Zwei", true, 20, 0, 1},
        {u"R:\\a.zip", false, 1000, 0, 0},
        {u"R:\\readme.txt", false, 50, 0, 0},
    };
    EXPECT_EQ(Listed(page), expected);
    EXPECT_EQ(page->Orvella->TotalSize, 10070);
    EXPECT_EQ(page->Orvella->TotalFiles, 8u);
    // The status line: all 8 of 8 files, 10070 bytes.
    const std::u16string status = Status(page);
    EXPECT_NE(status.find(u" 8 von 8 "), std::u16string::npos) << Utf16ToUtf8(status);
    EXPECT_NE(status.find(analysis::StatusSizeText(10070)), std::u16string::npos)
        << Utf16ToUtf8(status);
    Shot("page-structure");
}

TEST_F(AnalysisPageTest, DriveChoiceAndStartArguments) {
    struct Case {
        const char* name;
        std::vector<std::u16string> args;
        bool dialogExpected;
        int expectedSelection;  // in the dialog's list: 0 R:, 1 S:
    };
    const Case cases[] = {
        {"no argument: the first drive", {}, true, 0},
        {"context menu path on S", {u"-contextdl", u"s:\\Ordner\\x.txt"}, true, 1},
        {"another argument starts nothing", {u"-SAVE"}, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int dialogs = 0;
        LRESULT selection = -2;
        SetDriveDialogShownHook([&](HWND d) {
            ++dialogs;
            HWND combo = FindWindowExW(d, nullptr, L"ComboBox", nullptr);
            for (HWND child = GetWindow(d, GW_CHILD); combo == nullptr && child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                combo = FindWindowExW(child, nullptr, L"ComboBox", nullptr);
            }
            if (combo != nullptr) selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
            // Closing the dialog answers "not OK": nothing is analysed.
            PostMessageW(d, WM_CLOSE, 0, 0);
        });
        TForm_ORV* page = ShowPage(kDriveR | kDriveS, c.args);
        ASSERT_NE(page, nullptr);
        Pump(1500);
        EXPECT_EQ(page->DriveComboBoxEx1->Count(), 2);
        EXPECT_EQ(dialogs, c.dialogExpected ? 1 : 0);
        if (c.dialogExpected) EXPECT_EQ(selection, c.expectedSelection);
        // Either way nothing was scanned: the empty state stays.
        EXPECT_EQ(page->FullTree().GetFirst(), kNoNode);
        EXPECT_TRUE(Shown(page->Panel_NothingDoneYet->Handle()));
        EXPECT_FALSE(page->PellButton_Folders->Enabled());
        EXPECT_EQ(Status(page), lang::Msg(u"MESSAGEHTML_ORV_STATUS_WELCOME"));
        if (!c.dialogExpected) Shot("page-empty");
        form->ChangeModule_Real(&StandInClass(), false);
        Pump(50);
    }
}

TEST_F(AnalysisPageTest, TheDialogAnswerPicksTheDriveThatIsScanned) {
    SetDriveDialogShownHook([](HWND d) {
        HWND combo = FindWindowExW(d, nullptr, L"ComboBox", nullptr);
        for (HWND child = GetWindow(d, GW_CHILD); combo == nullptr && child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            combo = FindWindowExW(child, nullptr, L"ComboBox", nullptr);
        }
        if (combo != nullptr) PostMessageW(combo, WM_KEYDOWN, VK_RETURN, 1);
    });
    TForm_ORV* page = ShowPage(kDriveR | kDriveS, {u"-CONTEXTDL", u"S:\\leer.txt"});
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(PumpUntil([page] { return AnalysisDone(page); }, 30000));
    EXPECT_EQ(page->Orvella->Analysed_Drive.substr(0, 1), u"S");
    EXPECT_EQ(page->JvDirectoryListBox1->Directory(), u"S:\\");
    const std::vector<Row> expected = {{u"S:\\leer.txt", false, 0, 0, 0}};
    EXPECT_EQ(Listed(page), expected);
}

TEST_F(AnalysisPageTest, DoubleClickOpensFoldersOnly) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    // A file: nothing changes.
    DoubleClickRow(page, ListedRow(page, u"R:\\a.zip"));
    EXPECT_EQ(page->JvDirectoryListBox1->Directory(), u"R:\\");
    EXPECT_EQ(Listed(page).size(), 4u);
    // A folder: it becomes the folder shown.
    DoubleClickRow(page, ListedRow(page, u"R:\\Eins"));
    EXPECT_EQ(page->JvDirectoryListBox1->Directory(), u"R:\\Eins");
    const std::vector<Row> expected = {
        {u"R:\\Eins\\Tief", true, 5200, 0, 2},
        {u"R:\\Eins\\b.ZIP", false, 3000, 0, 0},
        {u"R:\\Eins\\gesperrt.bin", false, 100, 0, 0},
        {u"R:\\Eins\\lied.mp3", false, 700, 0, 0},
    };
    EXPECT_EQ(Listed(page), expected);
}

TEST_F(AnalysisPageTest, ViewsSwitchColumnsBoxesAndFolderList) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    struct Case {
        const char* name;
        skin::TPellButton2* button;
        std::array<bool, 6> columns;
        bool nameBar, filter, folderList;
        size_t rows;
        const char* shot;
    };
    const Case cases[] = {
        {"files",
         page->PellButton_Files,
         {true, false, false, true, true, false},
         false,
         true,
         false,
         8,
         "page-files"},
        {"formats",
         page->PellButton_Formats,
         {true, false, true, true, true, false},
         false,
         false,
         false,
         0,
         "page-formats"},
        {"structure",
         page->PellButton_Folders,
         {true, true, true, true, true, true},
         true,
         true,
         true,
         4,
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.button->Click();
        Pump(100);
        EXPECT_FALSE(c.button->Enabled());
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(page->VirtualDrawTree_ORV_KT16->Column(i).Visible, c.columns[i]) << i;
        }
        EXPECT_EQ(Shown(page->ComboBox_ORV_NameBalken->Handle()), c.nameBar);
        EXPECT_EQ(page->Label_ORV_NameBalkenDESC->Visible(), c.nameBar);
        EXPECT_EQ(Shown(page->ComboBox_ORV_Filter->Handle()), c.filter);
        EXPECT_EQ(Shown(page->JvDirectoryListBox1->Handle()), c.folderList);
        EXPECT_EQ(Shown(page->AdvSplitter1->Handle()), c.folderList);
        if (c.rows > 0) EXPECT_EQ(Listed(page).size(), c.rows);
        if (c.shot != nullptr) Shot(c.shot);
    }
}

TEST_F(AnalysisPageTest, TypedExtensionListsEveryMatchBeneathTheFolderFlat) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    TypeFilter(page, u"*.ZIP");
    ASSERT_TRUE(PumpUntil([page] { return !page->ProgressBar_Auswertung->Visible(); }, 10000));
    const std::vector<Row> expected = {
        {u"R:\\Eins\\Tief\\c.zip", false, 5000, 0, 0},
        {u"R:\\Eins\\b.ZIP", false, 3000, 0, 0},
        {u"R:\\a.zip", false, 1000, 0, 0},
    };
    EXPECT_EQ(Listed(page), expected);
    const std::u16string status = Status(page);
    EXPECT_NE(status.find(u" 3 von 8 "), std::u16string::npos) << Utf16ToUtf8(status);
    EXPECT_NE(status.find(analysis::StatusSizeText(9000)), std::u16string::npos)
        << Utf16ToUtf8(status);
    Shot("page-filter");
}

TEST_F(AnalysisPageTest, GroupRowMenuHasEveryItemDisabled) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    page->PellButton_Formats->Click();
    ASSERT_TRUE(PumpUntil([page] { return !page->ProgressBar_Auswertung->Visible(); }, 10000));
    const NodeId group = page->VisibleTree().GetFirst();
    ASSERT_NE(group, kNoNode);
    Select(page, group);
    page->AdvPopupMenu_ORV->OnPopup(page->AdvPopupMenu_ORV);
    for (auto* item : page->AdvPopupMenu_ORV->Items()) {
        if (item->IsSeparator()) continue;
        EXPECT_FALSE(item->Enabled) << Utf16ToUtf8(item->Name());
    }
    // A file row of the structure view has its items back.
    page->PellButton_Folders->Click();
    Pump(100);
    Select(page, ListedRow(page, u"R:\\a.zip"));
    page->AdvPopupMenu_ORV->OnPopup(page->AdvPopupMenu_ORV);
    EXPECT_TRUE(page->PopUp_OpenFile->Enabled);
    EXPECT_TRUE(page->PopUp_Delete->Enabled);
    EXPECT_FALSE(page->PopUp_OpenFolder->Enabled);
}

TEST_F(AnalysisPageTest, DeletingAFolderUpdatesTreeAndStatus) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    DoubleClickRow(page, ListedRow(page, u"R:\\Eins"));
    ASSERT_EQ(page->JvDirectoryListBox1->Directory(), u"R:\\Eins");

    struct Case {
        const char* name;
        int answer;
        bool gone;
        int64_t totalAfter;
    };
    const Case cases[] = {
        {"No keeps everything", platform::kIdNo, false, 10070},
        {"Yes recycles the folder", platform::kIdYes, true, 10070 - 5200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int asked = 0;
        page->AskDelete = [&](std::u16string_view, std::u16string_view, uint32_t) {
            ++asked;
            return c.answer;
        };
        Select(page, ListedRow(page, u"R:\\Eins\\Tief"));
        page->PopUp_Delete->OnClick(page->PopUp_Delete);
        Pump(100);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(Exists(u"R:\\Eins\\Tief"), !c.gone);
        EXPECT_EQ(ListedRow(page, u"R:\\Eins\\Tief") == kNoNode, c.gone);
        EXPECT_EQ(page->Orvella->FindRootNodeForDir(u"R:\\Eins\\Tief") == kNoNode, c.gone);
        bool inFolderList = false;
        const toolkit::TFolderList& folders = page->JvDirectoryListBox1->Folders();
        for (int i = 0; i < folders.Count(); ++i) {
            inFolderList = inFolderList || folders.Entry(i).Path == u"R:\\Eins\\Tief";
        }
        EXPECT_EQ(inFolderList, !c.gone);
        const NodeId eins = page->Orvella->FindRootNodeForDir(u"R:\\Eins");
        ASSERT_NE(eins, kNoNode);
        EXPECT_EQ(page->FullTree().Size(eins), c.totalAfter - 1070);
        EXPECT_EQ(page->FullTree().Size(page->FullTree().GetFirst()), c.totalAfter);
        EXPECT_EQ(page->Orvella->TotalSize, c.totalAfter);
        // The file count of the scan stays; the size is the new one.
        EXPECT_EQ(page->Orvella->TotalFiles, 8u);
        const std::u16string status = Status(page);
        EXPECT_NE(status.find(u" 8 von 8 "), std::u16string::npos) << Utf16ToUtf8(status);
        EXPECT_NE(status.find(analysis::StatusSizeText(c.totalAfter)), std::u16string::npos)
            << Utf16ToUtf8(status);
    }
    Shot("page-after-delete");
}

TEST_F(AnalysisPageTest, LockedFileStaysListed) {
    TForm_ORV* page = AnalysedPage();
    ASSERT_NE(page, nullptr);
    DoubleClickRow(page, ListedRow(page, u"R:\\Eins"));
    HANDLE lock = CreateFileW(L"R:\\Eins\\gesperrt.bin", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    page->AskDelete = [](std::u16string_view, std::u16string_view, uint32_t) {
        return platform::kIdYes;
    };
    Select(page, ListedRow(page, u"R:\\Eins\\gesperrt.bin"));
    page->PopUp_Delete->OnClick(page->PopUp_Delete);
    Pump(100);
    const bool stillThere = Exists(u"R:\\Eins\\gesperrt.bin");
    CloseHandle(lock);
    EXPECT_TRUE(stillThere);
    EXPECT_NE(ListedRow(page, u"R:\\Eins\\gesperrt.bin"), kNoNode);
    EXPECT_EQ(page->Orvella->TotalSize, 10070);
}

}  // namespace
}  // namespace orv::app
