#include <gtest/gtest.h>

#include "core/Text.h"

namespace orv {
namespace {

TEST(Text, Utf8DecodingReplacesEveryInvalidSequence) {
    struct Case {
        const char* what;
        std::string in;
        std::u16string out;
    };
    const Case cases[] = {
        {"ascii", "abc", u"abc"},
        {"two, three and four bytes", "\xC3\xB6\xE6\x96\x87\xF0\x9F\x98\x80", u"\u00f6\u6587\U0001F600"},
        {"overlong NUL", std::string("a\xC0\x80z"), u"a\uFFFD\uFFFDz"},
        {"overlong slash", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"truncated", "ab\xE6\x96", u"ab\uFFFD\uFFFD"},
        {"stray continuation", "\x80x", u"\uFFFDx"},
        {"invalid lead", "\xFFx", u"\uFFFDx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out);
    }
}

TEST(Text, Utf16RoundTripAndLoneSurrogates) {
    const std::u16string s = u"Gr\u00f6\u00dfe \u6587 \U0001F600";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(s)), s);
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Text, CaseTrimAndNumbers) {
    EXPECT_EQ(UpperAscii(u"-save \u00e4"), u"-SAVE \u00e4");
    EXPECT_TRUE(EqualsIgnoreCaseAscii(u"c:\\Windows", u"C:\\WINDOWS"));
    EXPECT_FALSE(EqualsIgnoreCaseAscii(u"\u00e4", u"\u00c4"));
    EXPECT_EQ(TrimBlanks(u" \t a b \r\n"), u"a b");
    EXPECT_EQ(TrimBlanks(u" \x01 "), u"");
    EXPECT_EQ(ToDecimal(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(ToDecimal(0), u"0");
    EXPECT_EQ(ToDecimalUnsigned(UINT64_MAX), u"18446744073709551615");
}

}  // namespace
}  // namespace orv
