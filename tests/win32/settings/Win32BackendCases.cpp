#include <windows.h>

#include "RegistryLayerCases.h"
#include "core/Text.h"

namespace orv::testing {
std::u16string RegistryTestKey() {
    return u"SOFTWARE\\OrvellaTest\\Layer" + ToDecimal(GetCurrentProcessId());
}
platform::RegistryBackend& RegistryTestBackend() { return platform::DefaultRegistryBackend(); }
}  // namespace orv::testing
