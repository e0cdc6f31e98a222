// Locale queries answered by Windows.
#include <windows.h>

#include "platform/LocaleNames.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace {

LCTYPE TypeOf(LocaleField field) {
    switch (field) {
        case LocaleField::Iso639LanguageName:
            return LOCALE_SISO639LANGNAME;
        case LocaleField::Iso3166CountryName:
            return LOCALE_SISO3166CTRYNAME;
        case LocaleField::AbbrevLanguageName:
            return LOCALE_SABBREVLANGNAME;
        case LocaleField::AbbrevCountryName:
            return LOCALE_SABBREVCTRYNAME;
    }
    return LOCALE_SISO639LANGNAME;
}

class Win32LocaleNames final : public LocaleNames {
  public:
    uint32_t UserDefaultLCID() override { return GetUserDefaultLCID(); }
    uint16_t SystemDefaultLangID() override { return GetSystemDefaultLangID(); }
    bool LocaleInfo(uint32_t lcid, LocaleField field, std::u16string& out) override {
        wchar_t buf[32];
        const int n = GetLocaleInfoW(lcid, TypeOf(field), buf, 32);
        if (n <= 0) {
            out.clear();
            return false;
        }
        out = win32::FromWide(buf, wcsnlen(buf, 32));
        return true;
    }
    std::u16string LanguageName(uint32_t langId) override {
        wchar_t buf[256];
        const DWORD n = VerLanguageNameW(langId, buf, 256);
        if (n == 0) return {};
        return win32::FromWide(buf, wcsnlen(buf, 256));
    }
    std::u16string AnsiToUtf16(std::string_view bytes) override {
        if (bytes.empty()) return {};
        std::u16string out;
        // Decoded in slices: MultiByteToWideChar counts in int.
        constexpr size_t kSlice = size_t{1} << 28;
        for (size_t at = 0; at < bytes.size(); at += kSlice) {
            const auto part = bytes.substr(at, kSlice);
            const int len = static_cast<int>(part.size());
            const int n = MultiByteToWideChar(CP_ACP, 0, part.data(), len, nullptr, 0);
            if (n <= 0) {
                out.append(part.size(), u'\xFFFD');
                continue;
            }
            const size_t old = out.size();
            out.resize(old + static_cast<size_t>(n));
            MultiByteToWideChar(CP_ACP, 0, part.data(), len,
                                reinterpret_cast<wchar_t*>(out.data() + old), n);
        }
        return out;
    }
};

LocaleNames* g_replacement = nullptr;

}  // namespace

LocaleNames& DefaultLocaleNames() {
    static Win32LocaleNames instance;
    return instance;
}
LocaleNames& LocNames() {
    return g_replacement != nullptr ? *g_replacement : DefaultLocaleNames();
}
void SetLocaleNames(LocaleNames* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
