#pragma once

#include "config/SettingCatalogue.h"

#include <string>
#include <vector>

// The settings in which two models differ, compared as the units hold them: by value text
// (tenths as the wire carries them, switches as on/off, codes as codes), so 4.2 typed into a
// file and 4.2 read back from a unit are the same whatever their single-precision images.
// Bytes that no catalogue row reads are never compared: padding, record 0, and the copies of
// the unit-wide fields in channels 2-4.
namespace tarvel {

struct SettingDifference {
    int Unit = 1;
    int Screen = 0; // 1..8, 0 for a unit-wide setting
    const SettingRow* Row = nullptr;
    std::string ValueA;
    std::string ValueB;
};

struct DiffOptions {
    // Also compare what the units only report (video lock, H total, output format...).
    bool IncludeStatus = false;
};

// File against file: every row of both units. Order: unit 1's unit-wide settings, screens
// 1-4, unit 2's unit-wide settings, screens 5-8, each in catalogue order.
std::vector<SettingDifference> DiffConfigurations(const SettingsModel& a, const SettingsModel& b,
                                                  DiffOptions options = {});

// A configuration (A) against a model read from the units (B): only the units that read
// counted (units.System.UnitCount), and only the fields that the read's output status layout
// (units.System.OutputReplyKind) carried. Same order.
std::vector<SettingDifference> DiffAgainstUnits(const SettingsModel& configuration,
                                                const SettingsModel& units,
                                                DiffOptions options = {});

} // namespace tarvel
