#include "PlanningSteps.h"

#include "NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace tarvel {

namespace {

int ClampCount(int count) {
    return std::clamp(count, 1, MaxProjectors);
}

bool InResolutionList(int index) {
    return index >= 0 && index < static_cast<int>(ProjectorResolutions.size());
}

} // namespace

bool SetProjectorResolution(PlanningValues& values, int resolutionIndex) {
    if (!InResolutionList(resolutionIndex))
        return false;
    const auto& resolution = ProjectorResolutions[static_cast<std::size_t>(resolutionIndex)];
    values.ProjectorResH = resolution.H;
    values.ProjectorResV = resolution.V;
    return true;
}

bool IsResolutionNoteShown(int resolutionIndex) {
    return resolutionIndex == ResolutionNoteIndex;
}

OutputSizeEntry ReadOutputSize(std::string_view text, OutputAxis axis) {
    const std::string name = axis == OutputAxis::Horizontal ? "Horizontal" : "Vertical";
    const auto value = ParseDouble(text);
    if (!value)
        return {std::nullopt, "Error! '" + std::string(text) + "' is not a valid " + name +
                                  " Output Screen Size value."};
    if (!(*value > 0))
        return {std::nullopt,
                "Error! " + name + " Output Screen Size value must be greater than 0."};
    return {*value, {}};
}

ImageSizeTexts ImageSizeStep(PlanningValues& values) {
    values.InputImageH = values.ProjectorResV * values.AspectRatio;
    values.InputImageV = values.ProjectorResV;
    return ImageSizeLabels(values);
}

ImageSizeTexts ImageSizeLabels(const PlanningValues& values) {
    return {FormatFull(values.InputImageH), FormatFull(values.InputImageV)};
}

CountStepResult CountStep(PlanningValues& values) {
    const double needed =
        std::ceil(values.ProjectorResV * values.AspectRatio / values.ProjectorResH);
    if (std::isnan(needed) || needed > MaxProjectors)
        return {false, 0, std::string(TooManyProjectorsMessage)};
    values.ProjectorCount = std::max(needed, 1.0);
    return {true, static_cast<int>(values.ProjectorCount), {}};
}

UnitsRequirement UnitsRequired(double projectorCount) {
    if (projectorCount > ProjectorsPerUnit)
        return {2, "2", "NOTE: Current settings require 2 Zelvars."};
    return {1, "1", "NOTE: Current settings require 1 Zelvar."};
}

std::optional<std::string_view> CenteredCountError(int count, int alignmentIndex) {
    if (alignmentIndex == Centered && count > MaxCenteredProjectors)
        return CenteredCountMessage;
    return std::nullopt;
}

int RevertedCountIndex(double projectorCount, int alignmentIndex) {
    const int limit = alignmentIndex == Centered ? MaxCenteredProjectors : MaxProjectors;
    return std::clamp(TruncateToInt(projectorCount - 1), 0, limit - 1);
}

int MaxOverlapFor(double projectorResH, int count, bool readValid, int measuredInputWidth) {
    if (!readValid || measuredInputWidth == 0)
        return TruncateToInt(projectorResH * 0.5);
    const int n = ClampCount(count);
    return measuredInputWidth / (n >= 3 ? n - 1 : 2);
}

OverlapRuleResult OverlapRule(PlanningValues& values, int count, bool readValid,
                              int measuredInputWidth) {
    const int n = ClampCount(count);
    OverlapRuleResult result;
    double overlap = 0;
    if (n > 1) {
        overlap = std::ceil((n * values.ProjectorResH - values.InputImageH) / (n - 1));
        if (overlap < MinimumOverlap) {
            values.ProjectorCount = n;
            overlap = MinimumOverlap;
            values.InputImageH = n * values.ProjectorResH - (n - 1) * overlap;
            result.Raised = true;
        }
    }
    result.MaxOverlap = MaxOverlapFor(values.ProjectorResH, n, readValid, measuredInputWidth);
    if (result.MaxOverlap < overlap) {
        values.ProjectorCount = n;
        overlap = result.MaxOverlap;
        values.InputImageH = n * values.ProjectorResH - (n - 1) * overlap;
        result.Capped = true;
    }
    values.OverlapWidth = overlap;
    result.OverlapField = TruncateToInt(overlap);
    return result;
}

AspectTexts AspectUpdate(PlanningValues& values) {
    values.AspectRatio = values.InputImageH / values.InputImageV;
    values.OutScreenH = values.OutScreenV * values.AspectRatio;
    return {FormatGeneral(values.AspectRatio, 3), FormatGeneral(values.OutScreenH, 5)};
}

