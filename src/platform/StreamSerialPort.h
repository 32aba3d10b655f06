#pragma once

#include "platform/SerialPort.h"

#include <QByteArray>

class QIODevice;

namespace tarvel {

// What a serial port on a Qt byte stream (QSerialPort, QTcpSocket) does the same whatever the
// stream: the COM number and the line settings kept, the input buffer filled from the stream
// and handed out by Read and WaitForString, DataAvailable reported without re-entering, and
// the write's Written signal and flush. The port classes open, close and fail their own way.
class StreamSerialPort : public SerialPort {
    Q_OBJECT

public:
    bool SetComNumber(int comNumber) override;
    int ComNumber() const override { return comNumber_; }
    QString DeviceFor(int comNumber) const override;

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

protected:
    // Takes `stream` as its child.
    StreamSerialPort(QIODevice* stream, QObject* parent);

    // The stream's way of a setting while open; the rest is kept here.
    virtual bool ApplyBaud(int) { return true; }
    virtual bool ApplyParity(Parity) { return true; }
    virtual void DiscardStreamInput() {}
    // Writes all the bytes or fails; then the flush that hands them to the system.
    virtual bool WriteToStream(const QByteArray& bytes) = 0;
    virtual void Flush() = 0;

    // Moves what the stream holds into the input buffer; false when there was nothing.
    bool Pull();
    // DataAvailable for what is buffered, once at a time; bytes the stream got meanwhile
    // (Qt does not signal readyRead again while a slot of it runs) are fetched here.
    void ReportAvailable();
    void ClearInput() { input_.clear(); }
    QIODevice* Stream() const { return stream_; }

    int comNumber_ = 0;
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool rtsCts_ = true;

private:
    void OnReadyRead();

    QIODevice* stream_;
    int flowStop_ = DefaultInputFlowStop;
    int flowResume_ = DefaultInputFlowResume;
    QByteArray input_;
    bool reporting_ = false;
    bool arrivedWhileReporting_ = false;
};

} // namespace tarvel
