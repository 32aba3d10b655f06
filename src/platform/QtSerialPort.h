#pragma once

#include "platform/StreamSerialPort.h"

#include <QSerialPort>

#include <optional>

namespace tarvel {

// SerialPort on QSerialPort.
//
// Devices are named by full path (a pseudo-terminal such as /dev/pts/3 included), taken from
// PortList. Notes on QSerialPort (Qt 6.4) that shape this class:
// - On Unix it guards each device with a lock file (/run/lock/LCK..pts_3 for /dev/pts/3). A
//   lock held by another process, or by a second QSerialPort in this one, is reported as
//   PermissionError, so a permission error is classified again here: a device that the user
//   may open is in use, anything else is a real lack of permission. Locks left by a process
//   that died are found stale by QLockFile and do not block the next open.
// - A pseudo-terminal whose far end closed reports ReadError over and over until the port is
//   closed; the first ReadError, ResourceError or WriteError closes the port.
// - QSerialPort has no input flow thresholds. They are stored only: with RTS/CTS the driver
//   drops RTS when its own buffer fills, which is what the thresholds asked for.
class QtSerialPort : public StreamSerialPort {
    Q_OBJECT

public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool ComNumberExists(int comNumber) const override;

    PortOpenResult Open() override;
    void Close() override;
    bool IsOpen() const override;

    ModemLines LineStates() override;

private:
    bool ApplyBaud(int baud) override;
    bool ApplyParity(Parity parity) override;
    void DiscardStreamInput() override;
    bool WriteToStream(const QByteArray& bytes) override;
    void Flush() override;
    void OnError(QSerialPort::SerialPortError error);
    PortOpenResult::Status ClassifyPermissionError(const QString& device) const;

    QSerialPort* port_;
    QString device_; // the device of the open connection
    bool failureReported_ = false;
    std::optional<bool> linesSupported_;
};

} // namespace tarvel
