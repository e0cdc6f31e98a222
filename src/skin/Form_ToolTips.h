#pragma once
// The tooltip manager TToolTips: registered controls show a skinned tooltip window 600 ms after
// the mouse entered them and hide it when the mouse leaves. The delay runs in a TToolTipThread
// that only sleeps and then hands the show step to the user-interface thread.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/Controls.h"

namespace orv::skin {

// One registered control.
struct TToolTip {
    std::u16string ParentClassName;
    std::u16string ControlName;
    std::u16string Caption;
    std::u16string Text;  // mark-up, as the window's body label reads it
};

// The tooltip window as the manager drives it (TFormToolTips on Windows).
class TToolTipWindow {
  public:
    virtual ~TToolTipWindow() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Moves the window, in screen coordinates, without showing it.
    virtual void MoveTo(int left, int top) = 0;
    virtual void SetTexts(std::u16string_view caption, std::u16string_view text) = 0;
    virtual bool Showing() const = 0;
    virtual void ShowToolTipWindow() = 0;
    virtual void HideToolTipWindow() = 0;
};

// Where the tooltip window goes: centred under the control, 4 pixels below it, or 4 pixels
// above it when it would come closer than 4 pixels to the main window's bottom. controlX and
// controlY are the screen position of the control's bottom-left corner.
struct TToolTipPlace {
    int Left = 0;
    int Top = 0;
    bool operator==(const TToolTipPlace&) const = default;
};
TToolTipPlace PlaceToolTip(int mainBottom, int controlX, int controlY, int controlWidth,
                           int controlHeight, int windowWidth, int windowHeight);

// The lock that showing and hiding the tooltip window take.
std::mutex& ToolTipLock();

// Waits 15 x 40 ms, then shows the window on the user-interface thread unless told to stop.
// The thread lets go of itself when it ends; a stopped one is only forgotten.
class TToolTipThread {
  public:
    explicit TToolTipThread(TToolTipWindow* TheForm);
    void Start();
    // Tells the thread to stop; a show step still waiting for the user-interface thread then
    // shows nothing either.
    void Terminate();
    bool Terminated() const;

    static constexpr int kSteps = 15;
    static constexpr int kStepMs = 40;
    // Delay threads that have not ended yet (tests watch them end).
    static int Running();

  private:
    struct TState;
    std::shared_ptr<TState> state_;
};

class TToolTips {
  public:
    TToolTips();
    ~TToolTips();
    TToolTips(const TToolTips&) = delete;
    TToolTips& operator=(const TToolTips&) = delete;

    void AddToList(toolkit::TControl* TheControl, std::u16string_view Caption,
                   std::u16string_view Text);
    void OnCustomOnMouseEnter(toolkit::TComponent* Sender);
    void OnCustomOnMouseLeave(toolkit::TComponent* Sender);
    // The first entry with exactly this name and parent class name; null when there is none.
    const TToolTip* FindToolTip(std::u16string_view name, std::u16string_view parentClass) const;
    const std::vector<TToolTip>& List() const { return FToolTipList; }
    // Null until the first hover created it.
    TToolTipWindow* Window() const { return window_.get(); }

    // Makes the tooltip window at the first hover, with its pictures filled.
    std::function<std::unique_ptr<TToolTipWindow>()> MakeWindow;
    // Screen y of the main window's client bottom-right corner; unset: no main window.
    std::function<int()> MainWindowBottom;
    // The options dialog's tooltip check box: unset or nullopt while there is no options
    // dialog, else whether it is ticked.
    std::function<std::optional<bool>()> OptionsTooltipsTicked;

  private:
    std::vector<TToolTip> FToolTipList;
    std::unique_ptr<TToolTipWindow> window_;
    std::unique_ptr<TToolTipThread> current_;
};

}  // namespace orv::skin
