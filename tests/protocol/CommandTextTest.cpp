#include "protocol/CommandEncoding.h"
#include "protocol/Framing.h"
#include "protocol/StatusQuery.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace tarvel;

namespace {

struct Case {
    Command Cmd;
    std::string Controller; // with address 5
    std::string Direct;
    CommandSendRule Rule;
};

std::vector<Case> EveryCommand() {
    return {
        {Command::BlackLevel(2, 128), "*5BLKGN 2 128!", "BLKGN 2 128\r", {0, false, 80}},
        {Command::ControlMode(1), "*5ZVCTRL 1!", "ZVCTRL 1\r", {1550, true, 630}},
        {Command::ControlMode(0), "*5ZVCTRL 0!", "ZVCTRL 0\r", {350, true, 630}},
        {Command::DataDoubling(1), "*5DDBL 1!", "DDBL 1\r", {0, true, 80}},
        {Command::Display(1, 256), "*5DISP 1 256!", "DISP 1 256\r", {500, true, 80}},
        {Command::BasicFeathering(1, 2.2f), "*5EFTB 1  2.2!", "EFTB 1  2.2\r", {6, true, 80}},
        {Command::Halo(4, EdgeSide::Left, 12, -3),
         "*5HALO 4 L 12 -3!",
         "HALO 4 L 12 -3\r",
         {0, false, 80}},
        {Command::Reset(), "*5RESETZV F!", "RESETZV F\r", {7000, true, 810}},
        {Command::TestPattern(5, 3, 1, 0), "*5OTPMZV 5 3 1 0!", "OTPMZV 5 3 1 0\r", {0, true, 80}},
        {Command::InputContrast(1, InputColour::Red, 12.5f),
         "*5ICNTZV 1 R 12.5!",
         "ICNTZV 1 R 12.5\r",
         {0, false, 80}},
        {Command::InputBrightness(3, InputColour::Overall, -1.5f),
         "*5IBRTZV 3 C -1.5!",
         "IBRTZV 3 C -1.5\r",
         {0, false, 80}},
        {Command::InputPhase(2, 17), "*5ICPHOZV 2 M 17!", "ICPHOZV 2 M 17\r", {0, false, 80}},
        {Command::HorizontalPosition(2, 300),
         "*5IRSPZV 2 M H 300!",
         "IRSPZV 2 M H 300\r",
         {0, false, 80}},
        {Command::VerticalPosition(2, 35),
         "*5IRSPZV 2 M V 35!",
         "IRSPZV 2 M V 35\r",
         {0, false, 80}},
        {Command::SaveInputConfig(4), "*5ICSAVZV 4!", "ICSAVZV 4\r", {200, true, 80}},
        {Command::ResetInputConfig(4), "*5ICRSTZV 4!", "ICRSTZV 4\r", {200, true, 80}},
        {Command::Projectors(1, 6), "*5PRJ 1 6!", "PRJ 1 6\r", {160, true, 180}},
        {Command::ManualSeam(3, -4, {10, 20, 30, 40, 50, 60, 70, 80}),
         "*5MANSEAM 3 -4 10 20 30 40 50 60 70 80!",
         "MANSEAM 3 -4 10 20 30 40 50 60 70 80\r",
         {0, true, 80}},
        {Command::SeamBridge(1), "*5BRDGSEAM 1!", "BRDGSEAM 1\r", {20, true, 120}},
        {Command::AutoSeam(2), "*5AUTOSEAM 2!", "AUTOSEAM 2\r", {100, true, 120}},
        {Command::AutoStart(AutoOperation::ColourBalance),
         "*5RGBADJ!",
         "RGBADJ\r\r",
         {0, true, 37810}},
        {Command::AutoStart(AutoOperation::Position), "*5AUTOPOS!", "AUTOPOS\r\r", {0, true, 810}},
        {Command::AutoStart(AutoOperation::Phase), "*5APHASE!", "APHASE\r\r", {0, true, 21810}},
        {Command::AutoPoll(AutoOperation::ColourBalance, 3), "*5 !", "", {15900, true, 80}},
        {Command::AutoPoll(AutoOperation::Position, 8), "*5 !", "", {6000, true, 80}},
        {Command::AutoPoll(AutoOperation::Phase, 2), "*5 !", "", {6800, true, 80}},
        {Command::SystemSave(), "*5SYSAVE!", "SYSAVE\r", {1000, true, 80}},
        {Command::FeatherCurve('L'), "*5FEATHER L!", "FEATHER L\r", {500, true, 80}},
        {Command::EdgeFeather(2, EdgeSide::Left, 1, 2.5f, 10, 20),
         "*5PEFT 2 L 1  2.5 10 20!",
         "PEFT 2 L 1  2.5 10 20\r",
         {50, true, 80}},
        {Command::EdgeFeather(3, EdgeSide::Right, 0, 12.0f, 0, -7),
         "*5PEFT 3 R 0 12.0 0 -7!",
         "PEFT 3 R 0 12.0 0 -7\r",
         {50, true, 80}},
        {Command::BridgeThreshold(255), "*5BRTHRS 255!", "BRTHRS 255\r", {100, true, 80}},
    };
}

} // namespace

