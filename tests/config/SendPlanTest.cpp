#include "config/SendPlan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace tarvel;

namespace {

// A wall of two units behind the controller (addresses 5 and 7): screens 1 and 5 locked, the
// others not; each setting a value of its own so a wrong field shows in the command.
SettingsModel TwoUnitWall() {
    SettingsModel model;
    model.System.UnitCount = 2;
    for (int screen = 1; screen <= ScreenCount; ++screen) {
        const UnitChannel uc = ScreenToUnitChannel(screen);
        InputSettings& in = model.Channels.Input(uc);
        in.VideoLocked = screen == 1 || screen == 5 ? 1 : 0;
        in.HPosition = 100 + screen;
        in.VPosition = 20 + screen;
        in.Phase = screen - 3;
        in.OverallContrast = 100.0f;
        in.OverallBrightness = 101.5f;
        in.RedContrast = -2.5f;
        in.RedBrightness = 0.0f;
        in.GreenContrast = 1.25f;    // shown "1.25", sent " 1.2"
        in.GreenBrightness = 24.96f; // shown "24.96", sent "25.0"
        in.BlueContrast = 30.0f;     // out of bounds: left out
        in.BlueBrightness = -0.5f;

        OutputSettings& out = model.Channels.Output(uc);
        out.TestPattern = static_cast<std::uint8_t>(screen);
        out.OutputRaster = static_cast<std::uint8_t>(screen % 2 == 0 ? 7 : 0); // non-zero is on
        out.TestGrid = 1;
        out.BlackLevel = static_cast<std::uint8_t>(10 * screen);
        out.LeftHaloWidth = 8 * screen;
        out.LeftHaloOffset = screen;
        out.RightHaloWidth = 9 * screen;
        out.RightHaloOffset = -screen;
        out.LeftGamma = 1.5f;
        out.LeftFeatherOn = 0;
        out.RightGamma = 2.2f;
        out.RightFeatherOn = 3;
        out.LeftGammaWidth = 200;
        out.LeftGammaOffset = 4;
        out.RightGammaWidth = 256;
        out.RightGammaOffset = 0;
        for (std::size_t i = 0; i < out.SeamGain.size(); ++i) {
            out.SeamGain[i] = static_cast<std::uint8_t>(screen * 10 + static_cast<int>(i));
        }
    }
    OutputSettings& unit1 = model.Channels.UnitOutput(1);
    unit1.DataDoubling = 1;
    unit1.BasicFeatherOn = 1;
    unit1.BasicGamma = 2.4449f; // shown "2.44": sent " 2.4"
    unit1.ControlMode = 1;
    model.Channels.UnitOutput(2).DataDoubling = 0; // unit 1's page values go to both
    return model;
}

std::vector<std::string> Texts(const SendPlan& plan, ConnectionMode mode) {
    std::vector<std::string> texts;
    for (const SendStep& step : plan.Steps) {
        const int address = step.Unit == 1 ? 5 : 7;
        texts.push_back(step.Kind == SendStepKind::RestoreOutputs ? "(restore)"
                                                                  : StepText(step, mode, address));
    }
    return texts;
}

void Repeat(std::vector<std::string>& lines, int times, const std::string& line) {
    lines.insert(lines.end(), static_cast<std::size_t>(times), line);
}

} // namespace

