#pragma once

#include "PlanningControls.h"
#include "PlanningHost.h"
#include "PlanningSteps.h"
#include "PlanningValues.h"

namespace tarvel {

// The Planning page's handlers over PlanningValues and PlanningControls, in the order the
// page runs them, with the window and the link behind a PlanningHost. The page copies its
// widgets into Controls, calls a handler, and shows Controls afterwards (with
// UpdatingControls set, so its own change handlers stay quiet). Busy, the cursor and the
// "Calculate" button stay with the page.
//
//   Calculate              CalcOutButtonClick from the size checks on: sizes, refresh from the
//                          units, aspect, lens step, image size step, count step (which runs
//                          the projector count change), overlap rule, report.
//   ChangeResolution       ProjectorResComboBoxChange
//   ChangeProjectorCount   NumOfScreenComboBoxChange
//   ChangeAlignment        ImageAlignComboBoxChange
//   CommitOverlap          OWidthEditExit (OWidthPlanningEditExit: copy that field's text
//                          into Controls.Overlap first)
//   SpinOverlap            OWidthUpDownUpClick / OWidthUpDownDownClick
//   RunLensStep            LensMagEditExit, VerticalOutEditExit
//   ApplyStartupDefaults   the planning part of the first showing
//   FillFromUnits          FillPlanningPage steps 2 and 3, after its warning
//
// The Run* steps are public so the page can run any one alone.
class PlanningCalculator {
public:
    explicit PlanningCalculator(PlanningHost& host) : host_(host) {}

    PlanningValues Values;
    PlanningControls Controls;

    // AspectRatio 1.0, the output sizes from the fields, overlap 0; unless Tarvel.ini was
    // loaded "1280x1024" and "1 Projector"; the resolution step and the projector count change
    // run either way, then "Centered" is selected unless loaded (no handler runs for it).
    void ApplyStartupDefaults(bool iniLoaded);

    // False when a size is not valid or the refresh from the units failed; nothing was
    // computed then.
    bool Calculate();

    void ChangeResolution();
    void ChangeProjectorCount();
    void ChangeAlignment();

    // False when the field was refused (message shown, focus to the overlap field); the page
    // then puts the model's DisplayOverlap and data doubling back. Valid: the text is
    // normalised to the integer and the image, aspect and horizontal size follow it.
    bool CommitOverlap();
    // True when the step was taken (and the field committed).
    bool SpinOverlap(bool up);

    struct UnitPlanning {
        int TotalProjectors = 0; // unit 1 channel 1
        int ImageAlignment = 0;  // unit 1 channel 1
        int DisplayOverlap = 0;  // unit 1 channel 1
        int MeasuredInputWidth = 0;
        int MeasuredInputHeight = 0;
        int UnitOutputResH = 1280;
        int UnitOutputResV = 1024;
    };
    // The units win: overlap, alignment (when it is a list entry) and count are overwritten,
    // CheckUnitCountForMode runs, and the planning values are recomputed from the read.
    void FillFromUnits(const UnitPlanning& units);

    void RunImageSizeStep();
    void RunCountStep();
    void RunOverlapRule();
    void RunAspectUpdate(); // includes the lens step
    void RunLensStep();
    void RunPositionStep();
    void RebuildReport();

    // The count list's projector count; 1 while nothing is selected.
    int SelectedCount() const;

private:
    PlanningHost& host_;
};

} // namespace tarvel
