// The default skin as it ships in data/skins: every picture the program loads is there, has the
// size its window lays out, decodes, and the colours of skin.ini fit the pictures and stay
// readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "DefaultSkinPictures.h"
#include "core/Text.h"
#include "skin/ArgbBitmap.h"
#include "skin/PngCodec.h"
#include "skin/SkinIni.h"

namespace {

using orv::skin::ArgbBitmap;
using orv::skin::MakeArgb;

const std::string kSkins = ORVELLA_SOURCE_DIR "/data/skins/";

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

// An uncompressed Windows bitmap of 24 or 32 bits, as LoadImage takes it; the pixels opaque.
bool DecodeBmp(const std::vector<uint8_t>& b, ArgbBitmap& out, std::string& why) {
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return why = "no BM header", false;
    if (Le(b, 2, 4) != b.size())
        return why = "file size field " + std::to_string(Le(b, 2, 4)), false;
    const uint32_t offset = Le(b, 10, 4);
    const uint32_t infoSize = Le(b, 14, 4);
    const auto width = static_cast<int32_t>(Le(b, 18, 4));
    const auto height = static_cast<int32_t>(Le(b, 22, 4));
    const uint32_t planes = Le(b, 26, 2);
    const uint32_t bits = Le(b, 28, 2);
    const uint32_t compression = Le(b, 30, 4);
    if (infoSize < 40 || offset < 14 + infoSize) return why = "info header", false;
    if (planes != 1 || (bits != 24 && bits != 32))
        return why = "bits " + std::to_string(bits), false;
    if (compression != 0) return why = "compression " + std::to_string(compression), false;
    if (width <= 0 || height == 0) return why = "size", false;
    const int32_t rows = std::abs(height);
    const size_t stride = (static_cast<size_t>(width) * bits / 8 + 3) / 4 * 4;
    if (offset + stride * static_cast<size_t>(rows) > b.size()) return why = "truncated", false;
    if (!out.SetSize(width, rows)) return why = "refused size", false;
    for (int32_t y = 0; y < rows; ++y) {
        const size_t row = offset + stride * static_cast<size_t>(height > 0 ? rows - 1 - y : y);
        for (int32_t x = 0; x < width; ++x) {
            const size_t p = row + static_cast<size_t>(x) * bits / 8;
            out.SetPixel(x, y, MakeArgb(255, b[p + 2], b[p + 1], b[p]));
        }
    }
    return true;
}

bool Load(const std::string& rel, ArgbBitmap& out, std::string& why) {
    const auto bytes = ReadAll(kSkins + rel);
    if (bytes.empty()) return why = "missing or empty", false;
    if (rel.ends_with(".bmp")) return DecodeBmp(bytes, out, why);
    return orv::skin::DecodePng(bytes, out, &why);
}

ArgbBitmap MustLoad(const std::string& rel) {
    ArgbBitmap b;
    std::string why;
    EXPECT_TRUE(Load(rel, b, why)) << rel << ": " << why;
    return b;
}

using Picture = orv::testing::SkinPicture;
const auto& kPictures = orv::testing::kDefaultSkinPictures;

int VisiblePixels(const ArgbBitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += orv::skin::AlphaOf(b.Pixel(x, y)) > 128;
    return n;
}

TEST(ShippedSkin, EveryPictureLoadsAtItsSizeAndShowsSomething) {
    for (const Picture& p : kPictures) {
        SCOPED_TRACE(p.file);
        ArgbBitmap b;
        std::string why;
        ASSERT_TRUE(Load(p.file, b, why)) << why;
        EXPECT_EQ(b.Width(), p.width);
        EXPECT_EQ(b.Height(), p.height);
        EXPECT_GT(VisiblePixels(b), 12);
    }
}

TEST(ShippedSkin, HoverPicturesDifferFromTheNormalOnes) {
    const std::pair<const char*, const char*> pairs[] = {
        {"but_close.png", "but_close_hover.png"},
        {"but_maximize.png", "but_maximize_hover.png"},
        {"but_unmax_normal.png", "but_unmax_hover.png"},
        {"but_minimize.png", "but_minimize_hover.png"},
        {"but_help_normal.png", "but_help_hover.png"},
        {"but_settings_normal.png", "but_settings_hover.png"},
        {"but_internet_normal.png", "but_internet_hover.png"},
        {"but_feedback_normal.png", "but_feedback_hover.png"},
        {"menu_options_active.png", "menu_options_hover.png"},
        // Maximised and normal windows must not show the same maximise button.
        {"but_maximize.png", "but_unmax_normal.png"},
    };
    for (const auto& [normal, hover] : pairs) {
        SCOPED_TRACE(std::string(normal) + " / " + hover);
        const ArgbBitmap a = MustLoad(std::string("default/") + normal);
        const ArgbBitmap b = MustLoad(std::string("default/") + hover);
        ASSERT_EQ(a.Width(), b.Width());
        ASSERT_EQ(a.Height(), b.Height());
        int differing = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
        // Clearly different, not a pixel or two.
        EXPECT_GT(differing, a.Width() * a.Height() / 10);
    }
}

// skin.ini through the program's own reader.
const std::string kIniPath = kSkins + "default/skin.ini";

std::string IniText(const char* section, const char* key, bool* exists = nullptr) {
    const auto bytes = ReadAll(kIniPath);
    std::u16string value;
    const bool found = orv::skin::FindIniValue(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        orv::Utf8ToUtf16(section), orv::Utf8ToUtf16(key), &value);
    if (exists) *exists = found;
    return orv::Utf16ToUtf8(value);
}

enum class Kind { Rgb, Argb };

struct IniColour {
    const char* section;
    const char* key;
    Kind kind;
};

const IniColour kColours[] = {
    {"Header", "Color", Kind::Rgb},
    {"Infobar", "Color", Kind::Rgb},
    {"Navi_Options", "Font_Normal", Kind::Argb},
    {"Navi_Options", "Font_Normal_Shadow", Kind::Argb},
    {"Navi_Options", "Font_Down", Kind::Argb},
    {"Navi_Options", "Font_Down_Shadow", Kind::Argb},
    {"PellButtons", "FontColor", Kind::Rgb},
    {"PellButtons", "BorderColor_Normal", Kind::Rgb},
    {"PellButtons", "BorderColor_Hover", Kind::Rgb},
    {"PellButtons", "BorderColor_Disabled", Kind::Rgb},
    {"PellButtons2", "BorderColor", Kind::Rgb},
    {"PellButtons2", "BorderColor_Hover", Kind::Rgb},
    {"PellButtons2", "BorderColor_Disabled", Kind::Rgb},
    {"PellButtons2", "FontColor_NormalEnabled", Kind::Rgb},
    {"PellButtons2", "FontColor_NormalDisabled", Kind::Rgb},
    {"PellButtons2", "FontColor_ActionButton", Kind::Rgb},
    {"PellButtons2", "FaceColor_Normal", Kind::Rgb},
    {"PellButtons2", "FaceColor_Normal_Hover", Kind::Rgb},
    {"PellButtons2", "FaceColor_Disabled", Kind::Rgb},
    {"PellButtons2", "FaceColor_ActionButton", Kind::Rgb},
    {"PellButtons2", "FaceColor_ActionButton_Hover", Kind::Rgb},
};

// The colour value of section/key: red in the low byte, alpha (Navi_Options) in the top byte.
uint32_t Colour(const char* section, const char* key) {
    uint32_t v = 0;
    EXPECT_TRUE(orv::skin::SkinTextToColor(orv::Utf8ToUtf16(IniText(section, key)), v))
        << section << "/" << key;
    return v;
}

TEST(ShippedSkin, IniHasEveryColourAsAColourText) {
    for (const IniColour& c : kColours) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        bool exists = false;
        const std::string text = IniText(c.section, c.key, &exists);
        ASSERT_TRUE(exists);
        // Written in the form whose byte order reads red, green, blue; a name or a decimal
        // number would be read in the colour value's own order and easily be wrong.
        const size_t digits = c.kind == Kind::Argb ? 8 : 6;
        ASSERT_EQ(text.size(), digits + 1) << text;
        EXPECT_EQ(text[0], '$');
        EXPECT_TRUE(std::all_of(text.begin() + 1, text.end(), [](char ch) {
            return std::isxdigit(static_cast<unsigned char>(ch));
        })) << text;
        uint32_t value = 0;
        ASSERT_TRUE(orv::skin::SkinTextToColor(orv::Utf8ToUtf16(text), value)) << text;
        // A seven-character text in the ARGB section has alpha 0: an invisible caption.
        if (c.kind == Kind::Argb) {
            EXPECT_NE(value >> 24, 0u) << text;
        }
    }
}

