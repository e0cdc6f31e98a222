#pragma once
// A 32-bit memory surface to paint controls into and probe pixel by pixel; the Wine tests of
// every control area share it.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win32/GdiHandles.h"

namespace orv::test {

class Surface {
  public:
    // A new surface is black.
    Surface(int width, int height, COLORREF background = RGB(0, 0, 0))
        : w_(width), h_(height), dc_(nullptr) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
        select_ = std::make_unique<toolkit::win32::SelectScope>(dc_.Get(), bitmap_.Get());
        Fill(background);
    }
    void Fill(COLORREF c) {
        const RECT all{0, 0, w_, h_};
        SetDCBrushColor(dc_.Get(), c);
        FillRect(dc_.Get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return w_; }
    int Height() const { return h_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t p = static_cast<const uint32_t*>(bits_)[y * w_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // Pixels within a rectangle whose colour is within tolerance of c in every channel.
    int CountNear(COLORREF c, int left, int top, int right, int bottom, int tolerance = 40) const {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const COLORREF p = At(x, y);
                n += std::abs(GetRValue(p) - GetRValue(c)) <= tolerance &&
                     std::abs(GetGValue(p) - GetGValue(c)) <= tolerance &&
                     std::abs(GetBValue(p) - GetBValue(c)) <= tolerance;
            }
        }
        return n;
    }

    // Pixels within a rectangle that differ from c by more than tolerance in some channel.
    int CountOther(COLORREF c, int left, int top, int right, int bottom, int tolerance = 30) const {
        return (right - left) * (bottom - top) - CountNear(c, left, top, right, bottom, tolerance);
    }
    // Writes the surface as a 32-bit bitmap file for a person to look at.
    void Save(const std::wstring& path) const {
        GdiFlush();
        BITMAPFILEHEADER fh{};
        BITMAPINFOHEADER ih{};
        ih.biSize = sizeof ih;
        ih.biWidth = w_;
        ih.biHeight = -h_;
        ih.biPlanes = 1;
        ih.biBitCount = 32;
        const DWORD bytes = static_cast<DWORD>(w_ * h_ * 4);
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof ih;
        fh.bfSize = fh.bfOffBits + bytes;
        std::ofstream out(std::filesystem::path(path), std::ios::binary);
        out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
        out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
        // GDI leaves the alpha byte at 0; viewers would show those pixels as transparent.
        std::vector<uint32_t> opaque(static_cast<const uint32_t*>(bits_),
                                     static_cast<const uint32_t*>(bits_) + w_ * h_);
        for (uint32_t& p : opaque) p |= 0xFF000000u;
        out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
    }

  private:
    int w_, h_;
    toolkit::win32::MemoryDC dc_;
    toolkit::win32::UniqueBitmap bitmap_;
    void* bits_ = nullptr;
    std::unique_ptr<toolkit::win32::SelectScope> select_;
};

// Dispatches the pending messages for about ms milliseconds.
inline void PumpFor(int ms) {
    const DWORD until = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (static_cast<int>(until - GetTickCount()) > 0);
}

}  // namespace orv::test
