#include "TcpLine.h"

#include "SystemError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#if defined(__linux__)
#include <linux/sockios.h>
#endif

namespace tarvel {

namespace {

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    fcntl(fd, F_SETFD, fcntl(fd, F_GETFD) | FD_CLOEXEC);
}

} // namespace

TcpLine::~TcpLine() {
    Close();
}

bool TcpLine::Listen(int port, std::string& error) {
    ServerFd = socket(AF_INET, SOCK_STREAM, 0);
    if (ServerFd < 0) {
        error = SystemError("socket");
        return false;
    }
    const int yes = 1;
    setsockopt(ServerFd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK); // never beyond this machine
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (bind(ServerFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = SystemError("cannot listen on 127.0.0.1:" + std::to_string(port));
        return false;
    }
    if (listen(ServerFd, 4) != 0) {
        error = SystemError("listen");
        return false;
    }
    socklen_t length = sizeof address;
    getsockname(ServerFd, reinterpret_cast<sockaddr*>(&address), &length);
    BoundPort = ntohs(address.sin_port);
    SetNonBlocking(ServerFd);
    return true;
}

void TcpLine::Accept() {
    if (ServerFd < 0 || ClientFd >= 0)
        return;
    ClientFd = accept(ServerFd, nullptr, nullptr);
    if (ClientFd >= 0) {
        SetNonBlocking(ClientFd);
        // Replies are small and wanted at once.
        const int yes = 1;
        setsockopt(ClientFd, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    }
}

void TcpLine::DropClient() {
    if (ClientFd >= 0)
        close(ClientFd);
    ClientFd = -1;
}

bool TcpLine::AllRead() const {
#ifdef SIOCOUTQ
    int unsent = 0;
    return ClientFd < 0 || (ioctl(ClientFd, SIOCOUTQ, &unsent) == 0 && unsent == 0);
#else
    return true; // the system sends what was written before the end in any case
#endif
}

void TcpLine::Close() {
    // No one new gets in once the client sees the end.
    if (ServerFd >= 0)
        close(ServerFd);
    ServerFd = -1;
    if (ClientFd >= 0) {
        // The end goes out after the data; what the client still sends is read away, since
        // closing with unread input would reset the connection and could lose the data.
        shutdown(ClientFd, SHUT_WR);
        char buffer[4096];
        while (read(ClientFd, buffer, sizeof buffer) > 0) {
        }
        DropClient();
    }
}

} // namespace tarvel