TEST(SendPlan, TwoUnitsSixProjectorsInTheOrderTheWindowSends) {
    const SettingsModel model = TwoUnitWall();
    const SendPlan plan = BuildSendPlan(model, {6, 1, 128, 2, ConnectionMode::Controller});

    std::vector<std::string> expected = {
        "*5PRJ 0 6!",
        "*7PRJ 1 6!",
        "*5DISP 1 128!",
        "*7DISP 1 128!",
        // screen 1; screens 2-4 have no video lock
        "*5IRSPZV 1 M H 101!",
        "*5IRSPZV 1 M V 21!",
        "*5ICPHOZV 1 M -2!",
        "*5ICNTZV 1 C 100.0!",
        "*5IBRTZV 1 C 101.5!",
        "*5ICNTZV 1 R -2.5!",
        "*5IBRTZV 1 R  0.0!",
        "*5ICNTZV 1 G  1.2!",
        "*5IBRTZV 1 G 25.0!",
        "*5IBRTZV 1 B -0.5!",
        // screen 5; screen 6 has no video lock
        "*7IRSPZV 1 M H 105!",
        "*7IRSPZV 1 M V 25!",
        "*7ICPHOZV 1 M 2!",
        "*7ICNTZV 1 C 100.0!",
        "*7IBRTZV 1 C 101.5!",
        "*7ICNTZV 1 R -2.5!",
        "*7IBRTZV 1 R  0.0!",
        "*7ICNTZV 1 G  1.2!",
        "*7IBRTZV 1 G 25.0!",
        "*7IBRTZV 1 B -0.5!",
        // unit 1's outputs
        "*5OTPMZV 1 1 0 1!",
        "*5OTPMZV 2 2 1 1!",
        "*5OTPMZV 3 3 0 1!",
        "*5OTPMZV 4 4 1 1!",
        "*5BLKGN 1 10!",
        "*5BLKGN 2 20!",
        "*5BLKGN 3 30!",
        "*5BLKGN 4 40!",
        "*5HALO 2 L 16 2!",
        "*5HALO 3 L 24 3!",
        "*5HALO 4 L 32 4!",
        "*5HALO 1 R 9 -1!",
        "*5HALO 2 R 18 -2!",
        "*5HALO 3 R 27 -3!",
        "*5HALO 4 R 36 -4!",
        "*5PEFT 1 R 1  2.2 256 0!",
        "*5PEFT 2 R 1  2.2 256 0!",
        "*5PEFT 3 R 1  2.2 256 0!",
        "*5PEFT 4 R 1  2.2 256 0!",
        "*5PEFT 2 L 0  1.5 200 4!",
        "*5PEFT 3 L 0  1.5 200 4!",
        "*5PEFT 4 L 0  1.5 200 4!",
        // the unit-wide settings, then the control mode with its read-back
        "*5DDBL 1!",
        "*7DDBL 1!",
        "*5EFTB 1  2.4!",
        "*7EFTB 1  2.4!",
        "*5ZVCTRL 1!",
        "ZVQUERY *5OINFOZV 1!\r",
        "ZVQUERY *5OINFOZV 2!\r",
        "ZVQUERY *5OINFOZV 3!\r",
        "ZVQUERY *5OINFOZV 4!\r",
        "*7ZVCTRL 1!",
        "ZVQUERY *7OINFOZV 1!\r",
        "ZVQUERY *7OINFOZV 2!\r",
        "ZVQUERY *7OINFOZV 3!\r",
        "ZVQUERY *7OINFOZV 4!\r",
        "(restore)",
        // unit 2's outputs: screen 8 has no right edge
        "*7OTPMZV 1 5 0 1!",
        "*7OTPMZV 2 6 1 1!",
        "*7OTPMZV 3 7 0 1!",
        "*7OTPMZV 4 8 1 1!",
        "*7BLKGN 1 50!",
        "*7BLKGN 2 60!",
        "*7BLKGN 3 70!",
        "*7BLKGN 4 80!",
        "*7HALO 1 L 40 5!",
        "*7HALO 2 L 48 6!",
        "*7HALO 3 L 56 7!",
        "*7HALO 4 L 64 8!",
        "*7HALO 1 R 45 -5!",
        "*7HALO 2 R 54 -6!",
        "*7HALO 3 R 63 -7!",
        "*7PEFT 1 R 1  2.2 256 0!",
        "*7PEFT 2 R 1  2.2 256 0!",
        "*7PEFT 3 R 1  2.2 256 0!",
        "*7PEFT 1 L 0  1.5 200 4!",
        "*7PEFT 2 L 0  1.5 200 4!",
        "*7PEFT 3 L 0  1.5 200 4!",
        "*7PEFT 4 L 0  1.5 200 4!",
    };
    // The seam gains of the locked screens, once per gain field.
    Repeat(expected, 8, "*5MANSEAM 1 -4 10 11 12 13 14 15 16 17!");
    Repeat(expected, 8, "*7MANSEAM 1 -4 50 51 52 53 54 55 56 57!");
    EXPECT_EQ(Texts(plan, ConnectionMode::Controller), expected);
    EXPECT_FALSE(plan.Invalid);

    // The out-of-bounds blue contrast is left out and reported, screen by screen.
    ASSERT_EQ(plan.Skipped.size(), 2u);
    EXPECT_EQ(plan.Skipped[0].Screen, 1);
    EXPECT_EQ(plan.Skipped[1].Screen, 5);
    EXPECT_EQ(plan.Skipped[0].Text, "30");
    EXPECT_EQ(InputColourRules[plan.Skipped[0].Rule].Field, &InputSettings::BlueContrast);

    // The pages turn to every channel up to the projector count, locked or not, each before its
    // first command; the refused colour after that channel's earlier colours.
    std::vector<std::pair<int, std::size_t>> inputs;
    std::vector<std::pair<int, std::size_t>> seams;
    for (const PageEvent& event : plan.PageEvents) {
        if (event.What == PageEvent::Kind::InputChannel) {
            inputs.emplace_back(event.Screen, event.StepIndex);
        } else if (event.What == PageEvent::Kind::SeamChannel) {
            seams.emplace_back(event.Screen, event.StepIndex);
        }
    }
    const std::vector<std::pair<int, std::size_t>> expectedInputs = {{1, 4},  {2, 14}, {3, 14},
                                                                     {4, 14}, {5, 14}, {6, 24}};
    EXPECT_EQ(inputs, expectedInputs);
    const std::size_t seamStart = expected.size() - 16;
    const std::vector<std::pair<int, std::size_t>> expectedSeams = {
        {1, seamStart},     {2, seamStart + 8}, {3, seamStart + 8},
        {4, seamStart + 8}, {5, seamStart + 8}, {6, seamStart + 16}};
    EXPECT_EQ(seams, expectedSeams);
}

