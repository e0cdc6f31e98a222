#pragma once
// A System that hands every call to another one (the built-in one unless told otherwise).
// Tests derive from it and override only the calls they want to script or record.
#include "platform/System.h"

namespace orv::platform {

class SystemForwarder : public System {
  public:
    explicit SystemForwarder(System& target = DefaultSystem()) : target_(target) {}

    std::unique_ptr<NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                 bool& alreadyExists) override {
        return target_.CreateOwnedMutex(name, alreadyExists);
    }
    AdminCheck IsAdministratorMember() override { return target_.IsAdministratorMember(); }
    bool IsWow64() override { return target_.IsWow64(); }
    bool DisableWow64Redirection(void*& cookie) override {
        return target_.DisableWow64Redirection(cookie);
    }
    bool RevertWow64Redirection(void* cookie) override {
        return target_.RevertWow64Redirection(cookie);
    }
    bool EnableWow64Redirection() override { return target_.EnableWow64Redirection(); }
    void TrimWorkingSet() override { target_.TrimWorkingSet(); }
    OsVersion RuntimeVersion() override { return target_.RuntimeVersion(); }
    OsVersion KernelVersion() override { return target_.KernelVersion(); }
    std::u16string ModulePath() override { return target_.ModulePath(); }
    uint32_t TickCount() override { return target_.TickCount(); }
    void DebugOutput(std::u16string_view line) override { target_.DebugOutput(line); }
    std::unique_ptr<Library> LoadLibrary(std::u16string_view path) override {
        return target_.LoadLibrary(path);
    }
    int MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption,
                   uint32_t flags) override {
        return target_.MessageBox(owner, text, caption, flags);
    }
    bool ActivateWindowOfClass(std::u16string_view className) override {
        return target_.ActivateWindowOfClass(className);
    }
    void ProcessMessages() override { target_.ProcessMessages(); }
    int RunMessageLoop() override { return target_.RunMessageLoop(); }
    void PostQuit(int code) override { target_.PostQuit(code); }
    bool QuitRequested() override { return target_.QuitRequested(); }
    uint32_t DriveType(std::u16string_view root) override { return target_.DriveType(root); }
    bool DriveTotalSize(std::u16string_view root, uint64_t& totalBytes) override {
        return target_.DriveTotalSize(root, totalBytes);
    }
    uint32_t LogicalDrives() override { return target_.LogicalDrives(); }
    bool VolumeLabel(std::u16string_view root, std::u16string& label) override {
        return target_.VolumeLabel(root, label);
    }

  private:
    System& target_;
};

}  // namespace orv::platform
