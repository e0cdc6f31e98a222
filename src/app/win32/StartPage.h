#pragma once
// The start page until the analysis page takes its place: a docked page with the module's
// title and a copy of the main window's size grip in its corner. It has the analysis page's
// class and component names, so the module code "ORV" and the page-switch lines fit.
#include "app/win32/MainWindowParts.h"

namespace orv::app {

// The page class the start page is made from (TForm_ORV).
const TFormClass* StartPageClass();
// Replaces it, for the real analysis page; null restores the stand-in.
void SetStartPageClass(const TFormClass* formClass);

// The stand-in page: grip is the main window's Image_SizeGrip (may be null).
TModuleForm* CreateStandInStartPage(toolkit::TComponent* owner, toolkit::TImage* grip);
// The main window's grip the stand-in copies; set by the main window.
void SetStartPageGripTemplate(toolkit::TImage* grip);

}  // namespace orv::app
