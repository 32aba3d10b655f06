#pragma once

#include "cli/ExitCode.h"
#include "config/ConfigurationDiff.h"
#include "config/FileSendInput.h"
#include "config/SendPlan.h"
#include "model/ChannelSettings.h"

#include <vector>

namespace tarvel {

class CliLink;
class Console;
struct CliOptions;

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
    // Reads the units again and reports what still differs.
    ExitCode Verify(CliLink& link, const SendPlan& whole, const FileSendInput& input);
    // Success when nothing is left; otherwise each difference with why a send leaves it.
    ExitCode Report(const std::vector<SettingDifference>& left, const SendPlan& whole,
                    const FileSendInput& input);

    const CliOptions& options_;
    Console& console_;
    SettingsModel& file_; // the link's model: the send stores in it what it sends
    SettingsModel loaded_;
};

} // namespace tarvel
