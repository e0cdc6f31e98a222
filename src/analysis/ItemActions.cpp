#include "analysis/ItemActions.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "app/Globals.h"
#include "core/Text.h"
#include "core/TextAfterLast.h"
#include "lang/MessageCatalogue.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/System.h"

namespace orv::analysis {

namespace {

// The first selected row of the grid, if it is a row of the list.
std::optional<TSizeNode> FirstSelectedRow(const toolkit::TVirtualDrawTree& visible) {
    const ResultTree* tree = visible.Tree();
    if (tree == nullptr) return std::nullopt;
    const NodeId first = visible.GetFirstSelected();
    if (first == kNoNode || !tree->IsValid(first)) return std::nullopt;
    return tree->Row(first);
}

bool IsScanRow(const TSizeNode& row) {
    return row.ImageIndex <= 0 && !row.FullPath.empty();
}

void OpenTarget(const std::optional<std::u16string>& target) {
    // The shell's answer is not used: it shows its own message when it cannot open.
    if (target) platform::Shl().Open(*target);
}

// The path of a child row whose folder has the path folderPath.
std::u16string ChildPath(const ResultTree& tree, std::u16string_view folderPath, NodeId child) {
    if (tree.HasOwnPath(child)) return tree.Text(child);
    std::u16string path(folderPath);
    if (path.size() > 3) path += u'\\';
    path += tree.Text(child);
    return path;
}

// Removes the rows beneath folder whose paths are gone, so a folder that could not be moved
// as a whole still loses what did go to the recycle bin.
void PruneVanished(ResultTree& tree, NodeId folder, const std::u16string& folderPath) {
    std::vector<std::pair<NodeId, std::u16string>> stack;
    stack.emplace_back(folder, folderPath);
    while (!stack.empty()) {
        auto [dir, dirPath] = std::move(stack.back());
        stack.pop_back();
        NodeId c = tree.FirstChild(dir);
        while (c != kNoNode) {
            const NodeId next = tree.NextSibling(c);
            std::u16string path = ChildPath(tree, dirPath, c);
            if (!platform::Fs().PathExists(path)) {
                tree.DeleteNode(c);
            } else if (tree.IsFolder(c)) {
                stack.emplace_back(c, std::move(path));
            }
            c = next;
        }
    }
}

struct Wanted {
    bool folder;
    std::u16string upperPath;
    bool operator==(const Wanted&) const = default;
};
struct WantedHash {
    size_t operator()(const Wanted& w) const {
        return std::hash<std::u16string>()(w.upperPath) ^ (w.folder ? 1 : 0);
    }
};

// The rows of the full tree for each wanted kind and path, in tree order: what FindNodeForThis
// would find, for many paths in one walk.
std::unordered_map<Wanted, std::vector<NodeId>, WantedHash> FindRows(
    const ResultTree& tree, const std::vector<Wanted>& wanted) {
    std::unordered_map<Wanted, std::vector<NodeId>, WantedHash> found;
    std::unordered_set<size_t> lengths;
    for (const auto& w : wanted) {
        found.try_emplace(w);
        lengths.insert(w.upperPath.size());
    }
    Wanted probe{false, {}};
    ResultTree::Walker walk(tree);
    while (walk.Next()) {
        const std::u16string_view path = walk.Path();
        if (lengths.count(path.size()) == 0) continue;
        probe.folder = tree.IsFolder(walk.Node());
        probe.upperPath = UpperAscii(path);
        const auto it = found.find(probe);
        if (it != found.end()) it->second.push_back(walk.Node());
    }
    return found;
}

}  // namespace

TPopupEnabling AdvPopupMenu_ORVPopup(const toolkit::TVirtualDrawTree& visible) {
    TPopupEnabling e;
    const auto row = FirstSelectedRow(visible);
    // Group rows of the file-formats view are no paths.
    if (!row || row->ImageIndex > 0) return e;
    e.PopUp_Delete = true;
    e.PopUp_FileWiper = true;
    e.PopUp_OpenFolder = row->IsFolder;
    e.PopUp_OpenFile = !row->IsFolder;
    e.PopUp_ShowFolder = !row->IsFolder;
    return e;
}

std::optional<std::u16string> OpenFileTarget(const TSizeNode& row) {
    if (!IsScanRow(row) || row.IsFolder) return std::nullopt;
    return row.FullPath;
}

std::optional<std::u16string> ShowFolderTarget(const TSizeNode& row) {
    if (!IsScanRow(row) || row.IsFolder) return std::nullopt;
    const std::u16string name = TextAfterLast(row.FullPath, u'\\');
    return row.FullPath.substr(0, row.FullPath.size() - name.size());
}

std::optional<std::u16string> OpenFolderTarget(const TSizeNode& row) {
    if (!IsScanRow(row) || !row.IsFolder) return std::nullopt;
    return row.FullPath;
}

void PopUp_OpenFileClick(const toolkit::TVirtualDrawTree& visible) {
    if (const auto row = FirstSelectedRow(visible)) OpenTarget(OpenFileTarget(*row));
}

void PopUp_ShowFolderClick(const toolkit::TVirtualDrawTree& visible) {
    if (const auto row = FirstSelectedRow(visible)) OpenTarget(ShowFolderTarget(*row));
}

void PopUp_OpenFolderClick(const toolkit::TVirtualDrawTree& visible) {
    if (const auto row = FirstSelectedRow(visible)) OpenTarget(OpenFolderTarget(*row));
}

TDeleteResult PopUp_DeleteClick(TResultViews& views, const TAskYesNo& ask) {
    TDeleteResult result;
    toolkit::TVirtualDrawTree& visible = views.Visible();
    ResultTree* shown = visible.Tree();
    if (shown == nullptr) return result;
    const std::vector<NodeId> selected = visible.SelectedNodes();
    if (selected.empty() || views.Busy()) return result;

    result.Asked = true;
    const int answer = ask ? ask(lang::Msg(u"MESSAGE_ORV_DELETE_ASK_SURE"), ProgramTitle,
                                 platform::kMbYesNo | platform::kMbIconWarning)
                           : platform::kIdNo;
    if (answer != platform::kIdYes) return result;
    result.Confirmed = true;

    struct Item {
        NodeId row;
        bool folder;
        std::u16string path;
        bool gone;
    };
    std::vector<Item> items;
    items.reserve(selected.size());
    for (const NodeId n : selected) {
        Item item{n, shown->IsFolder(n), shown->FullPath(n), false};
        // A group row names no path; handing its name to the shell would act on a file of
        // that name in the working folder.
        if (shown->ImageIndex(n) > 0 || item.path.empty()) continue;
        const bool moved = platform::Shl().MoveToRecycleBin(item.path);
        item.gone = moved || !platform::Fs().PathExists(item.path);
        if (moved) {
            ++result.Moved;
        } else if (!item.gone) {
            ++result.Kept;
            platform::DebugOutput(u"ORV: not moved to the recycle bin, kept in the list: " +
                                  item.path);
        }
        items.push_back(std::move(item));
    }

    ResultTree* full = views.Engine().FTree;
    if (full != nullptr && !items.empty()) {
        std::vector<Wanted> wanted;
        for (const auto& item : items) {
            if (item.gone || item.folder) wanted.push_back({item.folder, UpperAscii(item.path)});
        }
        auto rows = FindRows(*full, wanted);
        full->BeginUpdate();
        for (const auto& item : items) {
            if (!item.gone && !item.folder) continue;
            const auto it = rows.find(Wanted{item.folder, UpperAscii(item.path)});
            if (it == rows.end()) continue;
            // The first counterpart that is still there, as a search after each deletion finds.
            NodeId counterpart = kNoNode;
            for (const NodeId n : it->second) {
                if (full->IsValid(n) && full->IsFolder(n) == item.folder) {
                    counterpart = n;
                    break;
                }
            }
            if (counterpart == kNoNode) continue;
            if (item.gone) {
                full->DeleteNode(counterpart);
            } else {
                PruneVanished(*full, counterpart, item.path);
            }
        }
        full->EndUpdate();
    }

    // The list is refilled below; rows that went are taken out of it first, one by one for a
    // few, by rebuilding it for many (each single removal looks for the row's predecessor).
    std::unordered_set<NodeId> goneRows;
    for (const auto& item : items) {
        if (item.gone) goneRows.insert(item.row);
    }
    result.Removed = static_cast<uint32_t>(goneRows.size());
    visible.BeginUpdate();
    if (goneRows.size() <= 64) {
        for (const NodeId n : goneRows) shown->DeleteNode(n);
    } else {
        std::vector<TSizeNode> keep;
        for (NodeId n = shown->GetFirst(); n != kNoNode; n = shown->NextSibling(n)) {
            if (goneRows.count(n) == 0) keep.push_back(shown->Row(n));
        }
        shown->Clear();
        for (const auto& row : keep) shown->AddChild(kNoNode, row);
    }
    visible.EndUpdate();

    if (full != nullptr) {
        const NodeId first = full->GetFirst();
        TOrvella::CountDirsInTree(*full, first);
        TOrvella::CountFilesInTree(*full, first);
        TOrvella::CountSizeInTree(*full, first);
        if (first != kNoNode) views.Engine().TotalSize = full->Size(first);
    }
    views.Hooks().RunFolderSelection();
    return result;
}

}  // namespace orv::analysis
