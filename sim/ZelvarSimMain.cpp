// zelvar-sim: the Zelvar units and the Prendel controller on a pseudo-terminal or a loopback
// TCP port.

#include "SimCommandLine.h"
#include "SimServer.h"
#include "Simulator.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int StopPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(StopPipe[1], &byte, 1);
}

// The units' records from a saved image (--load).
bool LoadState(tarvel::Simulator& simulator, const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    if (in.bad()) {
        error = "cannot read " + path;
        return false;
    }
    if (!simulator.LoadStateImage(image)) {
        error = path + " holds " + std::to_string(image.size()) + " bytes; a state image has " +
                std::to_string(tarvel::Simulator::StateImageSize) +
                " (unit 1 inputs, unit 2 inputs, unit 1 outputs, unit 2 outputs)";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace tarvel;
    SimOptions options;
    std::string error;
    const std::vector<std::string> args(argv + 1, argv + argc);
    switch (ParseSimCommandLine(args, options, error)) {
    case SimCommandLineResult::Help:
        std::fputs(SimUsageText().c_str(), stdout);
        return 0;
    case SimCommandLineResult::Error:
        std::fprintf(stderr, "zelvar-sim: %s\nTry 'zelvar-sim --help'.\n", error.c_str());
        return 2;
    case SimCommandLineResult::Run:
        break;
    }

    Simulator simulator(options);
    if (!options.LoadPath.empty() && !LoadState(simulator, options.LoadPath, error)) {
        std::fprintf(stderr, "zelvar-sim: %s\n", error.c_str());
        return 1;
    }

    if (pipe(StopPipe) != 0) {
        std::perror("zelvar-sim: pipe");
        return 1;
    }
    fcntl(StopPipe[1], F_SETFL, fcntl(StopPipe[1], F_GETFL) | O_NONBLOCK);
    struct sigaction stop {};
    stop.sa_handler = OnStopSignal;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGHUP, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    SimServer server(simulator, options);
    if (!server.Open(error)) {
        std::fprintf(stderr, "zelvar-sim: %s\n", error.c_str());
        return 1;
    }
    // Where to reach the units: the terminal's path, then the TCP address.
    if (!options.NoPty)
        std::printf("%s\n", server.LinePath().c_str());
    if (options.TcpPort >= 0)
        std::printf("127.0.0.1:%d\n", server.TcpPort());
    std::fflush(stdout);
    // Started with its output on a pipe (as tests do), it ends when the reader goes away.
    struct stat out {};
    const bool piped = fstat(STDOUT_FILENO, &out) == 0 && S_ISFIFO(out.st_mode);
    server.Run(StopPipe[0], piped ? STDOUT_FILENO : -1);
    return 0;
}
