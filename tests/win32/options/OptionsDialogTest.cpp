// The options dialog created for real under Wine: what Ok stores and what it leaves alone, the
// restart notice of the main window's options command, the reset, the page a showing opens on,
// and the file-format groups the analysis page reads from the living dialog.
#include <functional>
#include <optional>

#include "OptionsFixture.h"
#include "analysis/ResultViews.h"
#include "app/OptionsAccess.h"
#include "app/win32/Unit1.h"
#include "skin/Form_ToolTips.h"

namespace orv::app::test {
namespace {

using settings::DefaultOf;
using settings::kOptionsKey;

class OptionsDialog : public ProgramFolderFixture {};

// The nine file-format values as a fresh dialog stores them: the settings map's defaults, the
// box unchecked.
TEST_F(OptionsDialog, OkWithoutALanguageKeepsTheForcedOneAndWritesEveryFormatValue) {
    ASSERT_TRUE(
        Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kForceLanguage, u"fr-fr"));
    auto dialog = MakeDialog();
    dialog->FormShow();
    ASSERT_EQ(dialog->ListView_Options_Language->Selected(), -1);
    dialog->PellButton_Ok->Click();

    EXPECT_EQ(dialog->ModalResult(), toolkit::win32::kMrOk);
    EXPECT_EQ(Options(settings::kForceLanguage), u"fr-fr");
    const std::u16string_view texts[] = {settings::kAudio,        settings::kVideo,
                                         settings::kPictures,     settings::kArchives,
                                         settings::kDocuments,    settings::kPrograms,
                                         settings::kOwnGroupName, settings::kOwnGroupFormats};
    for (const auto name : texts) {
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_TRUE(OptionExists(name));
        EXPECT_EQ(Options(name), DefaultOf(kOptionsKey, name));
    }
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, kOptionsKey, settings::kShowOwnGroup), 0);
    EXPECT_TRUE(OptionExists(settings::kShowOwnGroup));
}

TEST_F(OptionsDialog, StoredValuesComeBackIntoTheControlsAndAbsentOnesLeaveThemAlone) {
    Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kAudio, u"FLAC ; OPUS");
    Reg_WriteInteger(RegRoot::LocalMachine, kOptionsKey, settings::kShowOwnGroup, 1);
    Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kOwnGroupName, u"Meine Bilder");
    auto dialog = MakeDialog();
    EXPECT_EQ(dialog->Edit_ORV_Audio->Text(), u"FLAC ; OPUS");
    EXPECT_EQ(dialog->Edit_ORV_Video->Text(), DefaultOf(kOptionsKey, settings::kVideo));
    EXPECT_TRUE(dialog->CheckBox_ORV_ShowOwnGroup->Checked());
    EXPECT_EQ(dialog->Edit_ORV_Name_OwnGroup->Text(), u"Meine Bilder");
}

TEST_F(OptionsDialog, ChoosingALanguageStoresItsFileName) {
    auto dialog = MakeDialog();
    const int row = RowOf(*dialog, u"pl-pl");
    ASSERT_GE(row, 0);
    dialog->ListView_Options_Language->SetSelected(row);
    dialog->PellButton_Ok->Click();
    EXPECT_EQ(Options(settings::kForceLanguage), u"pl-pl");
}

// What the user types into an edit: the group lists become capitals, the group name keeps
// its letters.
TEST_F(OptionsDialog, GroupEditsForceCapitalsAsTheUserTypesTheGroupNameDoesNot) {
    auto dialog = MakeDialog();
    struct Case {
        toolkit::win32::TEdit* edit;
        std::u16string expected;
    } cases[] = {
        {dialog->Edit_ORV_Audio, u"Flac"},
        {dialog->Edit_ORV_Apps, u"Flac"},
        {dialog->Edit_ORV_Formate_OwnGroup, u"Flac"},
        {dialog->Edit_ORV_Name_OwnGroup, u"Flac"},
    };
    cases[0].expected = u"FLAC";
    cases[1].expected = u"FLAC";
    cases[2].expected = u"FLAC";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edit->Name().begin(), c.edit->Name().end()));
        c.edit->SetText(u"");
        for (const wchar_t ch : std::wstring(L"Flac"))
            SendMessageW(c.edit->Handle(), WM_CHAR, ch, 0);
        EXPECT_EQ(c.edit->Text(), c.expected);
    }
}

