#include "ProgramCommandLine.h"

#include "ui/TTarvelForm.h"

#include <QCommandLineParser>

namespace tarvel {

namespace {

constexpr const char* ProgramName = "tarvel";

// The options QGuiApplication and QApplication read themselves; with a value where they take
// one. Accepted here so that they reach the application, and not listed in the help.
constexpr const char* QtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger", "name",    "title",
    "visual"};
constexpr const char* QtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

const QString Description = QStringLiteral(
    "Prendel - Tarvel %1: plans a multi-projector wall and configures its Zelvar\n"
    "edge-blending units, directly or through a Prendel controller, on a serial port\n"
    "or a network serial server.");

const QString Epilogue = QStringLiteral(
    "\nWithout options the window opens and asks whether units are connected.\n"
    "TARVEL_PORTS sets the port list, COM 1 first: device paths separated by ':'\n"
    "(';' on Windows), or network serial servers as tcp://HOST:PORT.\n"
    "Qt's own options (-platform, -style, ...) are passed to Qt.\n");

} // namespace

ProgramCommandLine ProgramCommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Description.arg(TTarvelForm::VersionNumber));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : QtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : QtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    ProgramCommandLine result;
    const QString usageHint =
        QStringLiteral("Try '%1 --help' for more information.\n").arg(QLatin1String(ProgramName));
    QString error;
    if (!parser.parse(arguments)) {
        error = parser.errorText();
    } else if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    }
    if (!error.isEmpty()) {
        result.Run = false;
        result.ExitCode = UsageErrorCode;
        result.Error =
            QStringLiteral("%1: %2\n").arg(QLatin1String(ProgramName), error) + usageHint;
        return result;
    }
    if (parser.isSet(help)) {
        result.Run = false;
        // Without an application object the parser does not know the program's name.
        result.Output = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                  QLatin1String(ProgramName)) +
                        Epilogue;
        return result;
    }
    if (parser.isSet(version)) {
        result.Run = false;
        result.Output =
            QStringLiteral("%1 %2\n").arg(QLatin1String(ProgramName), TTarvelForm::VersionNumber);
    }
    return result;
}

} // namespace tarvel
