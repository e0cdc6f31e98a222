#pragma once
// The little file access the program needs: translation files, index.txt, flag bitmaps. Paths
// are UTF-16 with backslashes; the POSIX stand-in turns them into slashes. Tests install their
// own with SetFiles, as with SetSystem.
#include <string>
#include <string_view>
#include <vector>

namespace orv::platform {

class Files {
  public:
    virtual ~Files() = default;
    // The whole file as bytes; false (and bytes empty) when it cannot be read.
    virtual bool ReadWholeFile(std::u16string_view path, std::string& bytes) = 0;
    // True for an existing file, false for a directory or nothing.
    virtual bool FileExists(std::u16string_view path) = 0;
    // Names (without the folder) of the files in folder that match pattern ("*.nlang3",
    // "pt-*.bmp"; "*" any run, "?" one character, case ignored), directories skipped, in the
    // order the file system returns them. Empty when the folder cannot be listed.
    virtual std::vector<std::u16string> ListFiles(std::u16string_view folder,
                                                  std::u16string_view pattern) = 0;
};

Files& Fs();
// Installs a replacement (tests); nullptr restores the built-in one.
void SetFiles(Files* replacement);
// The built-in implementation of this build.
Files& DefaultFiles();

}  // namespace orv::platform
