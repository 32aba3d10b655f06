#pragma once

#include <QString>
#include <QStringList>

namespace tarvel {

// The window program's command line, read before the application object exists, so that
// --help and --version need no display. Qt's own options (-platform, -style, ...) pass through
// to the application; anything else is a usage error.
struct ProgramCommandLine {
    static constexpr int UsageErrorCode = 2;

    bool Run = true; // false: print and end with ExitCode
    int ExitCode = 0;
    QString Output; // for the standard output stream
    QString Error;  // for the standard error stream

    // arguments[0] is the program as started.
    static ProgramCommandLine Parse(const QStringList& arguments);
};

} // namespace tarvel
