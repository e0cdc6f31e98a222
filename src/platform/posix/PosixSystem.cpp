// Stand-in for the operating system on native runs: nothing is shown, what would be shown is
// recorded, and only files and dynamic libraries are real.
#include <dlfcn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

#include "core/Text.h"
#include "platform/System.h"
#include "platform/posix/Capture.h"

namespace orv::platform {
namespace {

std::string ToNativePath(std::u16string_view p) {
    std::string s = Utf16ToUtf8(p);
    for (auto& c : s) {
        if (c == '\\') c = '/';
    }
    return s;
}

std::mutex g_mutexNamesLock;
std::set<std::u16string>& MutexNames() {
    static std::set<std::u16string> names;
    return names;
}

class PosixMutex final : public NamedMutex {
public:
    explicit PosixMutex(std::u16string name) : name_(std::move(name)) {}
    ~PosixMutex() override {
        std::lock_guard lock(g_mutexNamesLock);
        MutexNames().erase(name_);
    }

private:
    std::u16string name_;
};

class PosixLibrary final : public Library {
public:
    explicit PosixLibrary(void* handle) : handle_(handle) {}
    ~PosixLibrary() override { dlclose(handle_); }
    void* Symbol(const char* name) const override { return dlsym(handle_, name); }

private:
    void* handle_;
};

int g_boxAnswer = kIdOk;

class PosixSystem final : public System {
public:
    std::unique_ptr<NamedMutex> CreateOwnedMutex(std::u16string_view name,
                                                 bool& alreadyExists) override {
        std::lock_guard lock(g_mutexNamesLock);
        alreadyExists = !MutexNames().insert(std::u16string(name)).second;
        if (alreadyExists) return std::make_unique<NamedMutex>();
        return std::make_unique<PosixMutex>(std::u16string(name));
    }
    AdminCheck IsAdministratorMember() override { return AdminCheck::Member; }
    bool IsWow64() override { return false; }
    bool DisableWow64Redirection(void*&) override { return false; }
    bool RevertWow64Redirection(void*) override { return false; }
    bool EnableWow64Redirection() override { return false; }
    void TrimWorkingSet() override {}
    OsVersion RuntimeVersion() override { return {6, 2, 9200}; }
    OsVersion KernelVersion() override { return {10, 0, 19045}; }
    std::u16string ModulePath() override {
        char buf[4096];
        const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
        std::u16string p = n > 0 ? Utf8ToUtf16(std::string_view(buf, static_cast<size_t>(n)))
                                 : std::u16string();
        for (auto& c : p) {
            if (c == u'/') c = u'\\';
        }
        return p;
    }
    uint32_t TickCount() override {
        using namespace std::chrono;
        return static_cast<uint32_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    void DebugOutput(std::u16string_view line) override {
        posix::CapturedDebugLines().emplace_back(line);
        if (std::getenv("ORVELLA_DEBUG") != nullptr) {
            std::fprintf(stderr, "%s\n", Utf16ToUtf8(line).c_str());
        }
    }
    std::unique_ptr<Library> LoadLibrary(std::u16string_view path) override {
        void* h = dlopen(ToNativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (h == nullptr) return nullptr;
        return std::make_unique<PosixLibrary>(h);
    }
    int MessageBox(WindowHandle, std::u16string_view text, std::u16string_view caption,
                   uint32_t flags) override {
        posix::CapturedMessageBoxes().push_back(
            {std::u16string(text), std::u16string(caption), flags});
        return g_boxAnswer;
    }
    bool ActivateWindowOfClass(std::u16string_view) override { return false; }
    void ProcessMessages() override {}
    int RunMessageLoop() override { return quitCode_; }
    void PostQuit(int code) override {
        quit_ = true;
        quitCode_ = code;
    }
    bool QuitRequested() override { return quit_; }
    uint32_t DriveType(std::u16string_view) override { return kDriveNoRootDir; }
    bool DriveTotalSize(std::u16string_view, uint64_t&) override { return false; }

private:
    bool quit_ = false;
    int quitCode_ = 0;
};

System* g_replacement = nullptr;

}  // namespace

System& DefaultSystem() {
    static PosixSystem instance;
    return instance;
}
System& Sys() { return g_replacement != nullptr ? *g_replacement : DefaultSystem(); }
void SetSystem(System* replacement) { g_replacement = replacement; }

namespace posix {
std::vector<std::u16string>& CapturedDebugLines() {
    static std::vector<std::u16string> lines;
    return lines;
}
std::vector<CapturedBox>& CapturedMessageBoxes() {
    static std::vector<CapturedBox> boxes;
    return boxes;
}
void SetMessageBoxAnswer(int answer) { g_boxAnswer = answer; }
void ClearCaptures() {
    CapturedDebugLines().clear();
    CapturedMessageBoxes().clear();
    CapturedShellCalls().clear();
}
}  // namespace posix

}  // namespace orv::platform
