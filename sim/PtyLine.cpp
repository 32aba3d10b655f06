#include "PtyLine.h"

#include "SystemError.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <utility>

namespace tarvel {

namespace {

constexpr std::array<std::pair<speed_t, int>, 16> Rates{{
    {B50, 50},
    {B75, 75},
    {B110, 110},
    {B134, 134},
    {B150, 150},
    {B200, 200},
    {B300, 300},
    {B600, 600},
    {B1200, 1200},
    {B2400, 2400},
    {B4800, 4800},
    {B9600, 9600},
    {B19200, 19200},
    {B38400, 38400},
    {B57600, 57600},
    {B115200, 115200},
}};

speed_t SpeedOf(int baud) {
    for (const auto& [speed, rate] : Rates)
        if (rate == baud)
            return speed;
    return B0;
}

} // namespace

PtyLine::~PtyLine() {
    Close();
}

bool PtyLine::Open(int startBaud, const std::string& linkPath, std::string& error) {
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
    // does neither. Raw on the far end makes both ends raw. A client that sets no rate of
    // its own finds the line at the units' rate.
    termios mode{};
    if (tcgetattr(SlaveFd, &mode) != 0) {
        error = SystemError("tcgetattr");
        return false;
    }
    cfmakeraw(&mode);
    cfsetspeed(&mode, SpeedOf(startBaud));
    if (tcsetattr(SlaveFd, TCSANOW, &mode) != 0) {
        error = SystemError("tcsetattr");
        return false;
    }
    fcntl(MasterFd, F_SETFL, fcntl(MasterFd, F_GETFL) | O_NONBLOCK);

    if (!linkPath.empty()) {
        struct stat st {};
        if (lstat(linkPath.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                error = linkPath + " exists and is not a symbolic link";
                return false;
            }
            unlink(linkPath.c_str()); // left over from an earlier run
        }
        if (symlink(SlavePath.c_str(), linkPath.c_str()) != 0) {
            error = SystemError("cannot link " + linkPath);
            return false;
        }
        LinkPath = linkPath;
    }
    return true;
}

int PtyLine::Baud() const {
    termios mode{};
    if (SlaveFd < 0 || tcgetattr(SlaveFd, &mode) != 0)
        return 0;
    const speed_t speed = cfgetospeed(&mode);
    for (const auto& [known, rate] : Rates)
        if (known == speed)
            return rate;
    return 0;
}

bool PtyLine::AllRead() const {
    int unread = 0;
    return ioctl(SlaveFd, FIONREAD, &unread) == 0 && unread == 0;
}

void PtyLine::Close() {
    // The terminal's number may soon belong to someone else's line: the link must not lead
    // there. Removed first, so that a client who sees the hang-up finds it gone.
    if (!LinkPath.empty())
        unlink(LinkPath.c_str());
    LinkPath.clear();
    if (MasterFd >= 0)
        close(MasterFd);
    if (SlaveFd >= 0)
        close(SlaveFd);
    MasterFd = SlaveFd = -1;
}

} // namespace tarvel
