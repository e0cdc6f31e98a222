#include "toolkit/Graphics.h"

#include "platform/Files.h"
#include "skin/ArgbBitmap.h"
#include "skin/FileBytes.h"
#include "skin/PngCodec.h"

namespace orv::toolkit {

void TFont::SetHeight(int h) {
    if (h == height_) return;
    height_ = h;
    Changed();
}

int TFont::Size() const {
    // Rounded as MulDiv does, so that Size of SetSize(n) is n again.
    const int h = height_ < 0 ? -height_ : height_;
    const int size = (h * 72 + kPixelsPerInch / 2) / kPixelsPerInch;
    return height_ < 0 ? size : -size;
}

void TFont::SetSize(int points) {
    const int p = points < 0 ? -points : points;
    const int h = (p * kPixelsPerInch + 36) / 72;
    SetHeight(points < 0 ? h : -h);
}

void TFont::SetName(std::u16string_view name) {
    if (name == name_) return;
    name_.assign(name);
    Changed();
}

void TFont::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    Changed();
}

void TFont::SetStyle(uint8_t s) {
    if (s == style_) return;
    style_ = s;
    Changed();
}

void TFont::Assign(const TFont& other) {
    if (other == *this) return;
    height_ = other.height_;
    name_ = other.name_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

void TPicture::Assign(const skin::TPngImage& image) {
    if (&image != &image_) image_ = image;
    ++version_;
    if (OnChange) OnChange();
}

void TPicture::Clear() {
    Assign(skin::TPngImage(0, 0));
}

bool TPicture::LoadFromPngFile(std::u16string_view path) {
    std::vector<uint8_t> bytes;
    if (!skin::ReadFileBytes(path, bytes, platform::kMaxPictureFileBytes)) return false;
    skin::ArgbBitmap bitmap;
    if (!skin::DecodePng(bytes, bitmap)) return false;
    skin::TPngImage image(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t c = bitmap.Pixel(x, y);
            image.SetPixel(x, y,
                           skin::Rgba{static_cast<uint8_t>(skin::RedOf(c)),
                                      static_cast<uint8_t>(skin::GreenOf(c)),
                                      static_cast<uint8_t>(skin::BlueOf(c)),
                                      static_cast<uint8_t>(skin::AlphaOf(c))});
        }
    }
    Assign(image);
    return true;
}

void TPngImageList::Add(const skin::TPngImage& image) {
    images_.emplace_back();
    images_.back().Assign(image);
}

const TPicture* TPngImageList::Item(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &images_[static_cast<size_t>(index)];
}

}  // namespace orv::toolkit
