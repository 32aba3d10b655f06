// zelvar-sim: the Zelvar units and the Prendel controller on a pseudo-terminal.

#include "PtyServer.h"
#include "SimCommandLine.h"
#include "Simulator.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int StopPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(StopPipe[1], &byte, 1);
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

    Simulator simulator(options);
    PtyServer server(simulator, options);
    if (!server.Open(error)) {
        std::fprintf(stderr, "zelvar-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", server.LinePath().c_str());
    std::fflush(stdout);
    // Started with its output on a pipe (as tests do), it ends when the reader goes away.
    struct stat out {};
    const bool piped = fstat(STDOUT_FILENO, &out) == 0 && S_ISFIFO(out.st_mode);
    server.Run(StopPipe[0], piped ? STDOUT_FILENO : -1);
    return 0;
}
