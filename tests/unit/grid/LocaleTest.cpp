// The native stand-in for the user's locale, and installing a replacement.
#include <gtest/gtest.h>

#include "platform/Locale.h"

namespace orv::platform {
namespace {

TEST(LocaleTest, StandInUpperCasesLikeANonTurkishWindowsLocale) {
    struct Case {
        std::u16string in, out;
    };
    const Case cases[] = {
        {u"abc xyz 09_-", u"ABC XYZ 09_-"},
        {u"äöüéàçñøåæþ", u"ÄÖÜÉÀÇÑØÅÆÞ"},
        {u"straße", u"STRAßE"},  // one code unit each: sharp s has no capital of its own
        {u"÷ÿµ", u"÷\u0178\u039C"},
        {u"łźžčšőĳ", u"ŁŹŽČŠŐĲ"},
        {u"ıi", u"II"},
        {u"αβγσς άέώ", u"ΑΒΓΣΣ ΆΈΏ"},
        {u"привет ёж", u"ПРИВЕТ ЁЖ"},
        {u"日本語", u"日本語"},
    };
    Locale& loc = DefaultLocale();
    for (const auto& c : cases) {
        const std::u16string up = loc.UpperCase(c.in);
        EXPECT_EQ(up, c.out);
        EXPECT_EQ(up.size(), c.in.size());
    }
}

TEST(LocaleTest, StandInAnswersEnglishSeparatorsAndCanBeReplaced) {
    EXPECT_EQ(Loc().DecimalSeparator(), u".");
    EXPECT_EQ(Loc().ThousandSeparator(), u",");
    LocaleWithSeparators swiss(u".", u"'");
    SetLocale(&swiss);
    EXPECT_EQ(Loc().ThousandSeparator(), u"'");
    EXPECT_EQ(Loc().UpperCase(u"zürich"), u"ZÜRICH");
    SetLocale(nullptr);
    EXPECT_EQ(Loc().ThousandSeparator(), u",");
}

}  // namespace
}  // namespace orv::platform
