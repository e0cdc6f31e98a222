#pragma once
// A 32-bit memory surface to paint the controls into, and a skins folder made for a test.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "skin/PngCodec.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::tklists {

class Pixels {
  public:
    Pixels(int width, int height) : w_(width), h_(height), dc_(nullptr) {
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
    // Pixels in [left, right) x [top, bottom) within tolerance of c in every channel.
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
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
};

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

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

// A preview picture of one opaque colour.
inline std::string SolidPng(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    std::vector<uint8_t> rgba;
    for (int i = 0; i < w * h; ++i) rgba.insert(rgba.end(), {r, g, b, 255});
    const std::vector<uint8_t> png = skin::EncodePngRgba(w, h, rgba.data());
    return std::string(png.begin(), png.end());
}

// A program folder under the temporary folder with skins\alpha (description and a red
// 128 x 84 preview) and skins\beta (a skin.ini without SkinInfo, no preview).
inline std::wstring MakeSkinsFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring root = std::wstring(temp) + name;
    const std::wstring skins = root + L"\\skins";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(skins.c_str(), nullptr);
    CreateDirectoryW((skins + L"\\alpha").c_str(), nullptr);
    CreateDirectoryW((skins + L"\\beta").c_str(), nullptr);
    WriteBytes(skins + L"\\alpha\\skin.ini",
               "[SkinInfo]\r\nDisplayName=Alpha Skin\r\nDisplay1=Dark header, blue buttons\r\n"
               "Display2=Made for the test\r\n");
    WriteBytes(skins + L"\\alpha\\preview_small.png", SolidPng(128, 84, 220, 40, 40));
    WriteBytes(skins + L"\\beta\\skin.ini", "[Header]\r\nColor=clRed\r\n");
    return root;
}

}  // namespace orv::tklists
