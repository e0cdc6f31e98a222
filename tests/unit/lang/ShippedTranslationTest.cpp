// The translations and flags that ship with the program: every key the program shows has a
// text in every language, the files are what the loader expects, the flags fit the menu.
#include <gtest/gtest.h>

#include "LangTestSupport.h"
#include "platform/Files.h"

namespace orv::lang::testing {
namespace {

std::u16string DataFolder() {
    return Utf8ToUtf16(ORVELLA_DATA_DIR);
}

TEST(ShippedTranslation, EveryShownKeyHasATextInEveryLanguage) {
    FreshState state;
    const std::u16string folder = DataFolder() + u"\\Translation";
    ScanTranslationFolder(folder);
    ASSERT_GE(AvailableFileNames.size(), 2u);
    for (const auto name : {u"de-de", u"en-us"}) {
        EXPECT_GE(IndexOfIgnoreCase(AvailableFileNames, name), 0) << Utf16ToUtf8(name);
    }
    for (const auto& name : AvailableFileNames) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        std::string bytes;
        ASSERT_TRUE(platform::Fs().ReadWholeFile(folder + u"\\" + name + u".nlang3", bytes));
        EXPECT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "UTF-8 with byte-order mark";
        EXPECT_EQ(DecodeTextFile(bytes).find(u'\uFFFD'), std::u16string::npos);
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "CR LF at " << i;
            }
            if (bytes[i] == '\r') {
                ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR LF at " << i;
            }
        }
        TLang lang;
        lang.Load_Translation(folder + u"\\" + name + u".nlang3", folder + u"\\index.txt");
        EXPECT_GT(lang.Index.Count(), 0u);
        for (const auto& e : MessageTable()) {
            EXPECT_FALSE(lang.Get_StringW(u"MESSAGES", e.key).empty()) << Utf16ToUtf8(e.key);
        }
        EXPECT_EQ(lang.MissingItemsInTranslation, 0u);
    }
}

TEST(ShippedTranslation, GermanFileHoldsTheBuiltInDefaults) {
    TLang lang;
    const std::u16string folder = DataFolder() + u"\\Translation";
    lang.Load_Translation(folder + u"\\de-de.nlang3", folder + u"\\index.txt");
    for (const auto& e : MessageTable()) {
        if (e.defaultText.empty()) continue;  // the translator's name has no default
        EXPECT_EQ(lang.Get_StringW(u"MESSAGES", e.key), e.defaultText) << Utf16ToUtf8(e.key);
    }
}

// 16 x 16, 24 bits, white around the flag (the transparent colour) and colour inside.
TEST(ShippedTranslation, FlagsAreSixteenBySixteenOnWhite) {
    for (const auto tag : {u"de-de", u"en-us"}) {
        SCOPED_TRACE(Utf16ToUtf8(tag));
        std::string b;
        ASSERT_TRUE(platform::Fs().ReadWholeFile(DataFolder() + u"\\Flags\\" + tag + u".bmp", b));
        ASSERT_EQ(b.size(), 54u + 16 * 16 * 3);
        auto u32 = [&](size_t at) {
            uint32_t v = 0;
            for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + k]);
            return v;
        };
        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(u32(18), 16u);
        EXPECT_EQ(u32(22), 16u);
        EXPECT_EQ(static_cast<unsigned char>(b[28]), 24);
        auto pixel = [&](int x, int yFromTop) {
            const size_t at = 54 + static_cast<size_t>((15 - yFromTop) * 48 + x * 3);
            return b.substr(at, 3);
        };
        EXPECT_EQ(pixel(0, 0), "\xFF\xFF\xFF");
        EXPECT_EQ(pixel(15, 15), "\xFF\xFF\xFF");
        EXPECT_NE(pixel(8, 8), "\xFF\xFF\xFF");
        // The flag must not have holes of the transparent colour.
        for (int y = 2; y < 14; ++y) {
            for (int x = 0; x < 16; ++x) EXPECT_NE(pixel(x, y), "\xFF\xFF\xFF") << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace orv::lang::testing
