#include "model/ChannelSettings.h"

#include <gtest/gtest.h>

using namespace tarvel;

TEST(ChannelMapping, ScreensOneToFourAreUnitOneAndFiveToEightUnitTwo) {
    EXPECT_EQ(ScreenToUnitChannel(1), (UnitChannel{1, 1}));
    EXPECT_EQ(ScreenToUnitChannel(4), (UnitChannel{1, 4}));
    EXPECT_EQ(ScreenToUnitChannel(5), (UnitChannel{2, 1}));
    EXPECT_EQ(ScreenToUnitChannel(8), (UnitChannel{2, 4}));
    for (int screen = 1; screen <= 8; ++screen) {
        const auto uc = ScreenToUnitChannel(screen);
        EXPECT_EQ(UnitChannelToScreen(uc.Unit, uc.Channel), screen);
    }
}

TEST(ChannelSettings, ChannelAccessNeverTouchesRecordZero) {
    ChannelSettings channels;
    channels.Input(ScreenToUnitChannel(5)).Phase = 5;
    channels.Output(ScreenToUnitChannel(8)).BlackLevel = 8;
    EXPECT_EQ(channels.Inputs[1][1].Phase, 5);
    EXPECT_EQ(channels.Outputs[1][4].BlackLevel, 8);
    EXPECT_EQ(channels.Inputs[0][0], InputSettings{});
    EXPECT_EQ(channels.Inputs[1][0], InputSettings{});
    EXPECT_EQ(channels.Outputs[1][0], OutputSettings{});
    EXPECT_EQ(&channels.UnitOutput(2), &channels.Output(2, 1));
}

TEST(ChannelSettings, OnlyVideoLockedOfExactlyOneCountsAsLocked) {
    ChannelSettings channels;
    EXPECT_FALSE(IsChannelLocked(channels, 1, 1));
    channels.Input(1, 1).VideoLocked = 1;
    EXPECT_TRUE(IsChannelLocked(channels, 1, 1));
    channels.Input(1, 1).VideoLocked = 2;
    EXPECT_FALSE(IsChannelLocked(channels, 1, 1));
    channels.Input(1, 1).VideoLocked = 255;
    EXPECT_FALSE(IsChannelLocked(channels, 1, 1));
}

TEST(SettingsModel, MeasuredInputSizeFallsBackToTheUnitsOutputResolution) {
    SettingsModel model;
    EXPECT_EQ(MeasuredInputWidth(model), 1280);
    EXPECT_EQ(MeasuredInputHeight(model), 1024);

    model.System.UnitOutputResH = 1024;
    model.System.UnitOutputResV = 768;
    model.Channels.Input(1, 1).HActive = 800;
    EXPECT_EQ(MeasuredInputWidth(model), 800);
    EXPECT_EQ(MeasuredInputHeight(model), 768);
    // Only unit 1 channel 1 is measured.
    model.Channels.Input(2, 1).VActive = 600;
    EXPECT_EQ(MeasuredInputHeight(model), 768);
}

TEST(SystemSettings, StartValues) {
    const SystemSettings s;
    EXPECT_EQ(s.UnitCount, 1);
    EXPECT_EQ(s.UnitOutputResH, 1280);
    EXPECT_EQ(s.UnitOutputResV, 1024);
    EXPECT_FALSE(s.ReadValid);
    EXPECT_FALSE(s.FileValid);
    EXPECT_EQ(s.OutputReplyKind, 0);
}

TEST(SystemSettings, FirmwareVersionIsTheTextFromByteTwo) {
    EXPECT_EQ(FirmwareVersion(UnitInfo{9, 9, '2', '.', '1', '4', 0, 0}), "2.14");
    EXPECT_EQ(FirmwareVersion(UnitInfo{9, 9, 'V', '1', '.', '0', '8', 0}), "V1.08");
    EXPECT_EQ(FirmwareVersion(UnitInfo{}), "");
}

TEST(SystemSettings, OnlyTheFirstFourOutputFormatsNameAResolution) {
    std::int32_t w = -1, h = -1;
    ASSERT_TRUE(OutputFormatResolution(1, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    ASSERT_TRUE(OutputFormatResolution(3, w, h));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 1024);
    w = h = -1;
    EXPECT_FALSE(OutputFormatResolution(4, w, h));
    EXPECT_FALSE(OutputFormatResolution(5, w, h));
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
}
