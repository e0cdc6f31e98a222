// The main window under Wine: completion with the skin, page switches with their log lines and
// constraints, maximise and restore with the grip, deferred requests, first show and closing.
#include <gtest/gtest.h>
#include <windows.h>

#include "MainWindowFixture.h"
#include "app/win32/StartPage.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::app::test {
namespace {

COLORREF PixelOfPaint(TForm_KT7& form, int x, int y) {
    const int w = form.ClientWidth();
    const int h = form.ClientHeight();
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(mem, bmp);
    form.PaintTo(mem, w, h);
    const COLORREF c = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return c;
}

bool SamePicture(const toolkit::TPicture& a, std::u16string_view file) {
    toolkit::TPicture b;
    if (!toolkit::win32::LoadPictureFile(b, file)) return false;
    return !a.Empty() && a.Image().Bytes() == b.Image().Bytes();
}

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, CompletionCaptionsSkinsTheHeaderAndStartsTheSwitcher) {
    wchar_t caption[256] = {};
    GetWindowTextW(form->Handle(), caption, 256);
    EXPECT_STREQ(caption, L"Talvik Orvella 2023 (Version 01.00.00)");
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"TForm_KT7", nullptr), form->Handle());

    // Header colour $1F5E6E of the default skin: band, and the strip over the logo's top.
    EXPECT_EQ(PixelOfPaint(*form, 600, 45), RGB(0x1F, 0x5E, 0x6E));
    EXPECT_EQ(form->Shape_AntiFlicker2->Top(), 0);
    EXPECT_EQ(form->Shape_AntiFlicker2->BrushColor(), form->Shape_Header->BrushColor());
    EXPECT_EQ(form->Shape_Header->Width(), form->ClientWidth() + 1);
    EXPECT_FALSE(form->Image_Logo->Picture().Empty());
    EXPECT_EQ(form->Image_Logo->Width(), form->Image_Logo->Picture().Width()) << "sizes itself";

    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Close->Picture_Normal(),
                            skinFolder + u"\\but_close.png"));
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Close->Picture_Pressed(),
                            skinFolder + u"\\but_close.png"));
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Close->Picture_Highlight(),
                            skinFolder + u"\\but_close_hover.png"));
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_options->Picture_Highlight(),
                            skinFolder + u"\\but_settings_hover.png"));
    EXPECT_FALSE(form->MirelMouseImage3State_Feedback->Visible());
    // Right-anchored buttons keep their design distance from the right edge.
    EXPECT_EQ(form->ClientWidth() - form->MirelMouseImage3State_Close->Left(), 894 - 858);

    EXPECT_EQ(form->PngImageList_16.Count(), 9);
    EXPECT_EQ(form->PngImageList16_Module.Count(), 45);
    ASSERT_NE(form->SwitcherThread(), nullptr);
    EXPECT_FALSE(form->SwitcherThread()->Suspended());
    EXPECT_EQ(SharedMenuStyler(), form->AdvMenuOfficeStyler1);
    EXPECT_EQ(lines.Count(u"MainForm -> OnShow Done"), 1);
}

