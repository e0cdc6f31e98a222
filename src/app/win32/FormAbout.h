#pragma once
// TForm_About: the about box with the version, the credits and the two legal links, which
// open their link targets through the service channel. Not translated; the main window sets
// its caption.
#include <string_view>

#include "skin/PellUnicodeSTButton.h"
#include "toolkit/Controls.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/ModalForm.h"
#include "toolkit/win32/PushButton.h"

namespace orv::app {

class TForm_About : public toolkit::win32::TModalForm {
  public:
    static constexpr int kClientWidth = 417;
    static constexpr int kClientHeight = 372;

    explicit TForm_About(toolkit::TComponent* owner = nullptr);
    ~TForm_About() override;

    // Creates the window (FormCreate: the version label gets " 01.00.00"); false when it
    // cannot be made.
    bool Create();

    toolkit::TImage* Image2 = nullptr;
    toolkit::TLabel* Label_Version = nullptr;
    toolkit::THTMLabel* HTMLabel1 = nullptr;
    skin::TPellUnicodeSTButton* PellUnicodeSTButton_EULA = nullptr;
    skin::TPellUnicodeSTButton* PellUnicodeSTButton_Privacy = nullptr;
    toolkit::win32::TPushButton* Button_Ok = nullptr;

  private:
    void FormCreate();
    void LoadAboutPicture();
};

// The help menu's about item: creates the box, captions it (every "&" removed), shows it
// modally and destroys it.
void ShowAboutBox(std::u16string_view menuCaption);

}  // namespace orv::app
