#include "settings/RegistryMap.h"

#include "core/Text.h"

namespace orv::settings {
namespace {

constexpr Setting kMap[] = {
    {kProductKey, kEdition, ValueKind::Text, u"", "edition word that the web links carry"},
    {kOptionsKey, kCheckRights, ValueKind::Number, u"",
     "administrator probe: written as 1 and deleted again at once"},
    {kOptionsKey, kForceLanguage, ValueKind::Text, u"",
     "base name of the chosen translation file; absent: the language is chosen automatically"},
    {kOptionsKey, kUseSkin, ValueKind::Text, u"default", "name of the chosen skin folder"},
    {kOptionsKey, kAudio, ValueKind::Text, u"MP3 ; OGG ; WAV ; MID ; WMA",
     "extensions of the audio group"},
    {kOptionsKey, kVideo, ValueKind::Text, u"AVI ; MPG ; MPEG ; RM ; WMV ; MOV ; VOB ; MP4 ; MKV",
     "extensions of the video group"},
    {kOptionsKey, kPictures, ValueKind::Text, u"BMP ; JPG ; JPEG ; PNG ; GIF ; PSD ; TGA ; TIF",
     "extensions of the picture group"},
    {kOptionsKey, kArchives, ValueKind::Text, u"ZIP ; RAR ; CAB ; 7Z ; ACE ; GZIP ; TAR",
     "extensions of the archive group"},
    {kOptionsKey, kDocuments, ValueKind::Text, u"DOC ; XLS ; XLM ; PPT ; RTF ; HTM ; HTML",
     "extensions of the document group"},
    {kOptionsKey, kPrograms, ValueKind::Text, u"EXE ; COM ; BAT ; DLL ; OCX",
     "extensions of the program group"},
    {kOptionsKey, kShowOwnGroup, ValueKind::Number, u"0", "show the user-defined group"},
    {kOptionsKey, kOwnGroupName, ValueKind::Text, u"", "name of the user-defined group"},
    {kOptionsKey, kOwnGroupFormats, ValueKind::Text, u"", "extensions of the user-defined group"},
    {kContextMenusKey, u"Hide_DEFRAG", ValueKind::Number, u"", "presence hides a menu group"},
    {kContextMenusKey, u"Hide_DL", ValueKind::Number, u"", "presence hides a menu group"},
    {kContextMenusKey, u"Hide_FW", ValueKind::Number, u"", "presence hides a menu group"},
    {kContextMenusKey, u"Hide_ED", ValueKind::Number, u"", "presence hides a menu group"},
    {kContextMenusKey, u"Hide_FSJ", ValueKind::Number, u"", "presence hides a menu group"},
    {kContextMenusKey, u"CONTEXTMENU_DEFRAG", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_DL", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_SHREDDER", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_ENCRYPT", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_DECRYPT", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_SPLIT", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_JOIN", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_RECYCLE_FW", ValueKind::Text, u"", "context-menu caption"},
    {kContextMenusKey, u"CONTEXTMENU_RECYCLE_UNDELETE", ValueKind::Text, u"",
     "context-menu caption"},
    {kWindowsVersionKey, kProductName, ValueKind::Text, u"",
     "the system's product name, read for the Windows version detection"},
};

}  // namespace

std::span<const Setting> AllSettings() { return kMap; }

const Setting* FindSetting(std::u16string_view key, std::u16string_view name) {
    for (const Setting& s : kMap) {
        if (EqualsIgnoreCaseAscii(s.key, key) && EqualsIgnoreCaseAscii(s.name, name)) return &s;
    }
    return nullptr;
}

std::u16string_view DefaultOf(std::u16string_view key, std::u16string_view name) {
    const Setting* s = FindSetting(key, name);
    return s != nullptr ? s->whenAbsent : std::u16string_view();
}

}  // namespace orv::settings
