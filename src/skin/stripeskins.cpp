#include "skin/stripeskins.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/Text.h"
#include "platform/System.h"
#include "skin/FileBytes.h"
#include "skin/PngCodec.h"

namespace orv::skin {

int32_t TStripeSkinner::SnapHeight(int32_t h) {
    if (h < 16) return h;
    if (h < 24) return 16;
    if (h < 32) return 24;
    if (h < 48) return 32;
    if (h < 64) return 48;
    if (h < 80) return 64;
    if (h < 128) return h;
    return 128;
}

int32_t TStripeSkinner::Fail(const char* what, std::u16string_view source) {
    FBitmap.Clear();
    Fimages = 0;
    FImageSize = 0;
    std::u16string line = u"*** LoadFromStripeFile -> error: ";
    line += Utf8ToUtf16(what);
    if (!source.empty()) {
        line += u" ; ";
        line += source;
    }
    platform::DebugOutput(line);
    return 0;
}

int32_t TStripeSkinner::LoadFromStripeFile(std::u16string_view Filename) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(Filename, bytes, kMaxFileBytes)) return Fail("cannot read", Filename);
    return LoadBytes(bytes, Filename);
}

int32_t TStripeSkinner::LoadFromStripeBytes(std::span<const uint8_t> bytes) {
    return LoadBytes(bytes, {});
}

int32_t TStripeSkinner::LoadBytes(std::span<const uint8_t> bytes, std::u16string_view source) {
    FBitmap.Clear();
    Fimages = 0;
    FImageSize = 0;

    PngDecoder decoder(bytes);
    if (!decoder.ReadHeader()) return Fail(decoder.Error().c_str(), source);
    const int32_t size = SnapHeight(decoder.Height());
    // The rows below the cell size are cropped away; they are not even decoded.
    ArgbBitmap picture;
    if (!decoder.ReadTopRows(size, picture)) return Fail(decoder.Error().c_str(), source);

    FBitmap = std::move(picture);
    FImageSize = size;
    Fimages = FBitmap.Width() / FImageSize;
    return Fimages;
}

uint8_t BlendAlpha(uint8_t a, float blendfactor) {
    if (blendfactor == 1.0f) return a;
    // Exact in double: a tie is a true tie, not one made by float rounding.
    const double v = a * static_cast<double>(blendfactor);
    if (!(v > 0)) return 0;  // also NaN
    if (v >= 255) return 255;
    const double whole = std::floor(v);
    auto r = static_cast<int>(whole);
    const double frac = v - whole;
    if (frac > 0.5 || (frac == 0.5 && (r & 1) != 0)) ++r;
    return static_cast<uint8_t>(r);
}

uint8_t GrayIntensity(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint8_t>((r * 61 + g * 174 + b * 21) >> 8);
}

std::unique_ptr<TPngImage> TStripeSkinner::GetOnePngImage(int32_t targetsize, int32_t index,
                                                          bool grayscale, float blendfactor) const {
    if (index < 0 || index >= Fimages) {
        platform::DebugOutput(u"*** GetOnePngImage -> error 1 ; FImages=" + ToDecimal(Fimages));
        index = ErrorIndex;
    }
    if (targetsize < 1 || targetsize > kMaxTargetSize) return nullptr;

    ArgbBitmap temp;
    if (!temp.SetSize(targetsize, targetsize)) return nullptr;
    // A cell that lies beyond the stripe (or beyond int32 coordinates) stays transparent.
    const int64_t left = int64_t{index} * kCellPitch;
    if (left >= 0 && left + kCellPitch <= std::numeric_limits<int32_t>::max()) {
        const auto l = static_cast<int32_t>(left);
        FResampler.Transfer(FBitmap, Rect{l, 0, l + kCellUsed, kCellUsed}, temp,
                            Rect{0, 0, targetsize - 1, targetsize - 1});
    }

    auto image = std::make_unique<TPngImage>(targetsize, targetsize);
    if (image->Empty()) return nullptr;
    for (int32_t x = 0; x < targetsize; ++x) {
        for (int32_t y = 0; y < targetsize; ++y) {
            const uint32_t c = temp.Pixel(x, y);
            auto r = static_cast<uint8_t>(RedOf(c));
            auto g = static_cast<uint8_t>(GreenOf(c));
            auto b = static_cast<uint8_t>(BlueOf(c));
            if (grayscale) r = g = b = GrayIntensity(r, g, b);
            image->SetPixel(x, y,
                            {r, g, b, BlendAlpha(static_cast<uint8_t>(AlphaOf(c)), blendfactor)});
        }
    }
    return image;
}

int32_t TStripeSkinner::AddOneToImageList(TStripeImageList& PngImageList, int32_t index,
                                          bool grayscale, float blendfactor) const {
    const auto image = GetOnePngImage(PngImageList.Width(), index, grayscale, blendfactor);
    if (!image) return -1;
    PngImageList.BeginUpdate();
    PngImageList.Add(*image);
    PngImageList.EndUpdate();
    return PngImageList.Count() - 1;
}

bool TStripeSkinner::CopyToPicture(int32_t targetsize, TStripePicture& Picture, int32_t index,
                                   bool grayscale, float blendfactor) const {
    const auto image = GetOnePngImage(targetsize, index, grayscale, blendfactor);
    if (!image) return false;
    Picture.Assign(*image);
    return true;
}

}  // namespace orv::skin
