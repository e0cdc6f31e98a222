#include "lang/nLang3.h"

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/LocaleNames.h"
#include "platform/System.h"
#include "toolkit/Component.h"

namespace orv::lang {

using toolkit::TComponent;
using toolkit::TListSlotKind;
using toolkit::TTextSlotKind;

namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::u16string DecodeUtf16(std::string_view body, bool bigEndian) {
    std::u16string out;
    out.reserve(body.size() / 2 + 1);
    const size_t units = body.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        const auto a = static_cast<unsigned char>(body[2 * i]);
        const auto b = static_cast<unsigned char>(body[2 * i + 1]);
        out.push_back(static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a));
    }
    if (body.size() % 2 != 0) out.push_back(kReplacement);  // half a code unit at the end
    // Unpaired surrogates cannot stand for any character.
    for (size_t i = 0; i < out.size(); ++i) {
        const char16_t c = out[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < out.size() && out[i + 1] >= 0xDC00 &&
            out[i + 1] <= 0xDFFF) {
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out[i] = kReplacement;
        }
    }
    return out;
}

std::u16string_view NameOf(std::u16string_view line) {
    return line.substr(0, line.find(u'='));
}

std::u16string ReplaceCrlfMarks(std::u16string_view text) {
    static constexpr std::u16string_view kMark = u"%CRLF";
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'%' && i + kMark.size() <= text.size() &&
            EqualsIgnoreCaseAscii(text.substr(i, kMark.size()), kMark)) {
            out += u"\r\n";
            i += kMark.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// Captions of a list, one per item, taken from text at CR LF; the last one repeats.
void ApplyListRule(toolkit::TListSlot& list, std::u16string_view text) {
    std::u16string_view rest = text;
    for (size_t i = 0; i < list.Count(); ++i) {
        const size_t br = rest.find(u"\r\n");
        if (br != std::u16string_view::npos) {
            list.Set(i, rest.substr(0, br));
            rest = rest.substr(br + 2);
        } else {
            list.Set(i, rest);
        }
    }
}

bool SetList(TComponent& obj, TListSlotKind kind, std::u16string_view text) {
    toolkit::TListSlot* list = obj.ListSlot(kind);
    if (list == nullptr || list->Count() == 0) return false;
    ApplyListRule(*list, text);
    return true;
}

bool SetText(TComponent& obj, TTextSlotKind kind, std::u16string_view text) {
    toolkit::TTextSlot* slot = obj.TextSlot(kind);
    if (slot == nullptr) return false;
    slot->Set(text);
    return true;
}

// The first rule that fits obj's kind; false when none did.
bool ApplyText(TComponent& obj, std::u16string_view text) {
    const std::u16string kind = UpperAscii(obj.ClassName());
    if (kind == u"THTMLABEL") return SetText(obj, TTextSlotKind::MarkupText, text);
    if (kind == u"TADVSMOOTHLABEL") return SetText(obj, TTextSlotKind::CaptionObjectText, text);
    if (kind == u"TADVOFFICETABSET") return SetList(obj, TListSlotKind::TabCaptions, text);
    if (kind == u"TVIRTUALDRAWTREE") {
        SetText(obj, TTextSlotKind::HeaderFontName, u"Tahoma");
        return SetList(obj, TListSlotKind::ColumnCaptions, text);
    }
    if (kind == u"TLISTVIEW") return SetList(obj, TListSlotKind::ColumnCaptions, text);
    if (SetText(obj, TTextSlotKind::MarkupText, text)) return true;
    return SetText(obj, TTextSlotKind::Caption, text);
}

// clang-format off
constexpr CultureTag kCultureTags[] = {
    {u"af", 1078}, {u"sq", 1052}, {u"ar-sa", 1025}, {u"ar-iq", 2049}, {u"ar-eg", 3073},
    {u"ar-ly", 4097}, {u"ar-dz", 5121}, {u"ar-ma", 6145}, {u"ar-tn", 7169}, {u"ar-om", 8193},
    {u"ar-ye", 9217}, {u"ar-sy", 10241}, {u"ar-jo", 11265}, {u"ar-lb", 12289}, {u"ar-kw", 13313},
    {u"ar-ae", 14337}, {u"ar-bh", 15361}, {u"ar-qa", 16385}, {u"hy", 1067}, {u"eu", 1069},
    {u"bg", 1026}, {u"be", 1059}, {u"ca", 1027}, {u"zh-tw", 1028}, {u"zh-cn", 2052},
    {u"zh-hk", 3076}, {u"zh-sg", 4100}, {u"hr", 1050}, {u"cs", 1029}, {u"da", 1030}, {u"nl", 1043},
    {u"nl-nl", 1043}, {u"nl-be", 2067}, {u"en", 9}, {u"en-us", 1033}, {u"en-gb", 2057},
    {u"en-au", 3081}, {u"en-ca", 4105}, {u"en-nz", 5129}, {u"en-ie", 6153}, {u"en-za", 7177},
    {u"en-jm", 8201}, {u"en-bz", 10249}, {u"en-tt", 11273}, {u"et", 1061}, {u"fo", 1080},
    {u"fa", 1065}, {u"fi", 1035}, {u"fr", 1036}, {u"fr-be", 2060}, {u"fr-ca", 3084},
    {u"fr-ch", 4108}, {u"fr-lu", 5132}, {u"mk", 1071}, {u"gd", 1084}, {u"gd-ie", 2108},
    {u"de", 1031}, {u"de-ch", 2055}, {u"de-at", 3079}, {u"de-lu", 4103}, {u"de-li", 5127},
    {u"el", 1032}, {u"he", 1037}, {u"hi", 1081}, {u"hu", 1038}, {u"is", 1039}, {u"in", 1057},
    {u"it", 1040}, {u"it-ch", 2064}, {u"ja", 1041}, {u"ko", 1042}, {u"lv", 1062}, {u"lt", 1063},
    {u"ms", 1086}, {u"mt", 1082}, {u"no", 1044}, {u"no-no", 1044}, {u"nb-no", 1044},
    {u"nn-no", 2068}, {u"pl", 1045}, {u"pt-br", 1046}, {u"pt", 2070}, {u"rm", 1047}, {u"ro", 1048},
    {u"ro-mo", 2072}, {u"ru", 1049}, {u"ru-mo", 2073}, {u"sz", 1083}, {u"sr", 3098}, {u"sk", 1051},
    {u"sb", 1070}, {u"es", 1034}, {u"es-mx", 2058}, {u"es-gt", 4106}, {u"es-cr", 5130},
    {u"es-pa", 6154}, {u"es-do", 7178}, {u"es-ve", 8202}, {u"es-co", 9226}, {u"es-pe", 10250},
    {u"es-ar", 11274}, {u"es-ec", 12298}, {u"es-cl", 13322}, {u"es-uy", 14346}, {u"es-py", 15370},
    {u"es-bo", 16394}, {u"es-sv", 17418}, {u"es-hn", 18442}, {u"es-ni", 19466}, {u"es-pr", 20490},
    {u"sx", 1072}, {u"sv", 1053}, {u"sv-fi", 2077}, {u"th", 1054}, {u"ts", 1073}, {u"tn", 1074},
    {u"tr", 1055}, {u"uk", 1058}, {u"ur", 1056}, {u"ve", 1075}, {u"vi", 1066}, {u"xh", 1076},
    {u"ji", 1085}, {u"zu", 1077}, {u"ge", 1079}, {u"ka-ge", 1079}, {u"sl", 1060}, {u"sl-si", 1060},
    {u"kk-kz", 1087},
};
// clang-format on
static_assert(std::size(kCultureTags) == 129);

// A non-zero decimal number made of digits only; 0 otherwise.
int32_t DecimalIdentifier(std::u16string_view s) {
    if (s.empty() || s.size() > 9) return 0;
    int32_t v = 0;
    for (const char16_t c : s) {
        if (c < u'0' || c > u'9') return 0;
        v = v * 10 + (c - u'0');
    }
    return v;
}

std::u16string UserLocalePart(platform::LocaleField iso, platform::LocaleField abbrev) {
    auto& names = platform::LocNames();
    const uint32_t lcid = names.UserDefaultLCID();
    std::u16string out;
    if (names.LocaleInfo(lcid, iso, out)) return out;
    if (names.LocaleInfo(lcid, abbrev, out)) return out.substr(0, 2);
    return {};
}

}  // namespace

