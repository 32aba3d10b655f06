#include "config/PlanningSteps.h"
#include "config/PlanningGeometry.h"
#include "config/PlanningReport.h"

#include <gtest/gtest.h>

using namespace tarvel;

namespace {

const std::string Indent(38, ' ');

PlanningValues Projectors1280() {
    PlanningValues values;
    values.ProjectorResH = 1280;
    values.ProjectorResV = 1024;
    return values;
}

} // namespace

TEST(PlanningSteps, ResolutionListAndNote) {
    PlanningValues values;
    EXPECT_TRUE(SetProjectorResolution(values, 5));
    EXPECT_EQ(values.ProjectorResH, 1400);
    EXPECT_EQ(values.ProjectorResV, 1050);
    EXPECT_EQ(ProjectorResolutions[5].Item, "1400x1050");
    EXPECT_FALSE(SetProjectorResolution(values, 6));
    EXPECT_FALSE(SetProjectorResolution(values, -1));
    EXPECT_EQ(values.ProjectorResH, 1400); // untouched outside the list
    EXPECT_TRUE(IsResolutionNoteShown(5));
    for (int index : {-1, 0, 1, 2, 3, 4, 6})
        EXPECT_FALSE(IsResolutionNoteShown(index)) << index;
    EXPECT_EQ(ResolutionNote, "NOTE: Zelvar only supports  1400 x 1050 @ 50Hz");
}

TEST(PlanningSteps, OutputSizeMessages) {
    EXPECT_EQ(ReadOutputSize("30", OutputAxis::Horizontal).Value, 30.0);
    EXPECT_EQ(ReadOutputSize("abc", OutputAxis::Horizontal).Error,
              "Error! 'abc' is not a valid Horizontal Output Screen Size value.");
    EXPECT_EQ(ReadOutputSize("0", OutputAxis::Horizontal).Error,
              "Error! Horizontal Output Screen Size value must be greater than 0.");
    EXPECT_EQ(ReadOutputSize("", OutputAxis::Vertical).Error,
              "Error! '' is not a valid Vertical Output Screen Size value.");
    EXPECT_EQ(ReadOutputSize("-2", OutputAxis::Vertical).Error,
              "Error! Vertical Output Screen Size value must be greater than 0.");
    EXPECT_FALSE(ReadOutputSize("-2", OutputAxis::Vertical).Value);
}

TEST(PlanningSteps, CountStepRefusesMoreThanEightAndKeepsTheCount) {
    PlanningValues values;
    SetProjectorResolution(values, 0); // 800x600
    values.ProjectorCount = 3;
    values.AspectRatio = 20; // 200 by 10
    const auto result = CountStep(values);
    EXPECT_FALSE(result.Accepted);
    EXPECT_EQ(result.Error, "Error! Minimum # of screen calculated is greater than 8. Please enter "
                            "valid Horizontal/Vertical Output Size and Projector Resolution.");
    EXPECT_EQ(values.ProjectorCount, 3);

    SetProjectorResolution(values, 2); // 1280x1024
    values.AspectRatio = 10;           // exactly 8
    EXPECT_EQ(CountStep(values).Count, 8);
    EXPECT_EQ(values.ProjectorCount, 8);
}

TEST(PlanningSteps, CenteredAllowsSevenAndARefusalNeverPutsEightBack) {
    EXPECT_EQ(CenteredCountError(8, Centered),
              "Error! Maximum number of projectors for center justified image is 7");
    EXPECT_EQ(CenteredCountError(7, Centered), std::nullopt);
    EXPECT_EQ(CenteredCountError(8, LeftJustified), std::nullopt);
    EXPECT_EQ(RevertedCountIndex(3, Centered), 2);
    EXPECT_EQ(RevertedCountIndex(8, LeftJustified), 7);
    EXPECT_EQ(RevertedCountIndex(8, Centered), 6);
    EXPECT_EQ(RevertedCountIndex(15, LeftJustified), 7);
    EXPECT_EQ(RevertedCountIndex(0, LeftJustified), 0);
}

TEST(PlanningSteps, MaxOverlapFromResolutionOrMeasuredWidth) {
    EXPECT_EQ(MaxOverlapFor(1280, 3, false, 1000), 640);
    EXPECT_EQ(MaxOverlapFor(1400, 3, true, 0), 700);
    EXPECT_EQ(MaxOverlapFor(1280, 3, true, 1000), 500); // / (N - 1)
    EXPECT_EQ(MaxOverlapFor(1280, 4, true, 1000), 333); // integer division
    EXPECT_EQ(MaxOverlapFor(1280, 8, true, 1024), 146);
    EXPECT_EQ(MaxOverlapFor(1280, 2, true, 1001), 500); // / 2 for N <= 2
    EXPECT_EQ(MaxOverlapFor(1280, 1, true, 1001), 500);
}

