#include "app/Environment.h"

#include "app/Globals.h"
#include "core/Text.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::app {
namespace {

std::u16string VersionText(const platform::OsVersion& v) {
    return ToDecimal(v.major) + u"." + ToDecimal(v.minor);
}

}  // namespace

std::u16string FolderOfPath(std::u16string_view path) {
    const size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {};
    return std::u16string(path.substr(0, slash));
}

void DetectEnvironment() {
    auto& sys = platform::Sys();
    RunningUnderWow64 = sys.IsWow64();

    const platform::OsVersion runtime = sys.RuntimeVersion();
    sys.DebugOutput(u"WindowsVersion=" + VersionText(runtime));
    const platform::OsVersion kernel = sys.KernelVersion();
    sys.DebugOutput(u"RTL WindowsVersion=" + VersionText(kernel));
    sys.DebugOutput(u"RTL WindowsVersion Build=" + ToDecimal(kernel.build));

    IsWindows10OrLater = false;
    IsWindows11 = false;
    // Without a manifest entry for them, Windows 10 and 11 report themselves as 6.2 or 6.3
    // to the runtime; the product name and the kernel tell the truth.
    if (runtime.major == 6 && runtime.minor > 3) {
        const std::u16string name = UpperAscii(TrimBlanks(Reg_ReadString(
            RegRoot::LocalMachine, settings::kWindowsVersionKey, settings::kProductName)));
        if (name.find(u"WINDOWS 10") != std::u16string::npos) IsWindows10OrLater = true;
        if (name.find(u"WINDOWS 11") != std::u16string::npos) {
            IsWindows10OrLater = true;
            IsWindows11 = true;
        }
    }
    if (runtime.major > 9) IsWindows10OrLater = true;
    if (runtime.major > 10) IsWindows11 = true;
    // Windows 11 still calls itself 10.0; only its build numbers start at 22000.
    if ((kernel.major >= 10 || runtime.major > 9) && kernel.build >= 22000) {
        IsWindows10OrLater = true;
        IsWindows11 = true;
    }
    if (IsWindows11) sys.DebugOutput(u"Windows 11 detected");

    ProgramFolder = FolderOfPath(sys.ModulePath());
}

}  // namespace orv::app
