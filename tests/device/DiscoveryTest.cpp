// Finding units: the search over the COM ports, the two connect actions, the Serial Port menu
// settings and the unit count check, on the real serial port against zelvar-sim.

#include "LinkRig.h"

#include "device/CommandEncoders.h"
#include "device/UnitQueries.h"

#include <QSignalSpy>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace tarvel::test {
namespace {

const QString NotDetected = QStringLiteral(
    "Zelvar(s) not detected.\n1) Please check RS-232 cable.\n2) Make sure Zelvar(s) boot-up "
    "initialization has been completed.\n3) Go to 'Serial Port->Search for Zelvar(s)->Search' "
    "menu item for the Tarvel to search for Zelvar(s) again.");
const QString EstablishCaption =
    QStringLiteral("Prendel - Tarvel :Establish COM port communication with Zelvar(s)");
const QString TwoUnitsHowTo = QStringLiteral(
    "For Tarvel to control 2 Zelvars:\n1)Connect PC's COM Port to Prendel Controller's 'Console' "
    "port\n2)Connect Zelvars to Kindrel Plus chassis(to ports labelled 'Kindrel')\n3)Set Zelvar "
    "Serial Mode to RS485 and set RS485 ID to next available #.\n4)Reboot Prendel Controller and "
    "verify that it detects Zelvars (ZV:#)");

// The line's speed and flow control as the port set them, read from the terminal itself.
struct LineSettings {
    int Baud = 0;
    bool RtsCts = false;
};

LineSettings ReadLineSettings(const QString& path) {
    LineSettings line;
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios settings{};
    if (fd >= 0 && ::tcgetattr(fd, &settings) == 0) {
        switch (::cfgetospeed(&settings)) {
        case B9600:
            line.Baud = 9600;
            break;
        case B38400:
            line.Baud = 38400;
            break;
        case B57600:
            line.Baud = 57600;
            break;
        default:
            line.Baud = -1;
        }
        line.RtsCts = (settings.c_cflag & CRTSCTS) != 0;
    }
    if (fd >= 0) {
        ::close(fd);
    }
    return line;
}

QList<QByteArray> Chunks(const QSignalSpy& spy) {
    QList<QByteArray> chunks;
    for (const QList<QVariant>& signal : spy) {
        chunks << signal.at(0).toByteArray();
    }
    return chunks;
}

TEST(DiscoveryTest, SearchFindsADirectUnitOnCom3BehindTwoMissingPorts) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsOverride ports({MissingDevice(1), MissingDevice(2), sim.Path()});
    LinkRig rig;
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    EXPECT_TRUE(rig.Search()) << "the window reads the units next";

    EXPECT_TRUE(rig.Link.Connected());
    EXPECT_EQ(rig.Link.Mode(), ConnectionMode::Direct);
    EXPECT_EQ(rig.Link.PromptCharacter(), '#');
    EXPECT_EQ(rig.View.ComNumberText, "3");
    EXPECT_TRUE(rig.View.StatusTexts.contains("Established communication with Zelvar on Com 3"));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty()) << rig.View.Boxes.Texts().join('|').toStdString();
    EXPECT_TRUE(rig.View.ReadSendEnabled);
    EXPECT_EQ(rig.View.BusyValue, 0);
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_TRUE(rig.View.PageEnabled);
    EXPECT_EQ(rig.Link.PromptWait(), 80);
    ASSERT_FALSE(rig.View.ConnectedHistory.empty());
    EXPECT_TRUE(rig.View.ConnectedHistory.back());

    EXPECT_EQ(Chunks(written), QList<QByteArray>({"\r"})) << "found at the first probe of COM 3";
    EXPECT_TRUE(rig.Port.IsOpen());
    EXPECT_EQ(rig.Port.ComNumber(), 3);
    EXPECT_EQ(rig.Port.Baud(), 38400);
    EXPECT_FALSE(rig.Port.HardwareFlowControl());
    const LineSettings line = ReadLineSettings(sim.Path());
    EXPECT_EQ(line.Baud, 38400);
    EXPECT_FALSE(line.RtsCts);
    EXPECT_TRUE(sim.Log().empty()) << "probes are not commands";
}

