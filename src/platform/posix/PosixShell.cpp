// Native runs have no shell: every icon lookup answers none, and the actions are recorded for
// tests and fail, after the same checks the Windows shell makes.
#include "platform/Shell.h"
#include "platform/ShellPath.h"
#include "platform/System.h"
#include "platform/posix/Capture.h"

namespace orv::platform {
namespace {

bool Record(std::u16string_view action, std::u16string_view path, bool refuseWildcards) {
    posix::CapturedShellCalls().push_back({std::u16string(action), std::u16string(path)});
    if (const char16_t* problem = ShellPathProblem(path, refuseWildcards))
        DebugOutput(ShellRefusalLine(action, problem, path));
    return false;
}

class PosixShell final : public Shell {
  public:
    IconHandle AssociatedSmallIcon(std::u16string_view) override { return nullptr; }
    IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(IconHandle) override {}
    bool Open(std::u16string_view pathOrAddress) override {
        return Record(u"open", pathOrAddress, false);
    }
    bool MoveToRecycleBin(std::u16string_view path) override {
        return Record(u"recycle", path, true);
    }
};

Shell* g_replacement = nullptr;

}  // namespace

Shell& DefaultShell() {
    static PosixShell instance;
    return instance;
}
Shell& Shl() {
    return g_replacement != nullptr ? *g_replacement : DefaultShell();
}
void SetShell(Shell* replacement) {
    g_replacement = replacement;
}

namespace posix {
std::vector<CapturedShellCall>& CapturedShellCalls() {
    static std::vector<CapturedShellCall> calls;
    return calls;
}
}  // namespace posix

}  // namespace orv::platform
