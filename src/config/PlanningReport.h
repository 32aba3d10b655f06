#pragma once

#include <string>
#include <string_view>
#include <vector>

// The "Image Content Creation Requirement" report: which graphic sources can feed a wall of
// `count` projectors.
namespace tarvel {

struct ReportInputs {
    int Count = 1;            // projectors, 1..8
    double ProjectorResH = 0; // written as integers
    double ProjectorResV = 0;
    std::string_view ImageSizeH; // the texts of the two image size labels
    std::string_view ImageSizeV;
    std::string_view AspectRatio; // the text of the aspect label
};

// The report's lines without line ends: the single-source line and its note, then for 2, 4,
// 6 and 8 projectors the two-head line, and the head lines whose head count divides the
// count, each followed by its note line (38 blanks and the alignment it needs).
std::vector<std::string> ReportLines(const ReportInputs& inputs);

// The memo's text: every line followed by CR LF.
std::string ReportText(const std::vector<std::string>& lines);

} // namespace tarvel
