#include "ConfigurationDiff.h"

#include <optional>

namespace tarvel {

namespace {

// `replyKind` is the live read's layout letter; none compares every row.
std::vector<SettingDifference> Diff(const SettingsModel& a, const SettingsModel& b, int unitsInUse,
                                    std::optional<char> replyKind, DiffOptions options) {
    std::vector<SettingDifference> differences;
    ForEachSetting(unitsInUse, [&](int unit, int screen, const SettingRow& row) {
        if ((row.Status && !options.IncludeStatus) ||
            (replyKind && !CarriedByReply(row, *replyKind))) {
            return;
        }
        const int channel = screen == 0 ? 1 : ScreenToUnitChannel(screen).Channel;
        std::string valueA = SettingValueText(row, a, unit, channel);
        std::string valueB = SettingValueText(row, b, unit, channel);
        if (valueA != valueB) {
            differences.push_back({unit, screen, &row, std::move(valueA), std::move(valueB)});
        }
    });
    return differences;
}

} // namespace

std::vector<SettingDifference> DiffConfigurations(const SettingsModel& a, const SettingsModel& b,
                                                  DiffOptions options) {
    return Diff(a, b, UnitCountMax, std::nullopt, options);
}

std::vector<SettingDifference> DiffAgainstUnits(const SettingsModel& configuration,
                                                const SettingsModel& units, DiffOptions options) {
    return Diff(configuration, units, units.System.UnitCount, units.System.OutputReplyKind,
                options);
}

} // namespace tarvel