TEST_F(MainWindow, FirstSwitchLogsItsLinesAndSetsTheConstraints) {
    lines.Clear();
    form->ShowMainmenu_Real();
    ASSERT_NE(form->CurrentModuleForm, nullptr);
    EXPECT_EQ(form->CurrentModuleForm->ClassName(), u"TForm_ORV");
    const int created = lines.Find(u"Created: TForm_ORV ; FormName=Form_ORV");
    ASSERT_GE(created, 0);
    EXPECT_GE(lines.Find(u"ms for Creating new Module = ", created), 0);
    EXPECT_FALSE(form->CurrentModuleForm_isStartPage);

    SIZE s = WindowSize();
    EXPECT_GE(s.cx, 1122);
    EXPECT_GE(s.cy, 737);
    // The module area fills the client area below the header.
    const RECT client = ClientRectOf(form->Handle());
    const RECT panel = PlaceOf(form->Panel1->Handle());
    EXPECT_EQ(panel.left, 0);
    EXPECT_EQ(panel.top, 57);
    EXPECT_EQ(panel.right, client.right);
    EXPECT_EQ(panel.bottom, client.bottom);
    const RECT page = PlaceOf(form->CurrentModuleForm->Handle());
    EXPECT_EQ(page.right - page.left, client.right) << "the page fills the module area";

    // Neither the program nor the user can make it smaller now.
    SetWindowPos(form->Handle(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
    Pump(20);
    s = WindowSize();
    EXPECT_GE(s.cx, 1122);
    EXPECT_GE(s.cy, 737);
    MINMAXINFO mm{};
    SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mm));
    EXPECT_EQ(mm.ptMinTrackSize.x, 1122);
    EXPECT_EQ(mm.ptMinTrackSize.y, 737);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(mm.ptMaxTrackSize.y, work.bottom - work.top + 12);

    // The next switch closes the page and creates a new one.
    TModuleForm* first = form->CurrentModuleForm;
    lines.Clear();
    form->ShowMainmenu_Real();
    const int closed = lines.Find(u"Close: TForm_ORV");
    ASSERT_GE(closed, 0);
    EXPECT_GT(lines.Find(u"Created: TForm_ORV ; FormName=Form_ORV"), closed);
    EXPECT_NE(form->CurrentModuleForm, nullptr);
    EXPECT_EQ(application.ComponentCount(), 1u) << "the old page was freed: " << first;
}

TEST_F(MainWindow, MaximiseHidesTheGripsAndRestoreBringsThemBackInTheCorner) {
    form->ShowMainmenu_Real();
    toolkit::TImage* pageGrip = FindPageSizeGrip(form->CurrentModuleForm);
    ASSERT_NE(pageGrip, nullptr);

    form->MirelMouseImage3State_Maximize->Click();
    Pump(50);
    ASSERT_TRUE(IsZoomed(form->Handle()));
    EXPECT_FALSE(form->Image_SizeGrip->Visible());
    EXPECT_FALSE(pageGrip->Visible());
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Maximize->Picture_Normal(),
                            skinFolder + u"\\but_unmax_normal.png"));
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Maximize->Picture_Highlight(),
                            skinFolder + u"\\but_unmax_hover.png"));
    EXPECT_EQ(form->ClientWidth() - form->MirelMouseImage3State_Close->Left(), 894 - 858);

    form->MirelMouseImage3State_Maximize->Click();
    Pump(50);
    ASSERT_FALSE(IsZoomed(form->Handle()));
    EXPECT_TRUE(form->Image_SizeGrip->Visible());
    EXPECT_TRUE(pageGrip->Visible());
    EXPECT_EQ(form->Image_SizeGrip->Left(),
              form->ClientWidth() - form->Image_SizeGrip->Width() - 2);
    EXPECT_EQ(form->Image_SizeGrip->Top(),
              form->ClientHeight() - form->Image_SizeGrip->Height() - 2);
    EXPECT_EQ(form->Image_SizeGrip->Width(), 24);
    EXPECT_EQ(pageGrip->Left(), form->CurrentModuleForm->ClientWidth() - pageGrip->Width() - 2);
    EXPECT_EQ(pageGrip->Top(), form->CurrentModuleForm->ClientHeight() - pageGrip->Height() - 2);
    EXPECT_TRUE(SamePicture(form->MirelMouseImage3State_Maximize->Picture_Normal(),
                            skinFolder + u"\\but_maximize.png"));
    EXPECT_TRUE(form->MirelMouseImage3State_Maximize->Enabled());
}

TEST_F(MainWindow, ClickedMaximiseButtonStaysAnchoredAfterItsRelease) {
    form->ShowMainmenu_Real();
    for (int round = 0; round < 2; ++round) {
        auto* b = form->MirelMouseImage3State_Maximize;
        const LPARAM at = MAKELPARAM(b->Left() + 16, b->Top() + 16);
        SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, at);
        SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
        Pump(50);
        EXPECT_EQ(IsZoomed(form->Handle()) != FALSE, round == 0);
        EXPECT_EQ(b->Left(), form->ClientWidth() - (894 - 822)) << "round " << round;
        EXPECT_EQ(b->Top(), 2);
        EXPECT_EQ(form->MirelMouseImage3State_Close->Left(), form->ClientWidth() - (894 - 858));
    }
}

