// Loading a stripe: every PNG colour type, the height snapping and crop, damaged files and
// file names.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestPng.h"
#include "core/Text.h"
#include "platform/posix/Capture.h"
#include "skin/PngCodec.h"
#include "skin/stripeskins.h"

namespace {

using orv::skin::ArgbBitmap;
using orv::skin::MakeArgb;
using orv::skin::TStripeSkinner;
using skintest::Be16;
using skintest::PackBits;
using skintest::PngFixture;
namespace capture = orv::platform::posix;

std::vector<uint32_t> PixelsOf(const ArgbBitmap& b) {
    std::vector<uint32_t> out;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) out.push_back(b.Pixel(x, y));
    return out;
}

struct ColourCase {
    const char* name;
    PngFixture fixture;
    std::vector<uint32_t> expected;  // ARGB, row by row
};

PngFixture Fixture(int w, int h, int colorType, int depth, std::vector<std::vector<uint8_t>> rows) {
    PngFixture s;
    s.width = w;
    s.height = h;
    s.colorType = colorType;
    s.bitDepth = depth;
    s.rows = std::move(rows);
    return s;
}

std::vector<ColourCase> ColourCases() {
    std::vector<ColourCase> cases;
    {
        PngFixture s = Fixture(4, 2, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 2, 3}, {3, 2, 1, 0}});
        s.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
        s.paletteAlpha = {0, 128};  // entries 2 and 3 stay opaque
        const uint32_t e0 = MakeArgb(0, 255, 0, 0), e1 = MakeArgb(128, 0, 255, 0),
                       e2 = MakeArgb(255, 0, 0, 255), e3 = MakeArgb(255, 10, 20, 30);
        cases.push_back({"palette 8-bit with tRNS", s, {e0, e1, e2, e3, e3, e2, e1, e0}});
    }
    {
        PngFixture s = Fixture(5, 1, PNG_COLOR_TYPE_PALETTE, 2, {PackBits(2, {0, 1, 2, 3, 1})});
        s.palette = {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}};
        s.paletteAlpha = {7, 255, 0};
        cases.push_back({"palette 2-bit with tRNS",
                         s,
                         {MakeArgb(7, 1, 2, 3), MakeArgb(255, 40, 50, 60), MakeArgb(0, 70, 80, 90),
                          MakeArgb(255, 100, 110, 120), MakeArgb(255, 40, 50, 60)}});
    }
    {
        PngFixture s = Fixture(3, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 77, 255}});
        cases.push_back(
            {"grey 8-bit",
             s,
             {MakeArgb(255, 0, 0, 0), MakeArgb(255, 77, 77, 77), MakeArgb(255, 255, 255, 255)}});
    }
    {
        PngFixture s =
            Fixture(9, 1, PNG_COLOR_TYPE_GRAY, 1, {PackBits(1, {1, 0, 0, 1, 1, 0, 1, 0, 1})});
        const uint32_t w = MakeArgb(255, 255, 255, 255), k = MakeArgb(255, 0, 0, 0);
        cases.push_back({"grey 1-bit", s, {w, k, k, w, w, k, w, k, w}});
    }
    {
        PngFixture s = Fixture(2, 1, PNG_COLOR_TYPE_GRAY, 16, {Be16({0xABAB, 0x1212})});
        s.transparentGrey = 0x1212;
        cases.push_back({"grey 16-bit with tRNS",
                         s,
                         {MakeArgb(255, 0xAB, 0xAB, 0xAB), MakeArgb(0, 0x12, 0x12, 0x12)}});
    }
    {
        PngFixture s = Fixture(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{200, 100, 10, 0}});
        cases.push_back(
            {"grey+alpha 8-bit", s, {MakeArgb(100, 200, 200, 200), MakeArgb(0, 10, 10, 10)}});
    }
    {
        PngFixture s = Fixture(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {Be16({0xC8C8, 0x6464})});
        cases.push_back({"grey+alpha 16-bit", s, {MakeArgb(0x64, 0xC8, 0xC8, 0xC8)}});
    }
    {
        PngFixture s = Fixture(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}});
        s.transparentRgb = skintest::Rgb8{1, 2, 3};
        cases.push_back({"RGB 8-bit with tRNS", s, {MakeArgb(0, 1, 2, 3), MakeArgb(255, 4, 5, 6)}});
    }
    {
        PngFixture s = Fixture(2, 1, PNG_COLOR_TYPE_RGB, 16,
                               {Be16({0xABAB, 0x1212, 0xFFFF, 0x0000, 0x8080, 0x3434})});
        cases.push_back(
            {"RGB 16-bit", s, {MakeArgb(255, 0xAB, 0x12, 0xFF), MakeArgb(255, 0x00, 0x80, 0x34)}});
    }
    {
        PngFixture s =
            Fixture(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {Be16({0x1111, 0x2222, 0x3333, 0x4444})});
        cases.push_back({"RGBA 16-bit", s, {MakeArgb(0x44, 0x11, 0x22, 0x33)}});
    }
    {
        // Large enough that all seven interlace passes hold pixels.
        const int w = 11, h = 9;
        PngFixture s = Fixture(w, h, PNG_COLOR_TYPE_RGB_ALPHA, 8, {});
        s.interlaced = true;
        std::vector<uint32_t> expected;
        for (int y = 0; y < h; ++y) {
            std::vector<uint8_t> row;
            for (int x = 0; x < w; ++x) {
                const uint8_t r = static_cast<uint8_t>(x * 23), g = static_cast<uint8_t>(y * 29),
                              b = static_cast<uint8_t>(x ^ (y * 16)),
                              a = static_cast<uint8_t>(40 + x * 7 + y * 11);
                row.insert(row.end(), {r, g, b, a});
                expected.push_back(MakeArgb(a, r, g, b));
            }
            s.rows.push_back(row);
        }
        cases.push_back({"RGBA 8-bit interlaced", s, expected});
    }
    {
        PngFixture s =
            Fixture(9, 1, PNG_COLOR_TYPE_PALETTE, 4, {PackBits(4, {0, 1, 2, 0, 1, 2, 0, 1, 2})});
        s.interlaced = true;
        s.palette = {{9, 8, 7}, {6, 5, 4}, {3, 2, 1}};
        s.paletteAlpha = {255, 0, 99};
        const uint32_t a = MakeArgb(255, 9, 8, 7), b = MakeArgb(0, 6, 5, 4),
                       c = MakeArgb(99, 3, 2, 1);
        cases.push_back({"palette 4-bit interlaced", s, {a, b, c, a, b, c, a, b, c}});
    }
    return cases;
}

