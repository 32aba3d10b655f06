#pragma once

#include "platform/QtSerialPort.h"
#include "platform/TcpSerialPort.h"

namespace tarvel {

// The program's port: COM n is whatever the port list's n-th entry names. A device path is
// opened as a serial port (QtSerialPort), a "tcp://HOST:PORT" entry as a network serial server
// (TcpSerialPort); the link above sees one SerialPort either way.
//
// Which of the two serves is decided when the port is opened, from the entry the COM number
// has then; while it is open every call goes to that one. Settings go to both, so either
// opens with what the link chose.
class ComPort : public SerialPort {
    Q_OBJECT

public:
    explicit ComPort(QObject* parent = nullptr);
    ~ComPort() override;

    // Whether the open connection (or, closed, the current COM number's entry) is a network
    // port.
    bool IsNetwork() const;
    TcpSerialPort& Network() { return network_; }

    bool SetComNumber(int comNumber) override;
    int ComNumber() const override { return comNumber_; }
    QString DeviceFor(int comNumber) const override;
    bool ComNumberExists(int comNumber) const override;

    PortOpenResult Open() override;
    void Close() override;
    bool IsOpen() const override { return active_->IsOpen(); }

    bool SetBaud(int baud) override;
    int Baud() const override { return serial_.Baud(); }
    bool SetParity(Parity parity) override;
    Parity CurrentParity() const override { return serial_.CurrentParity(); }

    void SetHardwareFlowControl(bool rtsCts) override;
    bool HardwareFlowControl() const override { return serial_.HardwareFlowControl(); }

    void SetInputFlowThresholds(int stopAt, int resumeAt) override;
    int InputFlowStop() const override { return serial_.InputFlowStop(); }
    int InputFlowResume() const override { return serial_.InputFlowResume(); }

    void DiscardInput() override { active_->DiscardInput(); }
    int BytesAvailable() const override { return active_->BytesAvailable(); }
    QByteArray Read(int count) override { return active_->Read(count); }

    std::uint16_t OutputFreeSpace() const override { return active_->OutputFreeSpace(); }
    bool Write(const QByteArray& bytes) override { return active_->Write(bytes); }

    bool WaitForString(const QByteArray& text, int timeoutMs,
                       QByteArray* consumed = nullptr) override {
        return active_->WaitForString(text, timeoutMs, consumed);
    }

    ModemLines LineStates() override { return active_->LineStates(); }

private:
    void Forward(SerialPort& inner);

    QtSerialPort serial_;
    TcpSerialPort network_;
    SerialPort* active_;
    int comNumber_ = 0;
};

} // namespace tarvel
