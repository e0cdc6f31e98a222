// libpng reports errors by longjmp back to the setjmp of the calling function. Every function
// here that calls into libpng keeps its state in a heap object reached through a pointer and
// has no local object with a destructor alive across that setjmp, so the jump skips nothing
// that must be destroyed; the png structures are destroyed on every path.
#include "skin/PngCodec.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <new>

namespace orv::skin {
namespace {

constexpr size_t kErrorTextSize = 160;

void CopyError(char* dst, const char* msg) {
    std::strncpy(dst, msg ? msg : "unknown error", kErrorTextSize - 1);
    dst[kErrorTextSize - 1] = '\0';
}

void IgnoreWarning(png_structp, png_const_charp) {}

}  // namespace

struct PngDecoder::State {
    std::span<const uint8_t> bytes;
    size_t pos = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool headerRead = false;
    bool used = false;
    int32_t width = 0;
    int32_t height = 0;
    int passes = 1;
    size_t rowBytes = 0;
    std::vector<uint8_t> rows;
    std::vector<uint8_t> scratch;
    char error[kErrorTextSize] = {};

    static void OnError(png_structp png, png_const_charp msg) {
        auto* s = static_cast<State*>(png_get_error_ptr(png));
        CopyError(s->error, msg);
        png_longjmp(png, 1);
    }

    static void OnRead(png_structp png, png_bytep out, size_t len) {
        auto* s = static_cast<State*>(png_get_io_ptr(png));
        if (len > s->bytes.size() - s->pos) png_error(png, "unexpected end of data");
        std::memcpy(out, s->bytes.data() + s->pos, len);
        s->pos += len;
    }
};

PngDecoder::PngDecoder(std::span<const uint8_t> bytes) : state_(new (std::nothrow) State) {
    if (state_) state_->bytes = bytes;
}

PngDecoder::~PngDecoder() {
    if (state_ && state_->png) png_destroy_read_struct(&state_->png, &state_->info, nullptr);
}

int32_t PngDecoder::Width() const {
    return state_ ? state_->width : 0;
}
int32_t PngDecoder::Height() const {
    return state_ ? state_->height : 0;
}
std::string PngDecoder::Error() const {
    return state_ ? state_->error : "out of memory";
}

bool PngDecoder::ReadHeader() {
    if (!state_) return false;
    State* s = state_.get();
    if (s->png) {
        CopyError(s->error, "header already read");
        return false;
    }
    s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, s, State::OnError, IgnoreWarning);
    if (!s->png) {
        CopyError(s->error, "out of memory");
        return false;
    }
    s->info = png_create_info_struct(s->png);
    if (!s->info) {
        CopyError(s->error, "out of memory");
        return false;
    }
    if (setjmp(png_jmpbuf(s->png))) return false;

    png_set_read_fn(s->png, s, State::OnRead);
    png_set_user_limits(s->png, kMaxWidth, kMaxHeight);
    png_read_info(s->png, s->info);

