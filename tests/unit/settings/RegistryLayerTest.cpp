// What the in-memory registry lets us show beyond the shared conversion table: the view decision,
// the second, view-aware deletion, silent failures, the bindings and the settings map.
#include <gtest/gtest.h>

#include <set>

#include "core/Text.h"
#include "platform/MemoryRegistryBackend.h"
#include "settings/RegistryBindings.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv {
namespace {

const std::u16string kKey = u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { Reg_Configure(false, &backend_); }
    void TearDown() override { Reg_Configure(false, nullptr); }
    platform::MemoryRegistryBackend backend_;
};

TEST_F(Registry, Wow64DecisionSelectsThe64BitViewOnEveryAccess) {
    Reg_Configure(true, &backend_);
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kKey, u"X", 3));
    EXPECT_EQ(backend_.LastView(), platform::kView64);
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, kKey, u"X"), 3);
    EXPECT_EQ(backend_.LastView(), platform::kView64);
    // The value is in the 64-bit branch, not in the redirected one.
    platform::RegValue v;
    EXPECT_TRUE(backend_.QueryValue(RegRoot::LocalMachine, kKey, u"X", platform::kView64, v));
    EXPECT_FALSE(backend_.QueryValue(RegRoot::LocalMachine, kKey, u"X", 0, v));

    Reg_Configure(false, &backend_);
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, kKey, u"X"));
    EXPECT_EQ(backend_.LastView(), 0u);
}

// A backend whose plain tree deletion leaves the key behind, as a deletion in the wrong view does.
class StubbornBackend : public platform::MemoryRegistryBackend {
public:
    bool DeleteTree(RegRoot, std::u16string_view, uint32_t) override { return false; }
};

TEST(RegistryDeleteKey, FallsBackToTheViewAwareDeletion) {
    StubbornBackend b;
    Reg_Configure(true, &b);
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kKey, u"X", 1));
    EXPECT_TRUE(Reg_DeleteKey(RegRoot::LocalMachine, kKey));
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, kKey));

    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kKey, u"X", 1));
    b.SetHasDeleteKeyEx(false);
    EXPECT_FALSE(Reg_DeleteKey(RegRoot::LocalMachine, kKey));
    EXPECT_TRUE(Reg_KeyExists(RegRoot::LocalMachine, kKey));
    Reg_Configure(false, nullptr);
}

TEST_F(Registry, FailedWritesAreSilentAndKeepTheOldValue) {
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, kKey, u"S", u"old"));
    backend_.SetReadOnly(true);
    EXPECT_FALSE(Reg_WriteString(RegRoot::LocalMachine, kKey, u"S", u"new"));
    EXPECT_FALSE(Reg_WriteInteger(RegRoot::LocalMachine, kKey, u"S", 1));
    EXPECT_FALSE(Reg_DeleteValue(RegRoot::LocalMachine, kKey, u"S"));
    EXPECT_FALSE(Reg_DeleteKey(RegRoot::LocalMachine, kKey));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kKey, u"S"), u"old");
}

struct FakeBox : ICheckBoxValue {
    std::u16string name;
    bool checked = false;
    std::u16string_view ControlName() const override { return name; }
    bool IsChecked() const override { return checked; }
    void SetChecked(bool c) override { checked = c; }
};

struct FakeEdit : IEditValue {
    std::u16string name;
    std::u16string text;
    std::u16string_view ControlName() const override { return name; }
    std::u16string EditText() const override { return text; }
    void SetEditText(std::u16string_view t) override { text = t; }
};

