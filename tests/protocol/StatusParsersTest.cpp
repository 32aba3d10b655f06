#include "protocol/StatusParsers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvel;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// prefix, 0x01, the second byte, the data, suffix
Bytes Reply(const std::string& prefix, std::uint8_t kind, const Bytes& data,
            const std::string& suffix) {
    Bytes reply = Text(prefix);
    reply.push_back(0x01);
    reply.push_back(kind);
    reply.insert(reply.end(), data.begin(), data.end());
    const Bytes tail = Text(suffix);
    reply.insert(reply.end(), tail.begin(), tail.end());
    return reply;
}

Bytes First(const Bytes& data, std::size_t n) {
    return Bytes(data.begin(), data.begin() + n);
}

const Bytes InputData = {
    0x01, 0x02,             // VideoLoaded, VideoLocked
    0x00, 0x00, 0x01, 0x2C, // Phase 300
    0x05, 0x06,             // InputAux1, InputAux2
    0x00, 0x00, 0x06, 0x98, // HTotal 1688
    0x00, 0x00, 0x01, 0x28, // HPositionCentre 296
    0xFF, 0xFF, 0xFF, 0xFE, // HPosition -2
    0x00, 0x01, 0x00, 0x26, // VPositionCentre 65574
    0x00, 0x00, 0x00, 0x27, // VPosition 39
    0x00, 0x00, 0x05, 0x00, // HActive 1280
    0x00, 0x00, 0x04, 0x00, // VActive 1024
    0x03, 0x01,             // SyncSelect, InputTermination
    0x00, 0x00, 0x00, 0x64, // OverallContrast 100
    0xFF, 0xFF, 0xFF, 0xF1, // OverallBrightness -15
    0x00, 0x00, 0x00, 0x09, // RedContrast 9
    0x00, 0x00, 0x00, 0x01, // RedBrightness 1
    0x00, 0x00, 0x00, 0x15, // GreenContrast 21
    0x01, 0x00, 0x00, 0x01, // GreenBrightness 16777217
    0x00, 0x00, 0x00, 0x0C, // BlueContrast 12
    0x80, 0x00, 0x00, 0x00, // BlueBrightness -2147483648
    0x00, 0x00, 0x03, 0x20, // HPositionLimit 800
    0x00, 0x00, 0x02, 0x58, // VPositionLimit 600
};

const Bytes OutputData = {
    0x02, 0x01, 0x07, 0x01,                         // format, rate, sync, ControlMode
    0x01, 0x08, 0x01, 0x01,                         // group, total, doubling, alignment
    0xFF, 0xFF, 0xFF, 0x9C,                         // DisplayOverlap -100
    0x00, 0x00, 0x00, 0x16,                         // BasicGamma 22
    0xFF, 0xFF,                                     // BasicFeatherOn -1
    0x00, 0x00, 0x00, 0x19,                         // LeftGamma 25
    0x00, 0x01,                                     // LeftFeatherOn 1
    0x00, 0x00, 0x01, 0xF4,                         // RightGamma 500
    0x01, 0x02,                                     // RightFeatherOn 258
    0x00, 0x00, 0x00, 0x40,                         // left width 64
    0xFF, 0xFF, 0xFF, 0xF8,                         // left offset -8
    0x00, 0x00, 0x01, 0x00,                         // right width 256
    0x00, 0x01, 0x00, 0x00,                         // right offset 65536
    0x80,                                           // BlackLevel 128
    0x0B, 0x01, 0x00,                               // TestPattern, OutputRaster, TestGrid
    0xFF, 0xFF, 0xFF, 0xFC,                         // SeamMode -4
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0xFE, 0xFF, // SeamGain 1..8
    0x01, 0x4C,                                     // SeamBridge, FeatherCurve 'L'
    0xC8,                                           // BridgeThreshold 200
};

void ExpectInputFields(const InputSettings& r) {
    EXPECT_EQ(r.VideoLoaded, 1);
    EXPECT_EQ(r.VideoLocked, 2);
    EXPECT_EQ(r.Phase, 300);
    EXPECT_EQ(r.InputAux1, 5);
    EXPECT_EQ(r.InputAux2, 6);
    EXPECT_EQ(r.HTotal, 1688);
    EXPECT_EQ(r.HPositionCentre, 296);
    EXPECT_EQ(r.HPosition, -2);
    EXPECT_EQ(r.VPositionCentre, 65574);
    EXPECT_EQ(r.VPosition, 39);
    EXPECT_EQ(r.HActive, 1280);
    EXPECT_EQ(r.VActive, 1024);
    EXPECT_EQ(r.SyncSelect, 3);
    EXPECT_EQ(r.InputTermination, 1);
    EXPECT_EQ(r.OverallContrast, 10.0f);
    EXPECT_EQ(r.OverallBrightness, -1.5f);
    EXPECT_EQ(r.RedContrast, 0.9f); // a single-precision product would be 0.900000036
    EXPECT_EQ(r.RedBrightness, 0.1f);
    EXPECT_EQ(r.GreenContrast, 2.1f);
    EXPECT_EQ(r.GreenBrightness, 1677721.625f); // 16777217 becomes 16777216 as a single first
    EXPECT_EQ(r.BlueContrast, 1.2f);
    EXPECT_EQ(r.BlueBrightness, -214748368.0f);
}

} // namespace

