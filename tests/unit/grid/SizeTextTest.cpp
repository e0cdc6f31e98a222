// The size and percent texts at their boundaries, with English and German separators.
#include <gtest/gtest.h>

#include <string>

#include "analysis/SizeText.h"
#include "core/Text.h"
#include "platform/Locale.h"

namespace orv::analysis {
namespace {

using platform::LocaleWithSeparators;

constexpr int64_t KB = 1024;
constexpr int64_t MB = 1048576;
constexpr int64_t GB = 1073741824;
constexpr int64_t TB = GB * 1024;

class SizeTextTest : public ::testing::Test {
  protected:
    void TearDown() override { platform::SetLocale(nullptr); }
    void Use(LocaleWithSeparators& loc) { platform::SetLocale(&loc); }
    LocaleWithSeparators english_{u".", u","};
    LocaleWithSeparators german_{u",", u"."};
};

struct SizeCase {
    int64_t bytes;
    const char* cellEnglish;
    const char* statusEnglish;
    const char* cellGerman;
    const char* statusGerman;
};

const SizeCase kSizes[] = {
    {-5, "0 Byte", "-5 Byte", "0 Byte", "-5 Byte"},
    {0, "0 Byte", "0 Byte", "0 Byte", "0 Byte"},
    {1, "1 Byte", "1 Byte", "1 Byte", "1 Byte"},
    {512, "512 Byte", "512 Byte", "512 Byte", "512 Byte"},
    {1023, "1023 Byte", "1023 Byte", "1023 Byte", "1023 Byte"},
    {1024, "1.0 KB", "1.0 KB", "1,0 KB", "1,0 KB"},
    {1536, "1.5 KB", "1.5 KB", "1,5 KB", "1,5 KB"},
    // 4 significant digits are coarser than one decimal from 1000 KB on.
    {1023 * KB + 973, "1,024.0 KB", "1,024.0 KB", "1.024,0 KB", "1.024,0 KB"},
    {1048575, "1,024.0 KB", "1,024.0 KB", "1.024,0 KB", "1.024,0 KB"},
    {MB, "1.0 MB", "1.00 MB", "1,0 MB", "1,00 MB"},
    {MB * 11 / 2, "5.5 MB", "5.50 MB", "5,5 MB", "5,50 MB"},
    // 12.375 MB: one decimal in a cell, two in the status line, the half away from zero.
    {12 * MB + 3 * MB / 8, "12.4 MB", "12.38 MB", "12,4 MB", "12,38 MB"},
    {999 * MB + MB / 2, "999.5 MB", "999.50 MB", "999,5 MB", "999,50 MB"},
    {1073741823, "1,024.0 MB", "1,024.00 MB", "1.024,0 MB", "1.024,00 MB"},
    {GB, "1.00 GB", "1.00 GB", "1,00 GB", "1,00 GB"},
    {GB * 3 / 2, "1.50 GB", "1.50 GB", "1,50 GB", "1,50 GB"},
    {999 * GB, "999.00 GB", "999.00 GB", "999,00 GB", "999,00 GB"},
    {9999 * GB, "9,999.00 GB", "9,999.00 GB", "9.999,00 GB", "9.999,00 GB"},
    // 9999.6 GB rounds to 10000: five digits before the point, so exponent form.
    {9999 * GB + GB * 6 / 10, "1E4 GB", "1E4 GB", "1E4 GB", "1E4 GB"},
    // 12 TB = 12288 GB.
    {12 * TB, "1.229E4 GB", "1.229E4 GB", "1,229E4 GB", "1,229E4 GB"},
    {12 * TB + 300 * GB, "1.259E4 GB", "1.259E4 GB", "1,259E4 GB", "1,259E4 GB"},
    {INT64_MAX, "8.59E9 GB", "8.59E9 GB", "8,59E9 GB", "8,59E9 GB"},
};

TEST_F(SizeTextTest, CellAndStatusTextsWithEnglishAndGermanSeparators) {
    for (const auto& c : kSizes) {
        SCOPED_TRACE(c.bytes);
        Use(english_);
        EXPECT_EQ(Utf16ToUtf8(CellSizeText(c.bytes)), c.cellEnglish);
        EXPECT_EQ(Utf16ToUtf8(StatusSizeText(c.bytes)), c.statusEnglish);
        Use(german_);
        EXPECT_EQ(Utf16ToUtf8(CellSizeText(c.bytes)), c.cellGerman);
        EXPECT_EQ(Utf16ToUtf8(StatusSizeText(c.bytes)), c.statusGerman);
    }
}

TEST_F(SizeTextTest, NativeStandInAnswersEnglishSeparators) {
    EXPECT_EQ(CellSizeText(1048575), u"1,024.0 KB");
    EXPECT_EQ(PercentText(12.3456), u"12.350");
}

struct PercentCase {
    double p;
    const char* english;
    const char* german;
};

const PercentCase kPercents[] = {
    {0, "0.000", "0,000"},
    {12.3456, "12.350", "12,350"},
    {100, "100.000", "100,000"},
    {1.23456, "1.235", "1,235"},
    {0.0004, "0.000", "0,000"},
    // Halves go away from zero (0.0625 is exact in binary).
    {0.0625, "0.063", "0,063"},
    {2.5, "2.500", "2,500"},
    {99.99951, "100.000", "100,000"},
    {-3.14159, "-3.142", "-3,142"},
    // Tiny negative shares that round to zero carry no sign.
    {-0.0001, "0.000", "0,000"},
    // A share above 100 % from inconsistent totals still prints.
    {1234.5678, "1,235.000", "1.235,000"},
    {12345.6, "1.235E4", "1,235E4"},
};

TEST_F(SizeTextTest, PercentTexts) {
    for (const auto& c : kPercents) {
        SCOPED_TRACE(c.p);
        Use(english_);
        EXPECT_EQ(Utf16ToUtf8(PercentText(c.p)), c.english);
        Use(german_);
        EXPECT_EQ(Utf16ToUtf8(PercentText(c.p)), c.german);
    }
}

struct FormatCase {
    double v;
    int digits, decimals;
    const char* text;
};

TEST(FormatSignificantTest, RoundsToTheCoarserOfDigitsAndDecimals) {
    const FormatCase cases[] = {
        {12345, 4, 0, "1.235E4"},  {12000, 4, 0, "1.2E4"},
        {1234, 4, 2, "1,234.00"},  {1234.567, 4, 2, "1,235.00"},
        {0.5, 4, 0, "1"},          {0.4999, 4, 0, "0"},
        {1.5, 2, 0, "2"},          {123456789, 12, 0, "123,456,789"},
        {0.001, 4, 3, "0.001"},    {0.0005, 4, 3, "0.001"},
        {999.95, 4, 1, "1,000.0"}, {9.995, 3, 2, "9.99"},  // 9.995 is slightly below in binary
        {1e300, 4, 2, "1E300"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(Utf16ToUtf8(FormatSignificant(c.v, c.digits, c.decimals, u".", u",")), c.text);
    }
}

TEST(FormatSignificantTest, SeparatorsOfMoreThanOneCharacter) {
    EXPECT_EQ(FormatSignificant(1234567, 9, 1, u"<d>", u"'"), u"1'234'567<d>0");
    EXPECT_EQ(FormatSignificant(1234, 4, 2, u".", u""), u"1234.00");
}

}  // namespace
}  // namespace orv::analysis
