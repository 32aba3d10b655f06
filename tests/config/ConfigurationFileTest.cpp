#include "config/ConfigurationFile.h"
#include "platform/SettingsFiles.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

#if defined(__unix__)
#include <sys/resource.h>
#endif

using namespace tarvel;
using test::Q;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

namespace {

// Every byte different from its neighbours, none zero, so a byte out of place shows.
std::vector<std::uint8_t> PatternBytes(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251 + 1);
    return bytes;
}

ChannelSettings SomeSettings() {
    ChannelSettings channels;
    channels.Input(1, 2).Phase = 17;
    channels.Output(2, 3).BlackLevel = 200;
    channels.Inputs[0][0].HTotal = 1344; // record 0 travels too
    return channels;
}

} // namespace

TEST(ConfigurationImage, BlocksLieInFileOrderRecordZeroIncluded) {
    ChannelSettings channels;
    channels.Inputs[0][0].VideoLoaded = 0x10;   // unit 1 inputs, record 0
    channels.Input(1, 1).VideoLoaded = 0x11;    // unit 1 channel 1 input: 84..167
    channels.Inputs[1][0].VideoLoaded = 0x20;   // unit 2 inputs start at 420
    channels.Input(2, 4).VPositionLimit = -2;   // 756 + 80
    channels.Outputs[0][0].OutputFormat = 0x30; // unit 1 outputs start at 840
    channels.Output(1, 1).DisplayOverlap = 384; // 928 + 8
    channels.Outputs[1][0].OutputFormat = 0x40; // unit 2 outputs start at 1280
    channels.Output(2, 4).Pad87 = 0x5A;         // the last byte of the file

    const auto image = MakeConfigurationImage(channels);

    EXPECT_EQ(image[0], 0x10);
    EXPECT_EQ(image[84], 0x11);
    EXPECT_EQ(image[420], 0x20);
    EXPECT_EQ((std::vector<int>{image[836], image[837], image[838], image[839]}),
              (std::vector<int>{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(image[840], 0x30);
    EXPECT_EQ((std::vector<int>{image[936], image[937], image[938], image[939]}),
              (std::vector<int>{0x80, 0x01, 0, 0}));
    EXPECT_EQ(image[1280], 0x40);
    EXPECT_EQ(image[1719], 0x5A);
    EXPECT_EQ(std::count(image.begin(), image.end(), 0), 1720 - 12); // nothing else written
}

TEST(ConfigurationImage, OnlyExactlyTheFileSizeIsLoaded) {
    const auto bytes = PatternBytes(1721);
    for (std::size_t size : {0u, 1719u, 1721u}) {
        ChannelSettings channels = SomeSettings();
        EXPECT_FALSE(LoadConfigurationImage(std::span(bytes).first(size), channels)) << size;
        EXPECT_EQ(channels, SomeSettings()) << size;
    }
    ChannelSettings channels = SomeSettings();
    ASSERT_TRUE(LoadConfigurationImage(std::span(bytes).first(1720), channels));
    const auto image = MakeConfigurationImage(channels);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), bytes.begin()));
}

TEST(ConfigurationFile, SaveThenLoadRestoresEveryByte) {
    TempDir dir;
    const auto pattern = PatternBytes(1720);
    ChannelSettings saved;
    ASSERT_TRUE(LoadConfigurationImage(pattern, saved));

    const auto path = dir / "wall.zvc";
    const auto save = SaveConfigurationFile(Q(path), saved);
    ASSERT_TRUE(save.Ok);
    EXPECT_EQ(save.Message, "");
    EXPECT_EQ(ReadBytes(path), pattern);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"wall.zvc"});

    ChannelSettings loaded;
    const auto load = LoadConfigurationFile(Q(path), loaded);
    ASSERT_TRUE(load.Ok);
    const auto image = MakeConfigurationImage(loaded);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), pattern.begin()));
}

