#include "cli/ConfigurationText.h"
#include "cli/ConfigurationJson.h"
#include "cli/SendCoverage.h"
#include "config/SettingCatalogue.h"

#include <QJsonArray>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

// Two units behind a controller, four projectors; screens 1 and 2 locked.
SettingsModel Wall() {
    SettingsModel model;
    for (int unit = 1; unit <= 2; ++unit) {
        OutputSettings& wide = model.Channels.UnitOutput(unit);
        wide.TotalProjectors = 4;
        wide.DisplayOverlap = 128;
        wide.BasicGamma = 2.2f;
        for (int channel = 1; channel <= 4; ++channel) {
            OutputSettings& out = model.Channels.Output(unit, channel);
            out.LeftGamma = out.RightGamma = 2.2f;
            InputSettings& in = model.Channels.Input(unit, channel);
            in.OverallContrast = in.OverallBrightness = 100.0f;
            in.VideoLocked = unit == 1 && channel <= 2 ? 1 : 0;
        }
    }
    return model;
}

SettingDifference Difference(int unit, int screen, const char* key) {
    return {unit, screen, FindSetting(key), "1", "2"};
}

TEST(ConfigurationTextTest, ShowAndDiffLineUpTheirColumns) {
    SettingsModel model = Wall();
    model.Channels.Input(1, 2).RedContrast = -2.5f;
    const QStringList lines = ShowText(MakeConfigurationView(model, 2)).split('\n');
    ASSERT_GT(lines.size(), 10);
    EXPECT_EQ(lines[0], "Unit 1");
    EXPECT_EQ(lines[3], "  Overlap Width                 128 pixels");
    const qsizetype red = lines.indexOf("    Red Contrast                -2.5");
    EXPECT_GT(red, lines.indexOf("Screen 2 (unit 1, channel 2)"));
    EXPECT_TRUE(lines.contains("    Video Locked                True  (status)"));
    EXPECT_TRUE(lines.contains("Screen 8 (unit 2, channel 4)"));

    const std::vector<SettingDifference> differences{
        {1, 0, FindSetting("displayOverlap"), "128", "256"},
        {2, 7, FindSetting("redContrast"), "-2.5", "0.0"},
    };
    EXPECT_EQ(DiffText(differences), "unit 1    Overlap Width  128   256\n"
                                     "screen 7  Red Contrast   -2.5  0.0\n");
    EXPECT_EQ(DiffText({}), "");
    const QJsonObject json = DiffJson(differences);
    EXPECT_FALSE(json["equal"].toBool());
    EXPECT_EQ(json["differences"].toArray().at(1).toObject(),
              (QJsonObject{{"unit", 2},
                           {"screen", 7},
                           {"key", "redContrast"},
                           {"label", "Red Contrast"},
                           {"a", "-2.5"},
                           {"b", "0.0"}}));
    EXPECT_TRUE(DiffJson({})["equal"].toBool());

    const QJsonObject view = ViewJson(MakeConfigurationView(model, 1));
    const QJsonArray units = view["units"].toArray();
    ASSERT_EQ(units.size(), 1);
    const QJsonObject screen2 = units.at(0).toObject()["screens"].toArray().at(1).toObject();
    EXPECT_EQ(screen2["screen"].toInt(), 2);
    EXPECT_EQ(screen2["channel"].toInt(), 2);
    const QJsonArray input = screen2["input"].toArray();
    bool found = false;
    for (const QJsonValue& entry : input) {
        if (entry.toObject()["key"] == "redContrast") {
            found = true;
            EXPECT_EQ(entry.toObject()["value"].toString(), "-2.5");
            EXPECT_FALSE(entry.toObject()["status"].toBool());
        }
    }
    EXPECT_TRUE(found);
}

TEST(ConfigurationTextTest, PlanLinesAreWhatTheUnitsLog) {
    const SettingsModel model = Wall();
    const SendPlan plan =
        BuildSendPlan(model, {.Projectors = 4, .Alignment = 1, .Overlap = 128, .UnitCount = 2});
    const QStringList controller = PlanLines(plan, ConnectionMode::Controller, {5, 7});
    EXPECT_EQ(controller.mid(0, 5), (QStringList{"*5PRJ 0 4!", "*7PRJ 1 4!", "*5DISP 1 128!",
                                                 "*7DISP 1 128!", "*5IRSPZV 1 M H 0!"}));
    EXPECT_TRUE(controller.contains("*7OINFOZV 4!")) << "the read-back after the control mode";
    EXPECT_EQ(controller.size(), static_cast<qsizetype>(plan.Steps.size()) - 1)
        << "the restore goes nowhere";
    for (const QString& line : controller) {
        EXPECT_FALSE(line.contains('\r')) << line.toStdString();
    }
    const SendPlan direct = BuildSendPlan(
        model, {.Projectors = 4, .Overlap = 128, .UnitCount = 1, .Mode = ConnectionMode::Direct});
    EXPECT_EQ(PlanLines(direct, ConnectionMode::Direct, {1, 2}).mid(0, 2),
              (QStringList{"PRJ 0 4", "DISP 0 128"}));
}

TEST(ConfigurationTextTest, WhatASendLeavesStandingSaysWhy) {
    SettingsModel file = Wall();
    file.Channels.Input(1, 1).BlueContrast = 30.0f; // the page refuses it
    const SendPlanInput input{.Projectors = 3, .Alignment = 1, .Overlap = 128, .UnitCount = 2};
    const SendPlan plan = BuildSendPlan(file, input);
    const auto reason = [&](int unit, int screen, const char* key) {
        return NotCarriedReason(Difference(unit, screen, key), file, plan, input);
    };
    EXPECT_EQ(reason(1, 0, "featherCurve"), "no send carries it");
    EXPECT_EQ(reason(1, 0, "seamBridge"), "no send carries it");
    EXPECT_EQ(reason(1, 2, "bridgeThreshold"), "no send carries it");
    EXPECT_EQ(reason(2, 0, "displayOverlap"), "a send gives unit 2 unit 1's unit-wide values");
    EXPECT_EQ(reason(1, 0, "displayOverlap"), "");
    EXPECT_EQ(reason(1, 3, "hPosition"),
              "screen 3 has no video lock in the file; its input and seam gains are not sent");
    EXPECT_EQ(reason(2, 5, "seamGain2"), "screen 5 lies beyond the file's 3 projectors; its input "
                                         "and seam gains are not sent");
    EXPECT_EQ(reason(2, 5, "blackLevel"), "") << "outputs go to every channel of a unit in use";
    EXPECT_EQ(reason(1, 1, "blueContrast"),
              "the Source Setup page refuses the file's value; it is not sent");
    EXPECT_EQ(reason(1, 1, "redContrast"), "");
    EXPECT_EQ(reason(1, 1, "videoLocked"), "only the units report it; no send carries it");

    EXPECT_EQ(NotReportedLabels('B'),
              (QStringList{"Halo Width(L)", "Halo Offset(L)", "Halo Width(R)", "Halo Offset(R)"}));
    EXPECT_TRUE(NotReportedLabels('@').contains("Bridge Threshold"));
}

} // namespace
} // namespace tarvel
