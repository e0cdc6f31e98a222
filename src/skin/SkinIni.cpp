#include "skin/SkinIni.h"

#include <array>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/System.h"

namespace orv::skin {
namespace {

struct NamedColor {
    std::u16string_view name;
    uint32_t value;
};

// clang-format off
constexpr std::array<NamedColor, 52> kColorNames = {{
    {u"clBlack", 0x000000}, {u"clMaroon", 0x000080}, {u"clGreen", 0x008000},
    {u"clOlive", 0x008080}, {u"clNavy", 0x800000}, {u"clPurple", 0x800080},
    {u"clTeal", 0x808000}, {u"clGray", 0x808080}, {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF}, {u"clLime", 0x00FF00}, {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000}, {u"clFuchsia", 0xFF00FF}, {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF}, {u"clMoneyGreen", 0xC0DCC0}, {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF}, {u"clMedGray", 0xA4A0A0},
    {u"clNone", kColorNone}, {u"clDefault", kColorDefault},
    {u"clScrollBar", kSystemColorBase + 0}, {u"clBackground", kSystemColorBase + 1},
    {u"clActiveCaption", kSystemColorBase + 2}, {u"clInactiveCaption", kSystemColorBase + 3},
    {u"clMenu", kSystemColorBase + 4}, {u"clWindow", kSystemColorBase + 5},
    {u"clWindowFrame", kSystemColorBase + 6}, {u"clMenuText", kSystemColorBase + 7},
    {u"clWindowText", kSystemColorBase + 8}, {u"clCaptionText", kSystemColorBase + 9},
    {u"clActiveBorder", kSystemColorBase + 10}, {u"clInactiveBorder", kSystemColorBase + 11},
    {u"clAppWorkSpace", kSystemColorBase + 12}, {u"clHighlight", kSystemColorBase + 13},
    {u"clHighlightText", kSystemColorBase + 14}, {u"clBtnFace", kSystemColorBase + 15},
    {u"clBtnShadow", kSystemColorBase + 16}, {u"clGrayText", kSystemColorBase + 17},
    {u"clBtnText", kSystemColorBase + 18}, {u"clInactiveCaptionText", kSystemColorBase + 19},
    {u"clBtnHighlight", kSystemColorBase + 20}, {u"cl3DDkShadow", kSystemColorBase + 21},
    {u"cl3DLight", kSystemColorBase + 22}, {u"clInfoText", kSystemColorBase + 23},
    {u"clInfoBk", kSystemColorBase + 24}, {u"clHotLight", kSystemColorBase + 26},
    {u"clGradientActiveCaption", kSystemColorBase + 27},
    {u"clGradientInactiveCaption", kSystemColorBase + 28},
    {u"clMenuHighlight", kSystemColorBase + 29}, {u"clMenuBar", kSystemColorBase + 30},
}};
// clang-format on

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// A 32-bit integer text: optional sign, then decimal digits (the signed 32-bit range) or hex
// digits after "$" or "0x" (up to 32 bits, so $FFFFFFFF is allowed and wraps to -1).
bool TextToInt32(std::u16string_view t, uint32_t& out) {
    bool negative = false;
    if (!t.empty() && (t[0] == u'+' || t[0] == u'-')) {
        negative = t[0] == u'-';
        t.remove_prefix(1);
    }
    uint64_t v = 0;
    if (!t.empty() && t[0] == u'$') {
        t.remove_prefix(1);
    } else if (t.size() >= 2 && t[0] == u'0' && (t[1] == u'x' || t[1] == u'X')) {
        t.remove_prefix(2);
    } else {
        if (t.empty()) return false;
        for (char16_t c : t) {
            if (c < u'0' || c > u'9') return false;
            v = v * 10 + static_cast<uint64_t>(c - u'0');
            if (v > 0x80000000ull) return false;
        }
        if (!negative && v > 0x7FFFFFFFull) return false;
        out = static_cast<uint32_t>(negative ? 0 - v : v);
        return true;
    }
    if (t.empty()) return false;
    for (char16_t c : t) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        v = (v << 4) | static_cast<uint64_t>(d);
        if (v > 0xFFFFFFFFull) return false;
    }
    out = static_cast<uint32_t>(negative ? 0 - v : v);
    return true;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
    return EqualsIgnoreCaseAscii(a, b);
}

std::u16string Decode(std::string_view bytes) {
    const auto b = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && ((b(0) == 0xFF && b(1) == 0xFE) || (b(0) == 0xFE && b(1) == 0xFF))) {
        const bool little = b(0) == 0xFF;
        std::u16string out;
        out.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            out.push_back(little ? static_cast<char16_t>(b(i) | (b(i + 1) << 8))
                                 : static_cast<char16_t>((b(i) << 8) | b(i + 1)));
        }
        return out;
    }
    if (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF) {
        bytes.remove_prefix(3);
    }
    return Utf8ToUtf16(bytes);
}

