#pragma once
// Single-instance guard: runs before everything else. The first instance holds the named mutex
// for its whole life; a second one brings the first one's window to the front and ends.
#include <memory>

#include "platform/System.h"

namespace orv::app {

class TInstanceGuard {
  public:
    // True for the first instance. Otherwise activates the other instance's main window (if
    // it has one yet) and returns false; the caller then ends with exit code 0, silently.
    bool Acquire();

  private:
    std::unique_ptr<platform::NamedMutex> mutex_;
};

}  // namespace orv::app
