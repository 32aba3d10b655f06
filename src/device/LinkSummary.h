#pragma once

#include "protocol/ConnectionMode.h"

#include <QString>
#include <QStringList>

namespace tarvel {

class DeviceLink;

// The link's state in one line, for the window's status bar and for reports: "Not connected",
// or the mode, the port as COM n with its device, the line speed and the units with their
// addresses: "Controller · COM 1 (/dev/ttyUSB0) · 57600 · units 3 and 7".
struct LinkSummary {
    bool Connected = false;
    ConnectionMode Mode = ConnectionMode::Direct;
    int ComNumber = 0;
    QString Device;       // the path or network address the link opened
    bool Network = false; // the rate is the server's: none is shown
    int Baud = 0;
    QStringList UnitAddresses; // through a controller: the units it counted on this connection

    static LinkSummary Of(const DeviceLink& link);
    QString Text() const;

    static const QString NotConnectedText; // "Not connected"
};

} // namespace tarvel
