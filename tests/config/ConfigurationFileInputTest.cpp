// Configuration files of every size up to 4 KiB and of random content: only exactly 1720 bytes
// load, anything else is refused with the size message and leaves the model as it was, and any
// 1720 bytes load and save back byte for byte.
#include "config/ConfigurationFile.h"
#include "platform/SettingsFiles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <vector>

using namespace tarvel;
using test::Q;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(byte(random));
    return bytes;
}

// A model that differs from zero in every record, so an overwrite of any part shows.
ChannelSettings Known() {
    ChannelSettings channels;
    for (std::size_t unit = 0; unit < UnitCountMax; ++unit) {
        for (std::size_t record = 0; record < channels.Inputs[unit].size(); ++record) {
            channels.Inputs[unit][record].HTotal = static_cast<std::int32_t>(1000 + record);
            channels.Outputs[unit][record].BlackLevel = static_cast<std::uint8_t>(7 + record);
        }
    }
    return channels;
}

std::vector<std::uint8_t> ImageOf(const ChannelSettings& channels) {
    const auto image = MakeConfigurationImage(channels);
    return {image.begin(), image.end()};
}

} // namespace

TEST(ConfigurationFileInput, EverySizeButTheFileSizeIsRefusedAndTheModelKept) {
    std::mt19937 random(1720);
    const auto content = RandomBytes(random, 4096);
    const auto known = ImageOf(Known());
    int accepted = 0;
    for (std::size_t size = 0; size <= 4096; ++size) {
        ChannelSettings channels = Known();
        if (LoadConfigurationImage(std::span(content).first(size), channels)) {
            EXPECT_EQ(size, 1720u);
            EXPECT_EQ(ImageOf(channels),
                      std::vector<std::uint8_t>(content.begin(), content.begin() + 1720));
            ++accepted;
            continue;
        }
        ASSERT_EQ(ImageOf(channels), known) << size;
    }
    EXPECT_EQ(accepted, 1);
}

TEST(ConfigurationFileInput, FilesOfWrongSizesGiveTheSizeMessage) {
    TempDir dir;
    const auto path = dir / "any.zvc";
    std::mt19937 random(4096);
    const auto content = RandomBytes(random, 4096);
    const auto known = ImageOf(Known());
    // Around the file size, the block sizes and the ends; every 37th size between.
    std::vector<std::size_t> sizes = {0,    1,    2,    83,   84,   419,  420,  421,
                                      839,  840,  841,  1279, 1280, 1281, 1718, 1719,
                                      1721, 1722, 3439, 3440, 3441, 4095, 4096};
    for (std::size_t size = 5; size < 4096; size += 37)
        sizes.push_back(size);
    for (const std::size_t size : sizes) {
        WriteBytes(path, std::vector<std::uint8_t>(content.begin(), content.begin() + size));
        ChannelSettings channels = Known();
        const auto load = LoadConfigurationFile(Q(path), channels);
        ASSERT_FALSE(load.Ok) << size;
        ASSERT_EQ(load.Message, "Error! File corrupted. File size invalid.") << size;
        ASSERT_EQ(ImageOf(channels), known) << size;
    }
}

TEST(ConfigurationFileInput, AnyContentOfTheFileSizeLoadsAndSavesBackByteForByte) {
    TempDir dir;
    std::mt19937 random(20261208);
    for (int i = 0; i < 300; ++i) {
        // Random bytes, and images made mostly of 0x00 or 0xFF (NaN and negative fields).
        auto bytes = RandomBytes(random, 1720);
        if (i % 3 == 1)
            std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(random() % 1720), bytes.end(),
                      0xFF);
        if (i % 3 == 2)
            std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(random() % 1720),
                      0);
        ChannelSettings channels = Known();
        ASSERT_TRUE(LoadConfigurationImage(bytes, channels)) << i;
        ASSERT_EQ(ImageOf(channels), bytes) << i;
        if (i % 8 != 0)
            continue;
        // A sample through the files.
        WriteBytes(dir / "in.zvc", bytes);
        channels = Known();
        const auto load = LoadConfigurationFile(Q(dir / "in.zvc"), channels);
        ASSERT_TRUE(load.Ok) << i;
        ASSERT_EQ(ImageOf(channels), bytes) << i;
        ASSERT_TRUE(SaveConfigurationFile(Q(dir / "out.zvc"), channels).Ok) << i;
        ASSERT_EQ(ReadBytes(dir / "out.zvc"), bytes) << i;
    }
    std::vector<std::string> names = dir.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"in.zvc", "out.zvc"})) << "no stray file";
}

TEST(ConfigurationFileInput, AFailedSaveLeavesThePreviousFileAndNoStrayFile) {
    TempDir dir;
    const auto previous = ImageOf(Known());
    WriteBytes(dir / "wall.zvc", previous);
    // The folder is missing, or a file stands where it should be: even root cannot create it.
    for (const auto& path : {dir / "missing" / "wall.zvc", dir / "wall.zvc" / "wall.zvc"}) {
        const auto save = SaveConfigurationFile(Q(path), ChannelSettings{});
        EXPECT_FALSE(save.Ok) << path;
        EXPECT_EQ(save.Message,
                  "Error! Unable to create Configuration file. Check if disk is write-protected");
    }
    EXPECT_EQ(ReadBytes(dir / "wall.zvc"), previous);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"wall.zvc"});
}
