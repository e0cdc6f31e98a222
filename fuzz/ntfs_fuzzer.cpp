// Feeds arbitrary bytes to the NTFS table reader, two ways picked by the first byte. Even: the
// bytes are the file records 1, 2, ... of a volume whose boot sector and table record are
// sound, and each record gets a matching update sequence, so the fuzzer reaches the attribute,
// name, run and list parsing instead of dying at the fixup check. Odd: the bytes are a whole
// volume image. Either way the tree that comes back must be consistent, and nothing may read
// outside the buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "ntfs/ByteSource.h"
#include "ntfs/MftReader.h"

namespace {

constexpr size_t kCluster = 4096;
constexpr size_t kRecord = 1024;
constexpr size_t kMaxInput = 256 * 1024;
constexpr size_t kSpareClusters = 16;

void Put16(unsigned char* p, uint64_t v) {
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
void Put32(unsigned char* p, uint64_t v) {
    Put16(p, v);
    Put16(p + 2, v >> 16);
}
void Put64(unsigned char* p, uint64_t v) {
    Put32(p, v);
    Put32(p + 4, v >> 32);
}

// Gives a record a valid update sequence over whatever it holds.
void Seal(unsigned char* r, uint16_t usn) {
    std::memcpy(r, "FILE", 4);
    Put16(r + 4, 0x30);
    Put16(r + 6, 3);
    Put16(r + 0x30, usn);
    for (size_t i = 1; i <= 2; ++i) {
        unsigned char* tail = r + i * 512 - 2;
        r[0x30 + 2 * i] = tail[0];
        r[0x31 + 2 * i] = tail[1];
        Put16(tail, usn);
    }
}

std::vector<unsigned char> Volume(const uint8_t* data, size_t size) {
    const size_t records = 1 + (size + kRecord - 1) / kRecord;
    const size_t tableClusters = (records * kRecord + kCluster - 1) / kCluster;
    const size_t clusters = 1 + tableClusters + kSpareClusters;
    std::vector<unsigned char> v(clusters * kCluster, 0);
    unsigned char* boot = v.data();
    std::memcpy(boot + 3, "NTFS    ", 8);
    Put16(boot + 0x0B, 512);
    boot[0x0D] = kCluster / 512;
    Put64(boot + 0x28, clusters * (kCluster / 512));
    Put64(boot + 0x30, 1);
    boot[0x40] = static_cast<unsigned char>(-10);  // 1024-byte records

    unsigned char* table = v.data() + kCluster;
    if (size) std::memcpy(table + kRecord, data, size);
    // The spare clusters repeat the input, as targets for non-resident lists.
    unsigned char* spare = table + tableClusters * kCluster;
    for (size_t off = 0; size && off < kSpareClusters * kCluster; off += size)
        std::memcpy(spare + off, data, std::min(size, kSpareClusters * kCluster - off));

    unsigned char* r0 = table;
    Put16(r0 + 0x10, 1);     // sequence
    Put16(r0 + 0x14, 0x38);  // first attribute
    Put16(r0 + 0x16, 1);     // in use
    Put32(r0 + 0x18, 0x88);  // bytes in use
    Put32(r0 + 0x1C, kRecord);
    unsigned char* a = r0 + 0x38;
    Put32(a, 0x80);
    Put32(a + 4, 0x48);
    a[8] = 1;
    Put16(a + 0x0A, 0x40);
    Put64(a + 0x18, tableClusters - 1);
    Put16(a + 0x20, 0x40);
    Put64(a + 0x28, tableClusters * kCluster);
    Put64(a + 0x30, records * kRecord);
    Put64(a + 0x38, records * kRecord);
    a[0x40] = 0x12;  // two length bytes, one offset byte
    Put16(a + 0x41, tableClusters);
    a[0x43] = 1;
    Put32(r0 + 0x80, 0xFFFFFFFFu);
    Seal(r0, 1);
    for (size_t k = 1; k < records; ++k) Seal(table + k * kRecord, static_cast<uint16_t>(k));
    return v;
}

// A consistent tree: counted arrays without holes, names present, depth bounded by the count.
bool Consistent(const undel::TFILE_RECORD* root, uint64_t limit) {
    std::vector<const undel::TFILE_RECORD*> stack{root};
    uint64_t seen = 0;
    while (!stack.empty()) {
        const undel::TFILE_RECORD* r = stack.back();
        stack.pop_back();
        if (++seen > limit || !r->FileNames || !r->FileNames->Name) return false;
        if (r->NumDirItems < 0 || (r->NumDirItems > 0 && !r->DirItems)) return false;
        for (const undel::TDATA_STREAM* s = r->Streams; s; s = s->Next) {
            if (!s->Name || s->Size != s->ValidSize) return false;
        }
        for (int32_t i = 0; i < r->NumDirItems; ++i) {
            if (!r->DirItems[i].aRecord || !r->DirItems[i].FileName) return false;
            stack.push_back(r->DirItems[i].aRecord);
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > kMaxInput) return 0;
    const bool image = data[0] & 1;
    ++data;
    --size;
    std::vector<unsigned char> bytes =
        image ? std::vector<unsigned char>(data, data + size) : Volume(data, size);
    snap::ntfs::MemorySource source(bytes.data(), bytes.size());
    snap::Arena arena;
    snap::Pacer pacer(nullptr, nullptr);
    snap::ntfs::MftReader reader(arena, source, pacer);
    const undel::TFILE_RECORD* root = reader.Run(u"N:\\");
    // Every name placed in the tree came from one record attribute: never more records than
    // names the bytes could hold, plus the root.
    if (root && !Consistent(root, 1 + bytes.size() / 0x42 + 1)) __builtin_trap();
    return 0;
}
