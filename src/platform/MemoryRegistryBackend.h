#pragma once
// An in-memory registry that keeps types and raw bytes like the real one. Each view is a tree of
// its own, as the 32-bit and 64-bit branches of a 64-bit Windows registry are.
#include <map>
#include <string>

#include "platform/RegistryBackend.h"

namespace orv::platform {

class MemoryRegistryBackend : public RegistryBackend {
public:
    bool KeyExists(RegRoot root, std::u16string_view key, uint32_t view) override;
    bool QueryValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                    uint32_t view, RegValue& out) override;
    bool SetValue(RegRoot root, std::u16string_view key, std::u16string_view name, uint32_t view,
                  uint32_t type, const uint8_t* data, size_t size) override;
    bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t view) override;
    bool DeleteTree(RegRoot root, std::u16string_view key, uint32_t view) override;
    bool HasDeleteKeyEx() override { return hasDeleteKeyEx_; }
    bool DeleteKeyEx(RegRoot root, std::u16string_view key, uint32_t view) override;

    void SetHasDeleteKeyEx(bool has) { hasDeleteKeyEx_ = has; }
    // Makes every write and deletion fail, as for a process without write access.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // The view flags of the last call, for checking what the layer passes.
    uint32_t LastView() const { return lastView_; }
    void Clear() { keys_.clear(); }

private:
    struct Key {
        std::map<std::u16string, RegValue> values;  // by upper-cased name
    };
    using Tree = std::map<std::u16string, Key>;  // by upper-cased path
    Tree& TreeOf(RegRoot root, uint32_t view);
    static std::u16string Path(std::u16string_view key);

    std::map<std::pair<int, bool>, Tree> keys_;
    bool hasDeleteKeyEx_ = true;
    bool readOnly_ = false;
    uint32_t lastView_ = 0;
};

}  // namespace orv::platform
