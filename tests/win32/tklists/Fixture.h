#pragma once
// A 32-bit memory surface to paint the controls into, and a skins folder made for a test.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../buttons/Surface.h"
#include "skin/PngCodec.h"

namespace orv::tklists {

using Pixels = test::Surface;
using test::PumpFor;

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
