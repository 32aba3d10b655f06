// The processor time Tarvel's process spends while a query waits out the 8-second reply
// time-out: the simulator drops the reply, the link waits for Timer1.

#include "BenchLink.h"
#include "SimProcess.h"

#include "device/UnitQueries.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tarvel::SimProcess sim;
    std::string error;
    // Command 1 is the connect's "debug 0"; command 2, the query, gets no reply.
    if (!sim.Start({"--mode", "controller", "--drop-every", "2"}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    tarvel::bench::BenchLink bench(sim.PtyPath());
    bench.Link.ConnectThroughController();
    if (!bench.Link.Connected()) {
        std::fprintf(stderr, "Tarvel did not connect\n");
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = tarvel::bench::CpuMs();
    const tarvel::QueryResult result = bench.Link.Queries().QuerySystemInfo(bench.Model, 1);
    const double cpu = tarvel::bench::CpuMs() - cpuBefore;
    const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e6;

    if (result != tarvel::QueryResult::Failed || !bench.Link.ReplyTimedOut()) {
        std::fprintf(stderr, "the query did not time out\n");
        return 1;
    }
    std::printf("Waiting out one reply time-out (Timer1, 8000 ms):\n");
    std::printf("  wall time       %8.1f ms\n", wall);
    std::printf("  processor time  %8.1f ms = %.2f %% of one core   (target: under 2 %%)\n", cpu,
                100.0 * cpu / wall);
    return 0;
}
