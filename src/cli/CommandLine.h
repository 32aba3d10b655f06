#pragma once

#include "cli/CliOptions.h"

#include <QString>
#include <QStringList>

namespace tarvel {

// The command line of tarvel-cli, read with QCommandLineParser: a command, its arguments and
// options, in any order; --help for the program and for each command.
class CommandLine {
public:
    enum class Outcome {
        Run,     // Options hold what to do
        Help,    // Text is the help to print on standard output
        Version, // Text is the version line
        Error,   // Text says what is wrong (one line)
    };

    struct Parsed {
        Outcome What = Outcome::Error;
        CliOptions Options;
        QString Text;
    };

    // arguments as QCoreApplication::arguments() gives them, the program first.
    static Parsed Parse(const QStringList& arguments);
};

} // namespace tarvel
