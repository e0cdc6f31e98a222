#pragma once
// What the localisation tests share: temporary program folders, components with translation
// slots, a user locale of the test's choosing and an in-memory registry.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "lang/nLang3.h"
#include "platform/LocaleNames.h"
#include "platform/MemoryRegistryBackend.h"
#include "platform/posix/Capture.h"
#include "settings/pell_REG.h"
#include "toolkit/Component.h"

namespace orv::lang::testing {

using toolkit::TComponent;

// A folder of its own under the system's temporary folder, removed at the end.
class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("orvella-lang-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    // The folder as the program writes paths: backslashes.
    std::u16string Path() const { return Backslashed(path_.string()); }
    std::u16string Path(std::string_view sub) const {
        return Backslashed((path_ / std::string(sub)).string());
    }
    void Write(std::string_view relative, std::string_view bytes) const {
        const auto file = path_ / std::string(relative);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void Remove(std::string_view relative) const {
        std::filesystem::remove(path_ / std::string(relative));
    }
    void MakeFolder(std::string_view relative) const {
        std::filesystem::create_directories(path_ / std::string(relative));
    }

  private:
    static std::u16string Backslashed(const std::string& s) {
        std::u16string out = Utf8ToUtf16(s);
        for (auto& c : out) {
            if (c == u'/') c = u'\\';
        }
        return out;
    }
    std::filesystem::path path_;
};

// A UTF-8 file with byte-order mark and CR LF from lines.
inline std::string Utf8File(std::initializer_list<std::string_view> lines) {
    std::string s = "\xEF\xBB\xBF";
    for (auto l : lines) {
        s += l;
        s += "\r\n";
    }
    return s;
}

class TextComponent : public toolkit::TComponent {
  public:
    TextComponent(toolkit::TComponent* owner, std::u16string_view name, int32_t tag,
                  std::u16string_view className)
        : TComponent(owner), className_(className) {
        SetName(name);
        SetTag(tag);
    }
    std::u16string_view ClassName() const override { return className_; }
    void Repaint() override { ++repaints; }
    int repaints = 0;

  private:
    std::u16string className_;
};

// A plain control with a caption ("TLabel", "TButton", ...).
class Captioned : public TextComponent {
  public:
    using TextComponent::TextComponent;
    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        return kind == toolkit::TTextSlotKind::Caption ? &caption : nullptr;
    }
    toolkit::TStringSlot caption;
};

// A mark-up label, or a kind derived from it: mark-up text and caption.
class MarkupLabel : public TextComponent {
  public:
    using TextComponent::TextComponent;
    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        if (kind == toolkit::TTextSlotKind::MarkupText) return &markup;
        if (kind == toolkit::TTextSlotKind::Caption) return &caption;
        return nullptr;
    }
    toolkit::TStringSlot markup;
    toolkit::TStringSlot caption;
};

class SmoothLabel : public TextComponent {
  public:
    using TextComponent::TextComponent;
    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        if (kind == toolkit::TTextSlotKind::CaptionObjectText) return &captionObject;
        if (kind == toolkit::TTextSlotKind::Caption) return &caption;
        return nullptr;
    }
    toolkit::TStringSlot captionObject;
    toolkit::TStringSlot caption;
};

class StringList final : public toolkit::TListSlot {
  public:
    explicit StringList(size_t n) : items(n) {}
    size_t Count() const override { return items.size(); }
    std::u16string Get(size_t i) const override { return items[i]; }
    void Set(size_t i, std::u16string_view text) override { items[i].assign(text); }
    std::vector<std::u16string> items;
};

// Tab strip, tree grid or list view: items, a header font and a caption of its own.
class Listed : public TextComponent {
  public:
    Listed(toolkit::TComponent* owner, std::u16string_view name, int32_t tag,
           std::u16string_view className, size_t items)
        : TextComponent(owner, name, tag, className), list(items) {}
    toolkit::TListSlot* ListSlot(toolkit::TListSlotKind) override { return &list; }
    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        if (kind == toolkit::TTextSlotKind::HeaderFontName) return &headerFont;
        if (kind == toolkit::TTextSlotKind::Caption) return &caption;
        return nullptr;
    }
    StringList list;
    toolkit::TStringSlot headerFont;
    toolkit::TStringSlot caption;
};

// The native locale answers with the user's and the system's identifiers of the test's choice.
class FakeLocaleNames : public platform::LocaleNames {
  public:
    FakeLocaleNames(uint32_t user, uint16_t system) : user_(user), system_(system) {
        platform::SetLocaleNames(this);
    }
    ~FakeLocaleNames() override { platform::SetLocaleNames(nullptr); }
    uint32_t UserDefaultLCID() override { return user_; }
    uint16_t SystemDefaultLangID() override { return system_; }
    bool LocaleInfo(uint32_t lcid, platform::LocaleField f, std::u16string& out) override {
        return platform::DefaultLocaleNames().LocaleInfo(lcid, f, out);
    }
    std::u16string LanguageName(uint32_t id) override {
        return platform::DefaultLocaleNames().LanguageName(id);
    }
    std::u16string AnsiToUtf16(std::string_view b) override {
        return platform::DefaultLocaleNames().AnsiToUtf16(b);
    }

  private:
    uint32_t user_;
    uint16_t system_;
};

// An empty in-memory registry and the localisation state of a process that just started.
class FreshState {
  public:
    FreshState() {
        Reg_Configure(false, &registry);
        ResetMessageCatalogue();
        CurrentLanguageFile.clear();
        CurrentLCID = 0;
        AvailableLCIDs.clear();
        AvailableFileNames.clear();
        AvailableTags.clear();
        platform::posix::ClearCaptures();
    }
    ~FreshState() {
        Reg_Configure(false, nullptr);
        ResetMessageCatalogue();
    }
    platform::MemoryRegistryBackend registry;
};

}  // namespace orv::lang::testing
