// Reading two units through the controller (the unit count, then each unit's system, input and
// output status: 19 queries), by Tarvel's link and by a minimal raw client on the same line,
// alternately, in one run. Prints the medians and their ratio.

#include "BenchLink.h"
#include "SimProcess.h"

#include "device/UnitQueries.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace {

using tarvel::SimProcess;

constexpr int Rounds = 100;

// The 19 queries of the read, as they go on the wire, with the index from which the
// controller's prompt may end each reply.
std::vector<std::pair<std::string, int>> ReadQueries() {
    std::vector<std::pair<std::string, int>> queries = {{"NZV\r", 2}};
    for (int unit = 1; unit <= 2; ++unit) {
        const std::string address = std::to_string(unit);
        queries.emplace_back("ZVQUERY *" + address + "SYINFOZV!\r", 8);
        for (int channel = 1; channel <= 4; ++channel) {
            queries.emplace_back(
                "ZVQUERY *" + address + "IINFOZV " + std::to_string(channel) + "!\r", 70);
        }
        for (int channel = 1; channel <= 4; ++channel) {
            queries.emplace_back(
                "ZVQUERY *" + address + "OINFOZV " + std::to_string(channel) + "!\r", 62);
        }
    }
    return queries;
}

// The raw client: write a query, read until "LR>" ends the reply beyond its minimum length.
class RawClient {
public:
    explicit RawClient(const std::string& path) {
        fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY);
        termios settings{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(fd_, TCSANOW, &settings);
        }
    }
    ~RawClient() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;

    bool Ask(const std::string& query, int minReplyLength) {
        if (::write(fd_, query.data(), query.size()) != static_cast<ssize_t>(query.size())) {
            return false;
        }
        std::string reply;
        char buffer[512];
        for (;;) {
            pollfd waitFor{fd_, POLLIN, 0};
            if (::poll(&waitFor, 1, 2000) <= 0) {
                return false;
            }
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                return false;
            }
            reply.append(buffer, static_cast<std::size_t>(n));
            if (reply.size() >= 3 && reply.compare(reply.size() - 3, 3, "LR>") == 0 &&
                static_cast<int>(reply.size()) - 1 >= minReplyLength) {
                return true;
            }
        }
    }

private:
    int fd_ = -1;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2"}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    const auto queries = ReadQueries();
    tarvel::bench::BenchLink bench(sim.PtyPath());
    std::vector<double> tarvelMs;
    std::vector<double> rawMs;
    double tarvelCpu = 0;
    double rawCpu = 0;

    for (int round = 0; round < Rounds; ++round) {
        bench.Link.ConnectThroughController();
        if (!bench.Link.Connected()) {
            std::fprintf(stderr, "Tarvel did not connect\n");
            return 1;
        }
        QElapsedTimer clock;
        double cpu = tarvel::bench::CpuMs();
        clock.start();
        const int count = bench.Link.Queries().QueryUnitCount(bench.Model);
        const int first = bench.Link.Queries().QueryUnit(bench.Model, 1);
        const int second = bench.Link.Queries().QueryUnit(bench.Model, 2);
        tarvelMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        tarvelCpu += tarvel::bench::CpuMs() - cpu;
        bench.Link.Disconnect();
        if (count != 2 || first != 1 || second != 1) {
            std::fprintf(stderr, "Tarvel's read failed: %d %d %d\n", count, first, second);
            return 1;
        }

        RawClient raw(sim.PtyPath());
        cpu = tarvel::bench::CpuMs();
        clock.restart();
        for (const auto& [query, minReplyLength] : queries) {
            if (!raw.Ask(query, minReplyLength)) {
                std::fprintf(stderr, "the raw client's read failed at %s\n", query.c_str());
                return 1;
            }
        }
        rawMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        rawCpu += tarvel::bench::CpuMs() - cpu;
    }

    // Rounds alternate, so a round's ratio compares the two under the same load.
    std::vector<double> ratios;
    for (std::size_t i = 0; i < tarvelMs.size(); ++i) {
        ratios.push_back(tarvelMs[i] / rawMs[i]);
    }
    std::printf("Reading two units through the controller simulator (%zu queries), %d rounds "
                "each, alternating:\n",
                queries.size(), Rounds);
    std::printf("                  median   fastest   processor a read\n");
    std::printf("  Tarvel's link %7.2f ms %7.2f ms %8.2f ms\n", Median(tarvelMs),
                *std::min_element(tarvelMs.begin(), tarvelMs.end()), tarvelCpu / Rounds);
    std::printf("  raw client    %7.2f ms %7.2f ms %8.2f ms\n", Median(rawMs),
                *std::min_element(rawMs.begin(), rawMs.end()), rawCpu / Rounds);
    std::printf("  ratio, median of the rounds' ratios: %.2f   (target: at most 1.5)\n",
                Median(ratios));
    return 0;
}
