#include "toolkit/ProgressBar.h"

#include <algorithm>
#include <cstdint>

namespace orv::toolkit {

TProgressBar::TProgressBar(TComponent* owner) : TComponent(owner) {}

void TProgressBar::Notify(unsigned what) {
    if (view_ != nullptr) view_->ModelChanged(what);
}

void TProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    if (min == min_ && max == max_) return;
    const int before = FilledWidth();
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    if (FilledWidth() != before) Notify(kRepaint);
}

void TProgressBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (v == position_) return;
    const int before = FilledWidth();
    position_ = v;
    if (FilledWidth() != before) Notify(kRepaint);
}

void TProgressBar::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Notify(kVisibility);
}

void TProgressBar::SetBarColor(TColor c) {
    if (c == barColor_) return;
    barColor_ = c;
    Notify(kRepaint);
}

void TProgressBar::SetColor(TColor c) {
    if (c == color_) return;
    color_ = c;
    Notify(kRepaint);
}

void TProgressBar::SetClientSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Notify(kRepaint);
}

int TProgressBar::FilledWidth() const {
    const int inner = std::max(width_ - 2, 0);
    if (max_ <= min_) return 0;
    // 64-bit: positions near INT_MAX times a wide bar would overflow.
    const int64_t done = int64_t{position_} - min_;
    const int64_t range = int64_t{max_} - min_;
    return static_cast<int>(done * inner / range);
}

void TProgressBar::Paint(TPaintDevice& device) const {
    if (width_ <= 0 || height_ <= 0) return;
    device.SetBrushColor(kFrameColor);
    device.FillRect(TRect{0, 0, width_, height_});
    if (width_ <= 2 || height_ <= 2) return;
    const int filled = FilledWidth();
    device.SetBrushColor(barColor_);
    device.FillRect(TRect{1, 1, 1 + filled, height_ - 1});
    device.SetBrushColor(color_);
    device.FillRect(TRect{1 + filled, 1, width_ - 1, height_ - 1});
}

}  // namespace orv::toolkit
