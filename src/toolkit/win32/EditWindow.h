#pragma once
// The system's single-line edit as a child window of a form. Place, text and case are kept
// while no window exists, so a form sets them up first and creates the window afterwards; with
// a window the text is the window's.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {

enum class TEditCharCase { Normal, UpperCase };

class TEdit : public TComponent {
  public:
    explicit TEdit(TComponent* owner = nullptr);
    ~TEdit() override;
    std::u16string_view ClassName() const override { return u"TEdit"; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);

    std::u16string Text() const;
    void SetText(std::u16string_view text);
    // Upper case turns what the user types into capitals (the window's ES_UPPERCASE).
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase c) { charCase_ = c; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    TFont& Font() { return font_; }

    // Creates the child window in parent (once); false when it cannot be made.
    bool CreateHandle(HWND parent);
    HWND Handle() const { return hwnd_; }

  private:
    void ApplyFont();
    HWND hwnd_ = nullptr;
    UniqueFont gdiFont_;
    TFont font_;
    std::u16string text_;
    TEditCharCase charCase_ = TEditCharCase::Normal;
    int left_ = 0;
    int top_ = 0;
    int width_ = 121;
    int height_ = 21;
    bool enabled_ = true;
};

}  // namespace orv::toolkit::win32
