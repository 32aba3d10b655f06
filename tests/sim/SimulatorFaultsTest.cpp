// The faults the simulator can play, and what counts as a command for them.

#include "SimRig.h"

#include <gtest/gtest.h>

using namespace tarvel;
using namespace tarvel::testing;

namespace {

// Sends n system saves to the unit at address 5 and says, for each, whether a reply came.
std::string Replies(SimRig& rig, int n) {
    std::string seen;
    for (int i = 0; i < n; ++i) {
        const std::string reply = rig.Send(Frame("*5SYSAVE!"));
        seen += reply.empty()                                 ? '-'
                : reply.ends_with("OK\r\nLR>")                ? 'k'
                : reply.find("?\r\nCTR") != std::string::npos ? '?'
                : reply.find("!ERR") != std::string::npos     ? 'e'
                                                              : 'x';
    }
    return seen;
}

} // namespace

TEST(SimulatorFaults, DropEveryNthCarriesOutTheCommandButSendsNothing) {
    SimOptions options = ControllerOptions();
    options.DropEvery = 3;
    SimRig rig(options);
    EXPECT_EQ(Replies(rig, 2), "kk");
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>");            // probes are not commands
    EXPECT_EQ(rig.Send(Frame("*5BLKGN 1 99!")), ""); // the third command
    EXPECT_EQ(Replies(rig, 4), "kk-k");
    EXPECT_EQ(rig.Output(5, 1)["BlackLevel"], 99); // the query is the 8th command
}

TEST(SimulatorFaults, DropAlsoAppliesInDirectMode) {
    SimOptions options;
    options.DropEvery = 2;
    SimRig rig(options);
    EXPECT_EQ(rig.Send("DDBL 1\r"), "DDBL 1\r\nOK\r\n#");
    EXPECT_EQ(rig.Send("DDBL 0\r"), "");
    rig.Wait(4400); // the program probes after its prompt wait
    EXPECT_EQ(rig.Send("\r"), "\r\n#");
    EXPECT_EQ(rig.Output(0, 1)["DataDoubling"], 0);
}

TEST(SimulatorFaults, RefuseEveryNthIsAControllerRefusalAndNotCarriedOut) {
    SimOptions options = ControllerOptions();
    options.RefuseEvery = 2;
    SimRig rig(options);
    EXPECT_EQ(Replies(rig, 4), "k?k?");
    EXPECT_EQ(rig.Send(Frame("*5BLKGN 1 99!")), "PASS *5BLKGN 1 99!D1\r\nOK\r\nLR>");
    EXPECT_EQ(rig.Send(Frame("*5BLKGN 1 98!")), "PASS *5BLKGN 1 98!D0\r\n?\r\nCTR REFUSED\r\nLR>");
    EXPECT_EQ(rig.Output(5, 1)["BlackLevel"], 99);
}

TEST(SimulatorFaults, ErrorEveryNthAnswersWithItsCode) {
    SimOptions options = ControllerOptions();
    options.ErrorEvery = 3;
    options.ErrorCode = '7';
    SimRig rig(options);
    EXPECT_EQ(Replies(rig, 2), "kk");
    EXPECT_EQ(rig.Send(Frame("*5DDBL 1!")), "PASS *5DDBL 1!E7\r\n!ERR 7\r\nLR>");
    EXPECT_EQ(rig.Send("NZV\r"), "NZV\r\n2 5 7\r\nLR>");
    EXPECT_EQ(rig.Output(5, 1)["DataDoubling"], 0);
}

TEST(SimulatorFaults, ErrorTakesPrecedenceOverRefusalAndDrop) {
    SimOptions options = ControllerOptions();
    options.ErrorEvery = 2;
    options.RefuseEvery = 2;
    SimRig rig(options);
    EXPECT_EQ(Replies(rig, 2), "ke");
    options.DropEvery = 2;
    SimRig dropping(options);
    EXPECT_EQ(Replies(dropping, 2), "k-");
}

