#include "lang/LanguageChoice.h"

#include "core/Text.h"
#include "lang/nLang3.h"
#include "platform/Files.h"
#include "platform/LocaleNames.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::lang {

std::u16string CurrentLanguageFile;
int32_t CurrentLCID = 0;

namespace {

int32_t ParseDecimal(std::u16string_view s) {
    int64_t v = 0;
    for (const char16_t c : s) {
        if (c < u'0' || c > u'9') return 0;
        v = v * 10 + (c - u'0');
        if (v > INT32_MAX) return 0;
    }
    return static_cast<int32_t>(v);
}

void MakeCurrent(int position) {
    const auto i = static_cast<size_t>(position);
    CurrentLanguageFile = AvailableFileNames[i];
    CurrentLCID = ParseDecimal(AvailableLCIDs[i]);
}

// Makes the file of that tag current; false when no file carries it.
bool SelectTag(std::u16string_view tag) {
    const int at = IndexOfIgnoreCase(AvailableTags, tag);
    if (at < 0) return false;
    MakeCurrent(at);
    return true;
}

}  // namespace

void ChooseStartupLanguage(std::u16string_view programFolder) {
    const std::u16string language = LowerAscii(GetUserLanguageCode());
    const std::u16string country = LowerAscii(GetUserCountryCode());
    const uint16_t systemLangId = platform::LocNames().SystemDefaultLangID();

    ScanTranslationFolder(std::u16string(programFolder) + u"\\Translation");

    for (size_t i = 0; i < AvailableTags.size(); ++i) {
        if (AvailableTags[i].starts_with(u"en")) {
            MakeCurrent(static_cast<int>(i));
            break;
        }
    }

    using settings::kForceLanguage;
    using settings::kOptionsKey;
    if (Reg_ValueExists(RegRoot::LocalMachine, kOptionsKey, kForceLanguage)) {
        const std::u16string forced =
            Reg_ReadString(RegRoot::LocalMachine, kOptionsKey, kForceLanguage);
        const int at = IndexOfIgnoreCase(AvailableFileNames, forced);
        if (at >= 0) {
            MakeCurrent(at);
            return;
        }
        Reg_DeleteValue(RegRoot::LocalMachine, kOptionsKey, kForceLanguage);
    }

    if (SelectTag(country.empty() ? language : language + u"-" + country)) return;
    if (SelectTag(language)) return;
    if (systemLangId == 2055 || systemLangId == 3079) {
        if (!SelectTag(u"de-de")) SelectTag(u"de");
    }
}

bool SaveForcedLanguage(std::u16string_view baseName) {
    return Reg_WriteString(RegRoot::LocalMachine, settings::kOptionsKey, settings::kForceLanguage,
                           baseName);
}

std::u16string FindFlagFile(std::u16string_view programFolder, std::u16string_view tag) {
    const std::u16string flags = std::u16string(programFolder) + u"\\Flags\\";
    const std::u16string lang(tag.substr(0, tag.find(u'-')));
    auto& fs = platform::Fs();
    for (const auto& candidate :
         {flags + std::u16string(tag) + u".bmp", flags + lang + u"-" + lang + u".bmp"}) {
        if (fs.FileExists(candidate)) return candidate;
    }
    const auto matches = fs.ListFiles(flags, lang + u"-*.bmp");
    return matches.empty() ? std::u16string() : flags + matches.front();
}

std::u16string TranslatorName(std::u16string_view programFolder, size_t position) {
    if (position >= AvailableFileNames.size()) return {};
    const std::u16string folder = std::u16string(programFolder) + u"\\Translation\\";
    TLang lang;
    lang.Load_Translation(folder + AvailableFileNames[position] + u".nlang3",
                          folder + u"index.txt");
    return lang.Get_StringW(u"MESSAGES", u"MESSAGE_TRANSLATOR_NAME", false);
}

std::vector<LanguageMenuItem> LanguageMenuItems(std::u16string_view programFolder) {
    std::vector<LanguageMenuItem> items;
    for (size_t i = 0; i < AvailableLCIDs.size(); ++i) {
        LanguageMenuItem item;
        item.lcid = ParseDecimal(AvailableLCIDs[i]);
        item.caption = GetLanguageDisplayName(item.lcid);
        item.helpContext = static_cast<int32_t>(i + 1);
        item.checked = item.lcid == CurrentLCID;
        item.flagFile = FindFlagFile(programFolder, AvailableTags[i]);
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace orv::lang
