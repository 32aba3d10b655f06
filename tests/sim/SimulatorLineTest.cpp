// The line rules the program relies on: prompts, frames, checksums, reply ends and the
// positions of the binary blocks, in controller and direct mode.

#include "SimRig.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvel;
using namespace tarvel::testing;

namespace {

// The reply ends in tail with its last byte at index minIndex or later.
::testing::AssertionResult EndsAtOrAfter(const std::string& reply, const std::string& tail,
                                         std::size_t minIndex) {
    if (!reply.ends_with(tail))
        return ::testing::AssertionFailure() << "reply does not end in the prompt";
    if (reply.size() - 1 < minIndex)
        return ::testing::AssertionFailure()
               << "prompt at " << reply.size() - 1 << ", below " << minIndex;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(SimulatorLine, ControllerAnswersAProbeWithItsPrompt) {
    SimRig rig(ControllerOptions());
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>");
    EXPECT_EQ(rig.Send("NZV\r"), "NZV\r\n2 5 7\r\nLR>");
}

TEST(SimulatorLine, ControllerWithOneUnitCountsOne) {
    SimRig rig(ControllerOptions(1));
    EXPECT_EQ(rig.Send("NZV\r"), "NZV\r\n1 5 0\r\nLR>");
}

TEST(SimulatorLine, AFrameIsEchoedAndAcknowledgedBeyondItsMinimumLength) {
    SimOptions options = ControllerOptions(1);
    options.Addresses = {1, 2};
    SimRig rig(options);
    // The system save of unit 1: byte sum 599, checksum 57.
    const std::string reply = rig.Send("PASS *1SYSAVE!57\r\r");
    EXPECT_EQ(reply, "PASS *1SYSAVE!57\r\nOK\r\nLR>");
    EXPECT_TRUE(EndsAtOrAfter(reply, "LR>", 9 + 8));
}

TEST(SimulatorLine, BlackLevelFrameWithItsChecksum) {
    SimOptions options = ControllerOptions();
    options.Addresses = {3, 7};
    SimRig rig(options);
    EXPECT_EQ(rig.Send("PASS *7BLKGN 2 128!FD\r\r"), "PASS *7BLKGN 2 128!FD\r\nOK\r\nLR>");
    EXPECT_EQ(rig.Output(7, 2)["BlackLevel"], 128);
}

TEST(SimulatorLine, ABadChecksumIsRefusedByTheController) {
    SimRig rig(ControllerOptions());
    const auto before = rig.Sim.StateImage();
    for (const char* frame : {"PASS *7BLKGN 2 128!FE\r\r", "PASS *7BLKGN 2 128!fd\r\r",
                              "PASS *7BLKGN 2 128!\r\r", "PASS *7BLKGN 2 128!F\r\r"})
        EXPECT_TRUE(rig.Send(frame).ends_with("\r\n?\r\nCTR BAD CHECKSUM\r\nLR>")) << frame;
    EXPECT_EQ(rig.Sim.StateImage(), before);
}

TEST(SimulatorLine, UnknownLinesAndBrokenFramesAreRefused) {
    SimRig rig(ControllerOptions());
    for (const std::string& line :
         {std::string("HELLO\r"), Frame("7BLKGN 2 1!"), Frame("*7BLKGN 2 1"), Frame("*BLKGN 2 1!"),
          Frame("*07BLKGN 2 1!"), std::string("ZVQUERY *7IINFOZV 5!\r"),
          std::string("ZVQUERY *7SYINFOZV\r"), std::string("ZVQUERY *7IINFOZV  1!\r")})
        EXPECT_TRUE(rig.Send(line).ends_with("\r\n?\r\nCTR BAD COMMAND\r\nLR>")) << line;
}

TEST(SimulatorLine, AnAddressWithoutAUnitGetsNoAnswerFromTheController) {
    SimRig rig(ControllerOptions());
    EXPECT_EQ(rig.Send(Frame("*2SYSAVE!")), "PASS *2SYSAVE!58\r\n!ERR 4\r\nLR>");
    EXPECT_EQ(rig.Send("ZVQUERY *1SYINFOZV!\r"), "ZVQUERY *1SYINFOZV!\r\n!ERR 4\r\nLR>");
}

TEST(SimulatorLine, ControllerStatusRepliesHaveTheirBlockEarlyAndThePromptLate) {
    for (char outputLayout : {'B', '@'})
        for (char inputLayout : {'N', 'F'}) {
            SimOptions options = ControllerOptions();
            options.Addresses = {32, 7};
            options.InputLayout = inputLayout;
            options.OutputLayout = outputLayout;
            SimRig rig(options);
            const std::string sys = rig.Send("ZVQUERY *32SYINFOZV!\r");
            EXPECT_EQ(sys, std::string("ZVQUERY *32SYINFOZV!\r\n\x01\x08ZV1.08\0\0\r\nLR>", 37));
            EXPECT_TRUE(EndsAtOrAfter(sys, "LR>", 8));
            for (int channel = 1; channel <= 4; ++channel) {
                const std::string in =
                    rig.Send("ZVQUERY *32IINFOZV " + std::to_string(channel) + "!\r");
                EXPECT_GE(FindBlock(in, std::string(1, inputLayout)), 0);
                EXPECT_LT(FindBlock(in, std::string(1, inputLayout)), 30);
                EXPECT_TRUE(EndsAtOrAfter(in, "\r\nLR>", 70));
                const std::string out =
                    rig.Send("ZVQUERY *32OINFOZV " + std::to_string(channel) + "!\r");
                EXPECT_GE(FindBlock(out, std::string(1, outputLayout)), 0);
                EXPECT_LT(FindBlock(out, std::string(1, outputLayout)), 30);
                EXPECT_TRUE(EndsAtOrAfter(out, "\r\nLR>", 62));
            }
        }
}

TEST(SimulatorLine, DirectUnitAnswersAProbeAndQueries) {
    for (char inputLayout : {'N', 'F'}) {
        SimOptions options;
        options.InputLayout = inputLayout;
        options.OutputLayout = '@';
        SimRig rig(options);
        EXPECT_EQ(rig.Send("\r"), "\r\n#");
        const std::string sys = rig.Send("SYINFOZV\r");
        EXPECT_EQ(sys, std::string("SYINFOZV\r\n\x01\x08ZV1.08\0\0\r\n#", 23));
        EXPECT_TRUE(EndsAtOrAfter(sys, "\r\n#", 8));
        const std::string in = rig.Send("IINFOZV 4\r");
        EXPECT_EQ(FindBlock(in, std::string(1, inputLayout)), 11);
        EXPECT_TRUE(EndsAtOrAfter(in, "\r\n#", 70));
        const std::string out = rig.Send("OINFOZV 1\r");
        EXPECT_EQ(FindBlock(out, "@"), 11);
        EXPECT_TRUE(EndsAtOrAfter(out, "\r\n#", 62));
        EXPECT_EQ(rig.Send("OINFOZV 0\r"), "OINFOZV 0\r\n?\r\nBAD COMMAND\r\n#");
        EXPECT_EQ(rig.Send("NZV\r"), "NZV\r\n?\r\nBAD COMMAND\r\n#");
    }
}

TEST(SimulatorLine, TheStartStateIsAPlausibleWall) {
    SimRig rig(ControllerOptions(2));
    for (int address : {5, 7}) {
        for (int channel = 1; channel <= 4; ++channel) {
            Fields in = rig.Input(address, channel);
            EXPECT_EQ(in["VideoLoaded"], 1);
            EXPECT_EQ(in["VideoLocked"], 1);
            EXPECT_EQ(in["HTotal"], 1688);
            EXPECT_EQ(in["HActive"], 1280);
            EXPECT_EQ(in["VActive"], 1024);
            EXPECT_EQ(in["OverallContrast"], 1000);
            EXPECT_EQ(in["RedContrast"], 0);
            EXPECT_LT(in["HPosition"], in["HPositionLimit"]);
            Fields out = rig.Output(address, channel);
            EXPECT_EQ(out["OutputFormat"], 3);
            EXPECT_EQ(out["TotalProjectors"], 6);
            EXPECT_EQ(out["ProjectorGroup"], address == 5 ? 0 : 1);
            EXPECT_EQ(out["ControlMode"], 0);
            EXPECT_EQ(out["BasicGamma"], 22);
            EXPECT_EQ(out["LeftGamma"], 22);
            EXPECT_EQ(out["SeamGain1"], 128);
            EXPECT_EQ(out["FeatherCurve"], 'S');
            EXPECT_NE(out["BridgeThreshold"], 0);
            EXPECT_GE(out["DisplayOverlap"], 64);
            EXPECT_LE(out["DisplayOverlap"], 1280 / 5);
        }
    }
    // The wall's outer edges are not feathered: projector 1 left, projector 6 right.
    EXPECT_EQ(rig.Output(5, 1)["LeftFeatherOn"], 0);
    EXPECT_EQ(rig.Output(5, 1)["RightFeatherOn"], 1);
    EXPECT_EQ(rig.Output(7, 2)["RightFeatherOn"], 0);
    EXPECT_EQ(rig.Output(7, 1)["LeftFeatherOn"], 1);

    SimRig one(ControllerOptions(1));
    EXPECT_EQ(one.Output(5, 1)["TotalProjectors"], 3);
    EXPECT_LE(one.Output(5, 1)["DisplayOverlap"], 1280 / 2);
}

TEST(SimulatorLine, NoVideoScreensReportNoSignal) {
    SimOptions options = ControllerOptions();
    options.NoVideoScreens = {1, 6};
    SimRig rig(options);
    Fields one = rig.Input(5, 1);
    EXPECT_EQ(one["VideoLoaded"], 0);
    EXPECT_EQ(one["VideoLocked"], 0);
    EXPECT_EQ(rig.Input(5, 2)["VideoLocked"], 1);
    EXPECT_EQ(rig.Input(7, 2)["VideoLoaded"], 0);
    EXPECT_EQ(rig.Input(7, 1)["VideoLoaded"], 1);
}

TEST(SimulatorLine, TheSecondReturnOfADoubleReturnIsPartOfTheLine) {
    SimRig rig(ControllerOptions());
    EXPECT_TRUE(rig.Send(Frame("*5SYSAVE!")).ends_with("OK\r\nLR>")); // one prompt, not two
    rig.Wait(Simulator::DoubleReturnMs + 1);
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>"); // a later return is a probe again
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>"); // and after a probe every return is one
}

TEST(SimulatorLine, BytesMayArriveInAnyPieces) {
    SimRig rig(ControllerOptions());
    const std::string frame = Frame("*7BLKGN 2 128!");
    std::string reply;
    for (char c : frame)
        reply += rig.Send(std::string(1, c));
    EXPECT_EQ(reply, "PASS *7BLKGN 2 128!FD\r\nOK\r\nLR>");
}

TEST(SimulatorLine, EchoBytesEchoesEachByteAtOnceAndNotAgainWithTheReply) {
    SimOptions options = ControllerOptions();
    options.EchoBytes = true;
    options.DelayMs = 300;
    SimRig rig(options);
    const SimOutput p = rig.SendRaw("PA");
    ASSERT_EQ(p.Chunks.size(), 2u);
    EXPECT_EQ(p.Chunks[0], (SimChunk{rig.Now, "P"}));
    EXPECT_EQ(p.Chunks[1], (SimChunk{rig.Now, "A"}));
    std::string all = "PA";
    SimOutput rest = rig.SendRaw("SS *7SYSAVE!5D\r\r");
    for (const SimChunk& c : rest.Chunks) {
        EXPECT_EQ(c.AtMs, c.Bytes == "OK\r\nLR>" ? rig.Now + 300 : rig.Now) << c.Bytes;
        all += c.Bytes;
    }
    EXPECT_EQ(all, "PASS *7SYSAVE!5D\r\nOK\r\nLR>");

    SimOptions direct;
    direct.EchoBytes = true;
    SimRig unit(direct);
    EXPECT_EQ(unit.Send("\r"), "\r\n#");
    EXPECT_EQ(unit.Send("DDBL 1\r"), "DDBL 1\r\nOK\r\n#");
}

TEST(SimulatorLine, LogShowsEachCommandAsTheUnitSawIt) {
    SimRig rig(ControllerOptions());
    std::vector<std::string> log;
    for (const std::string& line :
         {Frame("*7BLKGN 2 128!"), std::string("\r"), std::string("ZVQUERY *5IINFOZV 3!\r"),
          std::string("NZV\r"), std::string("PASS *7BLKGN 2 128!00\r\r"), std::string("debug 0\r")})
        for (const std::string& entry : rig.SendRaw(line).LogLines)
            log.push_back(entry);
    EXPECT_EQ(log, (std::vector<std::string>{"*7BLKGN 2 128!", "*5IINFOZV 3!", "NZV",
                                             "PASS *7BLKGN 2 128!00", "debug 0"}));
    EXPECT_EQ(rig.Sim.Commands(), 5);

    SimRig direct{SimOptions{}};
    EXPECT_EQ(direct.SendRaw("EFTB 1  2.2\r").LogLines, std::vector<std::string>{"EFTB 1  2.2"});
}

TEST(SimulatorLine, StateImageHoldsTheRecordsInTheFilesOrder) {
    SimRig rig(ControllerOptions());
    std::vector<std::uint8_t> image = rig.Sim.StateImage();
    ASSERT_EQ(image.size(), 1720u);
    // Record 0 of every block stays zero.
    for (std::size_t block : {0u, 420u, 840u, 1280u})
        for (std::size_t i = 0; i < 84; ++i)
            ASSERT_EQ(image[block + i], 0) << block + i;
    EXPECT_EQ(image[84 + 0], 1);           // unit 1 ch 1 VideoLoaded
    EXPECT_EQ(image[420 + 84 + 32], 0x00); // unit 2 ch 1 HActive 1280, LE
    EXPECT_EQ(image[420 + 84 + 33], 0x05);
    EXPECT_EQ(image[840 + 88 + 0], 3);  // unit 1 ch 1 OutputFormat
    EXPECT_EQ(image[1280 + 88 + 4], 1); // unit 2 ch 1 ProjectorGroup

    const SimOutput out = rig.SendRaw(Frame("*7BLKGN 2 128!"));
    EXPECT_TRUE(out.StateChanged);
    EXPECT_EQ(rig.Sim.StateImage()[1280 + 2 * 88 + 68], 128);        // unit 2 ch 2 BlackLevel
    EXPECT_FALSE(rig.SendRaw(Frame("*7BLKGN 2 128!")).StateChanged); // same value again
    EXPECT_FALSE(rig.SendRaw("ZVQUERY *7OINFOZV 2!\r").StateChanged);

    SimRig single(ControllerOptions(1));
    image = single.Sim.StateImage();
    for (std::size_t i = 420; i < 840; ++i)
        ASSERT_EQ(image[i], 0); // no unit 2
}

TEST(SimulatorLine, AtAnyRateButTheUnitsOwnTheLineCarriesOnlyNoise) {
    for (SimLinkMode mode : {SimLinkMode::Direct, SimLinkMode::Controller}) {
        SimOptions options = ControllerOptions(1);
        options.Mode = mode;
        SimRig rig(options);
        const int own = rig.Controller ? 57600 : 38400;
        const std::string prompt = rig.Controller ? "\r\nLR>" : "\r\n#";
        const std::string command =
            rig.Controller ? Frame("*5BLKGN 2 99!") : std::string("BLKGN 2 99\r");
        const auto start = rig.Sim.StateImage();
        for (int wrong : {9600, 19200, rig.Controller ? 38400 : 57600, 0}) {
            rig.Baud = wrong;
            EXPECT_EQ(rig.Send("\r"), "\x8D") << wrong;
            const SimOutput out = rig.SendRaw(command);
            std::string noise;
            for (const SimChunk& chunk : out.Chunks)
                noise += chunk.Bytes;
            ASSERT_EQ(noise.size(), command.size()) << "one byte of noise a byte";
            for (std::size_t i = 0; i < noise.size(); ++i)
                EXPECT_EQ(static_cast<unsigned char>(noise[i]),
                          static_cast<unsigned char>(command[i]) | 0x80u);
            EXPECT_TRUE(out.LogLines.empty());
            EXPECT_FALSE(out.StateChanged);
            // A line begun at the wrong rate is lost: its end at the right rate is a probe.
            rig.Send("NZV");
            rig.Baud = own;
            EXPECT_EQ(rig.Send("\r"), prompt) << wrong;
            rig.Wait(Simulator::DoubleReturnMs + 1);
        }
        EXPECT_EQ(rig.Sim.StateImage(), start);
        EXPECT_EQ(rig.Sim.Commands(), 0);
        EXPECT_EQ(rig.Output(5, 2)["BlackLevel"], 16);
        rig.Baud = Simulator::NoLineSpeed; // TCP: no rate to be wrong
        rig.Wait(Simulator::DoubleReturnMs + 1);
        EXPECT_EQ(rig.Send("\r"), prompt);

        options.AnySpeed = true;
        SimRig any(options);
        any.Baud = 9600;
        EXPECT_EQ(any.Send("\r"), prompt);
        any.Send(command);
        EXPECT_EQ(any.Output(5, 2)["BlackLevel"], 99);

        options.AnySpeed = false;
        options.SilentAfter = 0;
        SimRig silent(options);
        silent.Baud = 9600;
        EXPECT_EQ(silent.Send("\r"), "") << "a unit that answers nothing makes no noise either";
    }
}

TEST(SimulatorLine, AStateImageLoadedIsWhatTheUnitsHoldAndReport) {
    SimRig changed(ControllerOptions());
    changed.Send(Frame("*7BLKGN 2 77!"));
    changed.Send(Frame("*5ICPHOZV 3 M 9!"));
    std::vector<std::uint8_t> image = changed.Sim.StateImage();
    image[2] = 0xA5; // padding of record 0, unit 1: carried as it stands

    SimRig rig(ControllerOptions());
    ASSERT_TRUE(rig.Sim.LoadStateImage(image));
    EXPECT_EQ(rig.Sim.StateImage(), image);
    EXPECT_EQ(rig.Output(7, 2)["BlackLevel"], 77);
    EXPECT_EQ(rig.Input(5, 3)["Phase"], 9);
    EXPECT_FALSE(rig.SendRaw(Frame("*7BLKGN 2 77!")).StateChanged) << "compared with the image";

    const auto before = rig.Sim.StateImage();
    image.push_back(0);
    EXPECT_FALSE(rig.Sim.LoadStateImage(image));
    image.resize(1719);
    EXPECT_FALSE(rig.Sim.LoadStateImage(image));
    EXPECT_EQ(rig.Sim.StateImage(), before);

    // One unit takes its own blocks; unit 2's are not there to take.
    SimRig single(ControllerOptions(1));
    image = changed.Sim.StateImage();
    ASSERT_TRUE(single.Sim.LoadStateImage(image));
    const auto loaded = single.Sim.StateImage();
    EXPECT_TRUE(std::equal(loaded.begin(), loaded.begin() + 420, image.begin()));
    EXPECT_TRUE(std::all_of(loaded.begin() + 420, loaded.begin() + 840,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(single.Input(5, 3)["Phase"], 9);
}
