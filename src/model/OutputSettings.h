#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tarvel {

// Output side of one unit channel. Fields that belong to the whole unit (ControlMode,
// ProjectorGroup, TotalProjectors, DataDoubling, ImageAlignment, DisplayOverlap, BasicGamma,
// BasicFeatherOn, SeamBridge, FeatherCurve, BridgeThreshold) are read and written in the
// unit's channel 1 record; the other channels hold what was last read.
struct OutputSettings {
    std::uint8_t OutputFormat = 0;
    std::uint8_t OutputFrameRate = 0;
    std::uint8_t OutputSync = 0;
    std::uint8_t ControlMode = 0;
    std::uint8_t ProjectorGroup = 0;
    std::uint8_t TotalProjectors = 0;
    std::uint8_t DataDoubling = 0;
    std::uint8_t ImageAlignment = 0;
    std::int32_t DisplayOverlap = 0;
    float BasicGamma = 0;
    std::int16_t BasicFeatherOn = 0;
    std::array<std::uint8_t, 2> Pad18{};
    float LeftGamma = 0;
    std::int16_t LeftFeatherOn = 0;
    std::array<std::uint8_t, 2> Pad26{};
    float RightGamma = 0;
    std::int16_t RightFeatherOn = 0;
    std::array<std::uint8_t, 2> Pad34{};
    std::int32_t LeftHaloWidth = 0;
    std::int32_t LeftHaloOffset = 0;
    std::int32_t RightHaloWidth = 0;
    std::int32_t RightHaloOffset = 0;
    std::int32_t LeftGammaWidth = 0;
    std::int32_t LeftGammaOffset = 0;
    std::int32_t RightGammaWidth = 0;
    std::int32_t RightGammaOffset = 0;
    std::uint8_t BlackLevel = 0;
    std::uint8_t TestPattern = 0;
    std::uint8_t OutputRaster = 0;
    std::uint8_t TestGrid = 0;
    std::int32_t SeamMode = 0;
    std::array<std::uint8_t, 8> SeamGain{}; // gains 1..8 at index 0..7, in command order
    std::uint8_t SeamBridge = 0;
    std::uint8_t FeatherCurve = 0; // 'S' or 'L'
    std::uint8_t BridgeThreshold = 0;
    std::uint8_t Pad87 = 0;

    friend bool operator==(const OutputSettings&, const OutputSettings&) = default;
};

static_assert(offsetof(OutputSettings, OutputFormat) == 0);
static_assert(offsetof(OutputSettings, OutputFrameRate) == 1);
static_assert(offsetof(OutputSettings, OutputSync) == 2);
static_assert(offsetof(OutputSettings, ControlMode) == 3);
static_assert(offsetof(OutputSettings, ProjectorGroup) == 4);
static_assert(offsetof(OutputSettings, TotalProjectors) == 5);
static_assert(offsetof(OutputSettings, DataDoubling) == 6);
static_assert(offsetof(OutputSettings, ImageAlignment) == 7);
static_assert(offsetof(OutputSettings, DisplayOverlap) == 8);
static_assert(offsetof(OutputSettings, BasicGamma) == 12);
static_assert(offsetof(OutputSettings, BasicFeatherOn) == 16);
static_assert(offsetof(OutputSettings, Pad18) == 18);
static_assert(offsetof(OutputSettings, LeftGamma) == 20);
static_assert(offsetof(OutputSettings, LeftFeatherOn) == 24);
static_assert(offsetof(OutputSettings, Pad26) == 26);
static_assert(offsetof(OutputSettings, RightGamma) == 28);
static_assert(offsetof(OutputSettings, RightFeatherOn) == 32);
static_assert(offsetof(OutputSettings, Pad34) == 34);
static_assert(offsetof(OutputSettings, LeftHaloWidth) == 36);
static_assert(offsetof(OutputSettings, LeftHaloOffset) == 40);
static_assert(offsetof(OutputSettings, RightHaloWidth) == 44);
static_assert(offsetof(OutputSettings, RightHaloOffset) == 48);
static_assert(offsetof(OutputSettings, LeftGammaWidth) == 52);
static_assert(offsetof(OutputSettings, LeftGammaOffset) == 56);
static_assert(offsetof(OutputSettings, RightGammaWidth) == 60);
static_assert(offsetof(OutputSettings, RightGammaOffset) == 64);
static_assert(offsetof(OutputSettings, BlackLevel) == 68);
static_assert(offsetof(OutputSettings, TestPattern) == 69);
static_assert(offsetof(OutputSettings, OutputRaster) == 70);
static_assert(offsetof(OutputSettings, TestGrid) == 71);
static_assert(offsetof(OutputSettings, SeamMode) == 72);
static_assert(offsetof(OutputSettings, SeamGain) == 76);
static_assert(offsetof(OutputSettings, SeamBridge) == 84);
static_assert(offsetof(OutputSettings, FeatherCurve) == 85);
static_assert(offsetof(OutputSettings, BridgeThreshold) == 86);
static_assert(offsetof(OutputSettings, Pad87) == 87);
static_assert(sizeof(OutputSettings) == 88);

