// The options reset's list files on the Windows file system: a list is replaced by its default
// copy in one step, nothing is left beside it, and a list without a default stays.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/Files.h"
#include "platform/MemoryRegistryBackend.h"
#include "settings/ContextMenuContract.h"
#include "settings/pell_REG.h"

namespace orv::settings {
namespace {

class ProgramFolder {
  public:
    ProgramFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"orvella-reset-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(root_.c_str(), nullptr);
        CreateDirectoryW((root_ + L"\\data").c_str(), nullptr);
    }
    ~ProgramFolder() {
        for (const wchar_t* f : {L"DC-Files2.txt", L"DC-Files2_default.txt", L"DC-Folders2.txt",
                                 L"DC-Folders2_default.txt", L"DC-Files2.txt.new"})
            DeleteFileW((root_ + L"\\data\\" + f).c_str());
        RemoveDirectoryW((root_ + L"\\data").c_str());
        RemoveDirectoryW(root_.c_str());
    }
    void Write(const wchar_t* name, const std::string& text) const {
        HANDLE h = CreateFileW((root_ + L"\\data\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD put = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
        CloseHandle(h);
    }
    std::string Read(const wchar_t* name) const {
        std::string bytes;
        if (!platform::Fs().ReadWholeFile(Path(name), bytes)) return "<missing>";
        return bytes;
    }
    std::u16string Path(const wchar_t* name) const {
        const std::wstring p = root_ + L"\\data\\" + name;
        return std::u16string(p.begin(), p.end());
    }
    std::u16string Root() const { return std::u16string(root_.begin(), root_.end()); }

  private:
    std::wstring root_;
};

TEST(ResetFiles, ListsAreReplacedByTheirDefaultsWhereBothExist) {
    platform::MemoryRegistryBackend registry;
    Reg_Configure(false, &registry);
    ProgramFolder program;
    program.Write(L"DC-Files2.txt", "C:\\edited\r\nC:\\longer than the default\r\n");
    program.Write(L"DC-Files2_default.txt", "; default\r\n");
    program.Write(L"DC-Folders2.txt", "C:\\kept\r\n");
    ResetOptions(program.Root());
    EXPECT_EQ(program.Read(L"DC-Files2.txt"), "; default\r\n") << "the whole file, not a prefix";
    EXPECT_EQ(program.Read(L"DC-Files2_default.txt"), "; default\r\n");
    EXPECT_EQ(program.Read(L"DC-Files2.txt.new"), "<missing>");
    EXPECT_EQ(program.Read(L"DC-Folders2.txt"), "C:\\kept\r\n") << "no default to restore from";
    EXPECT_EQ(program.Read(L"DC-Folders2_default.txt"), "<missing>");
    Reg_Configure(false, nullptr);
}

TEST(ResetFiles, ReplacingFailsCleanlyWhenTheSourceIsMissing) {
    ProgramFolder program;
    program.Write(L"DC-Files2.txt", "mine");
    EXPECT_FALSE(platform::Fs().ReplaceWithCopy(program.Path(L"DC-Files2_default.txt"),
                                                program.Path(L"DC-Files2.txt")));
    EXPECT_EQ(program.Read(L"DC-Files2.txt"), "mine");
    EXPECT_EQ(program.Read(L"DC-Files2.txt.new"), "<missing>");
}

}  // namespace
}  // namespace orv::settings
