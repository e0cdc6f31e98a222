// Shell icons from SHGetFileInfoW (each answer is a new HICON that the caller destroys), opening
// through ShellExecuteW and the recycle bin through SHFileOperationW.
#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <string>

#include "core/Text.h"
#include "platform/Shell.h"
#include "platform/ShellPath.h"
#include "platform/System.h"
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
    bool Open(std::u16string_view pathOrAddress) override {
        if (const char16_t* problem = ShellPathProblem(pathOrAddress, false)) {
            DebugOutput(ShellRefusalLine(u"open", problem, pathOrAddress));
            return false;
        }
        // The text is the file to open and nothing else: no parameters, so no command line is
        // ever built from it.
        const std::wstring wide = win32::Wide(pathOrAddress);
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOW));
        if (result > 32) return true;
        DebugOutput(u"Shell: open failed (" + ToDecimal(result) + u"): " +
                    std::u16string(pathOrAddress));
        return false;
    }
    bool MoveToRecycleBin(std::u16string_view path) override {
        if (const char16_t* problem = ShellPathProblem(path, true)) {
            DebugOutput(ShellRefusalLine(u"recycle", problem, path));
            return false;
        }
        // pFrom is a list of paths ended by an empty one: exactly this path, then two zeros.
        std::wstring from = win32::Wide(path);
        from.push_back(L'\0');
        from.push_back(L'\0');
        SHFILEOPSTRUCTW op{};
        op.hwnd = nullptr;
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.pTo = nullptr;
        // No question and no windows of the shell: the caller has asked already and reports.
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        const int result = SHFileOperationW(&op);
        if (result == 0 && !op.fAnyOperationsAborted) return true;
        DebugOutput(u"Shell: recycle failed (" + ToDecimal(result) +
                    (op.fAnyOperationsAborted ? u", aborted" : u"") + u"): " +
                    std::u16string(path));
        return false;
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
