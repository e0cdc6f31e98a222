// The registry contract with the Explorer context-menu handler, on the in-memory registry, and
// the options reset with its two data-file pairs in a temporary program folder.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LangTestSupport.h"
#include "platform/Files.h"
#include "settings/ContextMenuContract.h"
#include "settings/RegistryMap.h"

namespace orv::settings {
namespace {

using lang::testing::FreshState;
using lang::testing::TempFolder;
using lang::testing::Utf8File;
using platform::RegValue;

constexpr std::u16string_view kMenus = u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\contextmenus";
constexpr std::u16string_view kOptions = u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options";
constexpr std::u16string_view kFileWiper =
    u"CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\KT_FileWiper";
constexpr std::u16string_view kUndeleter =
    u"CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\KT_Undeleter";

const std::u16string_view kHideNames[] = {u"Hide_DEFRAG", u"Hide_DL", u"Hide_FW", u"Hide_ED",
                                          u"Hide_FSJ"};

class ContextMenu : public ::testing::Test {
  protected:
    // Any value under a key makes the key exist.
    void MakeKey(RegRoot root, std::u16string_view key) {
        ASSERT_TRUE(Reg_WriteString(root, key, u"Icon", u"x"));
    }
    void PutRaw(std::u16string_view name, uint32_t type, std::vector<uint8_t> data) {
        ASSERT_TRUE(state_.registry.SetValue(RegRoot::LocalMachine, kMenus, name, 0, type,
                                             data.data(), data.size()));
    }
    RegValue Raw(RegRoot root, std::u16string_view key, std::u16string_view name) {
        RegValue v;
        if (!state_.registry.QueryValue(root, key, name, 0, v)) v.type = 0xFFFF;  // absent
        return v;
    }
    bool AnyKeyOf(std::u16string_view key) { return Reg_KeyExists(RegRoot::ClassesRoot, key); }
    FreshState state_;
};

TEST_F(ContextMenu, HandlerKeyIsOneFixedClassIdentifier) {
    const std::u16string_view key = ContextMenuHandlerClassKey();
    ASSERT_EQ(key.size(), 6u + 38u) << "CLSID\\ and a braced identifier";
    EXPECT_EQ(key.substr(0, 7), u"CLSID\\{");
    EXPECT_EQ(key.back(), u'}');
    EXPECT_EQ(key.find(u"645FF040"), key.npos) << "not the recycle bin's own class";
    EXPECT_FALSE(LoadContextMenuBoxes().ShowContextMenu);
    MakeKey(RegRoot::ClassesRoot, key);
    EXPECT_TRUE(LoadContextMenuBoxes().ShowContextMenu);
}

TEST_F(ContextMenu, AHideValueOfAnyTypeHidesItsGroupAndIsWrittenBackAsDwordOne) {
    const struct {
        const char* what;
        uint32_t type;
        std::vector<uint8_t> data;
    } cases[] = {
        {"text", platform::kRegSz, {'n', 0, 'o', 0, 0, 0}},
        {"dword 0", platform::kRegDword, {0, 0, 0, 0}},
        {"empty binary", platform::kRegBinary, {}},
        {"dword 1", platform::kRegDword, {1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.registry.Clear();
        PutRaw(u"Hide_FW", c.type, c.data);
        const TContextMenuBoxes boxes = LoadContextMenuBoxes();
        EXPECT_FALSE(boxes.FW);
        EXPECT_TRUE(boxes.DEFRAG && boxes.DL && boxes.ED && boxes.FSJ) << "the others stay shown";

        SaveContextMenuSettings(boxes);
        const RegValue v = Raw(RegRoot::LocalMachine, kMenus, u"Hide_FW");
        EXPECT_EQ(v.type, platform::kRegDword);
        EXPECT_EQ(v.data, (std::vector<uint8_t>{1, 0, 0, 0}));
        for (const auto name : {u"Hide_DEFRAG", u"Hide_DL", u"Hide_ED", u"Hide_FSJ"})
            EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, kMenus, name));
    }
}

TEST_F(ContextMenu, EachGroupBoxOwnsExactlyItsHideValue) {
    bool TContextMenuBoxes::*const boxes[] = {&TContextMenuBoxes::DEFRAG, &TContextMenuBoxes::DL,
                                              &TContextMenuBoxes::FW, &TContextMenuBoxes::ED,
                                              &TContextMenuBoxes::FSJ};
    for (size_t i = 0; i < std::size(boxes); ++i) {
        SCOPED_TRACE(std::to_string(i));
        state_.registry.Clear();
        // Every group hidden before; only box i is checked now.
        for (const auto name : kHideNames)
            ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kMenus, name, 1));
        TContextMenuBoxes b;
        for (bool TContextMenuBoxes::*box : boxes) b.*box = false;
        b.*boxes[i] = true;
        SaveContextMenuSettings(b);
        for (size_t j = 0; j < std::size(kHideNames); ++j)
            EXPECT_EQ(Reg_ValueExists(RegRoot::LocalMachine, kMenus, kHideNames[j]), j != i)
                << "Hide value " << j;
        // And it reads back the same way.
        const TContextMenuBoxes loaded = LoadContextMenuBoxes();
        for (size_t j = 0; j < std::size(boxes); ++j) EXPECT_EQ(loaded.*boxes[j], j == i);
    }
}

