#pragma once

#include "protocol/ConnectionMode.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvel {

enum class CliCommand { Ports, Search, Read, Send, Show, Diff };

// What the command line asks for, checked: every value is one the program can use.
struct CliOptions {
    CliCommand Command = CliCommand::Ports;

    // --port: a COM number of the port list, or a device that becomes COM 1. Neither: COM 1
    // to COM 8 are searched as the window searches them.
    int ComNumber = 0;
    QString Device;
    std::optional<ConnectionMode> Mode; // --mode; none: direct first, then controller
    int Baud = 0;                       // --baud; 0: the mode's own rate
    int Retries = 2;                    // --retries
    QString JournalPath;                // --journal

    bool Quiet = false;
    bool Verbose = false;
    bool Json = false;

    QString OutputPath; // read -o
    QStringList Files;  // send and show: one; diff: two, or one with --live

    bool ChangesOnly = false;
    bool DryRun = false;
    bool SystemSave = false;
    int Units =
        0; // send --dry-run: the units the plan is for; 0: 2 through a controller, 1 directly
    bool Live = false;
    bool Status = false; // diff: compare what the units only report too
};

} // namespace tarvel
