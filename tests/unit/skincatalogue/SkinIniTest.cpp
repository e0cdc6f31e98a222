// The skin.ini reader: Windows-style lookups over UTF-8 and UTF-16 files, read anew each time.
#include <gtest/gtest.h>

#include <optional>

#include "SkinTestSupport.h"
#include "skin/SkinIni.h"

namespace orv::skin::testing {
namespace {

// One file that holds every line shape the reader must handle. Lines end in "\n" here; the
// encodings below turn them into CR LF, LF or CR.
constexpr std::string_view kIni =
    "Orphan=before any section\n"
    "[Header]\n"
    "Color=$203040\n"
    "; Comment=not a key\n"
    "  Spaced Key   =   spaced value  \n"
    "Quoted=\"  inside quotes  \"\n"
    "Single='x'\n"
    "HalfQuoted=\"x\n"
    "NoEquals\n"
    "Empty=\n"
    "Twice=first\n"
    "Twice=second\n"
    "Equals=a=b\n"
    "[ SkinInfo ]\n"
    "DisplayName=Gr\xC3\xBCn \xE6\x96\x87\n"
    "[Broken\n"
    "StillSkinInfo=yes\n"
    "[header]\n"
    "Later=from the second header section\n"
    "Twice=third\n";

struct Lookup {
    const char* section;
    const char* key;
    std::optional<std::u16string> value;  // nullopt: absent
};

const Lookup kLookups[] = {
    {"Header", "Color", u"$203040"},
    {"HEADER", "color", u"$203040"},
    {"Header", "Spaced Key", u"spaced value"},
    {" Header ", " Spaced Key ", u"spaced value"},
    {"Header", "Quoted", u"  inside quotes  "},
    {"Header", "Single", u"x"},
    {"Header", "HalfQuoted", u"\"x"},
    {"Header", "NoEquals", u""},
    {"Header", "Empty", u""},
    {"Header", "Twice", u"first"},
    {"Header", "Equals", u"a=b"},
    {"Header", "; Comment", std::nullopt},
    {"Header", "Orphan", std::nullopt},
    {"Header", "Later", u"from the second header section"},
    {"SkinInfo", "DisplayName", u"Gr\u00fcn \u6587"},
    {"SkinInfo", "StillSkinInfo", u"yes"},
    {"Broken", "StillSkinInfo", std::nullopt},
    {"Header", "Missing", std::nullopt},
    {"Missing", "Color", std::nullopt},
    {"", "Color", std::nullopt},
    {"Header", "", std::nullopt},
};

std::string WithLineEnds(std::string_view text, std::string_view end) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += end;
        } else {
            out += c;
        }
    }
    return out;
}

std::string Utf16Le(std::string_view utf8, bool bom) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (char16_t c : Utf8ToUtf16(utf8)) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string Utf16Be(std::string_view utf8) {
    std::string out = "\xFE\xFF";
    for (char16_t c : Utf8ToUtf16(utf8)) {
        out += static_cast<char>(c >> 8);
        out += static_cast<char>(c & 0xFF);
    }
    return out;
}

TEST(SkinIni, LookupsInEveryEncodingAndLineEnd) {
    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"UTF-8 CR LF", WithLineEnds(kIni, "\r\n")},
        {"UTF-8 LF", std::string(kIni)},
        {"UTF-8 CR", WithLineEnds(kIni, "\r")},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + WithLineEnds(kIni, "\r\n")},
        {"UTF-16LE", Utf16Le(WithLineEnds(kIni, "\r\n"), true)},
        {"UTF-16BE", Utf16Be(WithLineEnds(kIni, "\r\n"))},
    };
    for (const auto& f : files) {
        for (const auto& l : kLookups) {
            SCOPED_TRACE(std::string(f.what) + " [" + l.section + "] " + l.key);
            const std::u16string section = Utf8ToUtf16(l.section), key = Utf8ToUtf16(l.key);
            std::u16string value = u"untouched";
            const bool found = FindIniValue(f.bytes, section, key, &value);
            EXPECT_EQ(found, l.value.has_value());
            EXPECT_EQ(value, l.value.value_or(u"untouched"));
        }
    }
}

