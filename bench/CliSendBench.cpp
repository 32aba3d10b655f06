// tarvel-cli's whole send of a two-unit wall against its --changes-only send of the same wall
// with three settings changed (a colour, an edge's gamma, a seam gain), both through the
// controller simulator at 57600 baud with --pace, so replies take the time the wire would.
// Each round runs the built program twice, the whole send of the wall first (the units then
// hold the wall) and the changes second (they then hold the changed wall), and times each run
// from start to end: connecting, the unit count or the two reads, the commands, the settles.

#include "SimProcess.h"

#include "model/ChannelSettings.h"
#include "platform/SettingsFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using tarvel::SimProcess;

constexpr int Rounds = 5;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::size_t LogLineCount(const std::string& path) {
    std::istringstream in(SimProcess::ReadFile(path));
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return lines;
}

// The program's run time in ms; -1 when it failed.
double Run(const QStringList& arguments, const QString& directory) {
    QProcess program;
    program.setWorkingDirectory(directory);
    QElapsedTimer clock;
    clock.start();
    program.start(QStringLiteral(TARVEL_CLI), arguments);
    if (!program.waitForFinished(120000) || program.exitStatus() != QProcess::NormalExit ||
        program.exitCode() != 0) {
        std::fprintf(stderr, "tarvel-cli %s failed:\n%s\n", qPrintable(arguments.join(' ')),
                     program.readAllStandardError().constData());
        return -1;
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    qunsetenv("TARVEL_TIME_SCALE"); // the link's real times
    QTemporaryDir directory;
    const std::string log = directory.filePath(QStringLiteral("sim.log")).toStdString();
    SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2", "--pace", "--log", log}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    const QString port = QString::fromStdString(sim.PtyPath());
    const QStringList link{"--port", port, "--mode", "controller", "--quiet"};

    const QString wall = directory.filePath(QStringLiteral("wall.zvc"));
    if (Run(QStringList{"read", "-o", wall} + link, directory.path()) < 0) {
        return 1;
    }
    tarvel::SettingsModel model;
    if (!tarvel::LoadConfigurationFile(wall, model.Channels).Ok) {
        return 1;
    }
    model.Channels.Input(1, 2).RedContrast = 4.2f;
    model.Channels.Output(2, 2).LeftGamma = 2.5f;
    model.Channels.Output(1, 3).SeamGain[0] = 100;
    const QString changed = directory.filePath(QStringLiteral("changed.zvc"));
    if (!tarvel::SaveConfigurationFile(changed, model.Channels).Ok) {
        return 1;
    }

    std::vector<double> wholeMs;
    std::vector<double> changesMs;
    std::size_t wholeLines = 0;
    std::size_t changesLines = 0;
    for (int round = 0; round < Rounds; ++round) {
        std::size_t mark = LogLineCount(log);
        const double whole = Run(QStringList{"send", wall} + link, directory.path());
        wholeLines = LogLineCount(log) - mark;
        mark = LogLineCount(log);
        const double changes =
            Run(QStringList{"send", changed, "--changes-only"} + link, directory.path());
        changesLines = LogLineCount(log) - mark;
        if (whole < 0 || changes < 0) {
            return 1;
        }
        wholeMs.push_back(whole);
        changesMs.push_back(changes);
    }

    const double whole = Median(wholeMs);
    const double changes = Median(changesMs);
    std::printf("tarvel-cli send of two units through the controller simulator (--pace, 57600 "
                "baud), %d rounds:\n",
                Rounds);
    std::printf("  whole send                 %8.1f ms median (fastest %.1f), %zu lines received\n",
                whole, *std::min_element(wholeMs.begin(), wholeMs.end()), wholeLines);
    std::printf("  --changes-only, 3 changed  %8.1f ms median (fastest %.1f), %zu lines received\n",
                changes, *std::min_element(changesMs.begin(), changesMs.end()), changesLines);
    std::printf("                             (two reads of both units, 3 commands)\n");
    std::printf("  whole / changes-only       %8.2f\n", whole / changes);
    return 0;
}
