#include <gtest/gtest.h>

#include <string>

#include "NameCodec.h"

namespace {

struct Case {
    const char* what;
    std::string bytes;
    std::u16string utf16;
};

// Well-formed UTF-8 converts exactly; every byte outside a well-formed sequence becomes
// U+DC80..U+DCFF on its own, and everything turns back into the very same bytes.
TEST(SnapshotNameCodec, ConvertsLosslesslyBothWays) {
    const Case cases[] = {
        {"ascii", "plain.txt", u"plain.txt"},
        {"empty", "", u""},
        {"mixed scripts and emoji",
         "Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x80\x93 \xE6\x96\x87\xE4\xBB\xB6 \xF0\x9F\x98\x80.txt",
         u"Gr\u00f6\u00dfe \u2013 \u6587\u4ef6 \U0001F600.txt"},
        {"highest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"lone continuation byte", "a\x80z", u"a\xDC80z"},
        {"latin-1 byte", "caf\xE9", u"caf\xDCE9"},
        {"truncated sequence at end", "x\xE6\x96", u"x\xDCE6\xDC96"},
        {"overlong NUL", "\xC0\x80", u"\xDCC0\xDC80"},
        {"overlong three-byte", "\xE0\x80\xAF", u"\xDCE0\xDC80\xDCAF"},
        {"encoded surrogate", "\xED\xA0\x80", u"\xDCED\xDCA0\xDC80"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
        {"invalid lead byte", "\xFF\xFE", u"\xDCFF\xDCFE"},
        {"broken then valid", "\xE6\x41\xC3\xA4",
         u"\xDCE6"
         u"A\u00e4"},
    };
    for (const Case& c : cases) {
        std::u16string got;
        snap::NameToUtf16(c.bytes, got);
        EXPECT_EQ(got, c.utf16) << c.what;
        std::string back;
        snap::NameFromUtf16(got, back);
        EXPECT_EQ(back, c.bytes) << c.what;
    }
}

TEST(SnapshotNameCodec, AppendsToWhatIsThere) {
    std::u16string u = u"a/";
    snap::NameToUtf16("b", u);
    EXPECT_EQ(u, u"a/b");
    std::string b = "x/";
    snap::NameFromUtf16(u"\u00e4", b);
    EXPECT_EQ(b, "x/\xC3\xA4");
}

}  // namespace
