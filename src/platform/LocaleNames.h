#pragma once
// The locale queries that language selection needs: the user's and the system's identifiers,
// the ISO and abbreviated names of an identifier, the display name of a language, and the
// system's ANSI code page for text files without a byte-order mark. win32/ asks Windows; the
// POSIX stand-in answers from a table with Windows' answers for the identifiers the program
// knows, and reads ANSI as Windows-1252. Tests install their own with SetLocaleNames.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::platform {

enum class LocaleField {
    Iso639LanguageName,  // LOCALE_SISO639LANGNAME: "de"
    Iso3166CountryName,  // LOCALE_SISO3166CTRYNAME: "DE"
    AbbrevLanguageName,  // LOCALE_SABBREVLANGNAME: "DEU"
    AbbrevCountryName,   // LOCALE_SABBREVCTRYNAME: "DEU"
};

class LocaleNames {
  public:
    virtual ~LocaleNames() = default;
    virtual uint32_t UserDefaultLCID() = 0;      // GetUserDefaultLCID
    virtual uint16_t SystemDefaultLangID() = 0;  // GetSystemDefaultLangID
    // GetLocaleInfoW into a buffer of 32 characters; false when the query fails.
    virtual bool LocaleInfo(uint32_t lcid, LocaleField field, std::u16string& out) = 0;
    // VerLanguageNameW: the language's name in the system's interface language, or empty.
    virtual std::u16string LanguageName(uint32_t langId) = 0;
    // Bytes in the system's ANSI code page as UTF-16; undecodable bytes become U+FFFD.
    virtual std::u16string AnsiToUtf16(std::string_view bytes) = 0;
};

LocaleNames& LocNames();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetLocaleNames(LocaleNames* replacement);
// The built-in implementation of this build.
LocaleNames& DefaultLocaleNames();

}  // namespace orv::platform
