#pragma once

#include "model/ChannelSettings.h"
#include "model/SystemSettings.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace tarvel {

struct SimOptions;

// One simulated Zelvar unit: its records exactly as the program holds them (record 0 unused
// and zero), its system information, and whether it is in its debug console or busy with an
// automatic operation.
class SimUnit {
public:
    // unit is 1 or 2: its place on the wall (projectors 1-4 or 5-8).
    SimUnit(int unit, const SimOptions& options);

    int Index() const { return UnitIndex; }

    InputSettings& Input(int channel) { return Inputs.at(static_cast<std::size_t>(channel)); }
    const InputSettings& Input(int channel) const {
        return Inputs.at(static_cast<std::size_t>(channel));
    }
    OutputSettings& Output(int channel) { return Outputs.at(static_cast<std::size_t>(channel)); }
    const OutputSettings& Output(int channel) const {
        return Outputs.at(static_cast<std::size_t>(channel));
    }
    const ChannelSettings::InputBlock& InputBlock() const { return Inputs; }
    const ChannelSettings::OutputBlock& OutputBlock() const { return Outputs; }
    const UnitInfo& Info() const { return SystemInfo; }
    // Every record at once, as a saved image holds them.
    void LoadBlocks(const ChannelSettings::InputBlock& inputs,
                    const ChannelSettings::OutputBlock& outputs) {
        Inputs = inputs;
        Outputs = outputs;
    }

    // A unit-wide setting is held in every channel's output record, as the unit reports it.
    void SetUnitWide(const std::function<void(OutputSettings&)>& change);

    // The factory state of the whole unit, or of one channel's input settings.
    void RestoreFactoryState();
    void RestoreInputDefaults(int channel);

    // Projectors of the wall that this unit drives (1..4).
    int OwnProjectors() const;

    // The automatic operations: the values they settle on; the caller keeps the unit busy.
    void AutoColourBalance();
    void AutoPosition();
    void AutoPhase();
    void AutoSeam(int channel);

    bool InDebugConsole = false;
    std::int64_t BusyUntilMs = 0;

    bool IsBusy(std::int64_t nowMs) const { return nowMs < BusyUntilMs; }

private:
    int UnitIndex;
    int UnitCount;
    std::vector<int> NoVideoScreens;
    ChannelSettings::InputBlock Inputs{};
    ChannelSettings::OutputBlock Outputs{};
    UnitInfo SystemInfo{};

    InputSettings FactoryInput(int channel) const;
    OutputSettings FactoryOutput(int channel) const;
};

} // namespace tarvel
