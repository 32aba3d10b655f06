#pragma once

#include "platform/SerialPort.h"

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
class QtSerialPort : public SerialPort {
    Q_OBJECT

public:
    explicit QtSerialPort(QObject* parent = nullptr);
    ~QtSerialPort() override;

    bool SetComNumber(int comNumber) override;
    int ComNumber() const override { return comNumber_; }
    QString DeviceFor(int comNumber) const override;
    bool ComNumberExists(int comNumber) const override;

    PortOpenResult Open() override;
    void Close() override;
    bool IsOpen() const override;

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

    ModemLines LineStates() override;

private:
    void OnReadyRead();
    // Moves what QSerialPort has read into the input buffer; false when there was nothing.
    bool Pull();
    bool WriteToDriver(const QByteArray& bytes);
    void OnError(QSerialPort::SerialPortError error);
    void ReportAvailable();
    PortOpenResult::Status ClassifyPermissionError(const QString& device) const;

    QSerialPort* port_;
    int comNumber_ = 0;
    QString device_; // the device of the open connection
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool rtsCts_ = true;
    int flowStop_ = DefaultInputFlowStop;
    int flowResume_ = DefaultInputFlowResume;

    QByteArray input_;
    bool failureReported_ = false;
    std::optional<bool> linesSupported_;
    bool reporting_ = false;
    bool arrivedWhileReporting_ = false;
};

} // namespace tarvel
