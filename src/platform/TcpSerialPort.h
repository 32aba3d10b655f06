#pragma once

#include "platform/StreamSerialPort.h"

#include <QAbstractSocket>

class QTcpSocket;

namespace tarvel {

// SerialPort on a network serial server: the COM number's entry is "tcp://HOST:PORT" and the
// bytes on the connection are the serial line's, raw, both ways.
//
// - Baud, parity and flow control are the server's business: they are kept (the link reads
//   them back) but nothing is sent. There are no modem lines.
// - Open connects without blocking the window: it waits through Waiter, at most the connect
//   time (5 s), and tells a refused connection, an unknown host, an unreachable network and
//   a time-out apart. Close during that wait ends it.
// - The server closing the connection, or the network failing under it, is a failure like a
//   pulled adapter: the bytes that came before it are delivered, then the port closes and
//   Failed is emitted once for the connection.
class TcpSerialPort : public StreamSerialPort {
    Q_OBJECT

public:
    static constexpr int DefaultConnectTimeoutMs = 5000;

    explicit TcpSerialPort(QObject* parent = nullptr);
    ~TcpSerialPort() override;

    void SetConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
    int ConnectTimeout() const { return connectTimeoutMs_; }
    // A connect is under way (Open is waiting).
    bool Connecting() const { return connecting_; }

    // Any entry of the list exists: a malformed one then says so when it is opened.
    bool ComNumberExists(int comNumber) const override;

    PortOpenResult Open() override;
    void Close() override;
    bool IsOpen() const override { return open_; }

    ModemLines LineStates() override { return {}; }

private:
    bool WriteToStream(const QByteArray& bytes) override;
    void Flush() override;
    void OnSocketFailure();
    PortOpenResult::Status OpenFailure(QAbstractSocket::SocketError error) const;

    QTcpSocket* socket_;
    QString device_; // the entry of the open connection
    int connectTimeoutMs_ = DefaultConnectTimeoutMs;

    bool open_ = false;
    bool connecting_ = false;
    bool connectStopped_ = false;
    bool failureReported_ = false;
};

} // namespace tarvel
