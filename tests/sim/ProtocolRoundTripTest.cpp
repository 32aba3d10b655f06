// Every setting command, formatted by the program's protocol layer, goes through the simulator;
// the status queries read the unit back through the program's recogniser and parsers, and the
// record must equal what the program's own store-then-send put into its model.
#include "sim/Simulator.h"

#include "protocol/CommandEncoding.h"
#include "protocol/Framing.h"
#include "protocol/ReplyRecogniser.h"
#include "protocol/StatusParsers.h"
#include "protocol/StatusQuery.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvel;

namespace {

struct Rig {
    explicit Rig(ConnectionMode mode) : Mode(mode), Sim(MakeOptions(mode)) {
        for (int unit = 1; unit <= UnitCount(); ++unit)
            for (int channel = 1; channel <= 4; ++channel) {
                EXPECT_TRUE(ReadInput(unit, channel, Model.Input(unit, channel)));
                EXPECT_TRUE(ReadOutput(unit, channel, Model.Output(unit, channel)));
            }
    }

    static SimOptions MakeOptions(ConnectionMode mode) {
        SimOptions options;
        options.Mode =
            mode == ConnectionMode::Controller ? SimLinkMode::Controller : SimLinkMode::Direct;
        options.Units = mode == ConnectionMode::Controller ? 2 : 1;
        options.Addresses = {5, 7};
        return options;
    }

    int UnitCount() const { return Mode == ConnectionMode::Controller ? 2 : 1; }
    int Address(int unit) const { return unit == 1 ? 5 : 7; }

    // Everything the simulator writes for this text, in order.
    std::string Talk(const std::string& text) {
        now += 1000; // well apart, so "\r\r" is never joined with an earlier line
        std::string bytes;
        for (const auto& chunk : Sim.Receive(text, now).Chunks)
            bytes += chunk.Bytes;
        return bytes;
    }

    // A store-then-send of the program: the model first, then the command on the wire. The
    // controller must accept the frame (the reply ends in "LR" and the prompt).
    void Send(const Command& command, int unit) {
        StoreInModel(command, Model, unit);
        if (Mode == ConnectionMode::Controller) {
            const auto text = ControllerText(command, Address(unit));
            ReplyRecogniser recogniser;
            recogniser.Start(Mode, MinReplyLength(text), '>');
            EXPECT_EQ(recogniser.Feed(Talk(ControllerFrame(text))), ReplyVerdict::Accepted) << text;
        } else {
            const auto text = DirectText(command);
            EXPECT_NE(Talk(text).find('#'), std::string::npos) << text;
        }
    }

    std::span<const std::uint8_t> Query(StatusQuery query, int unit, int channel) {
        Recogniser.Start(Mode, QueryMinReplyLength(query),
                         Mode == ConnectionMode::Controller ? '>' : '#');
        Recogniser.Feed(Talk(QueryText(query, Mode, Address(unit), channel)));
        EXPECT_EQ(Recogniser.Verdict(), ReplyVerdict::Accepted);
        return Recogniser.ReplyBytes();
    }
    bool ReadInput(int unit, int channel, InputSettings& record) {
        return ParseInputStatus(Query(StatusQuery::InputStatus, unit, channel), record);
    }
    bool ReadOutput(int unit, int channel, OutputSettings& record) {
        char kind = 0;
        return ParseOutputStatus(Query(StatusQuery::OutputStatus, unit, channel), record, kind);
    }

    // The unit's records read back now, starting from the model so that fields a reply does
    // not carry compare equal.
    void ExpectUnitMatchesModel(int unit, const std::string& what) {
        for (int channel = 1; channel <= 4; ++channel) {
            auto input = Model.Input(unit, channel);
            ASSERT_TRUE(ReadInput(unit, channel, input));
            EXPECT_EQ(input, Model.Input(unit, channel)) << what << ", input " << channel;
            auto output = Model.Output(unit, channel);
            ASSERT_TRUE(ReadOutput(unit, channel, output));
            if (channel != 1) {
                // Unit-wide settings are kept in channel 1's record; the other channels'
                // copies follow the unit's reports.
                output.ControlMode = Model.Output(unit, channel).ControlMode;
                output.ProjectorGroup = Model.Output(unit, channel).ProjectorGroup;
                output.TotalProjectors = Model.Output(unit, channel).TotalProjectors;
                output.DataDoubling = Model.Output(unit, channel).DataDoubling;
                output.ImageAlignment = Model.Output(unit, channel).ImageAlignment;
                output.DisplayOverlap = Model.Output(unit, channel).DisplayOverlap;
                output.BasicGamma = Model.Output(unit, channel).BasicGamma;
                output.BasicFeatherOn = Model.Output(unit, channel).BasicFeatherOn;
                output.SeamBridge = Model.Output(unit, channel).SeamBridge;
                output.FeatherCurve = Model.Output(unit, channel).FeatherCurve;
                output.BridgeThreshold = Model.Output(unit, channel).BridgeThreshold;
            }
            EXPECT_EQ(output, Model.Output(unit, channel)) << what << ", output " << channel;
        }
    }

