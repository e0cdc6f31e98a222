#pragma once
// The real System on Windows. DefaultSystem() is one instance; tests may make their own to
// start with a fresh message-loop state.
#include "platform/System.h"

namespace orv::platform::win32 {

class Win32System : public System {
  public:
    std::unique_ptr<NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                 bool& alreadyExists) override;
    AdminCheck IsAdministratorMember() override;
    bool IsWow64() override;
    bool DisableWow64Redirection(void*& cookie) override;
    bool RevertWow64Redirection(void* cookie) override;
    bool EnableWow64Redirection() override;
    void TrimWorkingSet() override;
    OsVersion RuntimeVersion() override;
    OsVersion KernelVersion() override;
    std::u16string ModulePath() override;
    uint32_t TickCount() override;
    void DebugOutput(std::u16string_view line) override;
    std::unique_ptr<Library> LoadLibrary(std::u16string_view path) override;

    int MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                   uint32_t flags) override;
    bool ActivateWindowOfClass(std::u16string_view className) override;
    void ProcessMessages() override;
    int RunMessageLoop() override;
    void PostQuit(int code) override;
    bool QuitRequested() override { return quit_; }

    uint32_t DriveType(std::u16string_view root) override;
    bool DriveTotalSize(std::u16string_view root, uint64_t& totalBytes) override;
    uint32_t LogicalDrives() override;
    bool VolumeLabel(std::u16string_view root, std::u16string& label) override;

  private:
    bool quit_ = false;
    int quitCode_ = 0;
};

}  // namespace orv::platform::win32
