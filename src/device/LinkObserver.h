#pragma once

#include "protocol/ConnectionMode.h"

#include <QString>

namespace tarvel {

// What the Serial Port menu and the hidden link controls show: the RS485CheckBox, the
// BaudComboBox index, the ticks of the Baud and Parity menus.
struct LinkSettings {
    ConnectionMode Mode = ConnectionMode::Direct;
    int BaudIndex = 0;       // BaudComboBox: 0 "38400", 1 "57600"
    bool DefaultBaud = true; // "Default values" ticked
    int Baud = 38400;        // the port's rate now (the ticked rate when DefaultBaud is false)
    int ParityCode = 0;      // 0..4: None, Odd, Even, Mark, Space
};

// What the link reports while it works. The window shows it; a program without a window
// may ignore any of it. Every call is a notification: none may wait, send or show a box.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // The one status line ("Sending command....", the resends, the search).
    virtual void StatusText(const QString& /*text*/) {}
    // An exchange waits for its reply: the controls that would start another one are off.
    virtual void Waiting(bool /*waiting*/) {}
    // Called in pairs: the hourglass while at least one is open.
    virtual void BusyCursor(bool /*on*/) {}
    // Called in pairs around a prompt wait: the window's Busy is held at 1 meanwhile and
    // restored afterwards.
    virtual void HoldBusy(bool /*on*/) {}

    // The progress window of a unit read: its text (shown, dots emptied), the dots, hidden.
    virtual void ProgressShown(const QString& /*text*/) {}
    virtual void ProgressDots(const QString& /*dots*/) {}
    virtual void ProgressHidden() {}

    // The link's model took values: a command stored what it carries (whether or not it went
    // out), or a status reply was read into it outside a read of every unit.
    virtual void ModelChanged() {}

    virtual void ConnectedChanged(bool /*connected*/) {}
    // The line failed under a connected link (adapter pulled, server closed the connection):
    // what the pages show is now the last read, not the units' state. After ConnectedChanged.
    virtual void LineLost() {}
    // The user's Disconnect (also from the unit count check): the pages follow.
    virtual void Disconnected() {}
    virtual void SettingsChanged(const LinkSettings& /*settings*/) {}
    virtual void ComNumberFound(int /*comNumber*/) {}
    // The RS-485 address texts of unit 1 and 2 (ZelvarID1Edit, ZelvarID2Edit).
    virtual void UnitAddressChanged(int /*unit*/, const QString& /*text*/, bool /*visible*/) {}
    // Unit 1's firmware version (Version1Label).
    virtual void VersionRead(const QString& /*text*/) {}
    // The user gave up in the "COM Port error" box: the port is closed and the link stays down.
    // The window ends the program at once with this exit code.
    virtual void Abandoned(int /*exitCode*/) {}
};

} // namespace tarvel
