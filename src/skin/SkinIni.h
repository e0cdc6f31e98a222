#pragma once
// skin.ini access and the colour texts of a skin. The reader is Windows-style: [sections] and
// key=value lines, names compared without regard to case, blanks trimmed around names and
// values, ";" starts a comment line, one pair of enclosing quotes taken off a value. A missing
// file, section or key reads as the empty text. Every call reads the file anew: skins are read
// only while windows are created, and a user editing skin.ini sees the change at the next start.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace orv::skin {

// Anything bigger is no skin.ini: it is refused with a debug line and reads as missing.
inline constexpr uint64_t kMaxSkinIniBytes = platform::kMaxIniFileBytes;

// The value of section/key in the file; empty when absent or when the file cannot be read.
std::u16string ReadStringFromIni(std::u16string_view file, std::u16string_view section,
                                 std::u16string_view key);
// Whether the key exists in the section (a line "key" without "=" counts, with an empty value).
bool IniValueExists(std::u16string_view file, std::u16string_view section, std::u16string_view key);
// The colour of section/key: 0 when the file, the key or the value is missing; a value that is
// no colour text also reads as 0, with a debug line.
uint32_t ReadColorFromIni(std::u16string_view file, std::u16string_view section,
                          std::u16string_view key);

// The same lookups over the bytes of an ini file (UTF-8, or UTF-16 with byte-order mark).
// Returns whether the key exists; value (when set) receives its text.
bool FindIniValue(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                  std::u16string* value);

// A colour text: a colour name ("clRed", case ignored), a decimal number or "$" + hex digits;
// "$RRGGBB" and "$AARRGGBB" are read with red, green, blue in reading order, so the colour
// value keeps red in its low byte (and alpha, if given, in its top byte). False for any other
// text; value is then left alone.
bool SkinTextToColor(std::u16string_view text, uint32_t& value);
// SkinTextToColor for texts from a skin: an invalid text must not take down the window being
// skinned, so it gives 0 and a debug line naming it.
uint32_t SkinTextToColorOrBlack(std::u16string_view text);

// Colour values of the Windows system colours: kSystemColorBase + the GetSysColor index.
inline constexpr uint32_t kSystemColorBase = 0xFF000000u;
inline constexpr uint32_t kColorNone = 0x1FFFFFFFu;
inline constexpr uint32_t kColorDefault = 0x20000000u;
// Whether value names a system colour; index receives the GetSysColor index.
bool IsSystemColor(uint32_t value, int& index);

}  // namespace orv::skin
