#include "RegistryLayerCases.h"
#include "platform/MemoryRegistryBackend.h"

namespace orv::testing {
std::u16string RegistryTestKey() { return u"SOFTWARE\\OrvellaTest"; }
platform::RegistryBackend& RegistryTestBackend() {
    static platform::MemoryRegistryBackend backend;
    return backend;
}
}  // namespace orv::testing
