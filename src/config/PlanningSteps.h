#pragma once

#include "PlanningLists.h"
#include "PlanningValues.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The planning calculator's arithmetic, one function per step. Each takes the values and the
// control contents it needs and returns what the page shows; none touches a control, the
// units or a message box. PlanningCalculator runs them in the order of the page's handlers;
// a page may also call them one by one.
//
// Counts are projector counts 1..8 (the count list's index + 1); a count outside that range
// is taken as the nearest end so that no step divides by zero.
namespace tarvel {

inline constexpr std::string_view NotAvailableText = "N/A";

// ---- Resolution step (ProjectorResComboBoxChange), first half --------------------------------

// ProjectorResH and ProjectorResV from the list; false, and nothing set, outside the list.
bool SetProjectorResolution(PlanningValues& values, int resolutionIndex);
// The 50 Hz note (ResolutionNote) is shown for "1400x1050" only.
bool IsResolutionNoteShown(int resolutionIndex);

// ---- Output sizes (Calculate steps 2 and 3) --------------------------------------------------

enum class OutputAxis { Horizontal, Vertical };

struct OutputSizeEntry {
    std::optional<double> Value; // set when the text is a number above 0
    std::string Error;           // otherwise the message; focus goes to that size field
};

// "Error! '" + text + "' is not a valid Horizontal Output Screen Size value." or
// "Error! Horizontal Output Screen Size value must be greater than 0." (and Vertical).
OutputSizeEntry ReadOutputSize(std::string_view text, OutputAxis axis);

// ---- Image size step -----------------------------------------------------------------------

struct ImageSizeTexts {
    std::string H; // the two "Input Image Size Required:" labels, full format
    std::string V;
};

// InputImageH = ProjectorResV * AspectRatio; InputImageV = ProjectorResV.
ImageSizeTexts ImageSizeStep(PlanningValues& values);
ImageSizeTexts ImageSizeLabels(const PlanningValues& values);

// ---- Count step ------------------------------------------------------------------------------

inline constexpr std::string_view TooManyProjectorsMessage =
    "Error! Minimum # of screen calculated is greater than 8. Please enter valid "
    "Horizontal/Vertical Output Size and Projector Resolution.";

struct CountStepResult {
    bool Accepted = false; // false: show Error, focus the horizontal size field, keep the list
    int Count = 0;         // when accepted: select it and run the projector count change
    std::string Error;
};

// Count = ceil(ProjectorResV * AspectRatio / ProjectorResH), stored in ProjectorCount when it
// is at most 8. Above 8 ProjectorCount keeps the last accepted count.
CountStepResult CountStep(PlanningValues& values);

struct UnitsRequirement {
    int Units = 1;
    std::string_view UnitsText;  // "Number of Zelvar(s) required:" value, "1" or "2"
    std::string_view StatusText; // "NOTE: Current settings require 1 Zelvar." or "... 2 Zelvars."
};

// The end of the count step, after the projector count change: from ProjectorCount.
UnitsRequirement UnitsRequired(double projectorCount);

// ---- Projector count and alignment changes ---------------------------------------------------

inline constexpr std::string_view CenteredCountMessage =
    "Error! Maximum number of projectors for center justified image is 7";

// The message when `count` projectors can't be shown with this alignment (8 centred).
std::optional<std::string_view> CenteredCountError(int count, int alignmentIndex);

// The count list index to put back after a refused count: int(ProjectorCount - 1), kept in
// the list, and never "8 Projectors" while centred ("7 Projectors" instead), so the refusal
// can't select the very count it refused.
int RevertedCountIndex(double projectorCount, int alignmentIndex);

// ---- Overlap rule ----------------------------------------------------------------------------

struct OverlapRuleResult {
    bool Raised = false;  // overlap raised to 64: show InputImageH, run the aspect update
    bool Capped = false;  // then capped at MaxOverlap: the same again
    int OverlapField = 0; // int(OverlapWidth), for both overlap fields
    int MaxOverlap = 0;   // kept with the overlap spin buttons
};

// While `readValid` is clear: int(ProjectorResH * 0.5). Once set: measuredInputWidth / (N - 1)
// for N >= 3 and / 2 for N <= 2 (integer division), or int(ProjectorResH * 0.5) when the
// measured width is 0.
int MaxOverlapFor(double projectorResH, int count, bool readValid, int measuredInputWidth);

// OverlapWidth = ceil((N * ProjectorResH - InputImageH) / (N - 1)) for N > 1, else 0; raised
// to 64 and capped at MaxOverlap, InputImageH following either change.
OverlapRuleResult OverlapRule(PlanningValues& values, int count, bool readValid,
                              int measuredInputWidth);

// ---- Aspect update ---------------------------------------------------------------------------

struct AspectTexts {
    std::string AspectRatio;   // general 3, for the aspect label (":1" follows on the page)
    std::string HorizontalOut; // general 5, written into the horizontal size field
};

// AspectRatio = InputImageH / InputImageV and OutScreenH = OutScreenV * AspectRatio. The lens
// step belongs in between; it reads neither value this changes, so the caller runs it after.
AspectTexts AspectUpdate(PlanningValues& values);

// ---- Lens step (LensMagEditExit, VerticalOutEditExit) ----------------------------------------

struct LensStepResult {
    bool Accepted = false; // false: show Error, focus the magnification field; values kept
    std::string Error;
    std::string ProjectedWidth; // general 4
    std::string LensThrow;      // general 3 when above 0, else "N/A"
};

// LensMagnification from the text (0 accepted), ProjectedWidth = OutScreenV * AspectRatio / N,
// LensThrow = LensMagnification * ProjectedWidth.
LensStepResult LensStep(PlanningValues& values, std::string_view magnificationText, int count);

// ---- Position step ---------------------------------------------------------------------------

struct PositionStepResult {
    bool Placed = false; // false: no alignment selected yet; only EditedOverlap was set
    std::array<std::string, 8> Start; // "Image Position Offset" panel, full format, "N/A"
    std::array<std::string, 8> End;   // beyond the count
    std::string ImageSizeH;           // InputImageH, full format
};

// EditedOverlap = `overlapField`; projector 1 starts at 0 (left justified) or at
// ((N - 1) * overlap) / 2 (centred), each next one overlapField before the previous end;
// InputImageH = end of projector N - start of projector 1.
PositionStepResult PositionStep(PlanningValues& values, int overlapField, int count,
                                int alignmentIndex);

// ---- Overlap field (OWidthEditExit, spin buttons) --------------------------------------------

enum class OverlapEntry { Valid, NotANumber, BelowMinimum, AboveMaximum };

struct OverlapCheck {
    OverlapEntry Entry = OverlapEntry::NotANumber;
    int Width = 0;     // the field's integer when it is one
    std::string Error; // empty when valid
};

// "Error! '" + text + "' is not a valid Overlap Width.", "Error! Overlap Width value out of
// bounds! Minimum width: 64" below 64, "Error! Overlap Width value out of bounds!" above
// maxOverlap.
OverlapCheck CheckOverlapEntry(std::string_view text, int maxOverlap);

bool CanSpinOverlapUp(int width, int maxOverlap);   // 64 <= width < maxOverlap
bool CanSpinOverlapDown(int width, int maxOverlap); // 64 < width <= maxOverlap

// ---- Recomputation after a unit read or a file load (FillPlanningPage) -----------------------

// The warning shown (only while the main window is visible) before a read or a loaded file
// overwrites the page's projector count or alignment; nullopt when both match. The texts hold
// a carriage return before "Planning page values will be overwritten".
std::optional<std::string_view> UnitsMismatchWarning(int countIndex, int alignmentIndex,
                                                     int totalProjectors, int imageAlignment);

// The count list index for the units' TotalProjectors, kept inside the list (a zero-filled
// model reports 0 projectors).
int CountIndexFromUnits(int totalProjectors);

struct UnitReadInputs {
    int CountIndex = 0; // NumOfScreenComboBox index after the overwrite: projectors - 1
    int MeasuredInputWidth = 0;
    int MeasuredInputHeight = 0;
    int DisplayOverlap = 0; // unit 1 channel 1
    int UnitOutputResH = 1280;
    int UnitOutputResV = 1024;
};

struct UnitReadTexts {
    std::string AspectRatio;            // OutAspectRatioLabel, general 3
    std::string HorizontalOut;          // HorizontalOutEdit, general 5
    std::string ImageSizeV;             // ImageSizeVLabel, full
    std::optional<int> ResolutionIndex; // 0, 1, 2 for widths 800, 1024, 1280; else unchanged
};

// InputImageH = (n + 1) W - n o, AspectRatio = InputImageH / H, OutScreenH = AspectRatio *
// OutScreenV (10 while no vertical size is known), OverlapWidth = ceil(((n + 1) W -
// InputImageH) / n) or 0 for one projector, the projector resolution from the units.
UnitReadTexts RecomputeFromUnitRead(PlanningValues& values, const UnitReadInputs& inputs);

} // namespace tarvel
