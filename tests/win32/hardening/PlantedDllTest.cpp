// A library planted in the current directory under the name of one the program loads late is
// never loaded once the start-up has restricted the search. The probe starts as the program
// does; without the restriction the same plant in the same place is loaded, which shows the
// test can see a plant at all. Under Wine the names of system libraries resolve to Wine's own
// before the current directory even then, so the plant that shows it is one whose name the
// system does not have.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Folder(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return Folder(path);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Runs the probe with cwd as its current directory and returns its output.
std::string RunProbe(const std::wstring& cwd, const std::wstring& mode,
                     const std::vector<std::wstring>& names) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return "no pipe";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + OwnFolder() + L"\\dll_search_probe.exe\" " + mode;
    for (const auto& n : names) command += L" " + n;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        cwd.c_str(), &si, &pi);
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buf[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
        WaitForSingleObject(pi.hProcess, 30000);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    } else {
        out = "not started";
    }
    CloseHandle(readEnd);
    return out;
}

class PlantedDll : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        cwd_ = std::wstring(temp) + L"orvella_plant_" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(cwd_.c_str(), nullptr);
        const std::wstring plant = OwnFolder() + L"\\planted_dll.dll";
        ASSERT_TRUE(Exists(plant));
        for (const auto& name : kNames) {
            ASSERT_TRUE(CopyFileW(plant.c_str(), (cwd_ + L"\\" + name).c_str(), FALSE));
        }
    }
    void TearDown() override {
        for (const auto& name : kNames) {
            DeleteFileW((cwd_ + L"\\" + name).c_str());
            DeleteFileW((cwd_ + L"\\" + name + L".loaded").c_str());
        }
        RemoveDirectoryW(cwd_.c_str());
    }
    std::vector<std::wstring> Loaded() const {
        std::vector<std::wstring> loaded;
        for (const auto& name : kNames) {
            if (Exists(cwd_ + L"\\" + name + L".loaded")) loaded.push_back(name);
        }
        return loaded;
    }

    // Late-loaded system libraries, and one the system does not have.
    const std::vector<std::wstring> kNames = {L"uxtheme.dll", L"version.dll", L"dwmapi.dll",
                                              L"orvella_absent.dll"};
    std::wstring cwd_;
};

TEST_F(PlantedDll, TheRestrictedStartLoadsNoPlantFromTheCurrentDirectory) {
    const std::string out = RunProbe(cwd_, L"restricted", kNames);
    std::printf("%s", out.c_str());
    EXPECT_NE(out.find("orvella_absent.dll: not loaded"), std::string::npos);
    EXPECT_EQ(Loaded(), std::vector<std::wstring>{});
}

TEST_F(PlantedDll, WithoutTheRestrictionThePlantIsLoaded) {
    const std::string out = RunProbe(cwd_, L"unrestricted", kNames);
    std::printf("%s", out.c_str());
    const std::vector<std::wstring> loaded = Loaded();
    EXPECT_NE(std::find(loaded.begin(), loaded.end(), L"orvella_absent.dll"), loaded.end());
}

// The program itself, started from the planted folder until its main window is up and has
// drawn (user32 loads uxtheme.dll for that).
TEST_F(PlantedDll, TheProgramStartedFromThePlantedFolderLoadsNoPlant) {
    const std::wstring program = OwnFolder() + L"\\orvella.exe";
    if (!Exists(program)) GTEST_SKIP() << "orvella.exe is not built beside the test";
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               cwd_.c_str(), &si, &pi));
    HWND main = nullptr;
    for (int i = 0; i < 300 && main == nullptr; ++i) {
        if (WaitForSingleObject(pi.hProcess, 100) == WAIT_OBJECT_0) break;
        main = FindWindowW(L"TForm_KT7", nullptr);
    }
    EXPECT_NE(main, nullptr) << "the main window did not appear";
    Sleep(1000);
    if (main != nullptr) PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(Loaded(), std::vector<std::wstring>{});
}

}  // namespace