TEST(StripeLoad, DecodesEveryColourTypeToArgb) {
    for (const ColourCase& c : ColourCases()) {
        SCOPED_TRACE(c.name);
        const auto bytes = skintest::WritePng(c.fixture);
        ASSERT_FALSE(bytes.empty());
        TStripeSkinner skinner;
        capture::ClearCaptures();
        skinner.LoadFromStripeBytes(bytes);
        // These fixtures are below 16 rows: the cell size is the height itself.
        EXPECT_EQ(skinner.ImageSize(), c.fixture.height);
        EXPECT_EQ(skinner.Images(), c.fixture.width / c.fixture.height);
        EXPECT_EQ(PixelsOf(skinner.Bitmap()), c.expected);
        EXPECT_TRUE(capture::CapturedDebugLines().empty());
    }
}

TEST(StripeLoad, HeightSnapsToCellSizes) {
    const struct {
        int height;
        int size;
    } cases[] = {{1, 1},   {10, 10},   {15, 15},   {16, 16},   {23, 16},   {24, 24},   {31, 24},
                 {32, 32}, {47, 32},   {48, 48},   {63, 48},   {64, 64},   {70, 64},   {79, 64},
                 {80, 80}, {100, 100}, {127, 127}, {128, 128}, {200, 128}, {5000, 128}};
    for (const auto& c : cases) {
        EXPECT_EQ(TStripeSkinner::SnapHeight(c.height), c.size) << "height " << c.height;
    }
}