TEST(DiscoveryTest, SearchTriesDirectModeFirstThenFindsTheController) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller"}));
    PortsOverride ports({MissingDevice(1), MissingDevice(2), sim.Path()});
    LinkRig rig;
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    EXPECT_TRUE(rig.Search());

    EXPECT_TRUE(rig.Link.Connected());
    EXPECT_EQ(rig.Link.Mode(), ConnectionMode::Controller);
    EXPECT_EQ(rig.Link.PromptCharacter(), '>');
    EXPECT_EQ(rig.View.ComNumberText, "3");
    EXPECT_TRUE(rig.View.StatusTexts.contains("Established communication with Zelvar on Com 3"));
    EXPECT_TRUE(rig.View.Boxes.Calls().empty()) << rig.View.Boxes.Texts().join('|').toStdString();
    // Two direct probes of COM 3 go unanswered ('#' never comes), then the controller's
    // prompt answers the first controller probe, and the units leave their debug console.
    EXPECT_EQ(Chunks(written), QList<QByteArray>({"\r", "\r", "\r", "debug 0\r"}));
    ASSERT_GE(rig.View.SettingsHistory.size(), 2u);
    EXPECT_EQ(rig.View.SettingsHistory.front().Mode, ConnectionMode::Direct);
    EXPECT_EQ(rig.View.SettingsHistory.back().Mode, ConnectionMode::Controller);
    EXPECT_EQ(rig.View.SettingsHistory.back().BaudIndex, 1);

    EXPECT_EQ(rig.Port.Baud(), 57600);
    EXPECT_TRUE(rig.Port.HardwareFlowControl());
    const LineSettings line = ReadLineSettings(sim.Path());
    EXPECT_EQ(line.Baud, 57600);
    EXPECT_TRUE(line.RtsCts);
    EXPECT_EQ(sim.Log(), std::vector<std::string>({"debug 0"}));
}

TEST(DiscoveryTest, ABaudPickedFromTheMenuHoldsUntilTheNextSearch) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(rig.Search());

    rig.Link.ChooseBaud(9600);
    EXPECT_EQ(rig.Port.Baud(), 9600);
    EXPECT_EQ(ReadLineSettings(sim.Path()).Baud, 9600) << "takes effect on the open port at once";
    EXPECT_FALSE(rig.View.LastSettings.DefaultBaud);
    EXPECT_EQ(rig.View.LastSettings.Baud, 9600);

    EXPECT_TRUE(rig.Search());
    EXPECT_EQ(rig.Port.Baud(), 38400) << "the search runs at the rate of the baud box";
    EXPECT_EQ(ReadLineSettings(sim.Path()).Baud, 38400);
    EXPECT_EQ(rig.View.LastSettings.BaudIndex, 0);

    rig.Link.ChooseDefaultBaud();
    EXPECT_TRUE(rig.View.LastSettings.DefaultBaud);
    EXPECT_EQ(rig.Port.Baud(), 38400) << "Default values changes nothing now";

    rig.Link.ChooseParity(2);
    EXPECT_EQ(rig.Port.CurrentParity(), Parity::Even);
    EXPECT_EQ(rig.View.LastSettings.ParityCode, 2);
    rig.Link.ChooseParity(7);
    EXPECT_EQ(rig.Port.CurrentParity(), Parity::Even) << "no such parity";
}

// A unit answers only at its own line rate. A rate picked from "Settings (Adv users only)"
// leaves the baud box where it was for both modes, so the controller (57600) is searched at
// 38400 and not found; with "Default values" each mode runs at its own rate again.
TEST(DiscoveryTest, ASearchAtAnotherRateThanTheModesOwnFindsNothingUntilDefaultValues) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;

    rig.Link.ChooseBaud(9600);
    EXPECT_FALSE(rig.Search());
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({NotDetected}));
    EXPECT_EQ(rig.View.LastSettings.Baud, 38400) << "the controller was tried at the box's rate";
    EXPECT_TRUE(sim.Log().empty()) << "the unit understood nothing";

    rig.View.Boxes.Clear();
    rig.Link.ChooseDefaultBaud();
    EXPECT_TRUE(rig.Search());
    EXPECT_EQ(rig.Link.Mode(), ConnectionMode::Controller);
    EXPECT_EQ(rig.Port.Baud(), 57600);
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_EQ(sim.Log(), std::vector<std::string>({"debug 0"}));
}

