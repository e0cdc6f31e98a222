#include "skin/PngImage.h"

#include <new>

#include "skin/ArgbBitmap.h"
#include "skin/PngCodec.h"

namespace orv::skin {

TPngImage::TPngImage(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || int64_t{width} * int64_t{height} > ArgbBitmap::kMaxPixels) {
        return;
    }
    try {
        bytes_.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    width_ = width;
    height_ = height;
}

Rgba TPngImage::Pixel(int32_t x, int32_t y) const {
    if (!Contains(x, y)) return {};
    const uint8_t* p = bytes_.data() + Offset(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void TPngImage::SetPixel(int32_t x, int32_t y, Rgba c) {
    if (!Contains(x, y)) return;
    uint8_t* p = bytes_.data() + Offset(x, y);
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

std::vector<uint8_t> TPngImage::EncodePng() const {
    return EncodePngRgba(width_, height_, bytes_.data());
}

}  // namespace orv::skin
