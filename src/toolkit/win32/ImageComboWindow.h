#pragma once
// The combo box with images as a Win32 control: the system's combo box, owner-drawn with each
// item's picture before its text, list-only or editable. It lives in a small window of our own
// that receives its notifications; the edit part of an editable box is subclassed so that typed
// keys reach OnKeyPress first.
#include <windows.h>

#include "toolkit/Graphics.h"
#include "toolkit/ImageCombo.h"
#include "toolkit/win32/GdiHandles.h"
#include "toolkit/win32/WindowBase.h"

namespace orv::toolkit::win32 {

class TImageComboBoxWindow : public TImageComboBox,
                             public TWindowBase,
                             private TImageComboBox::TView {
  public:
    static constexpr const wchar_t* kClassName = L"OrvellaImageCombo";
    static constexpr int kItemHeight = 18;

    explicit TImageComboBoxWindow(TComponent* owner = nullptr,
                                  TComboStyle style = TComboStyle::DropDownList);
    ~TImageComboBoxWindow() override;

    bool CreateWindowIn(HWND parent, int x, int y, int width, int dropRows = 8);
    HWND ComboHandle() const { return combo_; }
    // The edit part of an editable box; null for a list-only one.
    HWND EditHandle() const { return edit_; }
    TFont& Font() { return font_; }

    // Draws item index into r of dc.
    void DrawItem(HDC dc, int index, const RECT& r, bool selected);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The combo box went with our window: its handle must not be used again.
    void HandleDestroyed() override;

  private:
    void ModelChanged(unsigned what) override;
    void FillCombo();
    void ShowSelection();
    void ApplyFont();
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    HWND combo_ = nullptr;
    HWND edit_ = nullptr;
    TFont font_;
    UniqueFont gdiFont_;
    bool updating_ = false;
    int dropHeight_ = 0;
};

}  // namespace orv::toolkit::win32
