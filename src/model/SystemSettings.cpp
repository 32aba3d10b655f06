#include "SystemSettings.h"

namespace tarvel {

std::string FirmwareVersion(const UnitInfo& info) {
    std::string text;
    for (std::size_t i = 2; i < info.size() && info[i] != 0; ++i)
        text.push_back(static_cast<char>(info[i]));
    return text;
}

bool OutputFormatResolution(int outputFormat, std::int32_t& width, std::int32_t& height) {
    static constexpr std::int32_t sizes[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    if (outputFormat < 0 || outputFormat > 3)
        return false;
    width = sizes[outputFormat][0];
    height = sizes[outputFormat][1];
    return true;
}

} // namespace tarvel
