#include "model/RecordImage.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace tarvel;

namespace {

template <std::size_t N> std::array<std::uint8_t, N> CountingBytes(std::uint8_t start) {
    std::array<std::uint8_t, N> bytes{};
    std::iota(bytes.begin(), bytes.end(), start);
    return bytes;
}

} // namespace

TEST(RecordImage, InputFieldsLandAtTheirOffsetsLittleEndian) {
    InputSettings r;
    r.VideoLoaded = 0x11;
    r.VideoLocked = 0x22;
    r.Pad2 = {0xA1, 0xA2};
    r.Phase = 0x01020304;
    r.HTotal = -2; // two's complement
    r.OverallContrast = 1.0f; // 0x3F800000
    r.VPositionLimit = 0x0A0B0C0D;

    std::array<std::uint8_t, InputRecordSize> out{};
    WriteRecord(r, out);

    EXPECT_EQ(out[0], 0x11);
    EXPECT_EQ(out[1], 0x22);
    EXPECT_EQ(out[2], 0xA1);
    EXPECT_EQ(out[3], 0xA2);
    EXPECT_EQ((std::vector<int>{out[4], out[5], out[6], out[7]}), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ((std::vector<int>{out[12], out[13], out[14], out[15]}),
              (std::vector<int>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ((std::vector<int>{out[44], out[45], out[46], out[47]}),
              (std::vector<int>{0x00, 0x00, 0x80, 0x3F}));
    EXPECT_EQ((std::vector<int>{out[80], out[81], out[82], out[83]}),
              (std::vector<int>{0x0D, 0x0C, 0x0B, 0x0A}));
}

TEST(RecordImage, OutputFieldsLandAtTheirOffsetsLittleEndian) {
    OutputSettings r;
    r.ImageAlignment = 1;
    r.DisplayOverlap = 384;
    r.BasicFeatherOn = -1;
    r.RightFeatherOn = 0x0102;
    r.SeamGain = {1, 2, 3, 4, 5, 6, 7, 8};
    r.FeatherCurve = 'L';
    r.Pad87 = 0x5A;

    std::array<std::uint8_t, OutputRecordSize> out{};
    WriteRecord(r, out);

    EXPECT_EQ(out[7], 1);
    EXPECT_EQ(out[8], 0x80);
    EXPECT_EQ(out[9], 0x01);
    EXPECT_EQ(out[16], 0xFF);
    EXPECT_EQ(out[17], 0xFF);
    EXPECT_EQ(out[32], 0x02);
    EXPECT_EQ(out[33], 0x01);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(out[76 + i], i + 1);
    EXPECT_EQ(out[85], 'L');
    EXPECT_EQ(out[87], 0x5A);
}

// Any image read and written again comes back byte for byte, padding included; this is
// what lets a configuration file of arbitrary content survive an open and a save.
TEST(RecordImage, ArbitraryBytesSurviveAReadWriteCycle) {
    const auto inputBytes = CountingBytes<InputBlockSize>(7);
    ChannelSettings::InputBlock inputs{};
    ReadBlock(inputBytes, inputs);
    std::array<std::uint8_t, InputBlockSize> inputAgain{};
    WriteBlock(inputs, inputAgain);
    EXPECT_EQ(inputBytes, inputAgain);

    const auto outputBytes = CountingBytes<OutputBlockSize>(200);
    ChannelSettings::OutputBlock outputs{};
    ReadBlock(outputBytes, outputs);
    std::array<std::uint8_t, OutputBlockSize> outputAgain{};
    WriteBlock(outputs, outputAgain);
    EXPECT_EQ(outputBytes, outputAgain);

    // Record k of a block starts at k times the record size.
    EXPECT_EQ(inputs[1].VideoLoaded, static_cast<std::uint8_t>(7 + 84));
    EXPECT_EQ(outputs[4].OutputFormat, static_cast<std::uint8_t>(200 + 4 * 88));
}

TEST(RecordImage, VisitorCoversEveryByteOfBothRecordsExactlyOnce) {
    auto coverage = [](const auto& record, std::size_t size) {
        std::vector<int> hits(size, 0);
        ForEachField(record, [&](std::size_t offset, const auto& field) {
            for (std::size_t i = 0; i < sizeof(field); ++i)
                ++hits.at(offset + i);
        });
        return hits;
    };
    EXPECT_EQ(coverage(InputSettings{}, 84), std::vector<int>(84, 1));
    EXPECT_EQ(coverage(OutputSettings{}, 88), std::vector<int>(88, 1));
}
