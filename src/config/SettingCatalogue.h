#pragma once

#include "model/ChannelSettings.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

// Every value of a configuration that a person reads or a script names, one row each. The
// named view, the difference of two models and the tools built on them read this one table.
namespace tarvel {

enum class SettingScope {
    Unit,   // the whole unit: the copy in the unit's channel 1 output record
    Input,  // one screen's input record
    Output, // one screen's output record
};

enum class SettingKind {
    Integer, // decimal
    Tenths,  // a single with one decimal, as the commands carry it ("%4.1f" without the blanks)
    Switch,  // Names[0] for 0, Names[1] for anything else, as the page's check box shows it
    Choice,  // the name of the code in Names; a code without a name is shown as its number
};

// The output status layouts (OutputReplyKind) whose reply carries the field. Input records
// and the fields common to every layout are All.
enum class ReplyLayouts {
    All,
    Old, // '@', '>', '?': below 'B'
    New, // 'B' and above
};

// The screens whose page has a control for the field: the wall's first screen has no left
// halo, the last one no right halo and no right edge feather.
enum class SettingScreens { All, NotFirst, NotLast };

struct ChoiceName {
    int Code = 0;
    std::string_view Name;
};

struct SettingRow {
    std::string_view Key;   // stable camelCase name for scripts: the record field's name
    std::string_view Label; // the name the pages give it
    std::string_view Unit;  // "pixels", "lines" or empty
    SettingScope Scope = SettingScope::Output;
    // Only shown as the units report it: no command carries the configuration's value (seam
    // mode and projector group go out as constants of the send).
    bool Status = false;
    SettingKind Kind = SettingKind::Integer;
    std::span<const ChoiceName> Names;
    ReplyLayouts Layouts = ReplyLayouts::All;
    SettingScreens Screens = SettingScreens::All;
    // The field of (unit, unit channel); unit-wide rows ignore the channel.
    double (*Read)(const SettingsModel& model, int unit, int channel) = nullptr;
};

// In reading order: unit-wide rows, then input rows, then output rows; settings before status
// within each.
std::span<const SettingRow> SettingCatalogue();

const SettingRow* FindSetting(std::string_view key);

// The value as a person reads it and as it is compared: two values are the same setting when
// their texts are equal. Tenths round as "%4.1f" does (2.25 gives "2.2"); "-0.0" is "0.0".
std::string SettingValueText(const SettingRow& row, double value);
std::string SettingValueText(const SettingRow& row, const SettingsModel& model, int unit,
                             int channel);

bool ShownOnScreen(const SettingRow& row, int screen);

// Whether a unit read whose output status replies had the letter `outputReplyKind` reported
// the field. 0 is "no output status read": no output field was reported.
bool CarriedByReply(const SettingRow& row, char outputReplyKind);

// Every (unit, screen, row) of units 1..unitsInUse (clamped to 1..2), in reading order: per
// unit its unit-wide rows with screen 0, then per screen its input rows and its output rows,
// in catalogue order. Rows are left out on screens that have no control for them.
template <class Visit> void ForEachSetting(int unitsInUse, Visit&& visit) {
    const auto rows = SettingCatalogue();
    const int units = std::clamp(unitsInUse, 1, UnitCountMax);
    for (int unit = 1; unit <= units; ++unit) {
        for (const SettingRow& row : rows) {
            if (row.Scope == SettingScope::Unit) {
                visit(unit, 0, row);
            }
        }
        for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
            const int screen = UnitChannelToScreen(unit, channel);
            for (const SettingScope scope : {SettingScope::Input, SettingScope::Output}) {
                for (const SettingRow& row : rows) {
                    if (row.Scope == scope && ShownOnScreen(row, screen)) {
                        visit(unit, screen, row);
                    }
                }
            }
        }
    }
}

} // namespace tarvel
