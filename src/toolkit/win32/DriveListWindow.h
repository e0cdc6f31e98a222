#pragma once
// The drive list as a Win32 control: the system's drop-down list combo box, owner-drawn with
// each drive's shell icon before its text. The combo box lives in a small window of our own
// that receives its draw and change notifications, so the form needs to forward nothing.
#include <windows.h>

#include "toolkit/DriveList.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TDriveComboBoxWindow : public TDriveList, public TWindowBase, private TDriveList::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaDriveCombo";
    static constexpr int kItemHeight = 18;

    explicit TDriveComboBoxWindow(TComponent* owner = nullptr);
    ~TDriveComboBoxWindow() override;

    // The closed combo box is width wide at (x, y); the drop-down shows up to dropRows entries.
    bool CreateWindowIn(HWND parent, int x, int y, int width, int dropRows = 8);
    HWND ComboHandle() const { return combo_; }
    TFont& Font() { return font_; }

    // Draws entry index (-1: the current one, as in the closed box) into r of dc.
    void DrawEntry(HDC dc, int index, const RECT& r, bool selected);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The combo box went with our window: its handle must not be used again.
    void HandleDestroyed() override;

  private:
    void ModelChanged(unsigned what) override;
    void FillCombo();
    void ApplyFont();

    HWND combo_ = nullptr;
    TFont font_;
    UniqueFont gdiFont_;
    bool filling_ = false;
    int dropHeight_ = 0;  // the combo box's height with its drop-down
};

}  // namespace orv::toolkit::win32
