#pragma once
// The registry contract with the Explorer context-menu handler, which is installed and
// registered outside the program: which entry groups are hidden, the entries' captions in the
// running language, and the captions of the two recycle-bin entries. Nothing here creates or
// removes the handler's registration or the recycle-bin keys.
#include <string>
#include <string_view>

namespace orv::settings {

// The check boxes of the context-menu page, top to bottom.
struct TContextMenuBoxes {
    bool ShowContextMenu = true;  // the handler's class key exists
    bool DEFRAG = true;           // "Hide_DEFRAG" absent
    bool DL = true;
    bool FW = true;
    bool ED = true;
    bool FSJ = true;
    bool Recycle_FW = true;        // the recycle bin's KT_FileWiper key exists
    bool Recycle_Undelete = true;  // the recycle bin's KT_Undeleter key exists
};

// HKEY_CLASSES_ROOT key of the outside handler ("CLSID\{...}").
std::u16string_view ContextMenuHandlerClassKey();

TContextMenuBoxes LoadContextMenuBoxes();
// The "Hide_" values from the five group boxes, the nine captions and, where their keys
// exist, the two recycle-bin captions, all from the current message texts.
void SaveContextMenuSettings(const TContextMenuBoxes& boxes);

// The options dialog's reset: deletes the Options key (its "contextmenus" sibling stays) and,
// in programFolder, restores data\DC-Files2.txt and data\DC-Folders2.txt from their
// "_default" twins where both files of a pair exist.
void ResetOptions(std::u16string_view programFolder);

}  // namespace orv::settings
