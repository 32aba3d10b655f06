#include "config/PlanningCalculator.h"
#include "config/PlanningGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvel;

namespace {

const std::string Indent(38, ' ');

// Records every call in order; answers from its fields.
class RecordingHost : public PlanningHost {
public:
    std::vector<std::string> Log;
    std::vector<std::string> Messages;
    std::vector<PlanningFocus> Focus;
    bool Refresh = true;
    bool Valid = false;
    int Measured = 0;
    int MaxCountForMode = 8;
    const PlanningCalculator* Calc = nullptr;

    void ShowMessage(std::string_view text, PlanningFocus focus) override {
        Messages.emplace_back(text);
        Focus.push_back(focus);
        Log.push_back("message");
    }
    void ShowStatus(std::string_view text) override {
        Log.push_back("status " + std::string(text));
    }
    bool RefreshFromUnits() override {
        Log.push_back("refresh");
        return Refresh;
    }
    void EnableCalculatedControls() override { Log.push_back("enable"); }
    bool ReadValid() const override { return Valid; }
    int MeasuredInputWidth() const override { return Measured; }
    // "check planned/selected": the planned total and the count list's selection.
    bool CheckUnitCountForMode() override {
        const int selected = Calc->SelectedCount();
        Log.push_back("check " + std::to_string(static_cast<int>(Calc->Values.ProjectorCount)) +
                      "/" + std::to_string(selected));
        return selected <= MaxCountForMode;
    }
    void SendProjectorCount(int count) override { Log.push_back("PRJ " + std::to_string(count)); }
    void SendDisplayAlignment(int alignment, int overlap) override {
        Log.push_back("DISP " + std::to_string(alignment) + " " + std::to_string(overlap));
    }
    void ShowProjectorCount(int count) override { Log.push_back("show " + std::to_string(count)); }

    bool Logged(const std::string& entry) const {
        return std::find(Log.begin(), Log.end(), entry) != Log.end();
    }
};

// A freshly shown window without Tarvel.ini: design values, then the start-up defaults.
struct Planning : ::testing::Test {
    RecordingHost host;
    PlanningCalculator calc{host};

    Planning() { host.Calc = &calc; }

    void StartFresh() {
        calc.ApplyStartupDefaults(false);
        host.Log.clear();
    }
};

} // namespace

TEST_F(Planning, StartupDefaultsSelectTheDesignChoices) {
    calc.ApplyStartupDefaults(false);
    EXPECT_EQ(calc.Controls.ResolutionIndex, 2);
    EXPECT_EQ(calc.Controls.CountIndex, 0);
    EXPECT_EQ(calc.Controls.AlignmentIndex, Centered);
    EXPECT_EQ(calc.Values.OutScreenH, 30);
    EXPECT_EQ(calc.Values.OutScreenV, 10);
    EXPECT_EQ(calc.Controls.Overlap, "0");
    EXPECT_EQ(calc.Controls.MaxOverlap, 640);
    EXPECT_TRUE(host.Messages.empty());
    // Before "Centered" is selected nothing is placed and no alignment is sent.
    EXPECT_EQ(calc.Controls.PositionStart[0], "N/A");
    for (const auto& entry : host.Log)
        EXPECT_NE(entry.rfind("DISP", 0), 0u) << entry;
}

