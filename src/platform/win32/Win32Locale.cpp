// The user's locale from Windows. The separators are read once, as the program reads its
// format settings at start: a cell is drawn many times a second.
#include <windows.h>

#include <mutex>

#include "platform/Locale.h"
#include "platform/win32/WinText.h"

namespace orv::platform {
namespace {

std::u16string LocaleText(LCTYPE type, std::u16string_view fallback) {
    wchar_t buf[16];
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, 16);
    if (n <= 1) return std::u16string(fallback);
    return win32::FromWide(buf, static_cast<size_t>(n - 1));
}

class Win32Locale final : public Locale {
  public:
    std::u16string DecimalSeparator() override {
        Load();
        return decimal_;
    }
    std::u16string ThousandSeparator() override {
        Load();
        return thousand_;
    }
    std::u16string UpperCase(std::u16string_view s) override {
        std::u16string out(s);
        if (out.empty()) return out;
        // LCMapStringW maps one code unit to one code unit for upper-casing; the text keeps
        // its length, so the copy is mapped in place.
        const int n =
            LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING,
                         reinterpret_cast<const wchar_t*>(s.data()), static_cast<int>(s.size()),
                         reinterpret_cast<wchar_t*>(out.data()), static_cast<int>(out.size()));
        if (n != static_cast<int>(s.size())) {
            out.assign(s);
            CharUpperBuffW(reinterpret_cast<wchar_t*>(out.data()), static_cast<DWORD>(out.size()));
        }
        return out;
    }

  private:
    void Load() {
        std::call_once(loaded_, [this] {
            decimal_ = LocaleText(LOCALE_SDECIMAL, u".");
            thousand_ = LocaleText(LOCALE_STHOUSAND, u",");
        });
    }

    std::once_flag loaded_;
    std::u16string decimal_;
    std::u16string thousand_;
};

Locale* g_replacement = nullptr;

}  // namespace

Locale& DefaultLocale() {
    static Win32Locale instance;
    return instance;
}
Locale& Loc() {
    return g_replacement != nullptr ? *g_replacement : DefaultLocale();
}
void SetLocale(Locale* replacement) {
    g_replacement = replacement;
}

}  // namespace orv::platform
