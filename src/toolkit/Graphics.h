#pragma once
// Fonts, pictures and image lists of the toolkit: plain values that controls own and copy.
// Pictures hold an RGBA image with straight alpha; each platform turns it into what it draws.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "skin/PngImage.h"
#include "skin/stripeskins.h"
#include "toolkit/Canvas.h"

namespace orv::toolkit {

// Screen resolution the pixel heights of point sizes are computed for.
inline constexpr int kPixelsPerInch = 96;

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

class TFont {
  public:
    // Negative: character height in pixels; positive: cell height; 0: the system's default.
    int Height() const { return height_; }
    void SetHeight(int h);
    // Points, derived from the height at kPixelsPerInch.
    int Size() const;
    void SetSize(int points);
    const std::u16string& Name() const { return name_; }
    void SetName(std::u16string_view name);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    uint8_t Style() const { return style_; }
    void SetStyle(uint8_t s);
    void Assign(const TFont& other);
    bool operator==(const TFont& o) const {
        return height_ == o.height_ && name_ == o.name_ && color_ == o.color_ && style_ == o.style_;
    }

    std::function<void()> OnChange;

  private:
    void Changed() {
        if (OnChange) OnChange();
    }
    // The toolkit's default font: Tahoma, 8 points.
    int height_ = -11;
    std::u16string name_ = u"Tahoma";
    TColor color_ = 0;
    uint8_t style_ = 0;
};

// A picture with alpha. Empty until something is assigned.
class TPicture : public skin::TStripePicture {
  public:
    TPicture() = default;
    TPicture(const TPicture& other) : image_(other.image_) {}
    TPicture& operator=(const TPicture&) = delete;

    void Assign(const skin::TPngImage& image) override;
    void Assign(const TPicture& other) { Assign(other.image_); }
    void Clear();
    // Decodes a PNG file; false (and the picture unchanged) when it cannot be read.
    bool LoadFromPngFile(std::u16string_view path);

    int Width() const { return image_.Width(); }
    int Height() const { return image_.Height(); }
    bool Empty() const { return image_.Empty(); }
    const skin::TPngImage& Image() const { return image_; }
    // Changes with every assignment, so that drawing code can keep a converted copy.
    uint32_t Version() const { return version_; }

    std::function<void()> OnChange;

  private:
    skin::TPngImage image_{0, 0};
    uint32_t version_ = 0;
};

// A list of equally sized pictures with alpha, drawn by index.
class TPngImageList : public skin::TStripeImageList {
  public:
    TPngImageList(int width = 16, int height = 16) : width_(width), height_(height) {}
    int32_t Width() const override { return width_; }
    int32_t Height() const { return height_; }
    int32_t Count() const override { return static_cast<int32_t>(images_.size()); }
    void Add(const skin::TPngImage& image) override;
    void Clear() { images_.clear(); }
    // Null for an index outside the list.
    const TPicture* Item(int index) const;

  private:
    int width_;
    int height_;
    std::vector<TPicture> images_;
};

}  // namespace orv::toolkit
