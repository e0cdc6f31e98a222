#include "app/ModuleHost.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "toolkit/UiThread.h"

namespace orv::app {

TSizeConstraints ModuleAreaConstraints(int workAreaHeight, int desktopHeight) {
    TSizeConstraints c;
    c.MaxHeight = std::min(workAreaHeight + 12, desktopHeight - 1);
    c.MaxWidth = 0;
    c.MinHeight = kModuleMinHeight;
    c.MinWidth = kModuleMinWidth;
    return c;
}

TIntPoint ApplyConstraints(const TSizeConstraints& c, int width, int height) {
    // The maximum wins over the minimum, so a screen smaller than the minimum still fits.
    if (c.MinWidth > 0) width = std::max(width, c.MinWidth);
    if (c.MaxWidth > 0) width = std::min(width, c.MaxWidth);
    if (c.MinHeight > 0) height = std::max(height, c.MinHeight);
    if (c.MaxHeight > 0) height = std::min(height, c.MaxHeight);
    return {width, height};
}

TIntPoint SnapToWorkArea(const TIntRect& window, const TIntRect& workArea, int distance) {
    TIntPoint p{window.Left, window.Top};
    const int width = window.Right - window.Left;
    const int height = window.Bottom - window.Top;
    if (std::abs(window.Left - workArea.Left) <= distance) {
        p.X = workArea.Left;
    } else if (std::abs(window.Right - workArea.Right) <= distance) {
        p.X = workArea.Right - width;
    }
    if (std::abs(window.Top - workArea.Top) <= distance) {
        p.Y = workArea.Top;
    } else if (std::abs(window.Bottom - workArea.Bottom) <= distance) {
        p.Y = workArea.Bottom - height;
    }
    return p;
}

TIntRect ModuleAreaBounds(int clientWidth, int clientHeight) {
    return {0, kModuleAreaTop, clientWidth, std::max(kModuleAreaTop, clientHeight)};
}

TIntPoint SizeGripPlace(int clientWidth, int clientHeight, int gripWidth, int gripHeight) {
    return {clientWidth - gripWidth - kSizeGripInset, clientHeight - gripHeight - kSizeGripInset};
}

int RightAnchoredLeft(int designLeft, int clientWidth) {
    return clientWidth - (kDesignClientWidth - designLeft);
}

TIntRect CustomFrameClient(const TIntRect& proposed, const TIntRect& thickness,
                           bool windows10OrLater) {
    TIntRect r = proposed;
    r.Top = r.Top - thickness.Top + 2;
    if (!windows10OrLater) {
        r.Left = r.Left - thickness.Left + 2;
        r.Right = r.Right + thickness.Right - 1;
        r.Bottom = r.Bottom + thickness.Bottom - 1;
    }
    return r;
}

TButtonPictures HeaderButtonPictures(THeaderButton b) {
    switch (b) {
        case THeaderButton::Close:
            return {u"but_close.png", u"but_close_hover.png"};
        case THeaderButton::Maximize:
            return {u"but_maximize.png", u"but_maximize_hover.png"};
        case THeaderButton::Minimize:
            return {u"but_minimize.png", u"but_minimize_hover.png"};
        case THeaderButton::Help:
            return {u"but_help_normal.png", u"but_help_hover.png"};
        case THeaderButton::Options:
            return {u"but_settings_normal.png", u"but_settings_hover.png"};
        case THeaderButton::IM:
            return {u"but_internet_normal.png", u"but_internet_hover.png"};
        case THeaderButton::Feedback:
            return {u"but_feedback_normal.png", u"but_feedback_hover.png"};
    }
    return {};
}

TButtonPictures MaximizeButtonPictures(bool maximised) {
    if (maximised) return {u"but_unmax_normal.png", u"but_unmax_hover.png"};
    return HeaderButtonPictures(THeaderButton::Maximize);
}

std::u16string HelpKeyword(std::u16string_view lastHelpKeyword, bool pageHosted) {
    if (!lastHelpKeyword.empty() && pageHosted) return std::u16string(lastHelpKeyword);
    return u"main";
}

bool OptionsNeedRestartNotice(std::u16string_view storedSkin, std::u16string_view runningSkin,
                              std::u16string_view storedLanguage,
                              std::u16string_view runningLanguage) {
    return (!storedSkin.empty() && storedSkin != runningSkin) ||
           (!storedLanguage.empty() && storedLanguage != runningLanguage);
}

bool InternetAnswerEndsProgram(int32_t answer) {
    return answer == 1 || answer == 7;
}

std::u16string WithoutAmpersands(std::u16string_view caption) {
    std::u16string out;
    for (char16_t c : caption) {
        if (c != u'&') out += c;
    }
    return out;
}

// --- page-switch thread ---------------------------------------------------------------------

namespace {
std::atomic<int> g_runningSwitchers{0};
}

struct TMainMenuSwitcherThread::TShared {
    std::atomic<TModuleSwitchTarget*> MainForm{nullptr};
    std::atomic<bool> flag_ShowMainMenuNow{false};
    std::atomic<bool> flag_ChangeModuleNow{false};
    std::atomic<bool> Terminated{false};
    std::atomic<bool> Started{false};
    // Class and flag of the pending switch; written and read together.
    std::mutex Lock;
    const void* ChangeTo_FormClass = nullptr;
    bool ChangeTo_isStartPage = false;
};

TMainMenuSwitcherThread::TMainMenuSwitcherThread() : shared_(std::make_shared<TShared>()) {}

TMainMenuSwitcherThread::~TMainMenuSwitcherThread() {
    shared_->MainForm = nullptr;
    shared_->Terminated = true;
}

void TMainMenuSwitcherThread::SetMainForm(TModuleSwitchTarget* target) {
    shared_->MainForm = target;
}

TModuleSwitchTarget* TMainMenuSwitcherThread::MainForm() const {
    return shared_->MainForm;
}

void TMainMenuSwitcherThread::Start() {
    if (shared_->Started.exchange(true)) return;
    ++g_runningSwitchers;
    std::thread(&TMainMenuSwitcherThread::Execute, shared_).detach();
}

bool TMainMenuSwitcherThread::Suspended() const {
    return !shared_->Started;
}

void TMainMenuSwitcherThread::RequestShowMainMenu() {
    shared_->flag_ShowMainMenuNow = true;
}

void TMainMenuSwitcherThread::RequestChangeModule(const void* formClass, bool isStartPage) {
    {
        std::lock_guard lock(shared_->Lock);
        shared_->ChangeTo_FormClass = formClass;
        shared_->ChangeTo_isStartPage = isStartPage;
    }
    shared_->flag_ChangeModuleNow = true;
    Start();
}

bool TMainMenuSwitcherThread::ShowMainMenuPending() const {
    return shared_->flag_ShowMainMenuNow;
}

bool TMainMenuSwitcherThread::ChangeModulePending() const {
    return shared_->flag_ChangeModuleNow;
}

const void* TMainMenuSwitcherThread::ChangeTo_FormClass() const {
    std::lock_guard lock(shared_->Lock);
    return shared_->ChangeTo_FormClass;
}

int TMainMenuSwitcherThread::RunningWorkers() {
    return g_runningSwitchers;
}

void TMainMenuSwitcherThread::Poll(TShared& s) {
    toolkit::TUiThreadCall* ui = toolkit::UiThreadCall();
    if (ui == nullptr) return;
    // Each step checks again on the user-interface thread: the window may have gone meanwhile.
    if (s.flag_ShowMainMenuNow && s.MainForm != nullptr && !s.Terminated) {
        ui->Call([&s] {
            if (s.Terminated) return;
            TModuleSwitchTarget* target = s.MainForm;
            if (target == nullptr) return;
            s.flag_ShowMainMenuNow = false;
            target->SwitchToStartPage();
        });
    }
    if (s.flag_ChangeModuleNow && s.MainForm != nullptr && !s.Terminated) {
        ui->Call([&s] {
            if (s.Terminated) return;
            TModuleSwitchTarget* target = s.MainForm;
            if (target == nullptr) return;
            s.flag_ChangeModuleNow = false;
            const void* cls;
            bool isStart;
            {
                std::lock_guard lock(s.Lock);
                cls = s.ChangeTo_FormClass;
                isStart = s.ChangeTo_isStartPage;
            }
            target->SwitchModule(cls, isStart);
        });
    }
}

void TMainMenuSwitcherThread::Execute(std::shared_ptr<TShared> s) {
    while (!s->Terminated) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kPageSwitchPollMs));
        if (s->Terminated) break;
        Poll(*s);
    }
    --g_runningSwitchers;
}

}  // namespace orv::app
