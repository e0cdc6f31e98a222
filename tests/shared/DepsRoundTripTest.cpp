// zlib and libpng as this build links them: data survives deflate/inflate and an RGBA PNG
// survives encode/decode in memory.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstring>
#include <vector>

namespace {

TEST(Deps, ZlibRoundTrip) {
    std::vector<unsigned char> src(10000);
    for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<unsigned char>((i * 7) % 251);
    uLongf packedLen = compressBound(src.size());
    std::vector<unsigned char> packed(packedLen);
    ASSERT_EQ(compress(packed.data(), &packedLen, src.data(), src.size()), Z_OK);
    EXPECT_LT(packedLen, src.size());
    std::vector<unsigned char> back(src.size());
    uLongf backLen = back.size();
    ASSERT_EQ(uncompress(back.data(), &backLen, packed.data(), packedLen), Z_OK);
    EXPECT_EQ(backLen, src.size());
    EXPECT_EQ(back, src);
}

struct Sink {
    std::vector<unsigned char> bytes;
    size_t pos = 0;
};

void WriteBytes(png_structp png, png_bytep data, png_size_t len) {
    auto* s = static_cast<Sink*>(png_get_io_ptr(png));
    s->bytes.insert(s->bytes.end(), data, data + len);
}
void ReadBytes(png_structp png, png_bytep data, png_size_t len) {
    auto* s = static_cast<Sink*>(png_get_io_ptr(png));
    if (s->pos + len > s->bytes.size()) png_error(png, "short read");
    std::memcpy(data, s->bytes.data() + s->pos, len);
    s->pos += len;
}
void Flush(png_structp) {}

TEST(Deps, PngRgbaRoundTrip) {
    const int w = 3, h = 2;
    const unsigned char pixels[h][w * 4] = {
        {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0},
        {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120},
    };
    Sink sink;
    {
        png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        ASSERT_NE(png, nullptr);
        png_infop info = png_create_info_struct(png);
        ASSERT_NE(info, nullptr);
        ASSERT_EQ(setjmp(png_jmpbuf(png)), 0);
        png_set_write_fn(png, &sink, WriteBytes, Flush);
        png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < h; ++y) png_write_row(png, pixels[y]);
        png_write_end(png, nullptr);
        png_destroy_write_struct(&png, &info);
    }
    ASSERT_GT(sink.bytes.size(), 8u);
    EXPECT_EQ(png_sig_cmp(sink.bytes.data(), 0, 8), 0);

    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ASSERT_EQ(setjmp(png_jmpbuf(png)), 0);
    png_set_read_fn(png, &sink, ReadBytes);
    png_read_info(png, info);
    EXPECT_EQ(png_get_image_width(png, info), static_cast<png_uint_32>(w));
    EXPECT_EQ(png_get_image_height(png, info), static_cast<png_uint_32>(h));
    EXPECT_EQ(png_get_color_type(png, info), PNG_COLOR_TYPE_RGBA);
    unsigned char row[w * 4];
    for (int y = 0; y < h; ++y) {
        png_read_row(png, row, nullptr);
        EXPECT_EQ(std::memcmp(row, pixels[y], sizeof row), 0) << "row " << y;
    }
    png_destroy_read_struct(&png, &info, nullptr);
}

}  // namespace
