// What the window's comparison sends and writes: the steps of a whole send that change the
// units, and the report of the differences.

#include "config/ComparisonReport.h"
#include "config/ChangedSend.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvel;

namespace {

// Two units with six projectors, every screen locked, as a read of them leaves the model.
SettingsModel Wall() {
    SettingsModel model;
    model.System.UnitCount = 2;
    model.System.OutputReplyKind = 'B';
    for (int screen = 1; screen <= ScreenCount; ++screen) {
        InputSettings& in = model.Channels.Input(ScreenToUnitChannel(screen));
        in.VideoLocked = 1;
        in.OverallContrast = 100.0f;
        in.OverallBrightness = 100.0f;
        OutputSettings& out = model.Channels.Output(ScreenToUnitChannel(screen));
        out.BlackLevel = 16;
        out.LeftGamma = out.RightGamma = 2.2f;
        out.LeftFeatherOn = out.RightFeatherOn = 1;
        out.LeftGammaWidth = out.RightGammaWidth = 256;
    }
    for (int unit = 1; unit <= 2; ++unit) {
        OutputSettings& wide = model.Channels.UnitOutput(unit);
        wide.TotalProjectors = 6;
        wide.DisplayOverlap = 256;
        wide.BasicGamma = 2.2f;
    }
    return model;
}

std::vector<std::string> Texts(const SendPlan& plan) {
    std::vector<std::string> texts;
    for (const SendStep& step : plan.Steps) {
        texts.push_back(StepText(step, ConnectionMode::Controller, step.Unit));
    }
    return texts;
}

TEST(ChangedSendTest, OnlyTheCommandsWhoseValuesTheUnitsDoNotHoldAreKept) {
    const SettingsModel units = Wall();
    SettingsModel configuration = units;
    configuration.Channels.Input(1, 3).RedContrast = 5.0f;
    configuration.Channels.Output(1, 2).LeftGamma = 3.5f;
    configuration.Channels.Output(2, 2).BlackLevel = 40;
    // The pages hold one value of each unit-wide setting, unit 1's: unit 2's own data doubling
    // is never sent, so it changes nothing on the units and asks for no command.
    configuration.Channels.UnitOutput(2).DataDoubling = 1;

    SendPlanInput input;
    input.Projectors = 6;
    input.Overlap = 256;
    input.UnitCount = 2;
    const SendPlan plan = BuildSendPlan(configuration, input);
    EXPECT_EQ(Texts(StepsThatChangeUnits(plan, configuration, units)),
              (std::vector<std::string>{"*1ICNTZV 3 R  5.0!", "*1PEFT 2 L 1  3.5 256 0!",
                                        "*2BLKGN 2 40!"}));

    // The Planning page's projector count goes out with PRJ, whatever the model held.
    input.Projectors = 5;
    const SendPlan five = BuildSendPlan(units, input);
    EXPECT_EQ(Texts(StepsThatChangeUnits(five, units, units)),
              (std::vector<std::string>{"*1PRJ 0 5!", "*2PRJ 1 5!"}));
}

TEST(ComparisonReportTest, TheHeaderLineThenOneQuotedLinePerDifference) {
    SettingsModel units = Wall();
    SettingsModel configuration = units;
    configuration.Channels.UnitOutput(1).DisplayOverlap = 300;
    configuration.Channels.Output(2, 2).BlackLevel = 40;
    const std::vector<SettingDifference> differences = DiffAgainstUnits(configuration, units);
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(DifferencePlace(differences[0]), "Unit 1");
    EXPECT_EQ(DifferencePlace(differences[1]), "Screen 6");
    EXPECT_LT(DifferencePlaceOrder(differences[0]), DifferencePlaceOrder(differences[1]));

    ComparisonHeader header;
    header.Date = "2026-12-08T10:15:02";
    header.Port = "COM 1 (/dev/ttyUSB0)";
    header.Mode = "Controller";
    header.Units = {{1, 5, "1.2a"}, {2, 7, ""}};
    header.File = "/home/me/wall \"east\", v2.zvc";
    EXPECT_EQ(ComparisonCsv(header, differences),
              "Tarvel comparison with Zelvar(s),Date: 2026-12-08T10:15:02,"
              "Port: COM 1 (/dev/ttyUSB0),Mode: Controller,Unit 1: address 5 version 1.2a,"
              "Unit 2: address 7 version unknown,\"File: /home/me/wall \"\"east\"\", v2.zvc\"\r\n"
              "Screen,Setting,Tarvel,Zelvar(s)\r\n"
              "Unit 1,Overlap Width (pixels),300,256\r\n"
              "Screen 6,Black Level,40,16\r\n");

    // A direct line has no addresses; a window without a file says so.
    header.Units = {{1, 0, "1.2a"}};
    header.File.clear();
    const std::string direct = ComparisonCsv(header, {});
    EXPECT_EQ(direct.substr(0, direct.find("\r\n")),
              "Tarvel comparison with Zelvar(s),Date: 2026-12-08T10:15:02,"
              "Port: COM 1 (/dev/ttyUSB0),Mode: Controller,Unit 1: version 1.2a,File: none");
}

} // namespace
