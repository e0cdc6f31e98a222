// Culture tags, language identifiers and the scan of the translation folder.
#include <gtest/gtest.h>

#include <set>

#include "LangTestSupport.h"

namespace orv::lang::testing {
namespace {

TEST(Culture, TagTableRows) {
    const struct {
        std::u16string_view tag;
        uint16_t lcid;
    } cases[] = {
        {u"af", 1078}, {u"en", 9},       {u"en-us", 1033},  {u"pt", 2070},     {u"pt-br", 1046},
        {u"sr", 3098}, {u"no", 1044},    {u"no-no", 1044},  {u"nb-no", 1044},  {u"nn-no", 2068},
        {u"in", 1057}, {u"ji", 1085},    {u"ge", 1079},     {u"ka-ge", 1079},  {u"gd-ie", 2108},
        {u"de", 1031}, {u"de-ch", 2055}, {u"es-cl", 13322}, {u"es-pr", 20490}, {u"kk-kz", 1087},
        {u"de-de", 0}, {u"DE", 0},       {u"", 0},          {u"xx", 0},        {u"fr-fr", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageTagToLCID(c.tag), c.lcid) << Utf16ToUtf8(c.tag);
    }
    ASSERT_EQ(CultureTable().size(), 129u);
    EXPECT_EQ(CultureTable().front().tag, u"af");
    EXPECT_EQ(CultureTable().back().tag, u"kk-kz");
}

TEST(Culture, IdentifierToTag) {
    const struct {
        int32_t lcid;
        std::u16string_view tag;
    } cases[] = {
        {1044, u"no-no"}, {1031, u"de-de"}, {2055, u"de-ch"},  {1033, u"en-us"},
        {1046, u"pt-br"}, {2070, u"pt-pt"}, {13322, u"es-cl"}, {12345, u"-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LCIDToLanguageTag(c.lcid), c.tag) << c.lcid;
    }
}

// The native stand-in must answer for every identifier the table can produce.
TEST(Culture, NativeLocaleAnswersEveryIdentifierOfTheTable) {
    std::set<uint16_t> ids;
    for (const auto& row : CultureTable()) ids.insert(row.lcid);
    for (const uint16_t id : ids) {
        std::u16string iso639, iso3166;
        EXPECT_TRUE(platform::DefaultLocaleNames().LocaleInfo(
            id, platform::LocaleField::Iso639LanguageName, iso639))
            << id;
        EXPECT_TRUE(platform::DefaultLocaleNames().LocaleInfo(
            id, platform::LocaleField::Iso3166CountryName, iso3166))
            << id;
        EXPECT_FALSE(GetLanguageDisplayName(id).empty()) << id;
        EXPECT_NE(LCIDToLanguageTag(id), u"-") << id;
    }
    EXPECT_EQ(GetLanguageDisplayName(1031), u"German (Germany)");
    EXPECT_EQ(GetLanguageDisplayName(77), u"");
}

// A user locale whose ISO names fail: the abbreviated names' first two characters stand in.
class AbbreviatedOnly : public FakeLocaleNames {
  public:
    explicit AbbreviatedOnly(bool abbreviated) : FakeLocaleNames(1031, 1031), abbr_(abbreviated) {}
    bool LocaleInfo(uint32_t lcid, platform::LocaleField f, std::u16string& out) override {
        out.clear();
        if (f == platform::LocaleField::Iso639LanguageName ||
            f == platform::LocaleField::Iso3166CountryName || !abbr_) {
            return false;
        }
        return FakeLocaleNames::LocaleInfo(lcid, f, out);
    }

  private:
    bool abbr_;
};

TEST(Culture, UserCodesFallBackToAbbreviatedNames) {
    {
        FakeLocaleNames german(1031, 1031);
        EXPECT_EQ(GetUserLanguageCode(), u"de");
        EXPECT_EQ(GetUserCountryCode(), u"DE");
    }
    {
        AbbreviatedOnly abbreviated(true);
        EXPECT_EQ(GetUserLanguageCode(), u"DE");  // "DEU"
        EXPECT_EQ(GetUserCountryCode(), u"DE");   // "DEU"
    }
    {
        AbbreviatedOnly none(false);
        EXPECT_EQ(GetUserLanguageCode(), u"");
        EXPECT_EQ(GetUserCountryCode(), u"");
    }
}

struct Scanned {
    std::u16string lcid, fileName, tag;
    bool operator==(const Scanned&) const = default;
};

std::vector<Scanned> ScanOne(const std::string& fileName) {
    TempFolder dir;
    dir.Write(fileName, "x");
    ScanTranslationFolder(dir.Path());
    std::vector<Scanned> out;
    for (size_t i = 0; i < AvailableLCIDs.size(); ++i) {
        out.push_back({AvailableLCIDs[i], AvailableFileNames[i], AvailableTags[i]});
    }
    return out;
}

TEST(Culture, FileNamesScanToIdentifierBaseNameAndTag) {
    const struct {
        std::string file;
        std::vector<Scanned> entries;
    } cases[] = {
        {"de-de.nlang3", {{u"1031", u"de-de", u"de-de"}}},  // "de-de" is no row: "de" is
        {"x_de-de.nlang3", {{u"1031", u"x_de-de", u"de-de"}}},
        {"1031.nlang3", {{u"1031", u"1031", u"de-de"}}},
        {"de-xx.nlang3", {{u"1031", u"de-xx", u"de-xx"}}},
        {"xx.nlang3", {}},
        {"es-cl.nlang3", {{u"13322", u"es-cl", u"es-cl"}}},
        {"DE-CH.NLANG3", {{u"2055", u"de-ch", u"de-ch"}}},
        {"pt.nlang3", {{u"2070", u"pt", u"pt"}}},
        {"ka.nlang3", {}},  // neither "ka" nor "ka-ka" is a row, only "ka-ge"
        {"en.old.nlang3", {{u"9", u"en", u"en"}}},
        {"a_b_fr-ca.nlang3", {}},  // tag "b_fr-ca": language "b_fr" is not in the table
        {"1044.nlang3", {{u"1044", u"1044", u"no-no"}}},
        {"0.nlang3", {}},
        {"-de.nlang3", {}},  // empty language
        {"de-de.txt", {}},
    };
    FreshState state;
    for (const auto& c : cases) {
        EXPECT_EQ(ScanOne(c.file), c.entries) << c.file;
    }
}

TEST(Culture, ScanSkipsFoldersAndEmptiesTheListsEveryTime) {
    FreshState state;
    TempFolder dir;
    dir.Write("de-de.nlang3", "x");
    dir.Write("en-us.nlang3", "x");
    dir.MakeFolder("fr.nlang3");
    ScanTranslationFolder(dir.Path() + u"\\");
    EXPECT_EQ(AvailableFileNames.size(), 2u);
    ScanTranslationFolder(dir.Path());
    EXPECT_EQ(AvailableFileNames.size(), 2u);
    ScanTranslationFolder(dir.Path("missing"));
    EXPECT_TRUE(AvailableLCIDs.empty());
    EXPECT_TRUE(AvailableFileNames.empty());
    EXPECT_TRUE(AvailableTags.empty());
}

}  // namespace
}  // namespace orv::lang::testing
