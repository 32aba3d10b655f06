#pragma once

#include <QList>
#include <QString>

namespace tarvel {

// One entry of the port list as a person recognises it: the COM number, the device path or
// network address, and what the system knows of a USB adapter behind it.
struct PortDescription {
    int ComNumber = 0;
    QString Device; // empty: the COM number has no device
    bool Network = false;
    QString Description; // "FT232R USB UART"; empty where unknown
    QString Manufacturer;
    QString SerialNumber;

    // "COM 2  /dev/ttyUSB0  FT232R USB UART, FTDI, serial number A50285BI"; a network port
    // says so, a COM number without a device says "no device".
    QString Text() const;

    // The port list now (PortList::Current()), every entry described with the system's serial
    // port information (QSerialPortInfo).
    static QList<PortDescription> CurrentList();
    // Where the list comes from, in a sentence: TARVEL_PORTS, the system, a chosen first port.
    static QString ListSource();
};

} // namespace tarvel
