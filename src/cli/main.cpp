// tarvel-cli: the units' configuration backed up, restored, shown and compared without the
// window (docs/cli.md). Runs on the device core; links no Qt Widgets or Gui, so it needs no
// display.

#include "cli/CliTool.h"
#include "cli/CommandLine.h"
#include "cli/Console.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarvel-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVEL_VERSION));

    const tarvel::CommandLine::Parsed parsed =
        tarvel::CommandLine::Parse(QCoreApplication::arguments());
    switch (parsed.What) {
    case tarvel::CommandLine::Outcome::Help:
    case tarvel::CommandLine::Outcome::Version:
        std::fputs(parsed.Text.toLocal8Bit().constData(), stdout);
        return tarvel::ToInt(tarvel::ExitCode::Success);
    case tarvel::CommandLine::Outcome::Error:
        std::fprintf(stderr, "tarvel-cli: %s\n", parsed.Text.toLocal8Bit().constData());
        return tarvel::ToInt(tarvel::ExitCode::Usage);
    case tarvel::CommandLine::Outcome::Run:
        break;
    }
    const tarvel::CliOptions& options = parsed.Options;
    tarvel::Console console(options.Quiet     ? tarvel::Console::Verbosity::Quiet
                            : options.Verbose ? tarvel::Console::Verbosity::Verbose
                                              : tarvel::Console::Verbosity::Normal,
                            tarvel::Console::StandardErrorIsTerminal());
    return tarvel::ToInt(tarvel::CliTool(options, console).Run());
}
