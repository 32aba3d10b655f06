// The read of two units and the whole send through the controller, by the device core alone,
// against zelvar-sim pacing its replies at the line's rate (57600 baud, 10 bits a byte). Each
// is set against the wire's own minimum for the same exchanges: every byte the units sent at
// 57600 baud, plus the settle delays the commands require. (What Tarvel writes goes through the
// pseudo-terminal at once; on a real line it adds its own time, printed beside.) Prints the
// medians and ratios.

#include "BenchLink.h"
#include "SimProcess.h"

#include "config/SendPlan.h"
#include "device/SendPlanRun.h"
#include "device/UnitsRead.h"
#include "protocol/CommandEncoding.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace tarvel;

constexpr int Rounds = 3;
constexpr double BitsPerByte = 10.0;
constexpr double Baud = 57600.0;

struct Round {
    double Ms = 0;
    double WireMs = 0; // the units' bytes at the line's rate, and the settles
    double SentMs = 0; // Tarvel's bytes at the line's rate
};

// The bytes received (or sent) since entry `from`, at the line's rate.
double WireMs(const Journal& journal, std::size_t from, bool sent = false) {
    double bytes = 0;
    const auto& entries = journal.Entries();
    for (std::size_t i = from; i < entries.size(); ++i) {
        bytes += static_cast<double>(sent ? entries[i].Sent.size() : entries[i].Reply.size());
    }
    return bytes * BitsPerByte / Baud * 1000.0;
}

double SettleMs(const SendPlan& plan) {
    double settle = 0;
    for (const SendStep& step : plan.Steps) {
        if (step.Cmd) {
            settle += SendRule(*step.Cmd).SettleMs;
        }
    }
    return settle;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* what, const std::vector<Round>& rounds) {
    std::vector<double> ms;
    std::vector<double> ratios;
    for (const Round& round : rounds) {
        ms.push_back(round.Ms);
        ratios.push_back(round.Ms / round.WireMs);
    }
    std::printf("%-34s median %8.1f ms, wire minimum %8.1f ms, ratio %.3f (%d rounds); "
                "Tarvel's own bytes add %.1f ms on a real line\n",
                what, Median(ms), rounds.front().WireMs, Median(ratios), Rounds,
                rounds.front().SentMs);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7", "--pace"},
                   &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    bench::BenchLink bench(sim.PtyPath());
    if (!bench.Link.ConnectThroughController()) {
        std::fprintf(stderr, "no controller on %s\n", sim.PtyPath().c_str());
        return 1;
    }
    Journal& journal = bench.Link.ExchangeJournal();

    std::vector<Round> reads;
    std::vector<Round> sends;
    for (int round = 0; round < Rounds; ++round) {
        std::size_t from = journal.Entries().size();
        QElapsedTimer clock;
        clock.start();
        if (ReadUnits(bench.Link, bench.Model).Result != UnitsReadEnd::Outcome::Read) {
            std::fprintf(stderr, "the read failed\n");
            return 1;
        }
        reads.push_back({static_cast<double>(clock.nsecsElapsed()) / 1e6, WireMs(journal, from),
                         WireMs(journal, from, true)});

        const OutputSettings& unit1 = bench.Model.Channels.UnitOutput(1);
        const SendPlan plan = BuildSendPlan(
            bench.Model, {unit1.TotalProjectors, unit1.ImageAlignment, unit1.DisplayOverlap,
                          bench.Model.System.UnitCount, ConnectionMode::Controller});
        from = journal.Entries().size();
        clock.restart();
        if (RunSendPlan(bench.Link, plan).Result != SendPlanEnd::Outcome::Done) {
            std::fprintf(stderr, "the send stopped\n");
            return 1;
        }
        sends.push_back({static_cast<double>(clock.nsecsElapsed()) / 1e6,
                         WireMs(journal, from) + SettleMs(plan), WireMs(journal, from, true)});
    }
    std::printf("Through the controller at 57600 baud, replies paced by the simulator:\n");
    Report("read of two units (19 queries)", reads);
    Report("whole send (plan from the read)", sends);
    return 0;
}
