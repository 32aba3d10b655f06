#pragma once

#include "LineOutput.h"
#include "PtyLine.h"
#include "SimOptions.h"
#include "TcpLine.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace tarvel {

class Simulator;

// Serves the simulator on a pseudo-terminal, on a loopback TCP port, or both: feeds the bytes
// that arrive to the simulator with the line's rate, writes its replies at the times it gives
// (and, paced, no faster than the wire), and keeps the --log and --state files.
class SimServer {
public:
    SimServer(Simulator& simulator, const SimOptions& options);
    ~SimServer();
    SimServer(const SimServer&) = delete;
    SimServer& operator=(const SimServer&) = delete;

    bool Open(std::string& error);
    const std::string& LinePath() const { return Pty.Path(); } // empty without a terminal
    int TcpPort() const { return Tcp.Port(); }                 // 0 without TCP

    // Serves until stopFd becomes readable, or until watchFd (the writing end of a pipe, or
    // -1) loses its reader: a test that dies without stopping its simulator takes it along.
    void Run(int stopFd, int watchFd = -1);

private:
    enum class Source { Pty, Tcp };
    // A reply goes back where its command came from; to TCP only while that client is there.
    struct Outgoing {
        Source To = Source::Pty;
        int Client = 0;
        std::string Bytes;
    };

    Simulator& Sim;
    SimOptions Options;
    PtyLine Pty;
    TcpLine Tcp;
    int Client = 0; // counts TCP clients
    std::FILE* Log = nullptr;
    std::multimap<std::int64_t, Outgoing> Pending; // equal times keep their order
    LineOutput PtyOut;
    LineOutput TcpOut;
    std::int64_t HangUpAtMs = -1;
    std::int64_t LastWriteMs = 0;

    void OnBytes(Source from, const char* bytes, std::size_t count);
    void WriteState() const;
    void Queue(const Outgoing& reply, std::int64_t atMs);
    void Flush();
    // Writes what is due; false if the other end is gone.
    bool WriteDue(int fd, LineOutput& out, std::int64_t nowNs);
    void DropTcpClient();
    int PollTimeout() const;
    void HangUp();
};

} // namespace tarvel
