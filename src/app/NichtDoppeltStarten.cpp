#include "app/NichtDoppeltStarten.h"

#include "app/Globals.h"

namespace orv::app {

bool TInstanceGuard::Acquire() {
    auto& sys = platform::Sys();
    bool alreadyExists = false;
    mutex_ = sys.CreateOwnedMutex(kInstanceMutexName, alreadyExists);
    // A mutex that cannot be created at all guards nothing; better to run than to refuse.
    if (!alreadyExists) return true;
    mutex_.reset();
    sys.ActivateWindowOfClass(kMainWindowClassName);
    return false;
}

}  // namespace orv::app
