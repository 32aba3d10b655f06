#pragma once

#include "cli/ExitCode.h"
#include "config/FileSendInput.h"
#include "config/SendPlan.h"

namespace tarvel {

class CliLink;
class Console;
struct CliOptions;
struct SettingsModel;

// tarvel-cli send: the window's "Send Current Settings to Zelvar(s)" after "Open Configuration
// File", from the file alone. The plan is the window's (SendInputFromFile, BuildSendPlan);
// --changes-only keeps its steps for what differs from the units and checks the units
// afterwards; --dry-run prints it; --system-save stores the result in the units at the end.
class CliSend {
public:
    CliSend(const CliOptions& options, Console& console, SettingsModel& file);

    ExitCode Run();

private:
    ExitCode DryRunWithoutPort();
    // The whole plan for these units: FileError (printed) when the file holds a value the
    // pages refuse, since a script wants all of a file or none of it.
    ExitCode MakePlan(int units, ConnectionMode mode, FileSendInput& input, SendPlan& plan);
    void PrintPlan(const SendPlan& plan, ConnectionMode mode, int address1, int address2);
    ExitCode RunPlan(CliLink& link, const SendPlan& plan);
    ExitCode SystemSave(CliLink& link, int units);
    ExitCode Verify(CliLink& link, const SendPlan& whole, const FileSendInput& input);

    const CliOptions& options_;
    Console& console_;
    SettingsModel& file_;
};

} // namespace tarvel
