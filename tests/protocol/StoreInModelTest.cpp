#include "protocol/CommandEncoding.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarvel;

namespace {

// A model with a distinct value in a few fields of every record, so that a store that writes
// the wrong record or an extra field shows up in the comparison.
ChannelSettings Filled() {
    ChannelSettings channels;
    for (int unit = 1; unit <= 2; ++unit) {
        for (int channel = 1; channel <= 4; ++channel) {
            const int tag = unit * 10 + channel;
            channels.Input(unit, channel).Phase = tag;
            channels.Input(unit, channel).RedContrast = static_cast<float>(tag);
            channels.Output(unit, channel).BlackLevel = static_cast<std::uint8_t>(tag);
            channels.Output(unit, channel).ControlMode = static_cast<std::uint8_t>(tag);
            channels.Output(unit, channel).LeftGamma = static_cast<float>(tag);
        }
    }
    return channels;
}

void ExpectStores(const Command& command, int unit,
                  const std::function<void(ChannelSettings&)>& expectedChange) {
    ChannelSettings actual = Filled();
    ChannelSettings expected = Filled();
    StoreInModel(command, actual, unit);
    expectedChange(expected);
    EXPECT_EQ(actual, expected);
}

} // namespace

TEST(StoreInModel, ChannelCommandsWriteTheirChannelRecord) {
    ExpectStores(Command::BlackLevel(2, 128), 2,
                 [](ChannelSettings& m) { m.Output(2, 2).BlackLevel = 128; });
    ExpectStores(Command::Halo(3, EdgeSide::Left, 12, -3), 1, [](ChannelSettings& m) {
        m.Output(1, 3).LeftHaloWidth = 12;
        m.Output(1, 3).LeftHaloOffset = -3;
    });
    ExpectStores(Command::Halo(4, EdgeSide::Right, 7, 9), 2, [](ChannelSettings& m) {
        m.Output(2, 4).RightHaloWidth = 7;
        m.Output(2, 4).RightHaloOffset = 9;
    });
    ExpectStores(Command::TestPattern(3, 6, 1, 1), 2, [](ChannelSettings& m) {
        m.Output(2, 3).TestPattern = 6;
        m.Output(2, 3).OutputRaster = 1;
        m.Output(2, 3).TestGrid = 1;
    });
    ExpectStores(Command::InputPhase(1, 31), 2,
                 [](ChannelSettings& m) { m.Input(2, 1).Phase = 31; });
    ExpectStores(Command::HorizontalPosition(2, 300), 1,
                 [](ChannelSettings& m) { m.Input(1, 2).HPosition = 300; });
    ExpectStores(Command::VerticalPosition(2, -5), 1,
                 [](ChannelSettings& m) { m.Input(1, 2).VPosition = -5; });
    ExpectStores(Command::ManualSeam(4, -4, {1, 2, 3, 4, 5, 6, 7, 255}), 1, [](ChannelSettings& m) {
        m.Output(1, 4).SeamMode = -4;
        m.Output(1, 4).SeamGain = {1, 2, 3, 4, 5, 6, 7, 255};
    });
}

TEST(StoreInModel, ColourLettersSelectTheirField) {
    ExpectStores(Command::InputContrast(1, InputColour::Overall, 1.5f), 1,
                 [](ChannelSettings& m) { m.Input(1, 1).OverallContrast = 1.5f; });
    ExpectStores(Command::InputContrast(2, InputColour::Red, -2.5f), 1,
                 [](ChannelSettings& m) { m.Input(1, 2).RedContrast = -2.5f; });
    ExpectStores(Command::InputContrast(3, InputColour::Green, 0.1f), 2,
                 [](ChannelSettings& m) { m.Input(2, 3).GreenContrast = 0.1f; });
    ExpectStores(Command::InputContrast(4, InputColour::Blue, 9.9f), 2,
                 [](ChannelSettings& m) { m.Input(2, 4).BlueContrast = 9.9f; });
    ExpectStores(Command::InputBrightness(1, InputColour::Overall, 3.0f), 2,
                 [](ChannelSettings& m) { m.Input(2, 1).OverallBrightness = 3.0f; });
    ExpectStores(Command::InputBrightness(1, InputColour::Red, 4.0f), 2,
                 [](ChannelSettings& m) { m.Input(2, 1).RedBrightness = 4.0f; });
    ExpectStores(Command::InputBrightness(1, InputColour::Green, 5.0f), 2,
                 [](ChannelSettings& m) { m.Input(2, 1).GreenBrightness = 5.0f; });
    ExpectStores(Command::InputBrightness(1, InputColour::Blue, 6.0f), 2,
                 [](ChannelSettings& m) { m.Input(2, 1).BlueBrightness = 6.0f; });
}