std::u16string LowerAscii(std::u16string_view s) {
    std::u16string out(s);
    for (auto& c : out) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    }
    return out;
}

std::u16string DecodeTextFile(std::string_view bytes) {
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return Utf8ToUtf16(bytes.substr(3));
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFF\xFE") {
        return DecodeUtf16(bytes.substr(2), false);
    }
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "\xFE\xFF") {
        return DecodeUtf16(bytes.substr(2), true);
    }
    return platform::LocNames().AnsiToUtf16(bytes);
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

void THashedStringList::Assign(std::vector<std::u16string> lines) {
    lines_ = std::move(lines);
    indexValid_ = false;
}

void THashedStringList::LoadFromBytes(std::string_view bytes) {
    Assign(SplitLines(DecodeTextFile(bytes)));
}

bool THashedStringList::LoadFromFile(std::u16string_view path, uint64_t maxBytes) {
    std::string bytes;
    if (!platform::Fs().ReadWholeFile(path, bytes, maxBytes)) return false;
    LoadFromBytes(bytes);
    return true;
}

void THashedStringList::BuildIndex() const {
    index_.clear();
    index_.reserve(lines_.size());
    auto& loc = platform::Loc();
    for (size_t i = 0; i < lines_.size(); ++i) {
        // A line without "=" has no name; emplace keeps the first line of a name.
        if (lines_[i].find(u'=') == std::u16string::npos) continue;
        index_.emplace(loc.UpperCase(NameOf(lines_[i])), i);
    }
    indexValid_ = true;
}