TEST(PlanningSteps, LensStep) {
    PlanningValues values;
    values.OutScreenV = 10;
    values.AspectRatio = 3;
    auto result = LensStep(values, "1.5", 7);
    EXPECT_EQ(result.ProjectedWidth, "4.286"); // 30 / 7, 4 significant digits
    EXPECT_EQ(result.LensThrow, "6.43");

    result = LensStep(values, "1,5", 3);
    EXPECT_FALSE(result.Accepted);
    EXPECT_EQ(result.Error, "Error! '1,5' is not a valid Lens Magnification value.");
    result = LensStep(values, "-0.1", 3);
    EXPECT_EQ(result.Error, "Error! Lens Magnification value must be greater than 0.");
    EXPECT_EQ(values.LensMagnification, 1.5); // kept
}

TEST(PlanningSteps, PositionStepLeftAndCentred) {
    auto values = Projectors1280();
    auto result = PositionStep(values, 100, 3, LeftJustified);
    ASSERT_TRUE(result.Placed);
    EXPECT_EQ(values.EditedOverlap, 100);
    EXPECT_EQ(result.Start[0], "0");
    EXPECT_EQ(result.End[0], "1280");
    EXPECT_EQ(result.Start[1], "1180");
    EXPECT_EQ(result.End[1], "2460");
    EXPECT_EQ(result.Start[2], "2360");
    EXPECT_EQ(result.End[2], "3640");
    EXPECT_EQ(result.Start[3], "N/A");
    EXPECT_EQ(result.End[7], "N/A");
    EXPECT_EQ(values.InputImageH, 3640);
    EXPECT_EQ(result.ImageSizeH, "3640");

    result = PositionStep(values, 101, 4, Centered); // total 303, offset 151
    EXPECT_EQ(result.Start[0], "151");
    EXPECT_EQ(result.End[0], "1431");
    EXPECT_EQ(result.Start[1], "1330");
    EXPECT_EQ(result.Start[3], "3688");
    EXPECT_EQ(result.End[3], "4968");
    EXPECT_EQ(values.InputImageH, 4817);

    values.InputImageH = 1;
    result = PositionStep(values, 64, 3, -1); // before the start-up defaults
    EXPECT_FALSE(result.Placed);
    EXPECT_EQ(values.EditedOverlap, 64);
    EXPECT_EQ(values.InputImageH, 1);
}

TEST(PlanningSteps, OverlapEntryAndSpinLimits) {
    EXPECT_EQ(CheckOverlapEntry("100", 640).Entry, OverlapEntry::Valid);
    EXPECT_EQ(CheckOverlapEntry("100", 640).Width, 100);
    EXPECT_EQ(CheckOverlapEntry("640", 640).Entry, OverlapEntry::Valid);
    EXPECT_EQ(CheckOverlapEntry("6x", 640).Error, "Error! '6x' is not a valid Overlap Width.");
    EXPECT_EQ(CheckOverlapEntry("63", 640).Error,
              "Error! Overlap Width value out of bounds! Minimum width: 64");
    EXPECT_EQ(CheckOverlapEntry("641", 640).Error, "Error! Overlap Width value out of bounds!");

    EXPECT_TRUE(CanSpinOverlapUp(64, 640));
    EXPECT_TRUE(CanSpinOverlapUp(639, 640));
    EXPECT_FALSE(CanSpinOverlapUp(640, 640));
    EXPECT_FALSE(CanSpinOverlapUp(63, 640));
    EXPECT_TRUE(CanSpinOverlapDown(640, 640));
    EXPECT_TRUE(CanSpinOverlapDown(65, 640));
    EXPECT_FALSE(CanSpinOverlapDown(64, 640));
    EXPECT_FALSE(CanSpinOverlapDown(641, 640));
}

TEST(PlanningSteps, RecomputeFromUnitRead) {
    PlanningValues values;
    values.OutScreenV = 10;
    auto texts = RecomputeFromUnitRead(values, {2, 1024, 768, 100, 1024, 768});
    EXPECT_EQ(values.InputImageH, 2872);
    EXPECT_EQ(texts.AspectRatio, "3.74");
    EXPECT_EQ(texts.HorizontalOut, "37.396");
    EXPECT_EQ(values.OverlapWidth, 100);
    EXPECT_EQ(values.ProjectorResH, 1024);
    EXPECT_EQ(values.InputImageV, 768);
    EXPECT_EQ(texts.ImageSizeV, "768");
    EXPECT_EQ(texts.ResolutionIndex, 1);

    // One projector: no division by zero.
    texts = RecomputeFromUnitRead(values, {0, 1280, 1024, 0, 640, 480});
    EXPECT_EQ(values.OverlapWidth, 0);
    EXPECT_EQ(texts.AspectRatio, "1.25");
    EXPECT_EQ(texts.ResolutionIndex, std::nullopt); // 640 wide is not in the list

    // The horizontal size keeps the vertical size the user gave.
    values.OutScreenV = 5;
    texts = RecomputeFromUnitRead(values, {1, 1280, 1024, 64, 1280, 1024});
    EXPECT_EQ(texts.HorizontalOut, "12.188"); // 2496 / 1024 * 5
    EXPECT_EQ(texts.ResolutionIndex, 2);

    EXPECT_EQ(CountIndexFromUnits(6), 5);
    EXPECT_EQ(CountIndexFromUnits(0), 0);
    EXPECT_EQ(CountIndexFromUnits(200), 7);
}

