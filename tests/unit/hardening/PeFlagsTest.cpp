// The shipped Windows images are built with address-space randomisation and no-execute data,
// and none of their sections is both writable and executable. Reads the PE headers of the
// files of both Windows builds (scripts/test.sh builds them before the tests run).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "PeImage.h"

namespace {

using orv::testing::PeImage;
using orv::testing::ReadPeImage;

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
        const PeImage pe = ReadPeImage(path);
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
        for (const auto& section : pe.sections) {
            const uint32_t flags = section.characteristics;
            EXPECT_FALSE((flags & kExecute) && (flags & kWrite)) << "section " << section.name;
        }
        ++checked;
    }
    if (checked == 0) GTEST_SKIP() << "no Windows build beside this one";
}

}  // namespace
