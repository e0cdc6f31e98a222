// The Windows registry as raw typed bytes. Keys are opened per call and closed again.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/RegistryBackend.h"

namespace orv::platform {
namespace {

class Key {
public:
    Key() = default;
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() {
        if (h_ != nullptr) RegCloseKey(h_);
    }
    HKEY* Out() { return &h_; }
    HKEY Get() const { return h_; }

private:
    HKEY h_ = nullptr;
};

HKEY RootKey(RegRoot root) {
    switch (root) {
        case RegRoot::CurrentUser:
            return HKEY_CURRENT_USER;
        case RegRoot::ClassesRoot:
            return HKEY_CLASSES_ROOT;
        case RegRoot::LocalMachine:
        default:
            return HKEY_LOCAL_MACHINE;
    }
}

std::wstring W(std::u16string_view s) { return std::wstring(s.begin(), s.end()); }

bool OpenForRead(RegRoot root, std::u16string_view key, uint32_t view, Key& k) {
    return RegOpenKeyExW(RootKey(root), W(key).c_str(), 0, KEY_READ | view, k.Out()) ==
           ERROR_SUCCESS;
}

using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

DeleteKeyExFn LookUpDeleteKeyEx() {
    HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    if (advapi == nullptr) return nullptr;
    return reinterpret_cast<DeleteKeyExFn>(
        reinterpret_cast<void*>(GetProcAddress(advapi, "RegDeleteKeyExW")));
}

// Deletes one key that has no sub-keys, in the view when the system can.
LONG DeleteLeaf(HKEY parent, const std::wstring& name, uint32_t view, DeleteKeyExFn ex) {
    if (ex != nullptr) return ex(parent, name.c_str(), view, 0);
    return RegDeleteKeyW(parent, name.c_str());
}

bool DeleteRecursive(HKEY parent, const std::wstring& name, uint32_t view, DeleteKeyExFn ex,
                     int depth) {
    if (depth > 512) return false;  // the registry allows 512 levels
    {
        Key k;
        if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | KEY_WRITE | view, k.Out()) !=
            ERROR_SUCCESS) {
            return false;
        }
        // Collect the sub-keys first: enumerating while deleting skips entries.
        std::vector<std::wstring> children;
        for (DWORD i = 0;; ++i) {
            wchar_t buf[256];
            DWORD len = 256;
            const LONG r = RegEnumKeyExW(k.Get(), i, buf, &len, nullptr, nullptr, nullptr, nullptr);
            if (r != ERROR_SUCCESS) break;
            children.emplace_back(buf, len);
        }
        for (const auto& c : children) DeleteRecursive(k.Get(), c, view, ex, depth + 1);
    }
    return DeleteLeaf(parent, name, view, ex) == ERROR_SUCCESS;
}

class Win32RegistryBackend final : public RegistryBackend {
public:
    Win32RegistryBackend() : deleteKeyEx_(LookUpDeleteKeyEx()) {}

    bool KeyExists(RegRoot root, std::u16string_view key, uint32_t view) override {
        Key k;
        return OpenForRead(root, key, view, k);
    }

    bool QueryValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                    uint32_t view, RegValue& out) override {
        Key k;
        if (!OpenForRead(root, key, view, k)) return false;
        const std::wstring n = W(name);
        // The value may change between the size query and the read: retry with the new size.
        for (int attempt = 0; attempt < 4; ++attempt) {
            DWORD type = 0, size = 0;
            if (RegQueryValueExW(k.Get(), n.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS) {
                return false;
            }
            std::vector<uint8_t> data(size);
            DWORD got = size;
            const LONG r = RegQueryValueExW(k.Get(), n.c_str(), nullptr, &type,
                                            size != 0 ? data.data() : nullptr, &got);
            if (r == ERROR_MORE_DATA) continue;
            if (r != ERROR_SUCCESS) return false;
            data.resize(got < size ? got : size);
            out.type = type;
            out.data = std::move(data);
            return true;
        }
        return false;
    }

    bool SetValue(RegRoot root, std::u16string_view key, std::u16string_view name, uint32_t view,
                  uint32_t type, const uint8_t* data, size_t size) override {
        Key k;
        if (RegCreateKeyExW(RootKey(root), W(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS | view, nullptr, k.Out(), nullptr) != ERROR_SUCCESS) {
            return false;
        }
        return RegSetValueExW(k.Get(), W(name).c_str(), 0, type, size != 0 ? data : nullptr,
                              static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

    bool DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name,
                     uint32_t view) override {
        Key k;
        if (RegOpenKeyExW(RootKey(root), W(key).c_str(), 0, KEY_ALL_ACCESS | view, k.Out()) !=
            ERROR_SUCCESS) {
            return false;
        }
        return RegDeleteValueW(k.Get(), W(name).c_str()) == ERROR_SUCCESS;
    }

    bool DeleteTree(RegRoot root, std::u16string_view key, uint32_t view) override {
        std::wstring path = W(key);
        while (!path.empty() && path.back() == L'\\') path.pop_back();
        if (path.empty()) return false;  // never a whole root
        return DeleteRecursive(RootKey(root), path, view, deleteKeyEx_, 0);
    }

    bool HasDeleteKeyEx() override { return deleteKeyEx_ != nullptr; }

    bool DeleteKeyEx(RegRoot root, std::u16string_view key, uint32_t view) override {
        if (deleteKeyEx_ == nullptr) return false;
        return deleteKeyEx_(RootKey(root), W(key).c_str(), view, 0) == ERROR_SUCCESS;
    }

private:
    DeleteKeyExFn deleteKeyEx_;
};

}  // namespace

RegistryBackend& DefaultRegistryBackend() {
    static Win32RegistryBackend instance;
    return instance;
}

}  // namespace orv::platform
