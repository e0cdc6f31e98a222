// Native runs have no registry: an in-memory one stands in for it.
#include "platform/MemoryRegistryBackend.h"

namespace orv::platform {

RegistryBackend& DefaultRegistryBackend() {
    static MemoryRegistryBackend instance;
    return instance;
}

}  // namespace orv::platform
