#include "skin/ArgbBitmap.h"

#include <new>

namespace orv::skin {

bool ArgbBitmap::SetSize(int32_t w, int32_t h) {
    Clear();
    if (w < 0 || h < 0 || int64_t{w} * int64_t{h} > kMaxPixels) return false;
    try {
        pixels_.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
    } catch (const std::bad_alloc&) {
        return false;
    }
    width_ = w;
    height_ = h;
    return true;
}

void ArgbBitmap::Clear() {
    std::vector<uint32_t>().swap(pixels_);
    width_ = 0;
    height_ = 0;
}

}  // namespace orv::skin
