#pragma once

#include "config/SettingCatalogue.h"

#include <string>
#include <vector>

// A configuration as a person reads it: per unit its unit-wide settings, then per screen its
// input and its outputs, every entry a catalogue row with its value text. The command-line
// tool prints it as text and as JSON; the window's comparison names rows the same way.
namespace tarvel {

struct ViewEntry {
    const SettingRow* Row = nullptr; // key, label, unit, status
    std::string Value;
};

struct ScreenView {
    int Screen = 1;  // 1..8
    int Channel = 1; // the unit channel 1..4
    std::vector<ViewEntry> Input;
    std::vector<ViewEntry> Output;
};

struct UnitView {
    int Unit = 1;
    std::vector<ViewEntry> Settings; // unit-wide
    std::vector<ScreenView> Screens; // the unit's four screens in order
};

struct ConfigurationView {
    std::vector<UnitView> Units;
};

// Units 1..unitsInUse (clamped to 1..2) with all their screens, status rows included (each
// entry says whether it is one). The caller chooses the units: a .zvc file holds both units,
// so a file is shown with 2; a read from the units with the number read.
ConfigurationView MakeConfigurationView(const SettingsModel& model, int unitsInUse);

} // namespace tarvel
