#include "TarvelRun.h"
#include "support/TestScreen.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace tarvel::test {

TarvelRun::TarvelRun(const QString& root) : root_(root), work_(root + QStringLiteral("/work")) {
    QDir().mkpath(work_);
    for (const char* sub : {"home", "config", "cache", "data", "tmp", "runtime"}) {
        QDir().mkpath(root_ + QLatin1Char('/') + QLatin1String(sub));
    }
    // Qt wants a runtime directory that only its user may enter.
    QFile::setPermissions(root_ + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

RunResult TarvelRun::Run(const QString& name, const QStringList& steps, const QString& ports,
                         int timeoutMs) const {
    RunResult result;
    const QString script = root_ + QLatin1Char('/') + name + QStringLiteral(".script");
    {
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return result;
        }
        file.write(steps.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    QFile::remove(script + QStringLiteral(".report"));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const auto under = [this](const char* sub) { return root_ + QLatin1Char('/') + sub; };
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QString::fromLatin1(test::TestPlatform()));
    environment.insert(QStringLiteral("HOME"), under("home"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), under("config"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), under("cache"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), under("data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), under("runtime"));
    environment.insert(QStringLiteral("TMPDIR"), under("tmp"));
    environment.insert(QStringLiteral("TARVEL_PORTS"), ports);
    environment.insert(QStringLiteral("TARVEL_SCRIPT"), script);
    // The link's time-outs, pauses and settles at a quarter: the same bytes, sooner.
    environment.insert(QStringLiteral("TARVEL_TIME_SCALE"), QStringLiteral("0.25"));
    for (const char* hook : {"TARVEL_AUTO_ANSWER", "TARVEL_SCREENSHOT", "TARVEL_SCREENSHOT_DIR"}) {
        environment.remove(QString::fromLatin1(hook));
    }

    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work_);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(TARVEL_PROGRAM_PATH), {});
    result.Started = program.waitForStarted(10000);
    if (result.Started) {
        if (!program.waitForFinished(timeoutMs)) {
            result.TimedOut = true;
            program.kill();
            program.waitForFinished(5000);
        }
        result.ExitCode = program.exitStatus() == QProcess::NormalExit && !result.TimedOut
                              ? program.exitCode()
                              : -1;
        result.Output = program.readAll();
    }
    QFile report(script + QStringLiteral(".report"));
    if (report.open(QIODevice::ReadOnly)) {
        result.Report = QString::fromUtf8(report.readAll());
    }
    return result;
}

QStringList Lines(const QString& report) {
    QStringList lines = report.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace tarvel::test