TEST(SendPlan, DirectModeOneUnitAndWhatEndsAPlanEarly) {
    SettingsModel model = TwoUnitWall();
    // A direct link reaches one unit, whatever an earlier controller read counted.
    SendPlan plan = BuildSendPlan(model, {3, 0, 64, 2, ConnectionMode::Direct});
    std::vector<std::string> texts = Texts(plan, ConnectionMode::Direct);
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], "PRJ 0 3\r");
    EXPECT_EQ(texts[1], "DISP 0 64\r");
    EXPECT_EQ(texts[2], "IRSPZV 1 M H 101\r");
    for (const SendStep& step : plan.Steps) {
        EXPECT_EQ(step.Unit, 1);
    }
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "MANSEAM 1 -4 10 11 12 13 14 15 16 17\r"), 8);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "OINFOZV 4\r"), 1);

    // A value the pages refuse ends the plan before its command; what comes before stays.
    model.Channels.Output(1, 3).TestPattern = TestPatternCount;
    plan = BuildSendPlan(model, {3, 0, 64, 1, ConnectionMode::Direct});
    ASSERT_TRUE(plan.Invalid);
    EXPECT_EQ(*plan.Invalid, "test pattern of screen 3");
    texts = Texts(plan, ConnectionMode::Direct);
    EXPECT_EQ(texts.back(), "OTPMZV 2 2 1 1\r");

    model = TwoUnitWall();
    model.Channels.Output(2, 2).LeftGamma = 5.01f;
    plan = BuildSendPlan(model, {3, 0, 64, 1, ConnectionMode::Direct});
    EXPECT_FALSE(plan.Invalid) << "unit 2 is not in use";
    model.Channels.UnitOutput(1).BasicGamma = 5.004f; // shown "5", accepted
    plan = BuildSendPlan(model, {3, 0, 64, 1, ConnectionMode::Direct});
    EXPECT_FALSE(plan.Invalid);
    model.Channels.UnitOutput(1).BasicGamma = 0.95f;
    plan = BuildSendPlan(model, {3, 0, 64, 1, ConnectionMode::Direct});
    ASSERT_TRUE(plan.Invalid);
    EXPECT_EQ(*plan.Invalid, "basic gamma");
    EXPECT_EQ(Texts(plan, ConnectionMode::Direct).back(), "DDBL 1\r");

    // A control the window could not read cuts the plan before the step that sends it; the
    // channels the send turned to before it are kept.
    plan = BuildSendPlan(TwoUnitWall(), {3, 0, 64, 1, ConnectionMode::Direct});
    plan.CutBefore([](const SendStep& step) {
        return step.Cmd && step.Cmd->Kind() == CommandKind::TestPattern;
    });
    EXPECT_EQ(Texts(plan, ConnectionMode::Direct).back(), "IBRTZV 1 B -0.5\r");
    ASSERT_FALSE(plan.PageEvents.empty());
    EXPECT_EQ(plan.PageEvents.back().What, PageEvent::Kind::InputChannel);
    EXPECT_EQ(plan.PageEvents.back().Screen, 3);
}

