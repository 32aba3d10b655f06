#include "platform/TcpSerialPort.h"

#include "platform/NetworkAddress.h"
#include "platform/PortList.h"
#include "platform/Waiter.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace tarvel {

TcpSerialPort::TcpSerialPort(QObject* parent) : SerialPort(parent), socket_(new QTcpSocket(this)) {
    connect(socket_, &QTcpSocket::readyRead, this, &TcpSerialPort::OnReadyRead);
    connect(socket_, &QTcpSocket::errorOccurred, this, &TcpSerialPort::OnSocketFailure);
    connect(socket_, &QTcpSocket::disconnected, this, &TcpSerialPort::OnSocketFailure);
}

TcpSerialPort::~TcpSerialPort() {
    // Closed quietly: nobody is left to hear about it.
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
}

bool TcpSerialPort::SetComNumber(int comNumber) {
    if (comNumber < FirstComNumber || comNumber > LastComNumber) {
        return false;
    }
    if (comNumber != comNumber_ && IsOpen()) {
        Close();
    }
    comNumber_ = comNumber;
    return true;
}

QString TcpSerialPort::DeviceFor(int comNumber) const {
    return PortList::DeviceFor(comNumber);
}

bool TcpSerialPort::ComNumberExists(int comNumber) const {
    return !DeviceFor(comNumber).isEmpty();
}

PortOpenResult TcpSerialPort::Open() {
    PortOpenResult result;
    result.ComNumber = comNumber_;
    result.Device = DeviceFor(comNumber_);
    if (IsOpen()) {
        return result;
    }
    if (connecting_) {
        result.Outcome = PortOpenResult::Status::OtherError;
        result.SystemText = QStringLiteral("a connection is being made already");
        return result;
    }
    if (result.Device.isEmpty()) {
        result.Outcome = PortOpenResult::Status::NoSuchPort;
        return result;
    }
    const std::optional<NetworkAddress> address = NetworkAddress::Parse(result.Device);
    if (!address) {
        result.Outcome = PortOpenResult::Status::InvalidAddress;
        return result;
    }

    socket_->abort();
    connecting_ = true;
    connectStopped_ = false;
    socket_->connectToHost(address->Host, address->Port);
    const QPointer<TcpSerialPort> self(this);
    const QDeadlineTimer deadline(std::max(connectTimeoutMs_, 0), Qt::PreciseTimer);
    Waiter::WaitUntil(
        [this] {
            return connectStopped_ || socket_->state() == QAbstractSocket::ConnectedState ||
                   socket_->state() == QAbstractSocket::UnconnectedState;
        },
        deadline, this);
    if (!self) {
        result.Outcome = PortOpenResult::Status::OtherError;
        return result;
    }
    connecting_ = false;
    const QAbstractSocket::SocketState state = socket_->state();
    if (state != QAbstractSocket::ConnectedState || connectStopped_) {
        if (state == QAbstractSocket::UnconnectedState && !connectStopped_) {
            result.Outcome = OpenFailure(socket_->error());
            result.SystemText = socket_->errorString();
        } else if (deadline.hasExpired() && !connectStopped_) {
            result.Outcome = PortOpenResult::Status::TimedOut;
            result.TimeoutMs = connectTimeoutMs_;
        } else {
            // Closed, or the wait was ended from outside (the user cancelled).
            result.Outcome = PortOpenResult::Status::OtherError;
            result.SystemText = QStringLiteral("the connection was not waited for");
        }
        socket_->abort();
        return result;
    }

    // Commands are a few bytes each and wait for their reply: send them at once.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    device_ = result.Device;
    input_.clear();
    failureReported_ = false;
    open_ = true;
    emit OpenChanged(true);
    return result;
}

PortOpenResult::Status TcpSerialPort::OpenFailure(QAbstractSocket::SocketError error) const {
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return PortOpenResult::Status::Refused;
    case QAbstractSocket::HostNotFoundError:
        return PortOpenResult::Status::HostNotFound;
    case QAbstractSocket::SocketTimeoutError:
        return PortOpenResult::Status::TimedOut;
    default:
        return PortOpenResult::Status::Unreachable;
    }
}

void TcpSerialPort::Close() {
    if (connecting_) {
        connectStopped_ = true;
        socket_->abort();
        return;
    }
    if (!open_) {
        return;
    }
    open_ = false;
    input_.clear();
    socket_->abort();
    emit OpenChanged(false);
}

bool TcpSerialPort::SetBaud(int baud) {
    if (!IsSupportedBaud(baud)) {
        return false;
    }
    baud_ = baud;
    return true;
}

