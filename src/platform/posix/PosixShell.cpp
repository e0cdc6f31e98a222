// Native runs have no shell icons: every lookup answers none.
#include "platform/Shell.h"

namespace orv::platform {
namespace {

class PosixShell final : public Shell {
  public:
    IconHandle AssociatedSmallIcon(std::u16string_view) override { return nullptr; }
    IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(IconHandle) override {}
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

}  // namespace orv::platform
