#pragma once

#include "device/LinkTiming.h"

#include <QString>

#include <functional>

namespace tarvel {

class FileDialogs;
class MessageBoxes;
class TTarvelForm;

// What the program's entry does, so tests can run it in a child process without the
// executable.
struct StartOptions {
    QString InstanceKey;              // the single-instance name; the program's own when empty
    MessageBoxes* Messages = nullptr; // not owned; real message boxes when null
    FileDialogs* Dialogs = nullptr;   // not owned; the real open and save dialogs when null
    LinkTiming Timing = LinkTiming::Real(); // the link's time-outs, pauses and settles
    // Runs after the main window is shown and before the event loop (a test hook).
    std::function<void(TTarvelForm&)> BeforeLoop;
};

inline const QString AlreadyRunningMessage = QStringLiteral(
    "Error! Already have an instance of the Tarvel running on this PC. Exiting application.");

// Needs the TarvelApplication object. A second start shows AlreadyRunningMessage, has the
// running instance bring its window to the front and returns 0 without creating a window.
// Otherwise creates the main window (with its progress and help windows), shows it and runs
// the event loop until it closes. An exception escaping start-up or the loop is shown with
// its message and the result is 0. Returns the event loop's exit code.
int RunTarvel(const StartOptions& options = {});

} // namespace tarvel
