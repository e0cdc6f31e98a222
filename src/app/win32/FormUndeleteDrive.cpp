#include "app/win32/FormUndeleteDrive.h"

#include "app/Globals.h"
#include "app/win32/FormYesNo.h"
#include "lang/LanguageChoice.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "skin/PellButton2.h"
#include "skin/win32/Skinning.h"
#include "toolkit/Controls.h"
#include "toolkit/HTMLabel.h"
#include "toolkit/win32/DriveListWindow.h"
#include "toolkit/win32/ModalForm.h"

namespace orv::app {
namespace {

using toolkit::win32::TDriveComboBoxWindow;

std::function<void(HWND)> g_shownHook;

// Posted before the modal loop starts, so that it is handled once the dialog is on screen.
constexpr UINT kShownMessage = WM_APP + 0x2D4;

constexpr int kClientWidth = 460;
constexpr int kClientHeight = 180;
constexpr int kStripeCell = 47;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 29;
constexpr int kButtonTop = 140;

void UseDialogFont(toolkit::TFont& font) {
    font.SetName(u"Tahoma");
    font.SetHeight(-12);
}

// A button caption from the catalogue, or the design caption when a translation left the
// message empty: a button without a caption would leave the user guessing.
std::u16string ButtonCaption(std::u16string_view key, std::u16string_view design) {
    const std::u16string& text = lang::Msg(key);
    return text.empty() ? std::u16string(design) : text;
}

class TForm_UNDELETE_Drive : public toolkit::win32::TModalForm {
  public:
    TForm_UNDELETE_Drive();
    ~TForm_UNDELETE_Drive() override;

    // Makes the window over owner, with its controls, and runs FormCreate.
    bool Create(HWND owner);

    toolkit::TImage* Image_Background = nullptr;
    toolkit::TImage* Image1 = nullptr;
    toolkit::THTMLabel* HTMLabel_SelectDrive = nullptr;
    TDriveComboBoxWindow* DriveComboBoxEx1 = nullptr;
    skin::TPellButton2* PellButton_Abort = nullptr;
    skin::TPellButton2* PellButton_Ok = nullptr;

    bool OK = false;

    toolkit::TTextSlot* TextSlot(toolkit::TTextSlotKind kind) override {
        return kind == toolkit::TTextSlotKind::Caption ? &caption_ : nullptr;
    }

  protected:
    bool PreviewKey(const MSG& msg) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The window caption as a translation slot.
    class TCaptionSlot : public toolkit::TTextSlot {
      public:
        explicit TCaptionSlot(TForm_UNDELETE_Drive& form) : form_(form) {}
        std::u16string Get() const override { return form_.Caption(); }
        void Set(std::u16string_view text) override { form_.SetCaption(text); }

      private:
        TForm_UNDELETE_Drive& form_;
    };

    void FormCreate();
    void PellButton_OkClick();
    void PellButton_AbortClick();
    bool ListIsOpen() const;
    void FocusDriveList();

