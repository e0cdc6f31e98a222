#pragma once
// Reads a whole file named by a program path (UTF-16, backslashes) into memory.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace orv::skin {

// False when the file cannot be opened or read, or, with a debug line, is larger than maxBytes.
bool ReadFileBytes(std::u16string_view path, std::vector<uint8_t>& bytes, size_t maxBytes);

}  // namespace orv::skin
