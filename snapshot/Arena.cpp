#include "Arena.h"

#include <cstdlib>
#include <cstring>

namespace snap {

struct Arena::Block {
    Block* next;
    size_t size;  // payload bytes
    size_t used;
    // payload follows
    unsigned char* Payload() { return reinterpret_cast<unsigned char*>(this + 1); }
};

Arena::Arena(size_t blockSize, size_t limit)
    : blockSize_(blockSize < 1024 ? 1024 : blockSize), limit_(limit) {}

Arena::~Arena() {
    Reset();
}

void Arena::Reset() {
    while (head_) {
        Block* next = head_->next;
        std::free(head_);
        head_ = next;
    }
    current_ = nullptr;
    reserved_ = used_ = blocks_ = 0;
}

Arena::Block* Arena::NewBlock(size_t payload) {
    if (payload > SIZE_MAX - sizeof(Block)) return nullptr;
    const size_t total = sizeof(Block) + payload;
    if (total > limit_ - reserved_) return nullptr;  // reserved_ never exceeds limit_
    // calloc: fresh blocks are zero, so handed-out memory needs no clearing.
    auto* b = static_cast<Block*>(std::calloc(1, total));
    if (!b) return nullptr;
    b->next = head_;
    b->size = payload;
    b->used = 0;
    head_ = b;
    reserved_ += total;
    ++blocks_;
    return b;
}

void* Arena::Allocate(size_t bytes, size_t align) {
    if (bytes == 0) bytes = 1;
    if (align == 0 || (align & (align - 1)) != 0) return nullptr;
    // Large requests get a block of their own, so they never waste the rest of a shared one.
    if (bytes > blockSize_ / 4) {
        if (bytes > SIZE_MAX - align) return nullptr;
        Block* b = NewBlock(bytes + align);
        if (!b) return nullptr;
        auto addr = reinterpret_cast<uintptr_t>(b->Payload());
        const uintptr_t aligned = (addr + align - 1) & ~(uintptr_t{align} - 1);
        b->used = b->size;
        used_ += bytes;
        return reinterpret_cast<void*>(aligned);
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (current_) {
            const auto base = reinterpret_cast<uintptr_t>(current_->Payload());
            const uintptr_t at = (base + current_->used + align - 1) & ~(uintptr_t{align} - 1);
            const size_t offset = at - base;
            if (offset + bytes <= current_->size) {
                current_->used = offset + bytes;
                used_ += bytes;
                return reinterpret_cast<void*>(at);
            }
        }
        if (attempt == 0) {
            Block* b = NewBlock(blockSize_);
            if (!b) return nullptr;
            current_ = b;
        }
    }
    return nullptr;
}

char16_t* Arena::CopyText(std::u16string_view s) {
    if (s.size() >= SIZE_MAX / sizeof(char16_t)) return nullptr;
    auto* p =
        static_cast<char16_t*>(Allocate((s.size() + 1) * sizeof(char16_t), alignof(char16_t)));
    if (!p) return nullptr;
    if (!s.empty()) std::memcpy(p, s.data(), s.size() * sizeof(char16_t));
    return p;
}

}  // namespace snap
