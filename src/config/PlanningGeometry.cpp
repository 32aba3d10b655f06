#include "PlanningGeometry.h"

#include "NumberFormat.h"
#include "PlanningLists.h"

#include <algorithm>

namespace tarvel {

namespace {

constexpr int BoxTop = 5;
constexpr int BoxBottom = 99;
constexpr int FirstLeft = 5;

int NominalLeft(int k) {
    return FirstLeft + ProjectorBoxWidth * (k - 1);
}

} // namespace

ProjectorRects InitialProjectorRects() {
    ProjectorRects rects;
    for (int k = 1; k <= MaxProjectors; ++k)
        rects[static_cast<std::size_t>(k - 1)] = {NominalLeft(k), BoxTop,
                                                  NominalLeft(k) + ProjectorBoxWidth, BoxBottom};
    return rects;
}

void LayOutProjectorRects(ProjectorRects& rects, int count, int overlapField,
                          double projectorResH) {
    const int shift = TruncateToInt(-overlapField / (projectorResH / ProjectorBoxWidth));
    const int n = std::clamp(count, 1, MaxProjectors);
    rects[0] = {FirstLeft, BoxTop, FirstLeft + ProjectorBoxWidth, BoxBottom};
    for (int k = 2; k <= n; ++k) {
        const auto& before = rects[static_cast<std::size_t>(k - 2)];
        const int carried = before.Right - NominalLeft(k);
        const int left = NominalLeft(k) + shift + carried;
        rects[static_cast<std::size_t>(k - 1)] = {left, BoxTop, left + ProjectorBoxWidth,
                                                  BoxBottom};
    }
}

std::vector<RulerMark> RulerMarks(const PlanningValues& values, int count, int rulerWidth) {
    std::vector<RulerMark> marks;
    if (!(values.InputImageH > 0) || !(values.OutScreenH > 0))
        return marks;
    const int n = std::clamp(count, 1, MaxProjectors);
    int centre = TruncateToInt(values.ProjectorResH * 0.5);
    for (int k = 1; k <= n; ++k) {
        if (k > 1)
            centre = TruncateToInt(centre + values.ProjectorResH - values.OverlapWidth);
        RulerMark mark;
        mark.Position = static_cast<float>(centre / values.InputImageH * values.OutScreenH);
        mark.X = TruncateToInt(mark.Position / values.OutScreenH * rulerWidth);
        mark.PositionText = FormatGeneral(mark.Position, 3);
        mark.Label = "Proj " + std::to_string(k);
        marks.push_back(mark);
    }
    return marks;
}

} // namespace tarvel