TEST_F(ContextMenu, RecycleBinEntriesAreOnlyRelabelledWhereTheirKeysExist) {
    const struct {
        const char* what;
        bool wiper, undeleter;
    } cases[] = {{"neither", false, false},
                 {"file wiper only", true, false},
                 {"undeleter only", false, true},
                 {"both", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state_.registry.Clear();
        if (c.wiper) MakeKey(RegRoot::ClassesRoot, kFileWiper);
        if (c.undeleter) MakeKey(RegRoot::ClassesRoot, kUndeleter);
        const TContextMenuBoxes loaded = LoadContextMenuBoxes();
        EXPECT_EQ(loaded.Recycle_FW, c.wiper);
        EXPECT_EQ(loaded.Recycle_Undelete, c.undeleter);

        // The boxes' states write nothing: even checked boxes create no key.
        TContextMenuBoxes all;
        SaveContextMenuSettings(all);
        EXPECT_EQ(AnyKeyOf(kFileWiper), c.wiper);
        EXPECT_EQ(AnyKeyOf(kUndeleter), c.undeleter);
        EXPECT_FALSE(AnyKeyOf(ContextMenuHandlerClassKey())) << "no registration of our own";
        EXPECT_EQ(Reg_ReadString(RegRoot::ClassesRoot, kFileWiper, u""),
                  c.wiper ? u"Inhalt vernichten mit Talvik Fixlane" : u"");
        EXPECT_EQ(Reg_ReadString(RegRoot::ClassesRoot, kUndeleter, u""),
                  c.undeleter ? u"Nach gel\u00f6schten Dateien suchen mit Talvik Fixlane" : u"");
    }
}

TEST_F(ContextMenu, CaptionsAreWrittenWithoutTheHandlerInTheRunningLanguage) {
    const struct {
        std::u16string_view value, german, english;
    } captions[] = {
        {u"CONTEXTMENU_DEFRAG", u"Defragmentieren mit Talvik Fixlane", u"Defragment"},
        {u"CONTEXTMENU_DL", u"Analysiere Speicherbelegung mit Talvik Fixlane", u"Analyze"},
        {u"CONTEXTMENU_SHREDDER", u"Vernichten mit Talvik Fixlane", u"Shred"},
        {u"CONTEXTMENU_ENCRYPT", u"Verschl\u00fcsseln mit Talvik Fixlane", u"Encrypt"},
        {u"CONTEXTMENU_DECRYPT", u"Entschl\u00fcsseln mit Talvik Fixlane", u"Decrypt"},
        {u"CONTEXTMENU_SPLIT", u"Teilen mit Talvik Fixlane", u""},  // left empty by the file
        {u"CONTEXTMENU_JOIN", u"Zusammenf\u00fcgen mit Talvik Fixlane", u"Join"},
        {u"CONTEXTMENU_RECYCLE_FW", u"Inhalt vernichten mit Talvik Fixlane", u"Wipe bin"},
        {u"CONTEXTMENU_RECYCLE_UNDELETE", u"Nach gel\u00f6schten Dateien suchen mit Talvik Fixlane",
         u"Find deleted"},
    };
    MakeKey(RegRoot::ClassesRoot, kFileWiper);
    SaveContextMenuSettings({});
    for (const auto& c : captions) {
        SCOPED_TRACE(Utf16ToUtf8(c.value));
        EXPECT_EQ(Raw(RegRoot::LocalMachine, kMenus, c.value).type, platform::kRegSz);
        EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kMenus, c.value), c.german);
    }

    // The next run in English: every caption follows, an empty message gives an empty value.
    TempFolder program;
    program.Write("translation/index.txt", Utf8File({"1", "2"}));
    program.Write("translation/en-us.nlang3",
                  Utf8File({"MESSAGES.MESSAGE_CONTEXTMENU_DEFRAG_KT8=Defragment",
                            "MESSAGES.MESSAGE_CONTEXTMENU_DL_KT8=Analyze",
                            "MESSAGES.MESSAGE_CONTEXTMENU_SHREDDER_KT8=Shred",
                            "MESSAGES.MESSAGE_CONTEXTMENU_ENCRYPT_KT8=Encrypt",
                            "MESSAGES.MESSAGE_CONTEXTMENU_DECRYPT_KT8=Decrypt",
                            "MESSAGES.MESSAGE_CONTEXTMENU_SPLIT_KT8=",
                            "MESSAGES.MESSAGE_CONTEXTMENU_JOIN_KT8=Join",
                            "MESSAGES.MESSAGE_CONTEXTMENU_SHREDDER_RECYCLE=Wipe bin",
                            "MESSAGES.MESSAGE_CONTEXTMENU_UNDELETER_RECYCLE=Find deleted"}));
    lang::ResetMessageCatalogue();
    lang::LOAD_INTERNAL_ONLY(program.Path("translation"), u"en-us");
    ASSERT_EQ(lang::Msg(u"MESSAGE_CONTEXTMENU_JOIN_KT8"), u"Join");
    SaveContextMenuSettings({});
    for (const auto& c : captions) {
        SCOPED_TRACE(Utf16ToUtf8(c.value));
        EXPECT_EQ(Raw(RegRoot::LocalMachine, kMenus, c.value).type, platform::kRegSz);
        EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kMenus, c.value), c.english);
    }
    EXPECT_EQ(Reg_ReadString(RegRoot::ClassesRoot, kFileWiper, u""), u"Wipe bin");
    EXPECT_FALSE(AnyKeyOf(kUndeleter));
}

