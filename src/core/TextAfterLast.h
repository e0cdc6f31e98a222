#pragma once
#include <string>
#include <string_view>

namespace orv {

// The text after the last occurrence of delimiter. A delimiter in the last position does not
// count: the search starts at the second-to-last character and goes back to the first. Empty
// when the delimiter does not occur there.
//   TextAfterLast(u"C:\\A\\b.txt", u'\\') == u"b.txt"
//   TextAfterLast(u"a.b.", u'.') == u"b."
std::u16string TextAfterLast(std::u16string_view text, char16_t delimiter);

}  // namespace orv
