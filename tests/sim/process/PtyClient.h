#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// The test's end of a simulator line: opened raw (or connected to the simulator's TCP port),
// written and read with time limits. Tests of the program use the real serial port instead;
// this is for tests of the simulator itself and for quick looks at what it sends.
class PtyClient {
public:
    PtyClient() = default;
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    // baud 0 leaves the line's rate as it is (the units' own when nobody changed it).
    bool Open(const std::string& path, int baud = 0);
    // The line served on 127.0.0.1:port.
    bool Connect(int port);
    void Close();
    bool IsOpen() const { return Fd >= 0; }

    bool Write(std::string_view bytes);
    // Collects bytes until they end with suffix or timeoutMs passes; returns what came.
    std::string ReadUntil(std::string_view suffix, int timeoutMs);
    // Collects everything that comes within ms.
    std::string ReadFor(int ms);
    // The far end closed the line (a read failed or reported a hang-up).
    bool HungUp() const { return LineLost; }

private:
    int Fd = -1;
    bool Socket = false;
    bool LineLost = false;
    // Reads what is there within waitMs; false once the line is gone.
    bool ReadSome(std::string& into, int waitMs);
};

} // namespace tarvel
