#include "skin/FileBytes.h"

#include <cstdio>
#include <memory>
#include <new>
#include <string>

#include "core/Text.h"

namespace orv::skin {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(std::u16string_view path) {
#if defined(_WIN32)
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const std::wstring wide(path.begin(), path.end());
    return FilePtr(_wfopen(wide.c_str(), L"rb"));
#else
    std::string native = Utf16ToUtf8(path);
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return FilePtr(std::fopen(native.c_str(), "rb"));
#endif
}

}  // namespace

bool ReadFileBytes(std::u16string_view path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    bytes.clear();
    if (path.empty()) return false;
    FilePtr f = OpenForReading(path);
    if (!f) return false;
    // Read in blocks rather than trusting a size query: it also works for pipes and for files
    // that change while being read.
    uint8_t block[64 * 1024];
    for (;;) {
        const size_t n = std::fread(block, 1, sizeof block, f.get());
        if (n > 0) {
            if (n > maxBytes - bytes.size()) {
                bytes.clear();
                return false;
            }
            try {
                bytes.insert(bytes.end(), block, block + n);
            } catch (const std::bad_alloc&) {
                bytes.clear();
                return false;
            }
        }
        if (n < sizeof block) break;
    }
    if (std::ferror(f.get())) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace orv::skin
