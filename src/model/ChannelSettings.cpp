#include "ChannelSettings.h"

#include <cassert>

namespace tarvel {

namespace {
void CheckIndex([[maybe_unused]] int unit, [[maybe_unused]] int channel) {
    assert(unit >= 1 && unit <= UnitCountMax);
    assert(channel >= 1 && channel <= ChannelsPerUnit);
}
} // namespace

InputSettings& ChannelSettings::Input(int unit, int channel) {
    CheckIndex(unit, channel);
    return Inputs[unit - 1][channel];
}

const InputSettings& ChannelSettings::Input(int unit, int channel) const {
    CheckIndex(unit, channel);
    return Inputs[unit - 1][channel];
}

OutputSettings& ChannelSettings::Output(int unit, int channel) {
    CheckIndex(unit, channel);
    return Outputs[unit - 1][channel];
}

const OutputSettings& ChannelSettings::Output(int unit, int channel) const {
    CheckIndex(unit, channel);
    return Outputs[unit - 1][channel];
}

bool IsChannelLocked(const ChannelSettings& channels, int unit, int channel) {
    return channels.Input(unit, channel).VideoLocked == 1;
}

std::int32_t MeasuredInputWidth(const SettingsModel& model) {
    const auto active = model.Channels.Input(1, 1).HActive;
    return active != 0 ? active : model.System.UnitOutputResH;
}

std::int32_t MeasuredInputHeight(const SettingsModel& model) {
    const auto active = model.Channels.Input(1, 1).VActive;
    return active != 0 ? active : model.System.UnitOutputResV;
}

} // namespace tarvel