TEST(DiscoveryTest, NothingAnsweringGivesTheNotDetectedMessageAndAClosedPort) {
    Sim silent;
    ASSERT_TRUE(silent.Start({"--mode", "direct", "--silent-after", "0"}));
    PortsOverride ports({MissingDevice(1), silent.Path()});
    LinkRig rig;
    QSignalSpy written(&rig.Port, &SerialPort::Written);

    EXPECT_FALSE(rig.Search());

    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({NotDetected}));
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Caption, "Prendel - Tarvel");
    EXPECT_FALSE(rig.View.ReadSendEnabled);
    ASSERT_FALSE(rig.View.ConnectedHistory.empty());
    EXPECT_FALSE(rig.View.ConnectedHistory.back());
    EXPECT_EQ(rig.View.ComNumberText, "None");
    // Each mode probes the silent port twice.
    EXPECT_EQ(Chunks(written), QList<QByteArray>({"\r", "\r", "\r", "\r"}));
    EXPECT_EQ(rig.Link.PromptWait(), 80);
    EXPECT_FALSE(rig.View.Cursor);
    EXPECT_TRUE(rig.View.PageEnabled);
}

TEST(DiscoveryTest, TheConnectActionsNameWhatWasNotFound) {
    PortsOverride ports({MissingDevice(1)});
    LinkRig rig;

    EXPECT_FALSE(rig.Link.ConnectThroughController());
    EXPECT_FALSE(rig.ConnectDirectly());

    EXPECT_EQ(
        rig.View.Boxes.Texts(),
        QStringList(
            {"Controller not detected.\n1) Please check RS-232 cable and make sure it is "
             "connected to laptop/PC and to the 'Console' port on the Controller.\n2) Make sure "
             "Controller and Zelvar unit(s) boot-up initialization has been completed.",
             "Zelvar not detected on COM Ports.\n1) Please check RS-232 cable and make sure it is "
             "connected to laptop/PC and to the 'Remote' port on the Zelvar.\n2) Make sure Zelvar "
             "unit(s) boot-up initialization has been completed.\n If using the Controller, make "
             "sure that the Controller is turned on after after the Zelvar unit(s)boot-up "
             "initialization has been completed."}));
    EXPECT_FALSE(rig.Link.Connected());
}

TEST(DiscoveryTest, TheConnectActionsConnectAndLeaveTheReadToTheCaller) {
    Sim controller;
    ASSERT_TRUE(controller.Start({"--mode", "controller"}));
    {
        PortsOverride ports({controller.Path()});
        LinkRig rig;
        EXPECT_TRUE(rig.Link.ConnectThroughController());
        EXPECT_TRUE(rig.Link.Connected());
        EXPECT_TRUE(rig.View.Boxes.Calls().empty());
        EXPECT_TRUE(rig.View.ReadSendEnabled);
        EXPECT_EQ(controller.Log(), std::vector<std::string>({"debug 0"}));
    }

    Sim direct;
    ASSERT_TRUE(direct.Start({"--mode", "direct"}));
    PortsOverride ports({direct.Path()});
    LinkRig rig;
    EXPECT_TRUE(rig.ConnectDirectly());
    EXPECT_TRUE(rig.Link.Connected());
    EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    EXPECT_TRUE(direct.Log().empty());
}

TEST(DiscoveryTest, APlanOfMoreThanFourProjectorsNeedsTheController) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    rig.View.Planned = 6.0;

    EXPECT_FALSE(rig.Search());
    EXPECT_EQ(rig.View.Boxes.Texts(),
              QStringList({"Error! Current output settings require 2 Zelvars. Please connect "
                           "PC's COM Port to Prendel Controller's Serial Port and have the "
                           "Zelvars connected to the Prendel Controller's Remote Port."}));
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());

    // Connecting directly asks whether to go on with unit 1 alone; No explains and disconnects.
    rig.View.Boxes.Clear();
    rig.View.Boxes.Answer(false);
    EXPECT_FALSE(rig.ConnectDirectly());
    ASSERT_EQ(rig.View.Boxes.Calls().size(), 2u);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Kind, MessageKind::YesNo);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Caption, EstablishCaption);
    EXPECT_EQ(rig.View.Boxes.Calls()[0].Text,
              "Zelvar total # of projectors settings indicate that 2 Zelvars are required.To "
              "access 2 Zelvars, Tarvel requires the use of an Prendel Controller.\nDo you wish "
              "to continue and control only Zelvar #1?");
    EXPECT_EQ(rig.View.Boxes.Calls()[1].Text, TwoUnitsHowTo);
    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_EQ(rig.View.DisconnectedCount, 1);

    // Yes goes on with unit 1.
    rig.View.Boxes.Clear();
    rig.View.Boxes.Answer(true);
    EXPECT_TRUE(rig.ConnectDirectly());
    EXPECT_TRUE(rig.Link.Connected());
    EXPECT_FALSE(rig.View.Boxes.HadUnscriptedQuestion());
}