TEST_F(OptionsDialog, TheAnalysisPageReadsEditedGroupsFromTheLivingDialogAtOnce) {
    EXPECT_EQ(LivingOptionsDialog(), nullptr);
    {
        auto dialog = MakeDialog();
        ASSERT_EQ(LivingOptionsDialog(), dialog.get());
        SetWindowTextW(dialog->Edit_ORV_Video->Handle(), L"MKV ; WEBM");
        SetWindowTextW(dialog->Edit_ORV_Formate_OwnGroup->Handle(), L"ISO");
        SetWindowTextW(dialog->Edit_ORV_Name_OwnGroup->Handle(), L"Abbilder");
        dialog->CheckBox_ORV_ShowOwnGroup->SetChecked(true);

        const analysis::TFormatSettings s = LivingOptionsDialog()->FormatSettings();
        for (int row = 0; row < analysis::kGroupCount; ++row) {
            const std::u16string_view edit = analysis::FileFormatGroups()[row].EditName;
            SCOPED_TRACE(std::string(edit.begin(), edit.end()));
            std::u16string expected(DefaultOf(kOptionsKey, edit));
            if (edit == settings::kVideo) expected = u"MKV ; WEBM";
            if (edit == settings::kOwnGroupFormats) expected = u"ISO";
            EXPECT_EQ(s.Lists[row], expected);
        }
        EXPECT_TRUE(s.ShowOwnGroup);
        EXPECT_EQ(s.OwnGroupName, u"Abbilder");
        // Nothing was stored: the page sees the controls, not the registry.
        EXPECT_FALSE(OptionExists(settings::kVideo));
    }
    EXPECT_EQ(LivingOptionsDialog(), nullptr);
}

struct PageCase {
    const char* name;
    std::u16string modulePage;
    std::u16string_view expectedPage;
    bool tile8Chosen;
    friend void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }
};

class OpeningPage : public ProgramFolderFixture, public ::testing::WithParamInterface<PageCase> {};

