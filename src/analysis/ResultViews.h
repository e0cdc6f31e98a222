#pragma once
// The three result views of the analysis page and the extension filter, without windows: the
// page implements TResultPageHooks and forwards its button, combo-box and folder-list events to
// TResultViews, which fills the visible grid from the full tree.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/ResultTree.h"
#include "analysis/nogui_Orvella.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {

// The extension of a file row: the text after the last dot of its name that is not the name's
// last character, ASCII upper-cased ("a.b." gives "B.", "README" gives "", ".bashrc" gives
// "BASHRC").
std::u16string FileExtension(std::u16string_view fullPath);

// Splits an extension edit at ";" into trimmed, upper-cased, non-empty entries. Entries are
// kept as typed otherwise, so "*.MP3" stays "*.MP3" (and matches no extension).
void Read_Filter_From_Edit(std::vector<std::u16string>& list, std::u16string_view text);

// The engine's form of a filter list: each entry followed by CR LF.
std::u16string FilterText(const std::vector<std::u16string>& list);

// ---- File-format groups ----

inline constexpr int kGroupCount = 7;
inline constexpr int kOwnGroup = 6;  // row index of the user-defined group

struct TFileFormatGroup {
    std::u16string_view NameKey;   // message key of the display name; empty: the own group
    std::u16string_view EditName;  // the options dialog's edit holding the extension list
    int32_t ImageIndex;
    int MatchingOrder;  // 1 is tried first
};

// In row order: video, audio, pictures, archives, documents, programs, own group.
const std::array<TFileFormatGroup, kGroupCount>& FileFormatGroups();

// What the page reads from the options dialog for the groups.
struct TFormatSettings {
    // Extension edits in row order (see FileFormatGroups).
    std::array<std::u16string, kGroupCount> Lists;
    bool ShowOwnGroup = false;
    std::u16string OwnGroupName;
};

// The lists as the settings map gives them when nothing is stored.
TFormatSettings DefaultFormatSettings();

// The display name of a group row (row index 0..6).
std::u16string GroupName(const TFormatSettings& settings, int row);

// Whether the own group gets a row in the file-formats view.
bool OwnGroupRowShown(const TFormatSettings& settings);

// The filter box's items: all files, the six groups in the order audio, video, pictures,
// archives, documents, programs, and the own group when it is checked and both its name and
// list are set.
std::vector<std::u16string> FilterBoxItems(const TFormatSettings& settings);

// Sums of the file-formats walk, per group in row order.
struct TFormatTotals {
    std::array<uint32_t, kGroupCount> Files{};
    std::array<int64_t, kGroupCount> Bytes{};
    int64_t GrandTotal = 0;  // bytes of every file matched by some group
};

// ---- Views ----

enum class TViewKind { Structure, Files, Formats };

// What a view shows; the page applies it to its controls.
struct TViewLayout {
    std::array<bool, 6> Columns{};  // visible columns of the grid
    bool NameBarShown = false;      // name-bar label and box
    bool FilterShown = false;       // filter label and box
    bool FolderListShown = false;   // folder list and splitter
    // Enabled state of PellButton_Folders, PellButton_Files, PellButton_Formats: the active
    // view's button is the disabled one.
    bool FoldersEnabled = true;
    bool FilesEnabled = true;
    bool FormatsEnabled = true;
};

TViewLayout ViewLayout(TViewKind view);

