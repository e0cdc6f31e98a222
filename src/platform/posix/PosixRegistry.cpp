#include "core/Text.h"
#include "platform/RegistryText.h"
#include "platform/posix/MemoryRegistry.h"

namespace orv::platform {
namespace posix {
namespace {

std::u16string RootName(RegRoot root) {
    switch (root) {
        case RegRoot::LocalMachine:
            return u"HKLM";
        case RegRoot::CurrentUser:
            return u"HKCU";
        case RegRoot::ClassesRoot:
            return u"HKCR";
    }
    return u"?";
}

// Upper-cased path without leading, trailing or doubled backslashes.
std::u16string NormalPath(std::u16string_view key) {
    std::u16string p;
    for (char16_t c : UpperAscii(key)) {
        if (c == u'\\' && (p.empty() || p.back() == u'\\')) continue;
        p.push_back(c);
    }
    while (!p.empty() && p.back() == u'\\') p.pop_back();
    return p;
}

std::u16string KeyId(RegRoot root, std::u16string_view key) {
    const std::u16string path = NormalPath(key);
    return path.empty() ? RootName(root) : RootName(root) + u"\\" + path;
}

bool IsSameOrBelow(const std::u16string& id, const std::u16string& base) {
    return id == base ||
           (id.size() > base.size() && id.starts_with(base) && id[base.size()] == u'\\');
}

}  // namespace

const RegValue* MemoryRegistry::Find(RegRoot root, std::u16string_view key,
                                     std::u16string_view name) const {
    auto k = keys_.find(KeyId(root, key));
    if (k == keys_.end()) return nullptr;
    auto v = k->second.values.find(UpperAscii(name));
    return v == k->second.values.end() ? nullptr : &v->second;
}

MemoryRegistry::Key& MemoryRegistry::Create(RegRoot root, std::u16string_view key) {
    return keys_[KeyId(root, key)];
}

bool MemoryRegistry::KeyExists(RegRoot root, std::u16string_view key) {
    const std::u16string id = KeyId(root, key);
    // Sub-keys sort after the key but not necessarily right after it ("A B" < "A\\B").
    for (auto it = keys_.lower_bound(id); it != keys_.end() && it->first.starts_with(id); ++it) {
        if (IsSameOrBelow(it->first, id)) return true;
    }
    return false;
}

bool MemoryRegistry::ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) {
    return Find(root, key, name) != nullptr;
}

bool MemoryRegistry::ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                                std::u16string& out) {
    const RegValue* v = Find(root, key, name);
    if (v == nullptr || (v->type != kRegSz && v->type != kRegExpandSz)) return false;
    out = RegStringFromBytes(v->data.data(), v->data.size());
    return true;
}

bool MemoryRegistry::ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                                 uint32_t& out) {
    const RegValue* v = Find(root, key, name);
    if (v == nullptr || v->type != kRegDword || v->data.size() != 4) return false;
    out = v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (uint32_t{v->data[3]} << 24);
    return true;
}

bool MemoryRegistry::WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                                 std::u16string_view value) {
    Create(root, key).values[UpperAscii(name)] = RegValue{kRegSz, RegBytesFromString(value)};
    return true;
}

bool MemoryRegistry::WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                                  uint32_t value) {
    RegValue v{kRegDword,
               {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)}};
    Create(root, key).values[UpperAscii(name)] = std::move(v);
    return true;
}

bool MemoryRegistry::DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) {
    auto it = keys_.find(KeyId(root, key));
    return it != keys_.end() && it->second.values.erase(UpperAscii(name)) != 0;
}

bool MemoryRegistry::DeleteKey(RegRoot root, std::u16string_view key) {
    // Deleting a whole root is never what a caller means.
    if (NormalPath(key).empty()) return false;
    const std::u16string id = KeyId(root, key);
    bool any = false;
    for (auto it = keys_.lower_bound(id); it != keys_.end() && it->first.starts_with(id);) {
        if (IsSameOrBelow(it->first, id)) {
            it = keys_.erase(it);
            any = true;
        } else {
            ++it;
        }
    }
    return any;
}

void MemoryRegistry::Put(RegRoot root, std::u16string_view key, std::u16string_view name,
                         RegValue value) {
    Create(root, key).values[UpperAscii(name)] = std::move(value);
}

}  // namespace posix

namespace {
Registry* g_replacement = nullptr;
}  // namespace

Registry& DefaultRegistry() {
    static posix::MemoryRegistry instance;
    return instance;
}
Registry& Reg() {
    return g_replacement != nullptr ? *g_replacement : DefaultRegistry();
}
void SetRegistry(Registry* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