    TCaptionSlot caption_{*this};
};

skin::TPellButton2* MakeButton(TForm_UNDELETE_Drive& form, std::u16string_view name,
                               std::u16string_view caption, int left) {
    auto* b = new skin::TPellButton2(&form);
    b->SetName(name);
    b->SetCaption(caption);
    b->SetAutoWidth(false);  // the pair stays where it is placed, whatever the translation
    b->SetBounds(left, kButtonTop, kButtonWidth, kButtonHeight);
    UseDialogFont(b->Font());
    b->SetParent(&form);
    return b;
}

TForm_UNDELETE_Drive::TForm_UNDELETE_Drive() : TModalForm(nullptr, u"TForm_UNDELETE_Drive") {
    SetName(u"Form_UNDELETE_Drive");
    SetTag(1);

    // Parented first: painted behind everything else.
    Image_Background = new toolkit::TImage(this);
    Image_Background->SetName(u"Image_Background");
    Image_Background->SetAlign(toolkit::TAlign::Client);
    Image_Background->SetStretch(true);
    Image_Background->SetBounds(0, 0, kClientWidth, kClientHeight);
    Image_Background->SetParent(this);

    Image1 = new toolkit::TImage(this);
    Image1->SetName(u"Image1");
    Image1->SetBounds(8, 58, 64, 64);
    Image1->SetParent(this);

    HTMLabel_SelectDrive = new toolkit::THTMLabel(this);
    HTMLabel_SelectDrive->SetName(u"HTMLabel_SelectDrive");
    HTMLabel_SelectDrive->SetTransparent(true);
    HTMLabel_SelectDrive->SetBounds(88, 8, 368, 70);
    UseDialogFont(HTMLabel_SelectDrive->Font());
    HTMLabel_SelectDrive->SetParent(this);

    DriveComboBoxEx1 = new TDriveComboBoxWindow(this);
    DriveComboBoxEx1->SetName(u"DriveComboBoxEx1");
    UseDialogFont(DriveComboBoxEx1->Font());

    // Centred under the drive list, the action button on the right.
    PellButton_Abort = MakeButton(*this, u"PellButton_Abort", u"Abbrechen", 172);
    PellButton_Ok = MakeButton(*this, u"PellButton_Ok", u"Ok", 276);
    PellButton_Ok->SetActionButton(true);
    PellButton_Abort->OnClick = [this](toolkit::TComponent*) { PellButton_AbortClick(); };
    PellButton_Ok->OnClick = [this](toolkit::TComponent*) { PellButton_OkClick(); };
}

TForm_UNDELETE_Drive::~TForm_UNDELETE_Drive() = default;

bool TForm_UNDELETE_Drive::Create(HWND owner) {
    SetColor(0xFFFFFF);
    if (!CreateForm(u"Bitte Laufwerk ausw\u00e4hlen", kClientWidth, kClientHeight,
                    {.SystemMenu = true, .DialogFrame = true, .StayOnTop = true}))
        return false;
    if (owner != nullptr && IsWindow(owner))
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    CenterOver(owner);
    if (!DriveComboBoxEx1->CreateWindowIn(Handle(), 152, 84, 240)) return false;
    FormCreate();
    return true;
}

void TForm_UNDELETE_Drive::FormCreate() {
    OK = false;
    lang::LOAD_TRANSLATION_TO_FORM(ProgramFolder + u"\\translation", lang::CurrentLanguageFile,
                                   *this);
    PellButton_Abort->SetCaption(ButtonCaption(u"MESSAGE_ABORT", u"Abbrechen"));
    PellButton_Ok->SetCaption(ButtonCaption(u"MESSAGE_OK", u"Ok"));
    skin::win32::ApplySkinToButtonsOnForm(*this, nullptr);

    EnsureSharedDialogBackground();
    if (const toolkit::TPicture* back = SharedDialogBackground(); back != nullptr && !back->Empty())
        Image_Background->Picture().Assign(*back);
    toolkit::TPicture icon;
    if (DialogStripeIcon(kStripeCell, icon)) Image1->Picture().Assign(icon);
}

void TForm_UNDELETE_Drive::PellButton_OkClick() {
    OK = true;
    Close();
}

void TForm_UNDELETE_Drive::PellButton_AbortClick() {
    OK = false;
    Close();
}

bool TForm_UNDELETE_Drive::ListIsOpen() const {
    const HWND combo = DriveComboBoxEx1->ComboHandle();
    return combo != nullptr && SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TForm_UNDELETE_Drive::FocusDriveList() {
    if (const HWND combo = DriveComboBoxEx1->ComboHandle(); combo != nullptr) SetFocus(combo);
}

bool TForm_UNDELETE_Drive::PreviewKey(const MSG& msg) {
    const bool enter = msg.wParam == VK_RETURN;
    const bool escape = msg.wParam == VK_ESCAPE;
    if (!enter && !escape) return false;
    // An open drop-down takes its own Enter (choose) and Escape (close the list).
    if (ListIsOpen()) return false;
    // Their key-down did the work; the character would only beep.
    if (msg.message == WM_CHAR) return true;
    if (msg.message != WM_KEYDOWN) return false;
    if (enter)
        PellButton_OkClick();
    else
        PellButton_AbortClick();
    return true;
}

LRESULT TForm_UNDELETE_Drive::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kShownMessage:
            FocusDriveList();
            if (g_shownHook) g_shownHook(Handle());
            return 0;
        case WM_ACTIVATE:
            // No push button to take the focus: the drive list has it, so the arrow keys
            // choose a drive at once.
            if (LOWORD(wParam) != WA_INACTIVE) {
                TModalForm::HandleMessage(message, wParam, lParam);
                FocusDriveList();
                return 0;
            }
            break;
        default:
            break;
    }
    return TModalForm::HandleMessage(message, wParam, lParam);
}

}  // namespace

bool AskForAnalysisDrive(HWND owner, const toolkit::TDriveList& drives,
                         std::u16string_view labelHtml, char16_t& drive) {
    TForm_UNDELETE_Drive dlg;
    dlg.DriveComboBoxEx1->Assign(drives);
    drive = dlg.DriveComboBoxEx1->Drive();
    if (dlg.DriveComboBoxEx1->Count() < 2) return true;  // nothing to choose

    if (!dlg.Create(owner)) {
        // Not asked is not agreed: the caller keeps its previous results.
        platform::DebugOutput(u"FormUNDELETE_Drive: the drive dialog could not be created");
        return false;
    }
    dlg.HTMLabel_SelectDrive->SetHTMLText(labelHtml);
    PostMessageW(dlg.Handle(), kShownMessage, 0, 0);
    dlg.ShowModal();
    drive = dlg.DriveComboBoxEx1->Drive();
    return dlg.OK;
}

void SetDriveDialogShownHook(std::function<void(HWND dialog)> hook) {
    g_shownHook = std::move(hook);
}

}  // namespace orv::app
