#include "app/win32/FormYesNo.h"

#include <windows.h>

#include "app/Globals.h"
#include "lang/MessageCatalogue.h"
#include "platform/System.h"
#include "skin/SkinCatalogue.h"
#include "toolkit/win32/PictureFile.h"

namespace orv::app {
namespace {

using toolkit::TPicture;

TForm_YesNo* g_current = nullptr;
const skin::TStripeSkinner* g_stripe = nullptr;
std::u16string g_skinFolder;
bool g_backgroundTried = false;

TPicture& BackgroundPicture() {
    // Kept for the life of the process, like the dialogs' callers expect.
    static TPicture* picture = new TPicture();
    return *picture;
}

void Place(toolkit::TControl& c, const TAskerPlace& p) {
    c.SetBounds(p.Left, p.Top, p.Width, p.Height);
    c.SetVisible(p.Visible);
}

void Place(toolkit::win32::TButtonControl& c, const TAskerPlace& p) {
    c.SetBounds(p.Left, p.Top, p.Width, p.Height);
    c.SetVisible(p.Visible);
}

// A catalogue text, or the design caption when a translation left it empty: a button
// without a caption would leave the user guessing.
std::u16string ButtonCaption(std::u16string_view key, std::u16string_view design) {
    const std::u16string& text = lang::Msg(key);
    return text.empty() ? std::u16string(design) : text;
}

// The dialog exists only while its routine runs; the reference follows it. A dialog opened
// from within another one's loop (a timer, a message) hands the reference back when it goes.
class CurrentDialog {
  public:
    explicit CurrentDialog(TForm_YesNo* d) : previous_(g_current) { g_current = d; }
    ~CurrentDialog() { g_current = previous_; }
    CurrentDialog(const CurrentDialog&) = delete;
    CurrentDialog& operator=(const CurrentDialog&) = delete;

