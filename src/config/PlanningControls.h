#pragma once

#include "PlanningSteps.h"

#include <array>
#include <string>
#include <vector>

namespace tarvel {

// The Planning page's controls as the calculator sees them: the texts and list indexes it
// reads afresh in every step, and the texts it shows. The page copies its widgets in before
// a handler runs and shows these afterwards; the initial values are the design values.
struct PlanningControls {
    // What the user edits.
    std::string HorizontalOut = "30";    // HorizontalOutEdit
    std::string VerticalOut = "10";      // VerticalOutEdit
    std::string LensMagnification = "0"; // LensMagEdit
    std::string Overlap = "64";          // OWidthEdit; OWidthPlanningEdit always shows the same
    int ResolutionIndex = -1;            // ProjectorResComboBox
    int CountIndex = -1;                 // NumOfScreenComboBox: projectors - 1
    int AlignmentIndex = -1;             // ImageAlignComboBox: LeftJustified, Centered

    // What the calculator shows.
    int MaxOverlap = 0;                          // kept with the overlap spin buttons
    std::string ImageSizeH{NotAvailableText};    // "Input Image Size Required:" width label
    std::string ImageSizeV{NotAvailableText};    // ImageSizeVLabel
    std::string AspectRatio = "?";               // OutAspectRatioLabel (":1" follows)
    std::string UnitsRequired{NotAvailableText}; // "Number of Zelvar(s) required:"
    bool ResolutionNoteShown = false;            // the "1400 x 1050 @ 50Hz" note
    std::string ProjectedWidth{NotAvailableText};
    std::string LensThrow{NotAvailableText};
    std::vector<std::string> Report; // memo lines without line ends; see ReportText
    // The "Image Position Offset" panel of the Information page, projectors 1..8.
    std::array<std::string, 8> PositionStart{"N/A", "N/A", "N/A", "N/A",
                                             "N/A", "N/A", "N/A", "N/A"};
    std::array<std::string, 8> PositionEnd{"N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A", "N/A"};
};

} // namespace tarvel