TEST_F(MainWindow, TwoDeferredRequestsWithinOnePollGiveOneSwitch) {
    lines.Clear();
    form->ShowMainmenu();
    form->ShowMainmenu();
    EXPECT_EQ(form->CurrentModuleForm, nullptr) << "deferred, not inside the call";
    Pump(300);
    EXPECT_EQ(lines.Count(u"Created: TForm_ORV"), 1);
    ASSERT_NE(form->CurrentModuleForm, nullptr);

    lines.Clear();
    form->ChangeModule(StartPageClass(), true);
    form->ChangeModule(StartPageClass(), true);
    Pump(300);
    EXPECT_EQ(lines.Count(u"Close: TForm_ORV"), 1);
    EXPECT_EQ(lines.Count(u"Created: TForm_ORV"), 1);
    EXPECT_TRUE(form->CurrentModuleForm_isStartPage);
}

TEST_F(MainWindow, RedrawTimerFiresOnceAfterTheFirstShow) {
    // Shown in SetUp; the timer runs 400 ms and switches itself off.
    EXPECT_TRUE(form->fFirstOnShowDone);
    Pump(700);
    EXPECT_FALSE(form->PellThreadTimer_Redraw->Enabled());
    ShowWindow(form->Handle(), SW_HIDE);
    ShowWindow(form->Handle(), SW_SHOW);
    Pump(20);
    EXPECT_EQ(lines.Count(u"MainForm -> OnShow Done"), 1) << "only the first show";
    EXPECT_FALSE(form->PellThreadTimer_Redraw->Enabled());
}

TEST_F(MainWindow, CustomFrameKeepsSizingEdgesWithAThinTop) {
    const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
    const LONG_PTR ex = GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(ex & WS_EX_STATICEDGE);
    EXPECT_TRUE(ex & WS_EX_APPWINDOW);
    EXPECT_FALSE(ex & WS_EX_COMPOSITED) << "only while moving, sizing or activating";
    RECT wr{};
    GetWindowRect(form->Handle(), &wr);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_LE(origin.y - wr.top, 3) << "top frame";
    EXPECT_GE(origin.y - wr.top, 1);
    EXPECT_EQ(form->ClientWidth(), 894);
    EXPECT_EQ(form->ClientHeight(), 712);
    SendMessageW(form->Handle(), WM_NCACTIVATE, TRUE, 0);
    SendMessageW(form->Handle(), WM_ENTERSIZEMOVE, 0, 0);
    EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_COMPOSITED);
    SendMessageW(form->Handle(), WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_COMPOSITED);
}

TEST_F(MainWindow, CloseQuerySetsTheFlagsReleasesKeptPagesAndLogsInOrder) {
    form->ShowMainmenu_Real();
    TModuleForm* page = form->CurrentModuleForm;
    form->KeepFormsLoaded.Entries().push_back({page->FormClass(), page});
    ScanAbortRequested = false;
    lines.Clear();
    bool destroyed = false;
    form->OnDestroyed = [&destroyed] { destroyed = true; };
    SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ClosingRequested);
    EXPECT_TRUE(ScanAbortRequested);
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(form->CurrentModuleForm, nullptr);
    EXPECT_TRUE(form->KeepFormsLoaded.Entries().empty());
    const std::vector<std::u16string> expected = {
        u"KT16: FormCloseQuery",
        u"KeepFormLoaded_ClearAll",
        u"KeepFormLoaded_ClearAll ; Close=Form_ORV",
        u"KeepFormLoaded_ClearAll ; this is the current MainForm ; clear currentmainform",
        u"KT16: FormCloseQuery DONE",
        u"KT16: FormClose",
        u"KT16: FormClose DONE",
    };
    std::vector<std::u16string> got;
    for (const auto& l : lines.Lines()) {
        if (l.rfind(u"KT16", 0) == 0 || l.rfind(u"KeepForm", 0) == 0) got.push_back(l);
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(application.ComponentCount(), 0u) << "the kept page was freed";
}

