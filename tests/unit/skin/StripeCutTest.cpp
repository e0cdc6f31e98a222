// Cutting cells: the exact rectangles, the Lanczos-3 scaling against a plain reference, the
// error cell, the grey and blend-factor rules and the two toolkit hand-overs.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include "TestPng.h"
#include "platform/posix/Capture.h"
#include "skin/stripeskins.h"

namespace orv::skin {
void PrintTo(const Rgba& c, std::ostream* os) {
    *os << "rgba(" << int{c.r} << "," << int{c.g} << "," << int{c.b} << "," << int{c.a} << ")";
}
}  // namespace orv::skin

namespace {

using orv::skin::AlphaOf;
using orv::skin::BlendAlpha;
using orv::skin::BlueOf;
using orv::skin::GrayIntensity;
using orv::skin::GreenOf;
using orv::skin::MakeArgb;
using orv::skin::RedOf;
using orv::skin::Rgba;
using orv::skin::TPngImage;
using orv::skin::TStripeSkinner;
namespace capture = orv::platform::posix;

Rgba ToRgba(uint32_t argb) {
    return {static_cast<uint8_t>(RedOf(argb)), static_cast<uint8_t>(GreenOf(argb)),
            static_cast<uint8_t>(BlueOf(argb)), static_cast<uint8_t>(AlphaOf(argb))};
}

void Load(TStripeSkinner& s, int width, int height, const std::function<uint32_t(int, int)>& argb) {
    ASSERT_GT(s.LoadFromStripeBytes(skintest::ArgbPng(width, height, argb)), 0);
}

// Cell 3 of five holds a busy pattern; its unused 64th column and row and the neighbouring
// cells hold colours that must never show up.
uint32_t BusyStripe(int x, int y) {
    const int cell = x / 64, cx = x % 64;
    if (cell != 3) return MakeArgb(255, 255, 0, 255);
    if (cx == 63 || y == 63) return MakeArgb(255, 0, 255, 0);
    return MakeArgb((cx * 4 + y) & 0xFF, (cx * 37 + y * 11) & 0xFF, (cx ^ y) * 4 & 0xFF,
                    (cx * y) & 0xFF);
}

TEST(StripeCut, Size64CopiesTheCellUnscaledAndLeavesTheLastRowAndColumnEmpty) {
    TStripeSkinner s;
    Load(s, 320, 64, BusyStripe);
    const auto image = s.GetOnePngImage(64, 3, false, 1.0f);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->Width(), 64);
    ASSERT_EQ(image->Height(), 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Rgba want = (x == 63 || y == 63) ? Rgba{} : ToRgba(BusyStripe(3 * 64 + x, y));
            ASSERT_EQ(image->Pixel(x, y), want) << x << "," << y;
        }
    }
}

// The textbook definition, summed over the whole source for every destination pixel, with
// the source's edge pixels repeated outwards.
double Sinc(double x) {
    return x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
}
double Lanczos3(double x) {
    return std::fabs(x) < 3 ? Sinc(x) * Sinc(x / 3) : 0.0;
}

std::vector<uint32_t> ReferenceScale(const std::function<uint32_t(int, int)>& src, int n, int m) {
    const double scale = static_cast<double>(n) / m;
    const double stretch = std::max(1.0, scale);
    auto weight = [&](int d, int i) { return Lanczos3((i - ((d + 0.5) * scale - 0.5)) / stretch); };
    std::vector<uint32_t> out;
    for (int dy = 0; dy < m; ++dy) {
        for (int dx = 0; dx < m; ++dx) {
            double sum[4] = {0, 0, 0, 0}, total = 0;
            for (int j = -n; j < 2 * n; ++j) {
                const double wy = weight(dy, j);
                if (wy == 0) continue;
                for (int i = -n; i < 2 * n; ++i) {
                    const double w = wy * weight(dx, i);
                    if (w == 0) continue;
                    const uint32_t c = src(std::clamp(i, 0, n - 1), std::clamp(j, 0, n - 1));
                    const uint32_t ch[4] = {AlphaOf(c), RedOf(c), GreenOf(c), BlueOf(c)};
                    for (int k = 0; k < 4; ++k) sum[k] += w * ch[k];
                    total += w;
                }
            }
            uint32_t v[4];
            for (int k = 0; k < 4; ++k)
                v[k] = static_cast<uint32_t>(std::clamp(std::round(sum[k] / total), 0.0, 255.0));
            out.push_back(MakeArgb(v[0], v[1], v[2], v[3]));
        }
    }
    return out;
}

