#pragma once
// The in-memory registry of native runs. Key and value names compare without regard to ASCII
// case, as Windows does; a key exists as soon as it or one of its sub-keys was written. Tests
// create their own instance (and may override a method to make it fail) and install it with
// SetRegistry.
#include <map>
#include <string>

#include "platform/Registry.h"

namespace orv::platform::posix {

class MemoryRegistry : public Registry {
  public:
    bool KeyExists(RegRoot root, std::u16string_view key) override;
    bool ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) override;
    bool ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                    std::u16string& out) override;
    bool ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t& out) override;
    bool WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                     std::u16string_view value) override;
    bool WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                      uint32_t value) override;
    bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) override;
    bool DeleteKey(RegRoot root, std::u16string_view key) override;

    // Stores a value with any type and bytes, as another program could have left it.
    void Put(RegRoot root, std::u16string_view key, std::u16string_view name, RegValue value);
    void Clear() { keys_.clear(); }

  private:
    struct Key {
        std::map<std::u16string, RegValue> values;  // by upper-cased name
    };
    const RegValue* Find(RegRoot root, std::u16string_view key, std::u16string_view name) const;
    Key& Create(RegRoot root, std::u16string_view key);

    std::map<std::u16string, Key> keys_;  // by root and upper-cased path
};

}  // namespace orv::platform::posix
