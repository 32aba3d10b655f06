#include "RecordImage.h"

#include <bit>
#include <type_traits>

namespace tarvel {

namespace {

template <class T> void PutLittleEndian(std::uint8_t* at, const T& value) {
    if constexpr (std::is_same_v<T, float>) {
        PutLittleEndian(at, std::bit_cast<std::uint32_t>(value));
    } else if constexpr (std::is_integral_v<T>) {
        using U = std::make_unsigned_t<T>;
        auto bits = static_cast<U>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i, bits = static_cast<U>(bits >> 8))
            at[i] = static_cast<std::uint8_t>(bits & 0xFF);
    } else { // byte arrays: padding, seam gains
        for (std::size_t i = 0; i < value.size(); ++i)
            at[i] = value[i];
    }
}

template <class T> void GetLittleEndian(const std::uint8_t* at, T& value) {
    if constexpr (std::is_same_v<T, float>) {
        std::uint32_t bits = 0;
        GetLittleEndian(at, bits);
        value = std::bit_cast<float>(bits);
    } else if constexpr (std::is_integral_v<T>) {
        using U = std::make_unsigned_t<T>;
        U bits = 0;
        for (std::size_t i = sizeof(T); i-- > 0;)
            bits = static_cast<U>((bits << 8) | at[i]);
        value = static_cast<T>(bits);
    } else {
        for (std::size_t i = 0; i < value.size(); ++i)
            value[i] = at[i];
    }
}

template <class Record, std::size_t N>
void WriteAny(const Record& record, std::span<std::uint8_t, N> out) {
    ForEachField(record, [&](std::size_t offset, const auto& field) {
        PutLittleEndian(out.data() + offset, field);
    });
}

template <class Record, std::size_t N>
void ReadAny(std::span<const std::uint8_t, N> in, Record& record) {
    ForEachField(record, [&](std::size_t offset, auto& field) {
        GetLittleEndian(in.data() + offset, field);
    });
}

} // namespace

void WriteRecord(const InputSettings& record, std::span<std::uint8_t, InputRecordSize> out) {
    WriteAny(record, out);
}
void WriteRecord(const OutputSettings& record, std::span<std::uint8_t, OutputRecordSize> out) {
    WriteAny(record, out);
}
void ReadRecord(std::span<const std::uint8_t, InputRecordSize> in, InputSettings& record) {
    ReadAny(in, record);
}
void ReadRecord(std::span<const std::uint8_t, OutputRecordSize> in, OutputSettings& record) {
    ReadAny(in, record);
}

void WriteBlock(const ChannelSettings::InputBlock& block, std::span<std::uint8_t, InputBlockSize> out) {
    for (std::size_t k = 0; k < block.size(); ++k)
        WriteRecord(block[k], out.subspan(k * InputRecordSize).first<InputRecordSize>());
}
void WriteBlock(const ChannelSettings::OutputBlock& block,
                std::span<std::uint8_t, OutputBlockSize> out) {
    for (std::size_t k = 0; k < block.size(); ++k)
        WriteRecord(block[k], out.subspan(k * OutputRecordSize).first<OutputRecordSize>());
}
void ReadBlock(std::span<const std::uint8_t, InputBlockSize> in, ChannelSettings::InputBlock& block) {
    for (std::size_t k = 0; k < block.size(); ++k)
        ReadRecord(in.subspan(k * InputRecordSize).first<InputRecordSize>(), block[k]);
}
void ReadBlock(std::span<const std::uint8_t, OutputBlockSize> in,
               ChannelSettings::OutputBlock& block) {
    for (std::size_t k = 0; k < block.size(); ++k)
        ReadRecord(in.subspan(k * OutputRecordSize).first<OutputRecordSize>(), block[k]);
}

} // namespace tarvel
