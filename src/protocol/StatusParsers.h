#pragma once

#include "model/InputSettings.h"
#include "model/OutputSettings.h"
#include "model/SystemSettings.h"

#include <array>
#include <cstdint>
#include <span>

namespace tarvel {

// Reply data is looked for in the first 30 bytes only.
inline constexpr std::size_t ReplyStartWindow = 30;

// The controller's unit count reply: "count address1 address2".
struct UnitCountReply {
    bool DigitFound = false; // a decimal digit in the first 30 bytes
    int NumbersRead = 0;     // 0..3
    std::int32_t Count = 0;
    std::array<std::int32_t, 2> Addresses{};

    // The count was read together with every address it names (one per unit, up to two).
    // A count without its addresses is no answer: no address is taken from it.
    bool Valid() const;
};

// Reads from the first decimal digit in the first 30 bytes, at most 22 characters and up to
// a NUL, three decimal numbers separated by white space, as "%d %d %d" would.
UnitCountReply ParseUnitCount(std::span<const std::uint8_t> reply);

// Each parser finds its start (0x01 and an accepted second byte) in the first 30 bytes and
// writes the record only when the whole data block lies within the reply; otherwise it
// returns false and leaves the record as it was.

// 0x01 0x08 and 8 data bytes; byte 7 of the stored info is forced to 0.
bool ParseSystemInfo(std::span<const std::uint8_t> reply, UnitInfo& info);

// 0x01 'F' and 70 data bytes (position limits set to -1) or 0x01 'N' and 78 data bytes.
bool ParseInputStatus(std::span<const std::uint8_t> reply, InputSettings& record);

// 0x01 and 'B', '@', '>' or '?'. 'B' and above is the current layout (65 bytes read: gamma
// width/offset and the bridge threshold); below 'B' the older one (64 bytes read: halo
// width/offset, bridge threshold 0). Fields a layout does not carry keep their values. On
// success the second byte is stored in outputReplyKind.
bool ParseOutputStatus(std::span<const std::uint8_t> reply, OutputSettings& record,
                       char& outputReplyKind);

} // namespace tarvel