TEST_F(Registry, CheckBoxBindingReadsOnlyZeroAndOne) {
    struct Case {
        const char* what;
        bool present;
        bool asText;
        int32_t number;
        const char16_t* text;
        bool before;
        bool after;
    };
    const Case cases[] = {
        {"absent leaves checked", false, false, 0, u"", true, true},
        {"absent leaves clear", false, false, 0, u"", false, false},
        {"0 clears", true, false, 0, u"", true, false},
        {"1 checks", true, false, 1, u"", false, true},
        {"2 leaves checked", true, false, 2, u"", true, true},
        {"2 leaves clear", true, false, 2, u"", false, false},
        {"text 1 checks", true, true, 0, u"1", false, true},
        {"text that is no number clears", true, true, 0, u"yes", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        backend_.Clear();
        FakeBox box;
        box.name = u"CheckBox_ORV_ShowOwnGroup";
        box.checked = c.before;
        if (c.present && c.asText) Reg_WriteString(RegRoot::LocalMachine, kKey, box.name, c.text);
        if (c.present && !c.asText) Reg_WriteInteger(RegRoot::LocalMachine, kKey, box.name, c.number);
        CheckBoxFromRegistry(RegRoot::LocalMachine, kKey, box);
        EXPECT_EQ(box.checked, c.after);
    }
}

TEST_F(Registry, BindingsWriteUnderTheControlName) {
    FakeBox box;
    box.name = u"CheckBox_ORV_ShowOwnGroup";
    box.checked = true;
    ASSERT_TRUE(CheckBoxToRegistry(RegRoot::LocalMachine, kKey, box));
    platform::RegValue v;
    ASSERT_TRUE(backend_.QueryValue(RegRoot::LocalMachine, kKey, box.name, 0, v));
    EXPECT_EQ(v.type, platform::kRegDword);
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, kKey, box.name), 1);
    box.checked = false;
    ASSERT_TRUE(CheckBoxToRegistry(RegRoot::LocalMachine, kKey, box));
    EXPECT_EQ(Reg_ReadInteger(RegRoot::LocalMachine, kKey, box.name), 0);

    FakeEdit edit;
    edit.name = u"Edit_ORV_Audio";
    edit.text = u"MP3 ; FLAC";
    ASSERT_TRUE(EditToRegistry(RegRoot::LocalMachine, kKey, edit));
    ASSERT_TRUE(backend_.QueryValue(RegRoot::LocalMachine, kKey, edit.name, 0, v));
    EXPECT_EQ(v.type, platform::kRegSz);
    FakeEdit back;
    back.name = edit.name;
    EditFromRegistry(RegRoot::LocalMachine, kKey, back);
    EXPECT_EQ(back.text, u"MP3 ; FLAC");
}

TEST_F(Registry, EditBindingShowsNumbersAsTextAndKeepsTextWhenAbsent) {
    FakeEdit edit;
    edit.name = u"Edit_ORV_Name_OwnGroup";
    edit.text = u"unchanged";
    EditFromRegistry(RegRoot::LocalMachine, kKey, edit);
    EXPECT_EQ(edit.text, u"unchanged");
    Reg_WriteInteger(RegRoot::LocalMachine, kKey, edit.name, 5);
    EditFromRegistry(RegRoot::LocalMachine, kKey, edit);
    EXPECT_EQ(edit.text, u"5");
}

TEST(RegistryMap, OneEntryPerValueWithTheDefaults) {
    std::set<std::u16string> seen;
    for (const settings::Setting& s : settings::AllSettings()) {
        EXPECT_TRUE(seen.insert(UpperAscii(s.key) + u"|" + UpperAscii(s.name)).second)
            << Utf16ToUtf8(s.name) << " appears twice";
    }
    using namespace settings;
    EXPECT_EQ(DefaultOf(kOptionsKey, kUseSkin), u"default");
    EXPECT_EQ(DefaultOf(kOptionsKey, u"edit_orv_video"),
              u"AVI ; MPG ; MPEG ; RM ; WMV ; MOV ; VOB ; MP4 ; MKV");
    EXPECT_EQ(DefaultOf(kOptionsKey, kShowOwnGroup), u"0");
    EXPECT_EQ(DefaultOf(kContextMenusKey, u"Hide_FSJ"), u"");
    EXPECT_EQ(FindSetting(kOptionsKey, u"NoSuchValue"), nullptr);
    ASSERT_NE(FindSetting(kContextMenusKey, u"CONTEXTMENU_RECYCLE_UNDELETE"), nullptr);
}

}  // namespace
}  // namespace orv
