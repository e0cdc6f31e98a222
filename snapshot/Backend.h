#pragma once
// The file-system back-end of this build: Win32 on Windows, POSIX elsewhere.
#include <memory>
#include <string_view>

#include "Walker.h"

namespace snap {

// True when rootPath names a folder the back-end can walk. On POSIX backslashes count as
// slashes; on Windows the path may be a drive root ("C:\") or any folder path.
bool IsWalkableFolder(std::u16string_view rootPath);

// A source positioned before rootPath (OpenRoot opens it); null when out of memory.
std::unique_ptr<FolderSource> MakeFolderSource(std::u16string_view rootPath);

}  // namespace snap
