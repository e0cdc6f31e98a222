// The shipped Windows images are built with address-space randomisation and no-execute data,
// and none of their sections is both writable and executable. Reads the PE headers of the
// files of both Windows builds (scripts/test.sh builds them before the tests run).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct PeInfo {
    bool ok = false;
    uint16_t machine = 0;
    uint16_t dllCharacteristics = 0;
    uint16_t characteristics = 0;
    std::vector<std::pair<std::string, uint32_t>> sections;  // name, characteristics
};

uint32_t Le(const std::vector<unsigned char>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

PeInfo ReadPe(const std::string& path) {
    PeInfo info;
    std::ifstream f(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
    if (b.size() < 0x40 || b[0] != 'M' || b[1] != 'Z') return info;
    const size_t pe = Le(b, 0x3C, 4);
    if (pe + 24 > b.size() || std::memcmp(&b[pe], "PE\0\0", 4) != 0) return info;
    info.machine = static_cast<uint16_t>(Le(b, pe + 4, 2));
    const size_t sectionCount = Le(b, pe + 6, 2);
    const size_t optionalSize = Le(b, pe + 20, 2);
    info.characteristics = static_cast<uint16_t>(Le(b, pe + 22, 2));
    const size_t opt = pe + 24;
    if (opt + 72 > b.size()) return info;
    info.dllCharacteristics = static_cast<uint16_t>(Le(b, opt + 70, 2));  // same offset in PE32 and PE32+
    const size_t table = opt + optionalSize;
    for (size_t i = 0; i < sectionCount; ++i) {
        const size_t s = table + i * 40;
        if (s + 40 > b.size()) return info;
        std::string name(reinterpret_cast<const char*>(&b[s]), 8);
        name.resize(std::strlen(name.c_str()));
        info.sections.emplace_back(name, Le(b, s + 36, 4));
    }
    info.ok = true;
    return info;
}

constexpr uint16_t kDynamicBase = 0x0040;
constexpr uint16_t kNxCompat = 0x0100;
constexpr uint16_t kHighEntropyVa = 0x0020;
constexpr uint16_t kLargeAddressAware = 0x0020;  // in the file characteristics
constexpr uint32_t kExecute = 0x20000000;
constexpr uint32_t kWrite = 0x80000000;

struct Image {
    const char* build;
    const char* file;
    bool x64;
};

TEST(PeFlags, WindowsImagesAreHardened) {
    const Image images[] = {
        {"win-x86_64", "orvella.exe", true},
        {"win-x86_64", "undelete.dll", true},
        {"win-i686", "orvella.exe", false},
        {"win-i686", "undelete.dll", false},
    };
    const bool required = std::getenv("ORVELLA_REQUIRE_WINDOWS_BUILDS") != nullptr;
    int checked = 0;
    for (const Image& img : images) {
        const std::string path = std::string(ORVELLA_SOURCE_DIR) + "/build/" + img.build + "/bin/" + img.file;
        SCOPED_TRACE(path);
        if (!std::ifstream(path).good()) {
            EXPECT_FALSE(required) << "missing";
            continue;
        }
        const PeInfo pe = ReadPe(path);
        ASSERT_TRUE(pe.ok);
        EXPECT_EQ(pe.machine, img.x64 ? 0x8664 : 0x014C);
        EXPECT_TRUE(pe.dllCharacteristics & kDynamicBase);
        EXPECT_TRUE(pe.dllCharacteristics & kNxCompat);
        if (img.x64) {
            EXPECT_TRUE(pe.dllCharacteristics & kHighEntropyVa);
        }
        if (!img.x64 && std::string(img.file) == "orvella.exe") {
            EXPECT_TRUE(pe.characteristics & kLargeAddressAware);
        }
        for (const auto& [name, flags] : pe.sections) {
            EXPECT_FALSE((flags & kExecute) && (flags & kWrite)) << "section " << name;
        }
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "no Windows build beside this one";
}

}  // namespace