TEST_F(MainWindow, KeptPageSurvivesASwitchAndIsReused) {
    form->ShowMainmenu_Real();
    TModuleForm* page = form->CurrentModuleForm;
    form->KeepFormsLoaded.Entries().push_back({page->FormClass(), page});
    lines.Clear();
    form->ShowMainmenu_Real();
    EXPECT_GE(lines.Find(u"DO NOT Close: TForm_ORV"), 0);
    EXPECT_GE(lines.Find(u"KeepForm found: TForm_ORV ; FormName=Form_ORV"), 0);
    EXPECT_EQ(form->CurrentModuleForm, page);
    EXPECT_EQ(lines.Count(u"Created: "), 0);
    form->KeepFormsLoaded.Entries().clear();
}

// A skin folder without pictures: every control stays empty, the header black, nothing breaks.
TEST(MainWindowWithoutSkin, MissingPicturesLeaveEmptyControlsAndDebugLines) {
    platform::win32::Win32System sys;
    DebugLines lines{sys};
    platform::SetSystem(&lines);
    ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
    {
        toolkit::TComponent application;
        TForm_KT7 form(&application);
        form.SkinFolder = u"C:\\no\\such\\skin";
        ASSERT_TRUE(form.Create());
        form.Show();
        form.Perform_EveryThingAfterOnCreate();
        form.ShowMainmenu_Real();
        Pump(50);
        EXPECT_TRUE(form.MirelMouseImage3State_Close->Picture().Empty());
        EXPECT_TRUE(form.Image_SizeGrip->Picture().Empty());
        EXPECT_TRUE(form.Image_Logo->Picture().Empty());
        EXPECT_EQ(form.Shape_Header->BrushColor(), 0u) << "no skin.ini: black";
        EXPECT_NE(form.CurrentModuleForm, nullptr);
        form.MirelMouseImage3State_Maximize->Click();
        Pump(30);
        form.MirelMouseImage3State_Maximize->Click();
        Pump(30);
        form.KeepFormLoaded_ClearAll();
        application.DestroyComponents();
        form.CurrentModuleForm = nullptr;
    }
    bool pictureLine = false;
    for (const auto& l : lines.Lines())
        pictureLine |= l.find(u"but_close.png") != std::u16string::npos;
    EXPECT_TRUE(pictureLine) << "the missing picture is named on the debug channel";
    platform::SetSystem(nullptr);
}

TEST(MainWindowTranslation, MenuItemsTakeTheirTextsFromTheFormSection) {
    platform::win32::Win32System sys;
    platform::SetSystem(&sys);
    ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
    const std::u16string savedFolder = ProgramFolder;
    ProgramFolder = u"" ORVELLA_DATA_DIR;
    lang::ResetMessageCatalogue();
    lang::CurrentLanguageFile = u"en-us";
    lang::LoadStartupCatalogue(ProgramFolder + u"\\translation");
    {
        toolkit::TComponent application;
        TForm_KT7 form(&application);
        ASSERT_TRUE(form.Create());
        form.Perform_EveryThingAfterOnCreate();
        EXPECT_EQ(form.MenuItem_help_Help->Caption(), u"Help");
        EXPECT_EQ(form.MenuItem_help_About->Caption(), u"About this software");
        EXPECT_EQ(form.MenuItem_Options->Caption(), u"Settings");
        EXPECT_EQ(form.N1->Caption(), u"-") << "untagged: left alone";
        wchar_t caption[256] = {};
        GetWindowTextW(form.Handle(), caption, 256);
        EXPECT_STREQ(caption, L"Talvik Orvella 2023 (Version 01.00.00)")
            << "the window is not translated";
    }
    lang::ResetMessageCatalogue();
    lang::CurrentLanguageFile.clear();
    ProgramFolder = savedFolder;
    platform::SetSystem(nullptr);
}

}  // namespace
}  // namespace orv::app::test
