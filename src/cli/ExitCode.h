#pragma once

namespace tarvel {

// How tarvel-cli ends. A script tells the failures apart by these; docs/cli.md lists them.
enum class ExitCode : int {
    Success = 0,
    Differ = 1,        // diff: the two differ (0 when they are equal), as diff does
    Usage = 2,         // an unknown command or option, a missing or bad argument
    NoUnits = 3,       // the search found no unit, or the controller sees none
    LineFailed = 4,    // a unit stopped answering, the line was lost or a read or send failed
    FileError = 5,     // a file is missing, of the wrong size, or cannot be written
    Interrupted = 130, // stopped by a signal (Ctrl-C); the journal is still saved
};

inline int ToInt(ExitCode code) {
    return static_cast<int>(code);
}

} // namespace tarvel
