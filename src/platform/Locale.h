#pragma once
// The user's locale as far as the program's number texts and orderings need it. win32/ asks
// Windows; the POSIX stand-in answers English separators. Tests install their own with
// SetLocale, as with SetSystem.
#include <string>
#include <string_view>
#include <utility>

namespace orv::platform {

class Locale {
  public:
    virtual ~Locale() = default;
    // The user's decimal and thousands separators (LOCALE_SDECIMAL, LOCALE_STHOUSAND).
    virtual std::u16string DecimalSeparator() = 0;
    virtual std::u16string ThousandSeparator() = 0;
    // Upper-cases with the user's locale rules; the result has the length of s.
    virtual std::u16string UpperCase(std::u16string_view s) = 0;
};

Locale& Loc();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetLocale(Locale* replacement);
// The built-in implementation of this build.
Locale& DefaultLocale();

// Fixed separators, upper-casing by the built-in locale: "1,024.0" in English, "1.024,0" in
// German.
class LocaleWithSeparators : public Locale {
  public:
    LocaleWithSeparators(std::u16string decimal, std::u16string thousand)
        : decimal_(std::move(decimal)), thousand_(std::move(thousand)) {}
    std::u16string DecimalSeparator() override { return decimal_; }
    std::u16string ThousandSeparator() override { return thousand_; }
    std::u16string UpperCase(std::u16string_view s) override {
        return DefaultLocale().UpperCase(s);
    }

  private:
    std::u16string decimal_;
    std::u16string thousand_;
};

}  // namespace orv::platform