// Files as the program sees them, except that replacing a file always fails.
class NoReplaceFiles : public platform::Files {
  public:
    bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t max) override {
        return platform::DefaultFiles().ReadWholeFile(path, bytes, max);
    }
    bool FileExists(std::u16string_view path) override {
        return platform::DefaultFiles().FileExists(path);
    }
    std::vector<std::u16string> ListFiles(std::u16string_view folder,
                                          std::u16string_view pattern) override {
        return platform::DefaultFiles().ListFiles(folder, pattern);
    }
};

std::string Contents(const TempFolder& dir, const char* relative) {
    std::string bytes;
    if (!platform::DefaultFiles().ReadWholeFile(dir.Path(relative), bytes)) return "<missing>";
    return bytes;
}

TEST_F(ContextMenu, ResetDeletesTheOptionsAndKeepsTheContextMenuValues) {
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, kOptions, kUseSkin, u"Dark"));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kOptions, kShowOwnGroup, 1));
    ASSERT_TRUE(Reg_WriteInteger(RegRoot::LocalMachine, kMenus, u"Hide_DL", 1));
    ASSERT_TRUE(Reg_WriteString(RegRoot::LocalMachine, kMenus, u"CONTEXTMENU_DL", u"Analyze"));
    TempFolder program;
    ResetOptions(program.Path());
    EXPECT_FALSE(Reg_KeyExists(RegRoot::LocalMachine, kOptions));
    EXPECT_FALSE(Reg_ValueExists(RegRoot::LocalMachine, kOptions, kUseSkin));
    EXPECT_TRUE(Reg_ValueExists(RegRoot::LocalMachine, kMenus, u"Hide_DL"));
    EXPECT_EQ(Reg_ReadString(RegRoot::LocalMachine, kMenus, u"CONTEXTMENU_DL"), u"Analyze");
}

TEST_F(ContextMenu, ResetRestoresAListOnlyWhenBothFilesOfItsPairExist) {
    const struct {
        const char* what;
        bool files, filesDefault, folders, foldersDefault;
        const char* expectFiles;
        const char* expectFolders;
    } cases[] = {
        {"both pairs", true, true, true, true, "files default", "folders default"},
        {"no default of the files list", true, false, true, true, "files edited",
         "folders default"},
        {"no files list itself", false, true, true, true, "<missing>", "folders default"},
        {"folders pair incomplete", true, true, true, false, "files default", "folders edited"},
        {"nothing there", false, false, false, false, "<missing>", "<missing>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder program;
        if (c.files) program.Write("data/DC-Files2.txt", "files edited");
        if (c.filesDefault) program.Write("data/DC-Files2_default.txt", "files default");
        if (c.folders) program.Write("data/DC-Folders2.txt", "folders edited");
        if (c.foldersDefault) program.Write("data/DC-Folders2_default.txt", "folders default");
        ResetOptions(program.Path());
        EXPECT_EQ(Contents(program, "data/DC-Files2.txt"), c.expectFiles);
        EXPECT_EQ(Contents(program, "data/DC-Folders2.txt"), c.expectFolders);
        // The defaults stay for the next reset.
        if (c.filesDefault) {
            EXPECT_EQ(Contents(program, "data/DC-Files2_default.txt"), "files default");
        }
        EXPECT_EQ(Contents(program, "data/DC-Files2.txt.new"), "<missing>") << "no leftovers";
    }
}

TEST_F(ContextMenu, AListThatCannotBeRestoredIsKeptAndSaysSo) {
    TempFolder program;
    program.Write("data/DC-Files2.txt", "files edited");
    program.Write("data/DC-Files2_default.txt", "files default");
    NoReplaceFiles files;
    platform::SetFiles(&files);
    ResetOptions(program.Path());
    platform::SetFiles(nullptr);
    EXPECT_EQ(Contents(program, "data/DC-Files2.txt"), "files edited");
    bool said = false;
    for (const auto& line : platform::posix::CapturedDebugLines())
        said = said || line.find(u"DC-Files2.txt") != line.npos;
    EXPECT_TRUE(said);
}

}  // namespace
}  // namespace orv::settings
