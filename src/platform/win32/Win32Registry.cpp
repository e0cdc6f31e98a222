// The Windows registry. Every access selects the 64-bit view: a 32-bit build on 64-bit Windows
// then shares its values with 64-bit programs, and 32-bit Windows ignores the flag.
#include <windows.h>

#include <vector>

#include "platform/Registry.h"
#include "platform/RegistryText.h"
#include "platform/win32/WinHandles.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace win32 {
namespace {

constexpr REGSAM kView = KEY_WOW64_64KEY;

HKEY RootKey(RegRoot root) {
    switch (root) {
        case RegRoot::LocalMachine:
            return HKEY_LOCAL_MACHINE;
        case RegRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
    }
    return nullptr;
}

// The key path without leading or trailing backslashes, which the API does not want.
std::wstring KeyPath(std::u16string_view key) {
    while (!key.empty() && key.front() == u'\\') key.remove_prefix(1);
    while (!key.empty() && key.back() == u'\\') key.remove_suffix(1);
    return Wide(key);
}

bool Open(RegRoot root, std::u16string_view key, REGSAM access, RegKey& out) {
    return RegOpenKeyExW(RootKey(root), KeyPath(key).c_str(), 0, access | kView, out.Put()) ==
           ERROR_SUCCESS;
}

bool Create(RegRoot root, std::u16string_view key, REGSAM access, RegKey& out) {
    return RegCreateKeyExW(RootKey(root), KeyPath(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           access | kView, nullptr, out.Put(), nullptr) == ERROR_SUCCESS;
}

// Reads a value whose size may change between the size query and the read.
bool QueryBytes(HKEY key, const std::wstring& name, DWORD& type, std::vector<uint8_t>& data) {
    DWORD size = 0;
    LONG r = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    for (int attempt = 0; attempt < 8 && (r == ERROR_SUCCESS || r == ERROR_MORE_DATA); ++attempt) {
        data.resize(size);
        DWORD got = size;
        r = RegQueryValueExW(key, name.c_str(), nullptr, &type, size ? data.data() : nullptr, &got);
        if (r == ERROR_SUCCESS) {
            data.resize(got);
            return true;
        }
        size = got;
    }
    return false;
}

using RegDeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

bool DeleteSingleKey(HKEY parent, const std::wstring& name) {
    // RegDeleteKeyExW removes the key of the chosen view; Windows without it has one view only.
    static const auto deleteKeyEx =
        SystemFunction<RegDeleteKeyExFn>(L"advapi32.dll", "RegDeleteKeyExW");
    if (deleteKeyEx != nullptr) return deleteKeyEx(parent, name.c_str(), kView, 0) == ERROR_SUCCESS;
    return RegDeleteKeyW(parent, name.c_str()) == ERROR_SUCCESS;
}

// Sub-keys first: the system deletes only keys without sub-keys.
bool DeleteTree(HKEY parent, const std::wstring& name, int depth) {
    if (depth > 512) return false;
    {
        RegKey key;
        if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | kView,
                          key.Put()) != ERROR_SUCCESS) {
            return false;
        }
        DWORD index = 0;
        for (;;) {
            wchar_t child[256];  // key names have at most 255 characters
            DWORD length = 256;
            const LONG r =
                RegEnumKeyExW(key.Get(), index, child, &length, nullptr, nullptr, nullptr, nullptr);
            if (r != ERROR_SUCCESS) break;
            // A sub-key that cannot go is stepped over, so the walk always ends.
            if (!DeleteTree(key.Get(), std::wstring(child, length), depth + 1)) ++index;
        }
    }
    return DeleteSingleKey(parent, name);
}

class Win32Registry final : public Registry {
  public:
    bool KeyExists(RegRoot root, std::u16string_view key) override {
        RegKey k;
        return Open(root, key, KEY_READ, k);
    }

    bool ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) override {
        RegKey k;
        return Open(root, key, KEY_READ, k) &&
               RegQueryValueExW(k.Get(), Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
                   ERROR_SUCCESS;
    }

    bool ReadString(RegRoot root, std::u16string_view key, std::u16string_view name,
                    std::u16string& out) override {
        RegKey k;
        if (!Open(root, key, KEY_READ, k)) return false;
        DWORD type = REG_NONE;
        std::vector<uint8_t> data;
        if (!QueryBytes(k.Get(), Wide(name), type, data)) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        out = RegStringFromBytes(data.data(), data.size());
        return true;
    }

    bool ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t& out) override {
        RegKey k;
        if (!Open(root, key, KEY_READ, k)) return false;
        DWORD type = REG_NONE;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (RegQueryValueExW(k.Get(), Wide(name).c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) {
            return false;
        }
        if (type != REG_DWORD || size != sizeof value) return false;
        out = value;
        return true;
    }

    bool WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                     std::u16string_view value) override {
        RegKey k;
        if (!Create(root, key, KEY_SET_VALUE, k)) return false;
        const std::vector<uint8_t> bytes = RegBytesFromString(value);
        static const BYTE none = 0;
        return RegSetValueExW(k.Get(), Wide(name).c_str(), 0, REG_SZ,
                              bytes.empty() ? &none : bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }

    bool WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                      uint32_t value) override {
        RegKey k;
        if (!Create(root, key, KEY_SET_VALUE, k)) return false;
        const DWORD v = value;
        return RegSetValueExW(k.Get(), Wide(name).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&v), sizeof v) == ERROR_SUCCESS;
    }

    bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) override {
        RegKey k;
        return Open(root, key, KEY_SET_VALUE, k) &&
               RegDeleteValueW(k.Get(), Wide(name).c_str()) == ERROR_SUCCESS;
    }

    bool DeleteKey(RegRoot root, std::u16string_view key) override {
        const std::wstring path = KeyPath(key);
        // An empty path would be the whole root.
        if (path.empty()) return false;
        return DeleteTree(RootKey(root), path, 0);
    }
};

}  // namespace
}  // namespace win32

namespace {
Registry* g_replacement = nullptr;
}  // namespace

Registry& DefaultRegistry() {
    static win32::Win32Registry instance;
    return instance;
}
Registry& Reg() {
    return g_replacement != nullptr ? *g_replacement : DefaultRegistry();
}
void SetRegistry(Registry* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
