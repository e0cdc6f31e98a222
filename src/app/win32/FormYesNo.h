#pragma once
// TForm_YesNo: the program's skinned question and message dialog, and the three operations
// the main window offers on it (AskYesOrNo, Show_Info, Show_Warning). The dialog cannot be
// closed without one of its buttons.
#include <cstdint>
#include <string>
#include <string_view>

#include "app/FormYesNo.h"
#include "skin/stripeskins.h"
#include "toolkit/Controls.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/ModalForm.h"
#include "toolkit/win32/PushButton.h"

namespace orv::app {

class TForm_YesNo : public toolkit::win32::TModalForm {
  public:
    explicit TForm_YesNo(toolkit::TComponent* owner = nullptr);
    ~TForm_YesNo() override;

    // Creates the window with the design caption "Frage"; false when it cannot be made.
    bool Create();

    // Puts the controls where `layout` says.
    void ApplyLayout(const TAskerLayout& layout);
    // The control that has the focus; TAskerButton::None when none of the four has.
    TAskerButton FocusedButton() const;
    void FocusButton(TAskerButton button);
    toolkit::win32::TButtonControl* ButtonOf(TAskerButton button) const;

    toolkit::TImage* Image_Back = nullptr;
    toolkit::TImage* Image1 = nullptr;
    toolkit::THTMLabel* HTMLabel1 = nullptr;
    toolkit::win32::TPushButton* Button_Ok = nullptr;
    toolkit::win32::TCheckBox* CheckBox_Remember = nullptr;
    toolkit::win32::TPushButton* Button_Ja = nullptr;
    toolkit::win32::TPushButton* Button_Nein = nullptr;

    // 0 after creation; 6, 7 or 99 once a button was clicked.
    uint32_t RESULT = kAskerNoAnswer;

  protected:
    bool CloseQuery() override;
    bool PreviewKey(const MSG& msg) override;

  private:
    void ButtonClick(TAskerButton button);
    TAskerLayout layout_;
};

// The dialog while one is open, null otherwise (one at a time).
TForm_YesNo* CurrentYesNoDialog();

// The dialog routines. icon may be null (no icon); the remember box shows only with
// showRemember, and its state comes back through remember.
uint32_t ShowQuestionDialog(const toolkit::TPicture* icon, std::u16string_view text,
                            std::u16string_view caption, uint16_t defaultButton, bool& remember,
                            bool showRemember, std::u16string_view rememberCaption);
void ShowMessageDialog(const toolkit::TPicture* icon, std::u16string_view text,
                       std::u16string_view caption, bool& remember, bool showRemember,
                       std::u16string_view rememberCaption);

// The process-wide background, loaded from the skin folder's "Background_Asker.bmp" at the
// first use of the three operations and kept; null before. A missing or broken file leaves it
// empty (a plain white dialog) with one debug line.
const toolkit::TPicture* SharedDialogBackground();
// Loads it now when not loaded yet (the three operations call this).
void EnsureSharedDialogBackground();

// Where the three operations take their pictures. The main window sets both in its completion
// step; without a stripe the dialogs show no icon, without a folder the background comes from
// ProgramFolder + "\skins\default".
void SetDialogStripe(const skin::TStripeSkinner* stripe);
void SetDialogSkinFolder(std::u16string_view folder);
std::u16string DialogSkinFolder();
// Cell `index` of the dialogs' stripe at 64 pixels; false (picture untouched) without a stripe
// or without that cell.
bool DialogStripeIcon(int32_t index, toolkit::TPicture& picture);

// Icons 2, 3 and 4 of the stripe, at 64 pixels.
inline constexpr int32_t kQuestionIcon = 2;
inline constexpr int32_t kInfoIcon = 3;
inline constexpr int32_t kWarningIcon = 4;

// The main window's operations: caption ProgramTitle, no remember box. AskYesOrNo answers 6
// or 7; defaultButton 6 or 7 starts with that button focused.
uint32_t AskYesOrNo(std::u16string_view text, uint16_t defaultButton);
void Show_Info(std::u16string_view text);
void Show_Warning(std::u16string_view text);

}  // namespace orv::app
