// Where the tooltip window takes its background from: the skin's own "\ToolTips.bmp", else the
// program folder's "\skins\ToolTips.bmp", else none (and a debug line).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "skin/win32/Form_ToolTips.h"

namespace orv::skin {
namespace {

// Writes a 24-bit bitmap file of one colour.
bool WriteBitmap(const std::wstring& path, int w, int h, COLORREF c) {
    const int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = static_cast<DWORD>(stride * h);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::vector<uint8_t> pixels(ih.biSizeImage);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &pixels[y * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (f == nullptr) return false;
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&ih, sizeof ih, 1, f);
    fwrite(pixels.data(), 1, pixels.size(), f);
    fclose(f);
    return true;
}

std::u16string U16(const std::wstring& s) {
    return std::u16string(s.begin(), s.end());
}

TEST(ToolTipPictures, SkinThenProgramFolderThenNone) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"orvella-tooltip-pictures";
    const std::wstring skin = root + L"\\skins\\Blue";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\skins").c_str(), nullptr);
    CreateDirectoryW(skin.c_str(), nullptr);
    ASSERT_TRUE(WriteBitmap(root + L"\\skins\\ToolTips.bmp", 36, 13, RGB(0, 128, 0)));
    DeleteFileW((skin + L"\\ToolTips.bmp").c_str());

    struct Case {
        const char* what;
        bool skinHasOwn;
        std::wstring program;
        int wantWidth;
        uint8_t wantGreen;
    };
    const Case cases[] = {
        {"the program folder's copy", false, root, 36, 128},
        {"the skin's own", true, root, 360, 255},
        {"none at all", false, root + L"\\missing", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.skinHasOwn)
            ASSERT_TRUE(WriteBitmap(skin + L"\\ToolTips.bmp", 360, 130, RGB(0, 255, 0)));
        win32::TFormToolTips form;
        form.LoadPictures(U16(skin), U16(c.program), nullptr);
        EXPECT_EQ(form.Image_Background->Picture().Width(), c.wantWidth);
        if (c.wantWidth > 0) {
            const Rgba p = form.Image_Background->Picture().Image().Pixel(1, 1);
            EXPECT_EQ(p.g, c.wantGreen);
            EXPECT_EQ(p.a, 255);
        }
        if (c.skinHasOwn) DeleteFileW((skin + L"\\ToolTips.bmp").c_str());
    }
}

}  // namespace
}  // namespace orv::skin
