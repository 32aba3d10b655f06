// The built tarvel-cli against zelvar-sim on a pseudo-terminal, run as a user runs it: its own
// process, no display at all, the line named with --port. Each test checks what reached the
// simulated units (the simulator's log), what the program printed and how it ended.

#include "CliRun.h"
#include "SimProcess.h"

#include "model/ChannelSettings.h"
#include "platform/SettingsFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tarvel {
namespace {

using test::CliResult;
using test::TextLines;

struct Rig {
    QTemporaryDir Directory;
    SimProcess Sim;
    std::string Log = Directory.filePath(QStringLiteral("sim.log")).toStdString();
    std::string State = Directory.filePath(QStringLiteral("sim.state")).toStdString();

    ~Rig() { Sim.Stop(); }

    bool Start(std::vector<std::string> options) {
        Sim.Stop();
        options.insert(options.end(), {"--log", Log, "--state", State});
        return Sim.Start(options);
    }
    QString Port() const { return QString::fromStdString(Sim.PtyPath()); }
    QString Path(const QString& name) const { return Directory.filePath(name); }
    QStringList LogLines() const {
        return TextLines(QString::fromStdString(SimProcess::ReadFile(Log)));
    }
    CliResult Cli(const QStringList& arguments) const {
        return test::RunCli(arguments, Directory.path());
    }
    // The units' records as the simulator starts them: a whole configuration to send.
    QString StartImage(const QString& name) const {
        const QString path = Path(name);
        QFile::remove(path);
        QFile::copy(QString::fromStdString(State), path);
        return path;
    }
};

QStringList UnitRead(const QString& unit) {
    QStringList lines{unit + "SYINFOZV!"};
    for (const char* query : {"IINFOZV", "OINFOZV"}) {
        for (int channel = 1; channel <= 4; ++channel) {
            lines << QStringLiteral("%1%2 %3!").arg(unit, QLatin1String(query)).arg(channel);
        }
    }
    return lines;
}

std::string Shown(const CliResult& run) {
    return "exit " + std::to_string(run.ExitCode) + "\nout:\n" + run.Out.toStdString() + "err:\n" +
           run.Err.toStdString();
}

// The last line of standard error: the failure's one line.
QString LastErrorLine(const CliResult& run) {
    const QStringList lines = TextLines(run.Err);
    return lines.isEmpty() ? QString() : lines.last();
}

TEST(CliProgramTest, AControllerWallSearchedReadShownComparedAndItsChangesSent) {
    Rig rig;
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    const QString port = rig.Port();

    CliResult run = rig.Cli({"search", "--port", port});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_EQ(TextLines(run.Out), (QStringList{
                                      "mode    controller",
                                      "port    COM 1 (" + port + ")",
                                      "line    57600 baud, parity none, flow control RTS/CTS",
                                      "units   2",
                                      "unit 1  address 5, firmware 1.08",
                                      "unit 2  address 7, firmware 1.08",
                                  }));
    // The window's search (the direct probes are no commands), then what it asks first.
    EXPECT_EQ(rig.LogLines(), (QStringList{"debug 0", "NZV", "*5SYINFOZV!", "*7SYINFOZV!"}));
    run = rig.Cli({"search", "--port", port, "--mode", "controller", "--json"});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    const QJsonObject found = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_EQ(found["mode"].toString(), "controller");
    EXPECT_EQ(found["baud"].toInt(), 57600);
    EXPECT_EQ(found["units"].toArray().at(1).toObject()["address"].toInt(), 7);

    const QString wall = rig.Path("wall.zvc");
    run = rig.Cli({"read", "-o", wall, "--port", port});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_EQ(QFileInfo(wall).size(), 1720);

    run = rig.Cli({"show", wall});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    const QStringList shown = TextLines(run.Out);
    EXPECT_EQ(shown.mid(0, 4), (QStringList{"Unit 1", "  Number of Projectors          6",
                                            "  Input Material Alignment      Left",
                                            "  Overlap Width                 256 pixels"}));
    EXPECT_TRUE(shown.contains("Screen 6 (unit 2, channel 2)"));
    EXPECT_TRUE(shown.contains("    Video Locked                True  (status)"));
    run = rig.Cli({"show", wall, "--json"});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    const QJsonArray units = QJsonDocument::fromJson(run.Out.toUtf8()).object()["units"].toArray();
    ASSERT_EQ(units.size(), 2);
    const QJsonObject overlap = units.at(0).toObject()["settings"].toArray().at(2).toObject();
    EXPECT_EQ(overlap, (QJsonObject{{"key", "displayOverlap"},
                                    {"label", "Overlap Width"},
                                    {"measure", "pixels"},
                                    {"value", "256"},
                                    {"status", false}}));
    EXPECT_EQ(units.at(1).toObject()["screens"].toArray().at(3).toObject()["screen"].toInt(), 8);

    // Three settings changed in the file: a colour, an edge's gamma and a seam gain.
    SettingsModel model;
    ASSERT_TRUE(LoadConfigurationFile(wall, model.Channels).Ok);
    model.Channels.Input(1, 2).RedContrast = 4.2f;
    model.Channels.Output(2, 2).LeftGamma = 2.5f;
    model.Channels.Output(1, 3).SeamGain[0] = 100;
    const QString changed = rig.Path("changed.zvc");
    ASSERT_TRUE(SaveConfigurationFile(changed, model.Channels).Ok);

    run = rig.Cli({"diff", wall, wall});
    EXPECT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_TRUE(run.Out.isEmpty());
    run = rig.Cli({"diff", wall, changed});
    EXPECT_EQ(run.ExitCode, 1) << Shown(run);
    EXPECT_EQ(TextLines(run.Out), (QStringList{
                                      "screen 2  Red Contrast  0.0  4.2",
                                      "screen 3  Gain -4       128  100",
                                      "screen 6  Gamma(L)      2.2  2.5",
                                  }));
    run = rig.Cli({"diff", changed, "--live", "--port", port, "--json"});
    EXPECT_EQ(run.ExitCode, 1) << Shown(run);
    const QJsonObject live = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    EXPECT_FALSE(live["equal"].toBool());
    EXPECT_EQ(live["differences"].toArray().at(0).toObject(),
              (QJsonObject{{"unit", 1},
                           {"screen", 2},
                           {"key", "redContrast"},
                           {"label", "Red Contrast"},
                           {"a", "4.2"},
                           {"b", "0.0"}}));
    EXPECT_EQ(live["unitsRead"].toInt(), 2);

    const qsizetype mark = rig.LogLines().size();
    const QString journal = rig.Path("send.journal");
    run = rig.Cli(
        {"send", changed, "--changes-only", "--system-save", "--port", port, "--journal", journal});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_TRUE(run.Out.contains("The units now match the file.\n")) << Shown(run);
    // The read, only the three settings' commands (a seam gain goes with its seven
    // neighbours), the read that checks them, and the system save of both units.
    QStringList expected{"debug 0", "NZV"};
    expected << UnitRead("*5") << UnitRead("*7");
    expected << "*5ICNTZV 2 R  4.2!"
             << "*7PEFT 2 L 1  2.5 256 0!"
             << "*5MANSEAM 3 -4 100 128 128 128 128 128 128 128!";
    expected << "NZV" << UnitRead("*5") << UnitRead("*7");
    expected << "*5SYSAVE!"
             << "*7SYSAVE!";
    EXPECT_EQ(rig.LogLines().mid(mark), expected);
    QFile saved(journal);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QStringList exchanges = TextLines(QString::fromUtf8(saved.readAll()));
    EXPECT_EQ(exchanges.filter("sent \"PASS *5ICNTZV 2 R  4.2!").size(), 1);
    EXPECT_GE(exchanges.size(), expected.size());

    run = rig.Cli({"diff", changed, "--live", "--port", port});
    EXPECT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_TRUE(run.Out.isEmpty()) << Shown(run);

    // What a send does not carry stays different, and the tool says so and why.
    model.Channels.UnitOutput(1).FeatherCurve = 'L';
    model.Channels.UnitOutput(2).DisplayOverlap = 300;
    const QString uncarried = rig.Path("uncarried.zvc");
    ASSERT_TRUE(SaveConfigurationFile(uncarried, model.Channels).Ok);
    const qsizetype before = rig.LogLines().size();
    run = rig.Cli({"send", uncarried, "--changes-only", "--port", port});
    EXPECT_EQ(run.ExitCode, 1) << Shown(run);
    EXPECT_TRUE(run.Out.endsWith("The units differ from the file in 2 settings:\n"
                                 "unit 1  Feather Curve  Linear  S-Curve\n"
                                 "unit 2  Overlap Width  300     256\n"))
        << Shown(run);
    EXPECT_TRUE(run.Err.contains("tarvel-cli: unit 1 Feather Curve: no send carries it\n"));
    EXPECT_TRUE(run.Err.contains(
        "tarvel-cli: unit 2 Overlap Width: a send gives unit 2 unit 1's unit-wide values\n"));
    QStringList sent;
    for (const QString& line : rig.LogLines().mid(before)) {
        if (line.startsWith('*') && !line.contains("INFOZV")) {
            sent << line;
        }
    }
    // Unit 2's layout would carry unit 1's overlap, which it holds already: nothing to send.
    EXPECT_EQ(sent, QStringList{});
}

TEST(CliProgramTest, ADirectUnitSearchedReadAndSentAsTheDryRunSaid) {
    Rig rig;
    ASSERT_TRUE(rig.Start({"--mode", "direct"}));
    const QString port = rig.Port();

    CliResult run = rig.Cli({"search", "--port", port, "--mode", "direct"});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_EQ(TextLines(run.Out), (QStringList{
                                      "mode    direct",
                                      "port    COM 1 (" + port + ")",
                                      "line    38400 baud, parity none, flow control none",
                                      "units   1",
                                      "unit 1  firmware 1.08",
                                  }));
    const QString unit = rig.Path("unit.zvc");
    run = rig.Cli({"read", "-o", unit, "--port", port});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_EQ(QFileInfo(unit).size(), 1720);
    QStringList expected{"SYINFOZV"};
    for (const char* query : {"SYINFOZV", "IINFOZV 1", "IINFOZV 2", "IINFOZV 3", "IINFOZV 4",
                              "OINFOZV 1", "OINFOZV 2", "OINFOZV 3", "OINFOZV 4"}) {
        expected << query;
    }
    EXPECT_EQ(rig.LogLines(), expected);

    // The plan, printed without a port, is what the unit then receives.
    const CliResult plan = rig.Cli({"send", unit, "--dry-run", "--mode", "direct"});
    ASSERT_EQ(plan.ExitCode, 0) << Shown(plan);
    const QStringList planned = TextLines(plan.Out);
    EXPECT_EQ(planned.mid(0, 3), (QStringList{"PRJ 0 3", "DISP 0 256", "IRSPZV 1 M H 352"}));
    EXPECT_EQ(rig.LogLines(), expected) << "a dry run opens no port";
    run = rig.Cli({"send", unit, "--port", port, "--mode", "direct"});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    EXPECT_EQ(rig.LogLines().mid(expected.size()), planned);
    EXPECT_TRUE(run.Out.startsWith("Sent ")) << Shown(run);
}

TEST(CliProgramTest, FaultsEndWithTheirLineAndCodeLeaveNoFileAndKeepTheJournal) {
    Rig rig;
    const auto journalOf = [&](const QString& name) {
        QFile file(rig.Path(name));
        return file.open(QIODevice::ReadOnly) ? TextLines(QString::fromUtf8(file.readAll()))
                                              : QStringList{"(no journal)"};
    };

    // The line closes in the middle of a send.
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2", "--hangup-after", "20"}));
    const QString wall = rig.StartImage("wall.zvc");
    CliResult run = rig.Cli({"send", wall, "--port", rig.Port(), "--mode", "controller",
                             "--journal", rig.Path("hangup.journal")});
    EXPECT_EQ(run.ExitCode, 4) << Shown(run);
    // The step that saw the line close may be its command or the settle after it.
    EXPECT_TRUE(LastErrorLine(run).startsWith("tarvel-cli: the line failed: the send stopped "
                                              "after 1"))
        << Shown(run);
    EXPECT_TRUE(LastErrorLine(run).contains(" of 177 steps: Error! The connection on serial port "
                                            "COM 1 (" +
                                            rig.Port() + ") was lost."))
        << Shown(run);
    EXPECT_EQ(journalOf("hangup.journal").filter("  line lost  ").size(), 1);

    // A unit that stops answering: the command goes out once and once more (--retries 1).
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2", "--silent-after", "20"}));
    run = rig.Cli({"send", wall, "--port", rig.Port(), "--mode", "controller", "--retries", "1",
                   "--journal", rig.Path("silent.journal")});
    EXPECT_EQ(run.ExitCode, 4) << Shown(run);
    EXPECT_EQ(LastErrorLine(run),
              "tarvel-cli: the line failed: the send stopped after 18 of 177 steps: Error! "
              "Timeout occured. Unable to communicate with Zelvar. Please verify that Serial "
              "Port is connected to Zelvar.");
    EXPECT_TRUE(run.Err.contains("[giving up after 1 retry]")) << Shown(run);
    EXPECT_EQ(journalOf("silent.journal").filter("  timed out  ").size(), 2);

    // The line at another rate than the controller's: noise, and no file from the read.
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2"}));
    const QString out = rig.Path("out.zvc");
    run = rig.Cli({"read", "-o", out, "--port", rig.Port(), "--baud", "9600", "--journal",
                   rig.Path("rate.journal")});
    EXPECT_EQ(run.ExitCode, 4) << Shown(run);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(journalOf("rate.journal").last().endsWith("received \"\\xCE\\xDA\\xD6\\x8D\""));

    // A read the line leaves half way.
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2", "--hangup-after", "6"}));
    run = rig.Cli({"read", "-o", out, "--port", rig.Port()});
    EXPECT_EQ(run.ExitCode, 4) << Shown(run);
    EXPECT_FALSE(QFile::exists(out));

    // Looking for a controller where a unit is wired directly finds none.
    ASSERT_TRUE(rig.Start({"--mode", "direct"}));
    run = rig.Cli({"search", "--port", rig.Port(), "--mode", "controller", "--quiet"});
    EXPECT_EQ(run.ExitCode, 3) << Shown(run);
    EXPECT_EQ(run.Err, "tarvel-cli: no units found on " + rig.Port() + " (controller)\n");

    // Files: missing, of the wrong size, a folder or a missing folder to write to. Nothing is
    // read from the units for an output that cannot be written.
    const qsizetype logged = rig.LogLines().size();
    run = rig.Cli({"send", rig.Path("missing.zvc"), "--port", rig.Port()});
    EXPECT_EQ(run.ExitCode, 5) << Shown(run);
    EXPECT_EQ(run.Err, "tarvel-cli: " + rig.Path("missing.zvc") +
                           ": Error! Unable to open Configuration file. Check if file exist?\n");
    QFile shortFile(rig.Path("short.zvc"));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write(QByteArray(1719, '\0'));
    shortFile.close();
    run = rig.Cli({"diff", wall, rig.Path("short.zvc")});
    EXPECT_EQ(run.ExitCode, 5) << Shown(run);
    EXPECT_TRUE(run.Err.endsWith(": Error! File corrupted. File size invalid.\n"));
    for (const QString& target : {rig.Path("no/such/folder.zvc"), rig.Directory.path()}) {
        run = rig.Cli({"read", "-o", target, "--port", rig.Port()});
        EXPECT_EQ(run.ExitCode, 5) << Shown(run);
        run = rig.Cli({"search", "--port", rig.Port(), "--journal", target});
        EXPECT_EQ(run.ExitCode, 5) << Shown(run);
    }
    EXPECT_EQ(rig.LogLines().size(), logged);

    // Usage.
    for (const QStringList& arguments :
         {QStringList{"send"}, QStringList{"read", "--port", "COM9", "-o", out},
          QStringList{"search", "--mode", "sideways"}, QStringList{"show", wall, "--live"},
          QStringList{"frobnicate"}}) {
        run = rig.Cli(arguments);
        EXPECT_EQ(run.ExitCode, 2) << arguments.join(' ').toStdString() << Shown(run);
        EXPECT_EQ(TextLines(run.Err).size(), 1) << Shown(run);
    }
}

TEST(CliProgramTest, ANetworkSerialServerIsAPortLikeAnyOther) {
    Rig rig;
    ASSERT_TRUE(rig.Start({"--mode", "controller", "--units", "2", "--tcp", "0", "--no-pty"}));
    const QString port = QStringLiteral("tcp://127.0.0.1:%1").arg(rig.Sim.TcpPort());

    const CliResult run = rig.Cli({"search", "--port", port});
    ASSERT_EQ(run.ExitCode, 0) << Shown(run);
    const QStringList out = TextLines(run.Out);
    ASSERT_GE(out.size(), 3) << Shown(run);
    EXPECT_EQ(out.mid(0, 2), (QStringList{"mode    controller", "port    COM 1 (" + port + ")"}));
    EXPECT_EQ(rig.LogLines().mid(0, 2), (QStringList{"debug 0", "NZV"}));
}

} // namespace
} // namespace tarvel
