#pragma once

#include "PlanningValues.h"

#include <array>
#include <string>
#include <vector>

// Where the Planning page's two pictures put their marks; the page only paints them.
namespace tarvel {

struct ProjectorRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const ProjectorRect&, const ProjectorRect&) = default;
};

// ProjectorRects of the main window: one box per projector, kept between redraws.
using ProjectorRects = std::array<ProjectorRect, 8>;

inline constexpr int ProjectorBoxWidth = 110;

// Box k (1..8) side by side: left 5 + 110 (k - 1), top 5, right 115 + 110 (k - 1), bottom 99.
ProjectorRects InitialProjectorRects();

// Places boxes 1..count for the overlap field's integer: box 1 at 5..115, each next box 110
// pixels on from the stored box before it, shifted left by s = int(-overlap / (ProjectorResH
// / 110)). Boxes past `count` keep what they held; the page frames boxes 1..count only.
void LayOutProjectorRects(ProjectorRects& rects, int count, int overlapField, double projectorResH);

struct RulerMark {
    int X = 0;                // dashed line from (X, 20) down to the ruler's bottom
    float Position = 0;       // the centre in screen units
    std::string PositionText; // written at (X - 8, 5), general 3
    std::string Label;        // "Proj k", written at (X - 8, height - 15)
};

// The placement ruler's projector centres: c1 = int(ProjectorResH / 2), c(k+1) = int(c(k) +
// ProjectorResH - OverlapWidth); Position = c / InputImageH * OutScreenH in single precision;
// X = int(Position / OutScreenH * rulerWidth). The alignment plays no part. No marks while
// the input image width or the horizontal size is not above 0.
std::vector<RulerMark> RulerMarks(const PlanningValues& values, int count, int rulerWidth);

} // namespace tarvel
