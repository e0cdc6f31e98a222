#include "toolkit/Canvas.h"

namespace orv::toolkit {

std::u16string ShortenToFit(TCanvas& canvas, std::u16string_view text, int room) {
    if (canvas.TextWidth(text) <= room) return std::u16string(text);
    static constexpr std::u16string_view kDots = u"...";
    if (canvas.TextWidth(kDots) > room) return {};
    // Widths grow with the length of the start: the longest fitting start is found by
    // halving, so a long path costs a few measurements, not one per character.
    std::u16string candidate;
    auto fits = [&](size_t n) {
        candidate.assign(text.substr(0, n));
        candidate += kDots;
        return canvas.TextWidth(candidate) <= room;
    };
    size_t lo = 0;            // fits
    size_t hi = text.size();  // the whole text does not fit
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        if (fits(mid)) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    // Never split a surrogate pair.
    if (lo > 0 && text[lo - 1] >= 0xD800 && text[lo - 1] < 0xDC00) --lo;
    std::u16string out(text.substr(0, lo));
    out += kDots;
    return out;
}

}  // namespace orv::toolkit
