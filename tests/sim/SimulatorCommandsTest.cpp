// Every setting command of the units, in the controller form and in the direct form: the
// value written is the value the status queries report back.

#include "SimRig.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::testing;

namespace {

struct Expect {
    char Record; // 'I' input status, 'O' output status
    std::vector<int> Channels;
    const char* Field;
    std::int64_t Value; // colour values and gammas in tenths
};

struct CommandCase {
    const char* Command; // keyword and arguments as both forms carry them
    std::vector<Expect> Expects;
    char OutputLayout = 'B';
};

const std::vector<int> AllChannels{1, 2, 3, 4};

std::vector<CommandCase> Cases() {
    return {
        {"BLKGN 2 77", {{'O', {2}, "BlackLevel", 77}}},
        {"ZVCTRL 1", {{'O', AllChannels, "ControlMode", 1}}},
        {"DDBL 1", {{'O', AllChannels, "DataDoubling", 1}}},
        {"DISP 1 200",
         {{'O', AllChannels, "ImageAlignment", 1}, {'O', AllChannels, "DisplayOverlap", 200}}},
        {"EFTB 0  3.5",
         {{'O', AllChannels, "BasicFeatherOn", 0}, {'O', AllChannels, "BasicGamma", 35}}},
        {"HALO 3 L 12 -4",
         {{'O', {3}, "LeftHaloWidth", 12}, {'O', {3}, "LeftHaloOffset", -4}},
         '@'},
        {"HALO 1 R 40 6",
         {{'O', {1}, "RightHaloWidth", 40}, {'O', {1}, "RightHaloOffset", 6}},
         '@'},
        {"OTPMZV 2 7 1 1",
         {{'O', {2}, "TestPattern", 7}, {'O', {2}, "OutputRaster", 1}, {'O', {2}, "TestGrid", 1}}},
        {"OTPMZV 5 9 0 1",
         {{'O', AllChannels, "TestPattern", 9}, {'O', AllChannels, "TestGrid", 1}}},
        {"ICNTZV 1 C 95.5", {{'I', {1}, "OverallContrast", 955}}},
        {"ICNTZV 2 R -3.0", {{'I', {2}, "RedContrast", -30}}},
        {"ICNTZV 3 G  4.5", {{'I', {3}, "GreenContrast", 45}}},
        {"ICNTZV 4 B 12.5", {{'I', {4}, "BlueContrast", 125}}},
        {"IBRTZV 1 C 90.0", {{'I', {1}, "OverallBrightness", 900}}},
        {"IBRTZV 2 R  0.5", {{'I', {2}, "RedBrightness", 5}}},
        {"IBRTZV 3 G -1.5", {{'I', {3}, "GreenBrightness", -15}}},
        {"IBRTZV 4 B  7.0", {{'I', {4}, "BlueBrightness", 70}}},
        {"ICPHOZV 2 M 27", {{'I', {2}, "Phase", 27}}},
        {"IRSPZV 3 M H 400", {{'I', {3}, "HPosition", 400}}},
        {"IRSPZV 3 M V 50", {{'I', {3}, "VPosition", 50}}},
        {"PRJ 1 5",
         {{'O', AllChannels, "ProjectorGroup", 1}, {'O', AllChannels, "TotalProjectors", 5}}},
        {"MANSEAM 4 -4 1 2 3 4 5 6 7 255",
         {{'O', {4}, "SeamMode", -4},
          {'O', {4}, "SeamGain1", 1},
          {'O', {4}, "SeamGain2", 2},
          {'O', {4}, "SeamGain7", 7},
          {'O', {4}, "SeamGain8", 255}}},
        {"BRDGSEAM 1", {{'O', AllChannels, "SeamBridge", 1}}},
        {"AUTOSEAM 2",
         {{'O', {2}, "SeamGain1", 102},
          {'O', {2}, "SeamGain2", 105},
          {'O', {2}, "SeamGain8", 123}}},
        {"FEATHER L", {{'O', AllChannels, "FeatherCurve", 'L'}}},
        {"PEFT 2 L 0  3.1 100 8",
         {{'O', {2}, "LeftFeatherOn", 0},
          {'O', {2}, "LeftGamma", 31},
          {'O', {2}, "LeftGammaWidth", 100},
          {'O', {2}, "LeftGammaOffset", 8}}},
        {"PEFT 1 L 1  1.5 90 -2",
         {{'O', {1}, "LeftFeatherOn", 1},
          {'O', {1}, "LeftGamma", 15},
          {'O', {1}, "LeftGammaWidth", 90},
          {'O', {1}, "LeftGammaOffset", -2}}},
        {"PEFT 2 R 0  3.3 70 5",
         {{'O', {2}, "RightFeatherOn", 0},
          {'O', {2}, "RightGamma", 33},
          {'O', {2}, "RightGammaWidth", 70},
          {'O', {2}, "RightGammaOffset", 5}}},
        {"BRTHRS 99", {{'O', AllChannels, "BridgeThreshold", 99}}},
    };
}

std::int64_t Read(SimRig& rig, int address, const Expect& e, int channel) {
    Fields f = e.Record == 'I' ? rig.Input(address, channel) : rig.Output(address, channel);
    const auto it = f.find(e.Field);
    return it == f.end() ? INT64_MIN : it->second;
}

// Sends the command in the rig's mode to the unit at address 5 (controller) or the one unit.
std::string SendCommand(SimRig& rig, const std::string& command) {
    if (rig.Controller)
        return rig.Send(Frame("*5" + command + "!"));
    return rig.Send(command + "\r");
}

void CheckCase(const CommandCase& c, SimLinkMode mode) {
    SimOptions options = ControllerOptions();
    options.Mode = mode;
    options.Units = mode == SimLinkMode::Controller ? 2 : 1;
    options.OutputLayout = c.OutputLayout;
    SimRig rig(options);
    const bool controller = mode == SimLinkMode::Controller;

    std::vector<std::int64_t> otherUnitBefore;
    for (const Expect& e : c.Expects)
        for (int channel : e.Channels) {
            ASSERT_NE(Read(rig, 5, e, channel), e.Value)
                << c.Command << ": " << e.Field << " already holds the value";
            if (controller)
                otherUnitBefore.push_back(Read(rig, 7, e, channel));
        }

    const std::string reply = SendCommand(rig, c.Command);
    EXPECT_TRUE(reply.ends_with(controller ? "OK\r\nLR>" : "OK\r\n#")) << c.Command;

    std::size_t i = 0;
    for (const Expect& e : c.Expects)
        for (int channel : e.Channels) {
            EXPECT_EQ(Read(rig, 5, e, channel), e.Value)
                << c.Command << ": " << e.Field << " of channel " << channel;
            if (controller) {
                EXPECT_EQ(Read(rig, 7, e, channel), otherUnitBefore[i++])
                    << c.Command << " reached the unit at address 7";
            }
        }
}

} // namespace

