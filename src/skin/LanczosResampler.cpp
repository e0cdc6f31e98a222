#include "skin/LanczosResampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace orv::skin {
namespace {

struct Tap {
    int32_t index;  // source position relative to the rectangle's start
    double weight;
};

// Filter taps of every destination position along one axis. Source and destination pixel
// centres are aligned (the rectangles' outer edges meet); when shrinking, the kernel is widened
// by the scale so that every source pixel contributes.
std::vector<std::vector<Tap>> AxisTaps(const LanczosResampler& r, int32_t srcLen, int32_t dstLen) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(dstLen));
    const double scale = static_cast<double>(srcLen) / dstLen;
    const double stretch = std::max(1.0, scale);
    const double support = r.Lobes() * stretch;
    for (int32_t d = 0; d < dstLen; ++d) {
        const double centre = (d + 0.5) * scale - 0.5;
        const auto lo = static_cast<int32_t>(std::ceil(centre - support));
        const auto hi = static_cast<int32_t>(std::floor(centre + support));
        auto& list = taps[static_cast<size_t>(d)];
        double sum = 0;
        for (int32_t i = lo; i <= hi; ++i) {
            const double w = r.Kernel((i - centre) / stretch);
            if (w == 0) continue;
            list.push_back({std::clamp(i, 0, srcLen - 1), w});
            sum += w;
        }
        if (sum != 0) {
            for (auto& t : list) t.weight /= sum;
        }
    }
    return taps;
}

uint32_t ToChannel(double v) {
    return static_cast<uint32_t>(std::clamp(std::floor(v + 0.5), 0.0, 255.0));
}

}  // namespace

double LanczosResampler::Kernel(double x) const {
    x = std::fabs(x);
    if (x >= lobes_) return 0;
    // Exact at whole numbers, so that an unscaled copy reproduces its source bit for bit.
    if (x == std::floor(x)) return x == 0 ? 1.0 : 0.0;
    const double px = std::numbers::pi * x;
    const double pxl = px / lobes_;
    return (std::sin(px) / px) * (std::sin(pxl) / pxl);
}

void LanczosResampler::Transfer(const ArgbBitmap& src, const Rect& srcRect, ArgbBitmap& dst,
                                const Rect& dstRect) const {
    if (srcRect.Empty() || dstRect.Empty()) return;
    const int32_t sw = srcRect.Width(), sh = srcRect.Height();
    const int32_t dw = dstRect.Width(), dh = dstRect.Height();
    const auto xTaps = AxisTaps(*this, sw, dw);
    const auto yTaps = AxisTaps(*this, sh, dh);

    // Horizontal pass into a buffer of sh rows by dw columns, 4 channels A, R, G, B.
    std::vector<double> mid(static_cast<size_t>(sh) * static_cast<size_t>(dw) * 4, 0.0);
    std::vector<uint32_t> line(static_cast<size_t>(sw));
    for (int32_t y = 0; y < sh; ++y) {
        for (int32_t x = 0; x < sw; ++x)
            line[static_cast<size_t>(x)] = src.Pixel(srcRect.left + x, srcRect.top + y);
        double* out = mid.data() + static_cast<size_t>(y) * static_cast<size_t>(dw) * 4;
        for (int32_t dx = 0; dx < dw; ++dx, out += 4) {
            for (const Tap& t : xTaps[static_cast<size_t>(dx)]) {
                const uint32_t c = line[static_cast<size_t>(t.index)];
                out[0] += t.weight * AlphaOf(c);
                out[1] += t.weight * RedOf(c);
                out[2] += t.weight * GreenOf(c);
                out[3] += t.weight * BlueOf(c);
            }
        }
    }

    // Vertical pass, rounded and clamped into the destination.
    for (int32_t dy = 0; dy < dh; ++dy) {
        for (int32_t dx = 0; dx < dw; ++dx) {
            double acc[4] = {0, 0, 0, 0};
            for (const Tap& t : yTaps[static_cast<size_t>(dy)]) {
                const double* in =
                    mid.data() + (static_cast<size_t>(t.index) * static_cast<size_t>(dw) +
                                  static_cast<size_t>(dx)) *
                                     4;
                for (int k = 0; k < 4; ++k) acc[k] += t.weight * in[k];
            }
            dst.SetPixel(dstRect.left + dx, dstRect.top + dy,
                         MakeArgb(ToChannel(acc[0]), ToChannel(acc[1]), ToChannel(acc[2]),
                                  ToChannel(acc[3])));
        }
    }
}

}  // namespace orv::skin