size_t THashedStringList::IndexOfName(std::u16string_view name) const {
    if (!indexValid_) BuildIndex();
    const auto it = index_.find(platform::Loc().UpperCase(name));
    return it == index_.end() ? npos : it->second;
}

std::u16string_view THashedStringList::ValueFromIndex(size_t i) const {
    const std::u16string_view line = lines_[i];
    const size_t eq = line.find(u'=');
    return eq == std::u16string_view::npos ? std::u16string_view() : line.substr(eq + 1);
}

void TLang::Load_Translation(std::u16string_view translationFile, std::u16string_view indexFile) {
    auto& fs = platform::Fs();
    if (fs.FileExists(translationFile))
        Translation.LoadFromFile(translationFile, platform::kMaxTranslationFileBytes);
    if (fs.FileExists(indexFile)) Index.LoadFromFile(indexFile, platform::kMaxIndexFileBytes);
    platform::DebugOutput(u"TranslationCount=" + ToDecimalUnsigned(Translation.Count()));
}

std::u16string TLang::Get_StringW(std::u16string_view sectionID, std::u16string_view component,
                                  bool /*testing*/) {
    std::u16string name(sectionID);
    name += u'.';
    name += component;
    std::u16string text;
    const size_t at = Translation.IndexOfName(name);
    if (at != THashedStringList::npos) text = ReplaceCrlfMarks(Translation.ValueFromIndex(at));
    if (text.empty()) ++MissingItemsInTranslation;
    return text;
}