  private:
    TForm_YesNo* previous_;
};

// Steps shared by both routines before the buttons are set up.
bool Prepare(TForm_YesNo& dlg, const TPicture* icon, std::u16string_view text,
             std::u16string_view caption, bool showRemember, std::u16string_view rememberCaption,
             const TAskerLayout& layout) {
    if (!dlg.Create()) {
        platform::DebugOutput(u"FormYesNo: the dialog window could not be created");
        return false;
    }
    if (const TPicture* back = SharedDialogBackground(); back != nullptr && !back->Empty())
        dlg.Image_Back->Picture().Assign(*back);
    if (icon != nullptr && !icon->Empty()) {
        dlg.Image1->Picture().Assign(*icon);
        dlg.Image1->SetBounds(dlg.Image1->Left(), dlg.Image1->Top(), icon->Width(), icon->Height());
    }
    dlg.HTMLabel1->SetHTMLText(text);
    dlg.CheckBox_Remember->SetCaption(rememberCaption);
    dlg.ApplyLayout(layout);
    if (!showRemember) dlg.CheckBox_Remember->SetVisible(false);
    dlg.SetCaption(caption);
    dlg.Button_Ja->SetCaption(ButtonCaption(u"MESSAGE_ASKER_YES", u"Ja"));
    dlg.Button_Nein->SetCaption(ButtonCaption(u"MESSAGE_ASKER_NO", u"Nein"));
    dlg.Button_Ok->SetCaption(ButtonCaption(u"MESSAGE_ASKER_OK", u"Ok"));
    return true;
}

// Icon N of the stripe at 64 pixels; false when there is no stripe or no such picture.
bool StripeIcon(int32_t index, TPicture& picture) {
    return g_stripe != nullptr && g_stripe->CopyToPicture(64, picture, index, false, 1.0f);
}

void ShowNotice(int32_t iconIndex, std::u16string_view text) {
    EnsureSharedDialogBackground();
    TPicture icon;
    const bool haveIcon = StripeIcon(iconIndex, icon);
    bool remember = false;
    ShowMessageDialog(haveIcon ? &icon : nullptr, text, ProgramTitle, remember, false, u"");
}

}  // namespace

TForm_YesNo::TForm_YesNo(toolkit::TComponent* owner) : TModalForm(owner, u"TForm_YesNo") {
    SetName(u"Form_YesNo");
    const TAskerLayout design = AskerDesignLayout();

    Image_Back = new toolkit::TImage(this);
    Image_Back->SetName(u"Image_Back");
    Image_Back->SetAlign(toolkit::TAlign::Client);
    Image_Back->SetBounds(0, 0, kAskerClientWidth, kAskerClientHeight);
    Image_Back->SetParent(this);

    Image1 = new toolkit::TImage(this);
    Image1->SetName(u"Image1");
    Place(*Image1, design.Icon);
    Image1->SetParent(this);

    HTMLabel1 = new toolkit::THTMLabel(this);
    HTMLabel1->SetName(u"HTMLabel1");
    HTMLabel1->SetTransparent(true);
    Place(*HTMLabel1, design.Label);
    HTMLabel1->SetParent(this);

    Button_Ok = new toolkit::win32::TPushButton(this);
    Button_Ok->SetName(u"Button_Ok");
    Button_Ok->SetCaption(u"Ok");
    Button_Ok->SetTabOrder(3);
    Place(*Button_Ok, design.Ok);

    CheckBox_Remember = new toolkit::win32::TCheckBox(this);
    CheckBox_Remember->SetName(u"CheckBox_Remember");
    CheckBox_Remember->SetCaption(u"xxx");
    CheckBox_Remember->SetTabOrder(0);
    Place(*CheckBox_Remember, design.Remember);

    Button_Ja = new toolkit::win32::TPushButton(this);
    Button_Ja->SetName(u"Button_Ja");
    Button_Ja->SetCaption(u"Ja");
    Button_Ja->SetTabOrder(1);
    Place(*Button_Ja, design.Yes);

    Button_Nein = new toolkit::win32::TPushButton(this);
    Button_Nein->SetName(u"Button_Nein");
    Button_Nein->SetCaption(u"Nein");
    Button_Nein->SetTabOrder(2);
    Place(*Button_Nein, design.No);

    // Tab order.
    AddButton(CheckBox_Remember);
    AddButton(Button_Ja);
    AddButton(Button_Nein);
    AddButton(Button_Ok);

    Button_Ja->OnClick = [this](toolkit::TComponent*) { ButtonClick(TAskerButton::Yes); };
    Button_Nein->OnClick = [this](toolkit::TComponent*) { ButtonClick(TAskerButton::No); };
    Button_Ok->OnClick = [this](toolkit::TComponent*) { ButtonClick(TAskerButton::Ok); };
    layout_ = design;
}

TForm_YesNo::~TForm_YesNo() = default;

bool TForm_YesNo::Create() {
    SetColor(0xFFFFFF);
    return CreateForm(u"Frage", kAskerClientWidth, kAskerClientHeight,
                      {.SystemMenu = false, .DialogFrame = false, .StayOnTop = true});
}

void TForm_YesNo::ApplyLayout(const TAskerLayout& layout) {
    layout_ = layout;
    Place(*HTMLabel1, layout.Label);
    Place(*CheckBox_Remember, layout.Remember);
    Place(*Button_Ja, layout.Yes);
    Place(*Button_Nein, layout.No);
    Place(*Button_Ok, layout.Ok);
}

toolkit::win32::TButtonControl* TForm_YesNo::ButtonOf(TAskerButton button) const {
    switch (button) {
        case TAskerButton::Remember:
            return CheckBox_Remember;
        case TAskerButton::Yes:
            return Button_Ja;
        case TAskerButton::No:
            return Button_Nein;
        case TAskerButton::Ok:
            return Button_Ok;
        default:
            return nullptr;
    }
}

TAskerButton TForm_YesNo::FocusedButton() const {
    for (const TAskerButton b :
         {TAskerButton::Remember, TAskerButton::Yes, TAskerButton::No, TAskerButton::Ok}) {
        if (ButtonOf(b)->Focused()) return b;
    }
    return TAskerButton::None;
}

void TForm_YesNo::FocusButton(TAskerButton button) {
    if (auto* c = ButtonOf(button); c != nullptr && c->Visible()) SetActiveControl(c);
}

void TForm_YesNo::ButtonClick(TAskerButton button) {
    RESULT = AskerResultOf(button);
    Close();
}

bool TForm_YesNo::CloseQuery() {
    return AskerMayClose(RESULT);
}

bool TForm_YesNo::PreviewKey(const MSG& msg) {
    if (msg.message == WM_CHAR) {
        // Their key-down did the work; the character would only beep.
        return msg.wParam == L'\r' || msg.wParam == L'\t' || msg.wParam == 0x1B;
    }
    if (msg.message != WM_KEYDOWN) return false;
    TAskerKey key;
    switch (msg.wParam) {
        case VK_RETURN:
            key = TAskerKey::Return;
            break;
        case VK_TAB:
            key = GetKeyState(VK_SHIFT) < 0 ? TAskerKey::BackTab : TAskerKey::Tab;
            break;
        case VK_LEFT:
            key = TAskerKey::Left;
            break;
        case VK_RIGHT:
            key = TAskerKey::Right;
            break;
        case VK_UP:
            key = TAskerKey::Up;
            break;
        case VK_DOWN:
            key = TAskerKey::Down;
            break;
        case VK_ESCAPE:
            key = TAskerKey::Escape;
            break;
        default:
            return false;
    }
    TAskerButton focused = FocusedButton();
    if (focused == TAskerButton::None) {
        // The form itself has the focus (a key posted before it was activated): the control
        // it will give the focus to counts.
        for (const TAskerButton b :
             {TAskerButton::Remember, TAskerButton::Yes, TAskerButton::No, TAskerButton::Ok}) {
            if (ButtonOf(b) == ActiveControl()) focused = b;
        }
    }
    const TAskerKeyOutcome out = AskerKey(key, focused, AskerTabOrder(layout_));
    if (out.Focus != TAskerButton::None) FocusButton(out.Focus);
    if (out.Click != TAskerButton::None) ButtonClick(out.Click);
    return out.Handled;
}

TForm_YesNo* CurrentYesNoDialog() {
    return g_current;
}

uint32_t ShowQuestionDialog(const TPicture* icon, std::u16string_view text,
                            std::u16string_view caption, uint16_t defaultButton, bool& remember,
                            bool showRemember, std::u16string_view rememberCaption) {
    TForm_YesNo dlg;
    CurrentDialog current(&dlg);
    if (!Prepare(dlg, icon, text, caption, showRemember, rememberCaption,
                 QuestionLayout(showRemember)))
        return kAskerNoAnswer;
    dlg.FocusButton(QuestionInitialFocus(defaultButton));
    dlg.ShowModal();
    remember = dlg.CheckBox_Remember->Checked();
    return dlg.RESULT;
}

void ShowMessageDialog(const TPicture* icon, std::u16string_view text, std::u16string_view caption,
                       bool& remember, bool showRemember, std::u16string_view rememberCaption) {
    TForm_YesNo dlg;
    CurrentDialog current(&dlg);
    if (!Prepare(dlg, icon, text, caption, showRemember, rememberCaption,
                 MessageLayout(showRemember)))
        return;
    dlg.ShowModal();
    remember = dlg.CheckBox_Remember->Checked();
}

const TPicture* SharedDialogBackground() {
    return g_backgroundTried ? &BackgroundPicture() : nullptr;
}

void EnsureSharedDialogBackground() {
    if (g_backgroundTried) return;
    g_backgroundTried = true;
    const std::u16string path = DialogSkinFolder() + u"\\Background_Asker.bmp";
    if (!toolkit::win32::LoadPictureFile(BackgroundPicture(), path))
        platform::DebugOutput(u"FormYesNo: no dialog background, the dialogs stay plain: " + path);
}

void SetDialogStripe(const skin::TStripeSkinner* stripe) {
    g_stripe = stripe;
}

void SetDialogSkinFolder(std::u16string_view folder) {
    g_skinFolder.assign(folder);
}

bool DialogStripeIcon(int32_t index, TPicture& picture) {
    return StripeIcon(index, picture);
}

std::u16string DialogSkinFolder() {
    if (!g_skinFolder.empty()) return g_skinFolder;
    if (!skin::SkinFolderPath.empty()) return skin::SkinFolderPath;
    return ProgramFolder + u"\\skins\\default";
}

uint32_t AskYesOrNo(std::u16string_view text, uint16_t defaultButton) {
    EnsureSharedDialogBackground();
    TPicture icon;
    const bool haveIcon = StripeIcon(kQuestionIcon, icon);
    bool remember = false;
    const uint32_t answer = ShowQuestionDialog(haveIcon ? &icon : nullptr, text, ProgramTitle,
                                               defaultButton, remember, false, u"");
    // A dialog that could not be shown, or went without a button, did not say yes.
    return answer == kAskerYes ? kAskerYes : kAskerNo;
}

void Show_Info(std::u16string_view text) {
    ShowNotice(kInfoIcon, text);
}

void Show_Warning(std::u16string_view text) {
    ShowNotice(kWarningIcon, text);
}

}  // namespace orv::app
