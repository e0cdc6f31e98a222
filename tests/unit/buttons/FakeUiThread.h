#pragma once
// A stand-in user-interface thread: hand-overs wait in a queue until the test thread runs them.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "toolkit/UiThread.h"

namespace orv::test {

class FakeUiThread : public toolkit::TUiThreadCall {
  public:
    FakeUiThread() { toolkit::SetUiThreadCall(this); }
    ~FakeUiThread() override { toolkit::SetUiThreadCall(nullptr); }

    bool Call(const std::function<void()>& step) override {
        std::unique_lock lock(m_);
        Job job{&step, false};
        queue_.push_back(&job);
        changed_.notify_all();
        changed_.wait(lock, [&] { return job.done; });
        return true;
    }

    // Runs the steps that arrive within the next ms milliseconds; returns how many ran.
    int Pump(int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        int ran = 0;
        std::unique_lock lock(m_);
        for (;;) {
            if (!changed_.wait_until(lock, until, [&] { return !queue_.empty(); })) return ran;
            Job* job = queue_.front();
            queue_.pop_front();
            lock.unlock();
            (*job->step)();
            lock.lock();
            job->done = true;
            ++ran;
            changed_.notify_all();
        }
    }
    // Waits up to ms for a step to arrive without running it.
    bool WaitForPending(int ms) {
        std::unique_lock lock(m_);
        return changed_.wait_for(lock, std::chrono::milliseconds(ms),
                                 [&] { return !queue_.empty(); });
    }

  private:
    struct Job {
        const std::function<void()>* step;
        bool done;
    };
    std::mutex m_;
    std::condition_variable changed_;
    std::deque<Job*> queue_;
};

}  // namespace orv::test