TEST(SimulatorCommands, EachControllerFrameChangesWhatTheQueriesReport) {
    for (const CommandCase& c : Cases())
        CheckCase(c, SimLinkMode::Controller);
}

TEST(SimulatorCommands, EachDirectCommandChangesWhatTheQueriesReport) {
    for (const CommandCase& c : Cases())
        CheckCase(c, SimLinkMode::Direct);
}

TEST(SimulatorCommands, CommandsWithoutSettingsAreAcceptedAndChangeNothing) {
    for (SimLinkMode mode : {SimLinkMode::Controller, SimLinkMode::Direct}) {
        SimOptions options = ControllerOptions(1);
        options.Mode = mode;
        SimRig rig(options);
        const auto before = rig.Sim.StateImage();
        for (const char* command : {"ICSAVZV 1", "SYSAVE"}) {
            const SimOutput out =
                rig.SendRaw(rig.Controller ? Frame("*5" + std::string(command) + "!")
                                           : std::string(command) + "\r");
            ASSERT_FALSE(out.Chunks.empty());
            EXPECT_TRUE(
                out.Chunks.back().Bytes.ends_with(rig.Controller ? "OK\r\nLR>" : "OK\r\n#"));
            EXPECT_FALSE(out.StateChanged);
        }
        EXPECT_EQ(rig.Sim.StateImage(), before);
    }
}

