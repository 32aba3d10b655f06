// The zelvar-sim program on a real pseudo-terminal.

#include "PtyClient.h"
#include "SimProcess.h"
#include "StatusDecoder.h"
#include "sim/Simulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace tarvel;
using namespace tarvel::testing;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Patience = 3000; // ms: a reply that should come comes long before this

long ElapsedMs(Clock::time_point since) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// Runs the program to its end with the shell; returns the exit code and the output.
int RunToEnd(const std::string& args, std::string& output) {
    std::FILE* pipe = popen((SimProcess::ProgramPath() + " " + args + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[512];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Line {
    SimProcess Sim;
    PtyClient Client;

    // Starts the program and opens its line.
    ::testing::AssertionResult Start(const std::vector<std::string>& options) {
        std::string error;
        if (!Sim.Start(options, &error))
            return ::testing::AssertionFailure() << error;
        if (!Client.Open(Sim.PtyPath()))
            return ::testing::AssertionFailure() << "cannot open " << Sim.PtyPath();
        return ::testing::AssertionSuccess();
    }
    std::string Ask(const std::string& bytes, std::string_view until) {
        Client.Write(bytes);
        return Client.ReadUntil(until, Patience);
    }
};

} // namespace

TEST(ZelvarSimProgram, ControllerOnALinkedLine) {
    const std::string link = SimProcess::UniquePath("zv");
    Line line;
    ASSERT_TRUE(line.Sim.Start(
        {"--mode", "controller", "--units", "2", "--addresses", "5,7", "--link", link}));
    char target[256] = {};
    ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(std::string(target), line.Sim.PtyPath());

    ASSERT_TRUE(line.Client.Open(link));
    EXPECT_EQ(line.Ask("\r", "LR>"), "\r\nLR>");
    EXPECT_EQ(line.Ask("NZV\r", "LR>"), "NZV\r\n2 5 7\r\nLR>");
    EXPECT_EQ(line.Ask("PASS *7BLKGN 2 128!00\r\r", "LR>"),
              "PASS *7BLKGN 2 128!00\r\n?\r\nCTR BAD CHECKSUM\r\nLR>");
    EXPECT_EQ(line.Ask("PASS *7BLKGN 2 128!FD\r\r", "LR>"), "PASS *7BLKGN 2 128!FD\r\nOK\r\nLR>");

    // A client that closes and comes back finds the line still up.
    line.Client.Close();
    ASSERT_TRUE(line.Client.Open(link));
    EXPECT_EQ(line.Ask("\r", "LR>"), "\r\nLR>");

    EXPECT_EQ(line.Sim.Stop(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link outlived the program";
}

TEST(ZelvarSimProgram, HelpAndBadOptions) {
    std::string help;
    EXPECT_EQ(RunToEnd("--help", help), 0);
    EXPECT_EQ(help.rfind("Usage: zelvar-sim", 0), 0u);
    EXPECT_NE(help.find("--hangup-after"), std::string::npos);
    std::string complaint;
    EXPECT_EQ(RunToEnd("--units 3", complaint), 2);
    EXPECT_NE(complaint.find("--units"), std::string::npos);
}

TEST(ZelvarSimProgram, LogAndStateAreWrittenBeforeTheReply) {
    const std::string log = SimProcess::UniquePath("zv-log");
    const std::string state = SimProcess::UniquePath("zv-state");
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7", "--log",
                            log, "--state", state}));
    const std::string start = SimProcess::ReadFile(state);
    ASSERT_EQ(start.size(), 1720u);
    EXPECT_EQ(static_cast<unsigned char>(start[1280 + 2 * 88 + 68]), 16); // unit 2 ch 2 black

    line.Ask("\r", "LR>");
    line.Ask("PASS *7BLKGN 2 128!FD\r\r", "LR>");
    line.Ask("ZVQUERY *5IINFOZV 3!\r", "LR>");
    line.Ask("NZV\r", "LR>");
    EXPECT_EQ(SimProcess::ReadFile(log), "*7BLKGN 2 128!\n*5IINFOZV 3!\nNZV\n");
    const std::string changed = SimProcess::ReadFile(state);
    ASSERT_EQ(changed.size(), 1720u);
    EXPECT_EQ(static_cast<unsigned char>(changed[1280 + 2 * 88 + 68]), 128);
    EXPECT_EQ(changed.substr(0, 1280), start.substr(0, 1280));

    line.Sim.Stop();
    unlink(log.c_str());
    unlink(state.c_str());
}

TEST(ZelvarSimProgram, DropEvery) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--drop-every", "2"}));
    EXPECT_EQ(line.Ask("NZV\r", "LR>"), "NZV\r\n1 1 0\r\nLR>");
    line.Client.Write("NZV\r");
    EXPECT_EQ(line.Client.ReadFor(200), "");
    EXPECT_EQ(line.Ask("NZV\r", "LR>"), "NZV\r\n1 1 0\r\nLR>");
}

