// Feeds arbitrary bytes to the skin.ini reader as a file and looks up the sections and keys the
// file itself names, then every value as a colour text: nothing may read out of bounds, a
// name the file holds must be found again, and any text must convert or fail cleanly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Text.h"
#include "skin/SkinIni.h"

namespace {

using orv::skin::FindIniValue;

// The first bracketed name and the first key after it, as plain ASCII from the raw bytes.
void NamesFromBytes(std::string_view bytes, std::u16string& section, std::u16string& key) {
    const size_t open = bytes.find('[');
    if (open == std::string_view::npos) return;
    const size_t close = bytes.find(']', open);
    if (close == std::string_view::npos) return;
    section = orv::Utf8ToUtf16(bytes.substr(open + 1, close - open - 1));
    const size_t lineEnd = bytes.find('\n', close);
    if (lineEnd == std::string_view::npos) return;
    const size_t eq = bytes.find('=', lineEnd);
    if (eq == std::string_view::npos) return;
    key = orv::Utf8ToUtf16(bytes.substr(lineEnd + 1, eq - lineEnd - 1));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::u16string value;
    for (auto [section, key] :
         {std::pair<std::u16string_view, std::u16string_view>{u"PellButtons2", u"FaceColor_Normal"},
          {u"Navi_Options", u"Font_Normal"},
          {u"SkinInfo", u"DisplayName"}}) {
        value.clear();
        if (FindIniValue(bytes, section, key, &value)) {
            uint32_t color = 0;
            orv::skin::SkinTextToColor(value, color);
            if (!FindIniValue(bytes, section, key, nullptr)) std::abort();
        } else if (!value.empty()) {
            std::abort();  // a failed lookup leaves the value alone
        }
    }
    std::u16string section, key;
    NamesFromBytes(bytes, section, key);
    if (!section.empty() && !key.empty()) FindIniValue(bytes, section, key, &value);
    // The bytes as one colour text, too.
    uint32_t color = 0;
    orv::skin::SkinTextToColor(orv::Utf8ToUtf16(bytes), color);
    return 0;
}
