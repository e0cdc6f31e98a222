#pragma once
// Translation files: decoding, the hashed line list, the catalogue TLang that hands out texts
// and writes them into components, the scan of the translation folder and the culture tags.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv::toolkit {
class TComponent;
}

namespace orv::lang {

// Text of a file by its byte-order mark: UTF-8, UTF-16 LE or BE; without one the system's
// ANSI code page. Whatever cannot be decoded (bad UTF-8, a lone byte at the end of UTF-16,
// unpaired surrogates) becomes U+FFFD.
std::u16string DecodeTextFile(std::string_view bytes);
// Lines split at CR LF, LF or a lone CR; a final line end does not start another line.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Lines of the form name "=" text, with a hash index from the upper-cased name to the first
// line of that name. The index is rebuilt at the first lookup after the lines changed.
class THashedStringList {
  public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    void Assign(std::vector<std::u16string> lines);
    // Replaces the lines by the file's; false (lines unchanged) when it cannot be read or is
    // larger than maxBytes.
    bool LoadFromFile(std::u16string_view path, uint64_t maxBytes);
    // Replaces the lines by those of the file content in bytes.
    void LoadFromBytes(std::string_view bytes);

    size_t Count() const { return lines_.size(); }
    const std::u16string& operator[](size_t i) const { return lines_[i]; }
    // Position of the first line whose name equals name, case ignored; npos when none.
    size_t IndexOfName(std::u16string_view name) const;
    // The text after the first "=" of line i (empty when it has none).
    std::u16string_view ValueFromIndex(size_t i) const;

  private:
    void BuildIndex() const;

    std::vector<std::u16string> lines_;
    mutable std::unordered_map<std::u16string, size_t> index_;
    mutable bool indexValid_ = false;
};

class TLang {
  public:
    uint32_t MissingItemsInTranslation = 0;
    uint32_t MissingObjects = 0;
    THashedStringList Translation;
    THashedStringList Index;

    // Replaces each list by its file's lines when that file exists, then logs the count.
    void Load_Translation(std::u16string_view translationFile, std::u16string_view indexFile);
    // The text of SectionID + "." + component with "%CRLF" as CR LF; empty counts a miss.
    std::u16string Get_StringW(std::u16string_view sectionID, std::u16string_view component,
                               bool testing = false);
    // Texts into obj (when its tag is not 0) and everything it owns, recursively.
    void Set_Components(std::u16string_view sectionID, toolkit::TComponent* obj,
                        bool testing = false);
};

// What the program calls a culture tag: "de-de" and its Windows language identifier.
struct CultureTag {
    std::u16string_view tag;
    uint16_t lcid;
};
std::span<const CultureTag> CultureTable();

// The available languages, entry i of each list describing the same file.
extern std::vector<std::u16string> AvailableLCIDs;
extern std::vector<std::u16string> AvailableFileNames;
extern std::vector<std::u16string> AvailableTags;
// Position of text in list, ASCII case ignored; -1 when absent.
int IndexOfIgnoreCase(const std::vector<std::u16string>& list, std::u16string_view text);

void ScanTranslationFolder(std::u16string_view folder);
// The table's identifier of the tag (exact match), or 0.
uint16_t LanguageTagToLCID(std::u16string_view tag);
// "no-no" for 1044; otherwise the ISO language and country names joined by "-", lower-cased.
std::u16string LCIDToLanguageTag(int32_t lcid);
std::u16string GetUserLanguageCode();
std::u16string GetUserCountryCode();
std::u16string GetLanguageDisplayName(int32_t lcid);

// ASCII lower-casing, as used for file names and tags.
std::u16string LowerAscii(std::u16string_view s);

}  // namespace orv::lang
