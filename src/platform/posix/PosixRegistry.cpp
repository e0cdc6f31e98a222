// In-memory registry for native runs. Key and value names compare without regard to ASCII case,
// as Windows does.
#include <map>
#include <variant>

#include "core/Text.h"
#include "platform/Registry.h"

namespace orv::platform {
namespace {

using Value = std::variant<std::u16string, uint32_t>;
struct Key {
    std::map<std::u16string, Value> values;  // by upper-cased name
};

std::u16string KeyId(RegRoot root, std::u16string_view key) {
    std::u16string id = root == RegRoot::LocalMachine ? u"HKLM\\" : u"HKCU\\";
    id += UpperAscii(key);
    while (!id.empty() && id.back() == u'\\') id.pop_back();
    return id;
}

class MemoryRegistry final : public Registry {
public:
    bool KeyExists(RegRoot root, std::u16string_view key) override {
        return keys_.count(KeyId(root, key)) != 0;
    }
    bool ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) override {
        const Key* k = Find(root, key);
        return k != nullptr && k->values.count(UpperAscii(name)) != 0;
    }
    bool ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                    std::u16string& out) override {
        const Value* v = FindValue(root, key, name);
        if (v == nullptr || !std::holds_alternative<std::u16string>(*v)) return false;
        out = std::get<std::u16string>(*v);
        return true;
    }
    bool ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t& out) override {
        const Value* v = FindValue(root, key, name);
        if (v == nullptr || !std::holds_alternative<uint32_t>(*v)) return false;
        out = std::get<uint32_t>(*v);
        return true;
    }
    bool WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                     std::u16string_view value) override {
        keys_[KeyId(root, key)].values[UpperAscii(name)] = std::u16string(value);
        return true;
    }
    bool WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                      uint32_t value) override {
        keys_[KeyId(root, key)].values[UpperAscii(name)] = value;
        return true;
    }
    bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) override {
        auto it = keys_.find(KeyId(root, key));
        return it != keys_.end() && it->second.values.erase(UpperAscii(name)) != 0;
    }
    bool DeleteKey(RegRoot root, std::u16string_view key) override {
        const std::u16string id = KeyId(root, key);
        bool any = false;
        for (auto it = keys_.begin(); it != keys_.end();) {
            if (it->first == id || it->first.starts_with(id + u"\\")) {
                it = keys_.erase(it);
                any = true;
            } else {
                ++it;
            }
        }
        return any;
    }

private:
    const Key* Find(RegRoot root, std::u16string_view key) const {
        auto it = keys_.find(KeyId(root, key));
        return it == keys_.end() ? nullptr : &it->second;
    }
    const Value* FindValue(RegRoot root, std::u16string_view key, std::u16string_view name) const {
        const Key* k = Find(root, key);
        if (k == nullptr) return nullptr;
        auto it = k->values.find(UpperAscii(name));
        return it == k->values.end() ? nullptr : &it->second;
    }

    std::map<std::u16string, Key> keys_;
};

Registry* g_replacement = nullptr;

}  // namespace

Registry& DefaultRegistry() {
    static MemoryRegistry instance;
    return instance;
}
Registry& Reg() { return g_replacement != nullptr ? *g_replacement : DefaultRegistry(); }
void SetRegistry(Registry* replacement) { g_replacement = replacement; }

}  // namespace orv::platform
