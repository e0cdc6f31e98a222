#pragma once
// A reader for the headers of a Windows image (PE32 and PE32+): machine, flags, sections and
// the names of the DLLs it imports, ordinary and delay-loaded. Header-only, for native tests
// that look at the Windows builds' files.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orv::testing {

struct PeSection {
    std::string name;
    uint32_t characteristics = 0;
    uint32_t virtualAddress = 0;
    uint32_t virtualSize = 0;
    uint32_t rawSize = 0;
    uint32_t rawOffset = 0;
};

struct PeImage {
    bool ok = false;  // headers and import tables read completely
    uint16_t machine = 0;
    uint16_t characteristics = 0;
    uint16_t dllCharacteristics = 0;
    std::vector<PeSection> sections;
    std::vector<std::string> imports;  // as written in the image, in table order
};

namespace pe_detail {

inline uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
    return v;
}

// File offset of a relative virtual address; 0 when no section holds it in the file.
inline size_t OffsetOf(const PeImage& img, uint32_t rva) {
    for (const PeSection& s : img.sections) {
        const uint32_t size = s.virtualSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva - s.virtualAddress < size &&
            rva - s.virtualAddress < s.rawSize) {
            return s.rawOffset + (rva - s.virtualAddress);
        }
    }
    return 0;
}

// The zero-terminated name at rva; false when it runs off the file.
inline bool NameAt(const std::vector<unsigned char>& b, const PeImage& img, uint32_t rva,
                   std::string& out) {
    const size_t at = OffsetOf(img, rva);
    if (at == 0) return false;
    out.clear();
    for (size_t i = at; i < b.size(); ++i) {
        if (b[i] == 0) return true;
        out += static_cast<char>(b[i]);
    }
    return false;
}

// Descriptors of entrySize bytes with the name's address at nameField, up to an all-zero one.
inline bool ReadDllNames(const std::vector<unsigned char>& b, PeImage& img, uint32_t tableRva,
                         size_t entrySize, size_t nameField) {
    if (tableRva == 0) return true;
    size_t at = OffsetOf(img, tableRva);
    if (at == 0) return false;
    for (;; at += entrySize) {
        if (at + entrySize > b.size()) return false;
        bool allZero = true;
        for (size_t i = 0; i < entrySize; ++i) allZero = allZero && b[at + i] == 0;
        if (allZero) return true;
        std::string name;
        if (!NameAt(b, img, Le(b, at + nameField, 4), name)) return false;
        img.imports.push_back(name);
    }
}

}  // namespace pe_detail

inline PeImage ReadPeImage(const std::string& path) {
    using pe_detail::Le;
    PeImage img;
    std::ifstream f(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
    if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return img;
    const size_t pe = Le(b, 0x3C, 4);
    if (pe + 24 > b.size() || std::memcmp(&b[pe], "PE\0\0", 4) != 0) return img;
    img.machine = static_cast<uint16_t>(Le(b, pe + 4, 2));
    const size_t sectionCount = Le(b, pe + 6, 2);
    const size_t optionalSize = Le(b, pe + 20, 2);
    img.characteristics = static_cast<uint16_t>(Le(b, pe + 22, 2));
    const size_t opt = pe + 24;
    if (opt + 72 > b.size()) return img;
    // Same offset in PE32 and PE32+.
    img.dllCharacteristics = static_cast<uint16_t>(Le(b, opt + 70, 2));
    const size_t table = opt + optionalSize;
    for (size_t i = 0; i < sectionCount; ++i) {
        const size_t s = table + i * 40;
        if (s + 40 > b.size()) return img;
        PeSection sec;
        sec.name.assign(reinterpret_cast<const char*>(&b[s]), 8);
        sec.name.resize(std::strlen(sec.name.c_str()));
        // Longer names (".eh_frame", ".debug_info") are "/" and an offset into the string
        // table behind the COFF symbols.
        if (sec.name.size() > 1 && sec.name[0] == '/') {
            const size_t strings = size_t{Le(b, pe + 12, 4)} + size_t{Le(b, pe + 16, 4)} * 18;
            const size_t at = strings + std::strtoul(sec.name.c_str() + 1, nullptr, 10);
            if (Le(b, pe + 12, 4) != 0 && at < b.size()) {
                sec.name.clear();
                for (size_t i = at; i < b.size() && b[i] != 0; ++i)
                    sec.name += static_cast<char>(b[i]);
            }
        }
        sec.virtualSize = Le(b, s + 8, 4);
        sec.virtualAddress = Le(b, s + 12, 4);
        sec.rawSize = Le(b, s + 16, 4);
        sec.rawOffset = Le(b, s + 20, 4);
        sec.characteristics = Le(b, s + 36, 4);
        img.sections.push_back(sec);
    }
    // The data directories follow the fields that differ in size between PE32 and PE32+.
    const uint32_t magic = Le(b, opt, 2);
    if (magic != 0x10B && magic != 0x20B) return img;
    const size_t countField = opt + (magic == 0x20B ? 108 : 92);
    if (countField + 4 > table) return img;
    const uint32_t directories = Le(b, countField, 4);
    auto directoryRva = [&](uint32_t index) -> uint32_t {
        const size_t at = countField + 4 + size_t{index} * 8;
        return index < directories && at + 8 <= table ? Le(b, at, 4) : 0;
    };
    // Import descriptors: 20 bytes, the name at 12; delay-load descriptors: 32 bytes, at 4.
    if (!pe_detail::ReadDllNames(b, img, directoryRva(1), 20, 12)) return img;
    if (!pe_detail::ReadDllNames(b, img, directoryRva(13), 32, 4)) return img;
    img.ok = true;
    return img;
}

}  // namespace orv::testing
