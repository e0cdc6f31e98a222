// The program folder as the Windows builds assemble it: everything a window loads is there,
// the data folders are those of the tree file for file and nothing else ships, and the two
// images run on a bare Windows: no MinGW runtime DLL, still hardened, no debug information.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "DefaultSkinPictures.h"
#include "PeImage.h"
#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/nLang3.h"
#include "platform/Files.h"

namespace {

namespace fs = std::filesystem;
using orv::testing::PeImage;
using orv::testing::ReadPeImage;

struct Build {
    const char* name;
    fs::path folder;
    bool x64;
};

// The folders of the Windows builds beside this one. A missing folder fails when the test
// script has built them all, and is passed over otherwise.
std::vector<Build> Folders() {
    const Build all[] = {{"x86", ORVELLA_X86_PROGRAM_FOLDER, false},
                         {"x64", ORVELLA_X64_PROGRAM_FOLDER, true}};
    const bool required = std::getenv("ORVELLA_REQUIRE_WINDOWS_BUILDS") != nullptr;
    std::vector<Build> present;
    for (const Build& b : all) {
        if (fs::is_directory(b.folder)) {
            present.push_back(b);
        } else {
            EXPECT_FALSE(required) << b.folder << " missing: build target program_folder";
        }
    }
    return present;
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<std::string> ShippedDataFolders() {
    std::vector<std::string> out;
    std::string list = ORVELLA_SHIPPED_DATA_FOLDERS;
    for (size_t start = 0; start <= list.size();) {
        const size_t end = std::min(list.find(',', start), list.size());
        if (end > start) out.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

// Relative paths of the regular files below root, with "/" between the parts.
std::set<std::string> FilesBelow(const fs::path& root, bool skipHidden) {
    std::set<std::string> out;
    if (!fs::is_directory(root)) return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        if (skipHidden && e.path().filename().string().starts_with(".")) continue;
        out.insert(fs::relative(e.path(), root).generic_string());
    }
    return out;
}

TEST(ProgramFolder, HoldsEveryFileTheWindowsLoad) {
    const std::vector<Build> folders = Folders();
    if (folders.empty()) GTEST_SKIP() << "no Windows build beside this one";
    for (const Build& b : folders) {
        SCOPED_TRACE(b.folder.string());
        std::vector<std::string> files = {"orvella.exe", "undelete.dll", "skins/stripe.png",
                                          "skins/default/skin.ini"};
        for (const auto& picture : orv::testing::kDefaultSkinPictures)
            files.push_back(std::string("skins/") + picture.file);
        // The lists the options reset restores, each with its default twin.
        for (const char* list : {"DC-Files2", "DC-Folders2"}) {
            files.push_back(std::string("data/") + list + ".txt");
            files.push_back(std::string("data/") + list + "_default.txt");
        }
        for (const std::string& f : files) {
            EXPECT_TRUE(fs::is_regular_file(b.folder / f) && fs::file_size(b.folder / f) > 0)
                << f << " missing or empty";
        }
        EXPECT_TRUE(fs::is_directory(b.folder / "data"));

        // Every language of the index, as the language menu finds it: the program's scan of
        // the folder lists it, its file loads and names a translator, and a flag is found.
        const std::u16string programFolder = orv::Utf8ToUtf16(b.folder.string());
        std::string index;
        ASSERT_TRUE(
            orv::platform::Fs().ReadWholeFile(programFolder + u"\\Translation\\index.txt", index));
        orv::lang::ScanTranslationFolder(programFolder + u"\\Translation");
        int entries = 0;
        for (const auto& line : orv::lang::SplitLines(orv::lang::DecodeTextFile(index))) {
            const std::u16string name = line.substr(0, line.find(u'='));
            if (name.empty()) continue;
            ++entries;
            SCOPED_TRACE(orv::Utf16ToUtf8(name));
            const int at = orv::lang::IndexOfIgnoreCase(orv::lang::AvailableFileNames, name);
            ASSERT_GE(at, 0) << "no translation file the program accepts";
            EXPECT_FALSE(orv::lang::TranslatorName(programFolder, static_cast<size_t>(at)).empty());
            EXPECT_FALSE(
                orv::lang::FindFlagFile(programFolder, orv::lang::AvailableTags[at]).empty())
                << "no flag";
        }
        EXPECT_GT(entries, 0) << "index.txt names no language";
    }
}

TEST(ProgramFolder, ShipsTheDataFoldersOfTheTreeAndNothingElse) {
    const fs::path data = ORVELLA_DATA_DIR;
    std::set<std::string> expected = {"orvella.exe", "undelete.dll"};
    for (const std::string& sub : ShippedDataFolders()) {
        for (const std::string& f : FilesBelow(data / sub, true)) expected.insert(sub + "/" + f);
    }
    const std::vector<Build> folders = Folders();
    if (folders.empty()) GTEST_SKIP() << "no Windows build beside this one";
    for (const Build& b : folders) {
        SCOPED_TRACE(b.folder.string());
        const std::set<std::string> shipped = FilesBelow(b.folder, false);
        for (const std::string& f : expected) {
            if (!shipped.count(f)) {
                ADD_FAILURE() << f << " is not in the program folder";
            } else if (f.find('/') != std::string::npos) {
                EXPECT_TRUE(ReadAll(b.folder / f) == ReadAll(data / f)) << f << " differs";
            }
        }
        for (const std::string& f : shipped) {
            EXPECT_TRUE(expected.count(f)) << f << " ships but is not the program's";
        }
    }
}

bool IsWindowsLibrary(const std::string& dll) {
    static const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "shell32.dll",
        "ole32.dll",    "oleaut32.dll", "comctl32.dll", "comdlg32.dll", "msvcrt.dll",
        "msimg32.dll",  "version.dll",  "shlwapi.dll",  "uxtheme.dll",  "ntdll.dll",
        "imm32.dll",    "winmm.dll",    "dwmapi.dll",   "ws2_32.dll",   "bcrypt.dll",
        "gdiplus.dll"};
    const std::string l = Lower(dll);
    return system.count(l) || l.starts_with("api-ms-win-");
}

constexpr uint16_t kDynamicBase = 0x0040;
constexpr uint16_t kNxCompat = 0x0100;
constexpr uint16_t kHighEntropyVa = 0x0020;
constexpr uint16_t kLargeAddressAware = 0x0020;  // in the file characteristics

TEST(ProgramFolder, ImagesNeedOnlyWindowsAndKeepTheirHardening) {
    const std::vector<Build> folders = Folders();
    if (folders.empty()) GTEST_SKIP() << "no Windows build beside this one";
    for (const Build& b : folders) {
        for (const char* file : {"orvella.exe", "undelete.dll"}) {
            const fs::path path = b.folder / file;
            SCOPED_TRACE(path.string());
            const PeImage pe = ReadPeImage(path.string());
            ASSERT_TRUE(pe.ok) << "not a readable Windows image";
            EXPECT_EQ(pe.machine, b.x64 ? 0x8664 : 0x014C);

            // A reader that found nothing would pass everything below.
            ASSERT_TRUE(std::any_of(pe.imports.begin(), pe.imports.end(), [](const auto& d) {
                return Lower(d) == "kernel32.dll";
            })) << "KERNEL32.dll not among the imports";
            for (const std::string& dll : pe.imports) {
                const std::string l = Lower(dll);
                EXPECT_FALSE(l == "libstdc++-6.dll" || l.starts_with("libgcc_s_") ||
                             l == "libwinpthread-1.dll")
                    << "imports the MinGW runtime " << dll;
                EXPECT_TRUE(IsWindowsLibrary(dll) || fs::exists(b.folder / dll))
                    << "imports " << dll << ", which is neither Windows' nor in the folder";
            }

            // Stripping must not lose what the linker set.
            EXPECT_TRUE(pe.dllCharacteristics & kDynamicBase);
            EXPECT_TRUE(pe.dllCharacteristics & kNxCompat);
            if (b.x64) {
                EXPECT_TRUE(pe.dllCharacteristics & kHighEntropyVa);
            } else if (std::string(file) == "orvella.exe") {
                EXPECT_TRUE(pe.characteristics & kLargeAddressAware);
            }
            for (const auto& s : pe.sections) {
                EXPECT_FALSE(s.name.starts_with(".debug"))
                    << "debug section " << s.name << " ships";
            }
        }
    }
}

// The reader is shared with the PE flag test; a cut-off image must read as broken, not as one
// without imports.
TEST(ProgramFolder, ReaderTakesCutOffImagesForBroken) {
    const std::vector<Build> folders = Folders();
    if (folders.empty()) GTEST_SKIP() << "no Windows build beside this one";
    const std::string bytes = ReadAll(folders.front().folder / "orvella.exe");
    ASSERT_GT(bytes.size(), 4096u);
    const fs::path cut = fs::temp_directory_path() / ("orvella-cut-" + std::to_string(getpid()));
    const size_t lengths[] = {0, 2, 0x40, 0x200, 4096};
    for (size_t n : lengths) {
        SCOPED_TRACE(n);
        std::ofstream(cut, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(n));
        EXPECT_FALSE(ReadPeImage(cut.string()).ok);
    }
    fs::remove(cut);
}

}  // namespace
