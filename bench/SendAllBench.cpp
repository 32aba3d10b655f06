// "Send Current Settings to Zelvar(s)" of two units through the controller simulator, timed in
// the main window as the menu runs it, against the sum of the settle delays of the commands it
// sent (taken from the simulator's log and the command table). The rest is the exchanges
// themselves and the read-back after the control mode command.

#include "BenchWindow.h"
#include "SimProcess.h"

#include "device/DeviceLink.h"
#include "platform/ScriptedMessageBoxes.h"
#include "protocol/CommandTable.h"
#include "ui/ConfigurationTransfer.h"
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

constexpr int Rounds = 5;

std::vector<std::string> LogLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream in(SimProcess::ReadFile(path));
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// A logged frame is "*<address><keyword> ...!"; queries and other lines have no settle.
int SettleOf(const std::string& line) {
    if (line.empty() || line[0] != '*') {
        return 0;
    }
    std::size_t start = 1;
    while (start < line.size() && line[start] >= '0' && line[start] <= '9') {
        ++start;
    }
    const std::string_view rest = std::string_view(line).substr(start);
    const tarvel::CommandSpec* best = nullptr;
    for (std::size_t i = 0; i < tarvel::CommandKindCount; ++i) {
        const auto& spec = tarvel::SpecOf(static_cast<tarvel::CommandKind>(i));
        const bool matches = rest.substr(0, spec.Keyword.size()) == spec.Keyword &&
                             (rest.size() == spec.Keyword.size() ||
                              rest[spec.Keyword.size()] == ' ' || rest[spec.Keyword.size()] == '!');
        if (matches && (best == nullptr || spec.Keyword.size() > best->Keyword.size())) {
            best = &spec;
        }
    }
    return best == nullptr ? 0 : best->SettleMs;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir home;
    QDir::setCurrent(home.path()); // Tarvel.ini of this run only

    const std::string log = SimProcess::UniquePath("bench-send-all-log");
    SimProcess sim;
    std::string error;
    if (!sim.Start({"--mode", "controller", "--units", "2", "--log", log}, &error)) {
        std::fprintf(stderr, "zelvar-sim did not start: %s\n", error.c_str());
        return 1;
    }
    qputenv("TARVEL_PORTS", QByteArray::fromStdString(sim.PtyPath()));

    tarvel::ScriptedMessageBoxes boxes;
    tarvel::TTarvelForm::Options options;
    options.Messages = &boxes;
    options.CloseWaitMs = 0;
    tarvel::TTarvelForm form(std::move(options));
    if (!ShowConnectedAndRead(form, boxes)) {
        return 1;
    }
    boxes.Clear();

    std::vector<double> sendMs;
    std::vector<double> settleMs;
    std::size_t commands = 0;
    std::size_t framed = 0;
    for (int round = 0; round < Rounds; ++round) {
        const std::size_t mark = LogLines(log).size();
        QElapsedTimer clock;
        clock.start();
        form.Transfer().SendAllSettings();
        sendMs.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        if (!boxes.Texts().isEmpty()) {
            std::fprintf(stderr, "the send showed: %s\n",
                         boxes.Texts().join(" | ").toStdString().c_str());
            return 1;
        }
        const std::vector<std::string> lines = LogLines(log);
        double settle = 0;
        commands = lines.size() - mark;
        framed = 0;
        for (std::size_t i = mark; i < lines.size(); ++i) {
            const int ms = SettleOf(lines[i]);
            settle += ms;
            framed += lines[i].size() > 0 && lines[i][0] == '*' && ms > 0 ? 1 : 0;
        }
        settleMs.push_back(settle);
    }
    form.Link().Shutdown();
    form.hide();
    std::remove(log.c_str());

    const double send = Median(sendMs);
    const double settle = Median(settleMs);
    std::printf("Send-all of two units through the controller simulator, %d rounds:\n", Rounds);
    std::printf("  lines received by the units    %zu (%zu with a settle delay)\n", commands,
                framed);
    std::printf("  send-all, median               %8.1f ms (fastest %.1f ms)\n", send,
                *std::min_element(sendMs.begin(), sendMs.end()));
    std::printf("  sum of the settle delays       %8.1f ms\n", settle);
    std::printf("  ratio                          %8.3f   (target: at most 1.10)\n", send / settle);
    return 0;
}
