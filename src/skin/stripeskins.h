#pragma once
// TStripeSkinner: every small picture of the program comes from one PNG, the stripe, a single
// row of square icon cells at a pitch of 64 pixels. The stripe is decoded once; each request cuts
// one cell, scales it with a Lanczos-3 filter and hands out a new picture.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/Files.h"
#include "skin/ArgbBitmap.h"
#include "skin/LanczosResampler.h"
#include "skin/PngImage.h"

namespace orv::skin {

// A PNG image list of the toolkit, as far as the skinner fills it.
class TStripeImageList {
  public:
    virtual ~TStripeImageList() = default;
    // The list's image width: cells are cut at this size.
    virtual int32_t Width() const = 0;
    virtual int32_t Count() const = 0;
    // Appends a copy of the image as the last entry.
    virtual void Add(const TPngImage& image) = 0;
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
};

// A picture of the toolkit that takes a copy of an image.
class TStripePicture {
  public:
    virtual ~TStripePicture() = default;
    virtual void Assign(const TPngImage& image) = 0;
};

class TStripeSkinner {
  public:
    // Cells are cut at this pitch whatever the stripe height; only the top-left 63 x 63 pixels
    // of a cell are used.
    static constexpr int32_t kCellPitch = 64;
    static constexpr int32_t kCellUsed = 63;
    // Larger requests give no image instead of exhausting memory.
    static constexpr int32_t kMaxTargetSize = 4096;
    // Stripe files larger than this are not read.
    static constexpr size_t kMaxFileBytes = platform::kMaxStripeFileBytes;

    TStripeSkinner() = default;
    TStripeSkinner(const TStripeSkinner&) = delete;
    TStripeSkinner& operator=(const TStripeSkinner&) = delete;

    // The cell size a stripe of height h gets.
    static int32_t SnapHeight(int32_t h);

    // Loads and prepares the stripe; returns the number of cells. A file that cannot be read or
    // decoded leaves an empty stripe (no cells), writes one debug line and returns 0.
    int32_t LoadFromStripeFile(std::u16string_view Filename);
    // The same for a stripe already in memory.
    int32_t LoadFromStripeBytes(std::span<const uint8_t> bytes);

    // A new targetsize x targetsize picture of cell `index`; an index outside 0 to Fimages - 1
    // writes a debug line and cuts ErrorIndex instead. Null when no image can be made
    // (targetsize below 1 or above kMaxTargetSize).
    std::unique_ptr<TPngImage> GetOnePngImage(int32_t targetsize, int32_t index, bool grayscale,
                                              float blendfactor) const;
    // Appends cell `index`, cut at the list's width; the new entry's position, or -1.
    int32_t AddOneToImageList(TStripeImageList& PngImageList, int32_t index, bool grayscale,
                              float blendfactor) const;
    // Gives the picture a copy of cell `index` cut at targetsize; false when none can be made.
    bool CopyToPicture(int32_t targetsize, TStripePicture& Picture, int32_t index, bool grayscale,
                       float blendfactor) const;

    int32_t Images() const { return Fimages; }
    int32_t ImageSize() const { return FImageSize; }
    const ArgbBitmap& Bitmap() const { return FBitmap; }

    // Cell used instead of an index that is out of range; the main window sets 1 after loading.
    int32_t ErrorIndex = 0;

  private:
    int32_t LoadBytes(std::span<const uint8_t> bytes, std::u16string_view source);
    // Leaves an empty stripe and writes the debug line; source names the file, if any.
    int32_t Fail(const char* what, std::u16string_view source);

    int32_t Fimages = 0;
    int32_t FImageSize = 0;
    ArgbBitmap FBitmap;
    LanczosResampler FResampler{3};
};

// The alpha value that a blend factor makes of a: a itself for exactly 1.0, otherwise
// a x blendfactor rounded to the nearest integer, halves to the even one, kept within 0-255.
uint8_t BlendAlpha(uint8_t a, float blendfactor);
// The grey of a colour: (R x 61 + G x 174 + B x 21) shr 8.
uint8_t GrayIntensity(uint8_t r, uint8_t g, uint8_t b);

}  // namespace orv::skin