// One pair of enclosing quotes goes, as with the Windows reader.
std::u16string_view Unquote(std::u16string_view v) {
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

bool FindInText(std::u16string_view text, std::u16string_view section, std::u16string_view key,
                std::u16string* value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (section.empty() || key.empty()) return false;
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(u"\r\n", pos);
        if (end == std::u16string_view::npos) end = text.size();
        const std::u16string_view line = TrimBlanks(text.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == u';') continue;
        if (line[0] == u'[') {
            const size_t close = line.rfind(u']');
            // A header without its bracket is no header; the section before goes on.
            if (close == std::u16string_view::npos) continue;
            inSection = SameName(TrimBlanks(line.substr(1, close - 1)), section);
            continue;
        }
        if (!inSection) continue;
        const size_t eq = line.find(u'=');
        const std::u16string_view name =
            TrimBlanks(eq == std::u16string_view::npos ? line : line.substr(0, eq));
        if (!SameName(name, key)) continue;
        if (value != nullptr) {
            value->assign(eq == std::u16string_view::npos
                              ? std::u16string_view()
                              : Unquote(TrimBlanks(line.substr(eq + 1))));
        }
        return true;
    }
    return false;
}

bool ReadIniFile(std::u16string_view file, std::string& bytes) {
    bytes.clear();
    if (file.empty() || !platform::Fs().FileExists(file)) return false;
    // The file access writes the debug line for a file refused for its size.
    if (!platform::Fs().ReadWholeFile(file, bytes, kMaxSkinIniBytes)) {
        platform::DebugOutput(u"Skin: cannot read " + std::u16string(file));
        return false;
    }
    return true;
}

}  // namespace

bool FindIniValue(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                  std::u16string* value) {
    return FindInText(Decode(bytes), section, key, value);
}

std::u16string ReadStringFromIni(std::u16string_view file, std::u16string_view section,
                                 std::u16string_view key) {
    std::string bytes;
    std::u16string value;
    if (!ReadIniFile(file, bytes) || !FindIniValue(bytes, section, key, &value)) return {};
    return value;
}

bool IniValueExists(std::u16string_view file, std::u16string_view section,
                    std::u16string_view key) {
    std::string bytes;
    return ReadIniFile(file, bytes) && FindIniValue(bytes, section, key, nullptr);
}

uint32_t ReadColorFromIni(std::u16string_view file, std::u16string_view section,
                          std::u16string_view key) {
    const std::u16string text = ReadStringFromIni(file, section, key);
    if (text.empty()) return 0;
    return SkinTextToColorOrBlack(text);
}

bool SkinTextToColor(std::u16string_view text, uint32_t& value) {
    uint32_t v = 0;
    bool known = false;
    for (const auto& c : kColorNames) {
        if (SameName(c.name, text)) {
            v = c.value;
            known = true;
            break;
        }
    }
    if (!known && !TextToInt32(text, v)) return false;
    // The text reads red, green, blue from left to right; the value keeps red in its low byte.
    if (text.size() == 7 && text[0] == u'$') {
        const std::u16string swapped = std::u16string(u"$") + std::u16string(text.substr(5, 2)) +
                                       std::u16string(text.substr(3, 2)) +
                                       std::u16string(text.substr(1, 2));
        if (!TextToInt32(swapped, v)) return false;
    } else if (text.size() == 9 && text[0] == u'$') {
        const std::u16string swapped =
            std::u16string(text.substr(0, 3)) + std::u16string(text.substr(7, 2)) +
            std::u16string(text.substr(5, 2)) + std::u16string(text.substr(3, 2));
        if (!TextToInt32(swapped, v)) return false;
    }
    value = v;
    return true;
}

uint32_t SkinTextToColorOrBlack(std::u16string_view text) {
    uint32_t v = 0;
    if (SkinTextToColor(text, v)) return v;
    platform::DebugOutput(u"Skin: \"" + std::u16string(text) + u"\" is no colour, using 0");
    return 0;
}

bool IsSystemColor(uint32_t value, int& index) {
    if ((value & 0xFFFFFF00u) != kSystemColorBase) return false;
    index = static_cast<int>(value & 0xFFu);
    return true;
}

}  // namespace orv::skin
