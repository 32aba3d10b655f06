#pragma once

#include "platform/PortOpenResult.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <cstdint>

namespace tarvel {

// Parity codes as the program numbers them.
enum class Parity { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };

// The modem lines that the line-status lights show. A port without modem lines (a
// pseudo-terminal) reports Supported false; that is not an error.
struct ModemLines {
    bool Supported = false;
    bool Dcd = false;
    bool Cts = false;
};

// The serial port as the program uses it: one port, addressed by COM number, everything on the
// GUI thread.
//
// Incoming bytes are taken from the driver into the port's own input buffer as they arrive.
// DataAvailable reports how many bytes that buffer holds; Read takes from its front;
// DiscardInput empties it; WaitForString scans it. Bytes that nobody reads stay buffered (up to
// InputBufferLimit bytes; beyond that the oldest are dropped).
//
// When the port fails under the program (adapter pulled, far end closed) it closes itself at
// once and emits Failed exactly once for that connection. Modem-line queries that the device
// does not support are not failures.
class SerialPort : public QObject {
    Q_OBJECT

public:
    static constexpr int FirstComNumber = 1;
    static constexpr int LastComNumber = 8;
    static constexpr int DefaultInputFlowStop = 3686;  // fill at which the port drops RTS
    static constexpr int DefaultInputFlowResume = 409; // fill at which it raises RTS again
    static constexpr int OutputBufferSize = 4096;      // what OutputFreeSpace counts against
    static constexpr int InputBufferLimit = 64 * 1024;

    using QObject::QObject;
    ~SerialPort() override = default;

    static bool IsSupportedBaud(int baud);

    // Selects the port by COM number (1..8). An open port on another number is closed; the
    // caller opens the new one. Numbers out of range are refused (false).
    virtual bool SetComNumber(int comNumber) = 0;
    virtual int ComNumber() const = 0;
    // The device behind a COM number (empty when there is none); for messages.
    virtual QString DeviceFor(int comNumber) const = 0;
    // Whether a COM number has a device, without opening it. A device that is in use, by this
    // program or another, exists.
    virtual bool ComNumberExists(int comNumber) const = 0;

    virtual PortOpenResult Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Baud (9600, 19200, 38400, 57600) and parity take effect at once on an open port and are
    // kept for the next open. An unsupported baud is refused (false).
    virtual bool SetBaud(int baud) = 0;
    virtual int Baud() const = 0;
    virtual bool SetParity(Parity parity) = 0;
    virtual Parity CurrentParity() const = 0;

    // RTS/CTS hardware flow control; applied when the port is next opened.
    virtual void SetHardwareFlowControl(bool rtsCts) = 0;
    virtual bool HardwareFlowControl() const = 0;

    // Input flow thresholds are kept for the program's bookkeeping only: the driver's own
    // buffering and flow control stand in for them (see QtSerialPort).
    virtual void SetInputFlowThresholds(int stopAt, int resumeAt) = 0;
    virtual int InputFlowStop() const = 0;
    virtual int InputFlowResume() const = 0;

    virtual void DiscardInput() = 0;
    virtual int BytesAvailable() const = 0;
    // Up to count bytes from the front of the input buffer.
    virtual QByteArray Read(int count) = 0;

    // Room left in the output buffer, as a 16-bit count; 0 when the port is closed.
    virtual std::uint16_t OutputFreeSpace() const = 0;
    // Queues the bytes for sending; false when the port is closed.
    virtual bool Write(const QByteArray& bytes) = 0;

    // Waits up to timeoutMs, with window messages running, for text to appear in the input
    // (case-sensitive). On success the input up to and including the text is consumed (and
    // handed to `consumed` when given); on a time-out nothing is consumed. Returns false at once
    // when the port is closed, and when it closes or fails during the wait.
    virtual bool WaitForString(const QByteArray& text, int timeoutMs,
                               QByteArray* consumed = nullptr) = 0;

    virtual ModemLines LineStates() = 0;

signals:
    // The input buffer has grown; count is the number of bytes it holds now. Not emitted again
    // while a slot of it is still running; bytes that arrive meanwhile are reported after it
    // returns.
    void DataAvailable(int count);
    // Every chunk taken from the driver and every chunk written, for the terminal and the
    // TXD/RXD lights.
    void Received(const QByteArray& bytes);
    void Written(const QByteArray& bytes);
    // The port was opened or closed, by the program or by a failure.
    void OpenChanged(bool open);
    // The port failed under the program and has been closed; once per connection.
    void Failed(const QString& message);
};

} // namespace tarvel
