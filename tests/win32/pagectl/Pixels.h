#pragma once
// A 32-bit memory surface to paint controls into and probe, and a message pump for tests.
#include <windows.h>

#include "../buttons/Surface.h"

namespace orv::pagectl {

using Pixels = test::Surface;

inline void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace orv::pagectl
