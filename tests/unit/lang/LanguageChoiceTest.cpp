// The start-up choice of the display language, the forced language in the registry, and the
// items of the language menu with their flags.
#include <gtest/gtest.h>

#include "LangTestSupport.h"
#include "settings/RegistryMap.h"

namespace orv::lang::testing {
namespace {

using settings::kForceLanguage;
using settings::kOptionsKey;

struct ChoiceCase {
    const char* what;
    std::vector<std::string> files;  // created in this order
    uint32_t userLcid;
    uint16_t systemLangId;
    const char16_t* forced;  // null: no value
    std::u16string file;
    int32_t lcid;
    bool forcedKept;
};

TEST(LanguageChoice, StartupScenarios) {
    const ChoiceCase cases[] = {
        {"Swiss German user, de-de and en-us",
         {"de-de", "en-us"},
         2055,
         2055,
         nullptr,
         u"de-de",
         1031,
         false},
        {"French user on an Austrian system",
         {"de", "en-us"},
         1036,
         3079,
         nullptr,
         u"de",
         1031,
         false},
        {"Austrian system prefers de-de over de",
         {"de", "de-de", "en-us"},
         1036,
         3079,
         nullptr,
         u"de-de",
         1031,
         false},
        {"German user", {"en-us", "de-de"}, 1031, 1031, nullptr, u"de-de", 1031, false},
        {"French user, French system",
         {"de-de", "en-us"},
         1036,
         1036,
         nullptr,
         u"en-us",
         1033,
         false},
        {"Italian user, no English file", {"de-de", "fr-fr"}, 1040, 1040, nullptr, u"", 0, false},
        {"language alone matches", {"en-us", "fr"}, 3084, 3084, nullptr, u"fr", 1036, false},
        {"forced name in upper case",
         {"de-de", "en-us"},
         1033,
         1033,
         u"DE-DE",
         u"de-de",
         1031,
         true},
        {"forced name without a file",
         {"de-de", "en-us"},
         1031,
         1031,
         u"fr-fr",
         u"de-de",
         1031,
         false},
        {"forced name, no files at all", {}, 1031, 1031, u"de-de", u"", 0, false},
        {"no files", {}, 1031, 2055, nullptr, u"", 0, false},
    };
    for (const auto& c : cases) {
        FreshState state;
        FakeLocaleNames locale(c.userLcid, c.systemLangId);
        TempFolder program;
        program.MakeFolder("Translation");
        for (const auto& f : c.files) program.Write("Translation/" + f + ".nlang3", "x");
        if (c.forced) {
            ASSERT_TRUE(
                Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, kForceLanguage, c.forced));
        }
        ChooseStartupLanguage(program.Path());
        EXPECT_EQ(CurrentLanguageFile, c.file) << c.what;
        EXPECT_EQ(CurrentLCID, c.lcid) << c.what;
        EXPECT_EQ(Reg_ValueExists(RegRoot::LocalMachine, kOptionsKey, kForceLanguage), c.forcedKept)
            << c.what;
    }
}

// Two English files: the first that the file system returns is the default.
TEST(LanguageChoice, FirstEnglishFileInScanOrderIsTheDefault) {
    FreshState state;
    FakeLocaleNames french(1036, 1036);
    TempFolder program;
    program.Write("Translation/en-gb.nlang3", "x");
    program.Write("Translation/en-us.nlang3", "x");
    ChooseStartupLanguage(program.Path());
    ASSERT_EQ(AvailableFileNames.size(), 2u);
    EXPECT_EQ(CurrentLanguageFile, AvailableFileNames[0]);
    EXPECT_EQ(CurrentLCID, AvailableFileNames[0] == u"en-gb" ? 2057 : 1033);
}

TEST(LanguageChoice, SavedChoiceWinsAtTheNextStart) {
    FreshState state;
    FakeLocaleNames german(1031, 1031);
    TempFolder program;
    program.Write("Translation/de-de.nlang3", "x");
    program.Write("Translation/x_en-us.nlang3", "x");
    ASSERT_TRUE(SaveForcedLanguage(u"x_en-us"));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kOptionsKey, kForceLanguage), u"x_en-us");
    ChooseStartupLanguage(program.Path());
    EXPECT_EQ(CurrentLanguageFile, u"x_en-us");
    EXPECT_EQ(CurrentLCID, 1033);
}

TEST(LanguageChoice, FlagSearchOrder) {
    const struct {
        const char* what;
        std::vector<std::string> flags;
        std::u16string_view tag;
        std::string found;  // empty: none
    } cases[] = {
        {"own tag first", {"pt-br.bmp", "pt-pt.bmp"}, u"pt-br", "pt-br.bmp"},
        {"then lang-lang", {"pt-pt.bmp", "pt-ao.bmp"}, u"pt-br", "pt-pt.bmp"},
        {"then any lang-*", {"pt-ao.bmp"}, u"pt-br", "pt-ao.bmp"},
        {"tag without region", {"de-de.bmp"}, u"de", "de-de.bmp"},
        {"case of the file name ignored", {"DE-AT.BMP"}, u"de-ch", "DE-AT.BMP"},
        {"nothing fits", {"fr-fr.bmp", "ptx.bmp"}, u"pt-br", ""},
    };
    for (const auto& c : cases) {
        TempFolder program;
        program.MakeFolder("Flags");
        for (const auto& f : c.flags) program.Write("Flags/" + f, "BM");
        program.MakeFolder("Flags/pt-zz.bmp");  // a folder never counts
        const std::u16string expected =
            c.found.empty() ? u"" : program.Path() + u"\\Flags\\" + Utf8ToUtf16(c.found);
        EXPECT_EQ(FindFlagFile(program.Path(), c.tag), expected) << c.what;
    }
}

TEST(LanguageChoice, MenuItemsCarryCaptionHelpContextCheckAndFlag) {
    FreshState state;
    FakeLocaleNames german(1031, 1031);
    TempFolder program;
    program.Write("Translation/de-de.nlang3", Utf8File({"MESSAGES.MESSAGE_TRANSLATOR_NAME=Anna"}));
    program.Write("Flags/de-de.bmp", "BM");
    ChooseStartupLanguage(program.Path());
    // A second file after the start-up scan would not be listed; add it by scanning again.
    program.Write("Translation/1033.nlang3", "x");
    ScanTranslationFolder(program.Path("Translation"));
    const auto items = LanguageMenuItems(program.Path());
    ASSERT_EQ(items.size(), 2u);
    int checked = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const auto& item = items[i];
        EXPECT_EQ(item.helpContext, static_cast<int32_t>(i + 1));
        EXPECT_EQ(item.lcid, std::stoi(Utf16ToUtf8(AvailableLCIDs[i])));
        checked += item.checked ? 1 : 0;
        if (item.lcid == 1031) {
            EXPECT_EQ(item.caption, u"German (Germany)");
            EXPECT_TRUE(item.checked);
            EXPECT_EQ(item.flagFile, program.Path() + u"\\Flags\\de-de.bmp");
            EXPECT_EQ(TranslatorName(program.Path(), i), u"Anna");
        } else {
            EXPECT_EQ(item.caption, u"English (United States)");
            EXPECT_FALSE(item.checked);
            EXPECT_EQ(item.flagFile, u"");
            EXPECT_EQ(TranslatorName(program.Path(), i), u"") << "a file without the entry";
        }
    }
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(TranslatorName(program.Path(), items.size()), u"");
}

}  // namespace
}  // namespace orv::lang::testing
