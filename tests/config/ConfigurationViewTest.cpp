#include "config/ConfigurationView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace tarvel;

namespace {

std::vector<std::string> Keys(const std::vector<ViewEntry>& entries) {
    std::vector<std::string> keys;
    for (const ViewEntry& entry : entries) {
        keys.emplace_back(entry.Row->Key);
    }
    return keys;
}

std::vector<std::string> CatalogueKeys(SettingScope scope, const std::set<std::string>& leftOut) {
    std::vector<std::string> keys;
    for (const SettingRow& row : SettingCatalogue()) {
        if (row.Scope == scope && !leftOut.contains(std::string(row.Key))) {
            keys.emplace_back(row.Key);
        }
    }
    return keys;
}

const ViewEntry& Entry(const std::vector<ViewEntry>& entries, std::string_view key) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const ViewEntry& e) { return e.Row->Key == key; });
    EXPECT_NE(found, entries.end()) << key;
    return *found;
}

} // namespace

TEST(ConfigurationView, ListsEveryRowOncePerUnitAndScreenInCatalogueOrder) {
    const SettingsModel model;
    const ConfigurationView view = MakeConfigurationView(model, 2);

    const std::set<std::string> none;
    const std::set<std::string> notOnFirst{"leftHaloWidth", "leftHaloOffset"};
    const std::set<std::string> notOnLast{"rightFeatherOn",   "rightGamma",     "rightGammaWidth",
                                          "rightGammaOffset", "rightHaloWidth", "rightHaloOffset"};
    ASSERT_EQ(view.Units.size(), 2u);
    for (int u = 0; u < 2; ++u) {
        const UnitView& unit = view.Units[static_cast<std::size_t>(u)];
        EXPECT_EQ(unit.Unit, u + 1);
        EXPECT_EQ(Keys(unit.Settings), CatalogueKeys(SettingScope::Unit, none));
        ASSERT_EQ(unit.Screens.size(), 4u);
        for (int c = 0; c < 4; ++c) {
            const ScreenView& screen = unit.Screens[static_cast<std::size_t>(c)];
            EXPECT_EQ(screen.Screen, u * 4 + c + 1);
            EXPECT_EQ(screen.Channel, c + 1);
            EXPECT_EQ(Keys(screen.Input), CatalogueKeys(SettingScope::Input, none));
            const auto& leftOut = screen.Screen == 1   ? notOnFirst
                                  : screen.Screen == 8 ? notOnLast
                                                       : none;
            EXPECT_EQ(Keys(screen.Output), CatalogueKeys(SettingScope::Output, leftOut))
                << "screen " << screen.Screen;
        }
    }

    // One unit in use: unit 1 and its screens only.
    const ConfigurationView one = MakeConfigurationView(model, 1);
    ASSERT_EQ(one.Units.size(), 1u);
    EXPECT_EQ(one.Units[0].Screens.back().Screen, 4);
}

TEST(ConfigurationView, NamesKeysAndValuesAsThePagesShowThem) {
    std::set<std::string> keys;
    std::set<std::string> unitLabels;
    std::set<std::string> screenLabels;
    for (const SettingRow& row : SettingCatalogue()) {
        EXPECT_TRUE(keys.insert(std::string(row.Key)).second) << row.Key;
        auto& labels = row.Scope == SettingScope::Unit ? unitLabels : screenLabels;
        EXPECT_TRUE(labels.insert(std::string(row.Label)).second) << row.Label;
    }

    SettingsModel model;
    model.Channels.UnitOutput(2).FeatherCurve = 'L';
    model.Channels.UnitOutput(2).ControlMode = 1;
    model.Channels.UnitOutput(2).BasicGamma = 2.2f;
    model.Channels.UnitOutput(2).DisplayOverlap = 128;
    model.Channels.Output(2, 2).TestPattern = 9;
    model.Channels.Output(2, 3).TestPattern = 12; // no such pattern: its number
    model.Channels.Output(2, 2).SeamGain[2] = 130;
    model.Channels.Input(2, 2).VideoLocked = 1;
    model.Channels.Input(2, 2).InputTermination = 2;

    const ConfigurationView view = MakeConfigurationView(model, 2);
    const UnitView& unit2 = view.Units[1];
    EXPECT_EQ(Entry(unit2.Settings, "featherCurve").Value, "Linear");
    EXPECT_EQ(Entry(unit2.Settings, "controlMode").Value, "Adv");
    EXPECT_EQ(Entry(unit2.Settings, "basicGamma").Value, "2.2");
    const ViewEntry& overlap = Entry(unit2.Settings, "displayOverlap");
    EXPECT_EQ(overlap.Value, "128");
    EXPECT_EQ(overlap.Row->Label, "Overlap Width");
    EXPECT_EQ(overlap.Row->Unit, "pixels");

    const ScreenView& screen6 = unit2.Screens[1];
    EXPECT_EQ(Entry(screen6.Output, "testPattern").Value, "White");
    const ViewEntry& gain = Entry(screen6.Output, "seamGain3");
    EXPECT_EQ(gain.Row->Label, "Gain -2");
    EXPECT_EQ(gain.Value, "130");
    const ViewEntry& locked = Entry(screen6.Input, "videoLocked");
    EXPECT_TRUE(locked.Row->Status);
    EXPECT_EQ(locked.Value, "True");
    EXPECT_EQ(Entry(screen6.Input, "inputTermination").Value, "75 Ohm");
    EXPECT_EQ(Entry(unit2.Screens[2].Output, "testPattern").Value, "12");
    EXPECT_EQ(Entry(view.Units[0].Settings, "featherCurve").Value, "0");
    EXPECT_EQ(Entry(view.Units[0].Settings, "dataDoubling").Value, "off");
}