TEST(SimulatorCommands, MalformedOrOutOfRangeCommandsAreRefusedAndChangeNothing) {
    const char* bad[] = {
        "BLKGN 5 10",      "BLKGN 1 256",      "BLKGN  1 5",
        "blkgn 1 5",       "ZVCTRL 2",         "EFTB 1 2.2",
        "EFTB 1  5.5",     "EFTB 1  2.25",     "OTPMZV 6 1 0 0",
        "ICNTZV 1 X  1.0", "IRSPZV 1 M H 720", "IRSPZV 1 M Q 5",
        "ICPHOZV 1 5",     "PRJ 0 9",          "MANSEAM 1 -4 1 2 3 4 5 6 7",
        "FEATHER X",       "RESETZV X",        "PEFT 1 L 1  0.5 10 0",
        "BRTHRS -1",       "NOSUCH 1",         "SYSAVE 1",
        "RGBADJ 1",
    };
    for (SimLinkMode mode : {SimLinkMode::Controller, SimLinkMode::Direct}) {
        SimOptions options = ControllerOptions(1);
        options.Mode = mode;
        SimRig rig(options);
        const auto before = rig.Sim.StateImage();
        for (const char* command : bad) {
            const std::string reply = SendCommand(rig, command);
            if (rig.Controller)
                EXPECT_TRUE(reply.ends_with("\r\n?\r\nCTR BAD COMMAND\r\nLR>")) << command;
            else
                EXPECT_EQ(reply, std::string(command) + "\r\n?\r\nBAD COMMAND\r\n#") << command;
            EXPECT_FALSE(rig.Sim.Unit(1).IsBusy(rig.Now)) << command;
        }
        EXPECT_EQ(rig.Sim.StateImage(), before);
    }
}

TEST(SimulatorCommands, FactoryResetRestoresTheStartState) {
    for (SimLinkMode mode : {SimLinkMode::Controller, SimLinkMode::Direct}) {
        SimOptions options = ControllerOptions(1);
        options.Mode = mode;
        options.NoVideoScreens = {2};
        SimRig rig(options);
        const auto start = rig.Sim.StateImage();
        for (const char* command : {"ZVCTRL 1", "BLKGN 1 9", "ICPHOZV 3 M 2", "PRJ 0 2"})
            SendCommand(rig, command);
        ASSERT_NE(rig.Sim.StateImage(), start);
        EXPECT_TRUE(SendCommand(rig, "RESETZV F").ends_with(rig.Controller ? "OK\r\nLR>" : "#"));
        EXPECT_EQ(rig.Sim.StateImage(), start);
        EXPECT_EQ(rig.Input(5, 2)["VideoLoaded"], 0); // the reset keeps the missing signal
    }
}

TEST(SimulatorCommands, InputResetRestoresOneChannelsInputDefaults) {
    SimRig rig(ControllerOptions(1));
    for (const char* command :
         {"ICPHOZV 2 M 3", "ICNTZV 2 R  9.0", "IRSPZV 2 M H 10", "ICPHOZV 3 M 4", "BLKGN 2 1"})
        SendCommand(rig, command);
    SendCommand(rig, "ICRSTZV 2");
    Fields two = rig.Input(5, 2);
    EXPECT_EQ(two["Phase"], 16);
    EXPECT_EQ(two["RedContrast"], 0);
    EXPECT_EQ(two["HPosition"], 352);
    EXPECT_EQ(two["HActive"], 1280);
    EXPECT_EQ(rig.Input(5, 3)["Phase"], 4);       // another channel keeps its setting
    EXPECT_EQ(rig.Output(5, 2)["BlackLevel"], 1); // outputs are not input settings
}

TEST(SimulatorCommands, ThePollOfAnIdleUnitIsAccepted) {
    SimRig rig(ControllerOptions());
    EXPECT_EQ(rig.Send(Frame("*7 !")), "PASS *7 !A2\r\nOK\r\nLR>");
}
