#include "core/Text.h"

namespace orv {

std::u16string Utf8ToUtf16(std::string_view s) {
    // Invalid sequences (bad continuation bytes, overlong forms, encoded surrogates, values
    // beyond U+10FFFF, truncation) each become one U+FFFD and decoding goes on after the lead.
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(c);
            ++i;
            continue;
        }
        size_t len = 0;
        uint32_t cp = 0, min = 0;
        if ((c & 0xE0) == 0xC0) {
            len = 2, cp = c & 0x1F, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3, cp = c & 0x0F, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4, cp = c & 0x07, min = 0x10000;
        }
        bool ok = len != 0 && i + len <= s.size();
        for (size_t k = 1; ok && k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            ok = (cc & 0xC0) == 0x80;
            cp = (cp << 6) | (cc & 0x3F);
        }
        ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp < 0xE000);
        if (!ok) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t cp = s[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp < 0xE000) {
            cp = 0xFFFD;  // lone surrogate
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string UpperAscii(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    }
    return out;
}

bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i], y = b[i];
        if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
        if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::u16string ToDecimal(int64_t v) {
    char16_t buf[24];
    int n = 0;
    const bool neg = v < 0;
    uint64_t u = neg ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
    do {
        buf[n++] = static_cast<char16_t>(u'0' + u % 10);
        u /= 10;
    } while (u != 0);
    std::u16string out;
    if (neg) out.push_back(u'-');
    while (n > 0) out.push_back(buf[--n]);
    return out;
}

std::u16string ToDecimalUnsigned(uint64_t v) {
    char16_t buf[24];
    int n = 0;
    do {
        buf[n++] = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    std::u16string out;
    while (n > 0) out.push_back(buf[--n]);
    return out;
}

std::u16string_view TrimBlanks(std::u16string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] <= u' ') ++b;
    while (e > b && s[e - 1] <= u' ') --e;
    return s.substr(b, e - b);
}

}  // namespace orv
