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