TEST_F(Planning, WorkedExampleThirtyByTenOn1280x1024) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate());

    const auto& v = calc.Values;
    EXPECT_EQ(v.AspectRatio, 3);
    EXPECT_EQ(v.InputImageH, 3072);
    EXPECT_EQ(v.InputImageV, 1024);
    EXPECT_EQ(v.ProjectorCount, 3);
    EXPECT_EQ(v.OverlapWidth, 384);
    EXPECT_EQ(v.OutScreenH, 30);
    const auto& c = calc.Controls;
    EXPECT_EQ(c.CountIndex, 2);
    EXPECT_EQ(c.Overlap, "384");
    EXPECT_EQ(c.MaxOverlap, 640);
    EXPECT_EQ(c.AspectRatio, "3");
    EXPECT_EQ(c.HorizontalOut, "30");
    EXPECT_EQ(c.ImageSizeH, "3072");
    EXPECT_EQ(c.ImageSizeV, "1024");
    EXPECT_EQ(c.UnitsRequired, "1");
    EXPECT_EQ(c.ProjectedWidth, "10");
    EXPECT_EQ(c.LensThrow, "N/A");
    EXPECT_EQ((std::vector<std::string>{c.PositionStart[0], c.PositionEnd[0], c.PositionStart[2],
                                        c.PositionEnd[2], c.PositionStart[3]}),
              (std::vector<std::string>{"384", "1664", "2176", "3456", "N/A"}));
    EXPECT_EQ(c.Report,
              (std::vector<std::string>{
                  " - Single Graphic Source:    3 : 1 Aspect Ratio Image Required",
                  Indent + "(Center or Left Justified)",
                  " - 3 Head Graphic Source (1280 x 1024 resolution): 3072 x 1024 Image Size "
                  "Required",
                  Indent + "(Center or Left Justified)",
              }));
    EXPECT_TRUE(host.Messages.empty());
    EXPECT_EQ(host.Log, (std::vector<std::string>{"refresh", "enable", "check 3/3", "PRJ 3",
                                                  "show 3", "DISP 1 384",
                                                  "status NOTE: Current settings require 1 "
                                                  "Zelvar."}));
}

TEST_F(Planning, WorkedExampleFortyByTenOn1024x768RaisesTheOverlap) {
    // As Tarvel.ini "40.000000 10.000000 64 3 0 1" leaves the page.
    calc.Controls.HorizontalOut = "40";
    calc.Controls.Overlap = "64";
    calc.Controls.CountIndex = 3;
    calc.Controls.AlignmentIndex = LeftJustified;
    calc.Controls.ResolutionIndex = 1;
    calc.ApplyStartupDefaults(true);
    EXPECT_EQ(calc.Controls.AlignmentIndex, LeftJustified);
    ASSERT_TRUE(calc.Calculate());

    const auto& v = calc.Values;
    EXPECT_EQ(v.ProjectorCount, 3);
    EXPECT_EQ(v.OverlapWidth, 64);
    EXPECT_EQ(v.InputImageH, 2944);
    EXPECT_EQ(v.InputImageV, 768);
    EXPECT_DOUBLE_EQ(v.AspectRatio, 2944.0 / 768.0);
    EXPECT_EQ(v.OutScreenV, 10);
    const auto& c = calc.Controls;
    EXPECT_EQ(c.CountIndex, 2);
    EXPECT_EQ(c.Overlap, "64");
    EXPECT_EQ(c.MaxOverlap, 512);
    EXPECT_EQ(c.ImageSizeH, "2944");
    EXPECT_EQ(c.ImageSizeV, "768");
    EXPECT_EQ(c.AspectRatio, "3.83");
    EXPECT_EQ(c.HorizontalOut, "38.333");
    EXPECT_EQ(c.VerticalOut, "10");
    EXPECT_EQ(c.ProjectedWidth, "12.78");
    EXPECT_EQ((std::vector<std::string>{c.PositionStart[1], c.PositionEnd[2]}),
              (std::vector<std::string>{"960", "2944"}));
    EXPECT_EQ(c.Report[2], " - 3 Head Graphic Source (1024 x 768 resolution): 2944 x 768 Image "
                           "Size Required");
    EXPECT_TRUE(host.Logged("DISP 0 64"));
}

