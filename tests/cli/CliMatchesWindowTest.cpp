// tarvel-cli against the window on the same wall: the built tarvel plays the installer from a
// script (TARVEL_SCRIPT) against one zelvar-sim, the built tarvel-cli runs against a second one
// started the same way. What the window saves after its read and what the tool reads are the
// same 1720 bytes; what the units receive from the window's send after opening a file and from
// the tool's send of that file are the same lines.

#include "CliRun.h"
#include "SimProcess.h"
#include "TarvelRun.h"

#include "model/ChannelSettings.h"
#include "platform/SettingsFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tarvel {
namespace {

using test::CliResult;
using test::TextLines;

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string Shown(const CliResult& run) {
    return "exit " + std::to_string(run.ExitCode) + "\nout:\n" + run.Out.toStdString() + "err:\n" +
           run.Err.toStdString();
}

TEST(CliMatchesWindowTest, TheToolReadsAndSendsWhatTheWindowDoes) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const auto path = [&](const char* name) { return directory.filePath(QLatin1String(name)); };
    const std::vector<std::string> wall{"--mode", "controller",  "--units",
                                        "2",      "--addresses", "5,7"};

    // The file to send: the units' start state with what a wall may hold that the pages treat
    // on their own: a projector count beyond the list (the page shows 8), an odd overlap, a
    // screen without video lock, a colour the Source Setup page refuses, an edge's gamma.
    const std::string startState = path("start.state").toStdString();
    {
        SimProcess first;
        std::vector<std::string> options = wall;
        options.insert(options.end(), {"--state", startState});
        ASSERT_TRUE(first.Start(options));
    }
    SettingsModel model;
    ASSERT_TRUE(LoadConfigurationFile(QString::fromStdString(startState), model.Channels).Ok);
    OutputSettings& unit1 = model.Channels.UnitOutput(1);
    unit1.TotalProjectors = 9;
    unit1.DisplayOverlap = 255;
    model.Channels.Input(1, 3).VideoLocked = 0;
    model.Channels.Input(1, 2).RedContrast = 30.0f;
    model.Channels.Output(2, 3).RightGamma = 4.5f;
    model.Channels.Input(2, 1).Phase = -7;
    const QString file = path("odd wall.zvc");
    ASSERT_TRUE(SaveConfigurationFile(file, model.Channels).Ok);

    // The window: the start-up search and read, save, open the file, send it. Its waits run
    // faster, as the tool's do; the bytes on the line stay the same.
    qputenv("TARVEL_TIME_SCALE", "0.25");
    const QString windowLog = path("window.log");
    const QString windowSave = path("window.zvc");
    {
        SimProcess sim;
        std::vector<std::string> options = wall;
        options.insert(options.end(), {"--log", windowLog.toStdString()});
        ASSERT_TRUE(sim.Start(options));
        const test::TarvelRun window(path("window"));
        const test::RunResult run =
            window.Run("send",
                       {"answer yes", "wait", "file " + windowSave, "menu SaveConfigurationtoFile1",
                        "file " + file, "menu OpenConfigurationFile1",
                        // After the send the window holds what the file does not (the send stores
                        // what it sends): the exit asks about it too.
                        "menu SendCurrentSettingstoZelvars1", "answer yes discard", "close"},
                       QString::fromStdString(sim.PtyPath()));
        ASSERT_EQ(run.ExitCode, 0) << run.Report.toStdString() << run.Output.toStdString();
        EXPECT_TRUE(run.Report.contains("Error! Value out of bounds! (-25 - +25)"))
            << "the refused colour, told by the window";
    }

    // The tool on a fresh line: read, then send the same file.
    const QString toolLog = path("tool.log");
    SimProcess sim;
    std::vector<std::string> options = wall;
    options.insert(options.end(), {"--log", toolLog.toStdString()});
    ASSERT_TRUE(sim.Start(options));
    const QString port = QString::fromStdString(sim.PtyPath());
    const QString toolRead = path("tool.zvc");
    CliResult run = test::RunCli({"read", "-o", toolRead, "--port", port}, directory.path());
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    const QByteArray saved = Bytes(windowSave);
    ASSERT_EQ(saved.size(), 1720);
    EXPECT_EQ(Bytes(toolRead), saved) << "record 0, padding and all";

    const qsizetype beforeSend = TextLines(QString::fromUtf8(Bytes(toolLog))).size();
    run = test::RunCli({"send", file, "--port", port}, directory.path());
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_TRUE(run.Err.contains("the file's number of projectors is 9; the Planning page shows "
                                 "8, and 8 is sent"))
        << Shown(run);
    EXPECT_TRUE(run.Err.contains("screen 2 Red Contrast 30: the Source Setup page refuses it"))
        << Shown(run);
    const QStringList toolLines = TextLines(QString::fromUtf8(Bytes(toolLog))).mid(beforeSend);
    ASSERT_GE(toolLines.size(), 3);
    // The tool connects and counts the units; the window did both at start-up, and its open
    // asked the count again for a wall of more than four projectors.
    EXPECT_EQ(toolLines.mid(0, 2), (QStringList{"debug 0", "NZV"}));
    const QStringList toolSend = toolLines.mid(2);
    EXPECT_EQ(toolSend.first(), "*5PRJ 0 8!");
    const QStringList windowLines = TextLines(QString::fromUtf8(Bytes(windowLog)));
    ASSERT_GT(windowLines.size(), toolSend.size());
    EXPECT_EQ(windowLines.at(windowLines.size() - toolSend.size() - 1), "NZV");
    EXPECT_EQ(windowLines.mid(windowLines.size() - toolSend.size()), toolSend);
}

} // namespace
} // namespace tarvel
