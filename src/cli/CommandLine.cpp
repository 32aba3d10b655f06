#include "cli/CommandLine.h"

#include "platform/PortList.h"
#include "platform/SerialPort.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <vector>

namespace tarvel {

namespace {

const QString ProgramName = QStringLiteral("tarvel-cli");

const QString ProgramDescription = QStringLiteral(
    "Backs up, restores, shows and compares the configuration of Zelvar units without the "
    "window.\n"
    "\n"
    "Commands:\n"
    "  ports    the serial ports as Tarvel numbers them (COM 1, COM 2, ...)\n"
    "  search   finds the units: mode, port, line speed, units, addresses, firmware\n"
    "  read     reads every unit into a configuration file (.zvc)\n"
    "  send     sends a configuration file to the units\n"
    "  show     shows what a configuration file holds\n"
    "  diff     compares two configuration files, or a file with the units\n"
    "\n"
    "Run 'tarvel-cli COMMAND --help' for a command's arguments and options.\n"
    "\n"
    "Exit codes: 0 done (diff: equal), 1 diff: they differ, 2 usage,\n"
    "3 no units found, 4 the line failed, 5 a file error, 130 interrupted (docs/cli.md).");

enum Group : unsigned {
    Output = 1,    // --quiet, --verbose
    Json = 2,      // --json
    Link = 4,      // --port, --mode, --baud, --retries, --journal
    ReadOnly = 8,  // -o
    SendOnly = 16, // --changes-only, --dry-run, --system-save, --units
    DiffOnly = 32, // --live, --status
};

struct ArgumentSpec {
    const char* Name;
    const char* Description;
};

struct CommandSpec {
    CliCommand Command;
    const char* Name;
    std::array<ArgumentSpec, 2> Arguments; // the usage line's arguments, then none
    const char* Description;
    unsigned Groups;
};

const std::array<CommandSpec, 6> Commands{{
    {CliCommand::Ports,
     "ports",
     {},
     "Lists the serial ports as Tarvel numbers them, COM 1 first (TARVEL_PORTS, or the "
     "system's ports with USB adapters first), with each device and, where the system knows "
     "them, the USB adapter's description, manufacturer and serial number.",
     Output | Json},
    {CliCommand::Search,
     "search",
     {},
     "Searches for units as \"Search....\" does (COM 1 to COM 8 directly, then through a "
     "controller) or as --port and --mode say, and shows what it found: mode, port, line "
     "speed, number of units, their addresses and firmware versions.",
     Output | Json | Link},
    {CliCommand::Read,
     "read",
     {},
     "Reads every unit into a configuration file: the same 1720 bytes as \"Save "
     "Configuration to File\" after a read in the window. The file is written in one step: a "
     "failed read or write leaves no file behind.",
     Output | Link | ReadOnly},
    {CliCommand::Send,
     "send",
     {{{"FILE.zvc", "The configuration file to send."}}},
     "Sends a configuration file as \"Send Current Settings to Zelvar(s)\" does after "
     "\"Open Configuration File\": the same commands in the same order. The number of "
     "projectors, the alignment and the overlap width come from the file's unit 1, as the "
     "Planning page shows them after the open.",
     Output | Link | SendOnly},
    {CliCommand::Show,
     "show",
     {{{"FILE.zvc", "The configuration file to show."}}},
     "Shows a configuration file as a person reads it: per unit the unit-wide settings, per "
     "screen 1-8 the input and the outputs, with the names and units the pages use. Values "
     "marked (status) are what the units reported when the file was saved; no send carries "
     "them.",
     Output | Json},
    {CliCommand::Diff,
     "diff",
     {{{"A.zvc", "The first configuration file (or the only one, with --live)."},
       {"B.zvc", "The second configuration file."}}},
     "Lists every setting that differs, one line each: where (unit or screen), the setting, "
     "the value in A and the value in B. Values compare as the units hold them (reals in "
     "tenths). Exit code 0 when equal, 1 when they differ.\n"
     "\n"
     "tarvel-cli diff FILE.zvc --live [--port ...] compares the file (A) with what the units "
     "hold now (B): only the units read, and only what their replies carry.",
     Output | Json | Link | DiffOnly},
}};

struct Options {
    QCommandLineOption Help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help.")};
    QCommandLineOption Version{QStringLiteral("version"),
                               QStringLiteral("Shows the program's version.")};
    QCommandLineOption Quiet{{QStringLiteral("q"), QStringLiteral("quiet")},
                             QStringLiteral("Shows no progress and no notes: results and a "
                                            "failure's one line only.")};
    QCommandLineOption Verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                               QStringLiteral("Shows every exchange on the line as it happens "
                                              "(standard error).")};
    QCommandLineOption Json{QStringLiteral("json"),
                            QStringLiteral("Writes the result as a JSON document "
                                           "(docs/cli.md gives its shape).")};
    QCommandLineOption Port{
        QStringLiteral("port"),
        QStringLiteral("The port: a COM number of the port list (COM3 or 3), or a device path, "
                       "which becomes COM 1. Default: COM 1 to COM 8."),
        QStringLiteral("COM|PATH")};
    QCommandLineOption Mode{QStringLiteral("mode"),
                            QStringLiteral("Connects in one mode only: direct (a unit's Remote "
                                           "port) or controller (a Prendel controller's Console "
                                           "port). Default: direct first, then controller."),
                            QStringLiteral("direct|controller")};
    QCommandLineOption Baud{
        QStringLiteral("baud"),
        QStringLiteral("The rate picked from Settings (Adv users only) > Baud once connected: "
                       "9600, 19200, 38400 or 57600. The search runs at the mode's own rate "
                       "(38400 direct, 57600 controller), as in the window."),
        QStringLiteral("RATE")};
    QCommandLineOption Retries{QStringLiteral("retries"),
                               QStringLiteral("Sends a command that gets no answer at most N "
                                              "times more, then gives up (default 2)."),
                               QStringLiteral("N"), QStringLiteral("2")};
    QCommandLineOption Journal{QStringLiteral("journal"),
                               QStringLiteral("Saves every exchange on the line to FILE when the "
                                              "program ends, also after a failure."),
                               QStringLiteral("FILE")};
    QCommandLineOption Output{{QStringLiteral("o"), QStringLiteral("output")},
                              QStringLiteral("The configuration file to write."),
                              QStringLiteral("FILE.zvc")};
    QCommandLineOption ChangesOnly{
        QStringLiteral("changes-only"),
        QStringLiteral("Reads the units first and sends only the steps for the settings that "
                       "differ from the file, then reads again and says whether the units now "
                       "match the file (exit code 1 when they do not).")};
    QCommandLineOption DryRun{QStringLiteral("dry-run"),
                              QStringLiteral("Prints the plan, one line a step as the units "
                                             "would receive it, and sends nothing. Opens no port "
                                             "unless --changes-only needs to read the units.")};
    QCommandLineOption SystemSave{QStringLiteral("system-save"),
                                  QStringLiteral("Stores the result in the units' memory at the "
                                                 "end, as \"System Save Zelvar(s)\".")};
    QCommandLineOption Units{QStringLiteral("units"),
                             QStringLiteral("With --dry-run: the units the plan is for, 1 or 2 "
                                            "(default 2 through a controller, 1 directly)."),
                             QStringLiteral("N")};
    QCommandLineOption Live{QStringLiteral("live"),
                            QStringLiteral("Compares FILE with what the units hold now.")};
    QCommandLineOption Status{QStringLiteral("status"),
                              QStringLiteral("Compares what the units only report too (video "
                                             "lock, H total, output format, ...).")};

