#pragma once
// PNG decoding into ARGB and encoding from RGBA over libpng. Any colour type libpng reads is
// accepted (palette, grey, grey with alpha, transparency chunks, 16-bit, interlaced); damaged
// input fails with a message instead of aborting.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "skin/ArgbBitmap.h"

namespace orv::skin {

// Reads a PNG held in memory in two steps, so that the caller can decide from the height how
// many rows it wants before any pixel is decoded. The bytes must outlive the decoder.
class PngDecoder {
  public:
    // Wider or taller pictures are refused before anything is allocated for them.
    static constexpr uint32_t kMaxWidth = 1u << 18;
    static constexpr uint32_t kMaxHeight = 1u << 18;

    explicit PngDecoder(std::span<const uint8_t> bytes);
    ~PngDecoder();
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;

    // Reads the chunks before the image data; Width and Height are valid after success.
    bool ReadHeader();
    int32_t Width() const;
    int32_t Height() const;

    // Decodes the top `rows` rows (at most Height) into out, sized Width x rows. The rest of
    // the image data is not looked at unless the picture is interlaced. Call once.
    bool ReadTopRows(int32_t rows, ArgbBitmap& out);

    // What went wrong, in libpng's words or ours; empty after success.
    std::string Error() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// Decodes a whole PNG; false with out empty on failure.
bool DecodePng(std::span<const uint8_t> bytes, ArgbBitmap& out, std::string* error = nullptr);

// Encodes width x height pixels of 4 bytes (R, G, B, A) as an 8-bit RGBA PNG; empty on failure.
std::vector<uint8_t> EncodePngRgba(int32_t width, int32_t height, const uint8_t* rgba);

}  // namespace orv::skin
