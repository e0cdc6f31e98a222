// The help and link-target addresses: language tags from the locale queries and their
// fallbacks, the exact paths and query keys, the log line, and an Edition value from the
// registry that must stay one query value.
#include <gtest/gtest.h>

#include "DialogFakes.h"
#include "app/OnlineHelp.h"
#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "platform/MemoryRegistryBackend.h"
#include "platform/posix/Capture.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv {
namespace {

using platform::LocaleField;
using testing::QueryPairs;

class OnlineHelp : public ::testing::Test {
  protected:
    void SetUp() override {
        locale_.Add(1031, u"de", u"DE");
        locale_.Add(1033, u"en", u"US");
        locale_.Add(2055, u"de", u"CH");
        platform::SetLocaleNames(&locale_);
        platform::SetShell(&shell_);
        Reg_Configure(false, &registry_);
        platform::posix::ClearCaptures();
        savedLcid_ = lang::CurrentLCID;
    }
    void TearDown() override {
        lang::CurrentLCID = savedLcid_;
        Reg_Configure(false, nullptr);
        platform::SetShell(nullptr);
        platform::SetLocaleNames(nullptr);
    }
    void SetEdition(std::u16string_view text) {
        ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, settings::kProductKey,
                                    settings::kEdition, text));
    }

    testing::TableLocaleNames locale_;
    testing::RecordingShell shell_;
    platform::MemoryRegistryBackend registry_;
    int32_t savedLcid_ = 0;
};

TEST_F(OnlineHelp, LanguageTagFromTheLocaleQueriesAndTheirFallbacks) {
    // 3079: only the abbreviated names answer; 4105: the language only; 5129: nothing.
    locale_.answers[{3079, LocaleField::AbbrevLanguageName}] = u"DEA";
    locale_.answers[{3079, LocaleField::AbbrevCountryName}] = u"AUT";
    locale_.answers[{4105, LocaleField::Iso639LanguageName}] = u"EN";
    locale_.answers[{6153, LocaleField::Iso3166CountryName}] = u"IE";
    locale_.answers[{7177, LocaleField::Iso639LanguageName}] = u" en";
    locale_.answers[{7177, LocaleField::Iso3166CountryName}] = u"ZA ";
    const struct {
        int32_t lcid;
        std::u16string tag;
    } cases[] = {
        {1031, u"de-de"}, {1033, u"en-us"}, {2055, u"de-ch"}, {3079, u"de-au"},
        {4105, u"en-"},   {6153, u"-ie"},   {5129, u"-"},     {7177, u"en-za"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lcid);
        EXPECT_EQ(app::BuildHelpLanguageTag(c.lcid), c.tag);
    }
}

TEST_F(OnlineHelp, HelpAddressForGermanAndMainIsLoggedAndOpened) {
    lang::CurrentLCID = 1031;
    app::OpenOnlineHelp("main");
    const std::u16string address = u"https://help.orvella.app/help/0451/de-de/main";
    ASSERT_EQ(shell_.opened.size(), 1u);
    EXPECT_EQ(shell_.opened[0], address);
    EXPECT_EQ(platform::posix::CapturedDebugLines(),
              std::vector<std::u16string>{u"Call Online Help ; URL=" + address});
}

TEST_F(OnlineHelp, HelpAddressKeepsAFailedLocaleAsEmptyParts) {
    lang::CurrentLCID = 9999;
    app::OpenOnlineHelp("main");
    ASSERT_EQ(shell_.opened.size(), 1u);
    EXPECT_EQ(shell_.opened[0], u"https://help.orvella.app/help/0451/-/main");
}

TEST_F(OnlineHelp, LinkTargetCarriesSystemAndInterfaceLanguages) {
    lang::CurrentLCID = 1033;  // English interface
    locale_.userLcid = 1031;   // German system locale
    SetEdition(u"Free");
    app::OpenLinkTarget(u"translation");
    ASSERT_EQ(shell_.opened.size(), 1u);
    const std::u16string& a = shell_.opened[0];
    EXPECT_EQ(a.substr(0, a.find(u'?')), u"http://go.orvella.app/linktarget/");
    using P = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(QueryPairs(a), (std::vector<P>{{u"product", u"0451"},
                                             {u"version", u"01.00.00"},
                                             {u"edition", u"Free"},
                                             {u"syslang", u"de-de"},
                                             {u"lang", u"en-us"},
                                             {u"target", u"translation"}}));
    // Only the help call logs its address.
    EXPECT_TRUE(platform::posix::CapturedDebugLines().empty());
}

TEST_F(OnlineHelp, EditionFromTheRegistryCannotAddQueryKeys) {
    lang::CurrentLCID = 1031;
    locale_.userLcid = 1031;
    const struct {
        std::u16string edition;
        std::u16string inQuery;
    } cases[] = {
        {u"", u""},
        {u"Pro", u"Pro"},
        {u"Pro&target=evil", u"Pro%26target%3Devil"},
        {u"Home Edition #2", u"Home%20Edition%20%232"},
        {u"A-b.c_d~e", u"A-b.c_d~e"},
        {u"\u00E9dition/\u20AC?", u"%C3%A9dition%2F%E2%82%AC%3F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.edition));
        shell_.opened.clear();
        if (c.edition.empty())
            Reg_DeleteValue(RegRoot::LocalMachine, settings::kProductKey, settings::kEdition);
        else
            SetEdition(c.edition);
        app::OpenLinkTarget(u"eula");
        ASSERT_EQ(shell_.opened.size(), 1u);
        const auto pairs = QueryPairs(shell_.opened[0]);
        ASSERT_EQ(pairs.size(), 6u);
        EXPECT_EQ(pairs[2].first, u"edition");
        EXPECT_EQ(pairs[2].second, c.inQuery);
        EXPECT_EQ(pairs[5].second, u"eula");
    }
}

}  // namespace
}  // namespace orv
