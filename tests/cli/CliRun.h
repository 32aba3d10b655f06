#pragma once

#include <QString>
#include <QStringList>

namespace tarvel::test {

// What one run of the built tarvel-cli gave.
struct CliResult {
    bool Started = false;
    bool TimedOut = false; // killed at the time limit
    int ExitCode = -1;
    QString Out; // standard output
    QString Err; // standard error
};

// Runs the built tarvel-cli with `arguments` in `directory` and waits for its end (killing it
// after timeoutMs). The environment has no display at all (no DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM) and no TARVEL_PORTS; the link's times run at timeScale (TARVEL_TIME_SCALE).
CliResult RunCli(const QStringList& arguments, const QString& directory, double timeScale = 0.25,
                 int timeoutMs = 60000);

// The lines of a text, without the last empty one.
QStringList TextLines(const QString& text);

} // namespace tarvel::test