TEST(ParseUnitCount, ReadsFromTheFirstDigit) {
    const UnitCountReply r = ParseUnitCount(Text("NZV\r\nZV: 2 5 7\r\nLR"));
    EXPECT_TRUE(r.DigitFound);
    EXPECT_EQ(r.NumbersRead, 3);
    EXPECT_EQ(r.Count, 2);
    EXPECT_EQ(r.Addresses[0], 5);
    EXPECT_EQ(r.Addresses[1], 7);
    EXPECT_TRUE(r.Valid());
}

TEST(ParseUnitCount, FirstDigitMustLieInTheFirstThirtyBytes) {
    const UnitCountReply at29 = ParseUnitCount(Text(std::string(29, '-') + "1 4"));
    EXPECT_TRUE(at29.DigitFound);
    EXPECT_EQ(at29.Count, 1);
    EXPECT_EQ(at29.Addresses[0], 4);

    const UnitCountReply at30 = ParseUnitCount(Text(std::string(30, '-') + "1 4"));
    EXPECT_FALSE(at30.DigitFound);
    EXPECT_EQ(at30.NumbersRead, 0);
    EXPECT_FALSE(at30.Valid());

    EXPECT_FALSE(ParseUnitCount(Bytes{}).DigitFound);
}

TEST(ParseUnitCount, ACountNeedsTheAddressesItNames) {
    const UnitCountReply none = ParseUnitCount(Text("0\r\nLR"));
    EXPECT_EQ(none.NumbersRead, 1);
    EXPECT_EQ(none.Count, 0);
    EXPECT_TRUE(none.Valid());

    const UnitCountReply one = ParseUnitCount(Text("1 9\r\nLR"));
    EXPECT_EQ(one.NumbersRead, 2);
    EXPECT_EQ(one.Addresses[0], 9);
    EXPECT_TRUE(one.Valid());

    const UnitCountReply shortTwo = ParseUnitCount(Text("2 9\r\nLR"));
    EXPECT_EQ(shortTwo.NumbersRead, 2);
    EXPECT_EQ(shortTwo.Count, 2);
    EXPECT_FALSE(shortTwo.Valid());

    EXPECT_FALSE(ParseUnitCount(Text("1 \r\nLR")).Valid());
    // More units than two still need two addresses only.
    EXPECT_TRUE(ParseUnitCount(Text("3 1 2")).Valid());
}

TEST(ParseUnitCount, ReadsAtMostTwentyTwoCharactersAndStopsAtNul) {
    // The second address starts at character 22 of the tail: it is cut off.
    const std::string tail = "2 5" + std::string(16, ' ') + "   7";
    ASSERT_EQ(tail.find('7'), 22u);
    const UnitCountReply cut = ParseUnitCount(Text(tail));
    EXPECT_EQ(cut.NumbersRead, 2);
    EXPECT_FALSE(cut.Valid());

    const std::string within = "2 5" + std::string(15, ' ') + "   7";
    EXPECT_EQ(ParseUnitCount(Text(within)).NumbersRead, 3);
    EXPECT_EQ(ParseUnitCount(Text(within)).Addresses[1], 7);

    Bytes withNul = Text("2 5 7");
    withNul[3] = 0;
    EXPECT_EQ(ParseUnitCount(withNul).NumbersRead, 2);
}

TEST(ParseUnitCount, ScanfLikeNumbers) {
    const UnitCountReply r = ParseUnitCount(Text("2\r\n-5\t+7"));
    EXPECT_EQ(r.NumbersRead, 3);
    EXPECT_EQ(r.Addresses[0], -5);
    EXPECT_EQ(r.Addresses[1], 7);
    // A number out of range is not read.
    EXPECT_EQ(ParseUnitCount(Text("2 99999999999 7")).NumbersRead, 1);
    EXPECT_EQ(ParseUnitCount(Text("2 x 7")).NumbersRead, 1);
}

