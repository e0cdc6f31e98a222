// The translations and flags that ship with the program: every language the index names has a
// file the loader reads, with the keys and sections of the German original and nothing else,
// placeholders and mark-up intact, a translator and a flag that fits the menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "LangTestSupport.h"
#include "platform/Files.h"

namespace orv::lang::testing {
namespace {

std::u16string DataFolder() {
    return Utf8ToUtf16(ORVELLA_DATA_DIR);
}
std::u16string TranslationFolder() {
    return DataFolder() + u"\\Translation";
}

std::string ReadBytes(const std::u16string& path) {
    std::string bytes;
    EXPECT_TRUE(platform::Fs().ReadWholeFile(path, bytes)) << Utf16ToUtf8(path);
    return bytes;
}

// Every shipped text file: UTF-8 with byte-order mark, CR LF and nothing undecodable.
void ExpectShippedEncoding(const std::string& bytes) {
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
}

struct Entry {
    std::u16string name;  // as written
    std::u16string text;
};

// The lines of a file as name and text, in file order.
std::vector<Entry> EntriesOf(const std::u16string& path) {
    std::vector<Entry> out;
    for (auto& line : SplitLines(DecodeTextFile(ReadBytes(path)))) {
        const size_t eq = line.find(u'=');
        if (eq == std::u16string::npos) {
            ADD_FAILURE() << "line without \"=\": " << Utf16ToUtf8(line);
            continue;
        }
        out.push_back({line.substr(0, eq), line.substr(eq + 1)});
    }
    return out;
}

// The base names the index lists, in its order.
std::vector<std::u16string> IndexedLanguages() {
    std::vector<std::u16string> out;
    for (const auto& e : EntriesOf(TranslationFolder() + u"\\index.txt")) out.push_back(e.name);
    return out;
}

// What the index must name, with the identifier each file has to scan to: a misnamed file
// ("pt-pt", "es-mx") would pick the wrong language at start.
struct Shipped {
    std::u16string_view file;
    uint16_t lcid;
};
constexpr Shipped kShipped[] = {
    {u"de-de", 1031}, {u"en-us", 1033}, {u"fr-fr", 1036}, {u"es-es", 1034},
    {u"it-it", 1040}, {u"nl-nl", 1043}, {u"pl-pl", 1045}, {u"pt-br", 1046},
};

TEST(ShippedTranslation, IndexNamesExactlyTheShippedLanguages) {
    const std::string indexBytes = ReadBytes(TranslationFolder() + u"\\index.txt");
    ExpectShippedEncoding(indexBytes);
    for (const auto& e : EntriesOf(TranslationFolder() + u"\\index.txt")) {
        EXPECT_FALSE(e.text.empty()) << "display name of " << Utf16ToUtf8(e.name);
    }

    FreshState state;
    ScanTranslationFolder(TranslationFolder());
    const auto indexed = IndexedLanguages();
    EXPECT_EQ(indexed.size(), AvailableFileNames.size()) << "every file and only those";
    for (const auto& name : indexed) {
        EXPECT_GE(IndexOfIgnoreCase(AvailableFileNames, name), 0)
            << Utf16ToUtf8(name) << " named in the index but not offered";
    }
    for (const auto& s : kShipped) {
        SCOPED_TRACE(Utf16ToUtf8(s.file));
        EXPECT_NE(std::find(indexed.begin(), indexed.end(), s.file), indexed.end());
        const int at = IndexOfIgnoreCase(AvailableFileNames, s.file);
        ASSERT_GE(at, 0);
        EXPECT_EQ(AvailableLCIDs[static_cast<size_t>(at)], ToDecimal(s.lcid));
        EXPECT_EQ(AvailableTags[static_cast<size_t>(at)], s.file);
    }
}

TEST(ShippedTranslation, EveryShownKeyHasATextInEveryLanguage) {
    const std::u16string folder = TranslationFolder();
    for (const auto& name : IndexedLanguages()) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        const std::u16string file = folder + u"\\" + name + u".nlang3";
        ExpectShippedEncoding(ReadBytes(file));
        TLang lang;
        lang.Load_Translation(file, folder + u"\\index.txt");
        EXPECT_GT(lang.Index.Count(), 0u);
        for (const auto& e : MessageTable()) {
            EXPECT_FALSE(lang.Get_StringW(u"MESSAGES", e.key).empty()) << Utf16ToUtf8(e.key);
        }
        EXPECT_EQ(lang.MissingItemsInTranslation, 0u);
        // The options dialog lists this as the translator.
        EXPECT_FALSE(lang.Get_StringW(u"MESSAGES", u"MESSAGE_TRANSLATOR_NAME").empty());
    }
}

// Each file holds every name of the German original, message or window entry, once and with
// a text, and no name the original lacks (a typo there would never be looked up).
TEST(ShippedTranslation, EveryFileHasTheNamesOfTheOriginalAndNoOthers) {
    std::map<std::u16string, int> original;
    for (const auto& e : EntriesOf(TranslationFolder() + u"\\de-de.nlang3")) {
        ++original[UpperAscii(e.name)];
    }
    ASSERT_FALSE(original.empty());
    for (const auto& name : IndexedLanguages()) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        std::map<std::u16string, int> seen;
        for (const auto& e : EntriesOf(TranslationFolder() + u"\\" + name + u".nlang3")) {
            const auto key = UpperAscii(e.name);
            EXPECT_EQ(++seen[key], 1) << "twice: " << Utf16ToUtf8(e.name);
            EXPECT_TRUE(original.contains(key)) << "not in the original: " << Utf16ToUtf8(e.name);
            EXPECT_FALSE(e.text.empty()) << Utf16ToUtf8(e.name);
        }
        for (const auto& [key, count] : original) {
            EXPECT_TRUE(seen.contains(key)) << "missing: " << Utf16ToUtf8(key);
        }
    }
}

