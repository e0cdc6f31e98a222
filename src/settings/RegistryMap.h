#pragma once
// Every registry value the program reads or writes, in one table: key, value name, type, the
// meaning of an absent value. Nothing else spells these names.
#include <span>
#include <string_view>

namespace orv::settings {

inline constexpr std::u16string_view kProductKey = u"SOFTWARE\\Talvik\\Talvik Orvella 2023";
inline constexpr std::u16string_view kOptionsKey =
    u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\Options";
inline constexpr std::u16string_view kContextMenusKey =
    u"SOFTWARE\\Talvik\\Talvik Orvella 2023\\contextmenus";
inline constexpr std::u16string_view kWindowsVersionKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

enum class ValueKind { Text, Number };

struct Setting {
    std::u16string_view key;
    std::u16string_view name;
    ValueKind kind;
    std::u16string_view whenAbsent;  // the default, as the program uses it
    std::string_view meaning;
};

// Value names.
inline constexpr std::u16string_view kEdition = u"Edition";
inline constexpr std::u16string_view kCheckRights = u"CheckRights";
inline constexpr std::u16string_view kForceLanguage = u"ForceLanguage_LCID";
inline constexpr std::u16string_view kUseSkin = u"UseSkin";
inline constexpr std::u16string_view kAudio = u"Edit_ORV_Audio";
inline constexpr std::u16string_view kVideo = u"Edit_ORV_Video";
inline constexpr std::u16string_view kPictures = u"Edit_ORV_Bild";
inline constexpr std::u16string_view kArchives = u"Edit_ORV_Archive";
inline constexpr std::u16string_view kDocuments = u"Edit_ORV_Docs";
inline constexpr std::u16string_view kPrograms = u"Edit_ORV_Apps";
inline constexpr std::u16string_view kShowOwnGroup = u"CheckBox_ORV_ShowOwnGroup";
inline constexpr std::u16string_view kOwnGroupName = u"Edit_ORV_Name_OwnGroup";
inline constexpr std::u16string_view kOwnGroupFormats = u"Edit_ORV_Formate_OwnGroup";
inline constexpr std::u16string_view kProductName = u"ProductName";

// The whole map.
std::span<const Setting> AllSettings();
// The entry of a value under a key (names compare without regard to ASCII case); null if unknown.
const Setting* FindSetting(std::u16string_view key, std::u16string_view name);
// The default of a value, the empty text when it has none.
std::u16string_view DefaultOf(std::u16string_view key, std::u16string_view name);

}  // namespace orv::settings
