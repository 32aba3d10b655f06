// The tarvel program from its start to its first window, and its resident memory once it has
// found and read two units and sits idle. The program runs with TARVEL_AUTO_ANSWER=yes, which
// writes each box to the standard error stream instead of showing it: the first such line is
// the start-up question, asked as soon as the window is shown. Offscreen platform.

#include "SimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Rounds = 10;
constexpr int IdleMs = 3000; // after the read, before the memory is read

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// VmRSS of the process, in MiB; -1 when it cannot be read.
double ResidentMiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    tarvel::SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2"}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    std::vector<double> shownMs;
    std::vector<double> residentMiB;
    for (int round = 0; round < Rounds; ++round) {
        QTemporaryDir dir; // working directory, Tarvel.ini and the instance lock of this round
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("TARVEL_AUTO_ANSWER"), QStringLiteral("yes"));
        environment.insert(QStringLiteral("TARVEL_PORTS"), QString::fromStdString(sim.PtyPath()));
        environment.insert(QStringLiteral("TMPDIR"), dir.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
        QProcess tarvel;
        tarvel.setProcessEnvironment(environment);
        tarvel.setWorkingDirectory(dir.path());

        QElapsedTimer clock;
        clock.start();
        tarvel.start(QStringLiteral(TARVEL_PROGRAM), {});
        QByteArray boxes;
        double shown = -1;
        // The search and read that Yes starts take well under IdleMs.
        while (clock.elapsed() < 30000) {
            if (!tarvel.waitForReadyRead(50) && tarvel.state() == QProcess::NotRunning) {
                break;
            }
            boxes += tarvel.readAllStandardError();
            // A box is written as "[caption] text"; other lines are Qt's and the ini note.
            if (shown < 0 && (boxes.startsWith("[") || boxes.contains("\n["))) {
                shown = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            }
            if (shown >= 0 && clock.elapsed() > shown + IdleMs) {
                break;
            }
        }
        const double resident = ResidentMiB(tarvel.processId());
        tarvel.kill();
        tarvel.waitForFinished(5000);
        if (shown < 0 || resident < 0) {
            std::fprintf(stderr, "round %d: no start-up question seen; it wrote:\n%s\n", round,
                         boxes.constData());
            return 1;
        }
        shownMs.push_back(shown);
        residentMiB.push_back(resident);
    }
    std::printf("tarvel started %d times against the controller simulator (offscreen):\n", Rounds);
    std::printf("  start to window shown, median %7.1f ms (fastest %.1f, slowest %.1f)   "
                "(target: under 500 ms)\n",
                Median(shownMs), *std::min_element(shownMs.begin(), shownMs.end()),
                *std::max_element(shownMs.begin(), shownMs.end()));
    std::printf("  resident memory idle after reading two units, median %6.1f MiB (largest "
                "%.1f)   (target: under 100 MB)\n",
                Median(residentMiB), *std::max_element(residentMiB.begin(), residentMiB.end()));
    return 0;
}