// Every row of the fixture carries its row number, so a wrong crop shows which rows survived.
TEST(StripeLoad, KeepsOnlyTheTopRowsOfTheSnappedSize) {
    const struct {
        int width;
        int height;
        int size;
        int cells;
    } cases[] = {{140, 70, 64, 2}, {250, 100, 100, 2},   {300, 200, 128, 2},
                 {35, 10, 10, 3},  {16384, 64, 64, 256}, {200, 64, 64, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE("height " + std::to_string(c.height));
        for (const bool interlaced : {false, true}) {
            const auto bytes = skintest::ArgbPng(
                c.width, c.height,
                [](int x, int y) { return MakeArgb(255 - y, y, x & 0xFF, (x >> 8) & 0xFF); },
                interlaced);
            TStripeSkinner skinner;
            EXPECT_EQ(skinner.LoadFromStripeBytes(bytes), c.cells);
            EXPECT_EQ(skinner.ImageSize(), c.size);
            EXPECT_EQ(skinner.Images(), c.cells);
            const ArgbBitmap& b = skinner.Bitmap();
            ASSERT_EQ(b.Width(), c.width);
            ASSERT_EQ(b.Height(), c.size);
            for (int y = 0; y < c.size; y += 1) {
                for (int x = 0; x < c.width; x += 7) {
                    ASSERT_EQ(b.Pixel(x, y), MakeArgb(255 - y, y, x & 0xFF, (x >> 8) & 0xFF))
                        << x << "," << y << (interlaced ? " interlaced" : "");
                }
            }
        }
    }
}

// Rows below the cell size are cropped away without being decoded, so damage down there does
// not cost the stripe. The fixture's compressed data is flushed after the top 128 rows, so the
// last image data chunk holds only rows below them.
TEST(StripeLoad, DamageBelowTheCellRowsIsNotRead) {
    skintest::PngFixture fixture = skintest::ArgbFixture(
        256, 200, [](int x, int y) { return MakeArgb(255, y, x & 0xFF, (x * y) & 0xFF); });
    fixture.flushRows = 128;
    const auto good = skintest::WritePng(fixture);
    const auto idat = skintest::ChunkOffsets(good, "IDAT");
    ASSERT_GE(idat.size(), 2u);
    const std::vector<uint8_t> cut(good.begin(),
                                   good.begin() + static_cast<long>(idat.back() + 20));

    TStripeSkinner skinner;
    capture::ClearCaptures();
    EXPECT_EQ(skinner.LoadFromStripeBytes(cut), 2);
    EXPECT_EQ(skinner.Bitmap().Height(), 128);
    EXPECT_EQ(skinner.Bitmap().Pixel(200, 127), MakeArgb(255, 127, 200, (200 * 127) & 0xFF));
    EXPECT_TRUE(capture::CapturedDebugLines().empty());
}

std::vector<uint8_t> WithByte(std::vector<uint8_t> v, size_t at, uint8_t value) {
    v.at(at) = value;
    return v;
}

// IHDR width and height fields are at bytes 16 and 20; its CRC follows the 13 data bytes.
std::vector<uint8_t> WithHeader(std::vector<uint8_t> v, uint32_t w, uint32_t h, bool fixCrc) {
    for (int i = 0; i < 4; ++i) {
        v.at(16 + i) = static_cast<uint8_t>(w >> (24 - 8 * i));
        v.at(20 + i) = static_cast<uint8_t>(h >> (24 - 8 * i));
    }
    if (fixCrc) {
        uint32_t crc = static_cast<uint32_t>(crc32(0, v.data() + 12, 17));
        for (int i = 0; i < 4; ++i) v.at(29 + i) = static_cast<uint8_t>(crc >> (24 - 8 * i));
    }
    return v;
}

TEST(StripeLoad, DamagedInputLeavesAnEmptyStripeAndOneDebugLine) {
    const auto good = skintest::ArgbPng(
        256, 64, [](int x, int y) { return MakeArgb(255, x & 0xFF, y * 3, (x * y) & 0xFF); });
    std::vector<uint8_t> garbage(500);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 131 + 7);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)},
        {"cut inside IHDR", std::vector<uint8_t>(good.begin(), good.begin() + 20)},
        {"cut inside the image data", std::vector<uint8_t>(good.begin(), good.begin() + 60)},
        {"cut before IEND", std::vector<uint8_t>(good.begin(), good.end() - 30)},
        {"not a PNG", garbage},
        {"wrong signature", WithByte(good, 1, 'Q')},
        {"IHDR CRC wrong", WithByte(good, 29, static_cast<uint8_t>(good[29] ^ 0x55))},
        {"zero width", WithHeader(good, 0, 64, true)},
        {"width beyond the limit", WithHeader(good, 1u << 20, 64, true)},
        {"height beyond the limit", WithHeader(good, 256, 1u << 30, true)},
        {"width beyond what the data holds", WithHeader(good, 100000, 64, true)},
        {"zlib header of the image data wrong", WithByte(good, 41, 0x00)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TStripeSkinner skinner;
        // A previous stripe does not survive a failed load.
        ASSERT_EQ(skinner.LoadFromStripeBytes(good), 4);
        capture::ClearCaptures();
        EXPECT_EQ(skinner.LoadFromStripeBytes(c.bytes), 0);
        EXPECT_EQ(skinner.Images(), 0);
        EXPECT_EQ(skinner.ImageSize(), 0);
        EXPECT_TRUE(skinner.Bitmap().Empty());
        ASSERT_EQ(capture::CapturedDebugLines().size(), 1u);
        EXPECT_EQ(capture::CapturedDebugLines()[0].rfind(u"*** LoadFromStripeFile -> error: ", 0),
                  0u)
            << orv::Utf16ToUtf8(capture::CapturedDebugLines()[0]);
        // The empty stripe still answers every request with a transparent picture.
        capture::ClearCaptures();
        const auto image = skinner.GetOnePngImage(16, 3, false, 1.0f);
        ASSERT_NE(image, nullptr);
        for (uint8_t v : image->Bytes()) ASSERT_EQ(v, 0);
    }
}

