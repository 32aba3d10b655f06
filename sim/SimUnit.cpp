#include "SimUnit.h"

#include "SimOptions.h"

#include <algorithm>

namespace tarvel {

namespace {

constexpr std::int32_t WallOverlap = 256; // fits 3 projectors (<= 640) and 6 (<= 256)
constexpr float FactoryGamma = 2.2f;
constexpr std::uint8_t FactorySeamGain = 128;

} // namespace

SimUnit::SimUnit(int unit, const SimOptions& options)
    : UnitIndex(unit), UnitCount(options.Units), NoVideoScreens(options.NoVideoScreens) {
    RestoreFactoryState();
}

void SimUnit::SetUnitWide(const std::function<void(OutputSettings&)>& change) {
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel)
        change(Output(channel));
}

InputSettings SimUnit::FactoryInput(int channel) const {
    InputSettings in;
    const int screen = UnitChannelToScreen(UnitIndex, channel);
    const bool video =
        std::find(NoVideoScreens.begin(), NoVideoScreens.end(), screen) == NoVideoScreens.end();
    in.VideoLoaded = video ? 1 : 0;
    in.VideoLocked = video ? 1 : 0;
    in.Phase = 16;
    // 1280x1024 at 60 Hz: 1688 pixels a line, 1066 lines a frame.
    in.HTotal = video ? 1688 : 0;
    in.HActive = video ? 1280 : 0;
    in.VActive = video ? 1024 : 0;
    in.HPositionCentre = 360;
    in.HPosition = 352; // a little off centre, so that auto position has work to do
    in.VPositionCentre = 41;
    in.VPosition = 38;
    in.HPositionLimit = 720;
    in.VPositionLimit = 82;
    in.SyncSelect = 3;       // AUTO
    in.InputTermination = 1; // 75 Ohm
    in.OverallContrast = 100.0f;
    in.OverallBrightness = 100.0f;
    return in;
}

OutputSettings SimUnit::FactoryOutput(int channel) const {
    const int totalProjectors = UnitCount > 1 ? 6 : 3;
    const int projector = UnitChannelToScreen(UnitIndex, channel);
    OutputSettings out;
    out.OutputFormat = 3;    // 1280x1024
    out.OutputFrameRate = 1; // 59.94 Hz
    out.OutputSync = 0;
    out.ControlMode = 0; // Basic
    out.ProjectorGroup = static_cast<std::uint8_t>(UnitIndex - 1);
    out.TotalProjectors = static_cast<std::uint8_t>(totalProjectors);
    out.DataDoubling = 0;
    out.ImageAlignment = 0; // Left
    out.DisplayOverlap = WallOverlap;
    out.BasicGamma = FactoryGamma;
    out.BasicFeatherOn = 1;
    // The outer edges of the wall are not feathered.
    out.LeftGamma = FactoryGamma;
    out.LeftFeatherOn = projector > 1 && projector <= totalProjectors ? 1 : 0;
    out.RightGamma = FactoryGamma;
    out.RightFeatherOn = projector < totalProjectors ? 1 : 0;
    out.LeftHaloWidth = 32;
    out.RightHaloWidth = 32;
    out.LeftGammaWidth = WallOverlap;
    out.RightGammaWidth = WallOverlap;
    out.BlackLevel = 16;
    out.SeamGain.fill(FactorySeamGain);
    out.FeatherCurve = 'S';
    out.BridgeThreshold = 24;
    return out;
}

void SimUnit::RestoreFactoryState() {
    Inputs = {};
    Outputs = {};
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        Input(channel) = FactoryInput(channel);
        Output(channel) = FactoryOutput(channel);
    }
    SystemInfo = {'Z', 'V', '1', '.', '0', '8', 0, 0};
}

void SimUnit::RestoreInputDefaults(int channel) {
    // The signal itself is not a setting: what the unit measures stays.
    const InputSettings measured = Input(channel);
    InputSettings& in = Input(channel);
    in = FactoryInput(channel);
    in.VideoLoaded = measured.VideoLoaded;
    in.VideoLocked = measured.VideoLocked;
    in.HTotal = measured.HTotal;
    in.HActive = measured.HActive;
    in.VActive = measured.VActive;
}

int SimUnit::OwnProjectors() const {
    const OutputSettings& unit = Output(1);
    return std::clamp(unit.TotalProjectors - 4 * unit.ProjectorGroup, 1, 4);
}

void SimUnit::AutoColourBalance() {
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        InputSettings& in = Input(channel);
        if (in.VideoLocked != 1)
            continue;
        // Values with one decimal, as the unit's own steps are.
        in.RedContrast = 1.5f - 0.5f * static_cast<float>(channel - 1);
        in.GreenContrast = -0.5f;
        in.BlueContrast = 0.5f;
        in.RedBrightness = -1.0f;
        in.GreenBrightness = 0.5f;
        in.BlueBrightness = 1.0f;
    }
}

void SimUnit::AutoPosition() {
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        InputSettings& in = Input(channel);
        if (in.VideoLocked != 1)
            continue;
        in.HPosition = in.HPositionCentre;
        in.VPosition = in.VPositionCentre;
    }
}

void SimUnit::AutoPhase() {
    for (int channel = 1; channel <= ChannelsPerUnit; ++channel) {
        InputSettings& in = Input(channel);
        if (in.VideoLocked != 1)
            continue;
        in.Phase = (in.HTotal / 100 + 3 * channel) % 32;
    }
}

void SimUnit::AutoSeam(int channel) {
    OutputSettings& out = Output(channel);
    for (std::size_t k = 0; k < out.SeamGain.size(); ++k)
        out.SeamGain[k] = static_cast<std::uint8_t>(100 + 3 * static_cast<int>(k) + channel);
}

} // namespace tarvel
