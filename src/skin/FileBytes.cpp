#include "skin/FileBytes.h"

#include <new>
#include <string>

#include "platform/Files.h"

namespace orv::skin {

// One way of reading files for the whole program: the size is checked before anything is read
// and a refusal leaves a debug line with the file and the limit.
bool ReadFileBytes(std::u16string_view path, std::vector<uint8_t>& bytes, size_t maxBytes) {
    bytes.clear();
    if (path.empty()) return false;
    std::string content;
    if (!platform::Fs().ReadWholeFile(path, content, maxBytes)) return false;
    try {
        bytes.assign(content.begin(), content.end());
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace orv::skin
