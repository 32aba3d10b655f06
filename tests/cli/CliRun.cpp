#include "CliRun.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace tarvel::test {

CliResult RunCli(const QStringList& arguments, const QString& directory, double timeScale,
                 int timeoutMs) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TARVEL_PORTS"}) {
        environment.remove(QString::fromLatin1(name));
    }
    environment.insert(QStringLiteral("TARVEL_TIME_SCALE"), QString::number(timeScale));

    CliResult result;
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(directory);
    program.start(QStringLiteral(TARVEL_CLI_PATH), arguments);
    result.Started = program.waitForStarted(10000);
    if (!result.Started) {
        return result;
    }
    if (!program.waitForFinished(timeoutMs)) {
        result.TimedOut = true;
        program.kill();
        program.waitForFinished(5000);
    }
    result.ExitCode =
        program.exitStatus() == QProcess::NormalExit && !result.TimedOut ? program.exitCode() : -1;
    result.Out = QString::fromUtf8(program.readAllStandardOutput());
    result.Err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

QStringList TextLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace tarvel::test
