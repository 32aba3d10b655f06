#include "PtyClient.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace tarvel {

namespace {

using Clock = std::chrono::steady_clock;

speed_t SpeedOf(int baud) {
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    default:
        return static_cast<speed_t>(-1); // refused by cfsetspeed
    }
}

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

PtyClient::~PtyClient() {
    Close();
}

bool PtyClient::Open(const std::string& path, int baud) {
    Close();
    Fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (Fd < 0)
        return false;
    termios mode{};
    if (tcgetattr(Fd, &mode) == 0) {
        cfmakeraw(&mode);
        if (baud != 0 && cfsetspeed(&mode, SpeedOf(baud)) != 0) {
            Close();
            return false;
        }
        tcsetattr(Fd, TCSANOW, &mode);
    }
    LineLost = false;
    return true;
}

bool PtyClient::Connect(int port) {
    Close();
    Fd = socket(AF_INET, SOCK_STREAM, 0);
    if (Fd < 0)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (connect(Fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        Close();
        return false;
    }
    fcntl(Fd, F_SETFL, fcntl(Fd, F_GETFL) | O_NONBLOCK);
    Socket = true;
    LineLost = false;
    return true;
}

void PtyClient::Close() {
    if (Fd >= 0)
        close(Fd);
    Fd = -1;
    Socket = false;
}

bool PtyClient::Write(std::string_view bytes) {
    while (Fd >= 0 && !bytes.empty()) {
        // A connection the simulator closed must fail the write, not end the test.
        const ssize_t n = Socket ? send(Fd, bytes.data(), bytes.size(), MSG_NOSIGNAL)
                                 : write(Fd, bytes.data(), bytes.size());
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return Fd >= 0;
}

bool PtyClient::ReadSome(std::string& into, int waitMs) {
    if (Fd < 0 || LineLost)
        return false;
    pollfd pfd{Fd, POLLIN, 0};
    if (poll(&pfd, 1, waitMs) <= 0)
        return true;
    if ((pfd.revents & POLLIN) != 0) {
        char buffer[1024];
        const ssize_t n = read(Fd, buffer, sizeof buffer);
        if (n > 0) {
            into.append(buffer, static_cast<std::size_t>(n));
            return true;
        }
    }
    if ((pfd.revents & (POLLHUP | POLLERR)) != 0 || (pfd.revents & POLLIN) != 0)
        LineLost = true;
    return !LineLost;
}

std::string PtyClient::ReadUntil(std::string_view suffix, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string got;
    while (!got.ends_with(suffix) && RemainingMs(deadline) > 0)
        if (!ReadSome(got, RemainingMs(deadline)))
            break;
    return got;
}

std::string PtyClient::ReadFor(int ms) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    std::string got;
    while (RemainingMs(deadline) > 0)
        if (!ReadSome(got, RemainingMs(deadline)))
            break;
    return got;
}

} // namespace tarvel
