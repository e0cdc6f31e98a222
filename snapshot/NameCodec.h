#pragma once
// POSIX names are bytes, usually UTF-8. Records carry UTF-16, and the walker opens folders by
// the names it recorded, so the conversion must be lossless: a byte that is not part of a
// well-formed UTF-8 sequence becomes the lone surrogate U+DC80 + (byte - 0x80), and only such
// surrogates turn back into raw bytes. Well-formed UTF-8 never encodes U+DC80..U+DCFF, so the
// mapping is one-to-one.
#include <string>
#include <string_view>

namespace snap {

// Appends the UTF-16 form of a file-system name to out.
void NameToUtf16(std::string_view bytes, std::u16string& out);

// Appends the file-system bytes of a name produced by NameToUtf16 to out.
void NameFromUtf16(std::u16string_view name, std::string& out);

}  // namespace snap
