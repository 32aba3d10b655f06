#include "SimServer.h"

#include "Simulator.h"
#include "SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvel {

namespace {

std::int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

constexpr std::int64_t NsPerMs = 1000000;

std::int64_t NowMs() {
    return NowNs() / NsPerMs;
}

constexpr std::int64_t HangUpSettleMs = 50;
constexpr std::int64_t HangUpGraceMs = 1000;
constexpr int HangUpPollMs = 5;

} // namespace

SimServer::SimServer(Simulator& simulator, const SimOptions& options)
    : Sim(simulator), Options(options) {}

SimServer::~SimServer() {
    HangUp();
    if (Log != nullptr)
        std::fclose(Log);
}

bool SimServer::Open(std::string& error) {
    if (!Options.NoPty && !Pty.Open(Sim.OwnBaud(), Options.LinkPath, error))
        return false;
    if (Options.TcpPort >= 0 && !Tcp.Listen(Options.TcpPort, error))
        return false;
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

void SimServer::WriteState() const {
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

void SimServer::OnBytes(Source from, const char* bytes, std::size_t count) {
    // Over TCP there is no rate: the bytes are the serial bytes as they were.
    const int baud = from == Source::Pty ? Pty.Baud() : Simulator::NoLineSpeed;
    const SimOutput out = Sim.Receive(std::string_view(bytes, count), NowMs(), baud);
    for (const SimChunk& chunk : out.Chunks)
        Pending.emplace(chunk.AtMs, Outgoing{from, Client, chunk.Bytes});
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

void SimServer::Queue(const Outgoing& reply, std::int64_t atMs) {
    const std::int64_t readyNs = atMs * NsPerMs;
    if (reply.To == Source::Tcp) {
        if (Tcp.Fd() >= 0 && reply.Client == Client)
            TcpOut.Add(reply.Bytes, readyNs, Options.Pace ? Sim.OwnBaud() : 0);
        return;
    }
    if (Pty.Fd() < 0)
        return;
    // The rate when the reply leaves: a client that changed it meanwhile reads noise.
    const int baud = Pty.Baud();
    std::string bytes = reply.Bytes;
    if (Sim.WrongSpeed(baud))
        std::transform(bytes.begin(), bytes.end(), bytes.begin(), Simulator::Noise);
    PtyOut.Add(bytes, readyNs, Options.Pace ? (baud > 0 ? baud : Sim.OwnBaud()) : 0);
}

bool SimServer::WriteDue(int fd, LineOutput& out, std::int64_t nowNs) {
    std::size_t due = out.Writable(nowNs);
    while (fd >= 0 && due > 0) {
        const ssize_t n = write(fd, out.Bytes().data(), due);
        if (n > 0) {
            out.Consume(static_cast<std::size_t>(n));
            due -= static_cast<std::size_t>(n);
            LastWriteMs = nowNs / NsPerMs;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return n == 0 || errno == EAGAIN;
        }
    }
    return true;
}

void SimServer::DropTcpClient() {
    Tcp.DropClient();
    TcpOut.Clear();
}

void SimServer::Flush() {
    const std::int64_t nowNs = NowNs();
    const std::int64_t now = nowNs / NsPerMs;
    while (!Pending.empty() && Pending.begin()->first <= now) {
        Queue(Pending.begin()->second, Pending.begin()->first);
        Pending.erase(Pending.begin());
    }
    if (!WriteDue(Pty.Fd(), PtyOut, nowNs))
        PtyOut.Clear(); // nobody can read it any more
    if (!WriteDue(Tcp.Fd(), TcpOut, nowNs))
        DropTcpClient();
    // Closing the master discards what the client has not read yet, so the last reply is
    // given time to be read first. Written bytes take a moment to show up as unread.
    if (HangUpAtMs >= 0 && now >= HangUpAtMs && Pending.empty() && PtyOut.Empty() &&
        TcpOut.Empty()) {
        const bool read =
            (Pty.Fd() < 0 || Pty.AllRead()) && Tcp.AllRead() && now >= LastWriteMs + HangUpSettleMs;
        if (read || now >= std::max(HangUpAtMs, LastWriteMs) + HangUpGraceMs)
            HangUp();
    }
}

void SimServer::HangUp() {
    // With the line closed the client's reads fail as on a pulled cable, and a TCP client
    // finds the port closed.
    Pty.Close();
    Tcp.Close();
    HangUpAtMs = -1;
    Pending.clear();
    PtyOut.Clear();
    TcpOut.Clear();
}

int SimServer::PollTimeout() const {
    const std::int64_t nowNs = NowNs();
    std::int64_t wakeNs = -1;
    auto wakeAt = [&](std::int64_t atNs) { wakeNs = wakeNs < 0 ? atNs : std::min(wakeNs, atNs); };
    if (!Pending.empty())
        wakeAt(Pending.begin()->first * NsPerMs);
    if (HangUpAtMs >= 0)
        wakeAt(std::max(HangUpAtMs * NsPerMs, nowNs + HangUpPollMs * NsPerMs));
    // Paced bytes not yet due; bytes due already wait for the line to take them.
    for (const LineOutput* out : {&PtyOut, &TcpOut})
        if (!out->Empty() && out->Writable(nowNs) == 0)
            wakeAt(out->NextDueNs());
    if (wakeNs < 0)
        return -1;
    return static_cast<int>((std::max<std::int64_t>(0, wakeNs - nowNs) + NsPerMs - 1) / NsPerMs);
}

void SimServer::Run(int stopFd, int watchFd) {
    char buffer[4096];
    for (;;) {
        Flush();
        const int timeout = PollTimeout();
        // poll() skips negative descriptors: no watch, a line not served or already closed,
        // no TCP client, or one being served (the next one waits to be accepted).
        pollfd fds[5] = {{stopFd, POLLIN, 0},
                         {watchFd, 0, 0},
                         {Pty.Fd(), POLLIN, 0},
                         {Tcp.Fd(), POLLIN, 0},
                         {Tcp.ListenFd(), POLLIN, 0}};
        if (!PtyOut.Empty() && PtyOut.Writable(NowNs()) > 0)
            fds[2].events |= POLLOUT;
        if (!TcpOut.Empty() && TcpOut.Writable(NowNs()) > 0)
            fds[3].events |= POLLOUT;
        if (poll(fds, 5, timeout) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[0].revents != 0 || fds[1].revents != 0)
            return;
        if ((fds[2].revents & POLLIN) != 0) {
            const ssize_t n = read(Pty.Fd(), buffer, sizeof buffer);
            if (n > 0)
                OnBytes(Source::Pty, buffer, static_cast<std::size_t>(n));
        }
        // The client first: one that left is gone before the next one is taken.
        if ((fds[3].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
            const ssize_t n = read(Tcp.Fd(), buffer, sizeof buffer);
            if (n > 0)
                OnBytes(Source::Tcp, buffer, static_cast<std::size_t>(n));
            else if (n == 0 || (errno != EAGAIN && errno != EINTR))
                DropTcpClient(); // gone; the units keep their state for the next one
        }
        if ((fds[4].revents & POLLIN) != 0) {
            Tcp.Accept();
            if (Tcp.Fd() >= 0)
                ++Client;
        }
    }
}

} // namespace tarvel
