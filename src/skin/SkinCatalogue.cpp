#include "skin/SkinCatalogue.h"

#include "app/Globals.h"
#include "core/Text.h"
#include "core/TextAfterLast.h"
#include "lang/MessageCatalogue.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "settings/RegistryMap.h"
#include "settings/pell_REG.h"

namespace orv::skin {

std::u16string SkinFolderPath;

namespace {

constexpr std::u16string_view kDefaultSkin = u"default";

struct ModuleRow {
    std::u16string_view code;
    int cell;
};
constexpr ModuleRow kModuleCells[] = {
    {u"ORV", 249},
    {u"OPT", 55},
    {u"HLP", 253},
    {u"WEB", 254},
};

// "UseSkin" names a folder inside the skins folder; anything that would leave it is no skin.
bool IsPlainFolderName(std::u16string_view name) {
    if (name == u"." || name == u"..") return false;
    return name.find_first_of(u"\\/:") == std::u16string_view::npos;
}

}  // namespace

std::u16string SkinsFolder() {
    return ProgramFolder + u"\\skins\\";
}

std::u16string GetActiveSkinFolder() {
    std::u16string folder = SkinsFolder() + std::u16string(kDefaultSkin);
    const std::u16string chosen =
        Reg_ReadString(RegRoot::LocalMachine, settings::kOptionsKey, settings::kUseSkin);
    if (!chosen.empty() && UpperAscii(chosen) != u"DEFAULT") {
        if (!IsPlainFolderName(chosen)) {
            platform::DebugOutput(u"Skin: UseSkin \"" + chosen +
                                  u"\" is no folder name, using the default skin");
        } else if (!platform::Fs().FileExists(SkinsFolder() + chosen + u"\\skin.ini")) {
            platform::DebugOutput(u"Skin: " + SkinsFolder() + chosen +
                                  u" holds no skin.ini, using the default skin");
        } else {
            folder = SkinsFolder() + chosen;
        }
    }
    SkinFolderPath = folder;
    return folder;
}

std::u16string SkinIniPath() {
    return SkinFolderPath + u"\\skin.ini";
}

std::u16string ModuleTitleFromCode(std::u16string_view code) {
    if (code == u"ORV") return lang::Msg(u"MESSAGE_MODULNAME_ORV");
    return {};
}

int ModuleCellFromCode(std::u16string_view code) {
    for (const auto& row : kModuleCells) {
        if (row.code == code) return row.cell;
    }
    return -1;
}

void ListSubfolders(std::u16string_view folder, std::vector<std::u16string>& list) {
    const auto names =
        platform::Fs().ListFolders(folder, [] { platform::Sys().ProcessMessages(); });
    for (const auto& name : names) {
        if (!name.empty() && name[0] != u'.') list.push_back(name);
    }
}

void FillSkinList(TSkinList& list) {
    const std::u16string current = UpperAscii(TextAfterLast(SkinFolderPath, u'\\'));
    list.Clear();
    std::vector<std::u16string> names;
    ListSubfolders(SkinsFolder(), names);
    for (const auto& name : names) {
        if (!platform::Fs().FileExists(SkinsFolder() + name + u"\\skin.ini")) continue;
        list.Add(name);
        if (UpperAscii(name) == current) list.SetItemIndex(list.Count() - 1);
    }
}

void SaveSkinChoice(TSkinList& list) {
    Reg_DeleteValue(RegRoot::LocalMachine, settings::kOptionsKey, settings::kUseSkin);
    const int i = list.ItemIndex();
    if (list.Count() > 0 && i >= 0 && i < list.Count()) {
        Reg_WriteString(RegRoot::LocalMachine, settings::kOptionsKey, settings::kUseSkin,
                        list.Item(i));
    }
}

}  // namespace orv::skin
