#pragma once
// The little file access the program needs: translation files, index.txt, skin.ini, flag
// bitmaps. Paths are UTF-16 with backslashes; the POSIX stand-in turns them into slashes. Tests
// install their own with SetFiles, as with SetSystem.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"

namespace orv::platform {

// Largest files the program reads, by purpose: far above anything it ships, far below what
// would hurt when someone puts a huge file where a small one belongs.
inline constexpr uint64_t kMaxFileBytes = uint64_t{64} << 20;
inline constexpr uint64_t kMaxTranslationFileBytes = uint64_t{8} << 20;  // *.nlang3
inline constexpr uint64_t kMaxIndexFileBytes = uint64_t{1} << 20;        // index.txt
inline constexpr uint64_t kMaxIniFileBytes = uint64_t{256} << 10;        // skin.ini
inline constexpr uint64_t kMaxPictureFileBytes = uint64_t{64} << 20;     // skin pictures, flags
inline constexpr uint64_t kMaxStripeFileBytes = uint64_t{64} << 20;      // stripe.png

// The debug line of a file refused for its size.
inline std::u16string FileTooLargeLine(std::u16string_view path, uint64_t maxBytes) {
    return u"Files: " + std::u16string(path) + u" is larger than " + ToDecimalUnsigned(maxBytes) +
           u" bytes, not read";
}

class Files {
  public:
    virtual ~Files() = default;
    // The whole file as bytes; false (and bytes empty) when it cannot be read, or, with a debug
    // line naming the file and the limit, when it is larger than maxBytes. The size is checked
    // before anything is read, so a huge file costs no memory.
    virtual bool ReadWholeFile(std::u16string_view path, std::string& bytes, uint64_t maxBytes) = 0;
    // The same with the limit for files of no particular purpose.
    bool ReadWholeFile(std::u16string_view path, std::string& bytes) {
        return ReadWholeFile(path, bytes, kMaxFileBytes);
    }
    // True for an existing file, false for a directory or nothing.
    virtual bool FileExists(std::u16string_view path) = 0;
    // True for an existing file or directory.
    virtual bool PathExists(std::u16string_view path) { return FileExists(path); }
    // Makes `to` a copy of the file `from`, replacing what was there. The copy is written
    // beside `to` first and then takes its place, so a failure (from unreadable, disk full)
    // leaves `to` as it was. False on any failure.
    virtual bool ReplaceWithCopy(std::u16string_view from, std::u16string_view to) {
        (void)from;
        (void)to;
        return false;
    }
    // Names (without the folder) of the files in folder that match pattern ("*.nlang3",
    // "pt-*.bmp"; "*" any run, "?" one character, case ignored), directories skipped, in the
    // order the file system returns them. Empty when the folder cannot be listed.
    virtual std::vector<std::u16string> ListFiles(std::u16string_view folder,
                                                  std::u16string_view pattern) = 0;
    // Names of the sub-folders of folder (with or without trailing backslash), "." and ".."
    // left out, in the order the file system returns them; afterEachEntry (if set) runs after
    // every entry of the folder, files included, so a caller can keep its window responsive.
    // Empty when the folder cannot be listed.
    virtual std::vector<std::u16string> ListFolders(std::u16string_view folder,
                                                    const std::function<void()>& afterEachEntry) {
        (void)folder;
        (void)afterEachEntry;
        return {};
    }
};

Files& Fs();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetFiles(Files* replacement);
// The built-in implementation of this build.
Files& DefaultFiles();

}  // namespace orv::platform
