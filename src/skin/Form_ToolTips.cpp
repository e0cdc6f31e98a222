#include "skin/Form_ToolTips.h"

#include <chrono>
#include <climits>
#include <thread>

#include "skin/MirelMouseImage3State.h"
#include "skin/PellButton.h"
#include "skin/PellButton2.h"
#include "toolkit/UiThread.h"

namespace orv::skin {
namespace {
std::atomic<int> g_running{0};
}

TToolTipPlace PlaceToolTip(int mainBottom, int controlX, int controlY, int controlWidth,
                           int controlHeight, int windowWidth, int windowHeight) {
    TToolTipPlace p;
    p.Left = controlX + controlWidth / 2 - windowWidth / 2;
    p.Top = controlY + 4;
    if (mainBottom < windowHeight + p.Top + 4) p.Top -= windowHeight + controlHeight + 8;
    return p;
}

std::mutex& ToolTipLock() {
    static std::mutex lock;
    return lock;
}

// form is only touched on the user-interface thread and only while terminated is false.
struct TToolTipThread::TState {
    std::atomic<bool> terminated{false};
    TToolTipWindow* form = nullptr;
};

TToolTipThread::TToolTipThread(TToolTipWindow* TheForm) : state_(std::make_shared<TState>()) {
    state_->form = TheForm;
}

void TToolTipThread::Start() {
    ++g_running;
    std::thread([st = state_] {
        toolkit::LowerCurrentThreadPriority();
        for (int i = 0; i < kSteps && !st->terminated; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kStepMs));
        }
        if (!st->terminated && st->form != nullptr) {
            if (toolkit::TUiThreadCall* call = toolkit::UiThreadCall()) {
                call->Call([&st] {
                    std::lock_guard lock(ToolTipLock());
                    // A leave that ran while this step waited wins over the show.
                    if (!st->terminated && st->form != nullptr) st->form->ShowToolTipWindow();
                });
            }
        }
        --g_running;
    }).detach();
}

void TToolTipThread::Terminate() {
    state_->terminated = true;
}

bool TToolTipThread::Terminated() const {
    return state_->terminated;
}

int TToolTipThread::Running() {
    return g_running;
}

TToolTips::TToolTips() = default;

TToolTips::~TToolTips() {
    if (current_) current_->Terminate();
}

const TToolTip* TToolTips::FindToolTip(std::u16string_view name,
                                       std::u16string_view parentClass) const {
    for (const TToolTip& t : FToolTipList) {
        if (t.ControlName == name && t.ParentClassName == parentClass) return &t;
    }
    return nullptr;
}

namespace {

std::u16string ParentClassOf(const toolkit::TComponent& c) {
    return c.Parent() != nullptr ? std::u16string(c.Parent()->ClassName()) : std::u16string();
}

}  // namespace

void TToolTips::AddToList(toolkit::TControl* TheControl, std::u16string_view Caption,
                          std::u16string_view Text) {
    if (OptionsTooltipsTicked) {
        const std::optional<bool> ticked = OptionsTooltipsTicked();
        if (ticked.has_value() && !*ticked) return;
    }
    if (TheControl == nullptr) return;
    const std::u16string parentClass = ParentClassOf(*TheControl);
    if (FindToolTip(TheControl->Name(), parentClass) == nullptr) {
        FToolTipList.push_back(TToolTip{parentClass, TheControl->Name(), std::u16string(Caption),
                                        std::u16string(Text)});
    }
    const toolkit::TNotifyEvent enter = [this](toolkit::TComponent* s) { OnCustomOnMouseEnter(s); };
    const toolkit::TNotifyEvent leave = [this](toolkit::TComponent* s) { OnCustomOnMouseLeave(s); };
    if (auto* b = dynamic_cast<TPellButton2*>(TheControl)) {
        b->OnMouseEnter = enter;
        b->OnMouseLeave = leave;
    } else if (auto* b1 = dynamic_cast<TPellButton*>(TheControl)) {
        b1->OnMouseEnter = enter;
        b1->OnMouseLeave = leave;
    } else if (auto* image = dynamic_cast<toolkit::TImage*>(TheControl)) {
        image->toolkit::TControl::OnMouseEnter = enter;
        image->toolkit::TControl::OnMouseLeave = leave;
        if (auto* m = dynamic_cast<TMirelMouseImage3State*>(TheControl)) {
            m->OnMouseEnter = enter;
            m->OnMouseLeave = leave;
        }
    }
}

void TToolTips::OnCustomOnMouseEnter(toolkit::TComponent* Sender) {
    if (FToolTipList.empty() || Sender == nullptr) return;
    auto* control = dynamic_cast<toolkit::TControl*>(Sender);
    const bool accepted = dynamic_cast<TPellButton*>(Sender) != nullptr ||
                          dynamic_cast<TPellButton2*>(Sender) != nullptr ||
                          dynamic_cast<toolkit::TImage*>(Sender) != nullptr;
    if (control == nullptr || !accepted || control->Name().empty()) return;
    const TToolTip* tip = FindToolTip(control->Name(), ParentClassOf(*control));
    if (tip == nullptr) return;

    if (!window_) {
        if (!MakeWindow) return;
        window_ = MakeWindow();
        if (!window_) return;
    }

    const int bottom = MainWindowBottom ? MainWindowBottom() : INT_MAX;
    int cx = 0;
    int cy = control->Height();
    control->ClientToScreen(cx, cy);
    const TToolTipPlace place = PlaceToolTip(bottom, cx, cy, control->Width(), control->Height(),
                                             window_->Width(), window_->Height());
    window_->MoveTo(place.Left, place.Top);
    window_->SetTexts(tip->Caption, tip->Text);

    // Only one delay thread is current; one left over from an enter without leave stops.
    if (current_) current_->Terminate();
    current_ = std::make_unique<TToolTipThread>(window_.get());
    current_->Start();
}

void TToolTips::OnCustomOnMouseLeave(toolkit::TComponent*) {
    if (!window_) return;
    if (current_) {
        current_->Terminate();
        current_.reset();
    }
    std::lock_guard lock(ToolTipLock());
    if (window_->Showing()) window_->HideToolTipWindow();
}

}  // namespace orv::skin
