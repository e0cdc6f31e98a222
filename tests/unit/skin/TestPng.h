#pragma once
// PNG files made and read by the tests with libpng directly, independent of the code under test.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace skintest {

struct Rgb8 {
    uint8_t r, g, b;
};

// One PNG as it will be stored: rows already packed in the file's pixel format.
struct PngFixture {
    int width = 0;
    int height = 0;
    int colorType = 0;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    int flushRows = 0;  // when set, the compressed data is flushed after every that many rows
    std::vector<Rgb8> palette;
    std::vector<uint8_t> paletteAlpha;        // tRNS of a palette picture
    std::optional<uint16_t> transparentGrey;  // tRNS of a grey picture
    std::optional<Rgb8> transparentRgb;       // tRNS of an 8-bit colour picture
    std::vector<std::vector<uint8_t>> rows;
};

std::vector<uint8_t> WritePng(const PngFixture& fixture);

// An 8-bit RGBA PNG whose pixel (x, y) is argb(x, y) as 0xAARRGGBB.
PngFixture ArgbFixture(int width, int height, const std::function<uint32_t(int, int)>& argb);
std::vector<uint8_t> ArgbPng(int width, int height, const std::function<uint32_t(int, int)>& argb,
                             bool interlaced = false);

// Byte offsets of the chunks of a PNG file with the given type ("IDAT").
std::vector<size_t> ChunkOffsets(const std::vector<uint8_t>& png, const char* type);

// Packs values of `bits` bits each into bytes, most significant first.
std::vector<uint8_t> PackBits(int bits, const std::vector<int>& values);
// 16-bit samples, big-endian as PNG stores them.
std::vector<uint8_t> Be16(const std::vector<uint16_t>& samples);

// A PNG read back through libpng's simplified API, as 8-bit R, G, B, A.
struct ReadBack {
    bool ok = false;
    int width = 0;
    int height = 0;
    uint32_t fileFormat = 0;  // PNG_FORMAT_* of the file itself
    std::vector<uint8_t> rgba;
};
ReadBack ReadPng(const std::vector<uint8_t>& bytes);

// A folder under the system's temporary folder, removed with its contents at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace skintest
