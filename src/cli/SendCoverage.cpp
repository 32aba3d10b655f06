#include "cli/SendCoverage.h"

#include "config/InputColours.h"

#include <array>
#include <string_view>

namespace tarvel {

namespace {

// The catalogue keys of the colour rules, in the rules' order.
constexpr std::array<std::string_view, InputColourRules.size()> ColourKeys{
    "overallContrast", "overallBrightness", "redContrast",  "redBrightness",
    "greenContrast",   "greenBrightness",   "blueContrast", "blueBrightness"};

bool IsSeamGain(std::string_view key) {
    return key.starts_with("seamGain");
}

} // namespace

QString NotCarriedReason(const SettingDifference& difference, const SettingsModel& file,
                         const SendPlan& plan, const SendPlanInput& input) {
    const SettingRow& row = *difference.Row;
    const std::string_view key = row.Key;
    if (row.Status) {
        return QStringLiteral("only the units report it; no send carries it");
    }
    if (key == "featherCurve" || key == "seamBridge" || key == "bridgeThreshold") {
        return QStringLiteral("no send carries it");
    }
    if (difference.Screen == 0) {
        return difference.Unit == 2
                   ? QStringLiteral("a send gives unit 2 unit 1's unit-wide values")
                   : QString();
    }
    if (row.Scope != SettingScope::Input && !IsSeamGain(key)) {
        return QString(); // every output of the units in use goes out
    }
    if (difference.Screen > input.Projectors) {
        return QStringLiteral("screen %1 lies beyond the file's %2 projectors; its input and seam "
                              "gains are not sent")
            .arg(difference.Screen)
            .arg(input.Projectors);
    }
    const UnitChannel uc = ScreenToUnitChannel(difference.Screen);
    if (!IsChannelLocked(file.Channels, uc.Unit, uc.Channel)) {
        return QStringLiteral("screen %1 has no video lock in the file; its input and seam gains "
                              "are not sent")
            .arg(difference.Screen);
    }
    for (const SkippedColour& skipped : plan.Skipped) {
        if (skipped.Screen == difference.Screen && skipped.Rule < ColourKeys.size() &&
            ColourKeys[skipped.Rule] == key) {
            return QStringLiteral("the Source Setup page refuses the file's value; it is not sent");
        }
    }
    return QString();
}

} // namespace tarvel