// The page as the views see it. Every call is a step of the page's own handlers.
class TResultPageHooks {
  public:
    virtual ~TResultPageHooks() = default;
    virtual void ProcessMessages() = 0;
    virtual void SetStatus(std::u16string_view html) = 0;
    // ProgressBar_Auswertung
    virtual void SetProgressVisible(bool visible) = 0;
    virtual void SetProgressMax(int max) = 0;
    virtual void SetProgressPosition(int position) = 0;
    // The view whose button is disabled.
    virtual TViewKind CurrentView() = 0;
    // Common visibility steps: the three buttons, then the boxes and labels, then the folder
    // list with its splitter.
    virtual void SetViewButtons(const TViewLayout& layout) = 0;
    virtual void SetBoxesVisible(const TViewLayout& layout) = 0;
    virtual void SetFolderListVisible(bool visible) = 0;
    // The folder-selection handler for the folder list's current directory.
    virtual void RunFolderSelection() = 0;
    // Sets the folder list's directory, which runs the folder-selection handler.
    virtual void SetFolderListDirectory(std::u16string_view directory) = 0;
    // The resize handler (fits the name column, writes the status line).
    virtual void RunResize() = 0;
    virtual void RepaintRightPanel() = 0;
    virtual bool RightPanelVisible() = 0;
    virtual std::u16string FilterBoxText() = 0;
    // Selects the filter box's first item; the views set READING_SETTINGS_NOW around it.
    virtual void SelectFirstFilterItem() = 0;
    virtual int NameBarIndex() = 0;
    // The group settings as the options dialog holds them now.
    virtual TFormatSettings FormatSettings() = 0;
};

class TResultViews {
  public:
    // The engine's FTree is the full tree; visible shows the current view.
    TResultViews(TOrvella& engine, toolkit::TVirtualDrawTree& visible, TResultPageHooks& hooks);

    // Fields of the page that its handlers share.
    bool READING_SETTINGS_NOW = false;
    bool RETURN_PRESSED = false;
    NodeId Current_RootNode = kNoNode;

    // Long walks pump at most every PumpEveryRows rows, and only once PumpIntervalMs have
    // passed since the last time (0: every PumpEveryRows rows). The progress bar is brought up
    // to date at every pump.
    uint32_t PumpEveryRows = 10;
    uint32_t PumpIntervalMs = 10;

    // Applies an extension filter to the full tree and lists what passes beneath the current
    // folder. Nothing happens when the list is the active filter already.
    void Auswertung(const std::vector<std::u16string>& list);

    void ComboBox_ORV_FilterChange();
    void ComboBox_ORV_FilterKeyPress(char16_t key);
    void ComboBox_ORV_NameBalkenChange();

    void AdvGlowButton_FoldersClick();
    void AdvGlowButton_FilesClick();
    void AdvGlowButton_FormatsClick();

    // The portable part of the folder-selection handler: shows the visible rows beneath the
    // folder row of directory (at all depths while a filter is active), sorted.
    void JvDirectoryListBox1Change(std::u16string_view directory);

    // The file-formats walk over the full tree (every row made visible), summed per group.
    TFormatTotals CountFormats(const TFormatSettings& settings);

    // Sorts the visible grid by its current column and direction.
    void SortVisible();

    // Set while a walk over the full tree pumps messages. Handlers that would change the full
    // tree's rows or their visibility do nothing meanwhile: the walk holds rows of it.
    bool Busy() const { return busy_; }

    TOrvella& Engine() { return engine_; }
    ResultTree& Full() { return *engine_.FTree; }
    toolkit::TVirtualDrawTree& Visible() { return visible_; }
    TResultPageHooks& Hooks() { return hooks_; }

  private:
    void CommonVisibilitySteps(const TViewLayout& layout);
    void SetColumns(const TViewLayout& layout);
    void StartProgress();
    // Called once per row of a long walk; false when the walk must stop (the program closes).
    bool Tick(uint32_t rowsDone);
    void ClearFilter();

    TOrvella& engine_;
    toolkit::TVirtualDrawTree& visible_;
    TResultPageHooks& hooks_;
    uint32_t lastPump_ = 0;
    bool busy_ = false;
};

// Appends a top-level row to target for every visible child of folder in source, in order,
// and, when deep, for the visible rows beneath every child folder as well (ImageIndex 0).
void Copy_Visible_Children(ResultTree& target, const ResultTree& source, NodeId folder, bool deep);

}  // namespace orv::analysis
