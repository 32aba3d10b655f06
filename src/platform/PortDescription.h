#pragma once

#include "platform/PortList.h"

#include <QString>
#include <QStringList>

namespace tarvel {

// The port list as a person reads it (the connection help window, the support report): each
// COM number with its device path or network address and what the system knows of a USB
// adapter behind it, and where the list comes from.
class PortDescription {
public:
    // "COM 2  /dev/ttyUSB0  FT232R USB UART, FTDI, serial number A50285BI"; a network port
    // says so, a COM number without a device says "no device".
    static QString Text(const PortListEntry& entry);
    // PortList::CurrentEntries(), one line each.
    static QStringList CurrentLines();
    // Where the list comes from, in a sentence: TARVEL_PORTS, the system, a chosen first port.
    static QString ListSource();
};

} // namespace tarvel
