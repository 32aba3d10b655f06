#include "ConfigurationView.h"

#include <utility>

namespace tarvel {

ConfigurationView MakeConfigurationView(const SettingsModel& model, int unitsInUse) {
    ConfigurationView view;
    ForEachSetting(unitsInUse, [&](int unit, int screen, const SettingRow& row) {
        if (view.Units.empty() || view.Units.back().Unit != unit) {
            view.Units.emplace_back().Unit = unit;
        }
        UnitView& unitView = view.Units.back();
        const int channel = screen == 0 ? 1 : ScreenToUnitChannel(screen).Channel;
        ViewEntry entry{&row, SettingValueText(row, model, unit, channel)};
        if (screen == 0) {
            unitView.Settings.push_back(std::move(entry));
            return;
        }
        if (unitView.Screens.empty() || unitView.Screens.back().Screen != screen) {
            ScreenView& added = unitView.Screens.emplace_back();
            added.Screen = screen;
            added.Channel = channel;
        }
        ScreenView& screenView = unitView.Screens.back();
        (row.Scope == SettingScope::Input ? screenView.Input : screenView.Output)
            .push_back(std::move(entry));
    });
    return view;
}

} // namespace tarvel
