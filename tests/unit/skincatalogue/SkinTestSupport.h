#pragma once
// What the skin tests share: a program folder of their own, an empty in-memory registry and
// the debug lines written since the test began.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/Globals.h"
#include "core/Text.h"
#include "platform/MemoryRegistryBackend.h"
#include "platform/posix/Capture.h"
#include "settings/pell_REG.h"
#include "skin/SkinCatalogue.h"

namespace orv::skin::testing {

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("orvella-skin-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the program writes paths: backslashes.
    std::u16string Path(std::string_view sub = {}) const {
        std::u16string out = Utf8ToUtf16((sub.empty() ? path_ : path_ / std::string(sub)).string());
        for (auto& c : out) {
            if (c == u'/') c = u'\\';
        }
        return out;
    }
    void Write(std::string_view relative, std::string_view bytes) const {
        const auto file = path_ / std::string(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void MakeFolder(std::string_view relative) const {
        std::filesystem::create_directories(path_ / std::string(relative));
    }

  private:
    std::filesystem::path path_;
};

// A program folder in a temporary folder, an empty registry, no skin chosen yet.
class FreshProgram {
  public:
    FreshProgram() {
        savedProgramFolder_ = ProgramFolder;
        ProgramFolder = folder.Path();
        SkinFolderPath.clear();
        Reg_Configure(false, &registry);
        platform::posix::ClearCaptures();
    }
    ~FreshProgram() {
        Reg_Configure(false, nullptr);
        ProgramFolder = savedProgramFolder_;
        SkinFolderPath.clear();
    }
    // A skin folder under skins\ with the given skin.ini text.
    void AddSkin(std::string_view name, std::string_view ini = "[SkinInfo]\r\n") const {
        folder.Write("skins/" + std::string(name) + "/skin.ini", ini);
    }

    TempFolder folder;
    platform::MemoryRegistryBackend registry;

  private:
    std::u16string savedProgramFolder_;
};

inline bool AnyDebugLineContains(std::u16string_view part) {
    for (const auto& line : platform::posix::CapturedDebugLines()) {
        if (line.find(part) != std::u16string::npos) return true;
    }
    return false;
}

}  // namespace orv::skin::testing
