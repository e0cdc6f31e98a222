#include "app/win32/MainWindowParts.h"

namespace orv::app {

void TShape::SetBrushColor(toolkit::TColor c) {
    color_ = c;
    Invalidate();
}

void TShape::Paint(toolkit::TPaintDevice& device) {
    device.SetBrushColor(color_);
    device.FillRect({0, 0, Width(), Height()});
}

TModuleForm::TModuleForm(toolkit::TComponent* owner, const TFormClass* formClass)
    : TGraphicHostWindow(owner, formClass != nullptr ? formClass->ClassName : u"TForm"),
      formClass_(formClass) {}

bool TModuleForm::Dock(HWND parent) {
    RECT r{};
    GetClientRect(parent, &r);
    if (!HandleAllocated()) {
        if (!CreateChild(parent, 0, 0, r.right, r.bottom)) return false;
    } else {
        ::SetParent(Handle(), parent);
        SetWindowPos(Handle(), HWND_TOP, 0, 0, r.right, r.bottom, SWP_SHOWWINDOW);
    }
    ShowWindow(Handle(), SW_SHOW);
    BringWindowToTop(Handle());
    return true;
}

void TModuleForm::Close() {
    if (OnClose) OnClose();
}

LRESULT TModuleForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        const LRESULT r = TGraphicHostWindow::HandleMessage(message, wParam, lParam);
        if (OnResize) OnResize();
        InvalidateRect(Handle(), nullptr, FALSE);
        return r;
    }
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

void TModuleArea::FitChildren() {
    if (!HandleAllocated()) return;
    RECT r{};
    GetClientRect(Handle(), &r);
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SetWindowPos(child, nullptr, 0, 0, r.right, r.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

LRESULT TModuleArea::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) FitChildren();
    return TGraphicHostWindow::HandleMessage(message, wParam, lParam);
}

toolkit::TImage* FindPageSizeGrip(toolkit::TComponent* page) {
    if (page == nullptr) return nullptr;
    for (size_t i = 0; i < page->ComponentCount(); ++i) {
        toolkit::TComponent* c = page->Component(i);
        if (auto* image = dynamic_cast<toolkit::TImage*>(c)) {
            if (image->Cursor() == toolkit::TCursor::SizeNWSE) return image;
        }
        if (toolkit::TImage* inner = FindPageSizeGrip(c)) return inner;
    }
    return nullptr;
}

}  // namespace orv::app
