// An installer's journeys through the built program: tarvel runs as its own process under the
// offscreen platform, plays the user from a script (TARVEL_SCRIPT) and talks to zelvar-sim on
// a pseudo-terminal given as its COM 1 (TARVEL_PORTS). Each journey checks the commands the
// simulated units received (the simulator's log), what they hold afterwards (its state file,
// the 1720-byte record image) and what the window showed (the script's report).

#include "SimProcess.h"
#include "TarvelRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages: texts as texts, not as arrays of code units.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << '"';
}

namespace tarvel {
namespace {

using test::Lines;
using test::RunResult;
using test::TarvelRun;

// ----- The record image: unit 1 inputs, unit 2 inputs, unit 1 outputs, unit 2 outputs; five
// records per block (record 0 unused), 84 bytes per input record, 88 per output record. -----

int In(int unit, int channel, int field) {
    return (unit - 1) * 420 + channel * 84 + field;
}
int Out(int unit, int channel, int field) {
    return 840 + (unit - 1) * 440 + channel * 88 + field;
}

// Offsets within an input record.
constexpr int HPosition = 20;
constexpr int VPosition = 28;
constexpr int Phase = 4;
constexpr int RedContrast = 52;
// Offsets within an output record.
constexpr int ProjectorGroup = 4;
constexpr int TotalProjectors = 5;
constexpr int DataDoubling = 6;
constexpr int ImageAlignment = 7;
constexpr int DisplayOverlap = 8;
constexpr int BasicGamma = 12;
constexpr int BasicFeatherOn = 16;
constexpr int ControlMode = 3;
constexpr int LeftGamma = 20;
constexpr int SeamMode = 72;
constexpr int LeftHaloWidth = 36;
constexpr int RightHaloWidth = 44;
constexpr int BlackLevel = 68;
constexpr int TestPattern = 69;
constexpr int TestGrid = 71;
constexpr int SeamGain1 = 76;

struct Image {
    QByteArray Bytes;

    std::uint8_t U8(int at) const { return static_cast<std::uint8_t>(Bytes.at(at)); }
    std::int16_t I16(int at) const { return static_cast<std::int16_t>(U8(at) | U8(at + 1) << 8); }
    std::int32_t I32(int at) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(U8(at)) |
                                         static_cast<std::uint32_t>(U8(at + 1)) << 8 |
                                         static_cast<std::uint32_t>(U8(at + 2)) << 16 |
                                         static_cast<std::uint32_t>(U8(at + 3)) << 24);
    }
    float F32(int at) const {
        const std::int32_t bits = I32(at);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};

Image ReadImage(const QString& path) {
    QFile file(path);
    Image image;
    if (file.open(QIODevice::ReadOnly)) {
        image.Bytes = file.readAll();
    }
    return image;
}

// ----- The expected commands -----

template <typename... Args> QString F(const char* format, Args... args) {
    return QString::asprintf(format, args...);
}

QStringList ReadLog(const std::string& path) {
    return Lines(QString::fromStdString(SimProcess::ReadFile(path)));
}

// The read of one unit: system information, then input and output status of channels 1-4.
QStringList UnitRead(const char* unit) {
    QStringList lines{F("%sSYINFOZV!", unit)};
    for (const char* query : {"IINFOZV", "OINFOZV"}) {
        for (int channel = 1; channel <= 4; ++channel) {
            lines << F("%s%s %d!", unit, query, channel);
        }
    }
    return lines;
}

// A locked channel's position, phase and colours as the whole send carries them.
QStringList InputSends(const char* unit, int channel, int h, int v, int phase,
                       const char* redContrast) {
    return {
        F("%sIRSPZV %d M H %d!", unit, channel, h),
        F("%sIRSPZV %d M V %d!", unit, channel, v),
        F("%sICPHOZV %d M %d!", unit, channel, phase),
        F("%sICNTZV %d C 100.0!", unit, channel),
        F("%sIBRTZV %d C 100.0!", unit, channel),
        F("%sICNTZV %d R %s!", unit, channel, redContrast),
        F("%sIBRTZV %d R  0.0!", unit, channel),
        F("%sICNTZV %d G  0.0!", unit, channel),
        F("%sIBRTZV %d G  0.0!", unit, channel),
        F("%sICNTZV %d B  0.0!", unit, channel),
        F("%sIBRTZV %d B  0.0!", unit, channel),
    };
}

// The eight seam gain commits of a locked channel: MANSEAM with all eight gains each time.
QStringList SeamSends(const char* unit, int channel, const char* gains) {
    const QString line = F("%sMANSEAM %d -4 %s!", unit, channel, gains);
    return {line, line, line, line, line, line, line, line};
}

constexpr const char* FactoryGains = "128 128 128 128 128 128 128 128";

// Unit 1's outputs in the whole send (screens 1-4): the pattern as "pattern raster grid", the
// black levels, the halos (not in the units' status: 0), then the right and left edges.
QStringList FirstUnitOutputs(const char* unit, const char* pattern) {
    QStringList lines;
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sOTPMZV %d %s!", unit, channel, pattern);
    }
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sBLKGN %d 16!", unit, channel);
    }
    for (int channel = 2; channel <= 4; ++channel) {
        lines << F("%sHALO %d L 0 0!", unit, channel);
    }
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sHALO %d R 0 0!", unit, channel);
    }
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sPEFT %d R 1  2.2 256 0!", unit, channel);
    }
    for (int channel = 2; channel <= 4; ++channel) {
        lines << F("%sPEFT %d L 1  2.2 256 0!", unit, channel);
    }
    return lines;
}

