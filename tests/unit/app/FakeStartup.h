#pragma once
// A scripted system, a recording registry and recording hooks for running start-up natively.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Globals.h"
#include "app/Startup.h"
#include "core/Text.h"
#include "platform/SystemForwarder.h"
#include "platform/MemoryRegistryBackend.h"
#include "settings/pell_REG.h"

namespace orv::app::testing {

using platform::AdminCheck;
using platform::OsVersion;

struct Box {
    platform::WindowHandle owner;
    std::u16string text;
    std::u16string caption;
    uint32_t flags;
};

// Everything that happens, in order: hook names, "box:<text>", "pump", "loop".
using EventLog = std::vector<std::string>;

class FakeSystem : public platform::SystemForwarder {
  public:
    explicit FakeSystem(EventLog& log) : log_(log) {}

    class FakeMutex : public platform::NamedMutex {
      public:
        explicit FakeMutex(bool& alive) : alive_(alive) { alive_ = true; }
        ~FakeMutex() override { alive_ = false; }

      private:
        bool& alive_;
    };

    std::unique_ptr<platform::NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                           bool& alreadyExists) override {
        mutexNames.emplace_back(name);
        alreadyExists = otherInstanceRuns;
        return std::make_unique<FakeMutex>(mutexAlive);
    }
    AdminCheck IsAdministratorMember() override {
        ++adminChecks;
        return admin;
    }
    bool IsWow64() override { return wow64; }
    OsVersion RuntimeVersion() override {
        ++runtimeVersionCalls;
        return runtime;
    }
    OsVersion KernelVersion() override { return kernel; }
    std::u16string ModulePath() override { return modulePath; }
    void DebugOutput(std::u16string_view line) override { debugLines.emplace_back(line); }
    int MessageBox(platform::WindowHandle owner, std::u16string_view text,
                   std::u16string_view caption, uint32_t flags) override {
        boxes.push_back({owner, std::u16string(text), std::u16string(caption), flags});
        log_.push_back("box:" + Utf16ToUtf8(text));
        return platform::kIdOk;
    }
    bool ActivateWindowOfClass(std::u16string_view className) override {
        activated.emplace_back(className);
        return true;
    }
    void ProcessMessages() override {
        log_.push_back("pump");
        ++pumps;
        if (onPump) onPump(pumps);
    }
    int RunMessageLoop() override {
        log_.push_back("loop");
        mutexAliveInLoop = mutexAlive;
        return 0;
    }

    // Script
    bool otherInstanceRuns = false;
    AdminCheck admin = AdminCheck::Member;
    bool wow64 = false;
    OsVersion runtime{10, 0, 19045};
    OsVersion kernel{10, 0, 19045};
    std::u16string modulePath = u"C:\\Apps\\Tool\\prog.exe";
    std::function<void(int pump)> onPump;

    // Record
    std::vector<std::u16string> mutexNames;
    bool mutexAlive = false;
    bool mutexAliveInLoop = false;
    int adminChecks = 0;
    int runtimeVersionCalls = 0;
    int pumps = 0;
    std::vector<std::u16string> debugLines;
    std::vector<Box> boxes;
    std::vector<std::u16string> activated;

  private:
    EventLog& log_;
};

// Records the writes and deletions start-up makes; can refuse writes like a registry without
// write access.
class RecordingRegistry : public platform::MemoryRegistryBackend {
  public:
    bool SetValue(platform::RegRoot root, std::u16string_view key, std::u16string_view name,
                  uint32_t view, uint32_t type, const uint8_t* data, size_t size) override {
        uint32_t value = 0;
        for (size_t i = size; i > 0 && type == platform::kRegDword; --i) value = value << 8 | data[i - 1];
        writes.push_back(Utf16ToUtf8(key) + "|" + Utf16ToUtf8(name) + "=" + std::to_string(value) +
                         (root == platform::RegRoot::LocalMachine ? " HKLM" : ""));
        SetReadOnly(readOnly);
        return MemoryRegistryBackend::SetValue(root, key, name, view, type, data, size);
    }
    bool DeleteValue(platform::RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t view) override {
        deletes.push_back(Utf16ToUtf8(key) + "|" + Utf16ToUtf8(name));
        return MemoryRegistryBackend::DeleteValue(root, key, name, view);
    }
    // Test set-up writes that are not recorded.
    void Put(std::u16string_view key, std::u16string_view name, std::u16string_view text) {
        SetReadOnly(false);
        Reg_WriteString(platform::RegRoot::LocalMachine, key, name, text);
        writes.clear();
    }

    bool readOnly = false;
    std::vector<std::string> writes;
    std::vector<std::string> deletes;
};

// Hooks that append their names to the log; the window hook clears ClosingRequested as the
// real window's creation does.
inline StartupHooks RecordingHooks(EventLog& log, std::u16string& catalogueFolder,
                                   platform::WindowHandle owner = nullptr) {
    StartupHooks h;
    auto rec = [&log](const char* name) { return [&log, name] { log.push_back(name); }; };
    h.InitialiseModules = rec("InitialiseModules");
    h.FinaliseModules = rec("FinaliseModules");
    h.InitialiseApplication = rec("InitialiseApplication");
    h.MessageOwner = [owner] { return owner; };
    h.CreateMainWindow = [&log] {
        log.push_back("CreateMainWindow");
        ClosingRequested = false;
        return true;
    };
    h.SelectLanguage = rec("SelectLanguage");
    h.LoadMessageCatalogue = [&log, &catalogueFolder](std::u16string_view folder) {
        log.push_back("LoadMessageCatalogue");
        catalogueFolder = std::u16string(folder);
    };
    h.TerminateApplication = rec("TerminateApplication");
    h.ChooseSkinFolder = rec("ChooseSkinFolder");
    h.CompleteMainWindow = rec("CompleteMainWindow");
    h.CreateOptionsDialog = rec("CreateOptionsDialog");
    h.RegisterHeaderTooltips = rec("RegisterHeaderTooltips");
    h.ShowMainmenu = rec("ShowMainmenu");
    h.ShowMainmenu_Real = rec("ShowMainmenu_Real");
    h.BringMainWindowToFront = rec("BringMainWindowToFront");
    return h;
}

inline bool Contains(const EventLog& log, const std::string& what) {
    for (const auto& e : log) {
        if (e == what) return true;
    }
    return false;
}

// Installs the fakes for one test and resets the process-wide values.
class StartupFixture {
  public:
    StartupFixture() : sys(log) {
        platform::SetSystem(&sys);
        Reg_Configure(false, &reg);
        ProgramFolder.clear();
        ClosingRequested = false;
        ScanAbortRequested = false;
        IsWindows10OrLater = IsWindows11 = RunningUnderWow64 = false;
        CommandLineArgs.clear();
    }
    ~StartupFixture() {
        platform::SetSystem(nullptr);
        Reg_Configure(false, nullptr);
    }
    int Run(std::vector<std::u16string> args) {
        hooks = RecordingHooks(log, catalogueFolder, owner);
        return RunProgram(std::move(args), hooks);
    }

    EventLog log;
    FakeSystem sys;
    RecordingRegistry reg;
    StartupHooks hooks;
    std::u16string catalogueFolder;
    platform::WindowHandle owner = nullptr;
};

}  // namespace orv::app::testing
