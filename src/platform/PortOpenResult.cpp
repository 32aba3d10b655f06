#include "platform/PortOpenResult.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <vector>

namespace tarvel {

QString PortOpenResult::PortLabel(int comNumber, const QString& device) {
    const QString com = QStringLiteral("COM %1").arg(comNumber);
    if (device.isEmpty() ||
        device.compare(QStringLiteral("COM%1").arg(comNumber), Qt::CaseInsensitive) == 0) {
        return com;
    }
    return QStringLiteral("%1 (%2)").arg(com, device);
}

QString PortOpenResult::PermissionText(const QString& device, const QString& group) {
    QString text = QStringLiteral("No permission to open the serial port %1.").arg(device);
    if (!group.isEmpty()) {
        text +=
            QStringLiteral(" Access needs membership of group %1, then log in again.").arg(group);
    }
    return text;
}

QString PortOpenResult::Describe() const {
    switch (Outcome) {
    case Status::Opened:
        return QString();
    case Status::NoSuchPort:
        return QStringLiteral("Error! There is no serial port %1.")
            .arg(PortLabel(ComNumber, Device));
    case Status::PermissionDenied:
        return QStringLiteral("Error! ") + PermissionText(Device, Group);
    case Status::InUse:
        return QStringLiteral("Error! Serial port %1 is being used by another application.")
            .arg(PortLabel(ComNumber, Device));
    case Status::OtherError:
        break;
    case Status::InvalidAddress:
    case Status::Refused:
    case Status::HostNotFound:
    case Status::Unreachable:
    case Status::TimedOut:
        return QStringLiteral("Error! ") + NetworkText();
    }
    QString text = QStringLiteral("Error! Serial port %1 could not be opened")
                       .arg(PortLabel(ComNumber, Device));
    if (!SystemText.isEmpty()) {
        text += QStringLiteral(": ") + SystemText;
    }
    return text + QLatin1Char('.');
}

QString PortOpenResult::NetworkText() const {
    const QString port = PortLabel(ComNumber, Device);
    switch (Outcome) {
    case Status::InvalidAddress:
        return QStringLiteral("%1 is not a network port: write it as tcp://HOST:PORT, for "
                              "example tcp://192.168.1.50:4001.")
            .arg(port);
    case Status::Refused:
        return QStringLiteral("The network serial server at %1 refused the connection. Please "
                              "check that it is on and that the address and port number are "
                              "right.")
            .arg(port);
    case Status::HostNotFound:
        return QStringLiteral("The host of the network port %1 was not found. Please check its "
                              "name.")
            .arg(port);
    case Status::Unreachable:
        return QStringLiteral("The network serial server at %1 cannot be reached%2. Please check "
                              "the network.")
            .arg(port, SystemText.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(SystemText));
    case Status::TimedOut:
        return QStringLiteral("The network serial server at %1 did not answer within %2 seconds. "
                              "Please check its address and the network.")
            .arg(port)
            .arg((TimeoutMs + 999) / 1000);
    default:
        return QString();
    }
}

QString PortOpenResult::OwningGroup(const QString& device) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(device.toLocal8Bit().constData(), &info) != 0) {
        return QString();
    }
    long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return QString::number(info.st_gid);
    }
    return QString::fromLocal8Bit(found->gr_name);
#else
    Q_UNUSED(device);
    return QString();
#endif
}

} // namespace tarvel
