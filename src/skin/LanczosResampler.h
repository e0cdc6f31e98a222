#pragma once
// A separable windowed-sinc (Lanczos) resampler for ARGB bitmaps. Colour and alpha channels are
// filtered alike, each on its own, and clamped to 0-255.
#include <cstdint>

#include "skin/ArgbBitmap.h"

namespace orv::skin {

class LanczosResampler {
  public:
    // `lobes` is the kernel's width: the number of source pixels on each side of the centre.
    explicit LanczosResampler(int lobes = 3) : lobes_(lobes < 1 ? 1 : lobes) {}

    int Lobes() const { return lobes_; }

    // The kernel sinc(x) * sinc(x / lobes) for |x| < lobes, else 0.
    double Kernel(double x) const;

    // Scales the pixels of srcRect into dstRect, replacing what dst held there. Pixels of dst
    // outside dstRect are untouched. The filter never reads outside srcRect (its edge pixels are
    // repeated), so neighbouring cells of a stripe do not bleed in; parts of srcRect outside src
    // read as transparent black.
    void Transfer(const ArgbBitmap& src, const Rect& srcRect, ArgbBitmap& dst,
                  const Rect& dstRect) const;

  private:
    int lobes_;
};

}  // namespace orv::skin
