#pragma once

#include "SimOptions.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace tarvel {

class Simulator;

// Serves the simulator on a pseudo-terminal: both ends raw from the start, the far end held
// open so that a client closing it does not hang the line up, replies written at the times
// the simulator gives. Also keeps the --link, --log and --state files.
class PtyServer {
public:
    PtyServer(Simulator& simulator, const SimOptions& options);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    bool Open(std::string& error);
    const std::string& LinePath() const { return SlavePath; }

    // Serves until stopFd becomes readable, or until watchFd (the writing end of a pipe, or
    // -1) loses its reader: a test that dies without stopping its simulator takes it along.
    void Run(int stopFd, int watchFd = -1);

private:
    Simulator& Sim;
    SimOptions Options;
    int MasterFd = -1;
    int SlaveFd = -1;
    std::string SlavePath;
    bool LinkMade = false;
    std::FILE* Log = nullptr;
    std::multimap<std::int64_t, std::string> Pending; // equal times keep their order
    std::string Unwritten;
    std::int64_t HangUpAtMs = -1;
    std::int64_t LastWriteMs = 0;

    void OnBytes(const char* bytes, std::size_t count);
    void WriteState() const;
    void Flush();
    void HangUp();
};

} // namespace tarvel