TEST(CommandText, EveryCommandInBothFormsWithItsSendRule) {
    std::set<CommandKind> kinds;
    for (const Case& c : EveryCommand()) {
        SCOPED_TRACE(c.Controller);
        kinds.insert(c.Cmd.Kind());
        EXPECT_EQ(ControllerText(c.Cmd, 5), c.Controller);
        EXPECT_EQ(DirectText(c.Cmd), c.Direct);
        const CommandSendRule rule = SendRule(c.Cmd);
        EXPECT_EQ(rule.SettleMs, c.Rule.SettleMs);
        EXPECT_EQ(rule.Confirmed, c.Rule.Confirmed);
        EXPECT_EQ(rule.PromptWait, c.Rule.PromptWait);
    }
    EXPECT_EQ(kinds.size(), CommandKindCount) << "a command kind has no case here";
}

TEST(CommandText, BlackLevelOnScreenSixThroughTheController) {
    // Units at addresses 3 and 7; screen 6 is unit 2, channel 2.
    const std::string text = ControllerText(Command::BlackLevel(2, 128), UnitAddress(2, 3, 7));
    EXPECT_EQ(text, "*7BLKGN 2 128!");
    EXPECT_EQ(Checksum(text), 0xFD);
    EXPECT_EQ(ControllerFrame(text), "PASS *7BLKGN 2 128!FD\r\r");
    EXPECT_EQ(DirectText(Command::BlackLevel(2, 128)), "BLKGN 2 128\r");
    EXPECT_FALSE(SendRule(Command::BlackLevel(2, 128)).Confirmed);
}

TEST(CommandText, SystemSaveFrameAndMinimumReplyLength) {
    const std::string text = ControllerText(Command::SystemSave(), 1);
    EXPECT_EQ(text, "*1SYSAVE!");
    EXPECT_EQ(Checksum(text), 599 % 256);
    EXPECT_EQ(ChecksumText(text), "57");
    EXPECT_EQ(ControllerFrame(text), "PASS *1SYSAVE!57\r\r");
    EXPECT_EQ(MinReplyLength(text), 17);
}

TEST(CommandText, ChecksumWrapsAndUsesUpperCaseDigits) {
    EXPECT_EQ(ChecksumText(""), "00");
    EXPECT_EQ(ChecksumText("\xff\x01"), "00");
    EXPECT_EQ(ChecksumText("\xfe"), "FE");
    EXPECT_EQ(ChecksumText("\x0a"), "0A");
    EXPECT_EQ(MinReplyLength(""), 8);
}

TEST(CommandText, ResetOfUnitTwoGoesToItsAddress) {
    EXPECT_EQ(ControllerText(Command::Reset(), UnitAddress(2, 3, 7)), "*7RESETZV F!");
}

TEST(CommandText, UnitAddressMapsUnitsOneAndTwoAndPassesOthers) {
    EXPECT_EQ(UnitAddress(1, 12, 30), 12);
    EXPECT_EQ(UnitAddress(2, 12, 30), 30);
    EXPECT_EQ(UnitAddress(3, 12, 30), 3);
    EXPECT_EQ(UnitAddress(0, 12, 30), 0);
    EXPECT_EQ(UnitAddress(17, 12, 30), 17);
}

TEST(CommandText, SelectorsAndLetters) {
    EXPECT_EQ(ColourForSelector(0), InputColour::Overall);
    EXPECT_EQ(ColourForSelector(1), InputColour::Red);
    EXPECT_EQ(ColourForSelector(2), InputColour::Green);
    EXPECT_EQ(ColourForSelector(3), InputColour::Blue);
    EXPECT_EQ(FeatherCurveLetter(0), 'S');
    EXPECT_EQ(FeatherCurveLetter(1), 'L');
    EXPECT_EQ(DirectText(Command::InputContrast(1, ColourForSelector(2), 1.0f)),
              "ICNTZV 1 G  1.0\r");
}

TEST(StatusQueryText, BothModesAndMinimumReplyLengths) {
    using enum StatusQuery;
    EXPECT_EQ(QueryText(UnitCount, ConnectionMode::Controller), "NZV\r");
    EXPECT_EQ(QueryText(UnitCount, ConnectionMode::Direct), "NZV\r");
    EXPECT_EQ(QueryText(SystemInfo, ConnectionMode::Controller, 7), "ZVQUERY *7SYINFOZV!\r");
    EXPECT_EQ(QueryText(SystemInfo, ConnectionMode::Direct, 7), "SYINFOZV\r");
    EXPECT_EQ(QueryText(InputStatus, ConnectionMode::Controller, 12, 3), "ZVQUERY *12IINFOZV 3!\r");
    EXPECT_EQ(QueryText(InputStatus, ConnectionMode::Direct, 12, 3), "IINFOZV 3\r");
    EXPECT_EQ(QueryText(OutputStatus, ConnectionMode::Controller, 3, 4), "ZVQUERY *3OINFOZV 4!\r");
    EXPECT_EQ(QueryText(OutputStatus, ConnectionMode::Direct, 3, 4), "OINFOZV 4\r");

    EXPECT_EQ(QueryMinReplyLength(UnitCount), 2);
    EXPECT_EQ(QueryMinReplyLength(SystemInfo), 8);
    EXPECT_EQ(QueryMinReplyLength(InputStatus), 70);
    EXPECT_EQ(QueryMinReplyLength(OutputStatus), 62);
}
