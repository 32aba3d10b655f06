#pragma once

namespace tarvel {

// The planning calculator's values, held by the main window and not part of the units'
// records. All zero until first set.
struct PlanningValues {
    double ProjectorResH = 0;     // projector native width in pixels
    double ProjectorResV = 0;     // projector native height in pixels
    double InputImageH = 0;       // required input image width in pixels
    double InputImageV = 0;       // required input image height (always ProjectorResV)
    double OutScreenH = 0;        // output screen width, in the user's own unit
    double OutScreenV = 0;        // output screen height, same unit
    double AspectRatio = 0;       // width / height
    double OverlapWidth = 0;      // overlap between neighbouring projectors in pixels
    double EditedOverlap = 0;     // the overlap field's integer, as the position step read it
    double ProjectorCount = 0;    // as last computed or accepted
    double ProjectedWidth = 0;    // width of one projector's picture, screen unit
    double LensMagnification = 0; // throw ratio, user input
    double LensThrow = 0;         // throw distance, screen unit

    friend bool operator==(const PlanningValues&, const PlanningValues&) = default;
};

} // namespace tarvel
