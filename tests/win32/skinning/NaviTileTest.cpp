// The options navigation tiles: background cut, the two overlays, the stripe cell and the
// caption in the skin's ARGB colours, in three pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "SkinFixture.h"
#include "skin/MirelMouseImage3State.h"
#include "skin/stripeskins.h"
#include "skin/win32/Skinning.h"

namespace orv::skin::test {
namespace {

constexpr Rgba kCellColor{0, 0, 255, 255};
constexpr int kCell = 2;

// A stripe of four 64-pixel cells; only cell kCell is coloured.
void LoadStripe(TStripeSkinner& stripe) {
    TPngImage image(64 * 4, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) image.SetPixel(kCell * 64 + x, y, kCellColor);
    }
    const auto png = image.EncodePng();
    ASSERT_EQ(stripe.LoadFromStripeBytes(png), 4);
}

// The background reads its own position: red = x, green = y.
toolkit::TPicture Background() {
    TPngImage image(240, 120);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 240; ++x) {
            image.SetPixel(x, y, {static_cast<uint8_t>(x), static_cast<uint8_t>(y), 100, 255});
        }
    }
    toolkit::TPicture p;
    p.Assign(image);
    return p;
}

bool Near(Rgba a, Rgba b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

int CountNear(const TPngImage& p, Rgba c, int left, int top, int right, int bottom, int tolerance) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) n += Near(p.Pixel(x, y), c, tolerance);
    }
    return n;
}

constexpr const char* kTileIni =
    "[Navi_Options]\r\n"
    "Font_Normal=$FFFFFFFF\r\n"
    "Font_Normal_Shadow=$FF000000\r\n"
    // The colour bytes are reversed: alpha FF, red 00, green FF, blue FF, cyan.
    "Font_Down=$FFFFFF00\r\n"
    "Font_Down_Shadow=$80000000\r\n";

TEST(NaviTile, ThreePicturesAsTheOverlaysSay) {
    SkinProgram program(kTileIni);
    win32::ForgetNaviOverlays();
    // Active: half-transparent red over the whole tile; hover: a 2 x 2 opaque green picture
    // that is stretched over it.
    ASSERT_TRUE(
        WritePng(SkinFolderPath + u"\\menu_options_active.png", Solid(181, 40, {255, 0, 0, 128})));
    ASSERT_TRUE(
        WritePng(SkinFolderPath + u"\\menu_options_hover.png", Solid(2, 2, {0, 200, 0, 255})));
    TStripeSkinner stripe;
    LoadStripe(stripe);
    const toolkit::TPicture background = Background();

    TMirelMouseImage3State tile;
    tile.SetBounds(10, 20, 181, 40);
    win32::BuildNaviTile(background, tile, u"Datentr\u00e4ger", kCell, stripe);

    EXPECT_EQ(tile.Cursor(), toolkit::TCursor::HandPoint);
    EXPECT_FALSE(tile.Move_If_MousePressed());
    const TPngImage& normal = tile.Picture_Normal().Image();
    const TPngImage& hover = tile.Picture_Highlight().Image();
    const TPngImage& pressed = tile.Picture_Pressed().Image();
    for (const TPngImage* p : {&normal, &hover, &pressed}) {
        ASSERT_EQ(p->Width(), 181);
        ASSERT_EQ(p->Height(), 40);
    }
    EXPECT_EQ(tile.Picture().Image().Bytes(), normal.Bytes()) << "the normal picture shows";

    // Right of the caption: the background under the tile, and the overlays over it.
    EXPECT_EQ(normal.Pixel(175, 2), (Rgba{185, 22, 100, 255}));
    EXPECT_EQ(hover.Pixel(175, 2), (Rgba{0, 200, 0, 255}));
    EXPECT_TRUE(Near(pressed.Pixel(175, 2), {220, 11, 50, 255}, 2));

    // The stripe cell at (8, 5)-(40, 37) in every picture, and nowhere left of it.
    for (const TPngImage* p : {&normal, &hover, &pressed}) {
        EXPECT_EQ(p->Pixel(24, 20), kCellColor);
        EXPECT_EQ(p->Pixel(9, 6), kCellColor);
        EXPECT_NE(p->Pixel(6, 20), kCellColor);
        EXPECT_NE(p->Pixel(24, 38), kCellColor);
    }

    // The caption: white over a black shadow in the normal and hover pictures, cyan in the
    // pressed one; it starts right of the icon.
    const Rgba white{255, 255, 255, 255}, cyan{0, 255, 255, 255};
    EXPECT_GT(CountNear(normal, white, 42, 11, 160, 28, 40), 15);
    EXPECT_GT(CountNear(hover, white, 42, 11, 160, 28, 40), 15);
    EXPECT_GT(CountNear(normal, {0, 0, 0, 255}, 42, 11, 160, 30, 40), 10) << "shadow";
    EXPECT_EQ(CountNear(pressed, white, 42, 11, 160, 28, 40), 0);
    EXPECT_GT(CountNear(pressed, cyan, 42, 11, 160, 28, 60), 15);
    EXPECT_EQ(CountNear(normal, white, 0, 0, 41, 40, 40), 0) << "nothing over the icon";

    KeepPicture("tile-normal.png", normal);
    KeepPicture("tile-hover.png", hover);
    KeepPicture("tile-pressed.png", pressed);
}

TEST(NaviTile, MissingOverlaysAndOutsideTheBackground) {
    SkinProgram program(kTileIni);
    win32::ForgetNaviOverlays();
    DebugLines debug;
    TStripeSkinner stripe;
    LoadStripe(stripe);
    const toolkit::TPicture background = Background();
    TMirelMouseImage3State tile;
    // Partly beyond the background's right edge.
    tile.SetBounds(200, 0, 181, 40);
    win32::BuildNaviTile(background, tile, u"", kCell, stripe);
    EXPECT_TRUE(debug.Any(u"menu_options_active.png"));
    EXPECT_TRUE(debug.Any(u"menu_options_hover.png"));
    const TPngImage& hover = tile.Picture_Highlight().Image();
    EXPECT_EQ(hover.Pixel(30, 2), (Rgba{230, 2, 100, 255})) << "only the background";
    EXPECT_EQ(hover.Pixel(100, 2).a, 0) << "beyond the background";
    EXPECT_EQ(tile.Picture_Pressed().Image().Bytes(), hover.Bytes());

    // The overlays are read once: pictures that appear later are not taken.
    ASSERT_TRUE(
        WritePng(SkinFolderPath + u"\\menu_options_hover.png", Solid(2, 2, {0, 200, 0, 255})));
    win32::BuildNaviTile(background, tile, u"", kCell, stripe);
    EXPECT_EQ(tile.Picture_Highlight().Image().Pixel(30, 2), (Rgba{230, 2, 100, 255}));
}

TEST(NaviTile, CaptionFallsBackToAFamilyThatExists) {
    const struct {
        std::u16string_view family;
        bool substituted;
    } cases[] = {{u"Tahoma", false}, {u"No Such Family Anywhere", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.family.begin(), c.family.end()));
        DebugLines debug;
        TPngImage picture = Solid(181, 40, {0, 0, 0, 255});
        win32::DrawNaviCaption(picture, u"Optionen", 0xFFFFFFFF, 0xFF808080, c.family);
        EXPECT_GT(CountNear(picture, {255, 255, 255, 255}, 42, 11, 160, 28, 40), 15);
        EXPECT_EQ(debug.Any(u"No Such Family Anywhere"), c.substituted);
    }
}

}  // namespace
}  // namespace orv::skin::test
