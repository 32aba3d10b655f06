#pragma once

#include <QString>

namespace tarvel {

// Why a port did not open, with what the user needs to put it right.
struct PortOpenResult {
    enum class Status {
        Opened,
        NoSuchPort,       // the COM number has no device, or the device is gone
        PermissionDenied, // the user may not open the device
        InUse,            // another program (or another port object) holds the device
        OtherError,       // anything else; SystemText says what
        // A network port (NetworkAddress):
        InvalidAddress, // the entry is not tcp://HOST:PORT
        Refused,        // nothing listens there, or the server turned the connection down
        HostNotFound,   // the host name has no address
        Unreachable,    // the network cannot reach the host; SystemText says why
        TimedOut,       // no answer within the connect time
    };

    Status Outcome = Status::Opened;
    int ComNumber = 0;
    QString Device;     // the device behind the COM number; empty when it has none
    QString Group;      // PermissionDenied on Unix: the group that owns the device
    QString SystemText; // the system's own description of the error
    int TimeoutMs = 0;  // TimedOut: how long the connect waited

    bool Ok() const { return Outcome == Status::Opened; }
    bool NetworkFailure() const { return Outcome >= Status::InvalidAddress; }

    // One plain sentence for a message box or the status bar, naming the device and, when
    // permission is missing, how to get it.
    QString Describe() const;

    // "COM 3 (/dev/ttyUSB0)", or "COM 3" where the device is just the Windows port name.
    static QString PortLabel(int comNumber, const QString& device);

    // A network failure on its own, for callers that word the rest themselves: what happened
    // and what to check. Empty for any other outcome.
    QString NetworkText() const;

    // The permission text on its own, for callers that word the rest themselves.
    static QString PermissionText(const QString& device, const QString& group);

    // The name of the group that owns a device file (Unix); empty where unknown or on systems
    // without device groups.
    static QString OwningGroup(const QString& device);
};

} // namespace tarvel