bool TcpSerialPort::SetParity(Parity parity) {
    const int code = static_cast<int>(parity);
    if (code < static_cast<int>(Parity::None) || code > static_cast<int>(Parity::Space)) {
        return false;
    }
    parity_ = parity;
    return true;
}

void TcpSerialPort::SetInputFlowThresholds(int stopAt, int resumeAt) {
    flowStop_ = stopAt;
    flowResume_ = resumeAt;
}

void TcpSerialPort::DiscardInput() {
    input_.clear();
    if (open_) {
        socket_->readAll();
    }
}

QByteArray TcpSerialPort::Read(int count) {
    if (count <= 0) {
        return QByteArray();
    }
    QByteArray block = input_.left(count);
    input_.remove(0, block.size());
    return block;
}

std::uint16_t TcpSerialPort::OutputFreeSpace() const {
    if (!open_) {
        return 0;
    }
    const qint64 free = OutputBufferSize - socket_->bytesToWrite();
    return static_cast<std::uint16_t>(std::clamp<qint64>(free, 0, 0xFFFF));
}

bool TcpSerialPort::Write(const QByteArray& bytes) {
    if (!open_) {
        return false;
    }
    if (bytes.isEmpty()) {
        return true;
    }
    if (socket_->write(bytes) != bytes.size()) {
        return false;
    }
    emit Written(bytes);
    // Hand the bytes to the system now rather than at the next event-loop pass; a failure
    // here closes the port like any other.
    const QPointer<TcpSerialPort> self(this);
    socket_->flush();
    return self && open_;
}

bool TcpSerialPort::WaitForString(const QByteArray& text, int timeoutMs, QByteArray* consumed) {
    if (!open_) {
        return false;
    }
    const QPointer<TcpSerialPort> self(this);
    Waiter::WaitUntil([this, &text] { return !open_ || input_.contains(text); },
                      std::max(timeoutMs, 0), this);
    if (!self || !open_) {
        return false;
    }
    const qsizetype at = input_.indexOf(text);
    if (at < 0) {
        return false;
    }
    if (consumed != nullptr) {
        *consumed = input_.left(at + text.size());
    }
    input_.remove(0, at + text.size());
    return true;
}

void TcpSerialPort::OnReadyRead() {
    const QPointer<TcpSerialPort> self(this);
    if (open_ && Pull() && self) {
        ReportAvailable();
    }
}

bool TcpSerialPort::Pull() {
    const QByteArray chunk = socket_->readAll();
    if (chunk.isEmpty()) {
        return false;
    }
    input_.append(chunk);
    if (input_.size() > InputBufferLimit) {
        input_.remove(0, input_.size() - InputBufferLimit);
    }
    emit Received(chunk);
    return true;
}

void TcpSerialPort::ReportAvailable() {
    if (reporting_) {
        arrivedWhileReporting_ = true;
        return;
    }
    const QPointer<TcpSerialPort> self(this);
    reporting_ = true;
    do {
        arrivedWhileReporting_ = false;
        if (input_.isEmpty()) {
            break;
        }
        emit DataAvailable(static_cast<int>(input_.size()));
        if (!self) {
            return;
        }
        // Like QSerialPort, QTcpSocket does not emit readyRead again while a slot of it runs:
        // bytes that came during a long DataAvailable slot are fetched here.
        if (open_ && socket_->bytesAvailable() > 0 && Pull()) {
            if (!self) {
                return;
            }
            arrivedWhileReporting_ = true;
        }
    } while (arrivedWhileReporting_);
    reporting_ = false;
}

void TcpSerialPort::OnSocketFailure() {
    if (!open_ || failureReported_) {
        return; // a connect that failed is Open's to report
    }
    failureReported_ = true;
    const QPointer<TcpSerialPort> self(this);
    // What the server sent before it went is the line's last bytes: deliver them first.
    if (Pull() && self) {
        ReportAvailable();
    }
    if (!self || !open_) {
        return;
    }
    const QString port = PortOpenResult::PortLabel(comNumber_, device_);
    const bool closedByServer = socket_->error() == QAbstractSocket::RemoteHostClosedError ||
                                socket_->error() == QAbstractSocket::UnknownSocketError;
    const QString message =
        closedByServer
            ? QStringLiteral("Error! The network serial server at %1 closed the connection. The "
                             "port has been closed.")
                  .arg(port)
            : QStringLiteral("Error! The connection to the network serial server at %1 was lost "
                             "(%2). The port has been closed.")
                  .arg(port, socket_->errorString());
    Close();
    // Reported from the event loop, so that whoever shows the message does not do so from
    // inside the socket or inside Write.
    QTimer::singleShot(0, this, [this, message] { emit Failed(message); });
}

} // namespace tarvel