void TLang::Set_Components(std::u16string_view sectionID, TComponent* obj, bool testing) {
    if (obj == nullptr) return;
    if (obj->Tag() != 0) {
        std::u16string text = Get_StringW(sectionID, obj->Name(), testing);
        if (testing) text = u"TEST TRANSLATION";
        if (!text.empty()) {
            if (ApplyText(*obj, text)) {
                if (UpperAscii(obj->ClassName()) == u"TPELLUNICODESTBUTTON") obj->Repaint();
            } else {
                ++MissingObjects;
            }
        }
    }
    for (size_t i = 0; i < obj->ComponentCount(); ++i) {
        Set_Components(sectionID, obj->Component(i), testing);
    }
}

std::span<const CultureTag> CultureTable() {
    return kCultureTags;
}

std::vector<std::u16string> AvailableLCIDs;
std::vector<std::u16string> AvailableFileNames;
std::vector<std::u16string> AvailableTags;

int IndexOfIgnoreCase(const std::vector<std::u16string>& list, std::u16string_view text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (EqualsIgnoreCaseAscii(list[i], text)) return static_cast<int>(i);
    }
    return -1;
}

uint16_t LanguageTagToLCID(std::u16string_view tag) {
    for (const auto& row : kCultureTags) {
        if (row.tag == tag) return row.lcid;
    }
    return 0;
}

std::u16string LCIDToLanguageTag(int32_t lcid) {
    if (lcid == 1044) return u"no-no";
    auto& names = platform::LocNames();
    std::u16string language, country;
    names.LocaleInfo(static_cast<uint32_t>(lcid), platform::LocaleField::Iso639LanguageName,
                     language);
    names.LocaleInfo(static_cast<uint32_t>(lcid), platform::LocaleField::Iso3166CountryName,
                     country);
    return LowerAscii(language + u"-" + country);
}

std::u16string GetUserLanguageCode() {
    return UserLocalePart(platform::LocaleField::Iso639LanguageName,
                          platform::LocaleField::AbbrevLanguageName);
}

std::u16string GetUserCountryCode() {
    return UserLocalePart(platform::LocaleField::Iso3166CountryName,
                          platform::LocaleField::AbbrevCountryName);
}

std::u16string GetLanguageDisplayName(int32_t lcid) {
    return platform::LocNames().LanguageName(static_cast<uint32_t>(lcid));
}

void ScanTranslationFolder(std::u16string_view folder) {
    AvailableLCIDs.clear();
    AvailableFileNames.clear();
    AvailableTags.clear();
    std::u16string path(folder);
    if (path.empty() || path.back() != u'\\') path += u'\\';
    for (const auto& fileName : platform::Fs().ListFiles(path, u"*.nlang3")) {
        const std::u16string name = LowerAscii(fileName);
        const std::u16string base = name.substr(0, name.find(u'.'));
        const size_t underscore = base.find(u'_');
        std::u16string tag =
            underscore == std::u16string::npos ? base : base.substr(underscore + 1);

        auto split = [](const std::u16string& t, std::u16string& lang, std::u16string& region) {
            const size_t dash = t.find(u'-');
            lang = t.substr(0, dash);
            region = dash == std::u16string::npos ? std::u16string() : t.substr(dash + 1);
        };
        std::u16string language, region;
        split(tag, language, region);

        int32_t lcid = DecimalIdentifier(tag);
        if (lcid != 0) {
            tag = LCIDToLanguageTag(lcid);
            split(tag, language, region);
        } else if (!language.empty()) {
            std::vector<std::u16string> tries;
            if (!region.empty()) tries.push_back(language + u"-" + region);
            tries.push_back(language);
            tries.push_back(language + u"-" + language);
            for (const auto& t : tries) {
                lcid = LanguageTagToLCID(t);
                if (lcid != 0) break;
            }
        }
        if (lcid == 0) continue;
        AvailableLCIDs.push_back(ToDecimal(lcid));
        AvailableFileNames.push_back(base);
        AvailableTags.push_back(tag);
    }
}

}  // namespace orv::lang
