#pragma once
// What the NTFS reader reads from: a volume or an image file, addressed by byte offset.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace snap::ntfs {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Bytes the source holds; reads past it fail.
    virtual uint64_t Size() const = 0;
    // Fills all n bytes at offset, or returns false.
    virtual bool ReadAt(uint64_t offset, void* buffer, size_t n) = 0;
};

// A source over bytes in memory (fuzzing, hand-made records); the bytes must outlive it.
class MemorySource final : public ByteSource {
  public:
    MemorySource(const void* data, size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, void* buffer, size_t n) override;

  private:
    const unsigned char* data_;
    size_t size_;
};

// An image file opened for reading; null when it cannot be opened. Native builds only.
std::unique_ptr<ByteSource> OpenImageFile(const std::string& path);

}  // namespace snap::ntfs
