#pragma once
// The raw volume behind a drive root, for the table reader.
#include <memory>
#include <string_view>

#include "ByteSource.h"

namespace snap::ntfs {

// On Windows: the volume "\\.\X:" of the drive root "X:\" when its file system is NTFS and it
// opens for reading (administrator rights). Null otherwise, and always on other systems, where
// the folder walk runs.
std::unique_ptr<ByteSource> OpenNtfsVolume(std::u16string_view rootPath);

}  // namespace snap::ntfs
