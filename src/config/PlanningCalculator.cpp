#include "PlanningCalculator.h"

#include "NumberFormat.h"
#include "PlanningReport.h"

#include <algorithm>

namespace tarvel {

int PlanningCalculator::SelectedCount() const {
    return std::clamp(Controls.CountIndex + 1, 1, MaxProjectors);
}

void PlanningCalculator::ApplyStartupDefaults(bool iniLoaded) {
    Values.AspectRatio = 1.0;
    if (const auto h = ParseDouble(Controls.HorizontalOut))
        Values.OutScreenH = *h;
    if (const auto v = ParseDouble(Controls.VerticalOut))
        Values.OutScreenV = *v;
    Values.OverlapWidth = 0;
    if (!iniLoaded)
        Controls.ResolutionIndex = 2; // "1280x1024"
    ChangeResolution();
    if (!iniLoaded)
        Controls.CountIndex = 0;
    ChangeProjectorCount();
    if (!iniLoaded)
        Controls.AlignmentIndex = Centered;
}

bool PlanningCalculator::Calculate() {
    const auto horizontal = ReadOutputSize(Controls.HorizontalOut, OutputAxis::Horizontal);
    if (!horizontal.Value) {
        host_.ShowMessage(horizontal.Error, PlanningFocus::HorizontalOut);
        return false;
    }
    Values.OutScreenH = *horizontal.Value;
    const auto vertical = ReadOutputSize(Controls.VerticalOut, OutputAxis::Vertical);
    if (!vertical.Value) {
        host_.ShowMessage(vertical.Error, PlanningFocus::VerticalOut);
        return false;
    }
    Values.OutScreenV = *vertical.Value;
    if (!host_.RefreshFromUnits())
        return false;
    host_.EnableCalculatedControls();

    Values.AspectRatio = Values.OutScreenH / Values.OutScreenV;
    Controls.AspectRatio = FormatGeneral(Values.AspectRatio, 3);
    RunLensStep();
    RunImageSizeStep();
    RunCountStep();
    RunOverlapRule();
    RebuildReport();
    return true;
}

void PlanningCalculator::ChangeResolution() {
    SetProjectorResolution(Values, Controls.ResolutionIndex);
    Controls.ResolutionNoteShown = IsResolutionNoteShown(Controls.ResolutionIndex);
    RunImageSizeStep();
    RunCountStep();
    RebuildReport();
}

void PlanningCalculator::ChangeProjectorCount() {
    const int count = SelectedCount();
    if (const auto error = CenteredCountError(count, Controls.AlignmentIndex)) {
        host_.ShowMessage(*error, PlanningFocus::None);
        Controls.CountIndex = RevertedCountIndex(Values.ProjectorCount, Controls.AlignmentIndex);
        return;
    }
    // A refused count must not leave its traces: the overlap rule may set ProjectorCount to
    // it (so the revert would select it again) and move the image size.
    const auto valuesBefore = Values;
    const auto controlsBefore = Controls;
    RunOverlapRule();
    if (!host_.CheckUnitCountForMode()) {
        Values = valuesBefore;
        Controls = controlsBefore;
        Controls.CountIndex = RevertedCountIndex(Values.ProjectorCount, Controls.AlignmentIndex);
        RunOverlapRule();
        return;
    }
    host_.SendProjectorCount(count);
    host_.ShowProjectorCount(count);
    ChangeAlignment();
    RunPositionStep(); // the redraw
    RebuildReport();
    RunLensStep();
}

void PlanningCalculator::ChangeAlignment() {
    if (const auto error = CenteredCountError(SelectedCount(), Controls.AlignmentIndex)) {
        host_.ShowMessage(*error, PlanningFocus::None);
        Controls.AlignmentIndex = LeftJustified;
    } else if (Controls.AlignmentIndex == LeftJustified || Controls.AlignmentIndex == Centered) {
        if (const auto width = ParseInt(Controls.Overlap))
            host_.SendDisplayAlignment(Controls.AlignmentIndex, *width);
    }
    RunPositionStep();
}

bool PlanningCalculator::CommitOverlap() {
    const auto check = CheckOverlapEntry(Controls.Overlap, Controls.MaxOverlap);
    if (check.Entry != OverlapEntry::Valid) {
        host_.ShowMessage(check.Error, PlanningFocus::Overlap);
        return false;
    }
    if (Values.OverlapWidth > 0 &&
        (Controls.AlignmentIndex == LeftJustified || Controls.AlignmentIndex == Centered))
        host_.SendDisplayAlignment(Controls.AlignmentIndex, check.Width);
    Controls.Overlap = std::to_string(check.Width);
    // The image width follows the new overlap, then the aspect ratio and horizontal size
    // follow the image: the same end values as aspect, redraw, aspect, redraw, with a lens
    // error reported once.
    RunPositionStep();
    RunAspectUpdate();
    return true;
}

bool PlanningCalculator::SpinOverlap(bool up) {
    const auto width = ParseInt(Controls.Overlap);
    if (!width)
        return false;
    const bool allowed = up ? CanSpinOverlapUp(*width, Controls.MaxOverlap)
                            : CanSpinOverlapDown(*width, Controls.MaxOverlap);
    if (!allowed)
        return false;
    Controls.Overlap = std::to_string(*width + (up ? 1 : -1));
    CommitOverlap();
    return true;
}

void PlanningCalculator::FillFromUnits(const UnitPlanning& units) {
    Controls.Overlap = std::to_string(units.DisplayOverlap);
    if (units.ImageAlignment == LeftJustified || units.ImageAlignment == Centered)
        Controls.AlignmentIndex = units.ImageAlignment;
    Controls.CountIndex = CountIndexFromUnits(units.TotalProjectors);
    Values.ProjectorCount = SelectedCount();
    host_.CheckUnitCountForMode();

    const auto texts = RecomputeFromUnitRead(
        Values, {Controls.CountIndex, units.MeasuredInputWidth, units.MeasuredInputHeight,
                 units.DisplayOverlap, units.UnitOutputResH, units.UnitOutputResV});
    Controls.AspectRatio = texts.AspectRatio;
    Controls.HorizontalOut = texts.HorizontalOut;
    Controls.ImageSizeV = texts.ImageSizeV;
    if (texts.ResolutionIndex)
        Controls.ResolutionIndex = *texts.ResolutionIndex;
}

void PlanningCalculator::RunImageSizeStep() {
    const auto texts = ImageSizeStep(Values);
    Controls.ImageSizeH = texts.H;
    Controls.ImageSizeV = texts.V;
}

void PlanningCalculator::RunCountStep() {
    const auto result = CountStep(Values);
    if (!result.Accepted) {
        host_.ShowMessage(result.Error, PlanningFocus::HorizontalOut);
        return;
    }
    Controls.CountIndex = result.Count - 1;
    ChangeProjectorCount();
    const auto units = UnitsRequired(Values.ProjectorCount);
    Controls.UnitsRequired = units.UnitsText;
    host_.ShowStatus(units.StatusText);
}

void PlanningCalculator::RunOverlapRule() {
    const auto result =
        OverlapRule(Values, SelectedCount(), host_.ReadValid(), host_.MeasuredInputWidth());
    if (result.Raised || result.Capped) {
        Controls.ImageSizeH = FormatFull(Values.InputImageH);
        RunAspectUpdate();
    }
    Controls.Overlap = std::to_string(result.OverlapField);
    Controls.MaxOverlap = result.MaxOverlap;
}

void PlanningCalculator::RunAspectUpdate() {
    const auto texts = AspectUpdate(Values);
    Controls.AspectRatio = texts.AspectRatio;
    RunLensStep();
    Controls.HorizontalOut = texts.HorizontalOut;
}

void PlanningCalculator::RunLensStep() {
    const auto result = LensStep(Values, Controls.LensMagnification, SelectedCount());
    if (!result.Accepted) {
        host_.ShowMessage(result.Error, PlanningFocus::LensMagnification);
        return;
    }
    Controls.ProjectedWidth = result.ProjectedWidth;
    Controls.LensThrow = result.LensThrow;
}

void PlanningCalculator::RunPositionStep() {
    // A field that holds no integer (only while the user is typing in it) moves nothing.
    const auto overlap = ParseInt(Controls.Overlap);
    if (!overlap)
        return;
    const auto result = PositionStep(Values, *overlap, SelectedCount(), Controls.AlignmentIndex);
    if (!result.Placed)
        return;
    Controls.PositionStart = result.Start;
    Controls.PositionEnd = result.End;
    Controls.ImageSizeH = result.ImageSizeH;
}

void PlanningCalculator::RebuildReport() {
    Controls.Report = ReportLines({SelectedCount(), Values.ProjectorResH, Values.ProjectorResV,
                                   Controls.ImageSizeH, Controls.ImageSizeV, Controls.AspectRatio});
}

} // namespace tarvel