TEST(ShippedSkin, IniDescribesTheSkin) {
    bool exists = false;
    EXPECT_EQ(IniText("SkinInfo", "DisplayName", &exists), "Orvella");
    EXPECT_TRUE(exists);
    for (const char* key : {"Display1", "Display2"}) {
        const std::string line = IniText("SkinInfo", key);
        EXPECT_FALSE(line.empty()) << key;
        // The platform's ini reader reads the file in the ANSI code page.
        EXPECT_TRUE(
            std::all_of(line.begin(), line.end(), [](char ch) { return ch >= 0x20 && ch < 0x7F; }))
            << key << ": " << line;
    }
}

// The picture's pixel as a colour value (red in the low byte).
uint32_t ColourValueOf(uint32_t argb) {
    return orv::skin::RedOf(argb) | orv::skin::GreenOf(argb) << 8 | orv::skin::BlueOf(argb) << 16;
}

TEST(ShippedSkin, LogoSitsOnTheHeaderColour) {
    const uint32_t header = Colour("Header", "Color");
    const ArgbBitmap logo = MustLoad("default/head_logo.bmp");
    ASSERT_FALSE(logo.Empty());
    // The band starts right of the logo's left part; the logo's border must run into it
    // without a seam.
    int off = 0;
    std::string first;
    auto check = [&](int x, int y) {
        if (ColourValueOf(logo.Pixel(x, y)) == header) return;
        if (off++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    };
    for (int y = 0; y < logo.Height(); ++y) {
        check(0, y);
        check(logo.Width() - 1, y);
    }
    for (int x = 0; x < logo.Width(); ++x) {
        check(x, 0);
        check(x, logo.Height() - 1);
    }
    EXPECT_EQ(off, 0) << "border pixels off the header colour, the first at " << first;
}

// Contrast ratio of two colours after the sRGB luminance formula; 4.5 is the usual minimum for
// text of this size.
double Luminance(uint32_t r, uint32_t g, uint32_t b) {
    auto lin = [](uint32_t c) {
        const double s = c / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(r) + 0.7152 * lin(g) + 0.0722 * lin(b);
}
double LuminanceOfValue(uint32_t v) {
    return Luminance(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}
double Contrast(double l1, double l2) {
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

TEST(ShippedSkin, ButtonCaptionsAreReadableOnTheirFaces) {
    const std::pair<const char*, const char*> pairs[] = {
        {"FontColor_NormalEnabled", "FaceColor_Normal"},
        {"FontColor_NormalEnabled", "FaceColor_Normal_Hover"},
        {"FontColor_ActionButton", "FaceColor_ActionButton"},
        {"FontColor_ActionButton", "FaceColor_ActionButton_Hover"},
    };
    for (const auto& [font, face] : pairs) {
        const double c = Contrast(LuminanceOfValue(Colour("PellButtons2", font)),
                                  LuminanceOfValue(Colour("PellButtons2", face)));
        EXPECT_GE(c, 4.5) << font << " on " << face;
    }
    // Disabled captions are meant to look faint, yet must stay legible.
    const double disabled =
        Contrast(LuminanceOfValue(Colour("PellButtons2", "FontColor_NormalDisabled")),
                 LuminanceOfValue(Colour("PellButtons2", "FaceColor_Disabled")));
    EXPECT_GE(disabled, 2.0);
    EXPECT_LT(disabled, 4.5);
}

// Lowest contrast of a text colour against the area of a picture it is written on.
double WorstContrast(const ArgbBitmap& b, orv::skin::Rect area, double textLuminance) {
    double worst = 100.0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const uint32_t p = b.Pixel(x, y);
            worst = std::min(
                worst, Contrast(textLuminance, Luminance(orv::skin::RedOf(p), orv::skin::GreenOf(p),
                                                         orv::skin::BlueOf(p))));
        }
    return worst;
}

TEST(ShippedSkin, DialogAndTooltipTextsAreReadableOnTheirBackgrounds) {
    // The tooltip writes its white title into (36, 8) 316 x 24 and its text into (36, 36)
    // 316 x 84; the rows between them may hold a separator.
    const ArgbBitmap tip = MustLoad("ToolTips.bmp");
    EXPECT_GE(WorstContrast(tip, {36, 8, 352, 32}, 1.0), 4.5);
    EXPECT_GE(WorstContrast(tip, {36, 36, 352, 120}, 1.0), 4.5);
    // The question dialog's label writes black text at (88, 16), 368 x 113.
    EXPECT_GE(WorstContrast(MustLoad("default/Background_Asker.bmp"), {88, 16, 456, 129}, 0.0),
              4.5);
    // The drive dialog puts its label at (88, 8).
    EXPECT_GE(WorstContrast(MustLoad("default/Background_Asker.bmp"), {88, 8, 456, 80}, 0.0), 4.5);
}

// The tile caption is drawn at (42, 11) over the background cut and the overlay.
TEST(ShippedSkin, TileCaptionsAreReadableOnTheirOverlays) {
    const ArgbBitmap back = MustLoad("default/navi_options.bmp");
    ASSERT_FALSE(back.Empty());
    struct Case {
        const char* overlay;  // nullptr: the normal picture, background only
        const char* font;
    };
    const Case cases[] = {{nullptr, "Font_Normal"},
                          {"default/menu_options_hover.png", "Font_Normal"},
                          {"default/menu_options_active.png", "Font_Down"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.overlay ? c.overlay : "normal");
        const uint32_t font = Colour("Navi_Options", c.font);
        // ARGB: red in bits 16-23.
        const double fontL = Luminance((font >> 16) & 0xFF, (font >> 8) & 0xFF, font & 0xFF);
        ArgbBitmap overlay;
        if (c.overlay) overlay = MustLoad(c.overlay);
        double worst = 100.0;
        // The options dialog may place its tiles anywhere on the background: try places
        // all over it.
        for (int top = 0; top + 40 <= back.Height(); top += 13)
            for (int left = 0; left + 181 <= back.Width(); left += 9)
                for (int y = 11; y < 27; ++y)
                    for (int x = 42; x < 170; x += 4) {
                        const uint32_t b = back.Pixel(left + x, top + y);
                        const uint32_t o = c.overlay ? overlay.Pixel(x, y) : 0;
                        const double a = orv::skin::AlphaOf(o) / 255.0;
                        auto over = [a](uint32_t under, uint32_t above) {
                            return static_cast<uint32_t>(under * (1 - a) + above * a + 0.5);
                        };
                        const double l =
                            Luminance(over(orv::skin::RedOf(b), orv::skin::RedOf(o)),
                                      over(orv::skin::GreenOf(b), orv::skin::GreenOf(o)),
                                      over(orv::skin::BlueOf(b), orv::skin::BlueOf(o)));
                        worst = std::min(worst, Contrast(fontL, l));
                    }
        EXPECT_GE(worst, 4.5);
    }
}

}  // namespace
