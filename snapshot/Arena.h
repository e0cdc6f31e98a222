#pragma once
// Memory of one snapshot: records and name characters are carved from fixed-size blocks, so ten
// million entries cost a few thousand allocations and no reallocation peaks. Everything is
// released at once when the arena goes or is reset.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace snap {

class Arena {
  public:
    static constexpr size_t kDefaultBlockSize = 256 * 1024;
    static constexpr size_t kNoLimit = SIZE_MAX;

    // limit caps the bytes taken from the system (tests use it to run out of memory).
    explicit Arena(size_t blockSize = kDefaultBlockSize, size_t limit = kNoLimit);
    ~Arena();
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // Zero-filled bytes; null when the system or the limit refuses.
    void* Allocate(size_t bytes, size_t align = alignof(void*));

    // Zero-filled array of n objects of a trivial type; null on failure or n == 0.
    template <class T>
    T* NewArray(size_t n) {
        if (n == 0 || n > SIZE_MAX / sizeof(T)) return nullptr;
        return static_cast<T*>(Allocate(n * sizeof(T), alignof(T) < 4 ? 4 : alignof(T)));
    }

    // Zero-terminated copy; null on failure.
    char16_t* CopyText(std::u16string_view s);

    // Frees every block; the arena can be used again.
    void Reset();

    // Bytes taken from the system, and bytes handed out.
    size_t BytesReserved() const { return reserved_; }
    size_t BytesUsed() const { return used_; }
    size_t BlockCount() const { return blocks_; }

  private:
    struct Block;
    Block* NewBlock(size_t payload);

    size_t blockSize_;
    size_t limit_;
    Block* head_ = nullptr;     // list of every block, newest first
    Block* current_ = nullptr;  // block small allocations come from
    size_t reserved_ = 0;
    size_t used_ = 0;
    size_t blocks_ = 0;
};

}  // namespace snap
