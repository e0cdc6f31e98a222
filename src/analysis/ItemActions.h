#pragma once
// The popup menu of the visible result list: which items are enabled, which path each
// opening item opens, and moving the selected rows to the recycle bin. The page's menu
// forwards to these; the shell is reached through platform::Shl().
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "analysis/ResultTree.h"
#include "analysis/ResultViews.h"
#include "toolkit/VirtualDrawTree.h"

namespace orv::analysis {

// Enabled state of the items of AdvPopupMenu_ORV. PopUp_FileWiper is never visible.
struct TPopupEnabling {
    bool PopUp_OpenFile = false;
    bool PopUp_ShowFolder = false;
    bool PopUp_OpenFolder = false;
    bool PopUp_FileWiper = false;
    bool PopUp_Delete = false;
    bool operator==(const TPopupEnabling&) const = default;
};

// Before the menu opens: everything off without a selection or when the first selected row
// is a group row; otherwise delete, and the opening items that fit the first selected row.
TPopupEnabling AdvPopupMenu_ORVPopup(const toolkit::TVirtualDrawTree& visible);

// What each opening item opens for a row; nothing for a row of the other kind.
std::optional<std::u16string> OpenFileTarget(const TSizeNode& row);
// The folder of a file, with its trailing backslash.
std::optional<std::u16string> ShowFolderTarget(const TSizeNode& row);
std::optional<std::u16string> OpenFolderTarget(const TSizeNode& row);

// The opening items: the first selected row's target, opened by the shell.
void PopUp_OpenFileClick(const toolkit::TVirtualDrawTree& visible);
void PopUp_ShowFolderClick(const toolkit::TVirtualDrawTree& visible);
void PopUp_OpenFolderClick(const toolkit::TVirtualDrawTree& visible);
// The item is hidden; it does nothing.
inline void PopUp_FileWiperClick() {}

// Asks the delete question: (text, caption, flags) of a Yes/No message box, answer kIdYes or
// kIdNo.
using TAskYesNo =
    std::function<int(std::u16string_view text, std::u16string_view caption, uint32_t flags)>;

// What a delete did, for the caller's log and tests.
struct TDeleteResult {
    bool Asked = false;
    bool Confirmed = false;
    uint32_t Moved = 0;    // rows whose path went to the recycle bin
    uint32_t Kept = 0;     // rows whose move failed and whose path is still there
    uint32_t Removed = 0;  // rows removed from the visible list
};

// Moves the selected rows to the recycle bin after asking. A row leaves the trees only when
// its move succeeded or its path is gone; a folder that stayed loses the rows of what is gone
// beneath it. Then the folder totals and the engine's TotalSize are recomputed (TotalFiles
// stays) and the folder-selection handler refills the list.
TDeleteResult PopUp_DeleteClick(TResultViews& views, const TAskYesNo& ask);

}  // namespace orv::analysis
