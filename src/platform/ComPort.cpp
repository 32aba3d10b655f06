#include "platform/ComPort.h"

#include "platform/PortList.h"

namespace tarvel {

ComPort::ComPort(QObject* parent) : SerialPort(parent), active_(&serial_) {
    Forward(serial_);
    Forward(network_);
}

ComPort::~ComPort() {
    // The inner ports close quietly as they go.
    disconnect(&serial_, nullptr, this, nullptr);
    disconnect(&network_, nullptr, this, nullptr);
}

void ComPort::Forward(SerialPort& inner) {
    connect(&inner, &SerialPort::DataAvailable, this, &SerialPort::DataAvailable);
    connect(&inner, &SerialPort::Received, this, &SerialPort::Received);
    connect(&inner, &SerialPort::Written, this, &SerialPort::Written);
    connect(&inner, &SerialPort::OpenChanged, this, &SerialPort::OpenChanged);
    connect(&inner, &SerialPort::Failed, this, &SerialPort::Failed);
}

bool ComPort::IsNetwork() const {
    if (active_->IsOpen()) {
        return active_ == &network_;
    }
    return PortList::IsNetworkPort(DeviceFor(comNumber_));
}

bool ComPort::SetComNumber(int comNumber) {
    if (comNumber < FirstComNumber || comNumber > LastComNumber) {
        return false;
    }
    // Both follow, so the one that opens has the number; an open one on another number closes.
    serial_.SetComNumber(comNumber);
    network_.SetComNumber(comNumber);
    comNumber_ = comNumber;
    return true;
}

QString ComPort::DeviceFor(int comNumber) const {
    return PortList::DeviceFor(comNumber);
}

bool ComPort::ComNumberExists(int comNumber) const {
    return PortList::IsNetworkPort(DeviceFor(comNumber)) ? network_.ComNumberExists(comNumber)
                                                         : serial_.ComNumberExists(comNumber);
}

PortOpenResult ComPort::Open() {
    if (!active_->IsOpen()) {
        active_ = PortList::IsNetworkPort(DeviceFor(comNumber_))
                      ? static_cast<SerialPort*>(&network_)
                      : &serial_;
    }
    return active_->Open();
}

void ComPort::Close() {
    serial_.Close();
    network_.Close();
}

bool ComPort::SetBaud(int baud) {
    const bool serial = serial_.SetBaud(baud);
    const bool network = network_.SetBaud(baud);
    return active_ == &network_ ? network : serial;
}

bool ComPort::SetParity(Parity parity) {
    const bool serial = serial_.SetParity(parity);
    const bool network = network_.SetParity(parity);
    return active_ == &network_ ? network : serial;
}

void ComPort::SetHardwareFlowControl(bool rtsCts) {
    serial_.SetHardwareFlowControl(rtsCts);
    network_.SetHardwareFlowControl(rtsCts);
}

void ComPort::SetInputFlowThresholds(int stopAt, int resumeAt) {
    serial_.SetInputFlowThresholds(stopAt, resumeAt);
    network_.SetInputFlowThresholds(stopAt, resumeAt);
}

} // namespace tarvel
