#include "sim/SimCommandLine.h"

#include <gtest/gtest.h>

using namespace tarvel;

namespace {

SimCommandLineResult Parse(const std::vector<std::string>& args, SimOptions& o,
                           std::string& error) {
    return ParseSimCommandLine(args, o, error);
}

} // namespace

TEST(SimCommandLine, ReadsEveryOption) {
    SimOptions o;
    std::string error;
    ASSERT_EQ(Parse({"--mode",
                     "controller",
                     "--units",
                     "2",
                     "--addresses",
                     "5,7",
                     "--link",
                     "/tmp/l",
                     "--log=/tmp/g",
                     "--state",
                     "/tmp/s",
                     "--input-layout",
                     "F",
                     "--output-layout",
                     "@",
                     "--no-video",
                     "3",
                     "--no-video",
                     "8",
                     "--echo-bytes",
                     "--split",
                     "4,20",
                     "--auto-ms",
                     "50",
                     "--drop-every",
                     "3",
                     "--delay-ms",
                     "100",
                     "--refuse-every",
                     "4",
                     "--error-every",
                     "5,9",
                     "--debug-console",
                     "--silent-after",
                     "6",
                     "--hangup-after",
                     "7",
                     "--load",
                     "/tmp/i",
                     "--tcp",
                     "0",
                     "--any-speed",
                     "--pace"},
                    o, error),
              SimCommandLineResult::Run)
        << error;
    EXPECT_EQ(o.Mode, SimLinkMode::Controller);
    EXPECT_EQ(o.Units, 2);
    EXPECT_EQ(o.Addresses, (std::array<int, 2>{5, 7}));
    EXPECT_EQ(o.LinkPath, "/tmp/l");
    EXPECT_EQ(o.LogPath, "/tmp/g");
    EXPECT_EQ(o.StatePath, "/tmp/s");
    EXPECT_EQ(o.InputLayout, 'F');
    EXPECT_EQ(o.OutputLayout, '@');
    EXPECT_EQ(o.NoVideoScreens, (std::vector<int>{3, 8}));
    EXPECT_TRUE(o.EchoBytes);
    EXPECT_EQ(o.SplitBytes, 4);
    EXPECT_EQ(o.SplitMs, 20);
    EXPECT_EQ(o.AutoMs, 50);
    EXPECT_EQ(o.DropEvery, 3);
    EXPECT_EQ(o.DelayMs, 100);
    EXPECT_EQ(o.RefuseEvery, 4);
    EXPECT_EQ(o.ErrorEvery, 5);
    EXPECT_EQ(o.ErrorCode, '9');
    EXPECT_TRUE(o.DebugConsole);
    EXPECT_EQ(o.SilentAfter, 6);
    EXPECT_EQ(o.HangupAfter, 7);
    EXPECT_EQ(o.LoadPath, "/tmp/i");
    EXPECT_EQ(o.TcpPort, 0);
    EXPECT_FALSE(o.NoPty);
    EXPECT_TRUE(o.AnySpeed);
    EXPECT_TRUE(o.Pace);

    ASSERT_EQ(Parse({"--tcp=5025", "--no-pty"}, o, error), SimCommandLineResult::Run) << error;
    EXPECT_EQ(o.TcpPort, 5025);
    EXPECT_TRUE(o.NoPty);
}

TEST(SimCommandLine, DefaultsAreOneDirectUnit) {
    SimOptions o;
    std::string error;
    ASSERT_EQ(Parse({}, o, error), SimCommandLineResult::Run);
    EXPECT_EQ(o.Mode, SimLinkMode::Direct);
    EXPECT_EQ(o.Units, 1);
    EXPECT_EQ(o.Addresses, (std::array<int, 2>{1, 2}));
    EXPECT_EQ(o.InputLayout, 'N');
    EXPECT_EQ(o.OutputLayout, 'B');
    EXPECT_EQ(o.AutoMs, 200);
    EXPECT_EQ(o.SilentAfter, -1);
    EXPECT_EQ(o.HangupAfter, -1);
    EXPECT_EQ(o.TcpPort, -1);
    EXPECT_FALSE(o.NoPty);
    EXPECT_FALSE(o.AnySpeed);
    EXPECT_FALSE(o.Pace);
    EXPECT_TRUE(o.LoadPath.empty());
}

TEST(SimCommandLine, RefusesWhatCannotBe) {
    const std::vector<std::vector<std::string>> bad = {
        {"--mode", "serial"},
        {"--units", "3"},
        {"--mode", "direct", "--units", "2"},
        {"--addresses", "5,5"},
        {"--addresses", "0,7"},
        {"--addresses", "5,33"},
        {"--input-layout", "X"},
        {"--output-layout", ">"},
        {"--no-video", "9"},
        {"--mode", "controller", "--units", "1", "--no-video", "5"},
        {"--split", "0,10"},
        {"--split", "4"},
        {"--drop-every", "0"},
        {"--error-every", "3"},
        {"--error-every", "3,"},
        {"--mode", "controller", "--error-every", "3,42"},
        {"--refuse-every", "2"}, // direct mode has no controller to refuse
        {"--hangup-after", "0"},
        {"--delay-ms", "-1"},
        {"--echo-bytes=1"},
        {"--pace=1"},
        {"--tcp", "65536"},
        {"--tcp", "-1"},
        {"--no-pty"}, // nothing left to serve on
        {"--tcp", "0", "--no-pty", "--link", "/tmp/l"},
        {"--load", ""},
        {"--units"},
        {"--frobnicate"},
    };
    for (const auto& args : bad) {
        SimOptions o;
        std::string error;
        EXPECT_EQ(Parse(args, o, error), SimCommandLineResult::Error) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

TEST(SimCommandLine, HelpListsEveryOption) {
    SimOptions o;
    std::string error;
    EXPECT_EQ(Parse({"--mode", "controller", "--help"}, o, error), SimCommandLineResult::Help);
    const std::string usage = SimUsageText();
    for (const char* option :
         {"--mode",        "--units",         "--addresses",     "--link",         "--log",
          "--state",       "--input-layout",  "--output-layout", "--no-video",     "--echo-bytes",
          "--split",       "--auto-ms",       "--drop-every",    "--delay-ms",     "--refuse-every",
          "--error-every", "--debug-console", "--silent-after",  "--hangup-after", "--load",
          "--tcp",         "--no-pty",        "--any-speed",     "--pace",         "--help"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}
