#pragma once
// The message catalogue: every text that code composes at run time, by key, with its German
// default, taken from the section "MESSAGES" of the loaded translation; and the two loaders
// that create the program catalogue CurrentLang and translate windows.
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "lang/nLang3.h"

namespace orv::toolkit {
class TComponent;
}

namespace orv::lang {

struct MessageEntry {
    std::u16string_view key;
    std::u16string_view defaultText;
};
// The keys this program shows, in table order.
std::span<const MessageEntry> MessageTable();

// The current text of a key; empty for a key the table does not hold.
const std::u16string& Msg(std::u16string_view key);

// The program catalogue; null until a loader found both files.
TLang* CurrentLang();
// Set once the messages took their texts from CurrentLang.
bool MessagesLoaded();

// Makes CurrentLang hold folder\name.nlang3 (with folder\index.txt) and fills the messages.
void LOAD_INTERNAL_ONLY(std::u16string_view folder, std::u16string_view name);
// Translates window (section = its component name); creates CurrentLang first if needed.
void LOAD_TRANSLATION_TO_FORM(std::u16string_view folder, std::u16string_view name,
                              toolkit::TComponent& window);
// Every current text from CurrentLang, empty where the file has none.
void LoadMessageCatalogue();
// LoadMessageCatalogue the first time, never again.
void EnsureMessageCatalogue();
// Start-up's fixed texts for the five keys that must never be empty.
void ApplyStartupFallbacks();
// Start-up step of loading the catalogue: LOAD_INTERNAL_ONLY for CurrentLanguageFile, then
// the fallbacks.
void LoadStartupCatalogue(std::u16string_view translationFolder);

// Back to the process start: defaults, no CurrentLang, flag cleared (tests).
void ResetMessageCatalogue();

}  // namespace orv::lang
