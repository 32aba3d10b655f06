// The recogniser over any bytes in any split: it never stores past its buffer, settles at most
// once per collection, and its reply never outgrows what it was fed.
#include "FuzzTarget.h"

#include "protocol/ReplyRecogniser.h"

#include <algorithm>
#include <cstdlib>

using namespace tarvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const auto mode = (data[0] & 1) ? ConnectionMode::Controller : ConnectionMode::Direct;
    const int minReplyLength = data[1];
    const std::size_t eventSize = 1 + (data[0] >> 1) % 40;
    data += 2;
    size -= 2;

    ReplyRecogniser recogniser;
    recogniser.Start(mode, minReplyLength, PromptCharacterFor(mode));
    std::size_t fed = 0;
    ReplyVerdict settled = ReplyVerdict::Collecting;
    for (std::size_t at = 0; at < size; at += eventSize) {
        const std::size_t n = std::min(eventSize, size - at);
        const auto verdict = recogniser.Feed(std::span<const std::uint8_t>(data + at, n));
        fed += n;
        if (settled != ReplyVerdict::Collecting && verdict != settled)
            std::abort(); // a settled reply must stay settled
        settled = verdict;
    }
    if (recogniser.ReplyBytes().size() > ReplyRecogniser::Capacity ||
        recogniser.ReplyBytes().size() > fed)
        std::abort();
    if (mode == ConnectionMode::Direct && recogniser.ControllerRejected())
        std::abort(); // the controller's patterns mean nothing on a direct line
    return 0;
}