// Smooth shading, a hard-edged opaque square (whose ringing must be clamped, not wrapped) and
// a soft alpha ramp.
uint32_t IconLike(int x, int y) {
    if (x >= 20 && x < 44 && y >= 20 && y < 44) return MakeArgb(255, 255, 255, 255);
    const int a = std::min(255, (x + y) * 3);
    return MakeArgb(a, (x * 4) & 0xFF, (y * 4) & 0xFF, ((x + y) * 2) & 0xFF);
}

TEST(StripeCut, ScalingMatchesAPlainLanczos3) {
    // Cell 1 holds the icon; cells 0 and 2 are opaque red, which must not bleed in.
    auto stripe = [](int x, int y) {
        return x / 64 == 1 ? IconLike(x % 64, y) : MakeArgb(255, 255, 0, 0);
    };
    TStripeSkinner s;
    Load(s, 192, 64, stripe);
    for (const int target : {16, 24, 32, 48, 100, 128}) {
        SCOPED_TRACE("target " + std::to_string(target));
        const auto image = s.GetOnePngImage(target, 1, false, 1.0f);
        ASSERT_NE(image, nullptr);
        const int m = target - 1;
        const auto want = ReferenceScale([&](int x, int y) { return IconLike(x, y); }, 63, m);
        int worst = 0;
        for (int y = 0; y < target; ++y) {
            for (int x = 0; x < target; ++x) {
                const Rgba got = image->Pixel(x, y);
                if (x == m || y == m) {
                    ASSERT_EQ(got, Rgba{}) << x << "," << y;
                    continue;
                }
                const Rgba w = ToRgba(want[static_cast<size_t>(y * m + x)]);
                worst = std::max({worst, std::abs(got.r - w.r), std::abs(got.g - w.g),
                                  std::abs(got.b - w.b), std::abs(got.a - w.a)});
            }
        }
        EXPECT_LE(worst, 1);
        // The middle of the white square stays white.
        EXPECT_EQ(image->Pixel(m / 2, m / 2), (Rgba{255, 255, 255, 255}));
    }
}

TEST(StripeCut, NeighbouringCellsDoNotBleedIn) {
    auto stripe = [](int x, int) {
        return x / 64 == 1 ? MakeArgb(200, 10, 120, 30) : MakeArgb(255, 255, 255, 255);
    };
    TStripeSkinner s;
    Load(s, 192, 64, stripe);
    for (const int target : {16, 48, 200}) {
        const auto image = s.GetOnePngImage(target, 1, false, 1.0f);
        ASSERT_NE(image, nullptr);
        for (int y = 0; y < target - 1; ++y)
            for (int x = 0; x < target - 1; ++x)
                ASSERT_EQ(image->Pixel(x, y), (Rgba{10, 120, 30, 200}))
                    << target << ":" << x << "," << y;
    }
}

// Every cell of a full stripe carries its number in red and green.
uint32_t NumberedCells(int x, int) {
    return MakeArgb(255, (x / 64) & 0xFF, (x / 64) >> 8, 77);
}

TEST(StripeCut, IndexesOutsideTheStripeGiveTheErrorCellAndOneDebugLine) {
    TStripeSkinner s;
    Load(s, 16384, 64, NumberedCells);
    ASSERT_EQ(s.Images(), 256);
    s.ErrorIndex = 1;
    const struct {
        int index;
        int cell;
        bool logged;
    } cases[] = {{0, 0, false},  {200, 200, false}, {255, 255, false},
                 {256, 1, true}, {100000, 1, true}, {-1, 1, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("index " + std::to_string(c.index));
        capture::ClearCaptures();
        const auto image = s.GetOnePngImage(32, c.index, false, 1.0f);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->Pixel(10, 10), ToRgba(NumberedCells(c.cell * 64, 0)));
        if (c.logged) {
            EXPECT_EQ(capture::CapturedDebugLines(),
                      std::vector<std::u16string>{u"*** GetOnePngImage -> error 1 ; FImages=256"});
        } else {
            EXPECT_TRUE(capture::CapturedDebugLines().empty());
        }
    }
}

