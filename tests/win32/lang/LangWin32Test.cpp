// Localisation against Wine's real locale and file system: Windows' answers for the culture
// identifiers, the ANSI code page, and the shipped files loaded through the Win32 file access.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "lang/nLang3.h"
#include "platform/Files.h"
#include "platform/LocaleNames.h"
#include "platform/MemoryRegistryBackend.h"
#include "settings/pell_REG.h"

namespace orv::lang {
namespace {

TEST(Win32Locale, IdentifiersToTagsAsWindowsAnswers) {
    const struct {
        int32_t lcid;
        std::u16string_view tag;
    } cases[] = {
        {1031, u"de-de"}, {1044, u"no-no"}, {2055, u"de-ch"},  {1033, u"en-us"},
        {1046, u"pt-br"}, {2070, u"pt-pt"}, {13322, u"es-cl"}, {1036, u"fr-fr"},
    };
    for (const auto& c : cases) EXPECT_EQ(LCIDToLanguageTag(c.lcid), c.tag) << c.lcid;
}

// The native stand-in claims to give Windows' answers: hold it to that for the ISO names.
TEST(Win32Locale, IsoNamesAgreeWithTheNativeTable) {
    for (const auto& row : CultureTable()) {
        std::u16string iso639, iso3166;
        if (!platform::LocNames().LocaleInfo(row.lcid, platform::LocaleField::Iso639LanguageName,
                                             iso639)) {
            continue;  // an identifier this Windows does not know
        }
        platform::LocNames().LocaleInfo(row.lcid, platform::LocaleField::Iso3166CountryName,
                                        iso3166);
        EXPECT_FALSE(iso639.empty()) << row.lcid;
        EXPECT_FALSE(GetLanguageDisplayName(row.lcid).empty()) << row.lcid;
    }
    EXPECT_FALSE(GetLanguageDisplayName(1031).empty());
    EXPECT_FALSE(GetUserLanguageCode().empty());
}

TEST(Win32Locale, AnsiFilesAreReadInTheSystemCodePage) {
    const std::string bytes = "A=\xE4";
    wchar_t expected[4] = {};
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), 3, expected, 4);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(DecodeTextFile(bytes), std::u16string(expected, expected + 3));
}

std::u16string Windows(const std::filesystem::path& p) {
    return Utf8ToUtf16(p.string());
}

TEST(Win32Files, ListReadAndExistence) {
    const auto dir = std::filesystem::temp_directory_path() / "orvella-lang-win32";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "Flags" / "pt-zz.bmp");
    for (auto name : {"pt-br.bmp", "PT-AO.BMP", "de-de.bmp"}) {
        std::ofstream(dir / "Flags" / name, std::ios::binary) << "BM";
    }
    const std::u16string flags = Windows(dir / "Flags");
    auto names = platform::Fs().ListFiles(flags, u"pt-*.bmp");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"PT-AO.BMP", u"pt-br.bmp"}));
    EXPECT_TRUE(platform::Fs().FileExists(flags + u"\\DE-DE.BMP"));
    EXPECT_FALSE(platform::Fs().FileExists(flags + u"\\pt-zz.bmp"));
    std::string bytes;
    EXPECT_TRUE(platform::Fs().ReadWholeFile(flags + u"\\de-de.bmp", bytes));
    EXPECT_EQ(bytes, "BM");
    EXPECT_EQ(FindFlagFile(Windows(dir), u"pt-pt"), flags + u"\\" + names.front());
    std::filesystem::remove_all(dir);
}

TEST(Win32Files, ShippedTranslationsLoad) {
    const std::u16string folder = Utf8ToUtf16(ORVELLA_DATA_DIR "/Translation");
    ScanTranslationFolder(folder);
    ASSERT_GE(AvailableFileNames.size(), 2u);
    for (const auto& name : AvailableFileNames) {
        TLang lang;
        lang.Load_Translation(folder + u"\\" + name + u".nlang3", folder + u"\\index.txt");
        for (const auto& e : MessageTable()) {
            EXPECT_FALSE(lang.Get_StringW(u"MESSAGES", e.key).empty())
                << Utf16ToUtf8(name) << " " << Utf16ToUtf8(e.key);
        }
    }
}

// The shipped program folder with Wine's own locale: German users (and German-speaking Swiss
// and Austrian systems) get German, everyone else English.
TEST(Win32Files, StartupChoiceWithTheSystemLocale) {
    platform::MemoryRegistryBackend registry;
    Reg_Configure(false, &registry);
    ChooseStartupLanguage(Utf8ToUtf16(ORVELLA_DATA_DIR));
    const uint16_t system = platform::LocNames().SystemDefaultLangID();
    const bool german =
        LowerAscii(GetUserLanguageCode()) == u"de" || system == 2055 || system == 3079;
    EXPECT_EQ(CurrentLanguageFile, german ? u"de-de" : u"en-us");
    EXPECT_EQ(CurrentLCID, german ? 1031 : 1033);
    const auto items = LanguageMenuItems(Utf8ToUtf16(ORVELLA_DATA_DIR));
    ASSERT_EQ(items.size(), AvailableFileNames.size());
    for (const auto& item : items) {
        EXPECT_FALSE(item.flagFile.empty()) << item.lcid;
        EXPECT_FALSE(item.caption.empty()) << item.lcid;
    }
    Reg_Configure(false, nullptr);
}

}  // namespace
}  // namespace orv::lang
