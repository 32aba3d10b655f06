#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tarvel::test {

// What one run of the built tarvel program left behind.
struct RunResult {
    bool Started = false;
    bool TimedOut = false; // killed at the time limit
    int ExitCode = -1;
    QString Report;    // the script's report (TARVEL_SCRIPT=FILE writes FILE.report)
    QByteArray Output; // standard output and standard error
};

// Runs the built tarvel executable under the offscreen platform in a home of its own: a
// working directory (where Tarvel.ini lives), HOME, the XDG directories and TMPDIR (where the
// single-instance lock and socket live) all under `root`, so runs of parallel tests never meet.
// The working directory is kept from run to run, as an installer's would be.
class TarvelRun {
public:
    explicit TarvelRun(const QString& root);

    // The directory the program runs in.
    QString WorkDirectory() const { return work_; }
    QString IniPath() const { return work_ + QStringLiteral("/Tarvel.ini"); }

    // Writes the script (steps, one a line) as `name`.script and runs the program with it and
    // with TARVEL_PORTS = ports until it ends, killing it after timeoutMs.
    RunResult Run(const QString& name, const QStringList& steps, const QString& ports,
                  int timeoutMs = 60000) const;

private:
    QString root_;
    QString work_;
};

// The report as lines (without the final empty one).
QStringList Lines(const QString& report);

} // namespace tarvel::test
