#include "settings/pell_REG.h"

#include <cstring>

#include "core/Text.h"
#include "platform/System.h"

namespace orv {
namespace {

bool g_use64 = false;
bool g_decided = false;
platform::RegistryBackend* g_backend = nullptr;

platform::RegistryBackend& Backend() {
    return g_backend != nullptr ? *g_backend : platform::DefaultRegistryBackend();
}
uint32_t View() { return g_use64 ? platform::kView64 : 0; }

// Little-endian number from at most eight bytes.
uint64_t LittleEndian(const std::vector<uint8_t>& d) {
    uint64_t v = 0;
    for (size_t i = d.size(); i > 0; --i) v = (v << 8) | d[i - 1];
    return v;
}

// The bytes of a string value as UTF-16 units; an odd last byte is dropped.
std::u16string Units(const std::vector<uint8_t>& d) {
    std::u16string s(d.size() / 2, u'\0');
    for (size_t i = 0; i < s.size(); ++i) {
        s[i] = static_cast<char16_t>(d[2 * i] | (d[2 * i + 1] << 8));
    }
    return s;
}

bool ParseInteger(std::u16string_view text, int32_t& out) {
    text = TrimBlanks(text);
    if (text.empty()) return false;
    bool neg = false;
    size_t i = 0;
    if (text[0] == u'+' || text[0] == u'-') {
        neg = text[0] == u'-';
        i = 1;
    }
    if (i == text.size()) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9') return false;
        v = v * 10 + (text[i] - u'0');
        if (v > 2147483648LL) return false;
    }
    if (neg) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    out = static_cast<int32_t>(v);
    return true;
}

}  // namespace

void Reg_Startup() {
    if (g_decided) return;
    g_use64 = platform::Sys().IsWow64();
    g_decided = true;
    // The backend looks up the view-aware key deletion when it is made.
    Backend().HasDeleteKeyEx();
}

void Reg_Configure(bool use64BitView, platform::RegistryBackend* backend) {
    g_use64 = use64BitView;
    g_backend = backend;
    g_decided = true;
}

bool Reg_Uses64BitView() { return g_use64; }

bool Reg_KeyExists(RegRoot root, std::u16string_view key) {
    return Backend().KeyExists(root, key, View());
}

bool Reg_ValueExists(RegRoot root, std::u16string_view key, std::u16string_view name) {
    platform::RegValue v;
    return Backend().QueryValue(root, key, name, View(), v);
}

std::u16string Reg_ReadString(RegRoot root, std::u16string_view key, std::u16string_view name) {
    platform::RegValue v;
    if (!Backend().QueryValue(root, key, name, View(), v)) return {};
    switch (v.type) {
        case platform::kRegSz:
        case platform::kRegExpandSz: {
            std::u16string s = Units(v.data);
            const size_t zero = s.find(u'\0');
            if (zero != std::u16string::npos) s.resize(zero);
            return s;
        }
        case platform::kRegMultiSz: {
            // As stored: the strings with the zeros between them, without the final terminator.
            std::u16string s = Units(v.data);
            if (!s.empty() && s.back() == u'\0') s.pop_back();
            return s;
        }
        case platform::kRegDword:
            if (v.data.size() > 4) return {};
            return ToDecimalUnsigned(LittleEndian(v.data));
        case platform::kRegQword:
            if (v.data.size() > 8) return {};
            return ToDecimalUnsigned(LittleEndian(v.data));
        default:
            return {};
    }
}

int32_t Reg_ReadInteger(RegRoot root, std::u16string_view key, std::u16string_view name) {
    platform::RegValue v;
    if (!Backend().QueryValue(root, key, name, View(), v)) return 0;
    switch (v.type) {
        case platform::kRegSz: {
            std::u16string s = Units(v.data);
            const size_t zero = s.find(u'\0');
            if (zero != std::u16string::npos) s.resize(zero);
            int32_t n = 0;
            return ParseInteger(s, n) ? n : 0;
        }
        case platform::kRegDword:
        case platform::kRegBinary:
        case platform::kRegNone:
            return v.data.size() <= 4 ? static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(v.data)))
                                      : 0;
        case platform::kRegQword:
            return v.data.size() <= 8 ? static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(v.data)))
                                      : 0;
        default:
            return 0;
    }
}

bool Reg_WriteString(RegRoot root, std::u16string_view key, std::u16string_view name,
                     std::u16string_view text) {
    std::vector<uint8_t> bytes;
    if (!text.empty()) {
        bytes.reserve((text.size() + 1) * 2);
        for (char16_t c : text) {
            bytes.push_back(static_cast<uint8_t>(c & 0xFF));
            bytes.push_back(static_cast<uint8_t>(c >> 8));
        }
        bytes.push_back(0);
        bytes.push_back(0);
    }
    return Backend().SetValue(root, key, name, View(), platform::kRegSz, bytes.data(),
                              bytes.size());
}

bool Reg_WriteInteger(RegRoot root, std::u16string_view key, std::u16string_view name,
                      int32_t number) {
    const auto u = static_cast<uint32_t>(number);
    const uint8_t bytes[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                              static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    return Backend().SetValue(root, key, name, View(), platform::kRegDword, bytes, 4);
}

bool Reg_DeleteValue(RegRoot root, std::u16string_view key, std::u16string_view name) {
    return Backend().DeleteValue(root, key, name, View());
}

bool Reg_DeleteKey(RegRoot root, std::u16string_view key) {
    // An empty key names the root itself, which is never deleted.
    if (key.find_first_not_of(u'\\') == std::u16string_view::npos) return false;
    auto& b = Backend();
    b.DeleteTree(root, key, View());
    if (b.KeyExists(root, key, View()) && b.HasDeleteKeyEx()) b.DeleteKeyEx(root, key, View());
    return !b.KeyExists(root, key, View());
}

}  // namespace orv
