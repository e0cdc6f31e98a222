#pragma once
// What the POSIX stand-in records instead of showing: debug lines and message boxes.
#include <cstdint>
#include <string>
#include <vector>

namespace orv::platform::posix {

struct CapturedBox {
    std::u16string text;
    std::u16string caption;
    uint32_t flags = 0;
};

std::vector<std::u16string>& CapturedDebugLines();
std::vector<CapturedBox>& CapturedMessageBoxes();
// The answer the stand-in gives to the next message boxes (kIdOk by default).
void SetMessageBoxAnswer(int answer);
void ClearCaptures();

}  // namespace orv::platform::posix

namespace orv::platform::posix {

// An action the POSIX shell stand-in was asked for: "open" or "recycle", and the path as given.
struct CapturedShellCall {
    std::u16string action;
    std::u16string path;
};

std::vector<CapturedShellCall>& CapturedShellCalls();

}  // namespace orv::platform::posix
