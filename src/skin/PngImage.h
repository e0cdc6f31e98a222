#pragma once
// TPngImage: a PNG picture in memory, 8 bits per channel, red-green-blue with a separate alpha
// channel. This is what the stripe skinner hands out; the toolkit's image lists and pictures
// take copies of it.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::skin {

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

class TPngImage {
  public:
    // A fully transparent black picture; a refused size gives an empty one (0 x 0).
    TPngImage(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Outside the picture reads give transparent black and writes are ignored.
    Rgba Pixel(int32_t x, int32_t y) const;
    void SetPixel(int32_t x, int32_t y, Rgba c);
    // Rows top to bottom, 4 bytes per pixel in the order R, G, B, A.
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

    // The picture as a PNG file (colour type RGB with alpha, 8 bits); empty on failure.
    std::vector<uint8_t> EncodePng() const;

  private:
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    size_t Offset(int32_t x, int32_t y) const {
        return (static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)) * 4;
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint8_t> bytes_;
};

}  // namespace orv::skin