TEST_F(Planning, WorkedExampleFortyByTenAfterChoosingTheResolution) {
    StartFresh();
    calc.Controls.HorizontalOut = "40";
    calc.Controls.ResolutionIndex = 1;
    calc.ChangeResolution();
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(calc.Controls.CountIndex, 2);
    EXPECT_EQ(calc.Controls.Overlap, "64");
    EXPECT_EQ(calc.Controls.ImageSizeH, "2944");
    EXPECT_EQ(calc.Controls.AspectRatio, "3.83");
    EXPECT_EQ(calc.Controls.HorizontalOut, "38.333");
}

TEST_F(Planning, OneProjectorHasNoOverlapAndATwoLineReport) {
    StartFresh();
    calc.Controls.HorizontalOut = "4";
    calc.Controls.VerticalOut = "3";
    calc.Controls.ResolutionIndex = 1;
    calc.ChangeResolution();
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(calc.Controls.CountIndex, 0);
    EXPECT_EQ(calc.Controls.Overlap, "0");
    EXPECT_EQ(calc.Values.OverlapWidth, 0);
    EXPECT_EQ(calc.Controls.UnitsRequired, "1");
    EXPECT_TRUE(host.Logged("status NOTE: Current settings require 1 Zelvar."));
    EXPECT_EQ(calc.Controls.Report,
              (std::vector<std::string>{
                  " - Single Graphic Source:    1.33 : 1 Aspect Ratio Image Required",
                  Indent + "(Center or Left Justified)"}));

    const auto marks = RulerMarks(calc.Values, calc.SelectedCount(), 477);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].X, 238);
    EXPECT_EQ(marks[0].PositionText, "2");
}

TEST_F(Planning, SixProjectorsNeedTwoUnits) {
    StartFresh();
    calc.Controls.HorizontalOut = "70";
    ASSERT_TRUE(calc.Calculate()); // 7168 / 1280 = 5.6
    EXPECT_EQ(calc.Controls.CountIndex, 5);
    EXPECT_EQ(calc.Controls.UnitsRequired, "2");
    EXPECT_TRUE(host.Logged("status NOTE: Current settings require 2 Zelvars."));
    EXPECT_EQ(calc.Controls.Report.size(), 8u);
}

TEST_F(Planning, MoreThanEightProjectorsKeepsTheCount) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate()); // 3 projectors
    host.Log.clear();
    calc.Controls.HorizontalOut = "200";
    calc.Controls.ResolutionIndex = 0;
    SetProjectorResolution(calc.Values, 0); // 800x600 without running its handler
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(host.Messages,
              std::vector<std::string>{"Error! Minimum # of screen calculated is greater than 8. "
                                       "Please enter valid Horizontal/Vertical Output Size and "
                                       "Projector Resolution."});
    EXPECT_EQ(host.Focus, std::vector<PlanningFocus>{PlanningFocus::HorizontalOut});
    EXPECT_EQ(calc.Controls.CountIndex, 2);
    EXPECT_EQ(calc.Values.ProjectorCount, 3);
    EXPECT_FALSE(host.Logged("PRJ 3"));
    EXPECT_EQ(calc.Controls.Report.size(), 4u); // the report still follows, for 3
}

TEST_F(Planning, InvalidSizesEndCalculateBeforeAnything) {
    StartFresh();
    const auto before = calc.Values;
    calc.Controls.HorizontalOut = "3O";
    EXPECT_FALSE(calc.Calculate());
    calc.Controls.HorizontalOut = "30";
    calc.Controls.VerticalOut = "0";
    EXPECT_FALSE(calc.Calculate());
    EXPECT_EQ(host.Messages,
              (std::vector<std::string>{
                  "Error! '3O' is not a valid Horizontal Output Screen Size value.",
                  "Error! Vertical Output Screen Size value must be greater than 0."}));
    EXPECT_EQ(host.Focus, (std::vector<PlanningFocus>{PlanningFocus::HorizontalOut,
                                                      PlanningFocus::VerticalOut}));
    EXPECT_EQ(calc.Values, before);
    EXPECT_EQ(host.Log.size(), 2u); // two messages, no refresh

    calc.Controls.VerticalOut = "10";
    host.Refresh = false; // a unit read fails
    EXPECT_FALSE(calc.Calculate());
    EXPECT_EQ(calc.Controls.CountIndex, 0);
}

