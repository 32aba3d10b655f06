#pragma once

#include "cli/CliLinkObserver.h"
#include "cli/CliLinkUser.h"
#include "cli/ExitCode.h"
#include "cli/InterruptWatch.h"
#include "device/DeviceLink.h"
#include "platform/QtSerialPort.h"

#include <QString>

namespace tarvel {

class Console;
struct CliOptions;
struct SettingsModel;

// The tool's one link to the units: the port the options choose, the link over the given
// model with the tool's policy and progress, the journal shown (--verbose) and saved
// (--journal), Ctrl-C turned into the end of every wait.
class CliLink {
public:
    CliLink(const CliOptions& options, Console& console, SettingsModel& model);
    ~CliLink();
    CliLink(const CliLink&) = delete;
    CliLink& operator=(const CliLink&) = delete;

    DeviceLink& Link() { return link_; }

    // Connects as --port and --mode say (or searches as the window does), then picks --baud.
    // Success, or the failure printed: NoUnits, Interrupted.
    ExitCode Connect();
    // "controller on COM 1 (/dev/ttyUSB0), 57600 baud"
    QString Where() const;

    // Reads the units in use into `units`: Success, or the failure printed.
    ExitCode ReadInto(SettingsModel& units);
    // The unit count a send is planned for: 1 directly, the controller's count (at most 2)
    // otherwise. Success, or the failure printed.
    ExitCode CountUnits(SettingsModel& model, int& count);

    // A link operation did not go through: prints what happened (the link's last message
    // after `what`) and gives LineFailed, or Interrupted after Ctrl-C.
    ExitCode LineFailure(const QString& what);
    bool Interrupted() const { return interrupts_.Caught(); }

    // Saves --journal (when given): the code, or FileError when it cannot be written and
    // nothing else failed before.
    ExitCode Finish(ExitCode code);

private:
    const CliOptions& options_;
    Console& console_;
    bool portsChosen_; // before the port exists
    QtSerialPort port_;
    CliLinkUser user_;
    CliLinkObserver observer_;
    DeviceLink link_;
    InterruptWatch interrupts_;
};

} // namespace tarvel