TEST(ZelvarSimProgram, DelayMs) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--delay-ms", "300"}));
    EXPECT_EQ(line.Ask("\r", "LR>"), "\r\nLR>"); // probes are not delayed
    line.Client.Write("NZV\r");
    EXPECT_EQ(line.Client.ReadFor(150), "");
    EXPECT_EQ(line.Client.ReadUntil("LR>", Patience), "NZV\r\n1 1 0\r\nLR>");
}

TEST(ZelvarSimProgram, RefuseEvery) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--refuse-every", "1"}));
    EXPECT_EQ(line.Ask("PASS *1SYSAVE!57\r\r", "LR>"),
              "PASS *1SYSAVE!57\r\n?\r\nCTR REFUSED\r\nLR>");
}

TEST(ZelvarSimProgram, ErrorEvery) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--error-every", "1,4"}));
    EXPECT_EQ(line.Ask("PASS *1SYSAVE!57\r\r", "LR>"), "PASS *1SYSAVE!57\r\n!ERR 4\r\nLR>");
}

TEST(ZelvarSimProgram, DebugConsole) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--debug-console"}));
    EXPECT_EQ(line.Ask("PASS *1SYSAVE!57\r\r", "LR>"), "PASS *1SYSAVE!57\r\n?\r\nDEBUG\r\nLR>");
    EXPECT_EQ(line.Ask("debug 0\r", "LR>"), "debug 0\r\nOK\r\nLR>");
    EXPECT_EQ(line.Ask("PASS *1SYSAVE!57\r\r", "LR>"), "PASS *1SYSAVE!57\r\nOK\r\nLR>");
}

TEST(ZelvarSimProgram, SilentAfter) {
    Line line;
    ASSERT_TRUE(line.Start({"--silent-after", "1"}));
    EXPECT_EQ(line.Ask("DDBL 1\r", "#"), "DDBL 1\r\nOK\r\n#");
    line.Client.Write("\r");
    EXPECT_EQ(line.Client.ReadFor(200), "");
    EXPECT_TRUE(line.Sim.Running());
}

TEST(ZelvarSimProgram, HangupAfter) {
    const std::string link = SimProcess::UniquePath("zv-hup");
    Line line;
    ASSERT_TRUE(line.Start({"--hangup-after", "1", "--link", link}));
    EXPECT_EQ(line.Ask("\r", "#"), "\r\n#");
    EXPECT_EQ(line.Ask("DDBL 1\r", "#"), "DDBL 1\r\nOK\r\n#");
    line.Client.ReadFor(Patience); // returns as soon as the line is gone
    EXPECT_TRUE(line.Client.HungUp());
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0) << "the link still leads to a closed line";
    EXPECT_TRUE(line.Sim.Running()); // the program itself waits to be stopped
    EXPECT_EQ(line.Sim.Stop(), 0);
}

TEST(ZelvarSimProgram, SplitWritesPiecesApart) {
    Line line;
    ASSERT_TRUE(line.Start({"--mode", "controller", "--split", "3,40"}));
    const auto sent = Clock::now();
    // 15 bytes in five pieces: four gaps of 40 ms (less a little for the program's clock
    // counting whole milliseconds).
    EXPECT_EQ(line.Ask("NZV\r", "LR>"), "NZV\r\n1 1 0\r\nLR>");
    EXPECT_GE(ElapsedMs(sent), 150);
}

