#include "PtyPair.h"

#include "platform/Waiter.h"

#include <QSocketNotifier>

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

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        return;
    }
    slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
    slave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        return;
    }
    MakeRaw(master_);
    MakeRaw(slave_);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadMaster(); });
}

PtyPair::~PtyPair() {
    CloseMaster();
    if (slave_ >= 0) {
        ::close(slave_);
    }
}

void PtyPair::WriteMaster(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        }
        done += n > 0 ? n : 0;
    }
}

void PtyPair::ReadMaster() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n > 0) {
        received_.append(buffer, n);
    }
}

QByteArray PtyPair::WaitReceived(int count, int timeoutMs) {
    Waiter::WaitUntil([&] { return received_.size() >= count; }, timeoutMs);
    return received_;
}

void PtyPair::CloseMaster() {
    notifier_.reset();
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

} // namespace tarvel::test
