#pragma once

#include "platform/SerialPort.h"

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
class TcpSerialPort : public SerialPort {
    Q_OBJECT

public:
    static constexpr int DefaultConnectTimeoutMs = 5000;

    explicit TcpSerialPort(QObject* parent = nullptr);
    ~TcpSerialPort() override;

    void SetConnectTimeout(int ms) { connectTimeoutMs_ = ms; }
    int ConnectTimeout() const { return connectTimeoutMs_; }
    // A connect is under way (Open is waiting).
    bool Connecting() const { return connecting_; }

    bool SetComNumber(int comNumber) override;
    int ComNumber() const override { return comNumber_; }
    QString DeviceFor(int comNumber) const override;
    // Any entry of the list exists: a malformed one then says so when it is opened.
    bool ComNumberExists(int comNumber) const override;

    PortOpenResult Open() override;
    void Close() override;
    bool IsOpen() const override { return open_; }

    bool SetBaud(int baud) override;
    int Baud() const override { return baud_; }
    bool SetParity(Parity parity) override;
    Parity CurrentParity() const override { return parity_; }

    void SetHardwareFlowControl(bool rtsCts) override { rtsCts_ = rtsCts; }
    bool HardwareFlowControl() const override { return rtsCts_; }

    void SetInputFlowThresholds(int stopAt, int resumeAt) override;
    int InputFlowStop() const override { return flowStop_; }
    int InputFlowResume() const override { return flowResume_; }

    void DiscardInput() override;
    int BytesAvailable() const override { return static_cast<int>(input_.size()); }
    QByteArray Read(int count) override;

    std::uint16_t OutputFreeSpace() const override;
    bool Write(const QByteArray& bytes) override;

    bool WaitForString(const QByteArray& text, int timeoutMs,
                       QByteArray* consumed = nullptr) override;

    ModemLines LineStates() override { return {}; }

private:
    void OnReadyRead();
    bool Pull();
    void ReportAvailable();
    void OnSocketFailure();
    PortOpenResult::Status OpenFailure(QAbstractSocket::SocketError error) const;

    QTcpSocket* socket_;
    int comNumber_ = 0;
    QString device_; // the entry of the open connection
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool rtsCts_ = true;
    int flowStop_ = DefaultInputFlowStop;
    int flowResume_ = DefaultInputFlowResume;
    int connectTimeoutMs_ = DefaultConnectTimeoutMs;

    bool open_ = false;
    bool connecting_ = false;
    bool connectStopped_ = false;
    QByteArray input_;
    bool failureReported_ = false;
    bool reporting_ = false;
    bool arrivedWhileReporting_ = false;
};

} // namespace tarvel
