#pragma once
// A 32-bit ARGB bitmap in memory: one uint32_t per pixel, 0xAARRGGBB, rows top to bottom.
// Colour and alpha are kept apart (not premultiplied), as the stripe file stores them.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orv::skin {

constexpr uint32_t MakeArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}
constexpr uint32_t AlphaOf(uint32_t c) {
    return c >> 24;
}
constexpr uint32_t RedOf(uint32_t c) {
    return (c >> 16) & 0xFF;
}
constexpr uint32_t GreenOf(uint32_t c) {
    return (c >> 8) & 0xFF;
}
constexpr uint32_t BlueOf(uint32_t c) {
    return c & 0xFF;
}

// Left and top inclusive, right and bottom exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

class ArgbBitmap {
  public:
    // Bitmaps larger than this are refused, so a hostile size is a failure, not an abort.
    static constexpr int64_t kMaxPixels = int64_t{1} << 26;

    // Resizes to w x h with every channel 0; false (and empty) when the size is refused.
    bool SetSize(int32_t w, int32_t h);
    void Clear();

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Pixels outside the bitmap read as fully transparent black; writes there are ignored.
    uint32_t Pixel(int32_t x, int32_t y) const { return Contains(x, y) ? pixels_[Index(x, y)] : 0; }
    void SetPixel(int32_t x, int32_t y, uint32_t c) {
        if (Contains(x, y)) pixels_[Index(x, y)] = c;
    }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    uint32_t* Row(int32_t y) { return pixels_.data() + Index(0, y); }
    const uint32_t* Row(int32_t y) const { return pixels_.data() + Index(0, y); }

  private:
    size_t Index(int32_t x, int32_t y) const {
        return static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
    }

    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace orv::skin
