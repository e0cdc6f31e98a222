#pragma once
// The skins beside the program: which folder is active, the list of skins in the options
// dialog and the module lookups of the main window.
#include <string>
#include <string_view>
#include <vector>

namespace orv::skin {

// Full path of the active skin folder without trailing backslash; empty until
// GetActiveSkinFolder ran at start-up, never changed afterwards.
extern std::u16string SkinFolderPath;

// Decides the skin folder once at start-up: ProgramFolder + "\skins\" + the registry value
// "UseSkin" when that folder holds a skin.ini, else ProgramFolder + "\skins\default". Sets
// SkinFolderPath and returns it.
std::u16string GetActiveSkinFolder();
// SkinFolderPath + "\skin.ini".
std::u16string SkinIniPath();
// ProgramFolder + "\skins\".
std::u16string SkinsFolder();

// The title of a module by its upper-case code ("ORV": the analysis page); empty for an
// unknown code.
std::u16string ModuleTitleFromCode(std::u16string_view code);
// The stripe cell of a module by its code; -1 for an unknown code.
int ModuleCellFromCode(std::u16string_view code);
// The codes whose cells close the main window's module image list, in list order.
inline constexpr std::u16string_view kTrailingModuleCodes[] = {u"ORV", u"OPT", u"HLP", u"WEB"};

// Appends the names of folder's sub-folders (folder ends with a backslash or not) that do not
// start with "."; pending window messages are processed after each directory entry.
void ListSubfolders(std::u16string_view folder, std::vector<std::u16string>& list);

// What the skin list needs of a list box; the options dialog adapts its list box to it.
class TSkinList {
  public:
    virtual ~TSkinList() = default;
    virtual void Clear() = 0;
    virtual void Add(std::u16string_view item) = 0;
    virtual int Count() const = 0;
    virtual std::u16string Item(int index) const = 0;
    // The selected item, -1 for none.
    virtual int ItemIndex() const = 0;
    virtual void SetItemIndex(int index) = 0;
};

// A list held in memory (tests, and whoever needs the list without a window).
class TSkinStringList final : public TSkinList {
  public:
    void Clear() override {
        items.clear();
        index = -1;
    }
    void Add(std::u16string_view item) override { items.emplace_back(item); }
    int Count() const override { return static_cast<int>(items.size()); }
    std::u16string Item(int i) const override {
        return i >= 0 && i < Count() ? items[static_cast<size_t>(i)] : std::u16string();
    }
    int ItemIndex() const override { return index; }
    void SetItemIndex(int i) override { index = i >= 0 && i < Count() ? i : -1; }

    std::vector<std::u16string> items;
    int index = -1;
};

// Fills the list with every sub-folder of the skins folder that holds a skin.ini, in the order
// the file system gives them, and selects the active skin (letter case ignored).
void FillSkinList(TSkinList& list);
// Stores the selected item as "UseSkin"; without a selection the value is deleted, so the next
// start uses the default skin.
void SaveSkinChoice(TSkinList& list);

}  // namespace orv::skin
