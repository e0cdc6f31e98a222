#pragma once
// What the main window is built from besides the toolkit's controls: the filled rectangle of
// the header, the module area that docks one page window, and the base of the module pages.
#include <windows.h>

#include <functional>
#include <string_view>

#include "toolkit/Controls.h"
#include "toolkit/win32/GraphicHostWindow.h"

namespace orv::app {

// A filled rectangle without pen.
class TShape : public toolkit::TGraphicControl {
  public:
    explicit TShape(toolkit::TComponent* owner = nullptr) : TGraphicControl(owner) {}
    std::u16string_view ClassName() const override { return u"TShape"; }
    toolkit::TColor BrushColor() const { return color_; }
    void SetBrushColor(toolkit::TColor c);
    void Paint(toolkit::TPaintDevice& device) override;

  private:
    toolkit::TColor color_ = 0xFFFFFF;
};

class TModuleForm;

// A page class: its name and how a page of it is made, owned by owner.
struct TFormClass {
    std::u16string_view ClassName;
    std::function<TModuleForm*(toolkit::TComponent* owner)> Create;
};

// A module page: a window docked into the main window's module area. Pages paint like any
// host of graphic controls and hear of their activation, their show and their close.
class TModuleForm : public toolkit::win32::TGraphicHostWindow {
  public:
    TModuleForm(toolkit::TComponent* owner, const TFormClass* formClass);
    const TFormClass* FormClass() const { return formClass_; }

    // Docks the page into parent, filling it, visible.
    bool Dock(HWND parent);
    // Runs the close handler; the caller then frees the page.
    void Close();

    std::function<void()> OnActivate;
    std::function<void()> OnShow;
    std::function<void()> OnClose;
    // Runs after the page's client size changed.
    std::function<void()> OnResize;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    const TFormClass* formClass_;
};

// Panel1: a plain child window whose one visible page fills it.
class TModuleArea : public toolkit::win32::TGraphicHostWindow {
  public:
    explicit TModuleArea(toolkit::TComponent* owner) : TGraphicHostWindow(owner, u"TPanel") {}
    // Resizes every child window to the client area.
    void FitChildren();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The first image among the page's components, descending into what they own, whose cursor
// is the diagonal resize cursor; null when there is none.
toolkit::TImage* FindPageSizeGrip(toolkit::TComponent* page);

}  // namespace orv::app
