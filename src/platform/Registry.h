#pragma once
// Registry access. The program reads and writes HKEY_LOCAL_MACHINE in the 64-bit view on
// 64-bit Windows; the POSIX stand-in is an in-memory registry.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::platform {

enum class RegRoot { LocalMachine, CurrentUser };

class Registry {
public:
    virtual ~Registry() = default;
    virtual bool KeyExists(RegRoot root, std::u16string_view key) = 0;
    virtual bool ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) = 0;
    virtual bool ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                            std::u16string& out) = 0;
    virtual bool ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                             uint32_t& out) = 0;
    // Writers create the key when it is missing.
    virtual bool WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                             std::u16string_view value) = 0;
    virtual bool WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                              uint32_t value) = 0;
    virtual bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) = 0;
    virtual bool DeleteKey(RegRoot root, std::u16string_view key) = 0;
};

Registry& Reg();
void SetRegistry(Registry* replacement);
Registry& DefaultRegistry();

}  // namespace orv::platform
