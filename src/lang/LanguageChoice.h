#pragma once
// The display language: chosen once at start (a forced choice, the user's language, German for
// Swiss and Austrian systems, English), the items of the language menu with their flags, and
// the saving of the user's choice for the next start.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv::lang {

// Base name of the translation file in use and its Windows language identifier.
extern std::u16string CurrentLanguageFile;
extern int32_t CurrentLCID;

// Sets both from the translation files in programFolder\Translation.
void ChooseStartupLanguage(std::u16string_view programFolder);
// Stores the base name as the forced language of the next start.
bool SaveForcedLanguage(std::u16string_view baseName);

// One radio item of the language menu, for position helpContext - 1 of the available lists.
struct LanguageMenuItem {
    std::u16string caption;
    int32_t helpContext = 0;
    bool checked = false;
    int32_t lcid = 0;
    std::u16string flagFile;  // full path; empty when no flag exists
};
// The items for the available languages, in list order.
std::vector<LanguageMenuItem> LanguageMenuItems(std::u16string_view programFolder);
// The translator's name in the file at that position of the available lists (column 2 of the
// options dialog's language list), read through a short-lived TLang; empty when it has none.
std::u16string TranslatorName(std::u16string_view programFolder, size_t position);
// The flag bitmap for a culture tag: Flags\tag.bmp, Flags\lang-lang.bmp, the first
// Flags\lang-*.bmp; empty when none exists.
std::u16string FindFlagFile(std::u16string_view programFolder, std::u16string_view tag);

}  // namespace orv::lang