// Unit 2's outputs (screens 5-8) of units that left the factory with six projectors: screen
// 6's right edge and both edges of screens 7 and 8 are off.
QStringList SecondUnitOutputs(const char* unit, const char* pattern, int black5,
                              const char* leftGamma6) {
    QStringList lines;
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sOTPMZV %d %s!", unit, channel, pattern);
    }
    lines << F("%sBLKGN 1 %d!", unit, black5);
    for (int channel = 2; channel <= 4; ++channel) {
        lines << F("%sBLKGN %d 16!", unit, channel);
    }
    for (int channel = 1; channel <= 4; ++channel) {
        lines << F("%sHALO %d L 0 0!", unit, channel);
    }
    for (int channel = 1; channel <= 3; ++channel) {
        lines << F("%sHALO %d R 0 0!", unit, channel);
    }
    lines << F("%sPEFT 1 R 1  2.2 256 0!", unit) << F("%sPEFT 2 R 0  2.2 256 0!", unit)
          << F("%sPEFT 3 R 0  2.2 256 0!", unit) << F("%sPEFT 1 L 1  2.2 256 0!", unit)
          << F("%sPEFT 2 L 1 %s 256 0!", unit, leftGamma6) << F("%sPEFT 3 L 0  2.2 256 0!", unit)
          << F("%sPEFT 4 L 0  2.2 256 0!", unit);
    return lines;
}

// The control mode to both units, each read back.
QStringList ControlModeSends(const char* first, const char* second, int mode) {
    QStringList lines;
    for (const char* unit : {first, second}) {
        lines << F("%sZVCTRL %d!", unit, mode);
        for (int channel = 1; channel <= 4; ++channel) {
            lines << F("%sOINFOZV %d!", unit, channel);
        }
    }
    return lines;
}

