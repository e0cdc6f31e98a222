// An image file read with pread, for native runs: tests, benchmarks and the fuzzer's seeds.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

#include "ByteSource.h"
#include "Volume.h"

namespace snap::ntfs {

namespace {

class ImageFile final : public ByteSource {
  public:
    ImageFile(int fd, uint64_t size) : fd_(fd), size_(size) {}
    ~ImageFile() override { ::close(fd_); }
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t n) override {
        if (offset > size_ || n > size_ - offset) return false;
        auto* p = static_cast<unsigned char*>(buffer);
        while (n > 0) {
            const ssize_t got = ::pread(fd_, p, n, static_cast<off_t>(offset));
            if (got <= 0) return false;
            p += got;
            offset += static_cast<uint64_t>(got);
            n -= static_cast<size_t>(got);
        }
        return true;
    }

  private:
    int fd_;
    uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenImageFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    // The table is read front to back: let the kernel read far ahead.
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    auto* image = new (std::nothrow) ImageFile(fd, static_cast<uint64_t>(st.st_size));
    if (!image) ::close(fd);
    return std::unique_ptr<ByteSource>(image);
}

// Natively a drive root is a folder to walk; images are opened by OpenImageFile.
std::unique_ptr<ByteSource> OpenNtfsVolume(std::u16string_view) {
    return nullptr;
}

}  // namespace snap::ntfs
