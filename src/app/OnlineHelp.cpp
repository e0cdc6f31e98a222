#include "app/OnlineHelp.h"

#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "platform/LocaleNames.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::app {
namespace {

// The first query that answers; the fallback is cut to two letters ("DEU" -> "DE").
std::u16string LocalePart(uint32_t lcid, platform::LocaleField iso, platform::LocaleField abbrev) {
    auto& names = platform::LocNames();
    std::u16string part;
    if (names.LocaleInfo(lcid, iso, part)) return part;
    part.clear();
    if (names.LocaleInfo(lcid, abbrev, part)) return part.substr(0, 2);
    return {};
}

std::u16string LowerAscii(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}

// Keywords are plain ASCII words; any other byte goes in as its Latin-1 character.
std::u16string Widen(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (const char c : bytes) out += static_cast<char16_t>(static_cast<unsigned char>(c));
    return out;
}

}  // namespace

std::u16string BuildHelpLanguageTag(int32_t lcid) {
    const auto id = static_cast<uint32_t>(lcid);
    std::u16string tag = LocalePart(id, platform::LocaleField::Iso639LanguageName,
                                    platform::LocaleField::AbbrevLanguageName);
    tag += u'-';
    tag += LocalePart(id, platform::LocaleField::Iso3166CountryName,
                      platform::LocaleField::AbbrevCountryName);
    return std::u16string(TrimBlanks(LowerAscii(std::move(tag))));
}

std::u16string OnlineHelpAddress(std::u16string_view languageTag, std::string_view keyword) {
    std::u16string address(kOnlineHelpHost);
    address += u"/help/";
    address += kProductCode;
    address += u'/';
    address += languageTag;
    address += u'/';
    address += Widen(keyword);
    return address;
}

std::u16string PercentEncode(std::u16string_view text) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    const std::string utf8 = Utf16ToUtf8(text);
    std::u16string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto b = static_cast<unsigned char>(ch);
        const bool safe = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') ||
                          (b >= '0' && b <= '9') || b == '-' || b == '.' || b == '_' || b == '~';
        if (safe) {
            out += static_cast<char16_t>(b);
        } else {
            out += u'%';
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::u16string LinkTargetAddress(std::u16string_view product, std::u16string_view version,
                                 std::u16string_view edition, std::u16string_view syslang,
                                 std::u16string_view lang, std::u16string_view target) {
    std::u16string address(kLinkTargetHost);
    address += u"/linktarget/?product=";
    address += product;
    address += u"&version=";
    address += version;
    address += u"&edition=";
    address += PercentEncode(edition);
    address += u"&syslang=";
    address += syslang;
    address += u"&lang=";
    address += lang;
    address += u"&target=";
    address += target;
    return address;
}

std::u16string ReadEdition() {
    return Reg_ReadString(RegRoot::LocalMachine, settings::kProductKey, settings::kEdition);
}

void OpenOnlineHelp(std::string_view keyword) {
    const std::u16string address =
        OnlineHelpAddress(BuildHelpLanguageTag(lang::CurrentLCID), keyword);
    platform::DebugOutput(u"Call Online Help ; URL=" + address);
    // Without a browser nothing happens; there is nobody to tell.
    platform::Shl().Open(address);
}

void OpenLinkTarget(std::u16string_view target) {
    const std::u16string syslang =
        BuildHelpLanguageTag(static_cast<int32_t>(platform::LocNames().UserDefaultLCID()));
    const std::u16string address =
        LinkTargetAddress(kProductCode, kVersionText, ReadEdition(), syslang,
                          BuildHelpLanguageTag(lang::CurrentLCID), target);
    platform::Shl().Open(address);
}

}  // namespace orv::app
