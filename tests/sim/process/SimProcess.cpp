#include "SimProcess.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tarvel {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

SimProcess::~SimProcess() {
    Stop();
}

std::string SimProcess::ProgramPath() {
    return TARVEL_ZELVAR_SIM_PATH;
}

std::string SimProcess::UniquePath(const std::string& stem) {
    static std::atomic<int> counter{0};
    return "/tmp/" + stem + "-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
}

std::string SimProcess::ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool SimProcess::Start(const std::vector<std::string>& options, std::string* error, int timeoutMs) {
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = why;
        Stop();
        return false;
    };
    Stop();
    int out[2];
    if (pipe(out) != 0)
        return fail(std::string("pipe: ") + std::strerror(errno));

    const std::string program = ProgramPath();
    std::vector<std::string> args{program};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    const int spawned =
        posix_spawn(&ChildPid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    OutputFd = out[0];
    if (spawned != 0) {
        ChildPid = -1;
        return fail(program + ": " + std::strerror(spawned));
    }

    // The first line is the line's path, unless it serves no terminal; with TCP, the next one
    // is the address.
    auto given = [&](std::string_view name) {
        return std::any_of(options.begin(), options.end(), [&](const std::string& option) {
            return option == name || option.starts_with(std::string(name) + "=");
        });
    };
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    auto readLine = [&](std::string& line) {
        for (;;) {
            pollfd pfd{OutputFd, POLLIN, 0};
            if (poll(&pfd, 1, RemainingMs(deadline)) <= 0)
                return false;
            char c = 0;
            if (read(OutputFd, &c, 1) <= 0)
                return false;
            if (c == '\n')
                return true;
            line.push_back(c);
        }
    };
    if (!given("--no-pty") && !readLine(Path))
        return fail("zelvar-sim printed no path (see its message above)");
    if (given("--tcp")) {
        std::string address;
        constexpr std::string_view Host = "127.0.0.1:";
        if (!readLine(address) || !address.starts_with(Host))
            return fail("zelvar-sim printed no TCP address (see its message above)");
        Port = std::atoi(address.c_str() + Host.size());
    }
    return true;
}

bool SimProcess::Running() {
    if (ChildPid <= 0)
        return false;
    int status = 0;
    const pid_t done = waitpid(ChildPid, &status, WNOHANG);
    if (done == 0)
        return true;
    if (done == ChildPid)
        ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    ChildPid = -1;
    return false;
}

int SimProcess::Stop(int timeoutMs) {
    if (ChildPid > 0) {
        ExitCode = -1;
        kill(ChildPid, SIGTERM);
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        int status = 0;
        pid_t done = 0;
        while ((done = waitpid(ChildPid, &status, WNOHANG)) == 0 && RemainingMs(deadline) > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (done == 0) {
            kill(ChildPid, SIGKILL);
            waitpid(ChildPid, &status, 0);
        } else if (done == ChildPid && WIFEXITED(status)) {
            ExitCode = WEXITSTATUS(status);
        }
        ChildPid = -1;
    }
    if (OutputFd >= 0) {
        close(OutputFd);
        OutputFd = -1;
    }
    Path.clear();
    Port = 0;
    const int code = ExitCode;
    ExitCode = -1;
    return code;
}

} // namespace tarvel
