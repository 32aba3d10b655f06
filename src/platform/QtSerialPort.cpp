#include "platform/QtSerialPort.h"

#include <QFileInfo>
#include <QSerialPortInfo>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

#include <algorithm>

namespace tarvel {

namespace {

QSerialPort::Parity ToQt(Parity parity) {
    switch (parity) {
    case Parity::None:
        return QSerialPort::NoParity;
    case Parity::Odd:
        return QSerialPort::OddParity;
    case Parity::Even:
        return QSerialPort::EvenParity;
    case Parity::Mark:
        return QSerialPort::MarkParity;
    case Parity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

bool IsFailure(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

} // namespace

QtSerialPort::QtSerialPort(QObject* parent)
    : StreamSerialPort(new QSerialPort, parent), port_(static_cast<QSerialPort*>(Stream())) {
    connect(port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

QtSerialPort::~QtSerialPort() {
    // Closed quietly: nobody is left to hear about it.
    disconnect(port_, nullptr, this, nullptr);
    port_->close();
}

bool QtSerialPort::ComNumberExists(int comNumber) const {
    const QString device = DeviceFor(comNumber);
    if (device.isEmpty()) {
        return false;
    }
#ifdef Q_OS_WIN
    // Windows lists ports that another program holds as well.
    const auto infos = QSerialPortInfo::availablePorts();
    return std::any_of(infos.begin(), infos.end(), [&](const QSerialPortInfo& info) {
        return info.portName().compare(device, Qt::CaseInsensitive) == 0 ||
               info.systemLocation().compare(device, Qt::CaseInsensitive) == 0;
    });
#else
    return QFileInfo::exists(device);
#endif
}

PortOpenResult QtSerialPort::Open() {
    PortOpenResult result;
    result.ComNumber = comNumber_;
    result.Device = DeviceFor(comNumber_);
    if (IsOpen()) {
        return result;
    }
    if (result.Device.isEmpty()) {
        result.Outcome = PortOpenResult::Status::NoSuchPort;
        return result;
    }

    port_->setPortName(result.Device);
    port_->setBaudRate(baud_);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(ToQt(parity_));
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(rtsCts_ ? QSerialPort::HardwareControl : QSerialPort::NoFlowControl);
    port_->clearError();

    if (!port_->open(QIODevice::ReadWrite)) {
        result.SystemText = port_->errorString();
        switch (port_->error()) {
        case QSerialPort::DeviceNotFoundError:
            result.Outcome = PortOpenResult::Status::NoSuchPort;
            break;
        case QSerialPort::PermissionError:
            result.Outcome = ClassifyPermissionError(result.Device);
            break;
        default:
            result.Outcome = PortOpenResult::Status::OtherError;
            break;
        }
        if (result.Outcome == PortOpenResult::Status::PermissionDenied) {
            result.Group = PortOpenResult::OwningGroup(result.Device);
        }
        port_->clearError();
        return result;
    }

    device_ = result.Device;
    ClearInput();
    failureReported_ = false;
    linesSupported_.reset();
    emit OpenChanged(true);
    return result;
}

PortOpenResult::Status QtSerialPort::ClassifyPermissionError(const QString& device) const {
#ifdef Q_OS_UNIX
    // QSerialPort says PermissionError both for a device the user may not open and for one
    // whose lock (or TIOCEXCL) another program holds; the file's own access tells them apart.
    if (::access(device.toLocal8Bit().constData(), R_OK | W_OK) == 0) {
        return PortOpenResult::Status::InUse;
    }
    if (errno == ENOENT) {
        return PortOpenResult::Status::NoSuchPort;
    }
    return PortOpenResult::Status::PermissionDenied;
#else
    // Windows answers "access denied" for a port that another program has open.
    Q_UNUSED(device);
    return PortOpenResult::Status::InUse;
#endif
}

void QtSerialPort::Close() {
    if (!port_->isOpen()) {
        return;
    }
    port_->close();
    port_->clearError();
    ClearInput();
    emit OpenChanged(false);
}

bool QtSerialPort::IsOpen() const {
    return port_->isOpen();
}

bool QtSerialPort::ApplyBaud(int baud) {
    return port_->setBaudRate(baud);
}

bool QtSerialPort::ApplyParity(Parity parity) {
    return port_->setParity(ToQt(parity));
}

void QtSerialPort::DiscardStreamInput() {
    port_->clear(QSerialPort::Input);
}

bool QtSerialPort::WriteToStream(const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    // With nothing queued, hand the bytes straight to the driver: QSerialPort's buffered write
    // costs an extra event-loop pass (its write notifier) per command. Whatever the driver
    // does not take at once goes through QSerialPort as usual.
    if (port_->bytesToWrite() == 0) {
        qint64 done = 0;
        while (done < bytes.size()) {
            const auto n = ::write(static_cast<int>(port_->handle()), bytes.constData() + done,
                                   static_cast<std::size_t>(bytes.size() - done));
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
                OnError(QSerialPort::WriteError);
                return false;
            } else {
                break;
            }
        }
        return done == bytes.size() || port_->write(bytes.mid(done)) == bytes.size() - done;
    }
#endif
    return port_->write(bytes) == bytes.size();
}

void QtSerialPort::Flush() {
    port_->flush();
}

ModemLines QtSerialPort::LineStates() {
    ModemLines lines;
    if (!IsOpen() || linesSupported_ == false) {
        return lines;
    }
    port_->clearError();
    const QSerialPort::PinoutSignals pins = port_->pinoutSignals();
    if (!IsOpen()) {
        return lines; // the query found the port dead; OnError has dealt with it
    }
    if (port_->error() != QSerialPort::NoError) {
        // A pseudo-terminal has no modem lines; that does not change while it is open.
        linesSupported_ = false;
        port_->clearError();
        return lines;
    }
    linesSupported_ = true;
    lines.Supported = true;
    lines.Dcd = pins.testFlag(QSerialPort::DataCarrierDetectSignal);
    lines.Cts = pins.testFlag(QSerialPort::ClearToSendSignal);
    return lines;
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    if (!IsFailure(error) || !port_->isOpen() || failureReported_) {
        return;
    }
    failureReported_ = true;
    const QString message =
        QStringLiteral("Error! The connection on serial port %1 was lost. The port has been "
                       "closed.")
            .arg(PortOpenResult::PortLabel(comNumber_, device_));
    // Closing now stops the stream of errors that a dead pseudo-terminal keeps raising.
    Close();
    // Reported from the event loop, so that whoever shows the message does not do so from
    // inside QSerialPort or inside Write.
    QTimer::singleShot(0, this, [this, message] { emit Failed(message); });
}

} // namespace tarvel
