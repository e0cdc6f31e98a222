#pragma once
// Registry access. The program reads and writes HKEY_LOCAL_MACHINE in the 64-bit view on
// 64-bit Windows; the POSIX stand-in is an in-memory registry.
#include <cstdint>
#include <string>
#include <string_view>

// RegRoot is shared with the raw backend of the registry layer.
#include "platform/RegistryBackend.h"

namespace orv::platform {

class Registry {
  public:
    virtual ~Registry() = default;
    // True when the key opens for reading.
    virtual bool KeyExists(RegRoot root, std::u16string_view key) = 0;
    virtual bool ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) = 0;
    // REG_SZ and REG_EXPAND_SZ only, as stored, up to the first terminating zero.
    virtual bool ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                            std::u16string& out) = 0;
    // REG_DWORD only.
    virtual bool ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                             uint32_t& out) = 0;
    // Writers create the key when it is missing. A string is stored with its terminating zero;
    // the empty string as a value of zero bytes.
    virtual bool WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                             std::u16string_view value) = 0;
    virtual bool WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                              uint32_t value) = 0;
    virtual bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) = 0;
    // Deletes the key with all its sub-keys; false when there was no such key. An empty key
    // name (the root itself) is refused.
    virtual bool DeleteKey(RegRoot root, std::u16string_view key) = 0;
};

Registry& Reg();
void SetRegistry(Registry* replacement);
Registry& DefaultRegistry();

}  // namespace orv::platform
