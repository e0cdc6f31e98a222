// Feeds arbitrary bytes to the stripe loader as a stripe file and cuts cells from whatever
// loaded: decoding must fail softly, and cutting must stay inside the bitmap.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/posix/Capture.h"
#include "skin/stripeskins.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    orv::skin::TStripeSkinner skinner;
    skinner.ErrorIndex = 1;
    skinner.LoadFromStripeBytes(std::span<const uint8_t>(data, size));
    // The last input byte picks the cell, so that valid and out-of-range indexes both occur.
    const int32_t index = size > 0 ? data[size - 1] % 8 : 0;
    for (const int32_t target : {16, 64}) {
        const auto image = skinner.GetOnePngImage(target, index, index % 2 == 1, 0.5f);
        if (image && target == 16) image->EncodePng();
    }
    // The stand-in keeps every debug line; without this the fuzzer's memory would only grow.
    orv::platform::posix::ClearCaptures();
    return 0;
}
