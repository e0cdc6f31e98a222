// Feeds arbitrary bytes to the translation loader as a file, looks up the names the file
// itself holds and translates a small window from it: decoding must not read out of bounds,
// must leave no unpaired surrogate, and lookups must find what the lines say.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lang/nLang3.h"
#include "platform/posix/Capture.h"
#include "toolkit/Component.h"

namespace {

using orv::toolkit::TComponent;
using orv::toolkit::TListSlotKind;
using orv::toolkit::TStringSlot;
using orv::toolkit::TTextSlotKind;

class Items final : public orv::toolkit::TListSlot {
  public:
    size_t Count() const override { return 3; }
    std::u16string Get(size_t i) const override { return items_[i]; }
    void Set(size_t i, std::u16string_view text) override { items_[i].assign(text); }

  private:
    std::u16string items_[3];
};

class Control final : public TComponent {
  public:
    Control(TComponent* owner, std::u16string_view name, std::u16string_view kind)
        : TComponent(owner), kind_(kind) {
        SetName(name);
        SetTag(1);
    }
    std::u16string_view ClassName() const override { return kind_; }
    orv::toolkit::TTextSlot* TextSlot(TTextSlotKind) override { return &text_; }
    orv::toolkit::TListSlot* ListSlot(TListSlotKind) override { return &items_; }

  private:
    std::u16string_view kind_;
    TStringSlot text_;
    Items items_;
};

bool HasUnpairedSurrogate(std::u16string_view s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return true;
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (HasUnpairedSurrogate(orv::lang::DecodeTextFile(bytes))) __builtin_trap();

    orv::lang::TLang lang;
    lang.Translation.LoadFromBytes(bytes);
    // Every named line answers a lookup of its own name with a text (first occurrence wins,
    // so only non-emptiness of some line of that name is certain: check the first).
    const size_t n = lang.Translation.Count() < 64 ? lang.Translation.Count() : 64;
    for (size_t i = 0; i < n; ++i) {
        const std::u16string_view line = lang.Translation[i];
        const size_t eq = line.find(u'=');
        if (eq == std::u16string_view::npos) continue;
        const size_t at = lang.Translation.IndexOfName(line.substr(0, eq));
        if (at == orv::lang::THashedStringList::npos || at > i) __builtin_trap();
        const std::u16string_view name = line.substr(0, eq);
        const size_t dot = name.find(u'.');
        if (dot != std::u16string_view::npos) {
            (void)lang.Get_StringW(name.substr(0, dot), name.substr(dot + 1));
        }
    }

    TComponent form;
    form.SetName(u"F");
    new Control(&form, u"A", u"TAdvOfficeTabSet");
    new Control(&form, u"B", u"TVirtualDrawTree");
    new Control(&form, u"C", u"THTMLabel");
    new Control(&form, u"D", u"TLabel");
    lang.Set_Components(u"F", &form);
    // The stand-in keeps every debug line; without this the fuzzer's memory would only grow.
    orv::platform::posix::ClearCaptures();
    return 0;
}