    ConnectionMode Mode;
    Simulator Sim;
    ChannelSettings Model;
    ReplyRecogniser Recogniser;
    std::int64_t now = 0;
};

struct Case {
    const char* Name;
    Command What;
};

std::vector<Case> SettingCommands() {
    return {
        {"black level", Command::BlackLevel(2, 137)},
        {"control mode", Command::ControlMode(1)},
        {"data doubling", Command::DataDoubling(0)},
        {"display", Command::Display(0, 300)},
        {"basic feathering", Command::BasicFeathering(1, 3.7f)},
        {"left halo", Command::Halo(3, EdgeSide::Left, 12, 200)},
        {"right halo", Command::Halo(1, EdgeSide::Right, 64, 7)},
        {"test pattern", Command::TestPattern(4, 9, 1, 0)},
        {"test pattern, all channels", Command::TestPattern(AllChannels, 5, 1, 1)},
        {"overall contrast", Command::InputContrast(1, InputColour::Overall, 112.3f)},
        {"red contrast", Command::InputContrast(2, InputColour::Red, -12.5f)},
        {"green brightness", Command::InputBrightness(3, InputColour::Green, 24.9f)},
        {"blue brightness", Command::InputBrightness(4, InputColour::Blue, -0.1f)},
        {"overall brightness", Command::InputBrightness(2, InputColour::Overall, 75.0f)},
        {"phase", Command::InputPhase(3, -16)},
        {"horizontal position", Command::HorizontalPosition(1, 250)},
        {"vertical position", Command::VerticalPosition(4, 30)},
        {"projectors", Command::Projectors(0, 4)},
        {"manual seam", Command::ManualSeam(2, -4, {0, 1, 2, 128, 200, 254, 255, 99})},
        {"seam bridge", Command::SeamBridge(1)},
        {"feather curve", Command::FeatherCurve('L')},
        {"bridge threshold", Command::BridgeThreshold(200)},
    };
}

void RoundTripEverySetting(ConnectionMode mode) {
    for (const auto& c : SettingCommands()) {
        Rig rig(mode);
        for (int unit = 1; unit <= rig.UnitCount(); ++unit) {
            rig.Send(c.What, unit);
            rig.ExpectUnitMatchesModel(unit, c.Name);
        }
    }
}

} // namespace

TEST(ProtocolRoundTrip, EverySettingThroughTheController) {
    RoundTripEverySetting(ConnectionMode::Controller);
}

TEST(ProtocolRoundTrip, EverySettingDirect) {
    RoundTripEverySetting(ConnectionMode::Direct);
}

// The unit keeps the edge as sent and reports it in its output status.
TEST(ProtocolRoundTrip, EdgeFeatherIsReportedBackAsSent) {
    for (auto mode : {ConnectionMode::Controller, ConnectionMode::Direct}) {
        Rig rig(mode);
        const int unit = rig.UnitCount();
        rig.Send(Command::EdgeFeather(2, EdgeSide::Left, 1, 2.5f, 120, 33), unit);
        rig.Send(Command::EdgeFeather(2, EdgeSide::Right, 0, 4.9f, 64, 511), unit);
        OutputSettings output;
        ASSERT_TRUE(rig.ReadOutput(unit, 2, output));
        EXPECT_EQ(output.LeftFeatherOn, 1);
        EXPECT_EQ(output.LeftGamma, 2.5f);
        EXPECT_EQ(output.LeftGammaWidth, 120);
        EXPECT_EQ(output.LeftGammaOffset, 33);
        EXPECT_EQ(output.RightFeatherOn, 0);
        EXPECT_EQ(output.RightGamma, 4.9f);
        EXPECT_EQ(output.RightGammaWidth, 64);
        EXPECT_EQ(output.RightGammaOffset, 511);
    }
}
