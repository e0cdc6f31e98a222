#pragma once
// A program folder of its own for the options dialog (translations, flags, the default skin
// and the stripe copied from the shipped data, plus the two list files a reset restores), a
// clean product key in the registry and the debug lines recorded.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/win32/FormOptions.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "lang/nLang3.h"
#include "platform/SystemForwarder.h"
#include "platform/win32/Win32System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"
#include "skin/SkinCatalogue.h"
#include "skin/stripeskins.h"
#include "skin/win32/Skinning.h"
#include "toolkit/win32/UiThreadWindow.h"

namespace orv::app::test {

inline std::wstring W(const std::u16string& s) {
    return std::wstring(s.begin(), s.end());
}
inline std::u16string U(const std::wstring& s) {
    return std::u16string(s.begin(), s.end());
}

inline std::u16string Backslashed(std::u16string s) {
    for (char16_t& c : s) c = c == u'/' ? u'\\' : c;
    return s;
}

// Copies the files of one folder (not its sub-folders); false when none could be read.
inline bool CopyFiles(const std::u16string& from, const std::u16string& to) {
    CreateDirectoryW(W(to).c_str(), nullptr);
    WIN32_FIND_DATAW f{};
    HANDLE h = FindFirstFileW(W(from + u"\\*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) return false;
    do {
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::u16string name = U(f.cFileName);
        CopyFileW(W(from + u"\\" + name).c_str(), W(to + u"\\" + name).c_str(), FALSE);
    } while (FindNextFileW(h, &f));
    FindClose(h);
    return true;
}

inline bool WriteText(const std::u16string& path, const std::string& text) {
    HANDLE h = CreateFileW(W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return written == text.size();
}

inline std::string ReadText(const std::u16string& path) {
    HANDLE h = CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    char buffer[4096];
    DWORD got = 0;
    ReadFile(h, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(h);
    return std::string(buffer, got);
}

// Dispatches messages for ms milliseconds.
inline void Pump(int ms) {
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

class ProgramFolderFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetSystem(&sys);
        ASSERT_TRUE(toolkit::win32::InstallUiThreadCall());
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = U(temp) + u"orv-options-" + ToDecimal(GetCurrentProcessId());
        CreateDirectoryW(W(folder).c_str(), nullptr);
        const std::u16string data = Backslashed(u"" ORVELLA_DATA_DIR);
        ASSERT_TRUE(CopyFiles(data + u"\\Translation", folder + u"\\Translation"));
        ASSERT_TRUE(CopyFiles(data + u"\\Flags", folder + u"\\Flags"));
        CreateDirectoryW(W(folder + u"\\skins").c_str(), nullptr);
        ASSERT_TRUE(CopyFiles(data + u"\\skins\\default", folder + u"\\skins\\default"));
        CopyFileW(W(data + u"\\skins\\stripe.png").c_str(),
                  W(folder + u"\\skins\\stripe.png").c_str(), FALSE);
        CreateDirectoryW(W(folder + u"\\data").c_str(), nullptr);
        ProgramFolder = folder;
        skinFolder = folder + u"\\skins\\default";
        skin::SkinFolderPath = skinFolder;
        skin::win32::ForgetNaviOverlays();
        ASSERT_GT(stripe.LoadFromStripeFile(folder + u"\\skins\\stripe.png"), 127);

        Reg_DeleteKey(RegRoot::LocalMachine, settings::kProductKey);
        // The program's start-up choice, in English unless a test says otherwise.
        lang::ChooseStartupLanguage(folder);
        UseLanguage(u"en-us");
    }
    void TearDown() override {
        Pump(20);
        Reg_DeleteKey(RegRoot::LocalMachine, settings::kProductKey);
        lang::ResetMessageCatalogue();
        platform::SetSystem(nullptr);
    }

    // Makes a shipped language the running one, as start-up would.
    void UseLanguage(const std::u16string& baseName) {
        const int at = lang::IndexOfIgnoreCase(lang::AvailableFileNames, baseName);
        ASSERT_GE(at, 0) << "no translation " << std::string(baseName.begin(), baseName.end());
        lang::CurrentLanguageFile = lang::AvailableFileNames[static_cast<size_t>(at)];
        lang::CurrentLCID = static_cast<int32_t>(
            lang::LanguageTagToLCID(lang::AvailableTags[static_cast<size_t>(at)]));
        lang::ResetMessageCatalogue();
        lang::LOAD_INTERNAL_ONLY(folder + u"\\Translation", lang::CurrentLanguageFile);
    }

    std::unique_ptr<TForm_Options> MakeDialog() {
        auto d = std::make_unique<TForm_Options>();
        d->Services.AskYesOrNo = [this](std::u16string_view text, int) {
            questions.emplace_back(text);
            return answer;
        };
        d->Services.OpenLinkTarget = [this](std::u16string_view t) { links.emplace_back(t); };
        d->Services.ConfigureChannels = [this](HWND w) { channelWindow = w; };
        d->Services.CurrentModuleClassName = [this] { return modulePage; };
        EXPECT_TRUE(d->Create(nullptr, skinFolder, folder, &stripe));
        return d;
    }

    // The row of the language list that stands for a translation file; -1 when none does.
    static int RowOf(const TForm_Options& d, std::u16string_view baseName) {
        const auto& list = *d.ListView_Options_Language;
        for (int r = 0; r < list.RowCount(); ++r) {
            const std::u16string cell = list.CellText(r, 2);
            const size_t position =
                static_cast<size_t>(std::stoi(std::string(cell.begin(), cell.end())));
            if (position < lang::AvailableFileNames.size() &&
                lang::AvailableFileNames[position] == baseName)
                return r;
        }
        return -1;
    }

    std::u16string Options(std::u16string_view name) {
        return Reg_ReadString(RegRoot::LocalMachine, settings::kOptionsKey, name);
    }
    bool OptionExists(std::u16string_view name) {
        return Reg_ValueExists(RegRoot::LocalMachine, settings::kOptionsKey, name);
    }

    platform::win32::Win32System win32;
    platform::SystemForwarder sys{win32};
    std::u16string folder;
    std::u16string skinFolder;
    skin::TStripeSkinner stripe;
    std::vector<std::u16string> questions;
    std::vector<std::u16string> links;
    HWND channelWindow = nullptr;
    std::u16string modulePage;
    int answer = 7;
};

}  // namespace orv::app::test
