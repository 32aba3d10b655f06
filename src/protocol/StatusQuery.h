#pragma once

#include "ConnectionMode.h"

#include <string>

namespace tarvel {

enum class StatusQuery { UnitCount, SystemInfo, InputStatus, OutputStatus };

// The query's text for the mode: wrapped in the controller's query command with the unit's
// address in Controller mode, bare in Direct mode. `channel` is the unit channel 1..4 of the
// input and output status queries; the unit count query takes neither argument.
std::string QueryText(StatusQuery query, ConnectionMode mode, int address = 0, int channel = 0);

// A prompt before this index does not end the reply: the binary data may hold its value.
int QueryMinReplyLength(StatusQuery query);

} // namespace tarvel
