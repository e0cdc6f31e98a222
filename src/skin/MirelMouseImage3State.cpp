#include "skin/MirelMouseImage3State.h"

namespace orv::skin {

TMirelMouseImage3State::TMirelMouseImage3State(toolkit::TComponent* owner) : TImage(owner) {
    SetStretch(true);
    TImage::OnMouseDown = [this](toolkit::TComponent*, toolkit::TMouseButton, int, int) {
        PressDown();
    };
    TImage::OnMouseUp = [this](toolkit::TComponent*, toolkit::TMouseButton, int, int) {
        PressUp();
    };
}

void TMirelMouseImage3State::SetPicture_Normal(const toolkit::TPicture* picture) {
    if (picture == nullptr) return;
    FPicture_Normal.Assign(*picture);
    Picture().Assign(FPicture_Normal);
}

void TMirelMouseImage3State::SetPicture_Highlight(const toolkit::TPicture* picture) {
    if (picture != nullptr) FPicture_Highlight.Assign(*picture);
}

void TMirelMouseImage3State::SetPicture_Pressed(const toolkit::TPicture* picture) {
    if (picture != nullptr) FPicture_Pressed.Assign(*picture);
}

void TMirelMouseImage3State::MouseEntered() {
    FMouseIsInside = true;
    if (!Enabled()) return;
    if (OnMouseEnter) OnMouseEnter(this);
    Picture().Assign(FPicture_Highlight);
}

void TMirelMouseImage3State::MouseLeft() {
    FMouseIsInside = false;
    if (!Enabled()) return;
    if (OnMouseLeave) OnMouseLeave(this);
    Picture().Assign(FPicture_Normal);
}

void TMirelMouseImage3State::PressDown() {
    if (!Enabled()) return;
    if (FMove_If_MousePressed) SetBounds(Left() + 1, Top() + 1, Width(), Height());
    Picture().Assign(FPicture_Pressed);
    Invalidate();
}

void TMirelMouseImage3State::PressUp() {
    if (!Enabled()) return;
    if (FMove_If_MousePressed) SetBounds(Left() - 1, Top() - 1, Width(), Height());
    if (FMouseIsInside) {
        Picture().Assign(FPicture_Highlight);
        Invalidate();
    }
}

}  // namespace orv::skin