TEST(ConfigurationFile, ZeroModelSavesAndLoadsAsZeros) {
    TempDir dir;
    const auto path = dir / "zero.zvc";
    ASSERT_TRUE(SaveConfigurationFile(Q(path), ChannelSettings{}).Ok);
    EXPECT_EQ(ReadBytes(path), std::vector<std::uint8_t>(1720, 0));

    ChannelSettings channels = SomeSettings();
    ASSERT_TRUE(LoadConfigurationFile(Q(path), channels).Ok);
    EXPECT_EQ(channels, ChannelSettings{});
}

TEST(ConfigurationFile, WrongSizesAreRefusedAndTheModelKept) {
    TempDir dir;
    for (std::size_t size : {0u, 1u, 1719u, 1721u, 4000u}) {
        const auto path = dir / ("size" + std::to_string(size) + ".zvc");
        WriteBytes(path, PatternBytes(size));
        ChannelSettings channels = SomeSettings();
        const auto load = LoadConfigurationFile(Q(path), channels);
        EXPECT_FALSE(load.Ok) << size;
        EXPECT_EQ(load.Message, "Error! File corrupted. File size invalid.") << size;
        EXPECT_EQ(channels, SomeSettings()) << size;
    }
}

TEST(ConfigurationFile, MissingFileOrFolderCannotBeOpened) {
    TempDir dir;
    for (const auto& path : {dir / "absent.zvc", dir.Path()}) {
        ChannelSettings channels = SomeSettings();
        const auto load = LoadConfigurationFile(Q(path), channels);
        EXPECT_FALSE(load.Ok);
        EXPECT_EQ(load.Message, "Error! Unable to open Configuration file. Check if file exist?");
        EXPECT_EQ(channels, SomeSettings());
    }
}

TEST(ConfigurationFile, SaveReplacesAnExistingFile) {
    TempDir dir;
    const auto path = dir / "wall.zvc";
    WriteBytes(path, PatternBytes(3000));
    ASSERT_TRUE(SaveConfigurationFile(Q(path), SomeSettings()).Ok);
    const auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 1720u);
    EXPECT_EQ(bytes[2 * 84 + 4], 17); // unit 1 channel 2 is record 2
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"wall.zvc"});
}

TEST(ConfigurationFile, SaveIntoAFolderThatCannotExistFails) {
    TempDir dir;
    // A regular file where the folder should be stops even root.
    WriteBytes(dir / "plain", {1, 2, 3});
    const auto save = SaveConfigurationFile(Q(dir / "plain" / "wall.zvc"), SomeSettings());
    EXPECT_FALSE(save.Ok);
    EXPECT_EQ(save.Message,
              "Error! Unable to create Configuration file. Check if disk is write-protected");
    EXPECT_EQ(ReadBytes(dir / "plain"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
}

#if defined(__unix__)
// A save that fails while writing (here: the file size limit, which binds root as well, as a
// full disk would) must leave the existing file as it was and no stray file behind.
TEST(ConfigurationFile, FailedWriteLeavesTheExistingFileIntact) {
    TempDir dir;
    const auto path = dir / "wall.zvc";
    const auto before = PatternBytes(1720);
    WriteBytes(path, before);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const auto save = SaveConfigurationFile(Q(path), SomeSettings());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(save.Ok);
    EXPECT_EQ(save.Message,
              "Error! Unable to create Configuration file. Check if disk is write-protected");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"wall.zvc"});
}
#endif

TEST(ConfigurationFile, SaveThroughASymbolicLinkKeepsTheLink) {
    TempDir dir;
    const auto real = dir / "real.zvc";
    WriteBytes(real, {9});
    std::filesystem::create_symlink(real, dir / "link.zvc");
    ASSERT_TRUE(SaveConfigurationFile(Q(dir / "link.zvc"), SomeSettings()).Ok);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.zvc"));
    EXPECT_EQ(ReadBytes(real).size(), 1720u);
}
