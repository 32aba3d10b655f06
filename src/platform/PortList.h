#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvel {

// Which device "COM n" means: the n-th entry of the port list, COM1 first.
//
// With TARVEL_PORTS set, the list is that variable: device paths separated by ':' (';' on
// Windows); an empty entry is a COM number without a device. Otherwise, on Windows, COM n is
// "COMn"; elsewhere the list is the system's serial ports, USB adapters (ttyUSB*, ttyACM*)
// first, then the others, each group in name order (numbers compared as numbers, so ttyS2
// comes before ttyS10).
class PortList {
public:
    static constexpr const char* EnvironmentVariable = "TARVEL_PORTS";

    // The list from its inputs; pure. An empty string in the result is a COM number without
    // a device. On Windows without an override the list holds COM1..COM8.
    static QStringList Build(const std::optional<QString>& override, bool windows,
                             const QStringList& systemPorts);

    static QStringList ParseOverride(const QString& text, QChar separator);
    static QStringList OrderSystemPorts(QStringList systemPorts);
    static bool IsUsbAdapter(const QString& device);

    // The list for this process now: TARVEL_PORTS, or the system's ports.
    static QStringList Current();
    // The device for COM n from Current(); empty when COM n has none.
    static QString DeviceFor(int comNumber);
    // The system's serial ports as QSerialPortInfo reports them (system locations).
    static QStringList SystemPorts();
};

} // namespace tarvel
