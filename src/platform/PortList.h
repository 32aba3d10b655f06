#pragma once

#include <QString>
#include <QStringList>

#include <QList>

#include <optional>

namespace tarvel {

// What the system tells of a serial device; empty where it knows nothing (a pseudo-terminal).
struct PortDetails {
    QString Name;     // the port's name ("ttyUSB0", "COM3")
    QString Location; // the device path ("/dev/ttyUSB0", or \\.\COM3 on Windows)
    QString Description;
    QString Manufacturer;
    QString SerialNumber;
};

// One COM number of the list with the device behind it.
struct PortListEntry {
    int ComNumber = 0;
    QString Device; // empty: a COM number without a device
    PortDetails Details;
};

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

    // The separator of TARVEL_PORTS on this system.
    static QChar Separator();
    // The TARVEL_PORTS text that gives the list `devices` (ParseOverride's inverse), so a
    // program can choose its own ports the way the variable does.
    static QString OverrideText(const QStringList& devices, QChar separator = Separator());

    // The list with each device's details, matched by path or port name; pure.
    static QList<PortListEntry> Describe(const QStringList& list, const QList<PortDetails>& known);
    // Current() described with what the system reports now (a link is followed to its device).
    static QList<PortListEntry> CurrentEntries();
};

} // namespace tarvel