TEST_P(OpeningPage, DependsOnTheMainWindowsCurrentPage) {
    const PageCase& c = GetParam();
    modulePage = c.modulePage;
    auto dialog = MakeDialog();
    dialog->FormShow();
    ASSERT_NE(dialog->PageControl1->ActivePage(), nullptr);
    EXPECT_EQ(dialog->PageControl1->ActivePage()->SheetName(), c.expectedPage);
    EXPECT_EQ(dialog->MirelMouseImage3State8->Enabled(), !c.tile8Chosen);
    EXPECT_EQ(dialog->MirelMouseImage3State1->Enabled(), c.tile8Chosen);
    // The strip offers the chosen group's pages, each tab pointing at its page.
    for (int t = 0; t < dialog->AdvOfficeTabSet1->TabCount(); ++t) {
        const auto& tab = dialog->AdvOfficeTabSet1->Tab(t);
        ASSERT_NE(dialog->PageControl1->Page(tab.ImageIndex), nullptr);
        EXPECT_EQ(dialog->PageControl1->Page(tab.ImageIndex)->Caption(), tab.Caption);
    }
    EXPECT_EQ(dialog->AdvOfficeTabSet1->TabCount(), c.tile8Chosen ? 1 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpeningPage,
    ::testing::Values(PageCase{"AnalysisPage", u"TForm_ORV", u"TabSheet_ORV1", true},
                      PageCase{"AnalysisPageOtherCase", u"tform_orv", u"TabSheet_ORV1", true},
                      PageCase{"NoPage", u"", u"TabSheet_LANG", false},
                      PageCase{"StartPage", u"TForm_StartPage", u"TabSheet_LANG", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialog, TabsAndTilesSwitchPages) {
    auto dialog = MakeDialog();
    auto& tabs = *dialog->AdvOfficeTabSet1;
    tabs.SetActiveTabIndex(1);
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabSheet_OTHER);
    dialog->MirelMouseImage3State8->Click();
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabSheet_ORV1);
    // A disabled tile ignores the mouse: the group stays.
    EXPECT_FALSE(dialog->MirelMouseImage3State8->Enabled());
    dialog->MirelMouseImage3State1->Click();
    EXPECT_EQ(dialog->PageControl1->ActivePage(), dialog->TabSheet_LANG);
    EXPECT_TRUE(dialog->MirelMouseImage3State8->Enabled());
}

TEST_F(OptionsDialog, TheContextMenuSwitchEnablesTheOtherSevenBoxes) {
    auto dialog = MakeDialog();
    for (const bool on : {false, true}) {
        dialog->CheckBox_ShowContextMenu->SetChecked(on);
        dialog->CheckBox_ShowContextMenuClick(dialog->CheckBox_ShowContextMenu);
        for (auto* box : {dialog->CheckBox_Context_DEFRAG, dialog->CheckBox_Context_DL,
                          dialog->CheckBox_Context_FW, dialog->CheckBox_Context_ED,
                          dialog->CheckBox_Context_FSJ, dialog->CheckBox_Context_Recycle_FW,
                          dialog->CheckBox_Context_Recycle_Undelete}) {
            EXPECT_EQ(box->Enabled(), on);
            EXPECT_EQ(IsWindowEnabled(box->Handle()) != FALSE, on);
        }
    }
}

TEST_F(OptionsDialog, TheLanguageListShowsEveryTranslationWithFlagAndTranslator) {
    auto dialog = MakeDialog();
    const auto& list = *dialog->ListView_Options_Language;
    ASSERT_EQ(list.RowCount(), static_cast<int>(lang::AvailableFileNames.size()));
    EXPECT_EQ(list.Column(0).Width, 260);
    EXPECT_EQ(list.Column(1).Width, 300);
    EXPECT_EQ(list.Column(2).Width, 0);
    // The shipped files all name a translator and have a flag.
    for (int r = 0; r < list.RowCount(); ++r) {
        EXPECT_FALSE(list.CellText(r, 0).empty());
        EXPECT_FALSE(list.CellText(r, 1).empty());
        EXPECT_GE(list.Row(r).ImageIndex, 0);
    }
    // The window holds the rows too.
    EXPECT_EQ(SendMessageW(list.Handle(), LVM_GETITEMCOUNT, 0, 0), list.RowCount());
    // Translated column captions and window caption (English file loaded).
    EXPECT_EQ(list.Column(0).Caption, u"Language");
    EXPECT_EQ(dialog->Caption(), u"Settings");
}

TEST_F(OptionsDialog, LinkAndServiceChannelButtonReachOutside) {
    auto dialog = MakeDialog();
    dialog->HTMLabel_Options_GUI_TranslationLinkTargetAnchorClick(
        dialog->HTMLabel_Options_GUI_TranslationLinkTarget, u"1");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0], u"translation");
    dialog->Button_ConfigChannels->Click();
    EXPECT_EQ(channelWindow, dialog->Handle());
}

