#pragma once
// TMirelMouseImage3State: a picture button that shows a normal, a hover and a pressed picture
// and, while pressed, sits one pixel further right and down.
#include <string_view>

#include "toolkit/Controls.h"

namespace orv::skin {

class TMirelMouseImage3State : public toolkit::TImage {
  public:
    explicit TMirelMouseImage3State(toolkit::TComponent* owner = nullptr);
    std::u16string_view ClassName() const override { return u"TMirelMouseImage3State"; }

    toolkit::TPicture& Picture_Normal() { return FPicture_Normal; }
    // Copies the picture and shows it at once; null changes nothing.
    void SetPicture_Normal(const toolkit::TPicture* picture);
    toolkit::TPicture& Picture_Highlight() { return FPicture_Highlight; }
    void SetPicture_Highlight(const toolkit::TPicture* picture);
    toolkit::TPicture& Picture_Pressed() { return FPicture_Pressed; }
    void SetPicture_Pressed(const toolkit::TPicture* picture);
    bool Move_If_MousePressed() const { return FMove_If_MousePressed; }
    void SetMove_If_MousePressed(bool v) { FMove_If_MousePressed = v; }
    bool MouseIsInside() const { return FMouseIsInside; }

    void MouseEntered() override;
    void MouseLeft() override;

    // The button's own enter and leave events; the picture control's standard OnMouseDown and
    // OnMouseUp carry the press behaviour (assigning OnMouseDown replaces it).
    toolkit::TNotifyEvent OnMouseEnter;
    toolkit::TNotifyEvent OnMouseLeave;

  private:
    void PressDown();
    void PressUp();

    toolkit::TPicture FPicture_Normal;
    toolkit::TPicture FPicture_Highlight;
    toolkit::TPicture FPicture_Pressed;
    bool FMove_If_MousePressed = true;
    bool FMouseIsInside = false;
};

}  // namespace orv::skin