TEST(StripeLoad, ReadsFilesByProgramPath) {
    skintest::TempFolder folder;
    const std::string dir = folder.Path() + "/Größe skins";
    ASSERT_TRUE(std::filesystem::create_directory(dir));
    const auto bytes =
        skintest::ArgbPng(192, 64, [](int x, int) { return MakeArgb(255, x, 1, 2); });
    ASSERT_TRUE(skintest::WriteFile(dir + "/stripe.png", bytes));

    std::u16string windowsStyle = orv::Utf8ToUtf16(dir + "\\stripe.png");
    TStripeSkinner skinner;
    capture::ClearCaptures();
    EXPECT_EQ(skinner.LoadFromStripeFile(windowsStyle), 3);
    EXPECT_EQ(skinner.Bitmap().Pixel(191, 63), MakeArgb(255, 191, 1, 2));
    EXPECT_TRUE(capture::CapturedDebugLines().empty());

    const std::u16string missing = orv::Utf8ToUtf16(dir + "\\nothing.png");
    EXPECT_EQ(skinner.LoadFromStripeFile(missing), 0);
    EXPECT_EQ(skinner.Images(), 0);
    ASSERT_EQ(capture::CapturedDebugLines().size(), 1u);
    EXPECT_EQ(capture::CapturedDebugLines()[0],
              u"*** LoadFromStripeFile -> error: cannot read ; " + missing);

    // A folder is not a stripe.
    capture::ClearCaptures();
    EXPECT_EQ(skinner.LoadFromStripeFile(orv::Utf8ToUtf16(dir)), 0);
    EXPECT_EQ(capture::CapturedDebugLines().size(), 1u);
}

}  // namespace
