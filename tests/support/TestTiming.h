#pragma once

#include "device/LinkTiming.h"

namespace tarvel::test {

// The link's times in the tests: a quarter of the real ones, so a time-out or a settle costs a
// quarter as long and every event keeps its order. Prompt waits stay long enough for a busy
// machine to answer a probe (10 ticks: 300 ms; the real tick is 55 ms).
inline constexpr double TimeScale = 0.25;
inline LinkTiming TestTiming() {
    LinkTiming timing = LinkTiming::Real().Scaled(TimeScale);
    timing.PromptTickMs = LinkTiming::MinimumScaledTickMs;
    return timing;
}

// A real time in milliseconds as the tests' link sees it.
inline int Scaled(int realMs) {
    return static_cast<int>(realMs * TimeScale);
}

} // namespace tarvel::test
