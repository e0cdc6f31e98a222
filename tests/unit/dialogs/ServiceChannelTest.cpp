// The internet menu as the main window reads it from the service channel, and the in-process
// channel: its entries, what choosing one opens, and that it goes quiet after shutdown.
#include <gtest/gtest.h>

#include "DialogFakes.h"
#include "app/ServiceChannel.h"
#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/MemoryRegistryBackend.h"
#include "settings/pell_REG.h"

namespace orv::service {
namespace {

// A channel that answers from a list of (id, text) and counts image requests.
class ScriptedChannel : public TInProcessChannel {
  public:
    std::vector<std::pair<int32_t, std::u16string>> items;
    std::vector<int32_t> imageAsked;
    int32_t GetMenuItemsCount(int32_t menu) override {
        return menu == kInternetMenu ? static_cast<int32_t>(items.size()) : 0;
    }
    int32_t GetMenuItemsID(int32_t, int32_t i) override {
        return items[static_cast<size_t>(i)].first;
    }
    std::u16string GetMenuItemsText(int32_t, int32_t i) override {
        return items[static_cast<size_t>(i)].second;
    }
    IconHandle GetMenuItemsImage(int32_t, int32_t i) override {
        imageAsked.push_back(i);
        return reinterpret_cast<IconHandle>(static_cast<intptr_t>(0x100 + i));
    }
};

TEST(InternetMenu, EmptyTextMakesASeparatorWithoutImage) {
    ScriptedChannel channel;
    channel.items = {{10, u"News"}, {11, u""}, {12, u"Deals"}, {13, u""}};
    SetServiceChannel(&channel);
    const auto menu = ReadInternetMenu();
    SetServiceChannel(nullptr);

    ASSERT_EQ(menu.size(), 4u);
    const struct {
        int32_t id;
        const char16_t* caption;
        bool separator;
        bool image;
    } expected[] = {{10, u"News", false, true},
                    {11, u"-", true, false},
                    {12, u"Deals", false, true},
                    {13, u"-", true, false}};
    for (size_t i = 0; i < menu.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu[i].ID, expected[i].id);
        EXPECT_EQ(menu[i].Caption, expected[i].caption);
        EXPECT_EQ(menu[i].Separator, expected[i].separator);
        EXPECT_EQ(menu[i].Image != nullptr, expected[i].image);
    }
    EXPECT_EQ(channel.imageAsked, (std::vector<int32_t>{0, 2}));
}

class BuiltInChannel : public ::testing::Test {
  protected:
    void SetUp() override {
        locale_.Add(1031, u"de", u"DE");
        locale_.Add(1033, u"en", u"US");
        locale_.userLcid = 1031;
        platform::SetLocaleNames(&locale_);
        platform::SetShell(&shell_);
        Reg_Configure(false, &registry_);
        saved_ = lang::CurrentLCID;
        lang::CurrentLCID = 1033;
    }
    void TearDown() override {
        lang::CurrentLCID = saved_;
        Reg_Configure(false, nullptr);
        platform::SetShell(nullptr);
        platform::SetLocaleNames(nullptr);
    }
    testing::TableLocaleNames locale_;
    testing::RecordingShell shell_;
    platform::MemoryRegistryBackend registry_;
    int32_t saved_ = 0;
};

TEST_F(BuiltInChannel, MenuHoldsTheThreeEntriesAroundASeparator) {
    TInProcessChannel channel;
    SetServiceChannel(&channel);
    const auto menu = ReadInternetMenu();
    SetServiceChannel(nullptr);
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].Caption, lang::Msg(u"MESSAGE_IM_MYTALVIK"));
    EXPECT_TRUE(menu[1].Separator);
    EXPECT_EQ(menu[2].Caption, lang::Msg(u"MESSAGE_IM_SOFTWAREDEALS"));
    EXPECT_EQ(menu[3].Caption, lang::Msg(u"MESSAGE_IM_MOREDOWNLOADS"));
    for (const auto& item : menu) EXPECT_FALSE(item.Caption.empty());
    // Every id differs, so the chosen item can be told apart.
    EXPECT_NE(menu[0].ID, menu[2].ID);
    EXPECT_NE(menu[2].ID, menu[3].ID);
}

TEST_F(BuiltInChannel, ChoosingAnEntryOpensItsLinkTargetAndKeepsTheProgram) {
    TInProcessChannel channel;
    const struct {
        int32_t index;
        const char16_t* target;
    } cases[] = {
        {0, u"target=mytalvik"}, {2, u"target=softwaredeals"}, {3, u"target=moredownloads"}};
    for (const auto& c : cases) {
        shell_.opened.clear();
        const int32_t id = channel.GetMenuItemsID(kInternetMenu, c.index);
        EXPECT_EQ(channel.ProcessMenuItem(nullptr, id), kProcessDone);
        ASSERT_EQ(shell_.opened.size(), 1u);
        const std::u16string& a = shell_.opened[0];
        EXPECT_TRUE(a.ends_with(c.target)) << Utf16ToUtf8(a);
        EXPECT_NE(a.find(u"&syslang=de-de&lang=en-us&"), std::u16string::npos) << Utf16ToUtf8(a);
    }
    // The separator and unknown ids open nothing.
    shell_.opened.clear();
    EXPECT_EQ(channel.ProcessMenuItem(nullptr, channel.GetMenuItemsID(kInternetMenu, 1)),
              kProcessDone);
    EXPECT_EQ(channel.ProcessMenuItem(nullptr, 12345), kProcessDone);
    EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(BuiltInChannel, LinkTargetCallOpensTheAddressForItsArguments) {
    TInProcessChannel channel;
    SetServiceChannel(&channel);
    OpenServiceLinkTarget(u"privacypolicy");
    tinet_OpenLinkTargetInBrowser(u"", u"0451", u"01.00.00", 0, u"en-us", u"");
    SetServiceChannel(nullptr);
    ASSERT_EQ(shell_.opened.size(), 1u);
    using P = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(testing::QueryPairs(shell_.opened[0]),
              (std::vector<P>{{u"product", u"0451"},
                              {u"version", u"01.00.00"},
                              {u"edition", u""},
                              {u"syslang", u"de-de"},
                              {u"lang", u"en-us"},
                              {u"target", u"privacypolicy"}}));
}

TEST_F(BuiltInChannel, AfterShutdownNothingAnswers) {
    TInProcessChannel channel;
    channel.Shutdown();
    EXPECT_EQ(channel.GetMenuItemsCount(kInternetMenu), 0);
    EXPECT_EQ(channel.GetMenuItemsID(kInternetMenu, 0), -1);
    EXPECT_EQ(channel.GetMenuItemsText(kInternetMenu, 0), u"");
    channel.OpenLinkTargetInBrowser(u"eula", u"0451", u"01.00.00", 0, u"en-us", u"");
    EXPECT_EQ(channel.ProcessMenuItem(nullptr, 1), kProcessDone);
    EXPECT_TRUE(shell_.opened.empty());
}

TEST_F(BuiltInChannel, OtherMenusAreEmpty) {
    TInProcessChannel channel;
    EXPECT_EQ(channel.GetMenuItemsCount(2), 0);
    EXPECT_EQ(channel.GetMenuItemsText(2, 0), u"");
    EXPECT_EQ(channel.GetMenuItemsText(kInternetMenu, -1), u"");
    EXPECT_EQ(channel.GetMenuItemsText(kInternetMenu, 4), u"");
}

}  // namespace
}  // namespace orv::service