TEST(StripeCut, AnErrorCellBeyondTheStripeIsTransparent) {
    const struct {
        int stripeWidth;
        int errorIndex;
    } cases[] = {{64, 0}, {64, 5}, {128, -3}, {128, 2147483647}};
    for (const auto& c : cases) {
        TStripeSkinner s;
        Load(s, c.stripeWidth, 64, NumberedCells);
        s.ErrorIndex = c.errorIndex;
        const auto image = s.GetOnePngImage(16, 999, false, 1.0f);
        ASSERT_NE(image, nullptr);
        const bool inside = c.errorIndex >= 0 && c.errorIndex < c.stripeWidth / 64;
        EXPECT_EQ(image->Pixel(4, 4), inside ? ToRgba(NumberedCells(c.errorIndex * 64, 0)) : Rgba{})
            << c.errorIndex;
    }
    // Nothing loaded: no cells, every request gets the (missing) error cell.
    TStripeSkinner empty;
    capture::ClearCaptures();
    const auto image = empty.GetOnePngImage(24, 0, false, 1.0f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 24);
    for (uint8_t v : image->Bytes()) ASSERT_EQ(v, 0);
    EXPECT_EQ(capture::CapturedDebugLines(),
              std::vector<std::u16string>{u"*** GetOnePngImage -> error 1 ; FImages=0"});
}

// A stripe lower than a cell: what lies below it is transparent.
TEST(StripeCut, RowsBelowALowStripeAreTransparent) {
    TStripeSkinner s;
    Load(s, 640, 10, [](int, int y) { return MakeArgb(255, 9, y, 90); });
    ASSERT_EQ(s.ImageSize(), 10);
    const auto image = s.GetOnePngImage(64, 0, false, 1.0f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Pixel(5, 9), (Rgba{9, 9, 90, 255}));
    EXPECT_EQ(image->Pixel(5, 10), Rgba{});
}

TEST(StripeCut, TargetSizesThatGiveNoImage) {
    TStripeSkinner s;
    Load(s, 128, 64, NumberedCells);
    for (const int target : {0, -1, -64, TStripeSkinner::kMaxTargetSize + 1}) {
        EXPECT_EQ(s.GetOnePngImage(target, 1, false, 1.0f), nullptr) << target;
    }
    // One pixel: the destination rectangle is empty, so the pixel is transparent.
    const auto one = s.GetOnePngImage(1, 1, false, 1.0f);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->Pixel(0, 0), Rgba{});
}

TEST(StripeCut, BlendFactorRoundsHalvesToEven) {
    const struct {
        int alpha;
        float factor;
        int want;
    } cases[] = {
        {255, 0.5f, 128},
        {5, 0.5f, 2},
        {3, 0.5f, 2},
        {1, 0.5f, 0},
        {7, 0.5f, 4},
        {200, 0.25f, 50},
        {255, 0.0f, 0},
        {201, 1.0f, 201},
        {0, 0.5f, 0},
        {255, 0.3f, 77},
        // Outside 0 to 1 the result stays a valid alpha value instead of wrapping.
        {255, 2.0f, 255},
        {200, 1.5f, 255},
        {100, -1.0f, 0},
        {100, NAN, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlendAlpha(static_cast<uint8_t>(c.alpha), c.factor), c.want)
            << c.alpha << " x " << c.factor;
    }
    // Applied per pixel of a cut image: alpha 255 and 5 at 0.5, colours untouched.
    TStripeSkinner s;
    Load(s, 64, 64,
         [](int x, int) { return x < 32 ? MakeArgb(255, 10, 20, 30) : MakeArgb(5, 40, 50, 60); });
    const auto image = s.GetOnePngImage(64, 0, false, 0.5f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Pixel(3, 3), (Rgba{10, 20, 30, 128}));
    EXPECT_EQ(image->Pixel(40, 3), (Rgba{40, 50, 60, 2}));
    const auto full = s.GetOnePngImage(64, 0, false, 1.0f);
    EXPECT_EQ(full->Pixel(40, 3), (Rgba{40, 50, 60, 5}));
}