// The header tooltips are offered to the manager at start-up; the dialog's hidden box, never
// ticked, keeps them out, and without a dialog they are taken.
TEST_F(OptionsDialog, TheTooltipBoxDecidesWhetherTheManagerRegistersControls) {
    std::unique_ptr<TForm_Options> dialog;
    skin::TToolTips tips;
    LinkToolTipsToOptions(tips, [&] { return dialog.get(); });
    toolkit::TComponent parent;
    toolkit::TControl control(&parent);
    control.SetName(u"MirelMouseImage3State_options");
    control.SetParent(&parent);
    struct Case {
        const char* what;
        bool dialogExists;
        bool ticked;
        bool registered;
    } cases[] = {
        {"no dialog", false, false, true},
        {"box unchecked", true, false, false},
        {"box checked", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        dialog = c.dialogExists ? MakeDialog() : nullptr;
        if (dialog) {
            EXPECT_FALSE(dialog->CheckBox_Other_Tooltips->Visible());
            dialog->CheckBox_Other_Tooltips->SetChecked(c.ticked);
        }
        skin::TToolTips fresh;
        LinkToolTipsToOptions(fresh, [&] { return dialog.get(); });
        fresh.AddToList(&control, u"Options", u"text");
        EXPECT_EQ(fresh.FindToolTip(control.Name(), u"TComponent") != nullptr, c.registered);
    }
    // A fresh dialog starts with the box unchecked.
    dialog = MakeDialog();
    EXPECT_FALSE(dialog->CheckBox_Other_Tooltips->Checked());
    tips.AddToList(&control, u"Options", u"text");
    EXPECT_TRUE(tips.List().empty());
}

// ---- The main window's options command ----

// Runs steps while a dialog is shown modally: each tick of a thread timer hands the showing
// dialog to the next step, which must end the modal loop.
class ModalScript {
  public:
    using Step = std::function<void(TForm_Options&)>;
    static ModalScript*& Current() {
        static ModalScript* s = nullptr;
        return s;
    }
    ModalScript(std::function<TForm_Options*()> dialog, std::vector<Step> steps)
        : dialog_(std::move(dialog)), steps_(std::move(steps)) {
        Current() = this;
        timer_ = SetTimer(nullptr, 0, 40, &ModalScript::Tick);
    }
    ~ModalScript() {
        KillTimer(nullptr, timer_);
        Current() = nullptr;
    }
    size_t Left() const { return steps_.size(); }
    bool ClosedUnplanned() const { return unplanned_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalScript* s = Current();
        if (s == nullptr) return;
        TForm_Options* d = s->dialog_();
        if (d == nullptr || !d->Showing()) return;
        if (s->steps_.empty()) {
            s->unplanned_ = true;
            d->Close();
            return;
        }
        Step step = std::move(s->steps_.front());
        s->steps_.erase(s->steps_.begin());
        step(*d);
    }
    std::function<TForm_Options*()> dialog_;
    std::vector<Step> steps_;
    UINT_PTR timer_ = 0;
    bool unplanned_ = false;
};

class OptionsCommand : public ProgramFolderFixture {
  protected:
    void SetUp() override {
        ProgramFolderFixture::SetUp();
        main = std::make_unique<TForm_KT7>(&application);
        main->SkinFolder = skinFolder;
        ASSERT_TRUE(main->Create());
        main->Services.Show_Info = [this](std::u16string_view t) { notices.emplace_back(t); };
        main->Services.ReadUseSkin = [] {
            return Reg_ReadString(RegRoot::LocalMachine, kOptionsKey, settings::kUseSkin);
        };
        main->Services.ReadForceLanguage = [] {
            return Reg_ReadString(RegRoot::LocalMachine, kOptionsKey, settings::kForceLanguage);
        };
        main->Services.CurrentLanguageCode = [] { return lang::CurrentLanguageFile; };
        main->Services.OptionsDialog = [this]() -> TOptionsDialogLink* { return dialog.get(); };
        main->Services.RecreateOptionsDialog = [this] {
            dialog.reset();
            dialog = MakeDialog();
        };
        dialog = MakeDialog();
    }
    void TearDown() override {
        dialog.reset();
        main.reset();
        application.DestroyComponents();
        ProgramFolderFixture::TearDown();
    }

    // One run of the options command with the steps for the dialogs it shows.
    void RunCommand(std::vector<ModalScript::Step> steps) {
        ModalScript script([this] { return dialog.get(); }, std::move(steps));
        main->AskForOptions(main->MirelMouseImage3State_options);
        EXPECT_EQ(script.Left(), 0u);
        EXPECT_FALSE(script.ClosedUnplanned()) << "a dialog was shown that no step expected";
    }

    static ModalScript::Step Choose(std::u16string baseName) {
        return [baseName](TForm_Options& d) {
            const int row = RowOf(d, baseName);
            ASSERT_GE(row, 0);
            d.ListView_Options_Language->SetSelected(row);
            d.PellButton_Ok->Click();
        };
    }
    static ModalScript::Step PressOk() {
        return [](TForm_Options& d) { d.PellButton_Ok->Click(); };
    }
    static ModalScript::Step CloseBox() {
        return [](TForm_Options& d) { PostMessageW(d.Handle(), WM_CLOSE, 0, 0); };
    }
    static ModalScript::Step PressEscape() {
        return [](TForm_Options& d) { PostMessageW(d.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); };
    }
    static ModalScript::Step PressReset() {
        return [](TForm_Options& d) { d.PellButton_Reset->Click(); };
    }

    toolkit::TComponent application;
    std::unique_ptr<TForm_KT7> main;
    std::unique_ptr<TForm_Options> dialog;
    std::vector<std::u16string> notices;
};

TEST_F(OptionsCommand, AnotherLanguageAsksForARestartAfterEveryClosingUntilTheRestart) {
    const std::u16string notice = lang::Msg(u"MESSAGEHTML_OPTIONS_SKINORLANG_CHANGED");
    ASSERT_FALSE(notice.empty());
    struct Round {
        const char* what;
        ModalScript::Step step;
        bool noticeShown;
    } rounds[] = {
        {"the running language", Choose(u"en-us"), false},
        {"another language", Choose(u"de-de"), true},
        {"Ok without a choice", PressOk(), true},
        {"the close box", CloseBox(), true},
        {"Escape", PressEscape(), true},
    };
    for (Round& r : rounds) {
        SCOPED_TRACE(r.what);
        notices.clear();
        RunCommand({r.step});
        if (r.noticeShown) {
            ASSERT_EQ(notices.size(), 1u);
            EXPECT_EQ(notices[0], notice);
        } else {
            EXPECT_TRUE(notices.empty());
        }
    }
}

TEST_F(OptionsCommand, OnlyOkStores) {
    struct Case {
        const char* what;
        ModalScript::Step close;
        bool stored;
    } cases[] = {
        {"close box", CloseBox(), false},
        {"Escape", PressEscape(), false},
        {"Ok", PressOk(), true},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reg_DeleteKey(RegRoot::LocalMachine, kOptionsKey);
        RunCommand({[&](TForm_Options& d) {
            SetWindowTextW(d.Edit_ORV_Docs->Handle(), L"PDF");
            c.close(d);
        }});
        EXPECT_EQ(OptionExists(settings::kDocuments), c.stored);
        EXPECT_EQ(OptionExists(settings::kAudio), c.stored);
    }
}

TEST_F(OptionsCommand, ResetAnsweredNoChangesNothing) {
    Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kAudio, u"FLAC");
    WriteText(folder + u"\\data\\DC-Files2.txt", "mine");
    WriteText(folder + u"\\data\\DC-Files2_default.txt", "default");
    answer = 7;
    TForm_Options* first = dialog.get();
    RunCommand({PressReset(), CloseBox()});
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], lang::Msg(u"MESSAGEHTML_OPTIONS_ASKER_SURETORESET"));
    EXPECT_EQ(dialog.get(), first);
    EXPECT_FALSE(dialog->SIGNAL_RECREATE_FORM());
    EXPECT_EQ(Options(settings::kAudio), u"FLAC");
    EXPECT_EQ(ReadText(folder + u"\\data\\DC-Files2.txt"), "mine");
}

