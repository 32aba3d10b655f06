#include "ui/LineStatusMonitor.h"

#include "platform/SerialPort.h"
#include "ui/StatusLight.h"

#include <QTimer>

namespace tarvel {

LineStatusMonitor::LineStatusMonitor(const Lights& lights, QObject* parent)
    : QObject(parent), lights_(lights), pollTimer_(new QTimer(this)) {
    pollTimer_->setInterval(PollMs);
    connect(pollTimer_, &QTimer::timeout, this, &LineStatusMonitor::Poll);
}

void LineStatusMonitor::SetPort(SerialPort* port) {
    if (port_ != nullptr) {
        disconnect(port_, nullptr, this, nullptr);
    }
    port_ = port;
    if (port == nullptr) {
        return;
    }
    connect(port, &SerialPort::Written, this, [this] {
        if (monitoring_) {
            lights_.Txd->Blink();
        }
    });
    connect(port, &SerialPort::Received, this, [this] {
        if (monitoring_) {
            lights_.Rxd->Blink();
        }
    });
}

void LineStatusMonitor::SetMonitoring(bool on) {
    monitoring_ = on;
    if (on) {
        Poll();
        pollTimer_->start();
        return;
    }
    pollTimer_->stop();
    for (StatusLight* light : {lights_.Txd, lights_.Rxd, lights_.Dcd, lights_.Cts}) {
        light->SetLit(false);
    }
}

void LineStatusMonitor::Poll() {
    ModemLines lines;
    if (monitoring_ && port_ != nullptr) {
        lines = port_->LineStates();
    }
    lights_.Dcd->SetLit(lines.Supported && lines.Dcd);
    lights_.Cts->SetLit(lines.Supported && lines.Cts);
}

} // namespace tarvel