    png_uint_32 w = 0, h = 0;
    int depth = 0, colorType = 0;
    png_get_IHDR(s->png, s->info, &w, &h, &depth, &colorType, nullptr, nullptr, nullptr);
    // Whatever the file holds becomes 8-bit R, G, B, A.
    png_set_expand(s->png);
    if (depth == 16) png_set_scale_16(s->png);
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(s->png);
    if ((colorType & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(s->png, s->info, PNG_INFO_tRNS))
        png_set_add_alpha(s->png, 0xFF, PNG_FILLER_AFTER);
    s->passes = png_set_interlace_handling(s->png);
    png_read_update_info(s->png, s->info);
    if (png_get_channels(s->png, s->info) != 4 || png_get_bit_depth(s->png, s->info) != 8 ||
        png_get_rowbytes(s->png, s->info) != size_t{w} * 4)
        png_error(s->png, "unsupported pixel layout");

    s->width = static_cast<int32_t>(w);
    s->height = static_cast<int32_t>(h);
    s->rowBytes = size_t{w} * 4;
    s->headerRead = true;
    return true;
}

bool PngDecoder::ReadTopRows(int32_t rows, ArgbBitmap& out) {
    out.Clear();
    if (!state_) return false;
    State* s = state_.get();
    if (!s->headerRead || s->used) {
        if (s->headerRead) CopyError(s->error, "rows already read");
        return false;
    }
    s->used = true;
    const int32_t keep = std::clamp(rows, 0, s->height);
    if (!out.SetSize(s->width, keep)) {
        CopyError(s->error, "picture too large");
        return false;
    }
    try {
        s->rows.assign(s->rowBytes * static_cast<size_t>(keep), 0);
        s->scratch.assign(s->rowBytes, 0);
    } catch (const std::bad_alloc&) {
        out.Clear();
        CopyError(s->error, "out of memory");
        return false;
    }

    if (setjmp(png_jmpbuf(s->png))) {
        out.Clear();
        return false;
    }
    for (int pass = 0; pass < s->passes; ++pass) {
        for (int32_t y = 0; y < s->height; ++y) {
            // Without interlacing the rows below the kept ones are never needed.
            if (s->passes == 1 && y >= keep) break;
            png_bytep row = y < keep ? s->rows.data() + s->rowBytes * static_cast<size_t>(y)
                                     : s->scratch.data();
            png_read_row(s->png, row, nullptr);
        }
    }

    for (int32_t y = 0; y < keep; ++y) {
        const uint8_t* src = s->rows.data() + s->rowBytes * static_cast<size_t>(y);
        uint32_t* dst = out.Row(y);
        for (int32_t x = 0; x < s->width; ++x, src += 4)
            dst[x] = MakeArgb(src[3], src[0], src[1], src[2]);
    }
    std::vector<uint8_t>().swap(s->rows);
    s->error[0] = '\0';
    return true;
}

bool DecodePng(std::span<const uint8_t> bytes, ArgbBitmap& out, std::string* error) {
    PngDecoder decoder(bytes);
    const bool ok = decoder.ReadHeader() && decoder.ReadTopRows(decoder.Height(), out);
    if (!ok) {
        out.Clear();
        if (error) *error = decoder.Error();
    }
    return ok;
}

namespace {

struct EncodeState {
    std::vector<uint8_t> out;
    char error[kErrorTextSize] = {};

    static void OnError(png_structp png, png_const_charp msg) {
        CopyError(static_cast<EncodeState*>(png_get_error_ptr(png))->error, msg);
        png_longjmp(png, 1);
    }
    static void OnWrite(png_structp png, png_bytep data, size_t len) {
        auto* s = static_cast<EncodeState*>(png_get_io_ptr(png));
        bool ok = true;
        try {
            s->out.insert(s->out.end(), data, data + len);
        } catch (const std::bad_alloc&) {
            ok = false;
        }
        if (!ok) png_error(png, "out of memory");
    }
    static void OnFlush(png_structp) {}
};

// Returns false when libpng failed; the caller destroys the structures either way.
bool WriteRgba(png_structp png, png_infop info, EncodeState* s, int32_t width, int32_t height,
               const uint8_t* rgba) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_write_fn(png, s, EncodeState::OnWrite, EncodeState::OnFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * 4;
    for (int32_t y = 0; y < height; ++y) png_write_row(png, rgba + stride * static_cast<size_t>(y));
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::vector<uint8_t> EncodePngRgba(int32_t width, int32_t height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0 || !rgba) return {};
    std::unique_ptr<EncodeState> s(new (std::nothrow) EncodeState);
    if (!s) return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, s.get(), EncodeState::OnError,
                                              IgnoreWarning);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    const bool ok = info && WriteRgba(png, info, s.get(), width, height, rgba);
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (!ok) return {};
    return std::move(s->out);
}

}  // namespace orv::skin