TEST(SimulatorFaults, DelayHoldsBackRepliesToCommandsOnly) {
    SimOptions options = ControllerOptions();
    options.DelayMs = 250;
    SimRig rig(options);
    const SimOutput probe = rig.SendRaw("\r");
    ASSERT_EQ(probe.Chunks.size(), 1u);
    EXPECT_EQ(probe.Chunks[0].AtMs, rig.Now);
    const SimOutput command = rig.SendRaw("NZV\r");
    ASSERT_EQ(command.Chunks.size(), 1u);
    EXPECT_EQ(command.Chunks[0], (SimChunk{rig.Now + 250, "NZV\r\n2 5 7\r\nLR>"}));
}

TEST(SimulatorFaults, SplitWritesPiecesAndRepliesNeverInterleave) {
    SimOptions options = ControllerOptions();
    options.SplitBytes = 4;
    options.SplitMs = 10;
    SimRig rig(options);
    const SimOutput a = rig.SendRaw("NZV\r");
    const std::vector<SimChunk> expectA{{rig.Now, "NZV\r"},
                                        {rig.Now + 10, "\n2 5"},
                                        {rig.Now + 20, " 7\r\n"},
                                        {rig.Now + 30, "LR>"}};
    EXPECT_EQ(a.Chunks, expectA);
    rig.Wait(5); // the next reply waits for the last piece of this one
    const SimOutput b = rig.SendRaw("NZV\r");
    const std::vector<SimChunk> expectB{{rig.Now + 25, "NZV\r"},
                                        {rig.Now + 35, "\n2 5"},
                                        {rig.Now + 45, " 7\r\n"},
                                        {rig.Now + 55, "LR>"}};
    EXPECT_EQ(b.Chunks, expectB);
}

TEST(SimulatorFaults, SilentAfterNAnswersNothingMoreButStillLogs) {
    SimOptions options = ControllerOptions();
    options.SilentAfter = 2;
    SimRig rig(options);
    EXPECT_EQ(rig.Send("\r"), "\r\nLR>");
    EXPECT_EQ(Replies(rig, 3), "kk-");
    EXPECT_EQ(rig.Send("\r"), "");
    const SimOutput late = rig.SendRaw(Frame("*5DDBL 1!"));
    EXPECT_TRUE(late.Chunks.empty());
    EXPECT_EQ(late.LogLines, std::vector<std::string>{"*5DDBL 1!"});
    EXPECT_FALSE(late.StateChanged); // a silent unit does nothing

    SimOptions echoing;
    echoing.EchoBytes = true;
    echoing.SilentAfter = 0;
    SimRig mute(echoing);
    EXPECT_EQ(mute.Send("DDBL 1\r\r"), "");
}

TEST(SimulatorFaults, HangUpAfterNClosesTheLineAfterTheReply) {
    SimOptions options = ControllerOptions();
    options.HangupAfter = 2;
    options.SplitBytes = 8;
    options.SplitMs = 5;
    SimRig rig(options);
    EXPECT_EQ(rig.SendRaw("NZV\r").HangUpAtMs, -1);
    const SimOutput second = rig.SendRaw("NZV\r");
    ASSERT_FALSE(second.Chunks.empty());
    EXPECT_EQ(second.HangUpAtMs, second.Chunks.back().AtMs);
    EXPECT_TRUE(rig.Sim.HungUp());
    const SimOutput after = rig.SendRaw("NZV\r\r");
    EXPECT_TRUE(after.Chunks.empty());
    EXPECT_TRUE(after.LogLines.empty());

    // A silent unit's line is still closed when its time comes.
    options.SilentAfter = 1;
    SimRig silent(options);
    silent.Send("NZV\r");
    EXPECT_TRUE(silent.SendRaw("NZV\r").Chunks.empty());
    EXPECT_TRUE(silent.Sim.HungUp());
}

TEST(SimulatorFaults, CountersCountEveryLineButNotProbesOrTheSecondReturn) {
    SimOptions options = ControllerOptions();
    options.RefuseEvery = 4;
    SimRig rig(options);
    rig.Send(Frame("*5SYSAVE!"));      // 1 (its second return is not a command)
    rig.Send("\r");                    // probe
    rig.Send("PASS *5SYSAVE!00\r\r");  // 2: a bad checksum counts
    rig.Send("ZVQUERY *5SYINFOZV!\r"); // 3
    EXPECT_TRUE(rig.Send("NZV\r").ends_with("?\r\nCTR REFUSED\r\nLR>")); // 4
    EXPECT_EQ(rig.Sim.Commands(), 4);
}