TEST(ZelvarSimProgram, EchoBytes) {
    Line line;
    ASSERT_TRUE(line.Start({"--echo-bytes"}));
    EXPECT_EQ(line.Ask("DD", "DD"), "DD");
    EXPECT_EQ(line.Ask("BL 1\r", "#"), "BL 1\r\nOK\r\n#");
}

TEST(ZelvarSimProgram, NoVideoAndLayouts) {
    Line line;
    ASSERT_TRUE(line.Start({"--no-video", "2", "--input-layout", "F", "--output-layout", "@"}));
    const std::string in = line.Ask("IINFOZV 2\r", "\r\n#");
    Fields f;
    ASSERT_TRUE(DecodeInputStatus(in, f));
    EXPECT_EQ(FindBlock(in, "F"), 11);
    EXPECT_EQ(f["VideoLoaded"], 0);
    EXPECT_EQ(f["VideoLocked"], 0);
    EXPECT_EQ(f.count("HPositionLimit"), 0u);
    const std::string out = line.Ask("OINFOZV 1\r", "\r\n#");
    EXPECT_EQ(FindBlock(out, "@"), 11);
    ASSERT_TRUE(DecodeOutputStatus(out, f));
    EXPECT_EQ(f["LeftHaloWidth"], 32);
}

TEST(ZelvarSimProgram, AutomaticOperationPromptsWhenDone) {
    Line line;
    ASSERT_TRUE(line.Start({"--auto-ms", "100"}));
    const auto sent = Clock::now();
    EXPECT_EQ(line.Ask("RGBADJ\r\r", "#"), "RGBADJ\r\nOK\r\n#");
    EXPECT_GE(ElapsedMs(sent), 290); // three projectors of 100 ms
}

