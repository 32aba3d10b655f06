#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace tarvel {

// Every time the link waits for: the reply time-out, the pauses before a resend, the tick of
// the prompt waits and the settle after a command. The program runs on Real(); tests run the
// same flows faster on a Scaled() copy, so what they assert keeps its order of events.
struct LinkTiming {
    static constexpr int MinimumScaledTickMs = 30;

    int ReplyTimeoutMs = 8000;        // Timer1
    int ResendPauseMs = 900;          // before a framed command goes again
    int ColourBalancePauseMs = 5000;  // extra while a colour balance runs
    int DebugLeavePauseMs = 1000;     // after a unit left its debug console
    int QueryParsePauseMs = 100;      // after a status reply that could not be parsed
    int UnitCountRetryPauseMs = 1000; // before the unit count is asked a second time
    int PromptTickMs = 55;            // the time base of the prompt waits
    int LineQuietMs = 200;            // no byte for this long: a late answer has ended
    double SettleScale = 1.0;         // applied to every command's settle delay

    static LinkTiming Real() { return {}; }

    // The real timing, unless TARVEL_TIME_SCALE holds a factor between 0.01 and 1: the tests
    // run the built programs faster with it. Anything else is ignored. A prompt wait keeps
    // ticks of at least 30 ms, so a busy machine still answers a probe in time.
    static LinkTiming FromEnvironment() {
        bool ok = false;
        const double factor = qEnvironmentVariable("TARVEL_TIME_SCALE").toDouble(&ok);
        if (!ok || factor < 0.01 || factor > 1.0) {
            return Real();
        }
        LinkTiming timing = Real().Scaled(factor);
        timing.PromptTickMs = std::max(timing.PromptTickMs, MinimumScaledTickMs);
        return timing;
    }

    // Every time multiplied by factor (at least 1 ms where the real time is not 0).
    LinkTiming Scaled(double factor) const {
        const auto scale = [factor](int ms) {
            return ms == 0 ? 0 : std::max(1, static_cast<int>(std::lround(ms * factor)));
        };
        LinkTiming scaled = *this;
        scaled.ReplyTimeoutMs = scale(ReplyTimeoutMs);
        scaled.ResendPauseMs = scale(ResendPauseMs);
        scaled.ColourBalancePauseMs = scale(ColourBalancePauseMs);
        scaled.DebugLeavePauseMs = scale(DebugLeavePauseMs);
        scaled.QueryParsePauseMs = scale(QueryParsePauseMs);
        scaled.UnitCountRetryPauseMs = scale(UnitCountRetryPauseMs);
        scaled.PromptTickMs = scale(PromptTickMs);
        scaled.LineQuietMs = scale(LineQuietMs);
        scaled.SettleScale = SettleScale * factor;
        return scaled;
    }

    int SettleMs(int ms) const {
        return ms <= 0 ? 0 : std::max(1, static_cast<int>(std::lround(ms * SettleScale)));
    }
    int PromptWaitMs(int ticks) const { return std::max(ticks, 0) * PromptTickMs; }
};

} // namespace tarvel