TEST_F(OptionsCommand, ResetAnsweredYesDeletesTheOptionsAndShowsAFreshDialogAtOnce) {
    Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kAudio, u"FLAC");
    Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, settings::kForceLanguage, u"de-de");
    Reg_WriteInteger(RegRoot::LocalMachine, settings::kContextMenusKey, u"Hide_FW", 1);
    WriteText(folder + u"\\data\\DC-Files2.txt", "mine");
    WriteText(folder + u"\\data\\DC-Files2_default.txt", "default files");
    WriteText(folder + u"\\data\\DC-Folders2.txt", "my folders");  // its default is missing
    answer = 6;
    std::optional<std::u16string> audioShownAfterReset;
    RunCommand({PressReset(), [&](TForm_Options& d) {
                    audioShownAfterReset = d.Edit_ORV_Audio->Text();
                    d.Close();
                }});
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, kOptionsKey));
    EXPECT_TRUE(Reg_ValueExists(RegRoot::LocalMachine, settings::kContextMenusKey, u"Hide_FW"));
    EXPECT_EQ(ReadText(folder + u"\\data\\DC-Files2.txt"), "default files");
    EXPECT_EQ(ReadText(folder + u"\\data\\DC-Folders2.txt"), "my folders");
    ASSERT_TRUE(audioShownAfterReset.has_value()) << "no dialog came back after the reset";
    EXPECT_EQ(*audioShownAfterReset, DefaultOf(kOptionsKey, settings::kAudio));
    // Closing the new dialog stored nothing and asked for no restart.
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, kOptionsKey));
    EXPECT_TRUE(notices.empty());
}

}  // namespace
}  // namespace orv::app::test
