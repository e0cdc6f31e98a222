#pragma once
// The rules of the question and message dialog that need no window: where its controls sit
// for a question and for a notice, which button starts with the focus, what a key does and
// when the dialog may close.
#include <cstdint>
#include <utility>

namespace orv::app {

// RESULT of the dialog: 0 until a button was clicked.
inline constexpr uint32_t kAskerNoAnswer = 0;
inline constexpr uint32_t kAskerYes = 6;  // IDYES
inline constexpr uint32_t kAskerNo = 7;   // IDNO
inline constexpr uint32_t kAskerOk = 99;

inline constexpr int kAskerClientWidth = 460;
inline constexpr int kAskerClientHeight = 180;

enum class TAskerButton { None, Remember, Yes, No, Ok };

struct TAskerPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
};

struct TAskerLayout {
    TAskerPlace Icon;  // sizes itself to its picture; width and height are the icon's
    TAskerPlace Label;
    TAskerPlace Remember;
    TAskerPlace Yes;
    TAskerPlace No;
    TAskerPlace Ok;
};

// The design places of every control, as the dialog is created.
TAskerLayout AskerDesignLayout();
// A question: Yes and No on one line, Ok hidden. A notice: Ok alone on that line. Without the
// remember box the label reaches down to the buttons.
TAskerLayout QuestionLayout(bool showRemember);
TAskerLayout MessageLayout(bool showRemember);

// 7 focuses No, 6 Yes, anything else the first visible control in tab order (Yes).
TAskerButton QuestionInitialFocus(uint16_t defaultButton);
// The RESULT a button stores; kAskerNoAnswer for the remember box and none.
uint32_t AskerResultOf(TAskerButton button);
// Only a clicked button closes the dialog (Alt+F4 and the like are refused before).
bool AskerMayClose(uint32_t result);

// The visible controls in tab order: Remember (0), Yes (1), No (2), Ok (3).
struct TAskerTabOrder {
    TAskerButton Items[4]{};
    int Count = 0;
};
TAskerTabOrder AskerTabOrder(const TAskerLayout& layout);

enum class TAskerKey { Return, Tab, BackTab, Left, Right, Up, Down, Escape, Other };
struct TAskerKeyOutcome {
    TAskerButton Click = TAskerButton::None;  // press this button
    TAskerButton Focus = TAskerButton::None;  // move the focus here
    bool Handled = false;                     // the key is used up
};
// Return presses the focused button; Tab and the arrows move the focus through the visible
// controls, wrapping round; Escape is swallowed (the dialog has no cancel answer).
TAskerKeyOutcome AskerKey(TAskerKey key, TAskerButton focused, const TAskerTabOrder& order);

}  // namespace orv::app
