#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvel {

// The eight data bytes of a unit's system information reply. Byte 7 is kept 0 so that bytes
// 2..6 always read as a terminated text: the unit's firmware version.
using UnitInfo = std::array<std::uint8_t, 8>;

std::string FirmwareVersion(const UnitInfo& info);

struct SystemSettings {
    std::int32_t UnitCount = 1;
    std::int32_t ControllerUnitCount = 0;
    std::array<std::int32_t, 2> UnitId{};    // unit 1 at index 0
    std::array<UnitInfo, 2> UnitInfos{};     // unit 1 at index 0
    char OutputReplyKind = 0;
    std::int32_t UnitOutputResH = 1280;
    std::int32_t UnitOutputResV = 1024;
    bool ReadValid = false;
    bool FileValid = false;
};

// Output format code to the resolution it names; formats without a fixed resolution (4, 5
// and anything unknown) give false.
bool OutputFormatResolution(int outputFormat, std::int32_t& width, std::int32_t& height);

} // namespace tarvel