// What a translation must carry over unchanged: the placeholders the program fills, the
// mark-up tags, the line breaks of message boxes and the accelerator marks.
struct Carried {
    std::vector<std::u16string> tokens;  // "%1".."%3" and the lower-cased tags, sorted
    int lineBreaks = 0;
    int ampersands = 0;
};
Carried CarriedOf(std::u16string_view text) {
    Carried c;
    const std::u16string lower = LowerAscii(text);
    for (size_t i = 0; i < lower.size(); ++i) {
        const char16_t ch = lower[i];
        if (ch == u'%' && lower.compare(i, 5, u"%crlf") == 0) {
            ++c.lineBreaks;
            i += 4;
        } else if (ch == u'%' && i + 1 < lower.size() && lower[i + 1] >= u'1' &&
                   lower[i + 1] <= u'3') {
            c.tokens.push_back(lower.substr(i, 2));
            ++i;
        } else if (ch == u'<') {
            const size_t end = lower.find(u'>', i);
            c.tokens.push_back(lower.substr(i, end == std::u16string::npos ? end : end - i + 1));
            if (end == std::u16string::npos) break;
            i = end;
        } else if (ch == u'&') {
            ++c.ampersands;
        }
    }
    std::sort(c.tokens.begin(), c.tokens.end());
    return c;
}

TEST(ShippedTranslation, PlaceholdersMarkupAndLineBreaksMatchTheOriginal) {
    std::map<std::u16string, std::u16string> original;
    for (const auto& e : EntriesOf(TranslationFolder() + u"\\de-de.nlang3")) {
        original.emplace(UpperAscii(e.name), e.text);
    }
    // The check itself must see what it is meant to see.
    const Carried probe = CarriedOf(u"%2 <B>x</b> %1%CrLf&y <br>");
    EXPECT_EQ(probe.tokens, (std::vector<std::u16string>{u"%1", u"%2", u"</b>", u"<b>", u"<br>"}));
    EXPECT_EQ(probe.lineBreaks, 1);
    EXPECT_EQ(probe.ampersands, 1);

    for (const auto& name : IndexedLanguages()) {
        SCOPED_TRACE(Utf16ToUtf8(name));
        for (const auto& e : EntriesOf(TranslationFolder() + u"\\" + name + u".nlang3")) {
            const auto it = original.find(UpperAscii(e.name));
            if (it == original.end()) continue;  // reported by the test of the names
            SCOPED_TRACE(Utf16ToUtf8(e.name));
            const Carried want = CarriedOf(it->second);
            const Carried got = CarriedOf(e.text);
            EXPECT_EQ(got.tokens, want.tokens);
            EXPECT_EQ(got.lineBreaks, want.lineBreaks);
            EXPECT_EQ(got.ampersands, want.ampersands);
        }
    }
}

TEST(ShippedTranslation, GermanFileHoldsTheBuiltInDefaults) {
    TLang lang;
    const std::u16string folder = TranslationFolder();
    lang.Load_Translation(folder + u"\\de-de.nlang3", folder + u"\\index.txt");
    for (const auto& e : MessageTable()) {
        if (e.defaultText.empty()) continue;  // the translator's name has no default
        EXPECT_EQ(lang.Get_StringW(u"MESSAGES", e.key), e.defaultText) << Utf16ToUtf8(e.key);
    }
}

// 16 x 16, 24 bits, white around the flag (the transparent colour) and colour inside; the
// menu looks for the flag under the file's culture tag, which for these files is the name.
TEST(ShippedTranslation, EveryLanguageHasASixteenBySixteenFlagOnWhite) {
    for (const auto& tag : IndexedLanguages()) {
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
