#pragma once

#include "device/DeviceLink.h"
#include "device/PolicyLinkUser.h"
#include "model/ChannelSettings.h"
#include "platform/QtSerialPort.h"

#include <string>

namespace tarvel::bench {

// The link on the real serial port, COM 1 being the given device, with a user that answers
// every question No / Cancel and nobody watching.
struct BenchLink {
    explicit BenchLink(const std::string& device, LinkTiming timing = LinkTiming::Real());

    PolicyLinkUser User{PolicyLinkUser::Policy{}};
    SettingsModel Model;
    QtSerialPort Port;
    DeviceLink Link;
};

// Processor time of this process so far (user and system), in milliseconds.
double CpuMs();

} // namespace tarvel::bench