TEST(ZelvarSimProgram, EndsWhenTheReaderOfItsOutputGoesAway) {
    // A test that dies without stopping its simulator closes the reading end of the output
    // pipe; the simulator must not outlive it.
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    const std::string program = SimProcess::ProgramPath();
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    pid_t pid = -1;
    ASSERT_EQ(posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char first = 0;
    EXPECT_EQ(read(out[0], &first, 1), 1); // it runs and has printed its path
    close(out[0]);

    int status = 0;
    pid_t done = 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(Patience);
    while ((done = waitpid(pid, &status, WNOHANG)) == 0 && Clock::now() < deadline)
        usleep(5000);
    if (done == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "zelvar-sim kept running without a reader";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(ZelvarSimProgram, TheTerminalAnswersOnlyAtTheUnitsRateAndTcpHasNoRate) {
    const std::string log = SimProcess::UniquePath("zv-rate-log");
    Line line;
    ASSERT_TRUE(line.Sim.Start({"--mode", "controller", "--tcp", "0", "--log", log}));
    ASSERT_FALSE(line.Sim.PtyPath().empty());
    ASSERT_GT(line.Sim.TcpPort(), 0);

    ASSERT_TRUE(line.Client.Open(line.Sim.PtyPath(), 9600));
    line.Client.Write("NZV\r");
    EXPECT_EQ(line.Client.ReadFor(200), "\xCE\xDA\xD6\x8D") << "noise, one byte a byte";
    ASSERT_TRUE(line.Client.Open(line.Sim.PtyPath(), 57600));
    EXPECT_EQ(line.Ask("\r", "LR>"), "\r\nLR>");

    PtyClient tcp;
    ASSERT_TRUE(tcp.Connect(line.Sim.TcpPort()));
    ASSERT_TRUE(tcp.Write("NZV\r"));
    EXPECT_EQ(tcp.ReadUntil("LR>", Patience), "NZV\r\n1 1 0\r\nLR>");
    EXPECT_EQ(SimProcess::ReadFile(log), "NZV\n") << "the garbled line is no command";

    line.Sim.Stop();
    unlink(log.c_str());
}

TEST(ZelvarSimProgram, PaceHoldsAReplyToTheLinesRate) {
    Line line;
    ASSERT_TRUE(line.Sim.Start({"--mode", "controller", "--pace", "--any-speed"}));
    ASSERT_TRUE(line.Client.Open(line.Sim.PtyPath(), 9600));
    const auto sent = Clock::now();
    const std::string reply = line.Ask("ZVQUERY *1OINFOZV 1!\r", "\r\nLR>");
    const long elapsed = ElapsedMs(sent);
    ASSERT_EQ(reply.size(), 95u); // echo 22, block 68, "\r\n", "LR>"
    // 10 bits a byte at 9600 baud, less a millisecond for the program's clock.
    EXPECT_GE(elapsed, 95L * 10 * 1000 / 9600 - 1);
}

TEST(ZelvarSimProgram, TcpServesOneClientAtATimeAndAHangUpClosesTheConnection) {
    SimProcess sim;
    ASSERT_TRUE(sim.Start({"--mode", "controller", "--units", "2", "--addresses", "5,7", "--tcp",
                           "0", "--no-pty", "--hangup-after", "2"}));
    EXPECT_TRUE(sim.PtyPath().empty());
    const int port = sim.TcpPort();
    ASSERT_GT(port, 0);

    PtyClient first;
    ASSERT_TRUE(first.Connect(port));
    ASSERT_TRUE(first.Write("\r"));
    EXPECT_EQ(first.ReadUntil("LR>", Patience), "\r\nLR>");
    ASSERT_TRUE(first.Write("PASS *7BLKGN 2 128!FD\r\r"));
    EXPECT_EQ(first.ReadUntil("LR>", Patience), "PASS *7BLKGN 2 128!FD\r\nOK\r\nLR>");

    // The next client is served once the first has gone, by the same units.
    PtyClient second;
    ASSERT_TRUE(second.Connect(port));
    ASSERT_TRUE(second.Write("\r"));
    EXPECT_EQ(second.ReadFor(200), "");
    first.Close();
    EXPECT_EQ(second.ReadUntil("LR>", Patience), "\r\nLR>");
    ASSERT_TRUE(second.Write("ZVQUERY *7OINFOZV 2!\r"));
    Fields f;
    ASSERT_TRUE(DecodeOutputStatus(second.ReadUntil("\r\nLR>", Patience), f));
    EXPECT_EQ(f["BlackLevel"], 128);

    // Command 2 had its reply; then the connection is closed and nobody is served any more.
    second.ReadFor(Patience); // returns as soon as the connection is gone
    EXPECT_TRUE(second.HungUp());
    PtyClient third;
    EXPECT_FALSE(third.Connect(port));
    EXPECT_TRUE(sim.Running());
    EXPECT_EQ(sim.Stop(), 0);
}

TEST(ZelvarSimProgram, LoadStartsTheUnitsFromAnImageAndRefusesOtherSizes) {
    SimOptions options;
    options.Mode = SimLinkMode::Controller;
    options.Units = 2;
    std::vector<std::uint8_t> image = Simulator(options).StateImage();
    image[1280 + 2 * 88 + 68] = 77; // unit 2 channel 2 BlackLevel
    const std::string load = SimProcess::UniquePath("zv-load");
    const std::string state = SimProcess::UniquePath("zv-load-state");
    auto write = [&](std::size_t size) {
        std::ofstream(load, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(size));
    };

    write(image.size());
    Line line;
    ASSERT_TRUE(
        line.Start({"--mode", "controller", "--units", "2", "--load", load, "--state", state}));
    EXPECT_EQ(SimProcess::ReadFile(state), std::string(image.begin(), image.end()));
    Fields f;
    ASSERT_TRUE(DecodeOutputStatus(line.Ask("ZVQUERY *2OINFOZV 2!\r", "\r\nLR>"), f));
    EXPECT_EQ(f["BlackLevel"], 77);
    line.Sim.Stop();

    write(1000);
    std::string complaint;
    EXPECT_EQ(RunToEnd("--load " + load, complaint), 1);
    EXPECT_NE(complaint.find(load + " holds 1000 bytes; a state image has 1720"), std::string::npos)
        << complaint;
    unlink(load.c_str());
    std::string missing;
    EXPECT_EQ(RunToEnd("--load " + load, missing), 1);
    EXPECT_NE(missing.find("cannot read " + load), std::string::npos) << missing;
    unlink(state.c_str());
}
