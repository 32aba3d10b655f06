#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

// Sum of the command's bytes, modulo 256.
std::uint8_t Checksum(std::string_view command);
// The checksum as two upper-case hexadecimal digits.
std::string ChecksumText(std::string_view command);
// What goes on the wire for a controller command: "PASS " + command + checksum + "\r\r".
std::string ControllerFrame(std::string_view command);
// A prompt before this index does not end the reply to a framed command: the controller
// echoes the frame first.
int MinReplyLength(std::string_view command);

} // namespace tarvel
