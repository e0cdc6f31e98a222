#pragma once
// How the visible result list orders and draws its rows. Free functions over the engine
// state they read, so the rules are tested without a window; the scan engine's compare and
// draw callbacks forward to them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "analysis/ResultTree.h"
#include "platform/Shell.h"
#include "toolkit/Canvas.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {

inline constexpr toolkit::TColor kBarColor = toolkit::MakeColor(96, 224, 96);

// Shell icons kept between repaints, so a repaint does not ask the shell once per cell.
// Ordinary files share the icon of their extension. Folders and files whose icon is their
// own (programs, icons, shortcuts, ...) are looked up by their path, and the last few hundred
// of those are kept: the icons are system objects of which a process may hold only so many.
class TShellIconCache {
  public:
    TShellIconCache() = default;
    ~TShellIconCache();
    TShellIconCache(const TShellIconCache&) = delete;
    TShellIconCache& operator=(const TShellIconCache&) = delete;

    // The icon for a row, which the cache keeps (null when there is none).
    platform::IconHandle Get(std::u16string_view path, bool isFolder);
    void Clear();
    // True for an extension (upper case, without dot) whose files carry their own icon.
    static bool HasOwnIcon(std::u16string_view upperExtension);
    // How many icons by path are kept before they are all given back.
    static constexpr size_t kMaxPaths = 512;

  private:
    std::unordered_map<std::u16string, platform::IconHandle> byExtension_;
    std::unordered_map<std::u16string, platform::IconHandle> byPath_;
};

// The engine state that drawing reads.
struct TRowDrawState {
    int32_t NameBalken = 0;                   // bar of the name column: 0 none, 1 drive, 2 folder
    bool ShowFullPath = false;                // the name column shows full paths
    std::u16string_view CurrentFilter;        // the active extension list, empty = none
    int64_t TotalSize = 0;                    // bytes of the scanned drive
    bool HasCurrentRoot = false;              // a current folder is shown
    int64_t CurrentRootSize = 0;              // its Size in the full tree
    toolkit::TImageSource* Images = nullptr;  // for rows with an ImageIndex above 0
    TShellIconCache* IconCache = nullptr;     // null: every icon is looked up by path
};

// Negative, 0 or positive for two rows and a column: names A to Z, counts and sizes
// largest first; 0 for any other column.
int CompareNodes(const ResultTree& tree, NodeId a, NodeId b, int column);
// A comparer for one whole sort with the results of CompareNodes. Its keys (the rank of
// each upper-cased name, the counts, the sizes) are taken from every row when it is made,
// not twice per comparison; it does not see later changes of the tree.
ResultTree::Compare MakeNodeComparer(const ResultTree& tree, int column);

// Sort keys for one whole sort (see ResultTree::SortChildrenByKey): ascending keys give
// exactly the ascending order of CompareNodes for that column, ties included.
std::shared_ptr<const ResultTree::SortKeys> MakeSortKeys(const ResultTree& tree, int column);
// Draws one cell of a row.
void DrawNode(const TRowDrawState& state, const ResultTree& tree, toolkit::TPaintInfo& info);

// Pieces of the drawing, for tests.
// Width of a share bar: W x (p / 100) rounded to nearest, halves to even.
int BarWidth(int W, float p);
// Size x 100 / divisor, 0 when the divisor is not above 0.
double SharePercent(int64_t size, int64_t divisor);
// The text of the name column.
std::u16string NameText(const TRowDrawState& state, std::u16string_view fullPath,
                        int32_t imageIndex);
// The shell icon of a path, with file-system redirection switched off around the lookup
// for the system folder when running under Wow64.
platform::IconHandle LookupShellIcon(std::u16string_view path);

}  // namespace orv::analysis
