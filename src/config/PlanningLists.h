#pragma once

#include <array>
#include <string_view>

// The Planning page's pick lists and the calculator's fixed limits. The lists' indexes are
// what Tarvel.ini stores.
namespace tarvel {

struct ProjectorResolution {
    std::string_view Item; // the list text
    int H = 0;
    int V = 0;
};

// ProjectorResComboBox
inline constexpr std::array<ProjectorResolution, 6> ProjectorResolutions{{
    {"800x600", 800, 600},
    {"1024x768", 1024, 768},
    {"1280x1024", 1280, 1024},
    {"1280x720", 1280, 720},
    {"1280x960", 1280, 960},
    {"1400x1050", 1400, 1050},
}};

// Shown under the list only while "1400x1050" is chosen.
inline constexpr int ResolutionNoteIndex = 5;
inline constexpr std::string_view ResolutionNote = "NOTE: Zelvar only supports  1400 x 1050 @ 50Hz";

// NumOfScreenComboBox: N projectors at index N - 1.
inline constexpr std::array<std::string_view, 8> ProjectorCountItems{
    "1 Projector",  "2 Projectors", "3 Projectors", "4 Projectors",
    "5 Projectors", "6 Projectors", "7 Projectors", "8 Projectors",
};

// ImageAlignComboBox
inline constexpr int LeftJustified = 0;
inline constexpr int Centered = 1;
inline constexpr std::array<std::string_view, 2> AlignmentItems{"Left Justified", "Centered"};

inline constexpr int MinimumOverlap = 64;
inline constexpr int MaxProjectors = static_cast<int>(ProjectorCountItems.size());
inline constexpr int MaxCenteredProjectors = 7;
inline constexpr int ProjectorsPerUnit = 4; // a second unit from 5 projectors on

} // namespace tarvel
