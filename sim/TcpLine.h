#pragma once

#include <string>

namespace tarvel {

// The line on a loopback TCP port: the serial bytes, raw, to one client at a time. Further
// clients wait in the listening queue until the one before has gone.
class TcpLine {
public:
    TcpLine() = default;
    ~TcpLine();
    TcpLine(const TcpLine&) = delete;
    TcpLine& operator=(const TcpLine&) = delete;

    // Listens on 127.0.0.1:port; port 0 picks a free one.
    bool Listen(int port, std::string& error);
    int Port() const { return BoundPort; }
    // -1 while a client is connected (one at a time) or once closed.
    int ListenFd() const { return ClientFd < 0 ? ServerFd : -1; }
    int Fd() const { return ClientFd; } // -1 without a client
    void Accept();
    // The client left or was sent away; the next one may come.
    void DropClient();
    // Whether the client's system has taken every byte written so far.
    bool AllRead() const;
    // Ends the connection (what was written still arrives, then the end) and stops listening.
    void Close();

private:
    int ServerFd = -1;
    int ClientFd = -1;
    int BoundPort = 0;
};

} // namespace tarvel
