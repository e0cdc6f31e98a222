#pragma once
// The drive selection dialog of an analysis (window name Form_UNDELETE_Drive).
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/DriveList.h"

namespace orv::app {

// Steps 2 and 3 of an analysis: makes the dialog with labelHtml and a copy of drives (same
// entries, same current entry), shows it modally only when it lists two or more drives (else
// the answer is OK without showing), and returns OK. drive receives the dialog's current drive
// letter (0 when it has none), whatever the answer.
bool AskForAnalysisDrive(HWND owner, const toolkit::TDriveList& drives,
                         std::u16string_view labelHtml, char16_t& drive);

// Tests: called with the dialog's window once it is shown modally, before the user could act;
// the test answers it (e.g. posts Enter or Escape, or reads its drive list).
void SetDriveDialogShownHook(std::function<void(HWND dialog)> hook);

}  // namespace orv::app
