#pragma once

#include "model/ChannelSettings.h"
#include "model/RecordImage.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The ".zvc" configuration file: the four unit blocks as raw little-endian bytes, unit 1
// inputs, unit 2 inputs, unit 1 outputs, unit 2 outputs, record 0 of each block included. No
// header; the size is the only check.
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

// Saving writes a new file beside `path` and renames it into place, so a failed save leaves
// an existing file as it was. Failure: ConfigurationCreateError.
ConfigurationFileResult SaveConfigurationFile(const std::filesystem::path& path,
                                              const ChannelSettings& channels);

// Loading reads the whole file before the model is touched. Ok means the model was replaced.
// Failure: ConfigurationOpenError (missing, unreadable, a folder) or ConfigurationSizeError
// (any size but 1720, an empty file included); the model is then unchanged.
ConfigurationFileResult LoadConfigurationFile(const std::filesystem::path& path,
                                              ChannelSettings& channels);

} // namespace tarvel