TEST_F(Planning, EightCentredIsRefusedFromTheCountStepAndFromTheList) {
    StartFresh();
    calc.Controls.HorizontalOut = "100"; // 10240 / 1280: exactly 8
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(host.Messages,
              std::vector<std::string>{
                  "Error! Maximum number of projectors for center justified image is 7"});
    EXPECT_EQ(calc.Controls.CountIndex, 6); // "7 Projectors", never 8 with "Centered"
    EXPECT_FALSE(host.Logged("PRJ 8"));
    EXPECT_EQ(calc.Controls.UnitsRequired, "2");

    // Chosen from the list: back to the last computed count.
    calc.Controls.HorizontalOut = "30";
    ASSERT_TRUE(calc.Calculate());
    host.Messages.clear();
    calc.Controls.CountIndex = 7;
    calc.ChangeProjectorCount();
    EXPECT_EQ(host.Messages.size(), 1u);
    EXPECT_EQ(calc.Controls.CountIndex, 2);

    // "Centered" chosen with 8 projectors: "Left Justified".
    calc.Controls.AlignmentIndex = LeftJustified;
    calc.Controls.CountIndex = 7;
    calc.ChangeProjectorCount();
    calc.Controls.AlignmentIndex = Centered;
    calc.ChangeAlignment();
    EXPECT_EQ(host.Messages.size(), 2u);
    EXPECT_EQ(calc.Controls.AlignmentIndex, LeftJustified);
}

TEST_F(Planning, ACountTheConnectionCannotServeIsPutBack) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate()); // 3 projectors
    host.Log.clear();
    host.MaxCountForMode = 4; // Direct mode: one unit
    calc.Controls.CountIndex = 5;
    calc.ChangeProjectorCount();
    EXPECT_EQ(host.Log, std::vector<std::string>{"check 6/6"});
    EXPECT_EQ(calc.Controls.CountIndex, 2);
    EXPECT_EQ(calc.Controls.Overlap, "384"); // the overlap rule ran again for 3
}

TEST_F(Planning, TheUnitCheckTestsThePlannedTotalBesideTheSelection) {
    StartFresh();
    calc.Controls.HorizontalOut = "70";
    ASSERT_TRUE(calc.Calculate()); // 6 projectors, overlap 103
    host.Log.clear();
    // Seven projectors fit 7168 pixels with an overlap of 299: the overlap rule neither raises
    // nor caps it, so the planned total is still the last computed 6.
    calc.Controls.CountIndex = 6;
    calc.ChangeProjectorCount();
    ASSERT_FALSE(host.Log.empty());
    EXPECT_EQ(host.Log[0], "check 6/7");
    EXPECT_TRUE(host.Logged("PRJ 7"));
}

TEST_F(Planning, OverlapLimitFollowsTheMeasuredInputOnceRead) {
    StartFresh();
    host.Valid = true;
    host.Measured = 600; // MaxOverlap 300 for 3 projectors
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(calc.Controls.MaxOverlap, 300);
    EXPECT_EQ(calc.Controls.Overlap, "300");
    EXPECT_EQ(calc.Values.InputImageH, 3240);
    EXPECT_EQ(calc.Controls.AspectRatio, "3.16");
    EXPECT_EQ(calc.Controls.HorizontalOut, "31.641");

    host.Measured = 0; // nothing measured: half the projector width
    ASSERT_TRUE(calc.Calculate());
    EXPECT_EQ(calc.Controls.MaxOverlap, 640);
}

