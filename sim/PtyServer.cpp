#include "PtyServer.h"

#include "Simulator.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace tarvel {

namespace {

std::int64_t NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

constexpr std::int64_t HangUpSettleMs = 50;
constexpr std::int64_t HangUpGraceMs = 1000;
constexpr int HangUpPollMs = 5;

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

PtyServer::PtyServer(Simulator& simulator, const SimOptions& options)
    : Sim(simulator), Options(options) {}

PtyServer::~PtyServer() {
    HangUp();
    if (Log != nullptr)
        std::fclose(Log);
}

bool PtyServer::Open(std::string& error) {
    MasterFd = posix_openpt(O_RDWR | O_NOCTTY);
    if (MasterFd < 0 || grantpt(MasterFd) != 0 || unlockpt(MasterFd) != 0) {
        error = SystemError("cannot create a pseudo-terminal");
        return false;
    }
    const char* name = ptsname(MasterFd);
    if (name == nullptr) {
        error = SystemError("ptsname");
        return false;
    }
    SlavePath = name;
    // Held open for the whole run: the line stays up while clients come and go.
    SlaveFd = open(SlavePath.c_str(), O_RDWR | O_NOCTTY);
    if (SlaveFd < 0) {
        error = SystemError("cannot open " + SlavePath);
        return false;
    }
    // A fresh terminal echoes and turns carriage returns into line feeds; a serial line
    // does neither. Raw on the far end makes both ends raw.
    termios mode{};
    if (tcgetattr(SlaveFd, &mode) != 0) {
        error = SystemError("tcgetattr");
        return false;
    }
    cfmakeraw(&mode);
    if (tcsetattr(SlaveFd, TCSANOW, &mode) != 0) {
        error = SystemError("tcsetattr");
        return false;
    }
    fcntl(MasterFd, F_SETFL, fcntl(MasterFd, F_GETFL) | O_NONBLOCK);

    if (!Options.LinkPath.empty()) {
        struct stat st {};
        if (lstat(Options.LinkPath.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                error = Options.LinkPath + " exists and is not a symbolic link";
                return false;
            }
            unlink(Options.LinkPath.c_str()); // left over from an earlier run
        }
        if (symlink(SlavePath.c_str(), Options.LinkPath.c_str()) != 0) {
            error = SystemError("cannot link " + Options.LinkPath);
            return false;
        }
        LinkMade = true;
    }
    if (!Options.LogPath.empty()) {
        Log = std::fopen(Options.LogPath.c_str(), "w");
        if (Log == nullptr) {
            error = SystemError("cannot write " + Options.LogPath);
            return false;
        }
    }
    if (!Options.StatePath.empty()) {
        const std::string tmp = Options.StatePath + ".tmp";
        if (std::FILE* probe = std::fopen(tmp.c_str(), "wb"); probe != nullptr) {
            std::fclose(probe);
        } else {
            error = SystemError("cannot write " + tmp);
            return false;
        }
        WriteState();
    }
    return true;
}

void PtyServer::WriteState() const {
    if (Options.StatePath.empty())
        return;
    // Written aside and renamed, so a reader never sees half an image.
    const std::string tmp = Options.StatePath + ".tmp";
    std::FILE* file = std::fopen(tmp.c_str(), "wb");
    if (file == nullptr)
        return;
    const std::vector<std::uint8_t> image = Sim.StateImage();
    const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    if (std::fclose(file) == 0 && written)
        std::rename(tmp.c_str(), Options.StatePath.c_str());
}

void PtyServer::OnBytes(const char* bytes, std::size_t count) {
    const SimOutput out = Sim.Receive(std::string_view(bytes, count), NowMs());
    for (const SimChunk& chunk : out.Chunks)
        Pending.emplace(chunk.AtMs, chunk.Bytes);
    if (Log != nullptr) {
        for (const std::string& line : out.LogLines) {
            std::fputs(line.c_str(), Log);
            std::fputc('\n', Log);
        }
        std::fflush(Log);
    }
    if (out.StateChanged)
        WriteState();
    if (out.HangUpAtMs >= 0)
        HangUpAtMs = out.HangUpAtMs;
}

void PtyServer::Flush() {
    const std::int64_t now = NowMs();
    while (!Pending.empty() && Pending.begin()->first <= now) {
        Unwritten += Pending.begin()->second;
        Pending.erase(Pending.begin());
    }
    while (MasterFd >= 0 && !Unwritten.empty()) {
        const ssize_t n = write(MasterFd, Unwritten.data(), Unwritten.size());
        if (n > 0) {
            Unwritten.erase(0, static_cast<std::size_t>(n));
            LastWriteMs = now;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n < 0 && errno != EAGAIN)
                Unwritten.clear(); // nobody can read it any more
            break;
        }
    }
    // Closing the master discards what the client has not read yet, so the last reply is
    // given time to be read first. Written bytes take a moment to show up as unread.
    if (HangUpAtMs >= 0 && now >= HangUpAtMs && Pending.empty() && Unwritten.empty()) {
        int unread = 0;
        const bool read = ioctl(SlaveFd, FIONREAD, &unread) == 0 && unread == 0 &&
                          now >= LastWriteMs + HangUpSettleMs;
        if (read || now >= HangUpAtMs + HangUpGraceMs)
            HangUp();
    }
}

void PtyServer::HangUp() {
    // The terminal's number may soon belong to someone else's line: the link must not lead
    // there. Removed first, so that a client who sees the hang-up finds it gone.
    if (LinkMade)
        unlink(Options.LinkPath.c_str());
    LinkMade = false;
    // With both ends closed the client's reads fail as on a pulled cable.
    if (MasterFd >= 0)
        close(MasterFd);
    if (SlaveFd >= 0)
        close(SlaveFd);
    MasterFd = SlaveFd = -1;
    HangUpAtMs = -1;
    Pending.clear();
    Unwritten.clear();
}

void PtyServer::Run(int stopFd, int watchFd) {
    char buffer[4096];
    for (;;) {
        Flush();
        int timeout = -1;
        const std::int64_t now = NowMs();
        auto wakeAt = [&](std::int64_t at) {
            const int wait = static_cast<int>(std::max<std::int64_t>(0, at - now));
            timeout = timeout < 0 ? wait : std::min(timeout, wait);
        };
        if (!Pending.empty())
            wakeAt(Pending.begin()->first);
        if (HangUpAtMs >= 0)
            wakeAt(std::max(HangUpAtMs, now + HangUpPollMs));
        // poll() skips negative descriptors: no watch, or the line already closed.
        pollfd fds[3] = {{stopFd, POLLIN, 0}, {watchFd, 0, 0}, {MasterFd, POLLIN, 0}};
        if (!Unwritten.empty())
            fds[2].events |= POLLOUT;
        if (poll(fds, 3, timeout) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0 || fds[1].revents != 0)
            return;
        if ((fds[2].revents & POLLIN) != 0) {
            const ssize_t n = read(MasterFd, buffer, sizeof buffer);
            if (n > 0)
                OnBytes(buffer, static_cast<std::size_t>(n));
        }
    }
}

} // namespace tarvel
