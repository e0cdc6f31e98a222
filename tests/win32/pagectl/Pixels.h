#pragma once
// A 32-bit memory surface to paint controls into and probe, and a message pump for tests.
#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "toolkit/win32/GdiHandles.h"

namespace orv::pagectl {

class Pixels {
  public:
    Pixels(int width, int height) : w_(width), dc_(nullptr) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
        old_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~Pixels() { SelectObject(dc_.Get(), old_); }
    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = static_cast<const uint32_t*>(bits_)[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels in [left, right) x [top, bottom) that differ from c by more than tolerance.
    int CountOther(COLORREF c, int left, int top, int right, int bottom, int tolerance = 30) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const COLORREF p = At(x, y);
                n += std::abs(GetRValue(p) - GetRValue(c)) > tolerance ||
                     std::abs(GetGValue(p) - GetGValue(c)) > tolerance ||
                     std::abs(GetBValue(p) - GetBValue(c)) > tolerance;
            }
        }
        return n;
    }

  private:
    int w_;
    toolkit::win32::MemoryDC dc_;
    toolkit::win32::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

inline void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace orv::pagectl
