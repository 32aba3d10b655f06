#include "platform/TcpSerialPort.h"

#include "platform/NetworkAddress.h"
#include "platform/Waiter.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace tarvel {

TcpSerialPort::TcpSerialPort(QObject* parent)
    : StreamSerialPort(new QTcpSocket, parent), socket_(static_cast<QTcpSocket*>(Stream())) {
    connect(socket_, &QTcpSocket::errorOccurred, this, &TcpSerialPort::OnSocketFailure);
    connect(socket_, &QTcpSocket::disconnected, this, &TcpSerialPort::OnSocketFailure);
}

TcpSerialPort::~TcpSerialPort() {
    // Closed quietly: nobody is left to hear about it.
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
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
    ClearInput();
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
    ClearInput();
    socket_->abort();
    emit OpenChanged(false);
}

bool TcpSerialPort::WriteToStream(const QByteArray& bytes) {
    return socket_->write(bytes) == bytes.size();
}

void TcpSerialPort::Flush() {
    socket_->flush();
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