TEST(ParseSystemInfo, CopiesEightBytesAndEndsTheVersionText) {
    UnitInfo info{};
    const Bytes reply =
        Reply("SYINFOZV\r\n\x01\x07", 0x08, {0x11, 0x22, 'V', '1', '.', '0', '8', 'X'}, "\r\n");
    ASSERT_TRUE(ParseSystemInfo(reply, info));
    EXPECT_EQ(info, (UnitInfo{0x11, 0x22, 'V', '1', '.', '0', '8', 0}));
}

TEST(ParseSystemInfo, FailsWithoutTouchingTheRecord) {
    const UnitInfo before{1, 2, 3, 4, 5, 6, 7, 0};
    UnitInfo info = before;
    const Bytes data{0x11, 0x22, 'V', '1', '.', '0', '8', 'X'};
    EXPECT_FALSE(ParseSystemInfo(Reply(std::string(30, ' '), 0x08, data, ""), info));
    EXPECT_FALSE(ParseSystemInfo(Reply("", 0x09, data, ""), info));
    EXPECT_FALSE(ParseSystemInfo(Reply("", 0x08, First(data, 7), ""), info));
    EXPECT_FALSE(ParseSystemInfo(Text("\x01"), info));
    EXPECT_EQ(info, before);
    EXPECT_TRUE(ParseSystemInfo(Reply(std::string(29, ' '), 0x08, data, ""), info));
}

TEST(ParseInputStatus, LongLayoutFillsEveryFieldFromItsOffset) {
    InputSettings r;
    ASSERT_TRUE(ParseInputStatus(Reply("IINFOZV 1\r\n", 'N', InputData, "\r\n"), r));
    ExpectInputFields(r);
    EXPECT_EQ(r.HPositionLimit, 800);
    EXPECT_EQ(r.VPositionLimit, 600);
}

TEST(ParseInputStatus, ShortLayoutReportsNoPositionLimits) {
    InputSettings r;
    r.HPositionLimit = 800;
    r.VPositionLimit = 600;
    ASSERT_TRUE(ParseInputStatus(Reply("IINFOZV 1\r\n", 'F', First(InputData, 70), "\r\n"), r));
    ExpectInputFields(r);
    EXPECT_EQ(r.HPositionLimit, -1);
    EXPECT_EQ(r.VPositionLimit, -1);
}

TEST(ParseInputStatus, ShortOrMisplacedRepliesFailWithoutReadingPastTheirEnd) {
    InputSettings before;
    before.Phase = 77;
    InputSettings r = before;
    EXPECT_FALSE(ParseInputStatus(Reply("", 'N', First(InputData, 77), ""), r));
    EXPECT_FALSE(ParseInputStatus(Reply("", 'F', First(InputData, 69), ""), r));
    EXPECT_FALSE(ParseInputStatus(Reply(std::string(30, 'x'), 'N', InputData, ""), r));
    EXPECT_FALSE(ParseInputStatus(Reply("", 'G', InputData, ""), r));
    EXPECT_FALSE(ParseInputStatus(Bytes{0x01}, r));
    EXPECT_EQ(r, before);

    // The block may end exactly at the reply's end, and start at position 29.
    EXPECT_TRUE(ParseInputStatus(Reply("", 'F', First(InputData, 70), ""), r));
    EXPECT_TRUE(ParseInputStatus(Reply(std::string(29, 'x'), 'N', InputData, ""), r));
}

