#include "core/TextAfterLast.h"

namespace orv {

std::u16string TextAfterLast(std::u16string_view text, char16_t delimiter) {
    if (text.size() < 2) return {};
    for (size_t i = text.size() - 1; i-- > 0;) {
        if (text[i] == delimiter) return std::u16string(text.substr(i + 1));
    }
    return {};
}

}  // namespace orv
