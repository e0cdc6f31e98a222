// The active skin folder, the skin list of the options dialog and the module lookups.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "SkinTestSupport.h"
#include "lang/MessageCatalogue.h"
#include "platform/SystemForwarder.h"
#include "settings/RegistryMap.h"

namespace orv::skin::testing {
namespace {

using settings::kOptionsKey;
using settings::kUseSkin;

void SetUseSkin(std::optional<std::u16string_view> value) {
    if (value) {
        ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, kOptionsKey, kUseSkin, *value));
    } else {
        Reg_DeleteValue(RegRoot::LocalMachine, kOptionsKey, kUseSkin);
    }
}

TEST(GetActiveSkinFolder, UseSkinRules) {
    const struct {
        const char* what;
        std::optional<std::u16string_view> useSkin;
        std::u16string_view folder;  // below the program folder
    } cases[] = {
        {"absent", std::nullopt, u"\\skins\\default"},
        {"empty", u"", u"\\skins\\default"},
        {"DEFAULT", u"DEFAULT", u"\\skins\\default"},
        {"Default", u"Default", u"\\skins\\default"},
        {"a skin with skin.ini, as stored", u"Dark", u"\\skins\\Dark"},
        {"the same in other letters", u"dARK", u"\\skins\\dARK"},
        {"a folder without skin.ini", u"NoIni", u"\\skins\\default"},
        {"nothing of that name", u"Gone", u"\\skins\\default"},
        {"a path out of the skins folder", u"..\\outside", u"\\skins\\default"},
        {"a nested path", u"Dark\\Inner", u"\\skins\\default"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FreshProgram program;
        program.AddSkin("default");
        program.AddSkin("Dark");
        program.AddSkin("Dark/Inner");
        program.folder.Write("outside/skin.ini", "[SkinInfo]\r\n");
        program.folder.MakeFolder("skins/NoIni");
        SetUseSkin(c.useSkin);
        const std::u16string expected = ProgramFolder + std::u16string(c.folder);
        EXPECT_EQ(GetActiveSkinFolder(), expected);
        EXPECT_EQ(SkinFolderPath, expected);
        EXPECT_EQ(SkinIniPath(), expected + u"\\skin.ini");
    }
}

std::vector<std::u16string> Sorted(std::vector<std::u16string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

TEST(SkinList, FillListsSkinsWithIniAndSelectsTheActiveOneInAnyCase) {
    FreshProgram program;
    program.AddSkin("default");
    program.AddSkin("Dark");
    program.AddSkin(".hidden");
    program.folder.MakeFolder("skins/NoIni");
    program.folder.Write("skins/back.png", "not a folder");
    const struct {
        std::u16string_view active;  // the skin folder's last part
        std::optional<std::u16string> selected;
    } cases[] = {
        {u"DARK", u"Dark"},
        {u"default", u"default"},
        {u"Other", std::nullopt},
        {u"NoIni", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.active));
        SkinFolderPath = SkinsFolder() + std::u16string(c.active);
        TSkinStringList list;
        list.Add(u"stale entry");
        list.SetItemIndex(0);
        FillSkinList(list);
        EXPECT_EQ(Sorted(list.items), (std::vector<std::u16string>{u"Dark", u"default"}));
        EXPECT_EQ(list.Item(list.ItemIndex()), c.selected.value_or(u""));
        EXPECT_EQ(list.ItemIndex() >= 0, c.selected.has_value());
    }
}

TEST(SkinList, EmptyOrMissingSkinsFolderGivesAnEmptyList) {
    FreshProgram program;
    SkinFolderPath = SkinsFolder() + u"default";
    TSkinStringList list;
    FillSkinList(list);
    EXPECT_EQ(list.Count(), 0);
    program.folder.MakeFolder("skins/NoIni");
    FillSkinList(list);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(SkinList, SaveStoresTheSelectionOrDeletesTheValue) {
    const struct {
        const char* what;
        std::vector<std::u16string> items;
        int selected;
        std::optional<std::u16string> stored;
    } cases[] = {
        {"selected", {u"default", u"Dark"}, 1, u"Dark"},
        {"nothing selected", {u"default", u"Dark"}, -1, std::nullopt},
        {"empty list", {}, -1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FreshProgram program;
        SetUseSkin(u"Previous");
        TSkinStringList list;
        for (const auto& item : c.items) list.Add(item);
        list.SetItemIndex(c.selected);
        SaveSkinChoice(list);
        EXPECT_EQ(Reg_ValueExists(RegRoot::LocalMachine, kOptionsKey, kUseSkin),
                  c.stored.has_value());
        EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kOptionsKey, kUseSkin),
                  c.stored.value_or(u""));
    }
}

TEST(SkinList, ChoiceSurvivesARestart) {
    FreshProgram program;
    program.AddSkin("default");
    program.AddSkin("Dark");
    GetActiveSkinFolder();
    TSkinStringList list;
    FillSkinList(list);
    const auto dark = std::find(list.items.begin(), list.items.end(), u"Dark");
    ASSERT_NE(dark, list.items.end());
    list.SetItemIndex(static_cast<int>(dark - list.items.begin()));
    SaveSkinChoice(list);
    EXPECT_EQ(GetActiveSkinFolder(), SkinsFolder() + u"Dark");
}

// Counts the message pumps the folder listing asks for.
class PumpCounter final : public platform::SystemForwarder {
  public:
    PumpCounter() { platform::SetSystem(this); }
    ~PumpCounter() override { platform::SetSystem(nullptr); }
    void ProcessMessages() override { ++pumps; }
    int pumps = 0;
};

TEST(ListSubfolders, AppendsVisibleFoldersAndPumpsBetweenEntries) {
    TempFolder dir;
    dir.MakeFolder("alpha");
    dir.MakeFolder("Beta");
    dir.MakeFolder(".git");
    dir.Write("file.txt", "x");
    PumpCounter counter;
    std::vector<std::u16string> list{u"kept"};
    ListSubfolders(dir.Path() + u"\\", list);
    EXPECT_EQ(Sorted(list), (std::vector<std::u16string>{u"Beta", u"alpha", u"kept"}));
    EXPECT_GE(counter.pumps, 4);  // one per entry, files and hidden folders included

    std::vector<std::u16string> withoutBackslash;
    ListSubfolders(dir.Path(), withoutBackslash);
    EXPECT_EQ(withoutBackslash.size(), 2u);
    std::vector<std::u16string> missing;
    ListSubfolders(dir.Path("missing"), missing);
    EXPECT_TRUE(missing.empty());
}

TEST(ModuleLookups, CodesCompareExactly) {
    lang::ResetMessageCatalogue();
    EXPECT_EQ(ModuleTitleFromCode(u"ORV"), lang::Msg(u"MESSAGE_MODULNAME_ORV"));
    EXPECT_FALSE(ModuleTitleFromCode(u"ORV").empty());
    for (std::u16string_view code : {u"orv", u"", u"ORV ", u"XYZ"}) {
        EXPECT_EQ(ModuleTitleFromCode(code), u"") << Utf16ToUtf8(code);
        EXPECT_EQ(ModuleCellFromCode(code), -1) << Utf16ToUtf8(code);
    }
    std::vector<int> cells;
    for (auto code : kTrailingModuleCodes) cells.push_back(ModuleCellFromCode(code));
    EXPECT_EQ(cells, (std::vector<int>{249, 55, 253, 254}));
}

}  // namespace
}  // namespace orv::skin::testing