TEST(SkinIni, FileAccessReadsAnewAndMissingReadsEmpty) {
    TempFolder dir;
    const std::u16string file = dir.Path("skin.ini");
    EXPECT_EQ(ReadStringFromIni(file, u"Header", u"Color"), u"");
    EXPECT_FALSE(IniValueExists(file, u"Header", u"Color"));
    EXPECT_EQ(ReadColorFromIni(file, u"Header", u"Color"), 0u);

    dir.Write("skin.ini", "[Header]\r\nColor=$FF0000\r\nEmpty=\r\n");
    EXPECT_EQ(ReadStringFromIni(file, u"header", u"COLOR"), u"$FF0000");
    EXPECT_TRUE(IniValueExists(file, u"Header", u"Empty"));
    EXPECT_FALSE(IniValueExists(file, u"Header", u"Absent"));
    EXPECT_EQ(ReadColorFromIni(file, u"Header", u"Color"), 0x0000FFu);

    // A skin edited on disk is seen by the next read: nothing is cached.
    dir.Write("skin.ini", "[Header]\r\nColor=clBlue\r\n");
    EXPECT_EQ(ReadColorFromIni(file, u"Header", u"Color"), 0xFF0000u);

    // A folder is no ini file.
    dir.MakeFolder("folder.ini");
    EXPECT_FALSE(IniValueExists(dir.Path("folder.ini"), u"Header", u"Color"));
}

TEST(SkinIni, ColoursFromAFile) {
    TempFolder dir;
    dir.Write("skin.ini",
              "[Navi_Options]\r\n"
              "Font_Normal=$FF112233\r\n"
              "Font_Down=$112233\r\n"
              "Font_Down_Shadow=\r\n"
              "[PellButtons2]\r\n"
              "FaceColor_Normal=nonsense\r\n"
              "BorderColor=clBtnShadow\r\n");
    const std::u16string file = dir.Path("skin.ini");
    platform::posix::ClearCaptures();
    const struct {
        std::u16string_view section, key;
        uint32_t value;
    } cases[] = {
        {u"Navi_Options", u"Font_Normal", 0xFF332211},  // alpha FF, red 33, green 22, blue 11
        {u"Navi_Options", u"Font_Down", 0x00332211},    // seven characters: fully transparent
        {u"Navi_Options", u"Font_Down_Shadow", 0},      // empty
        {u"Navi_Options", u"Font_Normal_Shadow", 0},    // absent
        {u"PellButtons2", u"BorderColor", 0xFF000010},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.key));
        EXPECT_EQ(ReadColorFromIni(file, c.section, c.key), c.value);
    }
    EXPECT_TRUE(platform::posix::CapturedDebugLines().empty());
    EXPECT_EQ(ReadColorFromIni(file, u"PellButtons2", u"FaceColor_Normal"), 0u);
    EXPECT_TRUE(AnyDebugLineContains(u"nonsense"));
}

TEST(SkinIni, OversizedFileIsRefusedWithADebugLine) {
    TempFolder dir;
    const std::string head = "[Header]\r\nColor=255\r\n";
    const struct {
        size_t size;
        bool read;
    } cases[] = {{kMaxSkinIniBytes, true}, {kMaxSkinIniBytes + 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        dir.Write("skin.ini", head + std::string(c.size - head.size(), ';'));
        platform::posix::ClearCaptures();
        EXPECT_EQ(IniValueExists(dir.Path("skin.ini"), u"Header", u"Color"), c.read);
        EXPECT_EQ(AnyDebugLineContains(u"skin.ini"), !c.read);
    }
}

}  // namespace
}  // namespace orv::skin::testing