LensStepResult LensStep(PlanningValues& values, std::string_view magnificationText, int count) {
    const auto magnification = ParseDouble(magnificationText);
    if (!magnification)
        return {false,
                "Error! '" + std::string(magnificationText) +
                    "' is not a valid Lens Magnification value.",
                {},
                {}};
    if (*magnification < 0)
        return {false, "Error! Lens Magnification value must be greater than 0.", {}, {}};
    values.LensMagnification = *magnification;
    values.ProjectedWidth = values.OutScreenV * values.AspectRatio / ClampCount(count);
    values.LensThrow = values.LensMagnification * values.ProjectedWidth;
    return {true,
            {},
            FormatGeneral(values.ProjectedWidth, 4),
            values.LensThrow > 0 ? FormatGeneral(values.LensThrow, 3)
                                 : std::string(NotAvailableText)};
}

PositionStepResult PositionStep(PlanningValues& values, int overlapField, int count,
                                int alignmentIndex) {
    PositionStepResult result;
    values.EditedOverlap = overlapField;
    if (alignmentIndex != LeftJustified && alignmentIndex != Centered)
        return result;
    const int n = ClampCount(count);
    const int total = TruncateToInt(static_cast<double>(n - 1) * overlapField);
    const double offset = alignmentIndex == Centered ? total / 2 : 0;

    double start = offset;
    double end = offset;
    for (int k = 1; k <= MaxProjectors; ++k) {
        const auto at = static_cast<std::size_t>(k - 1);
        if (k > n) {
            result.Start[at] = result.End[at] = NotAvailableText;
            continue;
        }
        if (k > 1)
            start = TruncateToInt(end) - static_cast<double>(overlapField);
        end = start + values.ProjectorResH;
        result.Start[at] = FormatFull(start);
        result.End[at] = FormatFull(end);
    }
    values.InputImageH = end - offset;
    result.ImageSizeH = FormatFull(values.InputImageH);
    result.Placed = true;
    return result;
}

OverlapCheck CheckOverlapEntry(std::string_view text, int maxOverlap) {
    const auto width = ParseInt(text);
    if (!width)
        return {OverlapEntry::NotANumber, 0,
                "Error! '" + std::string(text) + "' is not a valid Overlap Width."};
    if (*width < MinimumOverlap)
        return {OverlapEntry::BelowMinimum, *width,
                "Error! Overlap Width value out of bounds! Minimum width: 64"};
    if (*width > maxOverlap)
        return {OverlapEntry::AboveMaximum, *width, "Error! Overlap Width value out of bounds!"};
    return {OverlapEntry::Valid, *width, {}};
}

bool CanSpinOverlapUp(int width, int maxOverlap) {
    return width >= MinimumOverlap && width < maxOverlap;
}

bool CanSpinOverlapDown(int width, int maxOverlap) {
    return width > MinimumOverlap && width <= maxOverlap;
}

std::optional<std::string_view> UnitsMismatchWarning(int countIndex, int alignmentIndex,
                                                     int totalProjectors, int imageAlignment) {
    const bool countDiffers = countIndex != totalProjectors - 1;
    const bool alignmentDiffers = alignmentIndex != imageAlignment;
    if (countDiffers && alignmentDiffers)
        return "Warning. Number of Projectors and Input Material Alignment information read from "
               "Zelvar(s) does not match current values in the Planning page. \rPlanning page "
               "values will be overwritten";
    if (alignmentDiffers)
        return "Warning. Input Material Alignment information read from Zelvar(s) does not "
               "match current values in the Planning page. \rPlanning page values will be "
               "overwritten";
    if (countDiffers)
        return "Warning. Number of Projectors information read from Zelvar(s) does not match "
               "current values in the Planning page. \rPlanning page values will be overwritten";
    return std::nullopt;
}

int CountIndexFromUnits(int totalProjectors) {
    return std::clamp(totalProjectors, 1, MaxProjectors) - 1;
}

UnitReadTexts RecomputeFromUnitRead(PlanningValues& values, const UnitReadInputs& inputs) {
    const int n = std::clamp(inputs.CountIndex, 0, MaxProjectors - 1);
    const double width = inputs.MeasuredInputWidth;
    const double full = (n + 1) * width;
    values.InputImageH = full - static_cast<double>(n) * inputs.DisplayOverlap;
    if (inputs.MeasuredInputHeight != 0)
        values.AspectRatio = values.InputImageH / inputs.MeasuredInputHeight;
    // The horizontal size follows the vertical one the user gave, so the two sizes keep the
    // aspect ratio shown beside them.
    values.OutScreenH = values.AspectRatio * (values.OutScreenV > 0 ? values.OutScreenV : 10.0);
    values.OverlapWidth = n == 0 ? 0 : std::ceil((full - values.InputImageH) / n);
    values.ProjectorResH = inputs.UnitOutputResH;
    values.ProjectorResV = inputs.UnitOutputResV;
    values.InputImageV = values.ProjectorResV;

    UnitReadTexts texts{FormatGeneral(values.AspectRatio, 3), FormatGeneral(values.OutScreenH, 5),
                        FormatFull(values.InputImageV), std::nullopt};
    for (int i = 0; i < 3; ++i)
        if (ProjectorResolutions[static_cast<std::size_t>(i)].H == inputs.UnitOutputResH)
            texts.ResolutionIndex = i;
    return texts;
}

} // namespace tarvel
