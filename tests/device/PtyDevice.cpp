#include "PtyDevice.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace tarvel::test {

namespace {

void MakeRaw(int fd) {
    termios settings{};
    if (::tcgetattr(fd, &settings) == 0) {
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
}

} // namespace

PtyDevice::PtyDevice() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        return;
    }
    path_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        return;
    }
    MakeRaw(master_);
    MakeRaw(slave_);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadMaster(); });
}

PtyDevice::~PtyDevice() {
    HangUp();
}

void PtyDevice::Write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (master_ >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        }
        done += n > 0 ? n : 0;
    }
}

void PtyDevice::WriteLater(int ms, const QByteArray& bytes) {
    QTimer::singleShot(ms, notifier_.get(), [this, bytes] { Write(bytes); });
}

QByteArray PtyDevice::TakeReceived() {
    QByteArray taken = received_;
    received_.clear();
    return taken;
}

void PtyDevice::ReadMaster() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) {
        return;
    }
    const QByteArray chunk(buffer, n);
    received_.append(chunk);
    if (echoBytes_) {
        Write(chunk);
    }
    pending_.append(chunk);
    qsizetype end = 0;
    while ((end = pending_.indexOf('\r')) >= 0) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        lines_.append(line);
        if (onLine_) {
            onLine_(line);
        }
    }
}

int PtyDevice::OutputBaud() const {
    termios settings{};
    if (slave_ < 0 || ::tcgetattr(slave_, &settings) != 0) {
        return 0;
    }
    switch (::cfgetospeed(&settings)) {
    case B9600:
        return 9600;
    case B19200:
        return 19200;
    case B38400:
        return 38400;
    case B57600:
        return 57600;
    default:
        return -1;
    }
}

bool PtyDevice::RtsCts() const {
    termios settings{};
    return slave_ >= 0 && ::tcgetattr(slave_, &settings) == 0 && (settings.c_cflag & CRTSCTS) != 0;
}

void PtyDevice::HangUp() {
    notifier_.reset();
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
    if (slave_ >= 0) {
        ::close(slave_);
        slave_ = -1;
    }
}

} // namespace tarvel::test
