#pragma once
// Stand-ins for the locale queries and the shell: a table of locale answers and a shell that
// records what it was asked to open.
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/LocaleNames.h"
#include "platform/Shell.h"

namespace orv::testing {

class TableLocaleNames : public platform::LocaleNames {
  public:
    uint32_t userLcid = 1033;
    // (lcid, field) -> answer; a missing row is a failing query.
    std::map<std::pair<uint32_t, platform::LocaleField>, std::u16string> answers;

    void Add(uint32_t lcid, std::u16string iso639, std::u16string iso3166) {
        answers[{lcid, platform::LocaleField::Iso639LanguageName}] = std::move(iso639);
        answers[{lcid, platform::LocaleField::Iso3166CountryName}] = std::move(iso3166);
    }
    uint32_t UserDefaultLCID() override { return userLcid; }
    uint16_t SystemDefaultLangID() override { return static_cast<uint16_t>(userLcid); }
    bool LocaleInfo(uint32_t lcid, platform::LocaleField field, std::u16string& out) override {
        const auto it = answers.find({lcid, field});
        if (it == answers.end()) return false;
        out = it->second;
        return true;
    }
    std::u16string LanguageName(uint32_t) override { return {}; }
    std::u16string AnsiToUtf16(std::string_view bytes) override {
        return std::u16string(bytes.begin(), bytes.end());
    }
};

class RecordingShell : public platform::Shell {
  public:
    std::vector<std::u16string> opened;
    platform::IconHandle AssociatedSmallIcon(std::u16string_view) override { return nullptr; }
    platform::IconHandle FileTypeSmallIcon(std::u16string_view) override { return nullptr; }
    void ReleaseIcon(platform::IconHandle) override {}
    bool Open(std::u16string_view path) override {
        opened.emplace_back(path);
        return true;
    }
    bool MoveToRecycleBin(std::u16string_view) override { return false; }
};

// The query of an address split at "&" into key=value pairs, in order.
inline std::vector<std::pair<std::u16string, std::u16string>> QueryPairs(
    std::u16string_view address) {
    std::vector<std::pair<std::u16string, std::u16string>> pairs;
    const size_t q = address.find(u'?');
    if (q == std::u16string_view::npos) return pairs;
    std::u16string_view rest = address.substr(q + 1);
    while (true) {
        const size_t amp = rest.find(u'&');
        const std::u16string_view item = rest.substr(0, amp);
        const size_t eq = item.find(u'=');
        pairs.emplace_back(std::u16string(item.substr(0, eq)),
                           eq == std::u16string_view::npos ? std::u16string()
                                                           : std::u16string(item.substr(eq + 1)));
        if (amp == std::u16string_view::npos) break;
        rest = rest.substr(amp + 1);
    }
    return pairs;
}

}  // namespace orv::testing