TEST(StoreInModel, UnitSettingsGoToTheUnitsChannelOneRecord) {
    ExpectStores(Command::ControlMode(1), 2,
                 [](ChannelSettings& m) { m.Output(2, 1).ControlMode = 1; });
    ExpectStores(Command::DataDoubling(1), 1,
                 [](ChannelSettings& m) { m.Output(1, 1).DataDoubling = 1; });
    ExpectStores(Command::Display(1, 256), 2, [](ChannelSettings& m) {
        m.Output(2, 1).ImageAlignment = 1;
        m.Output(2, 1).DisplayOverlap = 256;
    });
    ExpectStores(Command::BasicFeathering(1, 2.2f), 1, [](ChannelSettings& m) {
        m.Output(1, 1).BasicFeatherOn = 1;
        m.Output(1, 1).BasicGamma = 2.2f;
    });
    ExpectStores(Command::Projectors(1, 6), 2, [](ChannelSettings& m) {
        m.Output(2, 1).ProjectorGroup = 1;
        m.Output(2, 1).TotalProjectors = 6;
    });
    ExpectStores(Command::SeamBridge(1), 2,
                 [](ChannelSettings& m) { m.Output(2, 1).SeamBridge = 1; });
    ExpectStores(Command::FeatherCurve('L'), 1,
                 [](ChannelSettings& m) { m.Output(1, 1).FeatherCurve = 'L'; });
    ExpectStores(Command::BridgeThreshold(200), 2,
                 [](ChannelSettings& m) { m.Output(2, 1).BridgeThreshold = 200; });
}

TEST(StoreInModel, TestPatternOnChannelFiveGoesToAllFourChannelsOfTheUnit) {
    ExpectStores(Command::TestPattern(AllChannels, 4, 1, 0), 2, [](ChannelSettings& m) {
        for (int channel = 1; channel <= 4; ++channel) {
            m.Output(2, channel).TestPattern = 4;
            m.Output(2, channel).OutputRaster = 1;
            m.Output(2, channel).TestGrid = 0;
        }
    });
}

// The page's edge, as sent: a configuration saved or sent again afterwards carries it.
TEST(StoreInModel, EdgeFeatheringStoresTheFourValuesOfItsSide) {
    ExpectStores(Command::EdgeFeather(2, EdgeSide::Left, 1, 2.5f, 10, 20), 2,
                 [](ChannelSettings& m) {
                     m.Output(2, 2).LeftFeatherOn = 1;
                     m.Output(2, 2).LeftGamma = 2.5f;
                     m.Output(2, 2).LeftGammaWidth = 10;
                     m.Output(2, 2).LeftGammaOffset = 20;
                 });
    ExpectStores(Command::EdgeFeather(4, EdgeSide::Right, 0, 3.1f, 300, 7), 1,
                 [](ChannelSettings& m) {
                     m.Output(1, 4).RightFeatherOn = 0;
                     m.Output(1, 4).RightGamma = 3.1f;
                     m.Output(1, 4).RightGammaWidth = 300;
                     m.Output(1, 4).RightGammaOffset = 7;
                 });
}

TEST(StoreInModel, CommandsWithoutAFieldStoreNothing) {
    const Command none[] = {
        Command::Reset(),
        Command::SaveInputConfig(1),
        Command::ResetInputConfig(2),
        Command::AutoSeam(3),
        Command::SystemSave(),
        Command::AutoStart(AutoOperation::ColourBalance),
        Command::AutoStart(AutoOperation::Position),
        Command::AutoStart(AutoOperation::Phase),
        Command::AutoPoll(AutoOperation::Phase, 4),
    };
    for (const Command& command : none) {
        SCOPED_TRACE(DirectText(command));
        ExpectStores(command, 1, [](ChannelSettings&) {});
        ExpectStores(command, 2, [](ChannelSettings&) {});
    }
}

TEST(StoreInModel, AUnitOrChannelThatNamesNoRecordStoresNothing) {
    ExpectStores(Command::BlackLevel(0, 9), 1, [](ChannelSettings&) {});
    ExpectStores(Command::BlackLevel(5, 9), 1, [](ChannelSettings&) {});
    ExpectStores(Command::TestPattern(6, 1, 1, 1), 1, [](ChannelSettings&) {});
    ExpectStores(Command::InputPhase(2, 9), 3, [](ChannelSettings&) {});
    ExpectStores(Command::ControlMode(1), 0, [](ChannelSettings&) {});
    ExpectStores(Command::TestPattern(AllChannels, 1, 1, 1), 3, [](ChannelSettings&) {});
}
