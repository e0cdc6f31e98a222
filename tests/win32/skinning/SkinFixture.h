#pragma once
// A program folder under the temporary folder with a skin of the test's making, the captured
// debug lines, and pictures written where a person can look at them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/Globals.h"
#include "platform/SystemForwarder.h"
#include "skin/PngImage.h"
#include "skin/SkinCatalogue.h"

namespace orv::skin::test {

inline std::wstring W(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

inline bool WriteFile(const std::u16string& path, const std::string& bytes) {
    FILE* f = _wfopen(W(path).c_str(), L"wb");
    if (f == nullptr) return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    fclose(f);
    return ok;
}

inline bool WritePng(const std::u16string& path, const TPngImage& image) {
    const std::vector<uint8_t> png = image.EncodePng();
    return !png.empty() && WriteFile(path, std::string(png.begin(), png.end()));
}

inline TPngImage Solid(int w, int h, Rgba c) {
    TPngImage image(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) image.SetPixel(x, y, c);
    }
    return image;
}

// Records the debug lines and passes them on.
class DebugLines final : public platform::SystemForwarder {
  public:
    DebugLines() { platform::SetSystem(this); }
    ~DebugLines() override { platform::SetSystem(nullptr); }
    void DebugOutput(std::u16string_view line) override {
        lines.emplace_back(line);
        SystemForwarder::DebugOutput(line);
    }
    bool Any(std::u16string_view part) const {
        for (const auto& l : lines) {
            if (l.find(part) != std::u16string::npos) return true;
        }
        return false;
    }
    std::vector<std::u16string> lines;
};

// ProgramFolder = a fresh folder with skins\Test\skin.ini; the active skin is that folder.
class SkinProgram {
  public:
    explicit SkinProgram(const std::string& skinIni) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        static int counter = 0;
        const std::wstring root = std::wstring(temp) + L"orvella-skinning-" +
                                  std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(counter++);
        root_.assign(root.begin(), root.end());
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((root + L"\\skins").c_str(), nullptr);
        CreateDirectoryW((root + L"\\skins\\Test").c_str(), nullptr);
        savedProgramFolder_ = ProgramFolder;
        ProgramFolder = root_;
        SkinFolderPath = root_ + u"\\skins\\Test";
        WriteFile(SkinFolderPath + u"\\skin.ini", skinIni);
    }
    ~SkinProgram() {
        ProgramFolder = savedProgramFolder_;
        SkinFolderPath.clear();
        // Fixture files only; the folders go with the temporary folder.
        for (const wchar_t* f : {L"\\skins\\Test\\skin.ini", L"\\skins\\back.png",
                                 L"\\skins\\Test\\menu_options_active.png",
                                 L"\\skins\\Test\\menu_options_hover.png"}) {
            DeleteFileW((W(root_) + f).c_str());
        }
        RemoveDirectoryW((W(root_) + L"\\skins\\Test").c_str());
        RemoveDirectoryW((W(root_) + L"\\skins").c_str());
        RemoveDirectoryW(W(root_).c_str());
    }
    const std::u16string& Root() const { return root_; }

  private:
    std::u16string root_;
    std::u16string savedProgramFolder_;
};

// Where pictures for a person go: the folder named by ORVELLA_SHOT_DIR, else nowhere.
inline void KeepPicture(const char* name, const TPngImage& image) {
    const char* dir = std::getenv("ORVELLA_SHOT_DIR");
    if (dir == nullptr || *dir == 0) return;
    std::string path = std::string(dir) + "\\" + name;
    WritePng(std::u16string(path.begin(), path.end()), image);
}

}  // namespace orv::skin::test
