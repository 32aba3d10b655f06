#include "Framing.h"

namespace tarvel {

std::uint8_t Checksum(std::string_view command) {
    unsigned sum = 0;
    for (const char ch : command) {
        sum += static_cast<unsigned char>(ch);
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

std::string ChecksumText(std::string_view command) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    const std::uint8_t sum = Checksum(command);
    return {Digits[sum >> 4], Digits[sum & 0x0F]};
}

std::string ControllerFrame(std::string_view command) {
    std::string frame = "PASS ";
    frame.append(command);
    frame.append(ChecksumText(command));
    frame.append("\r\r");
    return frame;
}

int MinReplyLength(std::string_view command) {
    return static_cast<int>(command.size()) + 8;
}

} // namespace tarvel
