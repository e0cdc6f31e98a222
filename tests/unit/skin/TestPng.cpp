#include "TestPng.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace skintest {
namespace {

void Append(png_structp png, png_bytep data, size_t len) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + len);
}
void NoFlush(png_structp) {}

// Kept apart from WritePng so that no object with a destructor lives across the setjmp.
bool WriteInto(png_structp png, png_infop info, const PngFixture& fixture,
               std::vector<uint8_t>* out, std::vector<png_color>* palette,
               std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, out, Append, NoFlush);
    png_set_IHDR(png, info, fixture.width, fixture.height, fixture.bitDepth, fixture.colorType,
                 fixture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette->empty())
        png_set_PLTE(png, info, palette->data(), static_cast<int>(palette->size()));
    png_color_16 trans{};
    if (!fixture.paletteAlpha.empty()) {
        png_set_tRNS(png, info, fixture.paletteAlpha.data(),
                     static_cast<int>(fixture.paletteAlpha.size()), nullptr);
    } else if (fixture.transparentGrey) {
        trans.gray = *fixture.transparentGrey;
        png_set_tRNS(png, info, nullptr, 0, &trans);
    } else if (fixture.transparentRgb) {
        trans.red = fixture.transparentRgb->r;
        trans.green = fixture.transparentRgb->g;
        trans.blue = fixture.transparentRgb->b;
        png_set_tRNS(png, info, nullptr, 0, &trans);
    }
    png_write_info(png, info);
    if (fixture.flushRows > 0) png_set_flush(png, fixture.flushRows);
    png_write_image(png, rows->data());
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> WritePng(const PngFixture& fixture) {
    std::vector<uint8_t> out;
    std::vector<png_color> palette;
    for (const Rgb8& c : fixture.palette) palette.push_back({c.r, c.g, c.b});
    std::vector<std::vector<uint8_t>> rowCopies = fixture.rows;
    std::vector<png_bytep> rows;
    for (auto& r : rowCopies) rows.push_back(r.data());

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const bool ok = WriteInto(png, info, fixture, &out, &palette, &rows);
    png_destroy_write_struct(&png, &info);
    if (!ok) out.clear();
    return out;
}

PngFixture ArgbFixture(int width, int height, const std::function<uint32_t(int, int)>& argb) {
    PngFixture fixture;
    fixture.width = width;
    fixture.height = height;
    fixture.colorType = PNG_COLOR_TYPE_RGBA;
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row;
        row.reserve(static_cast<size_t>(width) * 4);
        for (int x = 0; x < width; ++x) {
            const uint32_t c = argb(x, y);
            row.push_back(static_cast<uint8_t>(c >> 16));
            row.push_back(static_cast<uint8_t>(c >> 8));
            row.push_back(static_cast<uint8_t>(c));
            row.push_back(static_cast<uint8_t>(c >> 24));
        }
        fixture.rows.push_back(std::move(row));
    }
    return fixture;
}

std::vector<uint8_t> ArgbPng(int width, int height, const std::function<uint32_t(int, int)>& argb,
                             bool interlaced) {
    PngFixture fixture = ArgbFixture(width, height, argb);
    fixture.interlaced = interlaced;
    return WritePng(fixture);
}

std::vector<size_t> ChunkOffsets(const std::vector<uint8_t>& png, const char* type) {
    std::vector<size_t> out;
    for (size_t pos = 8; pos + 8 <= png.size();) {
        const size_t len = (size_t{png[pos]} << 24) | (size_t{png[pos + 1]} << 16) |
                           (size_t{png[pos + 2]} << 8) | png[pos + 3];
        if (std::equal(type, type + 4, png.begin() + static_cast<long>(pos) + 4))
            out.push_back(pos);
        pos += 12 + len;
    }
    return out;
}

std::vector<uint8_t> PackBits(int bits, const std::vector<int>& values) {
    std::vector<uint8_t> out;
    int used = 8;
    for (int v : values) {
        if (used == 8) {
            out.push_back(0);
            used = 0;
        }
        used += bits;
        out.back() |= static_cast<uint8_t>(v << (8 - used));
    }
    return out;
}

std::vector<uint8_t> Be16(const std::vector<uint16_t>& samples) {
    std::vector<uint8_t> out;
    for (uint16_t s : samples) {
        out.push_back(static_cast<uint8_t>(s >> 8));
        out.push_back(static_cast<uint8_t>(s));
    }
    return out;
}

ReadBack ReadPng(const std::vector<uint8_t>& bytes) {
    ReadBack r;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return r;
    r.fileFormat = image.format;
    r.width = static_cast<int>(image.width);
    r.height = static_cast<int>(image.height);
    image.format = PNG_FORMAT_RGBA;
    r.rgba.resize(PNG_IMAGE_SIZE(image));
    r.ok = png_image_finish_read(&image, nullptr, r.rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return r;
}

TempFolder::TempFolder() {
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto candidate = base / ("orvella-skin-" + std::to_string(rd()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec)) {
            path_ = candidate.string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

}  // namespace skintest
