#pragma once
// Loads a picture file into a toolkit picture: PNG with its alpha, or a Windows bitmap (opaque).
#include <string_view>

#include "toolkit/Graphics.h"

namespace orv::toolkit::win32 {

// False, the picture unchanged and one debug line when the file cannot be read.
bool LoadPictureFile(TPicture& picture, std::u16string_view path);

}  // namespace orv::toolkit::win32
