#pragma once
// Online help and web links: the program has no local help, so help pages and every web page
// open in the user's browser. This module composes the two kinds of address the program builds
// itself and hands them to the shell.
#include <cstdint>
#include <string>
#include <string_view>

namespace orv::app {

inline constexpr std::u16string_view kProductCode = u"0451";
inline constexpr std::u16string_view kVersionText = u"01.00.00";

// Our hosts; only schemes, paths and query keys are fixed by the addresses' format.
inline constexpr std::u16string_view kOnlineHelpHost = u"https://help.orvella.app";
inline constexpr std::u16string_view kLinkTargetHost = u"http://go.orvella.app";

// "de-de" for 1031: ISO language name and ISO country name (each falling back to the first two
// letters of the abbreviated name, then to empty), lower-cased, blanks trimmed.
std::u16string BuildHelpLanguageTag(int32_t lcid);

// kOnlineHelpHost + "/help/0451/" + tag + "/" + keyword.
std::u16string OnlineHelpAddress(std::u16string_view languageTag, std::string_view keyword);

// kLinkTargetHost +
// "/linktarget/?product=...&version=...&edition=...&syslang=...&lang=...&target=..." The edition
// comes from the registry, which anyone with rights may edit, so it is percent-encoded; the other
// values are the program's own and go in as they are.
std::u16string LinkTargetAddress(std::u16string_view product, std::u16string_view version,
                                 std::u16string_view edition, std::u16string_view syslang,
                                 std::u16string_view lang, std::u16string_view target);

// Every character outside A-Z a-z 0-9 - . _ ~ as %XX of its UTF-8 bytes.
std::u16string PercentEncode(std::u16string_view text);

// The registry's "Edition" text; empty when missing.
std::u16string ReadEdition();

// Opens the help page for keyword in the interface language (lang::CurrentLCID) and logs
// "Call Online Help ; URL=" + address.
void OpenOnlineHelp(std::string_view keyword);
// Opens the link-target address of target, with the user's default locale as syslang and the
// interface language as lang.
void OpenLinkTarget(std::u16string_view target);

}  // namespace orv::app
