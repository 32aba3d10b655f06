#include "sim/StatusBlocks.h"

#include <gtest/gtest.h>

#include <initializer_list>

using namespace tarvel;

namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

InputSettings SampleInput() {
    InputSettings in;
    in.VideoLoaded = 1;
    in.VideoLocked = 0;
    in.Phase = 17;
    in.InputAux1 = 0xA5;
    in.InputAux2 = 0x5A;
    in.HTotal = 1688;
    in.HPositionCentre = 360;
    in.HPosition = -2;
    in.VPositionCentre = 41;
    in.VPosition = 38;
    in.HActive = 1280;
    in.VActive = 1024;
    in.SyncSelect = 2;
    in.InputTermination = 0;
    in.OverallContrast = 100.0f;
    in.OverallBrightness = 99.9f;
    in.RedContrast = -1.5f;
    in.RedBrightness = 2.3f; // 2.2999999: rounds to 23, not down to 22
    in.GreenContrast = 0.0f;
    in.GreenBrightness = 12.3f;
    in.BlueContrast = -0.1f;
    in.BlueBrightness = 5.0f;
    in.HPositionLimit = 720;
    in.VPositionLimit = -1;
    return in;
}

const std::string InputData70 = Bytes({
    0x01, 0x00,             // VideoLoaded, VideoLocked
    0x00, 0x00, 0x00, 0x11, // Phase 17
    0xA5, 0x5A,             // InputAux1, InputAux2
    0x00, 0x00, 0x06, 0x98, // HTotal 1688
    0x00, 0x00, 0x01, 0x68, // HPositionCentre 360
    0xFF, 0xFF, 0xFF, 0xFE, // HPosition -2
    0x00, 0x00, 0x00, 0x29, // VPositionCentre 41
    0x00, 0x00, 0x00, 0x26, // VPosition 38
    0x00, 0x00, 0x05, 0x00, // HActive 1280
    0x00, 0x00, 0x04, 0x00, // VActive 1024
    0x02, 0x00,             // SyncSelect, InputTermination
    0x00, 0x00, 0x03, 0xE8, // OverallContrast 1000
    0x00, 0x00, 0x03, 0xE7, // OverallBrightness 999
    0xFF, 0xFF, 0xFF, 0xF1, // RedContrast -15
    0x00, 0x00, 0x00, 0x17, // RedBrightness 23
    0x00, 0x00, 0x00, 0x00, // GreenContrast 0
    0x00, 0x00, 0x00, 0x7B, // GreenBrightness 123
    0xFF, 0xFF, 0xFF, 0xFF, // BlueContrast -1
    0x00, 0x00, 0x00, 0x32, // BlueBrightness 50
});

OutputSettings SampleOutput() {
    OutputSettings out;
    out.OutputFormat = 3;
    out.OutputFrameRate = 2;
    out.OutputSync = 1;
    out.ControlMode = 1;
    out.ProjectorGroup = 1;
    out.TotalProjectors = 6;
    out.DataDoubling = 1;
    out.ImageAlignment = 1;
    out.DisplayOverlap = 200;
    out.BasicGamma = 2.2f;
    out.BasicFeatherOn = 1;
    out.LeftGamma = 1.0f;
    out.LeftFeatherOn = 0;
    out.RightGamma = 4.5f;
    out.RightFeatherOn = 1;
    out.LeftHaloWidth = 11;
    out.LeftHaloOffset = -3;
    out.RightHaloWidth = 13;
    out.RightHaloOffset = 4;
    out.LeftGammaWidth = 256;
    out.LeftGammaOffset = 5;
    out.RightGammaWidth = 300;
    out.RightGammaOffset = -6;
    out.BlackLevel = 200;
    out.TestPattern = 7;
    out.OutputRaster = 1;
    out.TestGrid = 0;
    out.SeamMode = -4;
    out.SeamGain = {10, 20, 30, 40, 50, 60, 70, 80};
    out.SeamBridge = 1;
    out.FeatherCurve = 'L';
    out.BridgeThreshold = 99;
    return out;
}

const std::string OutputHead30 = Bytes({
    0x03, 0x02, 0x01, 0x01, 0x01, 0x06, 0x01, 0x01, // format .. alignment
    0x00, 0x00, 0x00, 0xC8,                         // DisplayOverlap 200
    0x00, 0x00, 0x00, 0x16,                         // BasicGamma 22
    0x00, 0x01,                                     // BasicFeatherOn
    0x00, 0x00, 0x00, 0x0A,                         // LeftGamma 10
    0x00, 0x00,                                     // LeftFeatherOn
    0x00, 0x00, 0x00, 0x2D,                         // RightGamma 45
    0x00, 0x01,                                     // RightFeatherOn
});
const std::string OutputTail = Bytes({
    0xC8, 0x07, 0x01, 0x00,                         // BlackLevel, TestPattern, raster, grid
    0xFF, 0xFF, 0xFF, 0xFC,                         // SeamMode -4
    0x0A, 0x14, 0x1E, 0x28, 0x32, 0x3C, 0x46, 0x50, // SeamGain 1..8
    0x01, 0x4C,                                     // SeamBridge, FeatherCurve 'L'
});

} // namespace

TEST(StatusBlocks, SystemInformationIsEightBytesAfterItsHeader) {
    const UnitInfo info{'Z', 'V', '1', '.', '0', '8', 0, 0};
    EXPECT_EQ(SystemInfoBlock(info), Bytes({0x01, 0x08, 'Z', 'V', '1', '.', '0', '8', 0, 0}));
}

TEST(StatusBlocks, InputStatusInBothLayouts) {
    const InputSettings in = SampleInput();
    const std::string limits = Bytes({0x00, 0x00, 0x02, 0xD0, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(InputStatusBlock(in, 'N'), Bytes({0x01, 'N'}) + InputData70 + limits);
    EXPECT_EQ(InputStatusBlock(in, 'F'), Bytes({0x01, 'F'}) + InputData70);
    EXPECT_EQ(InputStatusBlock(in, 'N').size(), 2u + 78u);
    EXPECT_EQ(InputStatusBlock(in, 'F').size(), 2u + 70u);
}

TEST(StatusBlocks, NewOutputLayoutCarriesGammaWidthsAndThreshold) {
    const std::string widths = Bytes({0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x05,   // left
                                      0x00, 0x00, 0x01, 0x2C, 0xFF, 0xFF, 0xFF, 0xFA}); // right
    const std::string block = OutputStatusBlock(SampleOutput(), 'B');
    EXPECT_EQ(block, Bytes({0x01, 'B'}) + OutputHead30 + widths + OutputTail + Bytes({99, 0}));
    EXPECT_EQ(block.size(), 2u + 66u);
}

TEST(StatusBlocks, OldOutputLayoutCarriesHaloAndNoThreshold) {
    const std::string halo = Bytes({0x00, 0x00, 0x00, 0x0B, 0xFF, 0xFF, 0xFF, 0xFD,   // left
                                    0x00, 0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x04}); // right
    const std::string block = OutputStatusBlock(SampleOutput(), '@');
    EXPECT_EQ(block, Bytes({0x01, '@'}) + OutputHead30 + halo + OutputTail);
    EXPECT_EQ(block.size(), 2u + 64u);
}
