#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tarvel {

// Runs the zelvar-sim program for a test: starts it with options, reads the line's path from
// its first output line, and stops it again (SIGTERM, then SIGKILL if it does not end). The
// destructor stops it, so a failing test leaves no process behind.
//
//     SimProcess sim;
//     ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2"}));
//     port.setPortName(QString::fromStdString(sim.PtyPath()));
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The zelvar-sim built with this tree.
    static std::string ProgramPath();
    // A path under /tmp that no other test of this run uses: for --link, --log and --state.
    static std::string UniquePath(const std::string& stem);
    // The whole content of a file (empty if it cannot be read).
    static std::string ReadFile(const std::string& path);

    // False (with the reason in error) if the program could not start or printed no path (or,
    // with --tcp, no address) within timeoutMs; the process is then already gone.
    bool Start(const std::vector<std::string>& options, std::string* error = nullptr,
               int timeoutMs = 5000);

    // Where it serves the line: the terminal (empty with --no-pty) and, with --tcp, the port on
    // 127.0.0.1 (0 without).
    const std::string& PtyPath() const { return Path; }
    int TcpPort() const { return Port; }
    pid_t Pid() const { return ChildPid; }
    bool Running();

    // Ends the program. Returns its exit code, or -1 if it had to be killed or was not running.
    int Stop(int timeoutMs = 3000);

private:
    pid_t ChildPid = -1;
    int OutputFd = -1;
    std::string Path;
    int Port = 0;
    int ExitCode = -1;
};

} // namespace tarvel
