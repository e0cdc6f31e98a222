#include "settings/ContextMenuContract.h"

#include "lang/MessageCatalogue.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::settings {
namespace {

// The class key of the outside handler component; its identifier is fixed for good, the
// handler is registered under it by its own installer.
constexpr std::u16string_view kHandlerClassKey = u"CLSID\\{8E4C2B71-5D3A-4F96-A0B8-7C1E92D4F635}";

// The recycle bin's class and the two verbs the handler adds to it.
constexpr std::u16string_view kRecycleFileWiperKey =
    u"CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\KT_FileWiper";
constexpr std::u16string_view kRecycleUndeleterKey =
    u"CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\shell\\KT_Undeleter";

struct CaptionValue {
    std::u16string_view value;
    std::u16string_view message;
};

constexpr CaptionValue kCaptions[] = {
    {u"CONTEXTMENU_DEFRAG", u"MESSAGE_CONTEXTMENU_DEFRAG_KT8"},
    {u"CONTEXTMENU_DL", u"MESSAGE_CONTEXTMENU_DL_KT8"},
    {u"CONTEXTMENU_SHREDDER", u"MESSAGE_CONTEXTMENU_SHREDDER_KT8"},
    {u"CONTEXTMENU_ENCRYPT", u"MESSAGE_CONTEXTMENU_ENCRYPT_KT8"},
    {u"CONTEXTMENU_DECRYPT", u"MESSAGE_CONTEXTMENU_DECRYPT_KT8"},
    {u"CONTEXTMENU_SPLIT", u"MESSAGE_CONTEXTMENU_SPLIT_KT8"},
    {u"CONTEXTMENU_JOIN", u"MESSAGE_CONTEXTMENU_JOIN_KT8"},
    {u"CONTEXTMENU_RECYCLE_FW", u"MESSAGE_CONTEXTMENU_SHREDDER_RECYCLE"},
    {u"CONTEXTMENU_RECYCLE_UNDELETE", u"MESSAGE_CONTEXTMENU_UNDELETER_RECYCLE"},
};

// The five group boxes and their "Hide_" values, in the order they are read and written.
struct HideValue {
    std::u16string_view name;
    bool TContextMenuBoxes::*box;
};

constexpr HideValue kHideValues[] = {
    {u"Hide_DEFRAG", &TContextMenuBoxes::DEFRAG}, {u"Hide_DL", &TContextMenuBoxes::DL},
    {u"Hide_FW", &TContextMenuBoxes::FW},         {u"Hide_ED", &TContextMenuBoxes::ED},
    {u"Hide_FSJ", &TContextMenuBoxes::FSJ},
};

constexpr std::u16string_view kDataLists[] = {u"\\data\\DC-Files2", u"\\data\\DC-Folders2"};

}  // namespace

std::u16string_view ContextMenuHandlerClassKey() {
    return kHandlerClassKey;
}

TContextMenuBoxes LoadContextMenuBoxes() {
    TContextMenuBoxes boxes;
    boxes.ShowContextMenu = Reg_KeyExists(RegRoot::ClassesRoot, kHandlerClassKey);
    for (const HideValue& h : kHideValues)
        boxes.*h.box = !Reg_ValueExists(RegRoot::LocalMachine, kContextMenusKey, h.name);
    boxes.Recycle_FW = Reg_KeyExists(RegRoot::ClassesRoot, kRecycleFileWiperKey);
    boxes.Recycle_Undelete = Reg_KeyExists(RegRoot::ClassesRoot, kRecycleUndeleterKey);
    return boxes;
}

void SaveContextMenuSettings(const TContextMenuBoxes& boxes) {
    for (const HideValue& h : kHideValues) {
        if (boxes.*h.box)
            Reg_DeleteValue(RegRoot::LocalMachine, kContextMenusKey, h.name);
        else
            Reg_WriteInteger(RegRoot::LocalMachine, kContextMenusKey, h.name, 1);
    }
    for (const CaptionValue& c : kCaptions)
        Reg_WriteString(RegRoot::LocalMachine, kContextMenusKey, c.value, lang::Msg(c.message));
    // Only re-labelled: the handler's installer owns these keys, so a missing one stays missing.
    if (Reg_KeyExists(RegRoot::ClassesRoot, kRecycleFileWiperKey))
        Reg_WriteString(RegRoot::ClassesRoot, kRecycleFileWiperKey, u"",
                        lang::Msg(u"MESSAGE_CONTEXTMENU_SHREDDER_RECYCLE"));
    if (Reg_KeyExists(RegRoot::ClassesRoot, kRecycleUndeleterKey))
        Reg_WriteString(RegRoot::ClassesRoot, kRecycleUndeleterKey, u"",
                        lang::Msg(u"MESSAGE_CONTEXTMENU_UNDELETER_RECYCLE"));
}

void ResetOptions(std::u16string_view programFolder) {
    Reg_DeleteKey(RegRoot::LocalMachine, kOptionsKey);
    platform::Files& files = platform::Fs();
    for (const std::u16string_view list : kDataLists) {
        const std::u16string current =
            std::u16string(programFolder) + std::u16string(list) + u".txt";
        const std::u16string fallback =
            std::u16string(programFolder) + std::u16string(list) + u"_default.txt";
        if (!files.FileExists(current) || !files.FileExists(fallback)) continue;
        // Replaced in one step: deleting first would lose the list when the copy fails.
        if (!files.ReplaceWithCopy(fallback, current))
            platform::DebugOutput(u"Options: " + current +
                                  u" could not be restored, kept as it was");
    }
}

}  // namespace orv::settings
