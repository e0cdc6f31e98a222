#pragma once
// The rules of the main window that need no window: where its parts go, which pictures its
// buttons take, the custom frame's client rectangle, the kept-pages list and the page-switch
// thread that turns deferred requests into calls on the user-interface thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv::app {

// Design client size of the main window and its minimum before the first page switch.
inline constexpr int kDesignClientWidth = 894;
inline constexpr int kDesignClientHeight = 712;
inline constexpr int kDesignMinWidth = 894;
inline constexpr int kDesignMinHeight = 631;
// What every page switch demands of the window.
inline constexpr int kModuleMinWidth = 1122;
inline constexpr int kModuleMinHeight = 737;
// The module area starts one pixel above the header band's bottom.
inline constexpr int kModuleAreaTop = 57;
inline constexpr int kHeaderHeight = 58;
inline constexpr int kSizeGripInset = 2;
inline constexpr int kPageSwitchPollMs = 50;

struct TIntRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TIntRect&) const = default;
};

struct TIntPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TIntPoint&) const = default;
};

// Window size limits; 0 means no limit.
struct TSizeConstraints {
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool operator==(const TSizeConstraints&) const = default;
};

// The constraints every page switch sets: never taller than the work area plus 12 pixels nor
// than the desktop minus one.
TSizeConstraints ModuleAreaConstraints(int workAreaHeight, int desktopHeight);
// A window size clamped into the constraints (a limit of 0 does not apply).
TIntPoint ApplyConstraints(const TSizeConstraints& c, int width, int height);
// Moving the window: an edge within distance pixels of a work-area edge snaps to it.
inline constexpr int kSnapDistance = 10;
TIntPoint SnapToWorkArea(const TIntRect& window, const TIntRect& workArea,
                         int distance = kSnapDistance);
// Panel1 below the header, filling the rest of the client area.
TIntRect ModuleAreaBounds(int clientWidth, int clientHeight);
// Top-left corner of the size grip, two pixels from the bottom-right corner.
TIntPoint SizeGripPlace(int clientWidth, int clientHeight, int gripWidth, int gripHeight);
// Header controls anchored to the right keep their distance from the right edge of the design.
int RightAnchoredLeft(int designLeft, int clientWidth);

// The cells of the main window's module image list, before the cells of the module codes.
inline constexpr int kModuleListCells[] = {75,  84,  85,  86,  87,  88,  89,  90,  92,  91,  100,
                                           96,  93,  99,  98,  97,  102, 101, 103, 104, 94,  105,
                                           95,  106, 29,  23,  2,   40,  196, 197, 203, 204, 205,
                                           206, 52,  218, 219, 221, 222, 223, 224};

// The custom frame: the proposed client rectangle of WM_NCCALCSIZE after default handling,
// and the frame thickness of the style without caption (all four positive). The top is
// reduced to 2 pixels; before Windows 10 also left 2, right and bottom 1.
TIntRect CustomFrameClient(const TIntRect& proposed, const TIntRect& thickness,
                           bool windows10OrLater);

// The three pictures of a three-state header button.
struct TButtonPictures {
    std::u16string_view Normal;  // also the pressed picture
    std::u16string_view Hover;
};
enum class THeaderButton { Close, Maximize, Minimize, Help, Options, IM, Feedback };
TButtonPictures HeaderButtonPictures(THeaderButton b);
// The maximise button restores while the window is maximised.
TButtonPictures MaximizeButtonPictures(bool maximised);

// The help keyword: the page's own while a page is hosted and it set one, else "main".
std::u16string HelpKeyword(std::u16string_view lastHelpKeyword, bool pageHosted);
// After the options dialog: a skin or language stored that differs from the running one
// (compared exactly, with case) needs a restart, which the window says.
bool OptionsNeedRestartNotice(std::u16string_view storedSkin, std::u16string_view runningSkin,
                              std::u16string_view storedLanguage,
                              std::u16string_view runningLanguage);
