#pragma once

#include "model/ChannelSettings.h"
#include "model/RecordImage.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The ".zvc" configuration file: the four unit blocks as raw little-endian bytes, unit 1
// inputs, unit 2 inputs, unit 1 outputs, unit 2 outputs, record 0 of each block included. No
// header; the size is the only check. Reading and writing the file: platform/SettingsFiles.h.
namespace tarvel {

inline constexpr std::size_t ConfigurationFileSize = 2 * InputBlockSize + 2 * OutputBlockSize;
static_assert(ConfigurationFileSize == 1720);

using ConfigurationImage = std::array<std::uint8_t, ConfigurationFileSize>;

inline constexpr std::string_view ConfigurationCreateError =
    "Error! Unable to create Configuration file. Check if disk is write-protected";
inline constexpr std::string_view ConfigurationOpenError =
    "Error! Unable to open Configuration file. Check if file exist?";
inline constexpr std::string_view ConfigurationSizeError =
    "Error! File corrupted. File size invalid.";

ConfigurationImage MakeConfigurationImage(const ChannelSettings& channels);

// Replaces all four blocks when `image` is exactly ConfigurationFileSize bytes; any other size
// returns false and leaves `channels` untouched. The content itself is not checked.
bool LoadConfigurationImage(std::span<const std::uint8_t> image, ChannelSettings& channels);

struct ConfigurationFileResult {
    bool Ok = false;
    std::string Message; // when !Ok: the text to show the user
};

} // namespace tarvel
