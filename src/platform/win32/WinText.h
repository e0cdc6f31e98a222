#pragma once
// wchar_t is UTF-16 on Windows, the same width as char16_t: texts cross the API edge by copy.
#include <string>
#include <string_view>

namespace orv::platform::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

// A zero-terminated copy for the wide API.
inline std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

inline std::u16string FromWide(const wchar_t* s, size_t n) {
    return std::u16string(s, s + n);
}
inline std::u16string FromWide(std::wstring_view s) {
    return FromWide(s.data(), s.size());
}

}  // namespace orv::platform::win32