// A service-channel answer to an internet-menu item that ends the program.
bool InternetAnswerEndsProgram(int32_t answer);
// A menu caption with every "&" removed, as the about box takes it.
std::u16string WithoutAmpersands(std::u16string_view caption);

// Pages kept alive across switches. An entry counts only while its form is set.
template <typename TForm, typename TClass>
struct TKeepForm {
    TClass FormClass{};
    TForm* Form = nullptr;
};

template <typename TForm, typename TClass>
class TKeepFormList {
  public:
    std::vector<TKeepForm<TForm, TClass>>& Entries() { return entries_; }
    const std::vector<TKeepForm<TForm, TClass>>& Entries() const { return entries_; }

    int IsKeepForm(const TForm* form) const {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].Form != nullptr && entries_[i].Form == form) return static_cast<int>(i);
        }
        return -1;
    }
    int IsKeepFormClass(TClass cls) const {
        for (size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].Form != nullptr && entries_[i].FormClass == cls) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Releases every kept page, last first: log(line), name(form) for its component name,
    // destroy(form) closes and frees it and may fail (returns false) without stopping the
    // clean-up. The hosted page is released too and current becomes null.
    void ClearAll(TForm*& current, const std::function<void(std::u16string_view)>& log,
                  const std::function<std::u16string(TForm*)>& name,
                  const std::function<bool(TForm*)>& destroy) {
        log(u"KeepFormLoaded_ClearAll");
        for (size_t i = entries_.size(); i-- > 0;) {
            TForm* form = entries_[i].Form;
            if (form == nullptr) continue;
            log(u"KeepFormLoaded_ClearAll ; Close=" + name(form));
            if (form == current) {
                log(u"KeepFormLoaded_ClearAll ; this is the current MainForm ; clear "
                    u"currentmainform");
                current = nullptr;
            }
            destroy(form);
            entries_[i].Form = nullptr;
            entries_[i].FormClass = TClass{};
        }
        entries_.clear();
    }

  private:
    std::vector<TKeepForm<TForm, TClass>> entries_;
};

// What the page-switch thread asks of its window; both run on the user-interface thread.
class TModuleSwitchTarget {
  public:
    virtual ~TModuleSwitchTarget() = default;
    virtual void SwitchToStartPage() = 0;
    virtual void SwitchModule(const void* formClass, bool isStartPage) = 0;
};

// TMainMenuSwitcherThread: polls two request flags every 50 ms and hands each pending request
// to the user-interface thread through the blocking hand-over, so requests made before one poll
// merge into one switch (the last class wins). The worker shares its state instead of pointing
// at the object, so a thread object destroyed while a hand-over waits leaves nothing freed.
class TMainMenuSwitcherThread {
  public:
    TMainMenuSwitcherThread();
    // Tells the worker to end at its next poll; does not wait (the user-interface thread
    // would be needed by a waiting hand-over).
    ~TMainMenuSwitcherThread();
    TMainMenuSwitcherThread(const TMainMenuSwitcherThread&) = delete;
    TMainMenuSwitcherThread& operator=(const TMainMenuSwitcherThread&) = delete;

    // Null means idle: requests stay pending.
    void SetMainForm(TModuleSwitchTarget* target);
    TModuleSwitchTarget* MainForm() const;
    // Starts the worker once; the thread is created suspended.
    void Start();
    bool Suspended() const;

    void RequestShowMainMenu();
    void RequestChangeModule(const void* formClass, bool isStartPage);
    bool ShowMainMenuPending() const;
    bool ChangeModulePending() const;
    const void* ChangeTo_FormClass() const;

    // Workers that have not ended yet, of all switcher threads.
    static int RunningWorkers();

  private:
    struct TShared;
    static void Execute(std::shared_ptr<TShared> s);
    static void Poll(TShared& s);
    std::shared_ptr<TShared> shared_;
};

}  // namespace orv::app
