#include "PlanningReport.h"

#include "NumberFormat.h"

#include <array>

namespace tarvel {

namespace {

const std::string NoteIndent(38, ' ');

// Head counts reported after the single-source lines, per projector count 1..8; 2 stands for
// the two-head line.
const std::array<std::vector<int>, 8> HeadsForCount{{
    {},
    {2},
    {3},
    {2, 4},
    {5},
    {2, 3, 6},
    {7},
    {2, 4, 8},
}};

} // namespace

std::vector<std::string> ReportLines(const ReportInputs& inputs) {
    const std::string aspect(inputs.AspectRatio);
    std::vector<std::string> lines{
        " - Single Graphic Source:    " + aspect + " : 1 Aspect Ratio Image Required",
        NoteIndent + "(Center or Left Justified)",
    };
    if (inputs.Count < 1 || inputs.Count > static_cast<int>(HeadsForCount.size()))
        return lines;
    for (int heads : HeadsForCount[static_cast<std::size_t>(inputs.Count - 1)]) {
        if (heads == 2) {
            lines.push_back(" - 2 Head Graphic Source:    " + aspect +
                            " : 1 Aspect Ratio Image Required");
            lines.push_back(NoteIndent + "(Must be Centered)");
            continue;
        }
        lines.push_back(" - " + std::to_string(heads) + " Head Graphic Source (" +
                        std::to_string(TruncateToInt(inputs.ProjectorResH)) + " x " +
                        std::to_string(TruncateToInt(inputs.ProjectorResV)) +
                        " resolution): " + std::string(inputs.ImageSizeH) + " x " +
                        std::string(inputs.ImageSizeV) + " Image Size Required");
        lines.push_back(NoteIndent + "(Center or Left Justified)");
    }
    return lines;
}

std::string ReportText(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace tarvel
