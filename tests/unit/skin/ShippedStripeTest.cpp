// The icon stripe that ships in data/skins: its geometry and the cells the program uses.
#include <gtest/gtest.h>

#include <string>

#include "core/Text.h"
#include "skin/stripeskins.h"

namespace {

using orv::skin::AlphaOf;
using orv::skin::TStripeSkinner;

int OpaquePixels(const orv::skin::TPngImage& image) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y).a > 128;
    return n;
}

TEST(ShippedStripe, HasEveryCellTheProgramCuts) {
    TStripeSkinner s;
    ASSERT_EQ(s.LoadFromStripeFile(orv::Utf8ToUtf16(ORVELLA_SOURCE_DIR "/data/skins/stripe.png")),
              256);
    EXPECT_EQ(s.ImageSize(), 64);

    // Only the top-left 63 x 63 of a cell is ever cut.
    const auto& bitmap = s.Bitmap();
    for (int x = 0; x < bitmap.Width(); ++x) {
        ASSERT_EQ(AlphaOf(bitmap.Pixel(x, 63)), 0u) << "bottom row at x " << x;
        if (x % 64 == 63) {
            for (int y = 0; y < 64; ++y)
                ASSERT_EQ(AlphaOf(bitmap.Pixel(x, y)), 0u) << "last column of cell " << x / 64;
        }
    }

    // The cells with a picture of their own; all others show the same neutral symbol.
    const int named[] = {1,  2,  3,  4,  13, 14,  22,  23,  24,  25,  26,  37,  40,  47,  48, 49,
                         55, 57, 66, 76, 94, 101, 106, 116, 127, 137, 166, 167, 168, 169, 186};
    const auto neutral = s.GetOnePngImage(64, 0, false, 1.0f);
    ASSERT_NE(neutral, nullptr);
    EXPECT_GT(OpaquePixels(*neutral), 50) << "the neutral symbol is not empty";
    for (const int cell : named) {
        const auto image = s.GetOnePngImage(64, cell, false, 1.0f);
        ASSERT_NE(image, nullptr);
        EXPECT_GT(OpaquePixels(*image), 400) << "cell " << cell;
        EXPECT_NE(image->Bytes(), neutral->Bytes()) << "cell " << cell;
    }
    EXPECT_EQ(s.GetOnePngImage(64, 200, false, 1.0f)->Bytes(), neutral->Bytes());
}

}  // namespace