template <class Record, class Visitor>
    requires std::is_same_v<std::remove_const_t<Record>, OutputSettings>
void ForEachField(Record& r, Visitor&& visit) {
    visit(offsetof(OutputSettings, OutputFormat), r.OutputFormat);
    visit(offsetof(OutputSettings, OutputFrameRate), r.OutputFrameRate);
    visit(offsetof(OutputSettings, OutputSync), r.OutputSync);
    visit(offsetof(OutputSettings, ControlMode), r.ControlMode);
    visit(offsetof(OutputSettings, ProjectorGroup), r.ProjectorGroup);
    visit(offsetof(OutputSettings, TotalProjectors), r.TotalProjectors);
    visit(offsetof(OutputSettings, DataDoubling), r.DataDoubling);
    visit(offsetof(OutputSettings, ImageAlignment), r.ImageAlignment);
    visit(offsetof(OutputSettings, DisplayOverlap), r.DisplayOverlap);
    visit(offsetof(OutputSettings, BasicGamma), r.BasicGamma);
    visit(offsetof(OutputSettings, BasicFeatherOn), r.BasicFeatherOn);
    visit(offsetof(OutputSettings, Pad18), r.Pad18);
    visit(offsetof(OutputSettings, LeftGamma), r.LeftGamma);
    visit(offsetof(OutputSettings, LeftFeatherOn), r.LeftFeatherOn);
    visit(offsetof(OutputSettings, Pad26), r.Pad26);
    visit(offsetof(OutputSettings, RightGamma), r.RightGamma);
    visit(offsetof(OutputSettings, RightFeatherOn), r.RightFeatherOn);
    visit(offsetof(OutputSettings, Pad34), r.Pad34);
    visit(offsetof(OutputSettings, LeftHaloWidth), r.LeftHaloWidth);
    visit(offsetof(OutputSettings, LeftHaloOffset), r.LeftHaloOffset);
    visit(offsetof(OutputSettings, RightHaloWidth), r.RightHaloWidth);
    visit(offsetof(OutputSettings, RightHaloOffset), r.RightHaloOffset);
    visit(offsetof(OutputSettings, LeftGammaWidth), r.LeftGammaWidth);
    visit(offsetof(OutputSettings, LeftGammaOffset), r.LeftGammaOffset);
    visit(offsetof(OutputSettings, RightGammaWidth), r.RightGammaWidth);
    visit(offsetof(OutputSettings, RightGammaOffset), r.RightGammaOffset);
    visit(offsetof(OutputSettings, BlackLevel), r.BlackLevel);
    visit(offsetof(OutputSettings, TestPattern), r.TestPattern);
    visit(offsetof(OutputSettings, OutputRaster), r.OutputRaster);
    visit(offsetof(OutputSettings, TestGrid), r.TestGrid);
    visit(offsetof(OutputSettings, SeamMode), r.SeamMode);
    visit(offsetof(OutputSettings, SeamGain), r.SeamGain);
    visit(offsetof(OutputSettings, SeamBridge), r.SeamBridge);
    visit(offsetof(OutputSettings, FeatherCurve), r.FeatherCurve);
    visit(offsetof(OutputSettings, BridgeThreshold), r.BridgeThreshold);
    visit(offsetof(OutputSettings, Pad87), r.Pad87);
}

} // namespace tarvel
