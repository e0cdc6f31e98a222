#pragma once
// Raw registry access: typed values as bytes, as the registry keeps them. The registry layer
// (settings/pell_REG) builds the program's conversions on top. Every call opens, uses and closes
// its key; `view` is the access flag that selects a registry view (0 or kView64).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

enum class RegRoot { LocalMachine, CurrentUser, ClassesRoot };

// Value types, with the Windows numbers.
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;
inline constexpr uint32_t kRegQword = 11;

// KEY_WOW64_64KEY: the 64-bit view for a 32-bit process on 64-bit Windows.
inline constexpr uint32_t kView64 = 0x0100;

struct RegValue {
    uint32_t type = kRegNone;
    std::vector<uint8_t> data;
};

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    // True when the key opens for reading.
    virtual bool KeyExists(RegRoot root, std::u16string_view key, uint32_t view) = 0;
    // Opens the key for reading and queries the value.
    virtual bool QueryValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                            uint32_t view, RegValue& out) = 0;
    // Opens the key with full access, creating it when missing, and stores the value.
    virtual bool SetValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                          uint32_t view, uint32_t type, const uint8_t* data, size_t size) = 0;
    virtual bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                             uint32_t view) = 0;
    // Deletes the key and all its sub-keys in the given view.
    virtual bool DeleteTree(RegRoot root, std::u16string_view key, uint32_t view) = 0;
    // The system's view-aware deletion of one key (RegDeleteKeyExW), when the system has it.
    virtual bool HasDeleteKeyEx() = 0;
    virtual bool DeleteKeyEx(RegRoot root, std::u16string_view key, uint32_t view) = 0;
};

// The backend of this build: the Win32 registry, or natively an in-memory one.
RegistryBackend& DefaultRegistryBackend();

}  // namespace orv::platform
