// Translation files: encodings, line ends, how a name finds its text, and the loader's
// handling of missing files.
#include <gtest/gtest.h>

#include "LangTestSupport.h"

namespace orv::lang::testing {
namespace {

struct DecodeCase {
    const char* what;
    std::string bytes;
    std::u16string text;
};

TEST(TranslationFile, EncodingComesFromTheByteOrderMark) {
    const DecodeCase cases[] = {
        {"UTF-8 with mark",
         "\xEF\xBB\xBF"
         "A=\xC3\xA4",
         u"A=\u00e4"},
        {"UTF-16 LE",
         std::string("\xFF\xFE"
                     "A\0=\0\xE4\0",
                     8),
         u"A=\u00e4"},
        {"UTF-16 BE", std::string("\xFE\xFF\0A\0=\0\xE4", 8), u"A=\u00e4"},
        {"UTF-16 LE surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), u"\U0001F600"},
        // Without a mark the ANSI code page (natively Windows-1252): no UTF-8 decoding.
        {"ANSI", "A=\xE4\x80", u"A=\u00e4\u20ac"},
        {"ANSI unassigned byte", "\x81", u"\uFFFD"},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", u""},
        {"empty", "", u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.what;
    }
}

TEST(TranslationFile, UndecodableInputBecomesReplacementCharacters) {
    const DecodeCase cases[] = {
        {"odd-length UTF-16 LE body",
         std::string("\xFF\xFE"
                     "A\0B",
                     5),
         u"A\uFFFD"},
        {"odd-length UTF-16 BE body", std::string("\xFE\xFF\0A\0", 5), u"A\uFFFD"},
        {"lone high surrogate",
         std::string("\xFF\xFE\x3D\xD8"
                     "A\0",
                     6),
         u"\uFFFDA"},
        {"lone low surrogate at the end", std::string("\xFF\xFE\x00\xDE", 4), u"\uFFFD"},
        {"invalid UTF-8 byte",
         "\xEF\xBB\xBF"
         "A\xFFZ",
         u"A\uFFFDZ"},
        {"truncated UTF-8 sequence",
         "\xEF\xBB\xBF"
         "A\xE2\x82",
         u"A\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeTextFile(c.bytes), c.text) << c.what;
    }
}

TEST(TranslationFile, LinesEndAtCrLfLfOrALoneCr) {
    const struct {
        std::u16string_view text;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
        {u"a\r\n", {u"a"}},
        {u"a\r\n\r\nb", {u"a", u"", u"b"}},
        {u"a\n\rb", {u"a", u"", u"b"}},  // LF then a lone CR: two line ends
        {u"no line end at all", {u"no line end at all"}},
        {u"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.lines) << Utf16ToUtf8(c.text);
    }
}

TLang LangOf(std::initializer_list<std::string_view> lines) {
    TLang lang;
    lang.Translation.LoadFromBytes(Utf8File(lines));
    return lang;
}

TEST(TranslationFile, LookupRules) {
    const struct {
        const char* what;
        std::vector<std::string_view> lines;
        std::u16string_view section, component;
        std::u16string text;
    } cases[] = {
        {"exact", {"MESSAGES.MESSAGE_OK=Ok"}, u"MESSAGES", u"MESSAGE_OK", u"Ok"},
        {"name in lower case", {"messages.message_ok=Ok"}, u"MESSAGES", u"MESSAGE_OK", u"Ok"},
        {"asked in mixed case", {"MESSAGES.MESSAGE_OK=Ok"}, u"Messages", u"message_Ok", u"Ok"},
        {"blank before =", {"MESSAGES.MESSAGE_OK =Ok"}, u"MESSAGES", u"MESSAGE_OK", u""},
        {"= inside the text", {"A.B=x=y"}, u"A", u"B", u"x=y"},
        {"blanks kept", {"A.B=  x  "}, u"A", u"B", u"  x  "},
        {"empty text", {"A.B="}, u"A", u"B", u""},
        {"%CRLF", {"A.B=one%CRLFtwo"}, u"A", u"B", u"one\r\ntwo"},
        {"%crlf in lower case", {"A.B=one%crlftwo"}, u"A", u"B", u"one\r\ntwo"},
        {"%CrLf mixed, twice", {"A.B=%CrLf%cRlF"}, u"A", u"B", u"\r\n\r\n"},
        {"incomplete mark stays", {"A.B=50%CRL"}, u"A", u"B", u"50%CRL"},
        {"first occurrence wins", {"A.B=first", "a.b=second"}, u"A", u"B", u"first"},
        {"empty first occurrence hides a later one", {"A.B=", "A.B=second"}, u"A", u"B", u""},
        {"line without = has no name", {"A.B", "A.B=later"}, u"A", u"B", u"later"},
        {"other section", {"X.B=x"}, u"A", u"B", u""},
        {"umlaut in the name", {"A.\xC3\xA4=x"}, u"A", u"\u00c4", u"x"},
    };
    for (const auto& c : cases) {
        TLang lang;
        std::string file = "\xEF\xBB\xBF";
        for (auto l : c.lines) (file += l) += "\r\n";
        lang.Translation.LoadFromBytes(file);
        EXPECT_EQ(lang.Get_StringW(c.section, c.component), c.text) << c.what;
        EXPECT_EQ(lang.MissingItemsInTranslation, c.text.empty() ? 1u : 0u) << c.what;
    }
}

TEST(TranslationFile, IndexFollowsNewLines) {
    TLang lang = LangOf({"A.B=old"});
    EXPECT_EQ(lang.Get_StringW(u"A", u"B"), u"old");
    lang.Translation.Assign({u"A.B=new"});
    EXPECT_EQ(lang.Get_StringW(u"A", u"B"), u"new");
    lang.Translation.Assign({});
    EXPECT_EQ(lang.Get_StringW(u"A", u"B"), u"");
    EXPECT_EQ(lang.MissingItemsInTranslation, 1u);
}

TEST(TranslationFile, LoadKeepsAListWhoseFileIsMissingAndLogsTheCount) {
    FreshState state;
    TempFolder dir;
    dir.Write("de.nlang3", Utf8File({"A.B=x", "no name here", "C.D=y"}));
    dir.Write("index.txt", Utf8File({"one"}));
    TLang lang;
    lang.Load_Translation(dir.Path("de.nlang3"), dir.Path("index.txt"));
    EXPECT_EQ(lang.Translation.Count(), 3u);
    EXPECT_EQ(lang.Index.Count(), 1u);
    lang.Load_Translation(dir.Path("missing.nlang3"), dir.Path("missing.txt"));
    EXPECT_EQ(lang.Translation.Count(), 3u);
    EXPECT_EQ(lang.Index.Count(), 1u);
    EXPECT_EQ(lang.Get_StringW(u"C", u"D"), u"y");
    const std::vector<std::u16string> expected = {u"TranslationCount=3", u"TranslationCount=3"};
    EXPECT_EQ(platform::posix::CapturedDebugLines(), expected);
}

TEST(TranslationFile, HostileFilesLoadWithoutHarm) {
    const std::string megabyteLine = "A.B=" + std::string(3 << 20, 'x');
    const std::string cases[] = {
        megabyteLine,                                         // one huge line, no line end
        std::string("\xFF\xFE", 2) + std::string(1001, 'A'),  // odd UTF-16 body
        std::string(4096, '\0'),                              // binary zeros
        "\xEF\xBB\xBF" + std::string(5000, '\xC3'),           // every sequence truncated
        std::string(70000, '\r'),                             // nothing but line ends
    };
    for (const auto& bytes : cases) {
        TLang lang;
        lang.Translation.LoadFromBytes(bytes);
        (void)lang.Get_StringW(u"A", u"B");
    }
    TLang lang;
    lang.Translation.LoadFromBytes(megabyteLine);
    EXPECT_EQ(lang.Get_StringW(u"A", u"B").size(), size_t{3} << 20);
}

}  // namespace
}  // namespace orv::lang::testing
