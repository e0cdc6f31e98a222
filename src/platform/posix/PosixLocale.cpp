// Stand-in for the user's locale on native runs: English separators and the simple Unicode
// upper-case mapping of the scripts file names commonly use (Latin, Greek, Cyrillic), the
// way Windows upper-cases them in a non-Turkish locale.
#include "platform/Locale.h"

namespace orv::platform {
namespace {

char16_t UpperLatinExtendedA(char16_t c) {
    if (c == 0x0131) return u'I';              // dotless i
    if (c == 0x017F) return u'S';              // long s
    if (c == 0x0138 || c == 0x0149) return c;  // kra, n preceded by apostrophe: no capital
    // Pairs: capital on the even code unit, small on the odd one, except in the two ranges
    // where the pattern is shifted by one.
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) {
        return (c % 2 == 0) ? static_cast<char16_t>(c - 1) : c;
    }
    return (c % 2 == 1) ? static_cast<char16_t>(c - 1) : c;
}

char16_t UpperChar(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
    if (c < 0x100) {
        if (c == 0xB5) return 0x039C;  // micro sign
        if (c == 0xFF) return 0x0178;
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
        return c;  // sharp s has no single capital
    }
    if (c <= 0x017F) return UpperLatinExtendedA(c);
    if (c >= 0x03B1 && c <= 0x03CB && c != 0x03C2) return static_cast<char16_t>(c - 32);
    if (c == 0x03C2) return 0x03A3;  // final sigma
    if (c == 0x03AC) return 0x0386;
    if (c >= 0x03AD && c <= 0x03AF) return static_cast<char16_t>(c - 37);
    if (c == 0x03CC) return 0x038C;
    if (c == 0x03CD || c == 0x03CE) return static_cast<char16_t>(c - 63);
    if (c >= 0x0430 && c <= 0x044F) return static_cast<char16_t>(c - 32);
    if (c >= 0x0450 && c <= 0x045F) return static_cast<char16_t>(c - 80);
    return c;
}

class PosixLocale final : public Locale {
  public:
    std::u16string DecimalSeparator() override { return u"."; }
    std::u16string ThousandSeparator() override { return u","; }
    std::u16string UpperCase(std::u16string_view s) override {
        std::u16string out(s);
        for (auto& c : out) c = UpperChar(c);
        return out;
    }
};

Locale* g_replacement = nullptr;

}  // namespace

Locale& DefaultLocale() {
    static PosixLocale instance;
    return instance;
}
Locale& Loc() {
    return g_replacement != nullptr ? *g_replacement : DefaultLocale();
}
void SetLocale(Locale* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