TEST(PlanningSteps, UnitsMismatchWarnings) {
    EXPECT_EQ(UnitsMismatchWarning(2, 1, 3, 1), std::nullopt);
    EXPECT_EQ(UnitsMismatchWarning(3, 1, 6, 0),
              "Warning. Number of Projectors and Input Material Alignment information read from "
              "Zelvar(s) does not match current values in the Planning page. \rPlanning page "
              "values will be overwritten");
    EXPECT_EQ(UnitsMismatchWarning(2, 1, 3, 0),
              "Warning. Input Material Alignment information read from Zelvar(s) does not match "
              "current values in the Planning page. \rPlanning page values will be overwritten");
    EXPECT_EQ(UnitsMismatchWarning(3, 1, 6, 1),
              "Warning. Number of Projectors information read from Zelvar(s) does not match "
              "current values in the Planning page. \rPlanning page values will be overwritten");
}

TEST(PlanningReport, LinesPerProjectorCount) {
    const ReportInputs inputs{6, 1280, 1024, "7168", "1024", "7"};
    EXPECT_EQ(ReportLines(inputs),
              (std::vector<std::string>{
                  " - Single Graphic Source:    7 : 1 Aspect Ratio Image Required",
                  Indent + "(Center or Left Justified)",
                  " - 2 Head Graphic Source:    7 : 1 Aspect Ratio Image Required",
                  Indent + "(Must be Centered)",
                  " - 3 Head Graphic Source (1280 x 1024 resolution): 7168 x 1024 Image Size "
                  "Required",
                  Indent + "(Center or Left Justified)",
                  " - 6 Head Graphic Source (1280 x 1024 resolution): 7168 x 1024 Image Size "
                  "Required",
                  Indent + "(Center or Left Justified)",
              }));

    const std::vector<std::string> heads[] = {{},    {"2"},           {"3"}, {"2", "4"},
                                              {"5"}, {"2", "3", "6"}, {"7"}, {"2", "4", "8"}};
    for (int count = 1; count <= 8; ++count) {
        const auto lines = ReportLines({count, 800, 600, "1", "2", "3"});
        const auto& expected = heads[count - 1];
        ASSERT_EQ(lines.size(), 2 + 2 * expected.size()) << count;
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines[2 + 2 * i].substr(0, 5), " - " + expected[i] + " ") << count;
    }
}

TEST(PlanningReport, TextEndsEveryLineWithCrLf) {
    EXPECT_EQ(ReportText({"a", "b"}), "a\r\nb\r\n");
    EXPECT_EQ(ReportText({}), "");
}

TEST(PlanningGeometry, ProjectorBoxesShiftByTheScaledOverlap) {
    auto rects = InitialProjectorRects();
    EXPECT_EQ(rects[0], (ProjectorRect{5, 5, 115, 99}));
    EXPECT_EQ(rects[7], (ProjectorRect{775, 5, 885, 99}));

    LayOutProjectorRects(rects, 3, 100, 1280); // s = -8
    EXPECT_EQ(rects[0], (ProjectorRect{5, 5, 115, 99}));
    EXPECT_EQ(rects[1], (ProjectorRect{107, 5, 217, 99}));
    EXPECT_EQ(rects[2], (ProjectorRect{209, 5, 319, 99}));
    EXPECT_EQ(rects[3], (ProjectorRect{335, 5, 445, 99})); // past the count: kept

    LayOutProjectorRects(rects, 8, 64, 1280); // s = -5
    EXPECT_EQ(rects[7], (ProjectorRect{740, 5, 850, 99}));
}

TEST(PlanningGeometry, RulerMarksTheProjectorCentres) {
    PlanningValues values;
    values.ProjectorResH = 1024;
    values.InputImageH = 1024;
    values.OutScreenH = 4;
    auto marks = RulerMarks(values, 1, 477);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].X, 238);
    EXPECT_EQ(marks[0].PositionText, "2");
    EXPECT_EQ(marks[0].Label, "Proj 1");

    values.ProjectorResH = 1280;
    values.OverlapWidth = 384;
    values.InputImageH = 3072;
    values.OutScreenH = 30;
    marks = RulerMarks(values, 3, 477);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[1].X, 238);               // centre 1536 of 3072
    EXPECT_EQ(marks[2].PositionText, "23.8"); // 2432 / 3072 * 30
    EXPECT_EQ(marks[2].X, 377);
    EXPECT_EQ(marks[2].Label, "Proj 3");

    values.InputImageH = 0;
    EXPECT_TRUE(RulerMarks(values, 3, 477).empty());
}
