#pragma once
// Keeps the caller's progress callback fed during a walk: every few hundred units of work it
// reads a clock, and when the poll interval has passed it reports the progress (cmd 2) and
// asks whether to stop (cmd 0). Reading the clock per entry would cost more than the entry.
#include <cstdint>

#include "analysis/UndelDLL.h"

namespace snap {

using MsClock = uint64_t (*)();

// Milliseconds of a monotonic clock (GetTickCount64 on Windows, steady_clock elsewhere).
uint64_t SystemMs();

// Where the walk stands, as a fraction of the whole in [0, 1].
class ProgressEstimate {
  public:
    virtual double Fraction() const = 0;

  protected:
    ~ProgressEstimate() = default;
};

class Pacer {
  public:
    static constexpr uint32_t kCheckEvery = 256;  // units of work between clock reads
    static constexpr uint64_t kPollMs = 10;
    // Opening a folder can cost as much as hundreds of entries (Wine reads a whole folder on
    // open), so every folder opening reads the clock.
    static constexpr uint32_t kFolderCost = kCheckEvery;

    Pacer(undel::TUpdateProgressCallback callback, void* userdata, MsClock clock = SystemMs);

    void SetEstimate(const ProgressEstimate* estimate) { estimate_ = estimate; }

    // Reports progress 0 and starts the poll interval.
    void Start();
    // Counts work; false once the callback asked to stop.
    bool Tick(uint32_t units = 1) {
        if (stopped_ || abandoned_) return false;
        count_ += units;
        if (count_ < kCheckEvery) return true;
        count_ = 0;
        return Due();
    }
    // Reports the end (1100) unless the walk was stopped: a caller that said stop hears no more.
    void Finish();
    // Ends the walk without a stop request (e.g. out of memory); Finish still reports the end.
    void Abandon() { abandoned_ = true; }

    // The callback asked to stop.
    bool Stopped() const { return stopped_; }
    bool Abandoned() const { return abandoned_; }

  private:
    bool Due();
    void Report(int32_t value);

    undel::TUpdateProgressCallback callback_;
    void* userdata_;
    MsClock clock_;
    const ProgressEstimate* estimate_ = nullptr;
    uint32_t count_ = 0;
    uint64_t lastPoll_ = 0;
    int32_t lastProgress_ = -1;
    bool stopped_ = false;
    bool abandoned_ = false;
};

}  // namespace snap
