#pragma once

#include "model/InputSettings.h"
#include "protocol/Command.h"

#include <array>

namespace tarvel {

// The eight colour settings of a channel's input as the Source Setup page holds them: the
// command letter, contrast or brightness, the field's bounds, and the significant digits the
// page shows them with. In the order of the page's Enter chain, which is also the order of
// the whole-configuration send.
struct InputColourRule {
    InputColour Colour;
    bool Contrast;
    double Lower;
    double Upper;
    const char* RangeText;
    float InputSettings::*Field;
    int Digits;
};

inline constexpr std::array<InputColourRule, 8> InputColourRules{{
    {InputColour::Overall, true, 75, 125, "(75 - 125)", &InputSettings::OverallContrast, 5},
    {InputColour::Overall, false, 75, 125, "(75 - 125)", &InputSettings::OverallBrightness, 5},
    {InputColour::Red, true, -25, 25, "(-25 - +25)", &InputSettings::RedContrast, 4},
    {InputColour::Red, false, -25, 25, "(-25 - +25)", &InputSettings::RedBrightness, 4},
    {InputColour::Green, true, -25, 25, "(-25 - +25)", &InputSettings::GreenContrast, 4},
    {InputColour::Green, false, -25, 25, "(-25 - +25)", &InputSettings::GreenBrightness, 4},
    {InputColour::Blue, true, -25, 25, "(-25 - +25)", &InputSettings::BlueContrast, 4},
    {InputColour::Blue, false, -25, 25, "(-25 - +25)", &InputSettings::BlueBrightness, 4},
}};

} // namespace tarvel