    std::vector<const QCommandLineOption*> Of(unsigned groups) const {
        std::vector<const QCommandLineOption*> list;
        if ((groups & Group::Output) != 0) {
            list.insert(list.end(), {&Quiet, &Verbose});
        }
        if ((groups & Group::Json) != 0) {
            list.push_back(&Json);
        }
        if ((groups & Group::ReadOnly) != 0) {
            list.push_back(&Output);
        }
        if ((groups & Group::SendOnly) != 0) {
            list.insert(list.end(), {&ChangesOnly, &DryRun, &SystemSave, &Units});
        }
        if ((groups & Group::DiffOnly) != 0) {
            list.insert(list.end(), {&Live, &Status});
        }
        if ((groups & Group::Link) != 0) {
            list.insert(list.end(), {&Port, &Mode, &Baud, &Retries, &Journal});
        }
        return list;
    }
};

// The parser prints a description as it is: break it at word ends to fit a terminal.
QString Wrapped(const QString& text, qsizetype width = 79) {
    QStringList lines;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        if (paragraph.size() <= width) {
            lines << paragraph; // a table row keeps its columns
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
                lines << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

// The usage line names the program as it is installed, whatever path started it.
QString HelpOf(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    const QString first = end < 0 ? text : text.left(end);
    const QString usage = QStringLiteral("Usage: ");
    if (first.startsWith(usage)) {
        const qsizetype nameEnd = first.indexOf(QLatin1Char(' '), usage.size());
        text.replace(usage.size(), (nameEnd < 0 ? first.size() : nameEnd) - usage.size(),
                     ProgramName);
    }
    return text;
}

CommandLine::Parsed Failed(const QString& text) {
    CommandLine::Parsed parsed;
    parsed.What = CommandLine::Outcome::Error;
    parsed.Text = text + QStringLiteral(" (see 'tarvel-cli --help')");
    return parsed;
}

bool ReadPort(const QString& text, CliOptions& options, QString& error) {
    static const QRegularExpression comForm(QStringLiteral("^(?:COM\\s*)?(\\d+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString port = text.trimmed();
    if (port.isEmpty()) {
        error = QStringLiteral("--port needs a COM number or a device path");
        return false;
    }
    if (const auto match = comForm.match(port); match.hasMatch()) {
        bool ok = false;
        const int number = match.captured(1).toInt(&ok);
        if (!ok || number < SerialPort::FirstComNumber || number > SerialPort::LastComNumber) {
            error = QStringLiteral("--port %1: the search knows COM 1 to COM 8").arg(port);
            return false;
        }
        options.ComNumber = number;
        return true;
    }
    if (port.contains(PortList::Separator())) {
        error = QStringLiteral("--port %1: a device path may not hold '%2'")
                    .arg(port, PortList::Separator());
        return false;
    }
    options.Device = port;
    return true;
}

} // namespace

CommandLine::Parsed CommandLine::Parse(const QStringList& arguments) {
    const Options options;

    // First every option of every command, so that an option's value is never taken for the
    // command; then the command's own options alone, so that one it does not take is refused.
    QCommandLineParser all;
    all.addOption(options.Help);
    all.addOption(options.Version);
    for (const QCommandLineOption* option : options.Of(~0U)) {
        all.addOption(*option);
    }
    if (!all.parse(arguments)) {
        return Failed(all.errorText());
    }
    const QStringList positional = all.positionalArguments();
    if (positional.isEmpty()) {
        Parsed parsed;
        if (all.isSet(options.Version)) {
            parsed.What = Outcome::Version;
            parsed.Text = ProgramName + QLatin1Char(' ') + QCoreApplication::applicationVersion() +
                          QLatin1Char('\n');
            return parsed;
        }
        if (all.isSet(options.Help)) {
            QCommandLineParser program;
            program.setApplicationDescription(Wrapped(ProgramDescription));
            program.addOption(options.Help);
            program.addOption(options.Version);
            program.addPositionalArgument(QStringLiteral("command"),
                                          QStringLiteral("ports, search, read, send, show or "
                                                         "diff"),
                                          QStringLiteral("COMMAND [ARGUMENTS] [OPTIONS]"));
            parsed.What = Outcome::Help;
            parsed.Text = HelpOf(program);
            return parsed;
        }
        return Failed(QStringLiteral("no command given"));
    }

    const CommandSpec* spec = nullptr;
    for (const CommandSpec& candidate : Commands) {
        if (positional.front() == QLatin1String(candidate.Name)) {
            spec = &candidate;
        }
    }
    if (spec == nullptr) {
        return Failed(QStringLiteral("unknown command '%1'").arg(positional.front()));
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(Wrapped(QString::fromUtf8(spec->Description)));
    parser.addOption(options.Help);
    const auto own = options.Of(spec->Groups);
    for (const QCommandLineOption* option : own) {
        parser.addOption(*option);
    }
    parser.addPositionalArgument(QString::fromLatin1(spec->Name), QStringLiteral("The command."));
    for (const ArgumentSpec& argument : spec->Arguments) {
        if (argument.Name != nullptr) {
            parser.addPositionalArgument(QString::fromLatin1(argument.Name),
                                         QString::fromLatin1(argument.Description));
        }
    }
    if (!parser.parse(arguments)) {
        return Failed(
            QStringLiteral("%1: %2").arg(QString::fromLatin1(spec->Name), parser.errorText()));
    }
    if (parser.isSet(options.Help)) {
        Parsed parsed;
        parsed.What = Outcome::Help;
        parsed.Text = HelpOf(parser);
        return parsed;
    }

    const QString name = QString::fromLatin1(spec->Name);
    const auto refuse = [&](const QString& text) {
        return Failed(name + QStringLiteral(": ") + text);
    };

    CliOptions result;
    result.Command = spec->Command;
    result.Quiet = parser.isSet(options.Quiet);
    result.Verbose = parser.isSet(options.Verbose);
    if (result.Quiet && result.Verbose) {
        return refuse(QStringLiteral("--quiet and --verbose exclude each other"));
    }
    if ((spec->Groups & Group::Json) != 0) {
        result.Json = parser.isSet(options.Json);
    }
    if ((spec->Groups & Group::Link) != 0) {
        QString error;
        if (parser.isSet(options.Port) && !ReadPort(parser.value(options.Port), result, error)) {
            return refuse(error);
        }
        if (parser.isSet(options.Mode)) {
            const QString mode = parser.value(options.Mode).toLower();
            if (mode == QLatin1String("direct")) {
                result.Mode = ConnectionMode::Direct;
            } else if (mode == QLatin1String("controller")) {
                result.Mode = ConnectionMode::Controller;
            } else {
                return refuse(QStringLiteral("--mode is direct or controller, not '%1'")
                                  .arg(parser.value(options.Mode)));
            }
        }
        if (parser.isSet(options.Baud)) {
            bool ok = false;
            result.Baud = parser.value(options.Baud).toInt(&ok);
            if (!ok || !SerialPort::IsSupportedBaud(result.Baud)) {
                return refuse(QStringLiteral("--baud is 9600, 19200, 38400 or 57600, not '%1'")
                                  .arg(parser.value(options.Baud)));
            }
        }
        bool ok = false;
        result.Retries = parser.value(options.Retries).toInt(&ok);
        if (!ok || result.Retries < 0 || result.Retries > 100) {
            return refuse(QStringLiteral("--retries is a number from 0 to 100, not '%1'")
                              .arg(parser.value(options.Retries)));
        }
        result.JournalPath = parser.value(options.Journal);
        if (parser.isSet(options.Journal) && result.JournalPath.isEmpty()) {
            return refuse(QStringLiteral("--journal needs a file name"));
        }
    }

    result.Files = parser.positionalArguments().mid(1);
    const auto files = result.Files.size();
    switch (spec->Command) {
    case CliCommand::Ports:
    case CliCommand::Search:
        if (files != 0) {
            return refuse(QStringLiteral("takes no argument ('%1')").arg(result.Files.front()));
        }
        break;
    case CliCommand::Read:
        result.OutputPath = parser.value(options.Output);
        if (result.OutputPath.isEmpty()) {
            return refuse(QStringLiteral("-o FILE.zvc names the file to write"));
        }
        if (files != 0) {
            return refuse(QStringLiteral("takes no argument ('%1'); -o names the file")
                              .arg(result.Files.front()));
        }
        break;
    case CliCommand::Send: {
        if (files != 1) {
            return refuse(QStringLiteral("needs one configuration file"));
        }
        result.ChangesOnly = parser.isSet(options.ChangesOnly);
        result.DryRun = parser.isSet(options.DryRun);
        result.SystemSave = parser.isSet(options.SystemSave);
        if (parser.isSet(options.Units)) {
            const QString units = parser.value(options.Units);
            if (!result.DryRun || result.ChangesOnly) {
                return refuse(QStringLiteral("--units is for --dry-run without --changes-only; "
                                             "otherwise the units say how many they are"));
            }
            if (units != QLatin1String("1") && units != QLatin1String("2")) {
                return refuse(QStringLiteral("--units is 1 or 2, not '%1'").arg(units));
            }
            result.Units = units.toInt();
        }
        if (result.DryRun && result.SystemSave) {
            return refuse(QStringLiteral("--dry-run sends nothing, so it stores nothing: leave "
                                         "out --system-save"));
        }
        break;
    }
    case CliCommand::Show:
        if (files != 1) {
            return refuse(QStringLiteral("needs one configuration file"));
        }
        break;
    case CliCommand::Diff:
        result.Live = parser.isSet(options.Live);
        result.Status = parser.isSet(options.Status);
        if (result.Live && files != 1) {
            return refuse(QStringLiteral("--live compares one file with the units"));
        }
        if (!result.Live && files != 2) {
            return refuse(QStringLiteral("needs two configuration files, or one and --live"));
        }
        break;
    }
    Parsed parsed;
    parsed.What = Outcome::Run;
    parsed.Options = result;
    return parsed;
}

} // namespace tarvel