TEST(SendPlan, TheRestorePutsBackTheUnit2OutputsAndAllSeamGainsOnly) {
    const SettingsModel before = TwoUnitWall();
    const SendPlan plan = BuildSendPlan(before, {6, 1, 128, 2, ConnectionMode::Controller});

    // What the read-back brought: other values everywhere.
    ChannelSettings read = before.Channels;
    for (int unit = 1; unit <= 2; ++unit) {
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            OutputSettings& out = read.Output(unit, channel);
            out.BlackLevel = 1;
            out.LeftGamma = 4.0f;
            out.SeamGain.fill(2);
            out.OutputFormat = 3;
        }
    }
    read.UnitOutput(2).ControlMode = 0;
    RestoreOutputs(plan, read);

    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        // Unit 1's outputs were sent before the read-back: the unit's values stand.
        EXPECT_EQ(read.Output(1, channel).BlackLevel, 1);
        EXPECT_EQ(read.Output(1, channel).SeamGain, before.Channels.Output(1, channel).SeamGain);
        EXPECT_EQ(read.Output(2, channel).BlackLevel,
                  before.Channels.Output(2, channel).BlackLevel);
        EXPECT_EQ(read.Output(2, channel).LeftGamma, 1.5f);
        EXPECT_EQ(read.Output(2, channel).SeamGain, before.Channels.Output(2, channel).SeamGain);
        // What no later command carries is what the units reported.
        EXPECT_EQ(read.Output(2, channel).OutputFormat, 3);
    }
    EXPECT_EQ(read.UnitOutput(2).ControlMode, 0);
}

TEST(SendPlan, OnlyTheStepsOfTheSettingsThatDifferAndWhatTheyRequire) {
    const SettingsModel file = TwoUnitWall();
    const SendPlan plan = BuildSendPlan(file, {6, 1, 128, 2, ConnectionMode::Controller});

    SettingsModel units = file;
    units.Channels.Input(1, 1).RedContrast = 3.0f;
    units.Channels.UnitOutput(1).ControlMode = 0;
    units.Channels.Output(2, 2).BlackLevel = 1;
    units.Channels.Output(1, 1).SeamGain[7] = 0;
    units.Channels.Output(2, 3).SeamGain[0] = 0; // screen 7 has no video lock: never sent
    const std::vector<SettingDifference> differences = DiffConfigurations(file, units);
    ASSERT_EQ(differences.size(), 5u);

    const SendPlan changed = ChangedStepsOnly(plan, differences);
    EXPECT_EQ(Texts(changed, ConnectionMode::Controller),
              std::vector<std::string>({"*5ICNTZV 1 R -2.5!", "*5ZVCTRL 1!",
                                        "ZVQUERY *5OINFOZV 1!\r", "ZVQUERY *5OINFOZV 2!\r",
                                        "ZVQUERY *5OINFOZV 3!\r", "ZVQUERY *5OINFOZV 4!\r",
                                        "(restore)", "*7BLKGN 2 60!",
                                        "*5MANSEAM 1 -4 10 11 12 13 14 15 16 17!"}));
    EXPECT_TRUE(changed.PageEvents.empty());
    EXPECT_TRUE(ChangedStepsOnly(plan, {}).Steps.empty());
}