TEST_F(Planning, OverlapFieldCommitAndSpin) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate());
    host.Log.clear();

    calc.Controls.Overlap = " 100";
    ASSERT_TRUE(calc.CommitOverlap());
    EXPECT_EQ(host.Log, std::vector<std::string>{"DISP 1 100"});
    EXPECT_EQ(calc.Controls.Overlap, "100");
    EXPECT_EQ(calc.Values.InputImageH, 3640); // 3 x 1280 - 2 x 100
    EXPECT_EQ(calc.Controls.ImageSizeH, "3640");
    EXPECT_EQ(calc.Controls.AspectRatio, "3.55");
    EXPECT_EQ(calc.Controls.HorizontalOut, "35.547");

    for (const char* text : {"63", "641", "x"}) {
        calc.Controls.Overlap = text;
        EXPECT_FALSE(calc.CommitOverlap());
    }
    EXPECT_EQ(host.Messages, (std::vector<std::string>{
                                 "Error! Overlap Width value out of bounds! Minimum width: 64",
                                 "Error! Overlap Width value out of bounds!",
                                 "Error! 'x' is not a valid Overlap Width."}));
    EXPECT_EQ(host.Focus[2], PlanningFocus::Overlap);

    calc.Controls.Overlap = "640";
    EXPECT_FALSE(calc.SpinOverlap(true));
    EXPECT_EQ(calc.Controls.Overlap, "640");
    EXPECT_TRUE(calc.SpinOverlap(false));
    EXPECT_EQ(calc.Controls.Overlap, "639");
    calc.Controls.Overlap = "64";
    EXPECT_FALSE(calc.SpinOverlap(false));
    EXPECT_TRUE(calc.SpinOverlap(true));
    EXPECT_EQ(calc.Controls.Overlap, "65");
}

TEST_F(Planning, LensMagnification) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate());
    calc.Controls.LensMagnification = "2";
    calc.RunLensStep();
    EXPECT_EQ(calc.Controls.LensThrow, "20"); // 2 x 30 / 3
    calc.Controls.LensMagnification = "0";
    calc.RunLensStep();
    EXPECT_EQ(calc.Controls.LensThrow, "N/A");
    calc.Controls.LensMagnification = "-1";
    calc.RunLensStep();
    EXPECT_EQ(host.Messages,
              std::vector<std::string>{"Error! Lens Magnification value must be greater than 0."});
    EXPECT_EQ(host.Focus, std::vector<PlanningFocus>{PlanningFocus::LensMagnification});
    EXPECT_EQ(calc.Controls.LensThrow, "N/A");
}

TEST_F(Planning, FillFromUnitsLetsTheUnitsWin) {
    StartFresh();
    ASSERT_TRUE(calc.Calculate());
    host.Log.clear();
    calc.FillFromUnits({6, 0, 100, 1024, 768, 1024, 768});
    EXPECT_EQ(calc.Controls.CountIndex, 5);
    EXPECT_EQ(calc.Controls.AlignmentIndex, LeftJustified);
    EXPECT_EQ(calc.Controls.Overlap, "100");
    EXPECT_EQ(calc.Controls.ResolutionIndex, 1);
    EXPECT_EQ(calc.Values.ProjectorCount, 6);
    EXPECT_EQ(calc.Values.InputImageH, 5644); // 6 x 1024 - 5 x 100
    EXPECT_EQ(calc.Controls.AspectRatio, "7.35");
    EXPECT_EQ(calc.Controls.HorizontalOut, "73.49");
    EXPECT_EQ(calc.Values.OverlapWidth, 100);
    EXPECT_EQ(host.Log, std::vector<std::string>{"check 6/6"});

    // A zero-filled model (a file of zeros): one projector, no division by zero.
    calc.FillFromUnits({0, 0, 0, 1280, 1024, 1280, 1024});
    EXPECT_EQ(calc.Controls.CountIndex, 0);
    EXPECT_EQ(calc.Values.OverlapWidth, 0);
    EXPECT_EQ(calc.Controls.AspectRatio, "1.25");
}
