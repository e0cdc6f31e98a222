#pragma once
// How a string value is laid out in the registry, shared by the real registry and the stand-in.
// A stored value is outside input: it may lack its terminator or end in half a character.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

// The text of REG_SZ / REG_EXPAND_SZ bytes: little-endian UTF-16 up to the first zero unit;
// an odd last byte is dropped.
inline std::u16string RegStringFromBytes(const uint8_t* data, size_t size) {
    std::u16string s;
    s.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == u'\0') break;
        s.push_back(unit);
    }
    return s;
}

// The bytes written for a string: its units and a terminating zero, or nothing for the empty
// string.
inline std::vector<uint8_t> RegBytesFromString(std::u16string_view s) {
    std::vector<uint8_t> bytes;
    if (s.empty()) return bytes;
    bytes.reserve((s.size() + 1) * 2);
    for (char16_t c : s) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

}  // namespace orv::platform
