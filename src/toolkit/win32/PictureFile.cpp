#include "toolkit/win32/PictureFile.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/System.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {
namespace {

bool EndsWithIgnoringCase(std::u16string_view text, std::u16string_view end) {
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i) {
        char16_t a = text[text.size() - end.size() + i];
        if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
        if (a != end[i]) return false;
    }
    return true;
}

bool LoadBitmapFile(TPicture& picture, std::u16string_view path) {
    const std::wstring name(path.begin(), path.end());
    // The system reads the bitmap itself, so its size is checked here first.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &attributes)) return false;
    const uint64_t size = uint64_t{attributes.nFileSizeHigh} << 32 | attributes.nFileSizeLow;
    if (size > platform::kMaxPictureFileBytes) {
        platform::DebugOutput(platform::FileTooLargeLine(path, platform::kMaxPictureFileBytes));
        return false;
    }
    UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, name.c_str(), IMAGE_BITMAP, 0, 0,
                                                        LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap) return false;
    BITMAP info{};
    if (GetObjectW(bitmap.Get(), sizeof info, &info) == 0 || info.bmWidth <= 0 ||
        info.bmHeight <= 0) {
        return false;
    }
    const int w = info.bmWidth;
    const int h = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    const HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap.Get(), 0, static_cast<UINT>(h), pixels.data(), &bi,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != h) return false;
    skin::TPngImage image(w, h);
    if (image.Empty()) return false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + x];
            image.SetPixel(x, y,
                           skin::Rgba{static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8),
                                      static_cast<uint8_t>(p), 255});
        }
    }
    picture.Assign(image);
    return true;
}

}  // namespace

bool LoadPictureFile(TPicture& picture, std::u16string_view path) {
    const bool ok = EndsWithIgnoringCase(path, u".png") ? picture.LoadFromPngFile(path)
                                                        : LoadBitmapFile(picture, path);
    if (!ok) platform::DebugOutput(u"Picture file could not be loaded: " + std::u16string(path));
    return ok;
}

}  // namespace orv::toolkit::win32
