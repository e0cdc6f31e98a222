#pragma once
// UTF-16 is the program's text type; these helpers convert at the edges and do the
// ASCII-only case rules the program uses for switches, paths and extensions.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// Upper-cases ASCII letters only; everything else passes unchanged.
std::u16string UpperAscii(std::u16string_view s);
bool EqualsIgnoreCaseAscii(std::u16string_view a, std::u16string_view b);

// Decimal text of an unsigned or signed number, no leading zeros.
std::u16string ToDecimal(int64_t v);
std::u16string ToDecimalUnsigned(uint64_t v);

// Removes leading and trailing characters <= U+0020 (blanks and control characters).
std::u16string_view TrimBlanks(std::u16string_view s);

}  // namespace orv