QString Dump(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

// The simulator and the program's home for one test.
struct Rig {
    QTemporaryDir Directory;
    SimProcess Sim;
    std::string Log;
    std::string State;
    TarvelRun Program{Directory.path()};

    Rig()
        : Log(Directory.filePath(QStringLiteral("sim.log")).toStdString()),
          State(Directory.filePath(QStringLiteral("sim.state")).toStdString()) {}
    ~Rig() {
        Sim.Stop();
        KeepLog();
    }

    // With TARVEL_JOURNEY_LOGS=DIR every simulator log of a journey is kept as DIR/<test>.log,
    // so that the wire of two builds can be compared line for line.
    void KeepLog() {
        const QString keep = qEnvironmentVariable("TARVEL_JOURNEY_LOGS");
        QFile log(QString::fromStdString(Log));
        if (keep.isEmpty() || !log.open(QIODevice::ReadOnly)) {
            return;
        }
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        QFile kept(keep + QLatin1Char('/') + QLatin1String(test->test_suite_name()) +
                   QLatin1Char('.') + QLatin1String(test->name()) + QStringLiteral(".log"));
        if (kept.open(QIODevice::Append)) {
            kept.write("--- simulator run\n" + log.readAll());
        }
    }

    // (Re)starts the simulator with a fresh log and state.
    bool StartSim(std::vector<std::string> options) {
        if (Sim.Running()) {
            Sim.Stop();
            KeepLog();
        }
        options.insert(options.end(), {"--log", Log, "--state", State});
        std::string error;
        const bool started = Sim.Start(options, &error);
        EXPECT_TRUE(started) << error;
        return started;
    }
    QString Ports() const { return QString::fromStdString(Sim.PtyPath()); }
    QString Path(const char* name) const { return Directory.filePath(QLatin1String(name)); }
};

void ExpectCleanEnd(const RunResult& run) {
    EXPECT_TRUE(run.Started);
    EXPECT_FALSE(run.TimedOut) << run.Report.toStdString();
    EXPECT_EQ(run.ExitCode, 0) << run.Report.toStdString() << run.Output.toStdString();
}

const QString StartQuestion =
    "box: Prendel - Tarvel :Establish COM port communication with Zelvar(s) | Tarvel requires "
    "connection to Zelvar(s) to function. Do you currently have Zelvar(s) connected to the "
    "PC/laptop? Click Yes and Tarvel will search for Zelvar(s).";
const QString BothDifferWarning =
    "box: Prendel - Tarvel | Warning. Number of Projectors and Input Material Alignment "
    "information read from Zelvar(s) does not match current values in the Planning page. "
    "\\rPlanning page values will be overwritten";
const QString ExitQuestion = "box: Prendel - Tarvel :Confirm Exit | Are you sure you want to "
                             "exit this application? -> yes";
const QString UnsavedDiscarded =
    "box: Prendel - Tarvel :Unsaved Changes | The configuration has changes that were not saved "
    "to a file. Do you want to save them before exiting? -> discard";

// ----- Journeys -----

// First start on a new PC: the search finds the controller with its two units and reads them;
// the installer plans a wall of five projectors, changes a value on every page, sends
// everything, saves the configuration and leaves.
TEST(JourneyTest, FirstStartPlanAWallChangeEveryPageSendAllSaveAndExit) {
    Rig rig;
    ASSERT_TRUE(rig.Directory.isValid());
    ASSERT_TRUE(rig.StartSim({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    const QString wall = rig.Path("wall.zvc");

    const RunResult run = rig.Program.Run(
        "first",
        {
            "answer yes",
            "wait",
            "show NumOfZelvarDetectedLabel ZelvarID1Edit ZelvarID2Edit ReadfromZelvars1",
            "show NumOfScreenComboBox ImageAlignComboBox OWidthPlanningEdit MainStatusLabel",
            "show HPositionEdit PhaseEdit LeftOContrastEdit BasicGammaEdit OWidthEdit",
            "show TestPattern1ComboBox SeamGain1Edit HActiveLabel HVOutLabel",
            "# Planning: a screen 60 by 10 of 1280x1024 projectors, centred",
            "type HorizontalOutEdit 60",
            "click CalcOutButton",
            "show NumOfScreenComboBox ImageSizeHLabel ImageSizeVLabel OutAspectRatioLabel",
            "show NumOfZelvarsLabel OWidthPlanningEdit MainStatusLabel",
            "select ImageAlignComboBox Centered",
            "# Projector Setup: grey 50 % on every projector",
            "tab ProjAlignTabSheet",
            "click ProjTest4RadioGroupItem3",
            "# Source Setup: screen 2's H position and red contrast",
            "tab SourceSetupTabSheet",
            "click SourceScreenSelect2RadioButton",
            "type HPositionEdit 300",
            "enter HPositionEdit",
            "type LeftRContrastEdit 5.5",
            "enter LeftRContrastEdit",
            "# Display Setup: the basic gamma and data doubling",
            "tab DisplaySetupTabSheet",
            "type BasicGammaEdit 2.8",
            "enter BasicGammaEdit",
            "click EnDataDoubleCheckBox",
            "# the service view, for the seam gains and black levels",
            "tab InfoTabSheet",
            "dblclick HiddenLabel",
            "tab SeamRemovalTabSheet",
            "click SeamScreenSelect3RadioButton",
            "type SeamGain4Edit 140",
            "enter SeamGain4Edit",
            "tab DisplaySetupTabSheet",
            "tab Screen58TabSheet",
            "type Black5Edit 30",
            "enter Black5Edit",
            "menu SendCurrentSettingstoZelvars1",
            "show MainStatusLabel TestPattern5ComboBox Black5Edit",
            "file " + wall,
            "menu SaveConfigurationtoFile1",
            "answer yes",
            "close",
        },
        rig.Ports());
    ExpectCleanEnd(run);

    EXPECT_EQ(Lines(run.Report),
              (QStringList{
                  StartQuestion + " -> yes",
                  BothDifferWarning,
                  // After the read: two units at the controller's addresses, the pages from them.
                  "NumOfZelvarDetectedLabel: 2",
                  "ZelvarID1Edit: 5",
                  "ZelvarID2Edit: 7",
                  "ReadfromZelvars1: enabled",
                  "NumOfScreenComboBox: 6 Projectors",
                  "ImageAlignComboBox: Left Justified",
                  "OWidthPlanningEdit: 256",
                  "MainStatusLabel: ",
                  "HPositionEdit: 352",
                  "PhaseEdit: 16",
                  "LeftOContrastEdit: 100",
                  "BasicGammaEdit: 2.2",
                  "OWidthEdit: 256",
                  "TestPattern1ComboBox: Off",
                  "SeamGain1Edit: 128",
                  "HActiveLabel: 1280",
                  "HVOutLabel: 1280x1024",
                  // The plan: aspect 6, 6144 pixels wide, five projectors overlapping by 64.
                  "NumOfScreenComboBox: 5 Projectors",
                  "ImageSizeHLabel: 6144",
                  "ImageSizeVLabel: 1024",
                  "OutAspectRatioLabel: 6",
                  "NumOfZelvarsLabel: 2",
                  "OWidthPlanningEdit: 64",
                  "MainStatusLabel: NOTE: Current settings require 2 Zelvars.",
                  // After the send of everything.
                  "MainStatusLabel: ",
                  "TestPattern5ComboBox: Grey - 50%",
                  "Black5Edit: 30",
                  "save: " + wall,
                  ExitQuestion,
              }))
        << run.Report.toStdString();

    QStringList expected{"debug 0", "NZV"};
    expected << UnitRead("*5") << UnitRead("*7");
    expected << "NZV"; // six projectors read: are there two units?
    // Calculate reads the units again, then sets the projector count and the alignment.
    expected << "NZV" << UnitRead("*5") << UnitRead("*7") << "NZV";
    expected << "*5PRJ 0 5!"
             << "*7PRJ 1 5!"
             << "*5DISP 0 64!"
             << "*7DISP 0 64!";
    expected << "*5DISP 1 64!"
             << "*7DISP 1 64!"; // centred
    expected << "*5OTPMZV 5 7 0 0!"
             << "*7OTPMZV 5 7 0 0!"; // grey 50 % on all four channels of each unit
    // Every field commits when it is left: Enter moves on to the next field, which commits
    // again (unchanged) when the next control takes the focus.
    expected << "*5IRSPZV 2 M H 300!"
             << "*5IRSPZV 2 M V 38!"
             << "*5ICNTZV 2 R  5.5!"
             << "*5IBRTZV 2 R  0.0!";
    expected << "*5EFTB 1  2.8!"
             << "*7EFTB 1  2.8!"
             << "*5DISP 1 64!" // Enter went on to the overlap field, left for the check box
             << "*7DISP 1 64!"
             << "*5DDBL 1!"
             << "*7DDBL 1!";
    const char* seam3 = "128 128 128 140 128 128 128 128";
    expected << F("*5MANSEAM 3 -4 %s!", seam3) << F("*5MANSEAM 3 -4 %s!", seam3);
    expected << "*7BLKGN 1 30!";
    // "Send Current Settings to Zelvar(s)".
    expected << "*5PRJ 0 5!"
             << "*7PRJ 1 5!"
             << "*5DISP 1 64!"
             << "*7DISP 1 64!";
    for (int channel = 1; channel <= 4; ++channel) {
        expected << InputSends("*5", channel, channel == 2 ? 300 : 352, 38, 16,
                               channel == 2 ? " 5.5" : " 0.0");
    }
    expected << InputSends("*7", 1, 352, 38, 16, " 0.0");
    expected << FirstUnitOutputs("*5", "7 0 0");
    expected << "*5DDBL 1!"
             << "*7DDBL 1!"
             << "*5EFTB 1  2.8!"
             << "*7EFTB 1  2.8!";
    expected << ControlModeSends("*5", "*7", 0);
    expected << SecondUnitOutputs("*7", "7 0 0", 30, " 2.2");
    expected << SeamSends("*5", 1, FactoryGains) << SeamSends("*5", 2, FactoryGains)
             << SeamSends("*5", 3, seam3) << SeamSends("*5", 4, FactoryGains)
             << SeamSends("*7", 1, FactoryGains);
    const QStringList log = ReadLog(rig.Log);
    EXPECT_EQ(log, expected) << Dump(log).toStdString();

    // The units hold every value changed.
    const Image state = ReadImage(QString::fromStdString(rig.State));
    ASSERT_EQ(state.Bytes.size(), 1720);
    for (int unit = 1; unit <= 2; ++unit) {
        SCOPED_TRACE(unit);
        EXPECT_EQ(state.U8(Out(unit, 1, TotalProjectors)), 5);
        EXPECT_EQ(state.U8(Out(unit, 1, ProjectorGroup)), unit - 1);
        EXPECT_EQ(state.U8(Out(unit, 1, ImageAlignment)), 1);
        EXPECT_EQ(state.I32(Out(unit, 1, DisplayOverlap)), 64);
        EXPECT_EQ(state.U8(Out(unit, 1, DataDoubling)), 1);
        EXPECT_EQ(state.F32(Out(unit, 1, BasicGamma)), 2.8f);
        EXPECT_EQ(state.I16(Out(unit, 1, BasicFeatherOn)), 1);
        for (int channel = 1; channel <= 4; ++channel) {
            EXPECT_EQ(state.U8(Out(unit, channel, TestPattern)), 7) << channel;
        }
    }
    EXPECT_EQ(state.I32(In(1, 2, HPosition)), 300);
    EXPECT_EQ(state.F32(In(1, 2, RedContrast)), 5.5f);
    EXPECT_EQ(state.U8(Out(1, 3, SeamGain1 + 3)), 140);
    EXPECT_EQ(state.U8(Out(2, 1, BlackLevel)), 30);

    // The file is the configuration as the units now hold it, but for the two outer edges'
    // halo widths, which the units report in no status and no send carries.
    const Image file = ReadImage(wall);
    ASSERT_EQ(file.Bytes.size(), 1720);
    EXPECT_EQ(file.I32(Out(1, 1, LeftHaloWidth)), 0);
    EXPECT_EQ(state.I32(Out(1, 1, LeftHaloWidth)), 32);
    EXPECT_EQ(file.I32(Out(2, 4, RightHaloWidth)), 0);
    EXPECT_EQ(state.I32(Out(2, 4, RightHaloWidth)), 32);
    QByteArray held = state.Bytes;
    held[Out(1, 1, LeftHaloWidth)] = 0;
    held[Out(2, 4, RightHaloWidth)] = 0;
    EXPECT_EQ(file.Bytes, held);

    QFile ini(rig.Program.IniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), "60.000000 10.000000 64 4 1 2");
}

// A configuration saved in one session is opened after a restart, against units that hold
// something else, and sent to them; then the units store it ("System Save Zelvar(s)").
TEST(JourneyTest, RestartOpenTheSavedFileSendItAndSystemSave) {
    Rig rig;
    ASSERT_TRUE(rig.Directory.isValid());
    const QString wall = rig.Path("wall.zvc");

    // The first session: the alignment pattern, screen 4's phase, advanced edge feathering with
    // screen 6's left gamma (the edit of the overview's example), then saved.
    ASSERT_TRUE(rig.StartSim({"--mode", "controller", "--units", "2", "--addresses", "5,7"}));
    const RunResult first = rig.Program.Run("first",
                                            {
                                                "answer yes",
                                                "tab ProjAlignTabSheet",
                                                "click ProjTest3RadioGroupItem1",
                                                "tab SourceSetupTabSheet",
                                                "click SourceScreenSelect4RadioButton",
                                                "type PhaseEdit -3",
                                                "enter PhaseEdit",
                                                "tab DisplaySetupTabSheet",
                                                "click AdvanceModeCheckBox",
                                                "tab Screen58TabSheet",
                                                "type LGamma6Edit 2.5",
                                                "enter LGamma6Edit",
                                                "file " + wall,
                                                "menu SaveConfigurationtoFile1",
                                                "answer yes",
                                                "close",
                                            },
                                            rig.Ports());
    ExpectCleanEnd(first);
    EXPECT_EQ(Lines(first.Report), (QStringList{
                                       StartQuestion + " -> yes",
                                       BothDifferWarning,
                                       "save: " + wall,
                                       ExitQuestion,
                                   }));
    QStringList expected{"debug 0", "NZV"};
    expected << UnitRead("*5") << UnitRead("*7") << "NZV";
    expected << "*5OTPMZV 5 1 1 0!"
             << "*7OTPMZV 5 1 1 0!"
             << "*5ICPHOZV 4 M -3!"
             << "*5IRSPZV 4 M H 352!"; // Enter went on to the H position, left for the page
    expected << ControlModeSends("*5", "*7", 1);
    expected << "*7PEFT 2 L 1  2.5 256 0!";
    EXPECT_EQ(ReadLog(rig.Log), expected);
    const Image saved = ReadImage(wall);
    ASSERT_EQ(saved.Bytes.size(), 1720);
    EXPECT_EQ(saved.F32(Out(2, 2, LeftGamma)), 2.5f) << "the edge as the page sent it";
    EXPECT_EQ(saved.I32(In(1, 4, Phase)), -3);
    EXPECT_EQ(saved.U8(Out(1, 1, ControlMode)), 1);

    // A new session on units at other addresses, as they left the factory.
    ASSERT_TRUE(rig.StartSim({"--mode", "controller", "--units", "2", "--addresses", "1,2"}));
    const RunResult second = rig.Program.Run(
        "second",
        {
            "answer yes",
            "wait",
            "show AdvanceModeCheckBox PhaseEdit TestPattern1ComboBox",
            "file " + wall,
            "menu OpenConfigurationFile1",
            "show AdvanceModeCheckBox LGamma6Edit TestPattern1ComboBox TestPattern8ComboBox",
            "show NumOfScreenComboBox ImageAlignComboBox OWidthEdit",
            "tab SourceSetupTabSheet",
            "click SourceScreenSelect4RadioButton",
            "show PhaseEdit",
            "menu SendCurrentSettingstoZelvars1",
            "tab InfoTabSheet",
            "click SystemSaveButton",
            "show MainStatusLabel",
            "answer yes",
            "close",
        },
        rig.Ports());
    ExpectCleanEnd(second);
    EXPECT_EQ(Lines(second.Report),
              (QStringList{
                  StartQuestion + " -> yes",
                  // Tarvel.ini brought back six projectors, left justified; the first
                  // calculation made it three.
                  "box: Prendel - Tarvel | Warning. Number of Projectors information read from "
                  "Zelvar(s) does not match current values in the Planning page. \\rPlanning "
                  "page values will be overwritten",
                  "AdvanceModeCheckBox: unchecked",
                  "PhaseEdit: 16",
                  "TestPattern1ComboBox: Off",
                  "open: " + wall,
                  "box: Prendel - Tarvel | File open successful. Tarvel updated with settings "
                  "from file.",
                  "AdvanceModeCheckBox: checked",
                  "LGamma6Edit: 2.5",
                  "TestPattern1ComboBox: Alignment Position",
                  "TestPattern8ComboBox: Alignment Position",
                  "NumOfScreenComboBox: 6 Projectors",
                  "ImageAlignComboBox: Left Justified",
                  "OWidthEdit: 256",
                  "PhaseEdit: -3",
                  "MainStatusLabel: ",
                  ExitQuestion,
              }))
        << second.Report.toStdString();

    expected = QStringList{"debug 0", "NZV"};
    expected << UnitRead("*1") << UnitRead("*2") << "NZV";
    // Opening the file sends no setting: only the question whether two units are there for
    // its six projectors.
    expected << "NZV";
    expected << "*1PRJ 0 6!"
             << "*2PRJ 1 6!"
             << "*1DISP 0 256!"
             << "*2DISP 0 256!";
    for (int channel = 1; channel <= 4; ++channel) {
        expected << InputSends("*1", channel, 352, 38, channel == 4 ? -3 : 16, " 0.0");
    }
    expected << InputSends("*2", 1, 352, 38, 16, " 0.0")
             << InputSends("*2", 2, 352, 38, 16, " 0.0");
    expected << FirstUnitOutputs("*1", "1 1 0");
    expected << "*1DDBL 0!"
             << "*2DDBL 0!"
             << "*1EFTB 1  2.2!"
             << "*2EFTB 1  2.2!";
    expected << ControlModeSends("*1", "*2", 1);
    expected << SecondUnitOutputs("*2", "1 1 0", 16, " 2.5");
    for (int channel = 1; channel <= 4; ++channel) {
        expected << SeamSends("*1", channel, FactoryGains);
    }
    expected << SeamSends("*2", 1, FactoryGains) << SeamSends("*2", 2, FactoryGains);
    expected << "*1SYSAVE!"
             << "*2SYSAVE!";
    const QStringList log = ReadLog(rig.Log);
    EXPECT_EQ(log, expected) << Dump(log).toStdString();

    // The units hold the saved configuration, but for what the file cannot tell them: the
    // outer edges' halo widths (in no status and no send) and the seam mode that the seam gain
    // commands set (the saved session sent none).
    const Image state = ReadImage(QString::fromStdString(rig.State));
    ASSERT_EQ(state.Bytes.size(), 1720);
    EXPECT_EQ(state.F32(Out(2, 2, LeftGamma)), 2.5f);
    EXPECT_EQ(state.I32(In(1, 4, Phase)), -3);
    QByteArray held = state.Bytes;
    held[Out(1, 1, LeftHaloWidth)] = 0;
    held[Out(2, 4, RightHaloWidth)] = 0;
    for (int screen = 1; screen <= 6; ++screen) {
        const int unit = screen <= 4 ? 1 : 2;
        const int channel = screen <= 4 ? screen : screen - 4;
        EXPECT_EQ(state.I32(Out(unit, channel, SeamMode)), -4) << screen;
        held.replace(Out(unit, channel, SeamMode), 4, QByteArray(4, '\0'));
    }
    EXPECT_EQ(held, saved.Bytes);

    QFile ini(rig.Program.IniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), "62.500000 10.000000 256 5 0 2");
}

// A laptop wired straight to one unit: no search at start, then "Zelvar connected to Serial
// Port directly", a test pattern with its grid, the basic gamma and a phase, and disconnect;
// the edits were saved nowhere, so the exit asks about them (Discard).
TEST(JourneyTest, ADirectConnectionToOneUnit) {
    Rig rig;
    ASSERT_TRUE(rig.Directory.isValid());
    ASSERT_TRUE(rig.StartSim({"--mode", "direct"}));
    const RunResult run = rig.Program.Run(
        "direct",
        {
            "answer no",
            "wait",
            "show MainStatusLabel ReadfromZelvars1",
            "answer yes",
            "menu ZelvarconnectedtoSerialPortdirectly1",
            "show NumOfZelvarDetectedLabel ComNumberLabel NumOfScreenComboBox ImageAlignComboBox",
            "tab DisplaySetupTabSheet",
            "select TestPattern2ComboBox Horizontal Ramp",
            "click TestGrid2CheckBox",
            "type BasicGammaEdit 3.0",
            "enter BasicGammaEdit",
            "tab SourceSetupTabSheet",
            "type PhaseEdit 5",
            "enter PhaseEdit",
            "menu DisconnectSerialCo1",
            "show ReadfromZelvars1 SendCurrentSettingstoZelvars1 MainStatusLabel",
            "answer yes discard",
            "close",
        },
        rig.Ports());
    ExpectCleanEnd(run);
    EXPECT_EQ(Lines(run.Report),
              (QStringList{
                  StartQuestion + " -> no",
                  "box: Prendel - Tarvel | When Zelvar(s) are connected, go to 'Serial "
                  "Port->Search for Zelvar(s)->Search' menu item for the Tarvel to search for "
                  "Zelvar(s).\\nPlease refer to Zelvar manual for help with Tarvel serial "
                  "connection.",
                  "MainStatusLabel: NOTE: Current settings require 1 Zelvar.",
                  "ReadfromZelvars1: disabled",
                  "box: Tarvel - Query Zelvar settings verification | Serial communication "
                  "established. Do you wish to query the Zelvar's settings and update the "
                  "Tarvel? -> yes",
                  "box: Prendel - Tarvel | Warning. Input Material Alignment information read "
                  "from Zelvar(s) does not match current values in the Planning page. "
                  "\\rPlanning page values will be overwritten",
                  "NumOfZelvarDetectedLabel: 1",
                  "ComNumberLabel: 1",
                  "NumOfScreenComboBox: 3 Projectors",
                  "ImageAlignComboBox: Left Justified",
                  "ReadfromZelvars1: disabled",
                  "SendCurrentSettingstoZelvars1: disabled",
                  "MainStatusLabel: Note: No Zelvar communication established yet.",
                  ExitQuestion,
                  // The edits since the read were saved nowhere.
                  UnsavedDiscarded,
              }))
        << run.Report.toStdString();

    // The direct forms: no address, no frame; one unit, read without asking for a count.
    const QStringList log = ReadLog(rig.Log);
    EXPECT_EQ(log, (QStringList{
                       "SYINFOZV",
                       "IINFOZV 1",
                       "IINFOZV 2",
                       "IINFOZV 3",
                       "IINFOZV 4",
                       "OINFOZV 1",
                       "OINFOZV 2",
                       "OINFOZV 3",
                       "OINFOZV 4",
                       "OTPMZV 2 10 0 0",
                       "OTPMZV 2 10 0 1",
                       "EFTB 1  3.0",
                       "DISP 0 256", // Enter went on to the overlap, left for the page
                       "ICPHOZV 1 M 5",
                   }))
        << Dump(log).toStdString();
    const Image state = ReadImage(QString::fromStdString(rig.State));
    ASSERT_EQ(state.Bytes.size(), 1720);
    EXPECT_EQ(state.U8(Out(1, 2, TestPattern)), 10);
    EXPECT_EQ(state.U8(Out(1, 2, TestGrid)), 1);
    EXPECT_EQ(state.F32(Out(1, 1, BasicGamma)), 3.0f);
    EXPECT_EQ(state.I32(In(1, 1, Phase)), 5);
    EXPECT_EQ(state.Bytes.mid(420, 420), QByteArray(420, '\0')) << "no second unit";

    QFile ini(rig.Program.IniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), "32.500000 10.000000 256 2 0 2");
}

// The script itself: whatever goes wrong ends the run with 3 and says why, without a hang.
TEST(AutomationScriptTest, AStepThatCannotBeCarriedOutEndsTheRunWithThree) {
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    TarvelRun program(directory.path());
    const QString noPorts;

    RunResult run =
        program.Run("unknown", {"answer no", "# a comment", "", "frobnicate now"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report), QStringList{"error: line 4: frobnicate now: unknown step"});

    run = program.Run("arguments", {"check AdvanceModeCheckBox maybe"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report), QStringList{"error: line 1: check AdvanceModeCheckBox maybe: "
                                             "invalid argument"});

    const QString hint =
        "box: Prendel - Tarvel | When Zelvar(s) are connected, go to 'Serial Port->Search for "
        "Zelvar(s)->Search' menu item for the Tarvel to search for Zelvar(s).\\nPlease refer to "
        "Zelvar manual for help with Tarvel serial connection.";
    run = program.Run("missing", {"answer no", "type NoSuchEdit 5"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report), (QStringList{StartQuestion + " -> no", hint,
                                              "error: line 2: type NoSuchEdit 5: no control "
                                              "named NoSuchEdit"}));

    run = program.Run("hidden", {"answer no", "type Black1Edit 5"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report).last(),
              "error: line 2: type Black1Edit 5: Black1Edit is not shown");

    run = program.Run("disabled", {"answer no", "menu SendCurrentSettingstoZelvars1"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report).last(), "error: line 2: menu SendCurrentSettingstoZelvars1: "
                                        "SendCurrentSettingstoZelvars1 is disabled");

    // No answer queued for the start-up question: answered No, reported, and the run ends.
    run = program.Run("unanswered", {"show MainStatusLabel"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report),
              (QStringList{StartQuestion + " -> no",
                           "error: no answer was queued for the question above", hint}));

    run = program.Run("open", {"answer no", "show NumOfScreenComboBox"}, noPorts);
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_EQ(Lines(run.Report),
              (QStringList{StartQuestion + " -> no", hint, "NumOfScreenComboBox: 3 Projectors",
                           "error: the script ended with the window open"}));

    // Answering No to the exit question keeps the window; the script goes on.
    run = program.Run("exit", {"answer no no", "close", "answer yes", "menu Exit1"}, noPorts);
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(Lines(run.Report),
              (QStringList{StartQuestion + " -> no", hint,
                           "box: Prendel - Tarvel :Confirm Exit | Are you sure you want to exit "
                           "this application? -> no",
                           ExitQuestion}));
}

} // namespace
} // namespace tarvel