TEST(ParseOutputStatus, CurrentLayoutFillsGammaWidthsAndTheBridgeThreshold) {
    OutputSettings r;
    r.LeftHaloWidth = 11;
    r.LeftHaloOffset = 12;
    r.RightHaloWidth = 13;
    r.RightHaloOffset = 14;
    char kind = 0;
    ASSERT_TRUE(ParseOutputStatus(Reply("OINFOZV 2\r\n", 'B', OutputData, "\r\n"), r, kind));
    EXPECT_EQ(kind, 'B');
    EXPECT_EQ(r.OutputFormat, 2);
    EXPECT_EQ(r.OutputFrameRate, 1);
    EXPECT_EQ(r.OutputSync, 7);
    EXPECT_EQ(r.ControlMode, 1);
    EXPECT_EQ(r.ProjectorGroup, 1);
    EXPECT_EQ(r.TotalProjectors, 8);
    EXPECT_EQ(r.DataDoubling, 1);
    EXPECT_EQ(r.ImageAlignment, 1);
    EXPECT_EQ(r.DisplayOverlap, -100);
    EXPECT_EQ(r.BasicGamma, 2.2f);
    EXPECT_EQ(r.BasicFeatherOn, -1);
    EXPECT_EQ(r.LeftGamma, 2.5f);
    EXPECT_EQ(r.LeftFeatherOn, 1);
    EXPECT_EQ(r.RightGamma, 50.0f);
    EXPECT_EQ(r.RightFeatherOn, 258);
    EXPECT_EQ(r.LeftGammaWidth, 64);
    EXPECT_EQ(r.LeftGammaOffset, -8);
    EXPECT_EQ(r.RightGammaWidth, 256);
    EXPECT_EQ(r.RightGammaOffset, 65536);
    EXPECT_EQ(r.LeftHaloWidth, 11);
    EXPECT_EQ(r.LeftHaloOffset, 12);
    EXPECT_EQ(r.RightHaloWidth, 13);
    EXPECT_EQ(r.RightHaloOffset, 14);
    EXPECT_EQ(r.BlackLevel, 128);
    EXPECT_EQ(r.TestPattern, 11);
    EXPECT_EQ(r.OutputRaster, 1);
    EXPECT_EQ(r.TestGrid, 0);
    EXPECT_EQ(r.SeamMode, -4);
    EXPECT_EQ(r.SeamGain, (std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 254, 255}));
    EXPECT_EQ(r.SeamBridge, 1);
    EXPECT_EQ(r.FeatherCurve, 'L');
    EXPECT_EQ(r.BridgeThreshold, 200);
}

TEST(ParseOutputStatus, OlderLayoutFillsHaloFieldsAndClearsTheBridgeThreshold) {
    OutputSettings r;
    r.LeftGammaWidth = 21;
    r.LeftGammaOffset = 22;
    r.RightGammaWidth = 23;
    r.RightGammaOffset = 24;
    r.BridgeThreshold = 9;
    char kind = 0;
    ASSERT_TRUE(ParseOutputStatus(Reply("", '@', First(OutputData, 64), ""), r, kind));
    EXPECT_EQ(kind, '@');
    EXPECT_EQ(r.DisplayOverlap, -100);
    EXPECT_EQ(r.RightFeatherOn, 258);
    EXPECT_EQ(r.LeftHaloWidth, 64);
    EXPECT_EQ(r.LeftHaloOffset, -8);
    EXPECT_EQ(r.RightHaloWidth, 256);
    EXPECT_EQ(r.RightHaloOffset, 65536);
    EXPECT_EQ(r.LeftGammaWidth, 21);
    EXPECT_EQ(r.LeftGammaOffset, 22);
    EXPECT_EQ(r.RightGammaWidth, 23);
    EXPECT_EQ(r.RightGammaOffset, 24);
    EXPECT_EQ(r.SeamMode, -4);
    EXPECT_EQ(r.SeamBridge, 1);
    EXPECT_EQ(r.FeatherCurve, 'L');
    EXPECT_EQ(r.BridgeThreshold, 0);
}

TEST(ParseOutputStatus, OlderLayoutsReadSixtyFourBytesWhateverTheLengthByteSays) {
    // '>' announces 62 data bytes; the two bytes after them are read as the last fields.
    OutputSettings r;
    char kind = 0;
    ASSERT_TRUE(ParseOutputStatus(Reply("", '>', First(OutputData, 62), "\r\n"), r, kind));
    EXPECT_EQ(kind, '>');
    EXPECT_EQ(r.SeamGain[7], 255);
    EXPECT_EQ(r.SeamBridge, '\r');
    EXPECT_EQ(r.FeatherCurve, '\n');

    ASSERT_TRUE(ParseOutputStatus(Reply("", '?', First(OutputData, 64), ""), r, kind));
    EXPECT_EQ(kind, '?');
}

TEST(ParseOutputStatus, ShortRepliesFailAndChangeNothing) {
    OutputSettings before;
    before.BlackLevel = 33;
    OutputSettings r = before;
    char kind = '@';
    EXPECT_FALSE(ParseOutputStatus(Reply("", '>', First(OutputData, 62), ""), r, kind));
    EXPECT_FALSE(ParseOutputStatus(Reply("", 'B', First(OutputData, 64), ""), r, kind));
    EXPECT_FALSE(ParseOutputStatus(Reply("", '@', First(OutputData, 63), ""), r, kind));
    EXPECT_FALSE(ParseOutputStatus(Reply(std::string(30, 'x'), 'B', OutputData, ""), r, kind));
    EXPECT_FALSE(ParseOutputStatus(Reply("", 'A', OutputData, ""), r, kind));
    EXPECT_EQ(r, before);
    EXPECT_EQ(kind, '@');
}
