// Colour texts of a skin: names, numbers and the "$" texts that read red, green, blue.
#include <gtest/gtest.h>

#include "SkinTestSupport.h"
#include "skin/SkinIni.h"

namespace orv::skin::testing {
namespace {

TEST(SkinTextToColor, ValidTexts) {
    const struct {
        std::u16string_view text;
        uint32_t value;
    } cases[] = {
        {u"$0000FF", 0xFF0000},  // reads blue
        {u"$FF0000", 0x0000FF},  // reads red
        {u"255", 0x0000FF},      // decimal numbers keep the colour-reference layout
        {u"clRed", 0x0000FF},         {u"CLRED", 0x0000FF},        // names ignore case
        {u"clmoneygreen", 0xC0DCC0},  {u"$FF0000FF", 0xFFFF0000},  // top byte stays, the colour
                                                                   // bytes are reversed
        {u"$FF112233", 0xFF332211},   {u"$112233", 0x332211},      // seven characters: no alpha
        {u"$12345", 0x12345},  // other lengths are plain hex numbers
        {u"-1", 0xFFFFFFFF},          {u"$FFFFFFFF", 0xFFFFFFFF}, {u"0x10", 16},
        {u"clNone", 0x1FFFFFFF},      {u"clDefault", 0x20000000}, {u"clBtnFace", 0xFF00000F},
        {u"clHotLight", 0xFF00001A},  {u"clMenuBar", 0xFF00001E}, {u"2147483647", 0x7FFFFFFF},
        {u"-2147483648", 0x80000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        uint32_t v = 0xDEADBEEF;
        EXPECT_TRUE(SkinTextToColor(c.text, v));
        EXPECT_EQ(v, c.value);
    }
}

TEST(SkinTextToColor, InvalidTextsFailAndLeaveTheValue) {
    for (std::u16string_view text :
         {u"", u"red", u"clRedd", u"$", u"$GG0000", u"$12345Z", u"12a", u" 255", u"255 ",
          u"2147483648", u"$1FFFFFFFF", u"$FF11223Z", u"0x", u"--1", u"$-12345"}) {
        SCOPED_TRACE(Utf16ToUtf8(text));
        uint32_t v = 0xDEADBEEF;
        EXPECT_FALSE(SkinTextToColor(text, v));
        EXPECT_EQ(v, 0xDEADBEEFu);
    }
}

TEST(SkinTextToColor, InvalidTextFromASkinReadsAsBlackWithADebugLine) {
    platform::posix::ClearCaptures();
    EXPECT_EQ(SkinTextToColorOrBlack(u"$FF0000"), 0x0000FFu);
    EXPECT_TRUE(platform::posix::CapturedDebugLines().empty());
    EXPECT_EQ(SkinTextToColorOrBlack(u"darkish"), 0u);
    EXPECT_TRUE(AnyDebugLineContains(u"darkish"));
}

TEST(SkinTextToColor, SystemColoursAreRecognised) {
    int index = -1;
    EXPECT_TRUE(IsSystemColor(0xFF00000F, index));
    EXPECT_EQ(index, 15);
    // Alpha-carrying values are no system colours.
    EXPECT_FALSE(IsSystemColor(0xFF332211, index));
    EXPECT_FALSE(IsSystemColor(0x0000000F, index));
    EXPECT_FALSE(IsSystemColor(0x1FFFFFFF, index));
}

}  // namespace
}  // namespace orv::skin::testing
