#include "platform/MemoryRegistryBackend.h"

#include "core/Text.h"

namespace orv::platform {

std::u16string MemoryRegistryBackend::Path(std::u16string_view key) {
    std::u16string p = UpperAscii(key);
    while (!p.empty() && p.front() == u'\\') p.erase(p.begin());
    while (!p.empty() && p.back() == u'\\') p.pop_back();
    return p;
}

MemoryRegistryBackend::Tree& MemoryRegistryBackend::TreeOf(RegRoot root, uint32_t view) {
    lastView_ = view;
    return keys_[{static_cast<int>(root), (view & kView64) != 0}];
}

bool MemoryRegistryBackend::KeyExists(RegRoot root, std::u16string_view key, uint32_t view) {
    const Tree& t = TreeOf(root, view);
    return t.count(Path(key)) != 0;
}

bool MemoryRegistryBackend::QueryValue(RegRoot root, std::u16string_view key,
                                       std::u16string_view name, uint32_t view, RegValue& out) {
    const Tree& t = TreeOf(root, view);
    auto k = t.find(Path(key));
    if (k == t.end()) return false;
    auto v = k->second.values.find(UpperAscii(name));
    if (v == k->second.values.end()) return false;
    out = v->second;
    return true;
}

bool MemoryRegistryBackend::SetValue(RegRoot root, std::u16string_view key,
                                     std::u16string_view name, uint32_t view, uint32_t type,
                                     const uint8_t* data, size_t size) {
    Tree& t = TreeOf(root, view);
    if (readOnly_) return false;
    // Creating a key creates its missing ancestors, as RegCreateKeyEx does.
    const std::u16string p = Path(key);
    for (size_t i = p.find(u'\\'); i != std::u16string::npos; i = p.find(u'\\', i + 1)) {
        t[p.substr(0, i)];
    }
    RegValue& v = t[p].values[UpperAscii(name)];
    v.type = type;
    v.data.assign(data, data + size);
    return true;
}

bool MemoryRegistryBackend::DeleteValue(RegRoot root, std::u16string_view key,
                                        std::u16string_view name, uint32_t view) {
    Tree& t = TreeOf(root, view);
    if (readOnly_) return false;
    auto k = t.find(Path(key));
    return k != t.end() && k->second.values.erase(UpperAscii(name)) != 0;
}

bool MemoryRegistryBackend::DeleteTree(RegRoot root, std::u16string_view key, uint32_t view) {
    Tree& t = TreeOf(root, view);
    if (readOnly_) return false;
    const std::u16string p = Path(key);
    if (p.empty() || t.count(p) == 0) return false;
    const std::u16string prefix = p + u"\\";
    for (auto it = t.begin(); it != t.end();) {
        if (it->first == p || it->first.starts_with(prefix)) {
            it = t.erase(it);
        } else {
            ++it;
        }
    }
    return true;
}

bool MemoryRegistryBackend::DeleteKeyEx(RegRoot root, std::u16string_view key, uint32_t view) {
    if (!hasDeleteKeyEx_) return false;
    Tree& t = TreeOf(root, view);
    if (readOnly_) return false;
    const std::u16string p = Path(key);
    const std::u16string prefix = p + u"\\";
    auto it = t.find(p);
    if (it == t.end()) return false;
    // Like the system call, it removes only a key without sub-keys.
    auto child = t.lower_bound(prefix);
    if (child != t.end() && child->first.starts_with(prefix)) return false;
    t.erase(it);
    return true;
}

}  // namespace orv::platform
