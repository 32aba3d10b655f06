#include "PtyClient.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace tarvel {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

} // namespace

PtyClient::~PtyClient() {
    Close();
}

bool PtyClient::Open(const std::string& path) {
    Close();
    Fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (Fd < 0)
        return false;
    termios mode{};
    if (tcgetattr(Fd, &mode) == 0) {
        cfmakeraw(&mode);
        tcsetattr(Fd, TCSANOW, &mode);
    }
    LineLost = false;
    return true;
}

void PtyClient::Close() {
    if (Fd >= 0)
        close(Fd);
    Fd = -1;
}

bool PtyClient::Write(std::string_view bytes) {
    while (Fd >= 0 && !bytes.empty()) {
        const ssize_t n = write(Fd, bytes.data(), bytes.size());
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
