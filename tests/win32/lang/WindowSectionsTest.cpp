// The window sections of the shipped translations against the windows themselves: the German
// file restates every tagged control's design text exactly, every language has a text for each
// tagged control and a caption for each column, and no entry names a control the window lacks.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/FormORV.h"
#include "app/win32/FormOptions.h"
#include "core/Text.h"
#include "lang/nLang3.h"
#include "platform/Files.h"
#include "toolkit/Component.h"

namespace orv::lang {
namespace {

using toolkit::TComponent;
using toolkit::TListSlotKind;
using toolkit::TTextSlotKind;

constexpr std::u16string_view kLanguages[] = {u"de-de", u"en-us", u"fr-fr", u"es-es",
                                              u"it-it", u"nl-nl", u"pl-pl", u"pt-br"};

std::u16string TranslationFolder() {
    return Utf8ToUtf16(ORVELLA_DATA_DIR) + u"\\Translation";
}

std::unique_ptr<TLang> Load(std::u16string_view language) {
    auto lang = std::make_unique<TLang>();
    const std::u16string folder = TranslationFolder();
    lang->Load_Translation(folder + u"\\" + std::u16string(language) + u".nlang3",
                           folder + u"\\index.txt");
    return lang;
}

void Walk(TComponent& c, const std::function<void(TComponent&)>& visit) {
    visit(c);
    for (size_t i = 0; i < c.ComponentCount(); ++i) Walk(*c.Component(i), visit);
}

// Everything a translation can change in a control, as one text per slot.
std::map<std::u16string, std::u16string> TextsOf(TComponent& window) {
    std::map<std::u16string, std::u16string> out;
    Walk(window, [&](TComponent& c) {
        const std::u16string name(c.Name());
        for (auto kind : {TTextSlotKind::Caption, TTextSlotKind::MarkupText,
                          TTextSlotKind::CaptionObjectText, TTextSlotKind::HeaderFontName}) {
            if (auto* slot = c.TextSlot(kind))
                out[name + u"/text" + ToDecimal(static_cast<int64_t>(kind))] = slot->Get();
        }
        for (auto kind : {TListSlotKind::TabCaptions, TListSlotKind::ColumnCaptions}) {
            if (auto* slot = c.ListSlot(kind)) {
                for (size_t i = 0; i < slot->Count(); ++i) {
                    out[name + u"/list" + ToDecimal(static_cast<int64_t>(kind)) + u"/" +
                        ToDecimal(static_cast<int64_t>(i))] = slot->Get(i);
                }
            }
        }
    });
    return out;
}

size_t ColumnCount(TComponent& c) {
    for (auto kind : {TListSlotKind::TabCaptions, TListSlotKind::ColumnCaptions}) {
        if (auto* slot = c.ListSlot(kind)) return slot->Count();
    }
    return 0;
}

size_t Lines(const std::u16string& text) {
    size_t n = 1;
    for (size_t at = text.find(u"\r\n"); at != std::u16string::npos;
         at = text.find(u"\r\n", at + 2))
        ++n;
    return n;
}

// The names of a section's entries in the German file, as written.
std::vector<std::u16string> EntryNames(std::u16string_view section) {
    std::vector<std::u16string> out;
    std::string bytes;
    EXPECT_TRUE(platform::Fs().ReadWholeFile(TranslationFolder() + u"\\de-de.nlang3", bytes));
    const std::u16string prefix = UpperAscii(std::u16string(section) + u".");
    for (const auto& line : SplitLines(DecodeTextFile(bytes))) {
        const std::u16string name = line.substr(0, line.find(u'='));
        if (UpperAscii(name).starts_with(prefix)) out.push_back(name.substr(prefix.size()));
    }
    return out;
}

struct Window {
    const char* what;
    std::function<std::unique_ptr<TComponent>()> make;
    // Controls the window has but leaves untagged, whose entries are kept for when they are.
    std::vector<std::u16string_view> untaggedWithEntry;
};

std::vector<Window> Windows() {
    return {
        {"options dialog", [] { return std::make_unique<app::TForm_Options>(); }, {}},
        {"analysis page", [] { return std::make_unique<app::TForm_ORV>(nullptr, nullptr); }, {}},
    };
}

TEST(WindowSections, GermanEntriesAreTheDesignTextsOfEveryTaggedControl) {
    for (const auto& w : Windows()) {
        SCOPED_TRACE(w.what);
        auto window = w.make();
        const auto design = TextsOf(*window);
        auto lang = Load(u"de-de");
        lang->Set_Components(window->Name(), window.get(), false);
        EXPECT_EQ(lang->MissingItemsInTranslation, 0u) << "a tagged control without an entry";
        EXPECT_EQ(lang->MissingObjects, 0u) << "an entry with no place in its control";
        const auto translated = TextsOf(*window);
        for (const auto& [slot, text] : design) {
            EXPECT_EQ(Utf16ToUtf8(translated.at(slot)), Utf16ToUtf8(text)) << Utf16ToUtf8(slot);
        }
    }
}

TEST(WindowSections, EveryLanguageTranslatesEveryTaggedControlAndColumn) {
    for (const auto& w : Windows()) {
        SCOPED_TRACE(w.what);
        for (const auto language : kLanguages) {
            SCOPED_TRACE(Utf16ToUtf8(language));
            auto window = w.make();
            auto lang = Load(language);
            lang->Set_Components(window->Name(), window.get(), false);
            EXPECT_EQ(lang->MissingItemsInTranslation, 0u);
            EXPECT_EQ(lang->MissingObjects, 0u);
            // One caption per column: fewer repeat the last one, more are dropped.
            Walk(*window, [&](TComponent& c) {
                const size_t columns = ColumnCount(c);
                if (c.Tag() == 0 || columns == 0) return;
                const std::u16string text = lang->Get_StringW(window->Name(), c.Name());
                EXPECT_EQ(Lines(text), columns) << Utf16ToUtf8(c.Name());
            });
        }
    }
}

TEST(WindowSections, EveryEntryNamesAControlOfItsWindow) {
    for (const auto& w : Windows()) {
        SCOPED_TRACE(w.what);
        auto window = w.make();
        std::map<std::u16string, const TComponent*> byName;
        Walk(*window, [&](TComponent& c) { byName[UpperAscii(c.Name())] = &c; });
        const auto names = EntryNames(window->Name());
        EXPECT_FALSE(names.empty());
        for (const auto& name : names) {
            const auto it = byName.find(UpperAscii(name));
            ASSERT_NE(it, byName.end()) << "no control " << Utf16ToUtf8(name);
            bool allowed = it->second->Tag() != 0;
            for (auto untagged : w.untaggedWithEntry) allowed = allowed || untagged == name;
            EXPECT_TRUE(allowed) << Utf16ToUtf8(name) << " is never translated";
        }
    }
}

}  // namespace
}  // namespace orv::lang
