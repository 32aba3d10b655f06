#pragma once

#include <QObject>
#include <QPointer>

class QTimer;

namespace tarvel {

class SerialPort;
class StatusLight;

// The line-status lights' controller: while monitoring (the link is connected) TXD and RXD
// blink with every chunk written and received, and DCD and CTS follow the modem lines, read
// every PollMs. A port without modem lines (a pseudo-terminal) leaves DCD and CTS dark; that
// is no error. Without monitoring all four are dark.
class LineStatusMonitor : public QObject {
    Q_OBJECT

public:
    static constexpr int PollMs = 250;

    struct Lights {
        StatusLight* Txd;
        StatusLight* Rxd;
        StatusLight* Dcd;
        StatusLight* Cts;
    };

    LineStatusMonitor(const Lights& lights, QObject* parent = nullptr);

    void SetPort(SerialPort* port);
    bool Monitoring() const { return monitoring_; }
    void SetMonitoring(bool on);
    // Reads the modem lines now.
    void Poll();

private:
    Lights lights_;
    QPointer<SerialPort> port_;
    QTimer* pollTimer_;
    bool monitoring_ = false;
};

} // namespace tarvel
