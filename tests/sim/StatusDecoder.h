#pragma once

// The tests' own reading of the units' status replies, written from the reply layouts and
// sharing nothing with the simulator: a reply decoded here and compared with literal values
// checks the simulator's encoding, not a copy of it.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvel::testing {

using Fields = std::map<std::string, std::int64_t>;

// Position of the block (0x01 and a kind byte from kinds) within the first 30 bytes, or -1.
inline int FindBlock(std::string_view reply, std::string_view kinds) {
    for (std::size_t p = 0; p < 30 && p + 1 < reply.size(); ++p)
        if (reply[p] == '\x01' && kinds.find(reply[p + 1]) != std::string_view::npos)
            return static_cast<int>(p);
    return -1;
}

// Reads (name, width) fields big-endian, signed for widths 2 and 4, unsigned bytes.
inline bool ReadFields(std::string_view data,
                       const std::vector<std::pair<std::string, int>>& layout, Fields& out) {
    std::size_t at = 0;
    for (const auto& [name, width] : layout) {
        if (at + static_cast<std::size_t>(width) > data.size())
            return false;
        std::uint32_t bits = 0;
        for (int i = 0; i < width; ++i)
            bits = (bits << 8) | static_cast<std::uint8_t>(data[at + static_cast<std::size_t>(i)]);
        std::int64_t value = bits;
        if (width == 2)
            value = static_cast<std::int16_t>(bits);
        else if (width == 4)
            value = static_cast<std::int32_t>(bits);
        if (!name.empty())
            out[name] = value;
        at += static_cast<std::size_t>(width);
    }
    return at == data.size();
}

// The data of the block whose kind byte is one of kinds; checks that the kind byte equals
// the data length that follows up to the end marker "\r\n".
inline bool BlockData(std::string_view reply, std::string_view kinds, char& kind,
                      std::string_view& data) {
    const int p = FindBlock(reply, kinds);
    if (p < 0)
        return false;
    kind = reply[static_cast<std::size_t>(p) + 1];
    const auto length = static_cast<std::size_t>(static_cast<std::uint8_t>(kind));
    if (static_cast<std::size_t>(p) + 2 + length > reply.size())
        return false;
    data = reply.substr(static_cast<std::size_t>(p) + 2, length);
    return true;
}

// Colour values and gammas come as ten times the value: 2.2 reads 22.
inline bool DecodeInputStatus(std::string_view reply, Fields& out) {
    char kind = 0;
    std::string_view data;
    if (!BlockData(reply, "FN", kind, data))
        return false;
    std::vector<std::pair<std::string, int>> layout = {
        {"VideoLoaded", 1},       {"VideoLocked", 1},      {"Phase", 4},
        {"InputAux1", 1},         {"InputAux2", 1},        {"HTotal", 4},
        {"HPositionCentre", 4},   {"HPosition", 4},        {"VPositionCentre", 4},
        {"VPosition", 4},         {"HActive", 4},          {"VActive", 4},
        {"SyncSelect", 1},        {"InputTermination", 1}, {"OverallContrast", 4},
        {"OverallBrightness", 4}, {"RedContrast", 4},      {"RedBrightness", 4},
        {"GreenContrast", 4},     {"GreenBrightness", 4},  {"BlueContrast", 4},
        {"BlueBrightness", 4}};
    if (kind == 'N') {
        layout.push_back({"HPositionLimit", 4});
        layout.push_back({"VPositionLimit", 4});
    }
    return ReadFields(data, layout, out);
}

inline bool DecodeOutputStatus(std::string_view reply, Fields& out) {
    char kind = 0;
    std::string_view data;
    if (!BlockData(reply, "B@", kind, data))
        return false;
    const bool newLayout = kind == 'B';
    std::vector<std::pair<std::string, int>> layout = {
        {"OutputFormat", 1},   {"OutputFrameRate", 1}, {"OutputSync", 1},     {"ControlMode", 1},
        {"ProjectorGroup", 1}, {"TotalProjectors", 1}, {"DataDoubling", 1},   {"ImageAlignment", 1},
        {"DisplayOverlap", 4}, {"BasicGamma", 4},      {"BasicFeatherOn", 2}, {"LeftGamma", 4},
        {"LeftFeatherOn", 2},  {"RightGamma", 4},      {"RightFeatherOn", 2}};
    const char* const edges[2][4] = {
        {"LeftHaloWidth", "LeftHaloOffset", "RightHaloWidth", "RightHaloOffset"},
        {"LeftGammaWidth", "LeftGammaOffset", "RightGammaWidth", "RightGammaOffset"}};
    for (const char* name : edges[newLayout ? 1 : 0])
        layout.push_back({name, 4});
    for (const char* name : {"BlackLevel", "TestPattern", "OutputRaster", "TestGrid"})
        layout.push_back({name, 1});
    layout.push_back({"SeamMode", 4});
    for (int k = 1; k <= 8; ++k)
        layout.push_back({"SeamGain" + std::to_string(k), 1});
    layout.push_back({"SeamBridge", 1});
    layout.push_back({"FeatherCurve", 1});
    if (newLayout) {
        layout.push_back({"BridgeThreshold", 1});
        layout.push_back({"", 1});
    }
    return ReadFields(data, layout, out);
}

} // namespace tarvel::testing
