#include "platform/StreamSerialPort.h"

#include "platform/PortList.h"
#include "platform/Waiter.h"

#include <QIODevice>
#include <QPointer>

#include <algorithm>

namespace tarvel {

StreamSerialPort::StreamSerialPort(QIODevice* stream, QObject* parent)
    : SerialPort(parent), stream_(stream) {
    stream_->setParent(this);
    connect(stream_, &QIODevice::readyRead, this, &StreamSerialPort::OnReadyRead);
}

bool StreamSerialPort::SetComNumber(int comNumber) {
    if (comNumber < FirstComNumber || comNumber > LastComNumber) {
        return false;
    }
    if (comNumber != comNumber_ && IsOpen()) {
        Close();
    }
    comNumber_ = comNumber;
    return true;
}

QString StreamSerialPort::DeviceFor(int comNumber) const {
    return PortList::DeviceFor(comNumber);
}

bool StreamSerialPort::SetBaud(int baud) {
    if (!IsSupportedBaud(baud)) {
        return false;
    }
    baud_ = baud;
    return !IsOpen() || ApplyBaud(baud);
}

bool StreamSerialPort::SetParity(Parity parity) {
    const int code = static_cast<int>(parity);
    if (code < static_cast<int>(Parity::None) || code > static_cast<int>(Parity::Space)) {
        return false;
    }
    parity_ = parity;
    return !IsOpen() || ApplyParity(parity);
}

void StreamSerialPort::SetInputFlowThresholds(int stopAt, int resumeAt) {
    flowStop_ = stopAt;
    flowResume_ = resumeAt;
}

void StreamSerialPort::DiscardInput() {
    input_.clear();
    if (IsOpen()) {
        stream_->readAll();
        DiscardStreamInput();
    }
}

QByteArray StreamSerialPort::Read(int count) {
    if (count <= 0) {
        return QByteArray();
    }
    QByteArray block = input_.left(count);
    input_.remove(0, block.size());
    return block;
}

std::uint16_t StreamSerialPort::OutputFreeSpace() const {
    if (!IsOpen()) {
        return 0;
    }
    const qint64 free = OutputBufferSize - stream_->bytesToWrite();
    return static_cast<std::uint16_t>(std::clamp<qint64>(free, 0, 0xFFFF));
}

bool StreamSerialPort::Write(const QByteArray& bytes) {
    if (!IsOpen()) {
        return false;
    }
    if (bytes.isEmpty()) {
        return true;
    }
    if (!WriteToStream(bytes)) {
        return false;
    }
    emit Written(bytes);
    // Hand the bytes to the system now rather than at the next event-loop pass; a failure
    // here closes the port like any other.
    const QPointer<StreamSerialPort> self(this);
    Flush();
    return self && IsOpen();
}

bool StreamSerialPort::WaitForString(const QByteArray& text, int timeoutMs, QByteArray* consumed) {
    if (!IsOpen()) {
        return false;
    }
    const QPointer<StreamSerialPort> self(this);
    Waiter::WaitUntil([this, &text] { return !IsOpen() || input_.contains(text); },
                      std::max(timeoutMs, 0), this);
    if (!self || !IsOpen()) {
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

void StreamSerialPort::OnReadyRead() {
    const QPointer<StreamSerialPort> self(this);
    if (IsOpen() && Pull() && self) {
        ReportAvailable();
    }
}

bool StreamSerialPort::Pull() {
    const QByteArray chunk = stream_->readAll();
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

void StreamSerialPort::ReportAvailable() {
    if (reporting_) {
        arrivedWhileReporting_ = true;
        return;
    }
    const QPointer<StreamSerialPort> self(this);
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
        if (IsOpen() && stream_->bytesAvailable() > 0 && Pull()) {
            if (!self) {
                return;
            }
            arrivedWhileReporting_ = true;
        }
    } while (arrivedWhileReporting_);
    reporting_ = false;
}

} // namespace tarvel