TEST(StripeCut, GrayscaleUsesTheWeightedIntensity) {
    const struct {
        int r, g, b, want;
    } cases[] = {{255, 0, 0, 60},      {0, 255, 0, 173}, {0, 0, 255, 20},
                 {255, 255, 255, 255}, {0, 0, 0, 0},     {100, 150, 200, 142}};
    for (const auto& c : cases) {
        EXPECT_EQ(GrayIntensity(static_cast<uint8_t>(c.r), static_cast<uint8_t>(c.g),
                                static_cast<uint8_t>(c.b)),
                  c.want);
    }
    TStripeSkinner s;
    Load(s, 64, 64, [](int, int) { return MakeArgb(255, 255, 0, 0); });
    const auto image = s.GetOnePngImage(48, 0, true, 1.0f);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Pixel(20, 20), (Rgba{60, 60, 60, 255}));
}

TEST(StripeCut, ResultEncodesAsAnRgbaPng) {
    TStripeSkinner s;
    Load(s, 320, 64, BusyStripe);
    const auto image = s.GetOnePngImage(24, 3, false, 1.0f);
    ASSERT_NE(image, nullptr);
    const auto back = skintest::ReadPng(image->EncodePng());
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.fileFormat, static_cast<uint32_t>(PNG_FORMAT_RGBA));
    EXPECT_EQ(back.width, 24);
    EXPECT_EQ(back.height, 24);
    EXPECT_EQ(back.rgba, image->Bytes());
}

class FakeImageList final : public orv::skin::TStripeImageList {
  public:
    explicit FakeImageList(int width) : width_(width) {}
    int32_t Width() const override { return width_; }
    int32_t Count() const override { return static_cast<int32_t>(images.size()); }
    void Add(const TPngImage& image) override {
        EXPECT_EQ(depth, 1) << "added outside the update bracket";
        images.push_back(image);
    }
    void BeginUpdate() override { ++depth, ++brackets; }
    void EndUpdate() override { --depth; }
    std::vector<TPngImage> images;
    int depth = 0;
    int brackets = 0;

  private:
    int width_;
};

class FakePicture final : public orv::skin::TStripePicture {
  public:
    void Assign(const TPngImage& image) override { assigned.push_back(image); }
    std::vector<TPngImage> assigned;
};

TEST(StripeCut, ImageListsAndPicturesGetCopies) {
    TStripeSkinner s;
    Load(s, 16384, 64, NumberedCells);
    FakeImageList list(16);
    const int cells[] = {166, 167, 168, 169, 49};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.AddOneToImageList(list, cells[i], false, 1.0f), i);
    ASSERT_EQ(list.images.size(), 5u);
    EXPECT_EQ(list.brackets, 5);
    EXPECT_EQ(list.depth, 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.images[static_cast<size_t>(i)].Width(), 16);
        EXPECT_EQ(list.images[static_cast<size_t>(i)].Pixel(7, 7),
                  ToRgba(NumberedCells(cells[i] * 64, 0)));
    }
    FakeImageList broken(0);
    EXPECT_EQ(s.AddOneToImageList(broken, 2, false, 1.0f), -1);
    EXPECT_TRUE(broken.images.empty());

    FakePicture picture;
    EXPECT_TRUE(s.CopyToPicture(48, picture, 101, false, 1.0f));
    ASSERT_EQ(picture.assigned.size(), 1u);
    EXPECT_EQ(picture.assigned[0].Width(), 48);
    EXPECT_EQ(picture.assigned[0].Pixel(30, 30), ToRgba(NumberedCells(101 * 64, 0)));
    EXPECT_FALSE(s.CopyToPicture(0, picture, 101, false, 1.0f));
    EXPECT_EQ(picture.assigned.size(), 1u);
}

}  // namespace
