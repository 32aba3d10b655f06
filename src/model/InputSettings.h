#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tarvel {

// Input side of one unit channel. The layout is the configuration file's layout and mirrors
// the data of the unit's input status reply; padding is carried so a loaded file saves back
// byte for byte.
struct InputSettings {
    std::uint8_t VideoLoaded = 0;
    std::uint8_t VideoLocked = 0;
    std::array<std::uint8_t, 2> Pad2{};
    std::int32_t Phase = 0;
    std::uint8_t InputAux1 = 0;
    std::uint8_t InputAux2 = 0;
    std::array<std::uint8_t, 2> Pad10{};
    std::int32_t HTotal = 0;
    std::int32_t HPositionCentre = 0;
    std::int32_t HPosition = 0;
    std::int32_t VPositionCentre = 0;
    std::int32_t VPosition = 0;
    std::int32_t HActive = 0;
    std::int32_t VActive = 0;
    std::uint8_t SyncSelect = 0;
    std::uint8_t InputTermination = 0;
    std::array<std::uint8_t, 2> Pad42{};
    float OverallContrast = 0;
    float OverallBrightness = 0;
    float RedContrast = 0;
    float RedBrightness = 0;
    float GreenContrast = 0;
    float GreenBrightness = 0;
    float BlueContrast = 0;
    float BlueBrightness = 0;
    std::int32_t HPositionLimit = 0;
    std::int32_t VPositionLimit = 0;

    friend bool operator==(const InputSettings&, const InputSettings&) = default;
};

static_assert(sizeof(float) == 4);
static_assert(offsetof(InputSettings, VideoLoaded) == 0);
static_assert(offsetof(InputSettings, VideoLocked) == 1);
static_assert(offsetof(InputSettings, Pad2) == 2);
static_assert(offsetof(InputSettings, Phase) == 4);
static_assert(offsetof(InputSettings, InputAux1) == 8);
static_assert(offsetof(InputSettings, InputAux2) == 9);
static_assert(offsetof(InputSettings, Pad10) == 10);
static_assert(offsetof(InputSettings, HTotal) == 12);
static_assert(offsetof(InputSettings, HPositionCentre) == 16);
static_assert(offsetof(InputSettings, HPosition) == 20);
static_assert(offsetof(InputSettings, VPositionCentre) == 24);
static_assert(offsetof(InputSettings, VPosition) == 28);
static_assert(offsetof(InputSettings, HActive) == 32);
static_assert(offsetof(InputSettings, VActive) == 36);
static_assert(offsetof(InputSettings, SyncSelect) == 40);
static_assert(offsetof(InputSettings, InputTermination) == 41);
static_assert(offsetof(InputSettings, Pad42) == 42);
static_assert(offsetof(InputSettings, OverallContrast) == 44);
static_assert(offsetof(InputSettings, OverallBrightness) == 48);
static_assert(offsetof(InputSettings, RedContrast) == 52);
static_assert(offsetof(InputSettings, RedBrightness) == 56);
static_assert(offsetof(InputSettings, GreenContrast) == 60);
static_assert(offsetof(InputSettings, GreenBrightness) == 64);
static_assert(offsetof(InputSettings, BlueContrast) == 68);
static_assert(offsetof(InputSettings, BlueBrightness) == 72);
static_assert(offsetof(InputSettings, HPositionLimit) == 76);
static_assert(offsetof(InputSettings, VPositionLimit) == 80);
static_assert(sizeof(InputSettings) == 84);

// Visits every field, padding included, as (offset, member). Byte images and tests iterate
// the record through this one list.
template <class Record, class Visitor>
    requires std::is_same_v<std::remove_const_t<Record>, InputSettings>
void ForEachField(Record& r, Visitor&& visit) {
    visit(offsetof(InputSettings, VideoLoaded), r.VideoLoaded);
    visit(offsetof(InputSettings, VideoLocked), r.VideoLocked);
    visit(offsetof(InputSettings, Pad2), r.Pad2);
    visit(offsetof(InputSettings, Phase), r.Phase);
    visit(offsetof(InputSettings, InputAux1), r.InputAux1);
    visit(offsetof(InputSettings, InputAux2), r.InputAux2);
    visit(offsetof(InputSettings, Pad10), r.Pad10);
    visit(offsetof(InputSettings, HTotal), r.HTotal);
    visit(offsetof(InputSettings, HPositionCentre), r.HPositionCentre);
    visit(offsetof(InputSettings, HPosition), r.HPosition);
    visit(offsetof(InputSettings, VPositionCentre), r.VPositionCentre);
    visit(offsetof(InputSettings, VPosition), r.VPosition);
    visit(offsetof(InputSettings, HActive), r.HActive);
    visit(offsetof(InputSettings, VActive), r.VActive);
    visit(offsetof(InputSettings, SyncSelect), r.SyncSelect);
    visit(offsetof(InputSettings, InputTermination), r.InputTermination);
    visit(offsetof(InputSettings, Pad42), r.Pad42);
    visit(offsetof(InputSettings, OverallContrast), r.OverallContrast);
    visit(offsetof(InputSettings, OverallBrightness), r.OverallBrightness);
    visit(offsetof(InputSettings, RedContrast), r.RedContrast);
    visit(offsetof(InputSettings, RedBrightness), r.RedBrightness);
    visit(offsetof(InputSettings, GreenContrast), r.GreenContrast);
    visit(offsetof(InputSettings, GreenBrightness), r.GreenBrightness);
    visit(offsetof(InputSettings, BlueContrast), r.BlueContrast);
    visit(offsetof(InputSettings, BlueBrightness), r.BlueBrightness);
    visit(offsetof(InputSettings, HPositionLimit), r.HPositionLimit);
    visit(offsetof(InputSettings, VPositionLimit), r.VPositionLimit);
}

} // namespace tarvel
