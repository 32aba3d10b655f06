#include "ConfigurationFile.h"

namespace tarvel {

namespace {

constexpr std::size_t InputsAt = 0;
constexpr std::size_t OutputsAt = 2 * InputBlockSize;

} // namespace

ConfigurationImage MakeConfigurationImage(const ChannelSettings& channels) {
    ConfigurationImage image{};
    const std::span<std::uint8_t> all(image);
    for (std::size_t unit = 0; unit < UnitCountMax; ++unit) {
        WriteBlock(channels.Inputs[unit],
                   all.subspan(InputsAt + unit * InputBlockSize).first<InputBlockSize>());
        WriteBlock(channels.Outputs[unit],
                   all.subspan(OutputsAt + unit * OutputBlockSize).first<OutputBlockSize>());
    }
    return image;
}

bool LoadConfigurationImage(std::span<const std::uint8_t> image, ChannelSettings& channels) {
    if (image.size() != ConfigurationFileSize)
        return false;
    ChannelSettings loaded;
    for (std::size_t unit = 0; unit < UnitCountMax; ++unit) {
        ReadBlock(image.subspan(InputsAt + unit * InputBlockSize).first<InputBlockSize>(),
                  loaded.Inputs[unit]);
        ReadBlock(image.subspan(OutputsAt + unit * OutputBlockSize).first<OutputBlockSize>(),
                  loaded.Outputs[unit]);
    }
    channels = loaded;
    return true;
}

} // namespace tarvel
