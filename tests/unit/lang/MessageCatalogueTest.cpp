// The message catalogue: German defaults, the two loaders and their order, the start-up
// fallbacks and the debug lines.
#include <gtest/gtest.h>

#include <set>

#include "LangTestSupport.h"

namespace orv::lang::testing {
namespace {

using platform::posix::CapturedDebugLines;

// A program folder with a translation folder holding these files.
struct Program {
    TempFolder dir;
    std::u16string Folder() const { return dir.Path("translation"); }
    void Add(std::string_view name, std::initializer_list<std::string_view> lines) const {
        dir.Write("translation/" + std::string(name), Utf8File(lines));
    }
    void AddIndex() const { Add("index.txt", {"1", "2"}); }
};

bool HasLineStartingWith(std::u16string_view prefix, std::u16string_view suffix) {
    for (const auto& l : CapturedDebugLines()) {
        if (l.starts_with(prefix) && l.ends_with(suffix)) {
            const auto middle = l.substr(prefix.size(), l.size() - prefix.size() - suffix.size());
            return !middle.empty() && middle.find_first_not_of(u"0123456789") == l.npos;
        }
    }
    return false;
}

TEST(MessageCatalogue, TableHoldsUniqueUpperCaseKeysWithGermanDefaults) {
    FreshState state;
    std::set<std::u16string_view> keys;
    for (const auto& e : MessageTable()) {
        EXPECT_TRUE(keys.insert(e.key).second) << Utf16ToUtf8(e.key);
        EXPECT_EQ(UpperAscii(e.key), e.key);
        EXPECT_TRUE(e.key.starts_with(u"MESSAGE_") || e.key.starts_with(u"MESSAGEHTML_"));
        EXPECT_EQ(Msg(e.key), e.defaultText);
    }
    const struct {
        std::u16string_view key, text;
    } samples[] = {
        {u"MESSAGE_ORV_FILTER_AUDIO", u"Audio-Dateien"},
        {u"MESSAGE_ORV_BALKEN_ABSOLUT", u"Gr\u00f6\u00dfe im Vergleich zum Laufwerk"},
        {u"MESSAGEHTML_ORV_STATUS_WELCOME",
         u"Bitte w\u00e4hlen Sie ein Laufwerk aus und klicken Sie auf die Schaltfl\u00e4che "
         u"\"Untersuchen\"."},
        {u"MESSAGE_ORV_DELETE_ASK_SURE",
         u"Sind Sie sicher, dass die markierten Dateien/Ordner in den Papierkorb verschoben "
         u"werden sollen?\r\nDies kann katastrophale Folgen haben wenn es sich dabei um wichtige "
         u"Systemdateien handeln sollte!\r\nBeachten Sie bitte, dass die Analyse-Ergebnisse und "
         u"Diagramme nicht aktualisiert werden."},
        {u"MESSAGE_ASKER_NO", u"Nein"},
        {u"MESSAGE_TRANSLATOR_NAME", u""},
        {u"MESSAGE_NOT_IN_THE_TABLE", u""},
    };
    for (const auto& s : samples) EXPECT_EQ(Msg(s.key), s.text) << Utf16ToUtf8(s.key);
}

TEST(MessageCatalogue, WithoutBothFilesNothingIsLoadedOrLogged) {
    const struct {
        const char* what;
        bool translation, index;
    } cases[] = {{"no folder", false, false},
                 {"translation without index.txt", true, false},
                 {"index.txt without translation", false, true}};
    for (const auto& c : cases) {
        FreshState state;
        Program p;
        if (c.translation) p.Add("en-us.nlang3", {"MESSAGES.MESSAGE_ORV_FILTER_AUDIO=Audio files"});
        if (c.index) p.AddIndex();
        LoadStartupCatalogue(p.Folder());  // CurrentLanguageFile is empty: "\.nlang3"
        LOAD_INTERNAL_ONLY(p.Folder(), u"en-us");
        TComponent form;
        form.SetName(u"Form_ORV");
        LOAD_TRANSLATION_TO_FORM(p.Folder(), u"en-us", form);
        EXPECT_EQ(CurrentLang(), nullptr) << c.what;
        EXPECT_FALSE(MessagesLoaded()) << c.what;
        EXPECT_EQ(Msg(u"MESSAGE_ORV_FILTER_AUDIO"), u"Audio-Dateien") << c.what;
        EXPECT_TRUE(CapturedDebugLines().empty()) << c.what;
    }
}

TEST(MessageCatalogue, PresentFileReplacesEveryTextAndMissingKeysBecomeEmpty) {
    FreshState state;
    Program p;
    p.Add("en-us.nlang3", {"MESSAGES.MESSAGE_OK=Okay", "messages.message_abort=Cancel%CRLFnow",
                           "MESSAGES.MESSAGE_BYTES=", "MESSAGES.MESSAGE_IM_MYTALVIK=My own"});
    p.AddIndex();
    CurrentLanguageFile = u"en-us";
    LoadStartupCatalogue(p.Folder());
    ASSERT_NE(CurrentLang(), nullptr);
    EXPECT_TRUE(MessagesLoaded());
    EXPECT_EQ(Msg(u"MESSAGE_OK"), u"Okay");
    EXPECT_EQ(Msg(u"MESSAGE_ABORT"), u"Cancel\r\nnow");
    EXPECT_EQ(Msg(u"MESSAGE_ORV_FILTER_AUDIO"), u"") << "no default for a missing key";
    EXPECT_EQ(Msg(u"MESSAGE_ASKER_YES"), u"");
    // The five start-up fallbacks, and only where the file gave nothing.
    EXPECT_EQ(Msg(u"MESSAGE_BYTE"), u"Byte");
    EXPECT_EQ(Msg(u"MESSAGE_BYTES"), u"Bytes");
    EXPECT_EQ(Msg(u"MESSAGE_IM_MYTALVIK"), u"My own");
    EXPECT_EQ(Msg(u"MESSAGE_IM_SOFTWAREDEALS"), u"Software Deals");
    EXPECT_EQ(Msg(u"MESSAGE_IM_MOREDOWNLOADS"), u"More Downloads");
    EXPECT_EQ(CurrentLang()->MissingItemsInTranslation, MessageTable().size() - 3);
    ASSERT_EQ(CapturedDebugLines().size(), 2u);
    EXPECT_EQ(CapturedDebugLines()[0], u"TranslationCount=4");
    EXPECT_TRUE(HasLineStartingWith(u"LOAD_INTERNAL_ONLY took ", u" ms"));
}

TEST(MessageCatalogue, FormLoadBeforeInternalLoadFillsMessagesOnce) {
    FreshState state;
    Program p;
    p.Add("de-de.nlang3", {"MESSAGES.MESSAGE_OK=first", "Form_Options.Label=translated"});
    p.AddIndex();
    Captioned form(nullptr, u"Form_Options", 0, u"TForm_Options");
    auto* label = new Captioned(&form, u"Label", 1, u"TLabel");

    LOAD_TRANSLATION_TO_FORM(p.Folder(), u"de-de", form);
    ASSERT_NE(CurrentLang(), nullptr);
    EXPECT_EQ(label->caption.Value(), u"translated");
    EXPECT_EQ(Msg(u"MESSAGE_OK"), u"first");
    EXPECT_TRUE(HasLineStartingWith(u"LOAD_TRANSLATION_TO_FORM \"TForm_Options\" took ", u" ms"));

    // The file changes; the later internal load reloads it but does not refill the messages.
    p.Add("de-de.nlang3", {"MESSAGES.MESSAGE_OK=second"});
    LOAD_INTERNAL_ONLY(p.Folder(), u"de-de");
    EXPECT_EQ(CurrentLang()->Get_StringW(u"MESSAGES", u"MESSAGE_OK"), u"second");
    EXPECT_EQ(Msg(u"MESSAGE_OK"), u"first");
    EXPECT_TRUE(HasLineStartingWith(u"LOAD_INTERNAL_ONLY took ", u" ms"));
}

TEST(MessageCatalogue, ExistingCatalogueIgnoresFolderAndNameOfLaterFormLoads) {
    FreshState state;
    Program p;
    p.Add("de-de.nlang3", {"Form_ORV.Label=deutsch"});
    p.Add("en-us.nlang3", {"Form_ORV.Label=english"});
    p.AddIndex();
    LOAD_INTERNAL_ONLY(p.Folder(), u"de-de");
    Captioned form(nullptr, u"Form_ORV", 0, u"TForm_ORV");
    auto* label = new Captioned(&form, u"Label", 1, u"TLabel");
    LOAD_TRANSLATION_TO_FORM(u"C:\\nowhere", u"en-us", form);
    EXPECT_EQ(label->caption.Value(), u"deutsch");
}

}  // namespace
}  // namespace orv::lang::testing
