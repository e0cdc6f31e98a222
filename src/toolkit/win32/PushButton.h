#pragma once
// The system's push button and check box as child windows of a form. Place, caption,
// visibility and state are kept while no window exists, so a form sets them up first and
// creates the windows afterwards; the form forwards the button's WM_COMMAND with
// DispatchButtonCommand.
#include <windows.h>

#include <string>
#include <string_view>

#include "toolkit/Component.h"
#include "toolkit/Controls.h"
#include "toolkit/Graphics.h"
#include "toolkit/win32/GdiHandles.h"

namespace orv::toolkit::win32 {

class TButtonControl : public TComponent {
  public:
    ~TButtonControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }

    const std::u16string& Caption() const { return caption_.Value(); }
    void SetCaption(std::u16string_view text) { caption_.Set(text); }
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int v) { tabOrder_ = v; }
    TFont& Font() { return font_; }

    // Creates the child window in parent (once); false when it cannot be made.
    bool CreateHandle(HWND parent);
    HWND Handle() const { return hwnd_; }
    void SetFocus();
    bool Focused() const;

    // Fires OnClick (also without a window).
    void Click();
    TNotifyEvent OnClick;

    TTextSlot* TextSlot(TTextSlotKind kind) override {
        return kind == TTextSlotKind::Caption ? &caption_ : nullptr;
    }

    // The control behind one of these child windows; null for any other window.
    static TButtonControl* FromHandle(HWND window);
    // For a parent's WM_COMMAND: clicks the control behind lParam on BN_CLICKED; true when
    // the message was one.
    static bool DispatchButtonCommand(WPARAM wParam, LPARAM lParam);

  protected:
    TButtonControl(TComponent* owner, DWORD style);
    // A check box keeps its state across a window's life.
    virtual void HandleCreated() {}
    virtual void Clicked() {}

  private:
    void ApplyFont();
    DWORD style_;
    HWND hwnd_ = nullptr;
    UniqueFont gdiFont_;
    TStringSlot caption_;
    TFont font_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 75;
    int height_ = 25;
    bool visible_ = true;
    bool enabled_ = true;
    int tabOrder_ = 0;
};

class TPushButton : public TButtonControl {
  public:
    explicit TPushButton(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TButton"; }
};

class TCheckBox : public TButtonControl {
  public:
    explicit TCheckBox(TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TCheckBox"; }
    bool Checked() const;
    void SetChecked(bool v);

  protected:
    void HandleCreated() override;
    void Clicked() override;

  private:
    bool checked_ = false;
};

}  // namespace orv::toolkit::win32
