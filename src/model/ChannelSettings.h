#pragma once

#include "InputSettings.h"
#include "OutputSettings.h"
#include "SystemSettings.h"

#include <array>
#include <cstdint>

namespace tarvel {

inline constexpr int UnitCountMax = 2;
inline constexpr int ChannelsPerUnit = 4;
inline constexpr int RecordsPerUnit = 5; // record 0 is never used; it keeps the file's block size
inline constexpr int ScreenCount = UnitCountMax * ChannelsPerUnit;

// A screen (the user's channel 1..8) as a unit 1..2 and a unit channel 1..4.
struct UnitChannel {
    int Unit = 1;
    int Channel = 1;
    friend bool operator==(const UnitChannel&, const UnitChannel&) = default;
};

constexpr UnitChannel ScreenToUnitChannel(int screen) {
    return screen <= ChannelsPerUnit ? UnitChannel{1, screen} : UnitChannel{2, screen - ChannelsPerUnit};
}

constexpr int UnitChannelToScreen(int unit, int channel) {
    return (unit - 1) * ChannelsPerUnit + channel;
}

// Per unit and unit channel an input and an output record. Access through Input()/Output()
// takes a unit 1..2 and a unit channel 1..4 and never reaches record 0; the whole blocks are
// exposed for the configuration file only.
struct ChannelSettings {
    using InputBlock = std::array<InputSettings, RecordsPerUnit>;
    using OutputBlock = std::array<OutputSettings, RecordsPerUnit>;

    std::array<InputBlock, UnitCountMax> Inputs{};
    std::array<OutputBlock, UnitCountMax> Outputs{};

    InputSettings& Input(int unit, int channel);
    const InputSettings& Input(int unit, int channel) const;
    OutputSettings& Output(int unit, int channel);
    const OutputSettings& Output(int unit, int channel) const;

    InputSettings& Input(UnitChannel uc) { return Input(uc.Unit, uc.Channel); }
    const InputSettings& Input(UnitChannel uc) const { return Input(uc.Unit, uc.Channel); }
    OutputSettings& Output(UnitChannel uc) { return Output(uc.Unit, uc.Channel); }
    const OutputSettings& Output(UnitChannel uc) const { return Output(uc.Unit, uc.Channel); }

    // The unit-wide settings live in channel 1's output record.
    OutputSettings& UnitOutput(int unit) { return Output(unit, 1); }
    const OutputSettings& UnitOutput(int unit) const { return Output(unit, 1); }

    friend bool operator==(const ChannelSettings&, const ChannelSettings&) = default;
};

// The whole program-wide picture of the system.
struct SettingsModel {
    SystemSettings System;
    ChannelSettings Channels;
};

// Only exactly 1 counts as locked.
bool IsChannelLocked(const ChannelSettings& channels, int unit, int channel);

std::int32_t MeasuredInputWidth(const SettingsModel& model);
std::int32_t MeasuredInputHeight(const SettingsModel& model);

} // namespace tarvel
