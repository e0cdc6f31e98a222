#pragma once
// The operating-system services the program needs, behind one small interface.
// win32/ holds the real implementation, posix/ the stand-in for native runs; tests derive
// from the active one, override what they need and install it with SetSystem.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// <windows.h> turns these two names into its A/W macros, which would rename the methods below
// in some files and not in others. Include <windows.h> first and call the W functions by name.
#ifdef LoadLibrary
#undef LoadLibrary
#endif
#ifdef MessageBox
#undef MessageBox
#endif

namespace orv::platform {

using WindowHandle = void*;  // HWND on Windows

// MessageBoxExW flags and answers, with the Windows values.
inline constexpr uint32_t kMbOk = 0x00;
inline constexpr uint32_t kMbYesNo = 0x04;
inline constexpr uint32_t kMbIconError = 0x10;
inline constexpr uint32_t kMbIconQuestion = 0x20;
inline constexpr uint32_t kMbIconWarning = 0x30;
inline constexpr uint32_t kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// GetDriveTypeW answers.
inline constexpr uint32_t kDriveUnknown = 0;
inline constexpr uint32_t kDriveNoRootDir = 1;
inline constexpr uint32_t kDriveRemovable = 2;
inline constexpr uint32_t kDriveFixed = 3;
inline constexpr uint32_t kDriveRemote = 4;
inline constexpr uint32_t kDriveCdRom = 5;
inline constexpr uint32_t kDriveRamDisk = 6;

struct OsVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

enum class AdminCheck { Member, NotMember, Error };

// A named mutex held for the life of the object.
class NamedMutex {
  public:
    virtual ~NamedMutex() = default;
};

// A loaded module; unloaded when the object goes.
class Library {
  public:
    virtual ~Library() = default;
    virtual void* Symbol(const char* name) const = 0;
};

class System {
  public:
    virtual ~System() = default;

    // Process and kernel
    // Creates the mutex owned by the caller; alreadyExists tells whether another process had it.
    virtual std::unique_ptr<NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                         bool& alreadyExists) = 0;
    virtual AdminCheck IsAdministratorMember() = 0;
    virtual bool IsWow64() = 0;
    virtual bool DisableWow64Redirection(void*& cookie) = 0;
    virtual bool RevertWow64Redirection(void* cookie) = 0;
    virtual bool EnableWow64Redirection() = 0;
    virtual void TrimWorkingSet() = 0;
    // The version the program's runtime reports (GetVersionExW) and the kernel's (RtlGetVersion).
    virtual OsVersion RuntimeVersion() = 0;
    virtual OsVersion KernelVersion() = 0;
    // Full path of the running executable, with backslashes.
    virtual std::u16string ModulePath() = 0;
    virtual uint32_t TickCount() = 0;
    virtual void DebugOutput(std::u16string_view line) = 0;
    // Loads a module by full path (backslashes); null when it cannot be loaded.
    virtual std::unique_ptr<Library> LoadLibrary(std::u16string_view path) = 0;

    // User interface
    virtual int MessageBox(WindowHandle owner, std::u16string_view text,
                           std::u16string_view caption, uint32_t flags) = 0;
    // Restores and activates the top-level window of that class; false when there is none.
    virtual bool ActivateWindowOfClass(std::u16string_view className) = 0;
    // Dispatches the pending window messages and returns; remembers a quit request.
    virtual void ProcessMessages() = 0;
    // Runs the message loop until the application quits; returns the quit code.
    virtual int RunMessageLoop() = 0;
    virtual void PostQuit(int code) = 0;
    virtual bool QuitRequested() = 0;

    // Drives, by root ("C:\")
    virtual uint32_t DriveType(std::u16string_view root) = 0;
    virtual bool DriveTotalSize(std::u16string_view root, uint64_t& totalBytes) = 0;
    // The drives that exist, bit 0 for A: (GetLogicalDrives); none unless overridden.
    virtual uint32_t LogicalDrives() { return 0; }
    // The volume label of a root; false (label empty) when the volume cannot be asked, such as
    // a drive without medium.
    virtual bool VolumeLabel(std::u16string_view root, std::u16string& label) {
        (void)root;
        label.clear();
        return false;
    }
};

System& Sys();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetSystem(System* replacement);
// The built-in implementation of this build (Win32, or the POSIX stand-in).
System& DefaultSystem();

// Shorthand for the one debug-output channel.
inline void DebugOutput(std::u16string_view line) {
    Sys().DebugOutput(line);
}

}  // namespace orv::platform