TEST(DiscoveryTest, MoreThanFourSelectedProjectorsNeedASecondUnitBehindTheController) {
    const QString error = QStringLiteral("Error! Increasing the # of Projectors to exceed 4 will "
                                         "require using 2 Zelvars.\n\n") +
                          TwoUnitsHowTo;
    Sim one;
    ASSERT_TRUE(one.Start({"--mode", "controller", "--units", "1", "--addresses", "4"}));
    {
        PortsOverride ports({one.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));
        EXPECT_TRUE(rig.Link.CheckUnitCountForMode(1.0, 4));
        EXPECT_FALSE(rig.Link.CheckUnitCountForMode(1.0, 5));
        // Asked twice, a second apart, before giving up.
        EXPECT_EQ(one.Log(), std::vector<std::string>({"debug 0", "NZV", "NZV"}));
        EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({error}));
        EXPECT_EQ(rig.Link.UnitAddressText(1), "4");
        EXPECT_TRUE(rig.View.AddressVisible[0]);
    }

    Sim two;
    ASSERT_TRUE(two.Start({"--mode", "controller", "--units", "2"}));
    {
        PortsOverride ports({two.Path()});
        LinkRig rig;
        ASSERT_TRUE(ConnectController(rig));
        EXPECT_TRUE(rig.Link.CheckUnitCountForMode(1.0, 6));
        EXPECT_EQ(two.Log(), std::vector<std::string>({"debug 0", "NZV"}));
        EXPECT_TRUE(rig.View.Boxes.Calls().empty());
    }

    // Direct mode cannot reach a second unit: no query, the error at once.
    Sim direct;
    ASSERT_TRUE(direct.Start({"--mode", "direct"}));
    PortsOverride ports({direct.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    EXPECT_FALSE(rig.Link.CheckUnitCountForMode(1.0, 5));
    EXPECT_EQ(rig.View.Boxes.Texts(), QStringList({error}));
    EXPECT_TRUE(direct.Log().empty());
    EXPECT_TRUE(rig.Port.IsOpen()) << "a refused count leaves the link as it was";
}

TEST(DiscoveryTest, DisconnectClosesThePortAndForgetsTheRead) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsOverride ports({sim.Path()});
    LinkRig rig;
    ASSERT_TRUE(ConnectDirect(rig));
    rig.Model.System.ReadValid = true;

    rig.Link.Disconnect();

    EXPECT_FALSE(rig.Port.IsOpen());
    EXPECT_FALSE(rig.Link.Connected());
    EXPECT_FALSE(rig.View.ConnectedHistory.back());
    EXPECT_FALSE(rig.View.ReadSendEnabled);
    EXPECT_EQ(rig.View.DisconnectedCount, 1);
    EXPECT_FALSE(rig.Model.System.ReadValid);
    EXPECT_EQ(rig.Link.Encoders().SendSystemSave(1), SendResult::NotSent);
    EXPECT_TRUE(rig.View.Boxes.Calls().empty()) << "a disconnect is not a lost port";
}

// A port that the user may not open.
class DeniedPort : public QtSerialPort {
public:
    PortOpenResult Open() override {
        PortOpenResult result;
        result.Outcome = PortOpenResult::Status::PermissionDenied;
        result.ComNumber = ComNumber();
        result.Device = DeviceFor(ComNumber());
        result.Group = QStringLiteral("dialout");
        return result;
    }
};

TEST(DiscoveryTest, APortWithoutPermissionSaysWhichDeviceAndHowToGetAccess) {
    Sim sim;
    ASSERT_TRUE(sim.Start({"--mode", "direct"}));
    PortsOverride ports({MissingDevice(1), sim.Path()});
    LinkRecorder view;
    SettingsModel model;
    DeniedPort port;
    DeviceLink link(port, model, view.User, TestTiming());
    link.SetObserver(&view);

    EXPECT_FALSE(link.ProbePort(1)) << "a missing device is skipped silently";
    EXPECT_TRUE(view.Boxes.Calls().empty());
    EXPECT_FALSE(link.ProbePort(2));
    EXPECT_EQ(view.Boxes.Texts(),
              QStringList({"Note: COM Port #2 cannot be opened. No permission to open the serial "
                           "port " +
                           sim.Path() +
                           ". Access needs membership of group dialout, then log in again."}));
}

} // namespace
} // namespace tarvel::test
