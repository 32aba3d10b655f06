#pragma once

#include "model/InputSettings.h"
#include "model/OutputSettings.h"
#include "model/SystemSettings.h"

#include <string>

namespace tarvel {

// The units' binary status replies: 0x01, a byte naming the layout (it equals the number of
// data bytes), then the data with big-endian integers and the colour and gamma values as
// integers of ten times the value.
std::string SystemInfoBlock(const UnitInfo& info);
// layout 'N' (78 data bytes, with the position limits) or 'F' (70).
std::string InputStatusBlock(const InputSettings& in, char layout);
// layout 'B' (66 data bytes: gamma width and offset, bridge threshold) or '@' (64: halo).
std::string OutputStatusBlock(const OutputSettings& out, char layout);

} // namespace tarvel
