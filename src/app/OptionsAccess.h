#pragma once
// What the analysis page reads of the options dialog, which lives from start-up to the end of
// the program: the file-format groups straight from its controls, and its loading step, which
// every analysis runs first. Null while there is no dialog (tests, start-up before the dialog
// is made); the page then uses the settings map's defaults.
#include "analysis/ResultViews.h"

namespace orv::app {

class TOptionsForPage {
  public:
    virtual ~TOptionsForPage() = default;
    // Edit_ORV_* lists in the group table's row order, CheckBox_ORV_ShowOwnGroup and
    // Edit_ORV_Name_OwnGroup as the controls hold them now.
    virtual analysis::TFormatSettings FormatSettings() const = 0;
    virtual void LOAD_OPTIONS(bool for_DC_only) = 0;
};

inline TOptionsForPage*& LivingOptionsDialogSlot() {
    static TOptionsForPage* dialog = nullptr;
    return dialog;
}
inline TOptionsForPage* LivingOptionsDialog() { return LivingOptionsDialogSlot(); }
// The dialog registers itself when made and clears the slot when destroyed.
inline void SetLivingOptionsDialog(TOptionsForPage* dialog) { LivingOptionsDialogSlot() = dialog; }

}  // namespace orv::app
