#pragma once

#include "SimProcess.h"

#include "config/ConfigurationFile.h"
#include "model/ChannelSettings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>

namespace tarvel::test {

// The units' records as zelvar-sim keeps them in its --state file, which has the
// configuration file's layout.
inline ChannelSettings ReadSimState(const std::string& path) {
    const std::string bytes = SimProcess::ReadFile(path);
    ChannelSettings channels;
    if (!LoadConfigurationImage(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                          bytes.size()),
                                channels)) {
        ADD_FAILURE() << "state file of " << bytes.size() << " bytes";
    }
    return channels;
}

} // namespace tarvel::test
