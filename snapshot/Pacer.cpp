#include "Pacer.h"

namespace snap {

namespace {
// Callers may print the message; never hand them a null text.
const char16_t kNoMessage[] = u"";
}  // namespace

Pacer::Pacer(undel::TUpdateProgressCallback callback, void* userdata, MsClock clock)
    : callback_(callback), userdata_(userdata), clock_(clock) {}

void Pacer::Start() {
    lastPoll_ = clock_();
    Report(0);
}

bool Pacer::Due() {
    const uint64_t now = clock_();
    if (now - lastPoll_ < kPollMs) return true;
    lastPoll_ = now;
    if (!callback_) return true;
    if (estimate_) {
        double fraction = estimate_->Fraction();
        if (!(fraction > 0)) fraction = 0;  // also catches NaN
        if (fraction > 1) fraction = 1;
        int32_t value = static_cast<int32_t>(fraction * undel::kProgressEnd);
        // The end value is kept for the end, so it arrives exactly once.
        if (value > undel::kProgressEnd - 1) value = undel::kProgressEnd - 1;
        Report(value);
    }
    if (callback_(undel::kCmdPoll, kNoMessage, 0, userdata_) != 0) stopped_ = true;
    return !stopped_;
}

void Pacer::Report(int32_t value) {
    if (value <= lastProgress_) return;  // never backwards, never twice
    lastProgress_ = value;
    if (callback_) callback_(undel::kCmdProgress, kNoMessage, value, userdata_);
}

void Pacer::Finish() {
    if (!stopped_) Report(undel::kProgressEnd);
}

}  // namespace snap
