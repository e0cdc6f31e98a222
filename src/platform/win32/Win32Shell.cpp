// Shell icons from SHGetFileInfoW. Each answer is a new HICON that the caller destroys.
#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <string>

#include "platform/Shell.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace {

IconHandle SmallIconOf(const wchar_t* path, DWORD attributes, UINT extraFlags) {
    SHFILEINFOW info{};
    const DWORD_PTR ok = SHGetFileInfoW(path, attributes, &info, sizeof info,
                                        SHGFI_ICON | SHGFI_SMALLICON | extraFlags);
    return ok != 0 ? static_cast<IconHandle>(info.hIcon) : nullptr;
}

class Win32Shell final : public Shell {
  public:
    IconHandle AssociatedSmallIcon(std::u16string_view path) override {
        if (path.size() < MAX_PATH) {
            // The lookup gets a copy of its own in a buffer of the platform's path length.
            wchar_t buf[MAX_PATH] = {};
            for (size_t i = 0; i < path.size(); ++i) buf[i] = static_cast<wchar_t>(path[i]);
            return SmallIconOf(buf, 0, 0);
        }
        // A longer path does not fit that buffer; the shell may still resolve it.
        const std::wstring wide = win32::Wide(path);
        return SmallIconOf(wide.c_str(), 0, 0);
    }
    IconHandle FileTypeSmallIcon(std::u16string_view extension) override {
        std::wstring name = L"x.";
        name += win32::Wide(extension);
        return SmallIconOf(name.c_str(), FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES);
    }
    void ReleaseIcon(IconHandle icon) override {
        if (icon != nullptr) DestroyIcon(static_cast<HICON>(icon));
    }
};

Shell* g_replacement = nullptr;

}  // namespace

Shell& DefaultShell() {
    static Win32Shell instance;
    return instance;
}
Shell& Shl() {
    return g_replacement != nullptr ? *g_replacement : DefaultShell();
}
void SetShell(Shell* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
