#pragma once

#include "ChannelSettings.h"

#include <array>
#include <cstdint>
#include <span>

namespace tarvel {

inline constexpr std::size_t InputRecordSize = sizeof(InputSettings);   // 84
inline constexpr std::size_t OutputRecordSize = sizeof(OutputSettings); // 88
inline constexpr std::size_t InputBlockSize = InputRecordSize * RecordsPerUnit;   // 420
inline constexpr std::size_t OutputBlockSize = OutputRecordSize * RecordsPerUnit; // 440

// Little-endian byte images of the records, the same on every host: each field is written at
// its offset, padding included, so an image read and written again is unchanged.
void WriteRecord(const InputSettings& record, std::span<std::uint8_t, InputRecordSize> out);
void WriteRecord(const OutputSettings& record, std::span<std::uint8_t, OutputRecordSize> out);
void ReadRecord(std::span<const std::uint8_t, InputRecordSize> in, InputSettings& record);
void ReadRecord(std::span<const std::uint8_t, OutputRecordSize> in, OutputSettings& record);

// A unit's five records (record 0 included) as one contiguous block.
void WriteBlock(const ChannelSettings::InputBlock& block, std::span<std::uint8_t, InputBlockSize> out);
void WriteBlock(const ChannelSettings::OutputBlock& block,
                std::span<std::uint8_t, OutputBlockSize> out);
void ReadBlock(std::span<const std::uint8_t, InputBlockSize> in, ChannelSettings::InputBlock& block);
void ReadBlock(std::span<const std::uint8_t, OutputBlockSize> in,
               ChannelSettings::OutputBlock& block);

} // namespace tarvel
