// "Send Tarvel's values" of the comparison against "Send Current Settings to Zelvar(s)", in the
// main window against the controller simulator with two units, both paced to the line's rate
// (--pace): the window holds a file that differs from the units in three settings; the units
// are read into a model of their own (as the comparison reads them), the send of only what
// differs runs, then the whole send. The file alternates each round between two that differ in
// those three settings, so the units differ from the window again at every round.

#include "BenchWindow.h"
#include "SimProcess.h"

#include "config/ChangedSend.h"
#include "device/DeviceLink.h"
#include "device/UnitsRead.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/SettingsFiles.h"
#include "ui/ConfigurationTransfer.h"
#include "ui/FileDialogs.h"
#include "ui/TTarvelForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using tarvel::SimProcess;

constexpr int Rounds = 4;

class NamedFile : public tarvel::FileDialogs {
public:
    QString Name;
    QString OpenFileName() override { return Name; }
    QString SaveFileName() override { return Name; }
    QString SaveSupportReportName() override { return Name; }
    QString SaveComparisonReportName() override { return Name; }
};

std::size_t LogSize(const std::string& path) {
    std::istringstream in(SimProcess::ReadFile(path));
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return lines;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Ms(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    QDir::setCurrent(home.path()); // Tarvel.ini of this run only

    const std::string log = SimProcess::UniquePath("bench-compare-log");
    SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2", "--pace", "--log", log}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(sim.PtyPath()));

    tarvel::ScriptedMessageBoxes boxes;
    NamedFile files;
    tarvel::TTarvelForm::Options options;
    options.Messages = &boxes;
    options.Dialogs = &files;
    options.CloseWaitMs = 0;
    tarvel::TTarvelForm form(std::move(options));
    if (!ShowConnectedAndRead(form, boxes)) {
        return 1;
    }

    // The units as they are, and the same with three settings on two pages changed.
    const QString asRead = QDir(home.path()).filePath(QStringLiteral("as-read.zvc"));
    const QString changed = QDir(home.path()).filePath(QStringLiteral("changed.zvc"));
    tarvel::ChannelSettings channels = form.Model().Channels;
    bool saved = tarvel::SaveConfigurationFile(asRead, channels).Ok;
    channels.Output(1, 2).LeftGamma = 3.5f;
    channels.Input(1, 3).RedContrast = 5.0f;
    channels.Output(2, 2).BlackLevel = 40;
    saved = saved && tarvel::SaveConfigurationFile(changed, channels).Ok;
    if (!saved) {
        std::fprintf(stderr, "the files were not written\n");
        return 1;
    }

    std::vector<double> readMs;
    std::vector<double> changesMs;
    std::vector<double> wholeMs;
    std::size_t changeLines = 0;
    std::size_t wholeLines = 0;
    for (int round = 0; round < Rounds; ++round) {
        files.Name = round % 2 == 0 ? changed : asRead;
        form.Transfer().OpenFile();
        boxes.Clear();

        tarvel::SettingsModel units = form.Model();
        QElapsedTimer clock;
        clock.start();
        const tarvel::UnitsReadEnd read = tarvel::ReadUnits(form.Link(), units);
        readMs.push_back(Ms(clock));
        if (read.Result != tarvel::UnitsReadEnd::Outcome::Read) {
            std::fprintf(stderr, "the units were not read\n");
            return 1;
        }

        std::size_t mark = LogSize(log);
        clock.restart();
        form.Transfer().SendAllSettings(
            [&units](const tarvel::SendPlan& plan, const tarvel::SettingsModel& model) {
                return tarvel::StepsThatChangeUnits(plan, model, units);
            });
        changesMs.push_back(Ms(clock));
        changeLines = LogSize(log) - mark;

        mark = LogSize(log);
        clock.restart();
        form.Transfer().SendAllSettings();
        wholeMs.push_back(Ms(clock));
        wholeLines = LogSize(log) - mark;
        if (!boxes.Texts().isEmpty()) {
            std::fprintf(stderr, "a send showed: %s\n",
                         boxes.Texts().join(" | ").toStdString().c_str());
            return 1;
        }
    }
    form.Link().Shutdown();
    form.hide();
    std::remove(log.c_str());

    std::printf("Two units through the controller simulator, paced to 57600 baud, %d rounds:\n",
                Rounds);
    std::printf("  read of the units to compare   %8.1f ms (median)\n", Median(readMs));
    std::printf("  send of the 3 differences      %8.1f ms (median), %zu lines\n",
                Median(changesMs), changeLines);
    std::printf("  send of everything             %8.1f ms (median), %zu lines\n", Median(wholeMs),
                wholeLines);
    std::printf("  ratio                          %8.1f x\n", Median(wholeMs) / Median(changesMs));
    return 0;
}
